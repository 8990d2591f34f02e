#ifndef OUTCOMELOG_H
#define OUTCOMELOG_H

#include <QList>
#include <QLoggingCategory>
#include <QString>

// What happened to one file that a template wrote.
struct fileOutcome
{
    enum Kind { Create, Replace, Unchanged, Failed };
    Kind kind = Failed;
    QString path;
    QString reason; // why a file failed, in the system's words
};

// While one exists, collects what the support library says about each file it
// writes (the "wiz" logging category): its debug lines are turned on and kept
// from standard error, its warnings are kept and still printed. One at a time.
class outcomeLog
{
public:
    outcomeLog();
    ~outcomeLog();
    outcomeLog(const outcomeLog &) = delete;
    outcomeLog &operator=(const outcomeLog &) = delete;

    // One entry per file, the last word on a path written twice, sorted by path.
    QList<fileOutcome> outcomes() const;
    // "create meter/main.cpp", "failed meter/x.h: No space left on device":
    // a line per file, in the order of outcomes(), paths relative to location.
    static QStringList report(const QList<fileOutcome> &outcomes, const QString &location);

private:
    static void handle(QtMsgType type, const QMessageLogContext &context, const QString &message);
    static void enable(QLoggingCategory *category);

    QList<fileOutcome> m_outcomes;
    QtMessageHandler m_previousHandler;
};

#endif
