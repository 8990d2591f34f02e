#include "templatecheck.h"

#include "files.h"

#include <QDir>
#include <QRegularExpression>
#include <QTest>

namespace {

QStringList sortedNames(const wiztest::ExpectedFiles &files)
{
    QStringList names;
    for (const auto &file : files)
        names << file.first;
    names.sort();
    return names;
}

} // namespace

QString wiztest::firstDifference(const QString &dir, const ExpectedFiles &expected)
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

wiztest::ExpectedFiles wiztest::expectedTree(const QString &deliverable, const QString &guid)
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

QString wiztest::lineEndProblem(const QByteArray &bytes)
{
    for (qsizetype at = 0; at < bytes.size(); ++at) {
        if (bytes[at] == '\r' && (at + 1 == bytes.size() || bytes[at + 1] != '\n'))
            return QStringLiteral("CR without LF at byte %1").arg(at);
        if (bytes[at] == '\n' && (at == 0 || bytes[at - 1] != '\r'))
            return QStringLiteral("LF without CR at byte %1").arg(at);
    }
    return QString();
}

QString wiztest::crLfAsciiProblem(const QByteArray &bytes)
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

QString wiztest::rerunDifference(const QString &project, const QStringList &names,
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

QString wiztest::rerunDifference(
    const QString &project, const ExpectedFiles &expected, const std::function<void()> &write)
{
    return rerunDifference(project, sortedNames(expected), write, [&expected] { return expected; });
}

QStringList wiztest::writeWithoutProjectDirectory(const QString &location, const QString &name,
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
