#include "foldersnapshot.h"

#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

#include <cstring>

#ifdef Q_OS_UNIX
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

#ifdef Q_OS_UNIX
// Walks by descriptors, so a folder swapped for a link meanwhile is not followed.
void walk(int folder, const QString &prefix, folderSnapshot::tree *files, int depth)
{
    DIR *listing = ::fdopendir(folder);
    if (!listing) {
        ::close(folder);
        return;
    }
    while (const dirent *entry = ::readdir(listing)) {
        if (std::strcmp(entry->d_name, ".") == 0 || std::strcmp(entry->d_name, "..") == 0)
            continue;
        struct stat info;
        if (::fstatat(::dirfd(listing), entry->d_name, &info, AT_SYMLINK_NOFOLLOW) != 0)
            continue;
        const QString name = prefix + QFile::decodeName(entry->d_name);
        if (S_ISREG(info.st_mode)) {
            files->insert(name,
                { quint64(info.st_ino), qint64(info.st_size), qint64(info.st_mtim.tv_sec),
                    qint64(info.st_mtim.tv_nsec) });
        } else if (S_ISDIR(info.st_mode) && depth < 64) {
            const int inner = ::openat(
                ::dirfd(listing), entry->d_name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
            if (inner >= 0)
                walk(inner, name + QLatin1Char('/'), files, depth + 1);
        }
    }
    ::closedir(listing);
}
#endif

} // namespace

folderSnapshot::tree folderSnapshot::take(const QString &parent, const QString &folder)
{
    tree files;
#ifdef Q_OS_UNIX
    const int start = ::open(QFile::encodeName(parent + QLatin1Char('/') + folder).constData(),
        O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (start >= 0)
        walk(start, folder + QLatin1Char('/'), &files, 0);
#else
    const QString base = parent + QLatin1Char('/');
    QDirIterator it(
        base + folder, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QFileInfo info(it.next());
        if (info.isSymLink())
            continue;
        const qint64 ms = info.lastModified().toMSecsSinceEpoch();
        files.insert(
            info.filePath().mid(base.size()), { 0, info.size(), ms / 1000, (ms % 1000) * 1000000 });
    }
#endif
    return files;
}

void folderSnapshot::compare(
    const tree &before, const tree &after, QStringList *created, QStringList *changed)
{
    for (auto it = after.cbegin(); it != after.cend(); ++it) {
        const auto old = before.constFind(it.key());
        if (old == before.cend())
            *created << it.key();
        else if (!(old.value() == it.value()))
            *changed << it.key();
    }
    created->sort();
    changed->sort();
}
