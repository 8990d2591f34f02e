#include "zelk_script_docs_only.h"

#include "embeded.h"
#include "plugin_icon.xpm"
#include "wiz_util.h"

QPixmap zelk_script_docs_only::icon()
{
    return QPixmap(plugin_pixmap);
}

QString zelk_script_docs_only::description()
{
    return QStringLiteral("Create C++ Scripted UI / Panel - DOCS ONLY");
}

void zelk_script_docs_only::go(const QString &path, const QString &name, const QStringList &)
{
    // The three files land in the project folder itself, with no docs folder.
    const QString folder = path + QLatin1Char('/') + name + QLatin1Char('/');

    const QStringList replace { QStringLiteral("docs_template"), name, QStringLiteral("user_name"),
        wiz::environment("USERNAME", "an unidentified user"), QStringLiteral("computer_name"),
        wiz::environment("COMPUTERNAME", "an unidentified computer"),
        QStringLiteral("tamber_component"), name };

    // The page keeps its Markdown text under the name the help project expects.
    wiz::savefile(
        qembed_findData("../zelk_script_wizard/tamber_component/docs/tamber_component.md"),
        folder + name + ".html", replace);
    wiz::savefile(
        qembed_findData("../zelk_script_wizard/tamber_component/docs/tamber_component.hhp"),
        folder + name + ".hhp", replace);
    wiz::savefilebinary(qembed_findData("../zelk_script_wizard/tamber_component/docs/example.png"),
        folder + "example.png");
}

ZELK_WIZARD_PLUGIN(zelk_script_docs_only)

// The pages name no C++ symbol, so any folder name will do.
ZELK_WIZARD_PLUGIN_DESCRIPTION([] {
    return QJsonObject {
        { "description",
            "The documentation of a scripted panel component on its own: help page, help "
            "project and example picture." },
        { "version", ZELK_WIZARD_PLUGIN_VERSION },
        { "name", QJsonObject { { "rule", "directory" } } },
    };
})
