#include "runreport.h"

#include <QCoreApplication>

#include <cerrno>
#include <cstdio>
#include <cstring>

QStringList runReport::lines(const QList<fileOutcome> &outcomes, const QStringList &notes)
{
    static const char *const words[] = { "create", "replace", "unchanged", "failed" };
    QStringList lines;
    for (const fileOutcome &file : outcomes) {
        QString line = QLatin1String(file.kept ? "kept" : words[file.outcome]) + QLatin1Char(' ')
            + file.path;
        if (file.outcome == projectWriter::Refused)
            line += QStringLiteral(": ") + file.reason;
        lines << line;
    }
    for (const QString &note : notes)
        lines << QStringLiteral("note ") + note;
    return lines;
}

bool runReport::print(const QStringList &lines)
{
    for (const QString &line : lines)
        std::printf("%s\n", qPrintable(line));
    if (std::fflush(stdout) == 0 && !std::ferror(stdout))
        return true;
    const QString reason = QString::fromLocal8Bit(std::strerror(errno));
    std::fprintf(stderr, "wiz: %s\n",
        qPrintable(
            QCoreApplication::translate("runReport", "cannot write the report: %1").arg(reason)));
    return false;
}
