#ifndef TEMPLATERUNNER_H
#define TEMPLATERUNNER_H

#include <QString>
#include <QStringList>

class QWidget;

// What the unattended command line asks for.
struct wizRequest
{
    QString location;
    QString project;
    QString key;
    QStringList params;
};

// Running one template, for the window and for the unattended run alike.
class templateRunner
{
public:
    // Loads the library and lets its template write the project path/name.
    // False when the template could not be run; unattended, the reason also
    // goes to standard error.
    static bool run(QWidget *parent, const QString &libraryPath, const QString &key,
        const QString &path, const QString &name, const QStringList &params, bool unattended);
    // Checks an unattended request and makes its project directory, without a
    // question. False, with the reason on standard error, when it cannot be run.
    static bool prepare(const wizRequest &request);
    // True on the platforms where no window can be seen.
    static bool headless();
    // The unattended run where nobody can see a window: the same checks,
    // messages, files and exit status as the window's, without building
    // widgets (their fonts cost more than the rest of the run).
    static int runHeadless(const QStringList &arguments);
    static void printError(const QString &message);

    templateRunner() = delete;
};

#endif
