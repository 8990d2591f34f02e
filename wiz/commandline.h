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

// The "/path=", "/project=" and "/key=" options of a command line (program
// path first); every other argument goes to the template's parameters.
wizRequest scan(const QStringList &arguments);
// Replaces every %NAME% with the value of that environment variable.
QString expandEnvironment(const QString &text);
// A project name must name exactly one new directory.
bool isProjectName(const QString &name);

} // namespace commandLine

#endif
