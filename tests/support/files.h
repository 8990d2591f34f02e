#ifndef FILES_H
#define FILES_H

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace wiztest {

// The bytes of a file; empty when it cannot be read.
QByteArray readAll(const QString &path);
// Creates or truncates the file and writes bytes into it.
void writeAll(const QString &path, const QByteArray &bytes);
// The names of the files below dir, relative to it and sorted.
QStringList tree(const QString &dir);

} // namespace wiztest

#endif
