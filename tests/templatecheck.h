#ifndef TEMPLATECHECK_H
#define TEMPLATECHECK_H

#include "loadedplugin.h"
#include "wiztest.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QList>
#include <QPair>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>

// Checks shared by the tests of the template plug-ins. The checks return the
// first problem they find as a text, empty when there is none, so that a test
// states QCOMPARE(check, QString()) and a failure shows what went wrong.
namespace wiztest {

// The files of a generated project, each with the bytes it must hold.
using ExpectedFiles = QList<QPair<QString, QByteArray>>;

inline QStringList sortedNames(const ExpectedFiles &files)
{
    QStringList names;
    for (const auto &file : files)
        names << file.first;
    names.sort();
    return names;
}

// The first way the files below dir differ from expected: other names, or
// other bytes (with the offset of the first differing byte).
inline QString firstDifference(const QString &dir, const ExpectedFiles &expected)
{
    const QStringList found = tree(dir);
    if (found != sortedNames(expected))
        return "files: " + found.join(", ") + " instead of " + sortedNames(expected).join(", ");
    for (const auto &file : expected) {
        const QByteArray actual = readAll(dir + '/' + file.first);
        if (actual == file.second)
            continue;
        qsizetype at = 0;
        while (at < actual.size() && at < file.second.size() && actual[at] == file.second[at])
            ++at;
        return QStringLiteral("%1: %2 bytes instead of %3, first difference at byte %4")
            .arg(file.first)
            .arg(actual.size())
            .arg(file.second.size())
            .arg(at);
    }
    return QString();
}

// The project that the template test of deliverable compares with, checked in
// below tests/expected/<deliverable>, with guid in place of the masked fresh
// GUID (00000000-0000-0000-0000-000000000000) when one is given.
inline ExpectedFiles expectedTree(const QString &deliverable, const QString &guid = QString())
{
    const QString dir = QStringLiteral(WIZ_SOURCE_DIR "/tests/expected/") + deliverable;
    ExpectedFiles files;
    for (const QString &name : tree(dir)) {
        QByteArray bytes = readAll(dir + '/' + name);
        if (!guid.isEmpty())
            bytes.replace("00000000-0000-0000-0000-000000000000", guid.toLatin1());
        files << qMakePair(name, bytes);
    }
    return files;
}

// A CR or LF that is not part of a CR LF pair.
inline QString lineEndProblem(const QByteArray &bytes)
{
    for (qsizetype at = 0; at < bytes.size(); ++at) {
        if (bytes[at] == '\r' && (at + 1 == bytes.size() || bytes[at + 1] != '\n'))
            return QStringLiteral("CR without LF at byte %1").arg(at);
        if (bytes[at] == '\n' && (at == 0 || bytes[at - 1] != '\r'))
            return QStringLiteral("LF without CR at byte %1").arg(at);
    }
    return QString();
}

// What keeps bytes from being a template as the plug-ins ship them: plain
// ASCII without NUL, every line ended by CR LF, the last one too. The
// templates reach the projects byte for byte, so a checkout or an editor that
// changes their line ends or encoding breaks every project.
inline QString crLfAsciiProblem(const QByteArray &bytes)
{
    if (bytes.isEmpty())
        return QStringLiteral("empty");
    if (!bytes.endsWith("\r\n"))
        return QStringLiteral("last line has no CR LF");
    for (qsizetype at = 0; at < bytes.size(); ++at)
        if (uchar(bytes[at]) >= 128 || bytes[at] == '\0')
            return QStringLiteral("not plain ASCII at byte %1").arg(at);
    return lineEndProblem(bytes);
}

// A fresh location with the project directory made in it (unless told not
// to), and the plug-in loaded to write the project there.
class ProjectRun
{
public:
    ProjectRun(const QString &deliverable, const QString &name, bool makeProjectDirectory = true)
        : plugin(deliverable)
        , name(name)
    {
        if (makeProjectDirectory)
            QDir(location()).mkdir(name);
    }

    QString location() const { return m_location.path(); }
    // The project directory, with a closing slash.
    QString project() const { return location() + '/' + name + '/'; }
    void go(const QStringList &params = { QString() }) const
    {
        plugin->go(location(), name, params);
    }

    const LoadedPlugin plugin;
    const QString name;

private:
    QTemporaryDir m_location;
};

// Writes the project into project twice: over a file longer than any output
// at each expected name, so that a file written without truncating shows the
// tail, and next to a foreign file, which must stay as it is. expected is
// asked after each run, since a file may carry a value the run chose. Returns
// the first difference after either run.
inline QString rerunDifference(const QString &project, const QStringList &names,
    const std::function<void()> &write, const std::function<ExpectedFiles()> &expected)
{
    const QByteArray stale(100000, 'x');
    const QByteArray foreign("kept as it is\r\n");
    for (const QString &name : names)
        writeAll(project + '/' + name, stale);
    writeAll(project + "/notes.txt", foreign);

    for (int run = 1; run <= 2; ++run) {
        write();
        ExpectedFiles files = expected();
        for (const auto &file : std::as_const(files))
            if (file.second.size() >= stale.size())
                return file.first + ": output too long for this check";
        files << qMakePair(QStringLiteral("notes.txt"), foreign);
        const QString problem = firstDifference(project, files);
        if (!problem.isEmpty())
            return QStringLiteral("run %1: %2").arg(run).arg(problem);
    }
    return QString();
}

inline QString rerunDifference(
    const QString &project, const ExpectedFiles &expected, const std::function<void()> &write)
{
    return rerunDifference(project, sortedNames(expected), write, [&expected] { return expected; });
}

// Runs write for a project whose directory below location does not exist:
// the plug-in makes no directories, so each of files must fail on its own
// with one "cannot write" warning and no other warning. Returns what
// appeared in location, which must be nothing, not even an empty directory.
inline QStringList writeWithoutProjectDirectory(const QString &location, const QString &name,
    const QStringList &files, const std::function<void()> &write)
{
    for (const QString &file : files)
        QTest::ignoreMessage(QtWarningMsg,
            QRegularExpression("^cannot write "
                + QRegularExpression::escape(location + '/' + name + '/' + file) + ": "));
    QTest::failOnWarning(QRegularExpression("."));
    write();
    return QDir(location).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
}

} // namespace wiztest

#endif
