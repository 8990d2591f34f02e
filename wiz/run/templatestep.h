#ifndef TEMPLATESTEP_H
#define TEMPLATESTEP_H

#include "commandline.h"

#include <QMessageBox>
#include <QString>

// The step of a run that makes the project's files. It hands each file to
// the run's sink (fileSink::active()) or writes it below location by other
// means; the run decides, reviews, writes and reports alike whatever the
// step is.
class templateStep
{
public:
    // Why the step could not make the project; an empty message means it ran.
    struct failure
    {
        QString message;
        QString caption;
        QMessageBox::Icon icon = QMessageBox::Warning;
    };
    // A failure told with the run's own caption, as a warning.
    static failure failed(const QString &message)
    {
        failure failure;
        failure.message = message;
        return failure;
    }

    virtual ~templateStep() = default;
    virtual failure produce(const QString &location, const wizRequest &request) = 0;
    // What the user is told after a run that wrote every file; empty: nothing.
    virtual QString message() const { return QString(); }
};

#endif
