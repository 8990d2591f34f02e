#ifndef TEMPLATERUNNER_H
#define TEMPLATERUNNER_H

#include "commandline.h"

#include <QMessageBox>
#include <QString>

// The project directory a run writes into, and whether the run made it.
struct projectFolder
{
    QString path;
    bool created = false;
};

// Running one template: the window's run, the unattended run with the window
// shown and the headless run all go through here. The runner is also the one
// place that tells the user about a failure, in the way that suits the run.
class templateRunner
{
public:
    enum Attendance {
        Attended, // from the window: boxes, no standard error
        Unattended, // from the command line with a window shown: both
        Headless, // nobody can see a window: standard error only
    };

    explicit templateRunner(Attendance attendance, QWidget *parent = nullptr);

    // Makes location/name ready to be written into. Refuses something that is
    // not a directory, or a directory another user owns; from the window, asks
    // before writing into an existing one. False when the run must not go on,
    // after telling why (or after the user said No).
    bool prepare(const QString &location, const QString &name, projectFolder *folder);
    // Runs the template of libraryPath into a prepared folder and reports what
    // it wrote. Exit status: 0 every file written, 1 the template could not be
    // run or wrote nothing, 3 some files could not be written.
    int run(const QString &libraryPath, const wizRequest &request, const projectFolder &folder);
    // The whole unattended run: the request's checks, prepare() and run().
    int runRequest(const wizRequest &request, const QString &libraryPath);

    // Tells a failure once: a box where somebody can see it, standard error
    // where nobody may be there to read it.
    void report(const QString &caption, const QString &message,
        QMessageBox::Icon icon = QMessageBox::Warning);

    // True on the platforms where no window can be seen.
    static bool headless();

private:
    Attendance m_attendance;
    QWidget *m_parent;
};

#endif
