#include "panelwatch.h"

#include "embeded.h"
#include "plugin_icon.xpm"
#include "wiz_util.h"

#include <QUuid>

QPixmap panelWatch::icon()
{
    return QPixmap(plugin_pixmap);
}

QString panelWatch::description()
{
    return QStringLiteral("Create C++ Scripted UI/Panel - Automatic (with Infodriver)");
}

void panelWatch::go(const QString &path, const QString &name, const QStringList &params)
{
    Q_UNUSED(params);
    const QString folder = path + QLatin1Char('/') + name + QLatin1Char('/');

    const QStringList replace = {
        QStringLiteral("panelWatch"),
        name,
        QStringLiteral("PANELWATCH"),
        name.toUpper(),
        QStringLiteral("200E511A-08BA-4794-815C-212755C6298A"),
        QUuid::createUuid().toString(QUuid::WithoutBraces),
    };

    wiz::savefile(qembed_findData("./panelWatch/p1.zelk_ui"), folder + "p1.zelk_ui");
    wiz::savefile(qembed_findData("./panelWatch/resource.h"), folder + "resource.h");
    wiz::savefile(qembed_findData("./panelWatch/panelWatch.cpp"), folder + name + ".cpp", replace);
    wiz::savefile(qembed_findData("./panelWatch/panelWatch.dsp"), folder + name + ".dsp", replace);
    wiz::savefile(qembed_findData("./panelWatch/panelWatch.dsw"), folder + name + ".dsw", replace);
    wiz::savefile(qembed_findData("./panelWatch/panelWatch.h"), folder + name + ".h", replace);
    wiz::savefile(qembed_findData("./panelWatch/panelWatch.rc"), folder + name + ".rc", replace);
    wiz::savefile(qembed_findData("./panelWatch/panelWatch.sln"), folder + name + ".sln", replace);
    wiz::savefile(
        qembed_findData("./panelWatch/panelWatch.vcxproj"), folder + name + ".vcxproj", replace);
    wiz::savefile(qembed_findData("./panelWatch/panelWatch.vcxproj.filters"),
        folder + name + ".vcxproj.filters", replace);
}

ZELK_WIZARD_PLUGIN(panelWatch)

ZELK_WIZARD_PLUGIN_DESCRIPTION([] {
    return QJsonObject {
        { "description",
            "A scripted panel component that follows an information driver: its class, "
            "resource script, panel and project files for Visual Studio." },
        { "version", ZELK_WIZARD_PLUGIN_VERSION },
        { "name", QJsonObject { { "rule", "identifier" } } },
    };
})
