#include "commandline.h"
#include "modaldialogcloser.h"
#include "plugincatalog.h"
#include "templaterunner.h"
#include "wizdialog.h"

#include <QApplication>

#include <cstdio>
#include <cstring>

namespace {

const char usage[]
    = "Usage: wiz                         open the wizard's window\n"
      "       wiz /path=LOCATION /project=NAME \"/key=TITLE\" [FLAG...] [ARGUMENT...]\n"
      "       wiz --list [--json] | --help\n"
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
      "  --dry-run        write nothing; print what the run would do to each file:\n"
      "                   create, replace or unchanged, and its path\n"
      "  --verbose, -v    after the run, print what was done to each file\n"
      "  --list           print the title of each template, one a line\n"
      "  --help           print this text\n"
      "\n"
      "Example:\n"
      "  wiz /path=/tmp /project=meter \"/key=Create C++ Scripted UI / Panel\" /title=Meter\n"
      "\n"
      "Templates are the libraries in ./plugins; where that directory does not exist,\n"
      "in the plugins directory beside wiz, or in ../lib/wiz/plugins beside it.\n"
      "\n"
      "Exit status: 0 every file written; 1 the template could not be run or wrote\n"
      "nothing; 2 no display to show the window on; 3 some files could not be written.\n"
      "No run loses a byte that was there: a file is replaced only by a complete new one.\n";

bool hasDisplay()
{
    return !qEnvironmentVariableIsEmpty("DISPLAY")
        || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")
        || qEnvironmentVariableIsSet("QT_QPA_PLATFORM");
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
    for (const pluginEntry &entry : pluginCatalog::scan())
        libraryPaths[entry.title] = entry.path;
    const wizRequest request = commandLine::scan(QCoreApplication::arguments());
    return templateRunner(templateRunner::Headless)
        .runRequest(request, libraryPaths.value(request.key));
}

} // namespace

int main(int argc, char *argv[])
{
    const char *first = argc > 1 ? argv[1] : "";
    if (std::strcmp(first, "--help") == 0 || std::strcmp(first, "-h") == 0) {
        std::fputs(usage, stdout);
        return 0;
    }
    // With --batch nobody is there to answer, so no window is shown even on a
    // display: the run goes as it would on a build server.
    bool batch = false;
    for (int i = 1; i < argc; ++i)
        batch = batch || std::strcmp(argv[i], "--batch") == 0;
    if (batch || !hasDisplay()) {
        if (argc <= 1) {
            std::fputs("wiz: no display to show the window on (neither DISPLAY nor WAYLAND_DISPLAY "
                       "is set).\nwiz: to create a project without a window, give its options; "
                       "see wiz --help.\n",
                stderr);
            return 2;
        }
        // Unattended on a build server: nothing needs to be seen.
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }

    QApplication app(argc, argv);

    if (std::strcmp(first, "--list") == 0) {
        for (const pluginEntry &entry : pluginCatalog::scan())
            std::printf("%s\n", qPrintable(entry.title));
        return 0;
    }

    if (argc > 1 && templateRunner::headless())
        return runHeadless();

    int status = 0;
    {
        wizDialog dialog(nullptr, nullptr, true);
        dialog.exec();
        status = dialog.exitStatus();
    }
    return status;
}
