#ifndef FOLDERSNAPSHOT_H
#define FOLDERSNAPSHOT_H

#include <QHash>
#include <QString>
#include <QStringList>

// The files below a folder as the file system describes them, so that files a
// template writes with its own code are found by comparing before and after.
namespace folderSnapshot {

struct fileStamp
{
    quint64 inode = 0;
    qint64 size = 0;
    qint64 seconds = 0;
    qint64 nanoseconds = 0;
    bool operator==(const fileStamp &other) const
    {
        return inode == other.inode && size == other.size && seconds == other.seconds
            && nanoseconds == other.nanoseconds;
    }
};
// Regular files by their names relative to the folder's parent
// ("meter/docs/meter.md"); links are neither followed nor listed.
using tree = QHash<QString, fileStamp>;

tree take(const QString &parent, const QString &folder);
// Names that are new in after, and names whose stamp changed, each sorted.
void compare(const tree &before, const tree &after, QStringList *created, QStringList *changed);

} // namespace folderSnapshot

#endif
