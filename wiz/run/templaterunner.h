#ifndef TEMPLATERUNNER_H
#define TEMPLATERUNNER_H

#include "commandline.h"

#include <QJsonObject>
#include <QString>
#include <QStringList>

#include <memory>

class QWidget;
class projectWriter;
class templateStep;

// Running one template: the window's run, the unattended run with the window
// shown and the headless run all go through here, in one order of pieces:
// prepare the project directory, let the step make the files, review the
// replacements (window) or apply --existing, write what was held, report.
class templateRunner
{
public:
    enum Attendance {
        Attended, // from the window: boxes, a review before replacing
        Unattended, // scripted, with a window shown: standard error
        Headless, // scripted where nobody can see a window: standard error
    };

    explicit templateRunner(Attendance attendance, QWidget *parent = nullptr);
    ~templateRunner();
    templateRunner(const templateRunner &) = delete;
    templateRunner &operator=(const templateRunner &) = delete;

    // Makes location/name ready to be written into. Refuses something that is
    // not a directory, a link, or a directory another user owns; from the
    // window, asks before writing into an existing one. False when the run
    // must not go on, after telling why (or after the user said No).
    bool prepare(const QString &location, const QString &name);
    // Runs step into the prepared folder (a dry run needs none) and reports
    // what became of each file. Exit status: 0 every file written, 1 the
    // template could not be run, wrote nothing or --existing=fail stopped it,
    // 3 some files could not be written.
    int run(templateStep &step, const wizRequest &request);
    // The whole scripted run: the request's checks, prepare() and run().
    // titles, where given, are those the request's key must be one of; about
    // is what the chosen template tells about itself (its name rule).
    int runRequest(const wizRequest &request, templateStep &step,
        const QStringList *titles = nullptr, const QJsonObject &about = QJsonObject());
    // Opens the project folder in the file browser; where none can be
    // started, says where the project is instead.
    void showProject(const QString &folder);


private:
    int failRun(const QString &message);

    Attendance m_attendance;
    QWidget *m_parent;
    std::unique_ptr<projectWriter> m_writer;
};

#endif
