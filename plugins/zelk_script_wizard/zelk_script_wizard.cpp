#include "zelk_script_wizard.h"

#include "detailsdialogbase.h"
#include "embeded.h"
#include "plugin_icon.xpm"
#include "wiz_util.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QSettings>
#include <QJsonArray>
#include <QUuid>

namespace {

const char dswKey[] = "zelk_script_wizard_dsw";
const char slnKey[] = "zelk_script_wizard_sln";

} // namespace

QPixmap zelk_script_wizard::icon()
{
    return QPixmap(plugin_pixmap);
}

QString zelk_script_wizard::description()
{
    return QStringLiteral("Create C++ Scripted UI / Panel");
}

void zelk_script_wizard::go(const QString &path, const QString &name, const QStringList &params)
{
    QString title;
    QString panel;
    for (const QString &param : params) {
        if (param.startsWith(QLatin1String("/panel="))) {
            panel = param.mid(7);
        } else if (param.startsWith(QLatin1String("/title"))) {
            // The option is cut after its seventh character, normally the "=";
            // "/title" alone has nothing to cut and stands as it is.
            title = param.size() == 6 ? param : param.mid(7);
        }
    }

    const QString folder = path + QLatin1Char('/') + name + QLatin1Char('/');
    const QString docs = folder + QLatin1String("docs/");

    // A title from the command line means an unattended run: no dialog, the
    // stored choices are left alone, and no project files are written.
    bool dsw = false;
    bool sln = false;
    if (title.isEmpty()) {
        detailsDialogBase dialog;
        QSettings settings(QSettings::UserScope, QStringLiteral("zelk"), QStringLiteral("wiz"));
        dialog.checkBox_dsw->setChecked(settings.value(QLatin1String(dswKey), 0).toInt() != 0);
        dialog.checkBox_sln->setChecked(settings.value(QLatin1String(slnKey), 0).toInt() != 0);
        // The dialog has no Cancel: Escape or the close control go on with what it shows.
        dialog.exec();
        title = dialog.title->text();
        dsw = dialog.checkBox_dsw->isChecked();
        sln = dialog.checkBox_sln->isChecked();
        // Numbers, not booleans: a boolean is stored as "true", which reads back as 0.
        settings.setValue(QLatin1String(dswKey), dsw ? 1 : 0);
        settings.setValue(QLatin1String(slnKey), sln ? 1 : 0);
    }

    // The title lands inside a quoted string of the resource script.
    title.replace(QLatin1Char('\\'), QLatin1Char('/'));
    title.replace(QLatin1Char('"'), QLatin1Char('\''));

    QStringList source { QStringLiteral("tamber_component"), name, QStringLiteral("%%TITLE%%"),
        title, QStringLiteral("52CC3CAA-BB91-45DB-825D-362AFF3C318E"),
        QUuid::createUuid().toString(QUuid::WithoutBraces) };
    if (!panel.isEmpty())
        source << QStringLiteral("p1") << panel;
    else
        source << QStringLiteral("%%PANEL%%") << QStringLiteral("p1");

    // Every file written with a list is named after the project; the others keep their names.
    const auto sourceFile = [&](const char *extension) {
        const QByteArray embedded = QByteArray("tamber_component/tamber_component") + extension;
        wiz::savefile(qembed_findData(embedded.constData()), folder + name + extension, source);
    };
    if (panel.isEmpty())
        wiz::savefile(qembed_findData("tamber_component/p1.zelk_ui"), folder + "p1.zelk_ui");
    sourceFile(".cpp");
    sourceFile(".h");
    sourceFile(".rc");
    wiz::savefile(qembed_findData("tamber_component/resource.h"), folder + "resource.h");
    if (dsw) {
        sourceFile(".dsp");
        sourceFile(".dsw");
    }
    if (sln) {
        sourceFile(".sln");
        sourceFile(".vcxproj");
    }

    const QStringList documentation { QStringLiteral("tamber_component"), name,
        QStringLiteral("user_name"), wiz::environment("USERNAME", "an unidentified user"),
        QStringLiteral("computer_name"),
        wiz::environment("COMPUTERNAME", "an unidentified computer") };

    // The page is the first file in docs/, and its writer makes that folder.
    wiz::savefile(qembed_findData("tamber_component/docs/tamber_component.md"), docs + name + ".md",
        documentation);
    wiz::savefile(qembed_findData("tamber_component/docs/tamber_component.hhp"),
        docs + name + ".hhp", documentation);
    wiz::savefilebinary(qembed_findData("tamber_component/docs/example.png"), docs + "example.png");
}

ZELK_WIZARD_PLUGIN(zelk_script_wizard)

// Without /title the details dialog asks for the title and the project files.
ZELK_WIZARD_PLUGIN_DESCRIPTION([] {
    return QJsonObject {
        { "description",
            "A scripted user-interface panel component in C++: its class, resource script, "
            "panel and documentation page, and on request project files for Visual Studio." },
        { "version", ZELK_WIZARD_PLUGIN_VERSION },
        { "name", QJsonObject { { "rule", "identifier" } } },
        { "options",
            QJsonArray {
                QJsonObject { { "name", "title" }, { "label", "Title" }, { "kind", "text" },
                    { "help",
                        "The panel's title in the resource script. Given here, the details "
                        "dialog is not shown and no project files are written" } },
                QJsonObject { { "name", "panel" }, { "label", "Panel" }, { "kind", "text" },
                    { "default", "p1" },
                    { "help",
                        "The name of an existing panel that the component shows instead of a "
                        "new p1.zelk_ui" } } } },
    };
})
