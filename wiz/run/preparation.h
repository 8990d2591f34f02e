#ifndef PREPARATION_H
#define PREPARATION_H

#include <QString>

class projectWriter;

// Making location/name ready to be written into, or saying why not. Each
// function returns the message for the user, or nothing when the run may go on.
namespace preparation {

// Why an existing location/name cannot be the project directory: not a
// folder, a link, or another user's folder (who could have prepared it with
// links to files of ours).
QString refusal(const QString &location, const QString &name);
// Makes the project directory through writer, which is rooted at location.
// created tells whether it made it.
QString make(projectWriter &writer, const QString &location, const QString &name, bool *created);
// What make() would say, without making anything.
QString predict(projectWriter &writer, const QString &location, const QString &name);

} // namespace preparation

#endif
