#include "commandline.h"
#include "foldertemplate.h"
#include "modaldialogcloser.h"
#include "plugincatalog.h"
#include "pluginscanner.h"
#include "templatedescription.h"
#include "templaterunner.h"
#include "templatesteps.h"
#include "translations.h"
#include "wizdialog.h"

#include <QApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace {

// Translated when it is printed; the layout of its columns is the translator's.
// clang-format off
const char usage[] = QT_TRANSLATE_NOOP("main",
      "Usage: wiz                         open the wizard's window\n"
      "       wiz /path=LOCATION /project=NAME \"/key=TITLE\" [FLAG...] [ARGUMENT...]\n"
      "       wiz --template DIR [/path=LOCATION /project=NAME [/OPTION=VALUE...]]\n"
      "       wiz --list [--json] | --paths | --help-template TITLE | --help | --version\n"
      "\n"
      "Creates a new source project from a template. With arguments wiz runs\n"
      "unattended: it makes the directory LOCATION/NAME without asking, lets the\n"
      "template titled TITLE write into it, and exits.\n"
      "\n"
      "  /path=LOCATION   existing directory in which the project directory is made\n"
      "  /project=NAME    project name; also the name of its directory\n"
      "  /key=TITLE       the template, by its title as --list prints it\n"
      "  ARGUMENT         anything else is handed to the template, for example\n"
      "                   /title=TEXT or /panel=NAME for \"Create C++ Scripted UI / Panel\"\n"
      "  %VAR% in an argument is replaced by the environment variable VAR.\n"
      "  --template DIR   run the template folder DIR in place of a listed template\n"
      "                   (no /key); alone, open the window on that template\n"
      "\n"
      "Flags of an unattended run, anywhere among the arguments:\n"
      "  --batch          nobody is there: show no window and close every dialog\n"
      "                   as if Escape were pressed, even on a display\n"
      "  --dry-run        write nothing and change no setting; print what the run\n"
      "                   would do to each file (create, replace, unchanged, kept\n"
      "                   or failed, and its path), with the run's exit status\n"
      "  --verbose, -v    after the run, print what was done to each file\n"
      "  --existing=WHAT  an existing file that would change: replace it (the\n"
      "                   default), keep it as it is, or fail: write nothing at\n"
      "                   all and exit 1\n"
      "\n"
      "  --list           print the title of each template, one a line\n"
      "  --json           with --list: a JSON array of {\"title\", \"library\"}, with\n"
      "                   \"description\", \"version\", \"name\", \"options\" and\n"
      "                   \"shadows\" where there are any\n"
      "  --paths          print each folder templates are looked for in, in order,\n"
      "                   with what was found there or why it was passed over\n"
      "  --help-template TITLE\n"
      "                   print what the template tells about itself: description,\n"
      "                   version, project-name rule and its /NAME=VALUE options\n"
      "  --help, -h       print this text\n"
      "  --version        print the version of wiz\n"
      "\n"
      "Example:\n"
      "  wiz /path=/tmp /project=meter \"/key=Create C++ Scripted UI / Panel\" /title=Meter\n"
      "\n"
      "Templates are the libraries and template folders (folders that hold\n"
      "template.json) in ./plugins; where that directory does not exist\n"
      "or holds no library, in the plugins directory beside wiz, or in\n"
      "../lib/wiz/plugins beside it (for a wiz in /usr/bin or /usr/local/bin, both\n"
      "/usr/lib/wiz/plugins and /usr/local/lib/wiz/plugins). Then in each directory\n"
      "of WIZ_PLUGIN_PATH (separated by \":\") and in your own\n"
      "$XDG_DATA_HOME/wiz/plugins (~/.local/share/wiz/plugins); a later template of\n"
      "the same title wins. Template folders are also read from ../share/wiz/templates\n"
      "beside wiz and from $XDG_DATA_HOME/wiz/templates. A library or directory that\n"
      "other users can write to, or that belongs to another user than you or root,\n"
      "is not loaded, nor one below such a directory (a sticky one such as /tmp\n"
      "excepted). What each library gave is remembered in $XDG_CACHE_HOME/wiz\n"
      "(~/.cache/wiz).\n"
      "\n"
      "Exit status: 0 every file written; 1 the template could not be run or wrote\n"
      "nothing, or --existing=fail found a file that would change; 2 no display to\n"
      "show the window on; 3 some files could not be written; 128 + N ended by\n"
      "signal N (its temporary files removed).\n"
      "\n"
      "wiz writes every file itself and tells truthfully what became of each: a file\n"
      "is written whole or not at all and keeps its mode, owner and group; a file\n"
      "that already holds the same bytes is not touched; nothing is written through\n"
      "a link, into another user's folder, or over a file with other hard links.\n");
// clang-format on

bool hasDisplay()
{
    // Set but empty counts as not set, as it does for Qt itself.
    return !qEnvironmentVariableIsEmpty("DISPLAY")
        || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")
        || !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
}

bool hasArgument(int argc, char *argv[], const char *flag)
{
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], flag) == 0)
            return true;
    }
    return false;
}

// Output that went nowhere (a full disk, a closed pipe) must not look like success.
// what is marked for translation in context "main".
int finishOutput(const char *what)
{
    if (std::fflush(stdout) == 0 && !std::ferror(stdout))
        return 0;
    const QString reason = QString::fromLocal8Bit(std::strerror(errno));
    std::fprintf(stderr, "wiz: %s\n",
        qPrintable(QCoreApplication::translate("main", "cannot write %1: %2")
                       .arg(QCoreApplication::translate("main", what), reason)));
    return 1;
}

QtMessageHandler previousHandler = nullptr;

// Where no window can be seen, the platform's notices about what it cannot do
// (size hints, a runtime folder) only bury the wizard's own lines. Anything
// critical still goes through.
void platformNoticeFilter(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    const bool notice = type != QtCriticalMsg && type != QtFatalMsg
        && ((context.category && std::strncmp(context.category, "qt.qpa.", 7) == 0)
            || message.startsWith(QLatin1String("This plugin does not support"))
            || message.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR not set")));
    if (!notice)
        previousHandler(type, context, message);
}

bool headlessPlatform()
{
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM").split(':').constFirst();
    return platform == "offscreen" || platform == "minimal";
}

int listTemplates(bool json)
{
    const QList<pluginEntry> entries = pluginCatalog::scan(pluginCatalog::WithoutIcons);
    // An empty list is an answer, but whoever expected a template needs to
    // know where nothing was found.
    if (entries.isEmpty()) {
        std::fprintf(stderr, "wiz: %s\n",
            qPrintable(QCoreApplication::translate("main", "no templates found; looked in:")));
        for (const QString &folder : pluginCatalog::directoriesRead())
            std::fprintf(stderr, "  %s\n", qPrintable(folder));
    }
    if (json) {
        QJsonArray list;
        for (const pluginEntry &entry : entries) {
            QJsonObject item = templateDescription::listing(entry);
            if (!entry.shadows.isEmpty())
                item.insert(QStringLiteral("shadows"), QJsonArray::fromStringList(entry.shadows));
            list.append(item);
        }
        const QByteArray text = QJsonDocument(list).toJson(QJsonDocument::Indented);
        std::fwrite(text.constData(), 1, size_t(text.size()), stdout);
    } else {
        for (const pluginEntry &entry : entries)
            std::printf("%s\n", qPrintable(entry.title));
    }
    return finishOutput(QT_TRANSLATE_NOOP("main", "the list of templates"));
}

int helpTemplate(const QString &title)
{
    const QMap<QString, pluginEntry> templates
        = pluginCatalog::byTitle(pluginCatalog::scan(pluginCatalog::WithoutIcons));
    if (!templates.contains(title)) {
        std::fprintf(stderr, "wiz: %s\n",
            qPrintable(
                QCoreApplication::translate("main", "no template is titled \"%1\"; see wiz --list")
                    .arg(title)));
        return 1;
    }
    std::fputs(qPrintable(templateDescription::help(templates.value(title))), stdout);
    return finishOutput(QT_TRANSLATE_NOOP("main", "the template's description"));
}

int listFolders()
{
    pluginCatalog::scan(pluginCatalog::WithoutIcons);
    for (const pluginFolder &folder : pluginCatalog::foldersRead()) {
        std::printf("%s\n", qPrintable(folder.path));
        if (!folder.passedOver.isEmpty())
            std::printf("    %s\n",
                qPrintable(
                    QCoreApplication::translate("main", "passed over: %1").arg(folder.passedOver)));
        else if (folder.found.isEmpty())
            std::printf("    %s\n", qPrintable(QCoreApplication::translate("main", "no library")));
        for (const QString &line : folder.found)
            std::printf("    %s\n", qPrintable(line));
    }
    return finishOutput(QT_TRANSLATE_NOOP("main", "the list of folders"));
}

// The unattended run where nobody can see a window, without building the
// window: its text fields load the font database, which costs more than the
// rest of the run.
int runHeadless(wizRequest request)
{
    modalDialogCloser closer;
    closer.install();
    templateRunner runner(templateRunner::Headless);
    if (!request.templateFolder.isEmpty()) {
        pluginEntry entry;
        QString error;
        if (!pluginCatalog::folderEntry(
                request.templateFolder, pluginCatalog::WithoutIcons, &entry, &error)) {
            std::fprintf(stderr, "wiz: %s\n",
                qPrintable(folderTemplate::unusable(request.templateFolder, error)));
            return 1;
        }
        request.key = entry.title;
        return runner.runRequest(request, *templateSteps::forEntry(entry), nullptr, entry.about);
    }
    const QMap<QString, pluginEntry> entries
        = pluginCatalog::byTitle(pluginCatalog::scan(pluginCatalog::WithoutIcons));
    const pluginEntry chosen = entries.value(request.key);
    const QStringList titles = entries.keys();
    return runner.runRequest(request, *templateSteps::forEntry(chosen), &titles, chosen.about);
}

} // namespace

int main(int argc, char *argv[])
{
    // The child that asks libraries what they are (see pluginScanner); no user flag.
    if (argc > 1 && std::strcmp(argv[1], pluginScanner::scanArgument) == 0) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        previousHandler = qInstallMessageHandler(platformNoticeFilter);
        QApplication app(argc, argv);
        return pluginScanner::serve(QCoreApplication::arguments().mid(2), true);
    }
    // The one reading of the command line; the window and the run get it from here.
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const wizRequest request = commandLine::scan(arguments);
    // Checked before anything runs: a misspelt flag must not reach a template
    // as one of its parameters and let the run go ahead without it.
    const bool badFlag = !commandLine::flagError(arguments).isEmpty();
    const bool help = hasArgument(argc, argv, "--help") || hasArgument(argc, argv, "-h");
    const bool version = hasArgument(argc, argv, "--version");
    const bool paths = hasArgument(argc, argv, "--paths");
    const bool list = paths || hasArgument(argc, argv, "--list");
    const bool helpForTemplate = hasArgument(argc, argv, "--help-template");
    const bool answerOnly = badFlag || help || version || list || helpForTemplate;
    // None of these shows a window, and with --batch nobody is there to
    // answer one: each goes as it would on a build server, even on a display.
    if (answerOnly || request.batch || !hasDisplay()) {
        if (argc <= 1) {
            // Said in the user's language, which needs an application to load it.
            QCoreApplication app(argc, argv);
            translations::install();
            std::fprintf(stderr, "wiz: %s\nwiz: %s\n",
                qPrintable(QCoreApplication::translate("main",
                    "no display to show the window on (neither DISPLAY nor WAYLAND_DISPLAY is "
                    "set).")),
                qPrintable(QCoreApplication::translate("main",
                    "to create a project without a window, give its options; see wiz --help.")));
            return 2;
        }
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    // Installed before any run, so that the handlers a run installs for a
    // while pass on to this one.
    if (headlessPlatform())
        previousHandler = qInstallMessageHandler(platformNoticeFilter);

    // An answer asks no library itself and shows no picture: no platform to start.
    if (answerOnly) {
        QCoreApplication app(argc, argv);
        translations::install();
        if (badFlag) {
            // Now in the user's language.
            std::fprintf(stderr, "wiz: %s\n", qPrintable(commandLine::flagError(arguments)));
            return 1;
        }
        if (help) {
            std::fputs(qPrintable(QCoreApplication::translate("main", usage)), stdout);
            return finishOutput(QT_TRANSLATE_NOOP("main", "the usage text"));
        }
        if (version) {
            std::printf("wiz %s\n", WIZ_VERSION);
            return finishOutput(QT_TRANSLATE_NOOP("main", "the version"));
        }
        if (list)
            return paths ? listFolders() : listTemplates(hasArgument(argc, argv, "--json"));
        const qsizetype at = arguments.indexOf(QLatin1String("--help-template"));
        if (at + 1 >= arguments.size()) {
            std::fprintf(stderr, "wiz: %s\n",
                qPrintable(QCoreApplication::translate(
                    "main", "--help-template needs the title of a template; see wiz --list")));
            return 1;
        }
        return helpTemplate(arguments.at(at + 1));
    }

    QApplication app(argc, argv);
    translations::install();

    if (argc > 1 && headlessPlatform())
        return runHeadless(request);

    // "wiz --template DIR" alone opens the window on that template; with a
    // project or location it runs unattended like any other request.
    const bool windowOnFolder = !request.templateFolder.isEmpty() && request.project.isEmpty()
        && request.location.isEmpty() && request.key.isEmpty() && request.params.size() <= 1
        && !request.dryRun;

    QApplication::setWindowIcon(wizDialog::wizardIcon());
    int status = 0;
    {
        wizDialog dialog(nullptr, nullptr, true);
        dialog.setTemplateFolder(request.templateFolder);
        if (argc > 1 && !windowOnFolder)
            dialog.setRequest(request);
        dialog.exec();
        status = dialog.exitStatus();
    }
    return status;
}
