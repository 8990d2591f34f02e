#include "commandline.h"
#include "modaldialogcloser.h"
#include "plugincatalog.h"
#include "pluginscanner.h"
#include "templaterunner.h"
#include "wizdialog.h"

#include <QApplication>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace {

const char usage[]
    = "Usage: wiz                         open the wizard's window\n"
      "       wiz /path=LOCATION /project=NAME \"/key=TITLE\" [FLAG...] [ARGUMENT...]\n"
      "       wiz --list [--json] | --paths | --help\n"
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
      "\n"
      "Flags of an unattended run, anywhere among the arguments:\n"
      "  --batch          nobody is there: show no window and close every dialog\n"
      "                   as if Escape were pressed, even on a display\n"
      "  --dry-run        write nothing; print what the run would do to each file:\n"
      "                   create, replace or unchanged, and its path\n"
      "  --verbose, -v    after the run, print what was done to each file\n"
      "\n"
      "  --list           print the title of each template, one a line\n"
      "  --json           with --list: a JSON array of {\"title\", \"library\"}\n"
      "  --paths          print each folder templates are looked for in, in order,\n"
      "                   with what was found there or why it was passed over\n"
      "  --help           print this text\n"
      "\n"
      "Example:\n"
      "  wiz /path=/tmp /project=meter \"/key=Create C++ Scripted UI / Panel\" /title=Meter\n"
      "\n"
      "Templates are the libraries in ./plugins; where that directory does not exist\n"
      "or holds no library, in the plugins directory beside wiz, or in\n"
      "../lib/wiz/plugins beside it (for a wiz in /usr/bin or /usr/local/bin, both\n"
      "/usr/lib/wiz/plugins and /usr/local/lib/wiz/plugins). Then in each directory\n"
      "of WIZ_PLUGIN_PATH (separated by \":\") and in your own\n"
      "$XDG_DATA_HOME/wiz/plugins (~/.local/share/wiz/plugins); a later template of\n"
      "the same title wins. A library or directory that other users can write to,\n"
      "or that belongs to another user than you or root, is not loaded, nor one\n"
      "below such a directory (a sticky one such as /tmp excepted). What each library\n"
      "gave is remembered in $XDG_CACHE_HOME/wiz (~/.cache/wiz).\n"
      "\n"
      "Exit status: 0 every file written; 1 the template could not be run or wrote\n"
      "nothing; 2 no display to show the window on; 3 some files could not be written.\n"
      "No run loses a byte that was there: a file is replaced only by a complete new one.\n";

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
int finishOutput(const char *what)
{
    if (std::fflush(stdout) == 0 && !std::ferror(stdout))
        return 0;
    std::fprintf(stderr, "wiz: cannot write %s: %s\n", what, std::strerror(errno));
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
        std::fprintf(stderr, "wiz: no templates found; looked in:\n");
        for (const QString &folder : pluginCatalog::directoriesRead())
            std::fprintf(stderr, "  %s\n", qPrintable(folder));
    }
    if (json) {
        QJsonArray list;
        for (const pluginEntry &entry : entries) {
            QJsonObject item { { QStringLiteral("title"), entry.title },
                { QStringLiteral("library"), QFileInfo(entry.path).absoluteFilePath() } };
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
    return finishOutput("the list of templates");
}

int listFolders()
{
    pluginCatalog::scan(pluginCatalog::WithoutIcons);
    for (const pluginFolder &folder : pluginCatalog::foldersRead()) {
        std::printf("%s\n", qPrintable(folder.path));
        if (!folder.passedOver.isEmpty())
            std::printf("    passed over: %s\n", qPrintable(folder.passedOver));
        else if (folder.found.isEmpty())
            std::printf("    no library\n");
        for (const QString &line : folder.found)
            std::printf("    %s\n", qPrintable(line));
    }
    return finishOutput("the list of folders");
}

// The unattended run where nobody can see a window, without building the
// window: its text fields load the font database, which costs more than the
// rest of the run.
int runHeadless()
{
    modalDialogCloser closer;
    closer.install();
    // As the window's list: a later library with the same title wins.
    QMap<QString, QString> libraryPaths;
    for (const pluginEntry &entry : pluginCatalog::scan(pluginCatalog::WithoutIcons))
        libraryPaths[entry.title] = entry.path;
    const wizRequest request = commandLine::scan(QCoreApplication::arguments());
    return templateRunner(templateRunner::Headless)
        .runRequest(request, libraryPaths.value(request.key));
}

} // namespace

int main(int argc, char *argv[])
{
    // The child that asks libraries what they are (see pluginScanner); no user flag.
    if (argc > 1 && std::strcmp(argv[1], pluginScanner::scanArgument) == 0) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        previousHandler = qInstallMessageHandler(platformNoticeFilter);
        QApplication app(argc, argv);
        return pluginScanner::serve(QCoreApplication::arguments().mid(2));
    }
    const char *first = argc > 1 ? argv[1] : "";
    if (std::strcmp(first, "--help") == 0 || std::strcmp(first, "-h") == 0) {
        std::fputs(usage, stdout);
        return finishOutput("the usage text");
    }
    const bool paths = hasArgument(argc, argv, "--paths");
    const bool list = paths || hasArgument(argc, argv, "--list");
    // A list shows no window, and with --batch nobody is there to answer one:
    // either goes as it would on a build server, even on a display.
    if (list || hasArgument(argc, argv, "--batch") || !hasDisplay()) {
        if (argc <= 1) {
            std::fputs("wiz: no display to show the window on (neither DISPLAY nor WAYLAND_DISPLAY "
                       "is set).\nwiz: to create a project without a window, give its options; "
                       "see wiz --help.\n",
                stderr);
            return 2;
        }
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    // Installed before any run, so that the handlers a run installs for a
    // while pass on to this one.
    if (headlessPlatform())
        previousHandler = qInstallMessageHandler(platformNoticeFilter);

    // The list asks no library itself and shows no picture: no platform to start.
    if (list) {
        QCoreApplication app(argc, argv);
        return paths ? listFolders() : listTemplates(hasArgument(argc, argv, "--json"));
    }

    QApplication app(argc, argv);

    if (argc > 1 && templateRunner::headless())
        return runHeadless();

    QApplication::setWindowIcon(wizDialog::wizardIcon());
    int status = 0;
    {
        wizDialog dialog(nullptr, nullptr, true);
        dialog.exec();
        status = dialog.exitStatus();
    }
    return status;
}
