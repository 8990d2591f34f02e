#include "outcomelog.h"

#include <QDir>
#include <QFileInfo>
#include <QMap>

#include <cstring>

namespace {

outcomeLog *active = nullptr;
// The filter is a plain function, so what it passes on to is kept here.
QLoggingCategory::CategoryFilter previousFilter = nullptr;

const char category[] = "wiz";
const QLatin1String failurePrefix("cannot write ");

} // namespace

outcomeLog::outcomeLog()
{
    Q_ASSERT(!active);
    active = this;
    m_previousHandler = qInstallMessageHandler(handle);
    previousFilter = QLoggingCategory::installFilter(enable);
}

outcomeLog::~outcomeLog()
{
    QLoggingCategory::installFilter(previousFilter);
    previousFilter = nullptr;
    qInstallMessageHandler(m_previousHandler);
    active = nullptr;
}

void outcomeLog::enable(QLoggingCategory *loggingCategory)
{
    if (previousFilter)
        previousFilter(loggingCategory);
    if (std::strcmp(loggingCategory->categoryName(), category) == 0)
        loggingCategory->setEnabled(QtDebugMsg, true);
}

void outcomeLog::handle(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (active && context.category && std::strcmp(context.category, category) == 0) {
        fileOutcome outcome;
        if (type == QtWarningMsg && message.startsWith(failurePrefix)) {
            // "cannot write PATH: REASON"; a path may hold ": ", a reason does not.
            const qsizetype colon = message.lastIndexOf(QLatin1String(": "));
            outcome.path = message.mid(failurePrefix.size(), colon - failurePrefix.size());
            outcome.reason = message.mid(colon + 2);
            active->m_outcomes << outcome;
        } else if (type == QtDebugMsg) {
            const qsizetype space = message.indexOf(QLatin1Char(' '));
            const QStringView word = QStringView(message).left(space);
            outcome.kind = word == QLatin1String("create") ? fileOutcome::Create
                : word == QLatin1String("replace")         ? fileOutcome::Replace
                                                           : fileOutcome::Unchanged;
            outcome.path = message.mid(space + 1);
            active->m_outcomes << outcome;
            return;
        }
    }
    if (active && active->m_previousHandler)
        active->m_previousHandler(type, context, message);
}

QList<fileOutcome> outcomeLog::outcomes() const
{
    QMap<QString, fileOutcome> byPath;
    for (const fileOutcome &outcome : m_outcomes)
        byPath.insert(QDir::cleanPath(QFileInfo(outcome.path).absoluteFilePath()), outcome);
    QList<fileOutcome> sorted;
    for (auto it = byPath.cbegin(); it != byPath.cend(); ++it) {
        sorted << it.value();
        sorted.last().path = it.key();
    }
    return sorted;
}

QStringList outcomeLog::report(const QList<fileOutcome> &outcomes, const QString &location)
{
    static const char *const words[] = { "create", "replace", "unchanged", "failed" };
    const QDir base(QFileInfo(location).absoluteFilePath());
    QStringList lines;
    for (const fileOutcome &outcome : outcomes) {
        QString line = QLatin1String(words[outcome.kind]) + QLatin1Char(' ')
            + base.relativeFilePath(outcome.path);
        if (outcome.kind == fileOutcome::Failed)
            line += QStringLiteral(": ") + outcome.reason;
        lines << line;
    }
    return lines;
}
