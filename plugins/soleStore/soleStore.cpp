#include "soleStore.h"

#include "embeded.h"
#include "plugin_icon.xpm"
#include "wiz_util.h"

QPixmap soleStore::icon()
{
    return QPixmap(plugin_pixmap);
}

QString soleStore::description()
{
    return QStringLiteral("Create New Singleton ConfigClass Wizard");
}

void soleStore::go(const QString &path, const QString &name, const QStringList &params)
{
    Q_UNUSED(params);
    const QString fullpath = path + QLatin1Char('/') + name + QLatin1Char('/');

    // Applied in order over the whole text, so a name that itself holds one of
    // the later tags is changed again by them.
    QStringList replacelist;
    replacelist << QStringLiteral("qvmConfig") << name;
    replacelist << QStringLiteral("QvmConfig") << name;
    replacelist << QStringLiteral("QVMCONFIG") << name.toUpper();

    wiz::savefile(
        qembed_findData("template/main.cpp"), fullpath + QStringLiteral("main.cpp"), replacelist);
    wiz::savefile(qembed_findData("template/qvmConfig.cpp"),
        fullpath + name + QStringLiteral(".cpp"), replacelist);
    wiz::savefile(qembed_findData("template/qvmConfig.h"), fullpath + name + QStringLiteral(".h"),
        replacelist);
    wiz::savefile(qembed_findData("template/qvmConfig.dsp"),
        fullpath + name + QStringLiteral(".dsp"), replacelist);
    wiz::savefile(qembed_findData("template/qvmConfig.dsw"),
        fullpath + name + QStringLiteral(".dsw"), replacelist);
}

ZELK_WIZARD_PLUGIN(soleStore)

ZELK_WIZARD_PLUGIN_DESCRIPTION([] {
    return QJsonObject {
        { "description",
            "A shared library holding one configuration object, a singleton class named after "
            "the project, with its project files." },
        { "version", ZELK_WIZARD_PLUGIN_VERSION },
        { "name", QJsonObject { { "rule", "identifier" } } },
    };
})
