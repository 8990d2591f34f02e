#ifndef COMMANDLINE_H
#define COMMANDLINE_H

#include <QString>
#include <QStringList>

// What an unattended command line asks for.
struct wizRequest
{
    QString location;
    QString project;
    QString key;
    // "--template DIR": a template folder run in place of a listed template.
    QString templateFolder;
    // Every argument that is neither an option nor a host flag, program path first.
    QStringList params;
    // Host flags; they never reach the template.
    bool dryRun = false;
    bool verbose = false;
    bool batch = false;
    // What becomes of an existing file that the run would change: replaced,
    // kept as it is, or the whole run refused before anything is written.
    // Unknown: "--existing=" with another word, which stops the run.
    enum Existing { Replace, Keep, Fail, Unknown };
    Existing existing = Replace;
};

// The unattended command line, apart from any widget, so that a fuzzer can
// link it on its own.
namespace commandLine {

// The "/path=", "/project=" and "/key=" options and "--template DIR" of a
// command line (program path first); every other argument goes to the
// template's parameters.
wizRequest scan(const QStringList &arguments);
// Replaces every %NAME% with the value of that environment variable.
QString expandEnvironment(const QString &text);
// What keeps a text from naming exactly one new, visible directory.
enum class nameProblem {
    None,
    Empty,
    Blank, // nothing but white space
    SpaceAtEdge, // begins or ends with white space
    NotOneFolder, // holds "/" or "\\", or is "." or ".."
};
nameProblem projectNameProblem(const QString &name);
// A project name must name exactly one new directory.
bool isProjectName(const QString &name);
// The project folder a run makes: location/name, with "/" on every platform.
QString projectFolder(const QString &location, const QString &name);

// Why the command line cannot run: an argument that begins with "--" and is
// no host flag, or a host flag without a valid value. Empty when all is well.
// arguments holds the program path first.
QString flagError(const QStringList &arguments);
// What the unattended run is missing: a project name, a location or a
// template (/key or --template), each with the option that gives it. Empty
// when nothing is.
QString requestError(const wizRequest &request);
// The one line that follows the message about an unknown template title: the
// closest titles, if any are close, and where to see them all.
QString titleSuggestion(const QString &key, const QStringList &titles);
// The candidates closest to word, nearest first, at most limit and only
// those a slip of the keyboard away (or holding the word whole). Case, white
// space runs and white space around "/" do not count.
QStringList closest(const QString &word, const QStringList &candidates, int limit);
// Why a location that begins with "~" is not found: nothing expands it.
QString tildeExplanation();

} // namespace commandLine

#endif
