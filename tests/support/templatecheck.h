#ifndef TEMPLATECHECK_H
#define TEMPLATECHECK_H

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

#include <functional>

// Checks shared by the tests of the template plug-ins. The checks return the
// first problem they find as a text, empty when there is none, so that a test
// states QCOMPARE(check, QString()) and a failure shows what went wrong.
namespace wiztest {

// The files of a generated project, each with the bytes it must hold.
using ExpectedFiles = QList<QPair<QString, QByteArray>>;

// The first way the files below dir differ from expected: other names, or
// other bytes (with the offset of the first differing byte).
QString firstDifference(const QString &dir, const ExpectedFiles &expected);

// The project that the template test of deliverable compares with, checked in
// below tests/expected/<deliverable>, with guid in place of the masked fresh
// GUID (00000000-0000-0000-0000-000000000000) when one is given.
ExpectedFiles expectedTree(const QString &deliverable, const QString &guid = QString());

// A CR or LF that is not part of a CR LF pair.
QString lineEndProblem(const QByteArray &bytes);

// What keeps bytes from being a template as the plug-ins ship them: plain
// ASCII without NUL, every line ended by CR LF, the last one too. The
// templates reach the projects byte for byte, so a checkout or an editor that
// changes their line ends or encoding breaks every project.
QString crLfAsciiProblem(const QByteArray &bytes);

// Writes the project into project twice: over a file longer than any output
// at each expected name, so that a file written without truncating shows the
// tail, and next to a foreign file, which must stay as it is. expected is
// asked after each run, since a file may carry a value the run chose. Returns
// the first difference after either run.
QString rerunDifference(const QString &project, const QStringList &names,
    const std::function<void()> &write, const std::function<ExpectedFiles()> &expected);
QString rerunDifference(
    const QString &project, const ExpectedFiles &expected, const std::function<void()> &write);

// Runs write for a project whose directory below location does not exist:
// the plug-in makes no directories, so each of files must fail on its own
// with one "cannot write" warning and no other warning. Returns what
// appeared in location, which must be nothing, not even an empty directory.
QStringList writeWithoutProjectDirectory(const QString &location, const QString &name,
    const QStringList &files, const std::function<void()> &write);

} // namespace wiztest

#endif
