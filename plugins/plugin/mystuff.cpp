#include "mystuff.h"

#include "embeded.h"
#include "plugin_icon.xpm"
#include "wiz_util.h"

QPixmap mystuff::icon()
{
    return QPixmap(plugin_pixmap);
}

QString mystuff::description()
{
    return QStringLiteral("Create New Wizard");
}

void mystuff::go(const QString &path, const QString &name, const QStringList &params)
{
    Q_UNUSED(params);
    const QString fullpath = path + QLatin1Char('/') + name + QLatin1Char('/');

    wiz::savefile(qembed_findData("dist_main.cpp"), fullpath + name + QStringLiteral(".cpp"), name);
    wiz::savefile(qembed_findData("dist_main.h"), fullpath + name + QStringLiteral(".h"), name);
    wiz::savefile(qembed_findData("icon.xpm"), fullpath + QStringLiteral("icon.xpm"), name);
    wiz::savefile(qembed_findData("template.dsp"), fullpath + name + QStringLiteral(".dsp"), name);
    wiz::savefile(qembed_findData("template.dsw"), fullpath + name + QStringLiteral(".dsw"), name);
    // The support class goes out verbatim: its own "%%NAME%%" tags must survive
    // for the generated plug-in to use them.
    wiz::savefile(
        qembed_findData("wiz_util.h"), fullpath + QStringLiteral("wiz_util.h"), QString());
    wiz::savefile(
        qembed_findData("wiz_util.cpp"), fullpath + QStringLiteral("wiz_util.cpp"), QString());
    // The last two templates are empty files, so both start out empty for the
    // developer to fill in.
    wiz::savefile(
        qembed_findData("_readme.txt"), fullpath + QStringLiteral("_readme.txt"), QString());

    QStringList replacelist;
    replacelist << QStringLiteral("%%PLACEHOLDER1%%") << QString();
    replacelist << QStringLiteral("%%PLACEHOLDER2%%") << wiz::text(qembed_findData("test.cpp"));
    wiz::savefile(qembed_findData("test.cpp"), fullpath + QStringLiteral("test.cpp"), replacelist);
}

ZELK_WIZARD_PLUGIN(mystuff)

ZELK_WIZARD_PLUGIN_DESCRIPTION([] {
    return QJsonObject {
        { "description",
            "A new template plug-in for this wizard: its class, the support files it writes "
            "with and its project files." },
        { "version", ZELK_WIZARD_PLUGIN_VERSION },
        { "name", QJsonObject { { "rule", "identifier" } } },
    };
})
