#include "projectwriter.h"

#include <QtGlobal>

#ifdef Q_OS_UNIX

#include <QByteArrayList>
#include <QCoreApplication>
#include <QFile>
#include <QHash>
#include <QRandomGenerator>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iterator>
#include <utility>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#ifdef __linux__
#include <sys/syscall.h>
#endif

namespace {

#ifdef O_PATH
// A folder is only walked through, never read: O_PATH needs no read permission.
constexpr int folderFlags = O_PATH | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC;
#else
constexpr int folderFlags = O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC;
#endif

QString errorText(int error)
{
    return qt_error_string(error);
}

projectWriter::Decision refused(const QString &reason)
{
    return { projectWriter::Refused, reason };
}

// Temporary names of writes in progress, for a signal handler to unlink. Plain
// memory and lock-free atomics only, so that reading it is async-signal-safe.
// A slot is filled while Filling and only read once Recorded.
enum SlotState { Free, Filling, Recorded };
constexpr int temporaryNameSize = 16;
struct TemporarySlot
{
    std::atomic<int> state { Free };
    int dir = -1;
    char name[temporaryNameSize] = {};
};
TemporarySlot temporarySlots[32];

// A short random name in a folder, recorded from before it exists until it is
// renamed away or unlinked. Its length never depends on the target's name, so
// any name that fits the folder can be written.
class temporaryName
{
public:
    explicit temporaryName(int dir)
        : m_dir(dir)
    {
        for (int i = 0; i < int(std::size(temporarySlots)); ++i) {
            int free = Free;
            if (temporarySlots[i].state.compare_exchange_strong(free, Filling)) {
                m_slot = i;
                temporarySlots[i].dir = dir;
                break;
            }
        }
        renew();
    }
    ~temporaryName()
    {
        if (m_exists)
            unlinkat(m_dir, m_name, 0);
        if (m_slot >= 0)
            temporarySlots[m_slot].state.store(Free);
    }
    temporaryName(const temporaryName &) = delete;
    temporaryName &operator=(const temporaryName &) = delete;

    const char *name() const { return m_name; }
    // Another name, after the last one turned out to be taken.
    void renew()
    {
        static const char letters[]
            = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
        std::memcpy(m_name, ".wiz", 4);
        for (int i = 4; i < 12; ++i)
            m_name[i] = letters[QRandomGenerator::global()->bounded(int(sizeof letters) - 1)];
        m_name[12] = '\0';
        if (m_slot < 0)
            return;
        TemporarySlot &slot = temporarySlots[m_slot];
        slot.state.store(Filling);
        std::memcpy(slot.name, m_name, sizeof m_name);
        slot.state.store(Recorded);
    }
    // Whether the name is ours to unlink when the write is abandoned.
    void setExists(bool exists) { m_exists = exists; }

private:
    int m_dir;
    int m_slot = -1;
    bool m_exists = false;
    char m_name[temporaryNameSize];
};

int closeKeepingErrno(int fd, int error)
{
    ::close(fd);
    return error;
}

// Zero or the errno of the first failure. A short write is followed by
// another, which then gives the reason ("No space left on device").
int writeAll(int fd, const QByteArray &bytes)
{
    const char *data = bytes.constData();
    size_t left = size_t(bytes.size());
    while (left > 0) {
        const ssize_t written = ::write(fd, data, left);
        if (written < 0 && errno == EINTR)
            continue;
        if (written < 0)
            return errno;
        if (written == 0)
            return ENOSPC;
        data += written;
        left -= size_t(written);
    }
    return 0;
}

// Whether the regular file seen as old holds exactly bytes, read without
// following a link and without blocking on anything swapped in meanwhile.
bool holds(int dir, const char *name, const struct stat &old, const QByteArray &bytes)
{
    const int fd = openat(dir, name, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat st;
    bool same = fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_dev == old.st_dev
        && st.st_ino == old.st_ino && st.st_size == bytes.size();
    qsizetype done = 0;
    char buffer[65536];
    while (same) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0) {
            same = got == 0 && done == bytes.size();
            break;
        }
        same = done + got <= bytes.size()
            && std::memcmp(bytes.constData() + done, buffer, size_t(got)) == 0;
        done += got;
    }
    ::close(fd);
    return same;
}

// The execute bits of a new file follow its read bits, as umask left them.
int makeExecutable(int fd)
{
    struct stat st;
    if (fstat(fd, &st) != 0)
        return errno;
    mode_t mode = (st.st_mode & 07777) | S_IXUSR;
    if (mode & S_IRGRP)
        mode |= S_IXGRP;
    if (mode & S_IROTH)
        mode |= S_IXOTH;
    return fchmod(fd, mode) == 0 ? 0 : errno;
}

// The replacement takes the old file's owner, group and mode; owner first, as
// changing it clears the set-id bits. What the system does not allow (another
// owner for a normal user, a group the user is not in) stays the user's own.
void keepIdentity(int fd, const struct stat &old)
{
    if (old.st_uid != geteuid() || old.st_gid != getegid()) {
        if (fchown(fd, old.st_uid, old.st_gid) != 0 && fchown(fd, uid_t(-1), old.st_gid) != 0) { }
    }
    if (fchmod(fd, old.st_mode & 07777) != 0) { }
}

#if defined(O_TMPFILE) && !defined(WIZ_WRITER_NAMED_TEMPORARIES)
// An unnamed file in the folder, or -1 with errno; ENOTSUP when the file
// system has no unnamed files.
int unnamedFile(int dir, mode_t mode)
{
    const int fd = openat(dir, ".", O_TMPFILE | O_WRONLY | O_CLOEXEC, mode);
    if (fd < 0 && (errno == EOPNOTSUPP || errno == EISDIR || errno == EINVAL))
        errno = ENOTSUP;
    return fd;
}

// Gives the unnamed file fd the name; fails with EEXIST rather than replace.
int linkUnnamed(int fd, int dir, const char *name)
{
    char self[32];
    std::snprintf(self, sizeof self, "/proc/self/fd/%d", fd);
    if (linkat(AT_FDCWD, self, dir, name, AT_SYMLINK_FOLLOW) == 0)
        return 0;
    const int error = errno;
    // Without /proc a privileged process can still name it.
    if (error == ENOENT && linkat(fd, "", dir, name, AT_EMPTY_PATH) == 0)
        return 0;
    return error;
}
#else
int unnamedFile(int, mode_t)
{
    errno = ENOTSUP;
    return -1;
}

int linkUnnamed(int, int, const char *)
{
    return ENOTSUP;
}
#endif

// Renames from to to in dir unless to exists (EEXIST then).
int renameNoReplace(int dir, const char *from, const char *to)
{
#ifdef __linux__
#ifndef RENAME_NOREPLACE
#define RENAME_NOREPLACE (1 << 0)
#endif
#if defined(__GLIBC__) && (__GLIBC__ > 2 || (__GLIBC__ == 2 && __GLIBC_MINOR__ >= 28))
    if (renameat2(dir, from, dir, to, RENAME_NOREPLACE) == 0)
        return 0;
#else
    if (syscall(SYS_renameat2, dir, from, dir, to, RENAME_NOREPLACE) == 0)
        return 0;
#endif
    if (errno != EINVAL && errno != ENOSYS)
        return errno;
#endif
    // A second name, which never replaces either, then the first one goes.
    if (linkat(dir, from, dir, to, 0) != 0)
        return errno;
    unlinkat(dir, from, 0);
    return 0;
}

// A file under a fresh temporary name in dir, or -1 with errno.
int namedFile(int dir, temporaryName *temporary, mode_t mode)
{
    for (int attempt = 0; attempt < 16; ++attempt) {
        const int fd = openat(
            dir, temporary->name(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode);
        if (fd >= 0) {
            temporary->setExists(true);
            return fd;
        }
        if (errno != EEXIST)
            return -1;
        temporary->renew();
    }
    return -1;
}

// Writes a file that does not exist yet. It appears only complete, and never
// in place of a name that appeared meanwhile (EEXIST). There are no old bytes
// to keep safe, so it does not wait for the disk.
int createFile(int dir, const char *name, const QByteArray &bytes, bool executable)
{
    int fd = unnamedFile(dir, 0666);
    if (fd >= 0) {
        int error = writeAll(fd, bytes);
        if (!error && executable)
            error = makeExecutable(fd);
        if (!error)
            error = linkUnnamed(fd, dir, name);
        return closeKeepingErrno(fd, error);
    }
    if (errno != ENOTSUP)
        return errno;
    temporaryName temporary(dir);
    fd = namedFile(dir, &temporary, 0666);
    if (fd < 0)
        return errno;
    int error = writeAll(fd, bytes);
    if (!error && executable)
        error = makeExecutable(fd);
    closeKeepingErrno(fd, error);
    if (!error)
        error = renameNoReplace(dir, temporary.name(), name);
    temporary.setExists(error != 0);
    return error;
}

// Replaces the file seen as old: the new bytes, with the old file's identity,
// are on the disk before the rename, so a crash leaves one or the other.
int replaceFile(int dir, const char *name, const QByteArray &bytes, const struct stat &old)
{
    temporaryName temporary(dir);
    int fd = unnamedFile(dir, 0600);
    const bool unnamed = fd >= 0;
    if (!unnamed && errno == ENOTSUP)
        fd = namedFile(dir, &temporary, 0600);
    if (fd < 0)
        return errno;
    int error = writeAll(fd, bytes);
    if (!error) {
        keepIdentity(fd, old);
        if (fsync(fd) != 0)
            error = errno;
    }
    // An unnamed file is named only now, so that it is left behind by no
    // interruption but one between these two calls.
    if (unnamed && !error) {
        error = EEXIST;
        for (int attempt = 0; error == EEXIST && attempt < 16; ++attempt) {
            if (attempt)
                temporary.renew();
            error = linkUnnamed(fd, dir, temporary.name());
        }
        temporary.setExists(error == 0);
    }
    closeKeepingErrno(fd, error);
    if (!error && renameat(dir, temporary.name(), dir, name) != 0)
        error = errno;
    if (!error)
        temporary.setExists(false);
    return error;
}

} // namespace

struct projectWriter::Private
{
    QByteArray location;
    int root = -1;
    int rootError = 0;
    bool opened = false;
    // Folders walked so far, by their path below the location.
    QHash<QByteArray, int> folders;
    // Folders this writer made, in the order made, so parents come first.
    std::vector<QByteArray> made;

    int openRoot(QString *reason);
    int openFolder(int parent, const QByteArray &name, const QByteArray &path, bool make,
        bool *missing, QString *reason);
    int walk(const QByteArrayList &parts, qsizetype count, bool make, qsizetype *reached,
        QString *reason);
    struct Reach
    {
        int dir = -1; // -1: refused for reason
        QByteArrayList parts;
        bool complete = false; // false: dir is the deepest folder that exists
        QString reason;
    };
    Reach reach(const QString &path, bool isFolder, bool make);
    Decision decide(int dir, const QByteArray &name, const QByteArray &bytes, struct stat *old);
};

namespace {

// The components of a path below the location, or false.
bool split(const QString &path, QByteArrayList *parts)
{
    *parts = QFile::encodeName(path).split('/');
    for (const QByteArray &part : *parts) {
        if (part.isEmpty() || part == "." || part == "..")
            return false;
    }
    return true;
}

} // namespace

int projectWriter::Private::openRoot(QString *reason)
{
    if (!opened) {
        opened = true;
        root = ::open(location.constData(), (folderFlags & ~O_NOFOLLOW));
        rootError = root < 0 ? errno : 0;
    }
    if (root < 0)
        *reason = errorText(rootError);
    return root;
}

// The descriptor of the folder name in parent, made when missing and make is
// set; -1 with a reason, or -1 with *missing set when it does not exist.
int projectWriter::Private::openFolder(int parent, const QByteArray &name, const QByteArray &path,
    bool make, bool *missing, QString *reason)
{
    const QString shown = QFile::decodeName(path);
    int error = 0;
    for (int attempt = 0; attempt < 4; ++attempt) {
        const int fd = openat(parent, name.constData(), folderFlags);
        if (fd >= 0) {
            struct stat st;
            if (fstat(fd, &st) != 0) {
                *reason = errorText(closeKeepingErrno(fd, errno));
                return -1;
            }
            // Another user could have prepared it with links to files of ours.
            if (st.st_uid != geteuid()) {
                ::close(fd);
                *reason = QCoreApplication::translate("projectWriter", "%1 belongs to another user")
                              .arg(shown);
                return -1;
            }
            return fd;
        }
        error = errno;
        if (error == ENOENT && !make) {
            *missing = true;
            return -1;
        }
        if (error == ENOENT) {
            if (mkdirat(parent, name.constData(), 0777) == 0)
                made.push_back(path);
            else if ((error = errno) != EEXIST)
                break;
            continue;
        }
        struct stat st;
        if ((error == ELOOP || error == ENOTDIR)
            && fstatat(parent, name.constData(), &st, AT_SYMLINK_NOFOLLOW) == 0) {
            if (S_ISLNK(st.st_mode)) {
                *reason = QCoreApplication::translate("projectWriter", "%1 is a symbolic link")
                              .arg(shown);
                return -1;
            }
            if (!S_ISDIR(st.st_mode)) {
                *reason
                    = QCoreApplication::translate("projectWriter", "%1 is not a folder").arg(shown);
                return -1;
            }
            continue; // a folder again: it was swapped meanwhile
        }
        break;
    }
    *reason = errorText(error);
    return -1;
}

// The descriptor of the deepest folder of the first count parts that exists,
// with *reached the number of parts it stands for, or -1 with a reason.
int projectWriter::Private::walk(
    const QByteArrayList &parts, qsizetype count, bool make, qsizetype *reached, QString *reason)
{
    int fd = openRoot(reason);
    *reached = 0;
    QByteArray path;
    for (qsizetype i = 0; fd >= 0 && i < count; ++i) {
        if (i)
            path += '/';
        path += parts.at(i);
        int next = folders.value(path, -1);
        if (next < 0) {
            bool missing = false;
            next = openFolder(fd, parts.at(i), path, make, &missing, reason);
            if (missing)
                return fd;
            if (next >= 0)
                folders.insert(path, next);
        }
        fd = next;
        if (fd >= 0)
            *reached = i + 1;
    }
    return fd;
}

// The folder that a file path goes into, or path itself when isFolder; when
// make is not set, the deepest one of them that exists.
projectWriter::Private::Reach projectWriter::Private::reach(
    const QString &path, bool isFolder, bool make)
{
    Reach reach;
    if (!split(path, &reach.parts)) {
        reach.reason
            = QCoreApplication::translate("projectWriter", "it is not a path below the location");
        return reach;
    }
    const qsizetype count = reach.parts.size() - (isFolder ? 0 : 1);
    qsizetype reached = 0;
    reach.dir = walk(reach.parts, count, make, &reached, &reach.reason);
    reach.complete = reached == count;
    return reach;
}

// Identical content is not rewritten, so build tools see no change; a link or
// a special file in the target's place is never written through.
projectWriter::Decision projectWriter::Private::decide(
    int dir, const QByteArray &name, const QByteArray &bytes, struct stat *old)
{
    if (fstatat(dir, name.constData(), old, AT_SYMLINK_NOFOLLOW) != 0)
        return errno == ENOENT ? Decision { Create, QString() } : refused(errorText(errno));
    if (S_ISLNK(old->st_mode))
        return refused(QCoreApplication::translate("projectWriter", "it is a symbolic link"));
    if (S_ISDIR(old->st_mode))
        return refused(errorText(EISDIR));
    if (!S_ISREG(old->st_mode))
        return refused(QCoreApplication::translate("projectWriter", "it is not a regular file"));
    // Replacing would split it: the other names would keep the old bytes.
    if (old->st_nlink > 1)
        return refused(QCoreApplication::translate("projectWriter", "it has other hard links"));
    if (old->st_size == bytes.size() && holds(dir, name.constData(), *old, bytes))
        return { Unchanged, QString() };
    // The rename would replace a file the user made read-only to keep it.
    if (faccessat(dir, name.constData(), W_OK, AT_EACCESS) != 0)
        return refused(errorText(errno));
    return { Replace, QString() };
}

projectWriter::projectWriter(const QString &location)
    : d(new Private)
{
    d->location = QFile::encodeName(location);
}

projectWriter::~projectWriter()
{
    for (const int fd : std::as_const(d->folders))
        ::close(fd);
    if (d->root >= 0)
        ::close(d->root);
    delete d;
}

projectWriter::Decision projectWriter::plan(const QString &path, const QByteArray &bytes)
{
    const Private::Reach target = d->reach(path, false, false);
    const int dir = target.dir;
    if (dir < 0)
        return refused(target.reason);
    Decision decision { Create, QString() };
    struct stat old;
    if (target.complete)
        decision = d->decide(dir, target.parts.last(), bytes, &old);
    // The new name, or the first missing folder, goes into the deepest one.
    if ((decision.outcome == Create || decision.outcome == Replace)
        && faccessat(dir, ".", W_OK | X_OK, AT_EACCESS) != 0)
        return refused(errorText(errno));
    return decision;
}

projectWriter::Decision projectWriter::write(
    const QString &path, const QByteArray &bytes, bool executable)
{
    const Private::Reach target = d->reach(path, false, true);
    const int dir = target.dir;
    if (dir < 0)
        return refused(target.reason);
    const QByteArray &name = target.parts.last();
    // A name that appears meanwhile is planned again: now it is a replacement.
    for (int attempt = 0; attempt < 4; ++attempt) {
        struct stat old;
        const Decision decision = d->decide(dir, name, bytes, &old);
        int error = 0;
        if (decision.outcome == Create)
            error = createFile(dir, name.constData(), bytes, executable);
        else if (decision.outcome == Replace)
            error = replaceFile(dir, name.constData(), bytes, old);
        if (!error)
            return decision;
        if (error != EEXIST || decision.outcome != Create)
            return refused(errorText(error));
    }
    return refused(errorText(EEXIST));
}

projectWriter::Decision projectWriter::makeFolder(const QString &path)
{
    const size_t before = d->made.size();
    const Private::Reach target = d->reach(path, true, true);
    if (target.dir < 0)
        return refused(target.reason);
    const bool madeIt = d->made.size() > before && d->made.back() == target.parts.join('/');
    return { madeIt ? Create : Unchanged, QString() };
}

void projectWriter::removeEmptyFolders()
{
    for (auto it = d->made.end(); it != d->made.begin();) {
        --it;
        const int fd = d->folders.value(*it, -1);
        const qsizetype slash = it->lastIndexOf('/');
        const int parent = slash < 0 ? d->root : d->folders.value(it->left(slash), -1);
        const QByteArray name = it->mid(slash + 1);
        struct stat mine, now;
        // Only the folder made here, not one put in its place meanwhile.
        if (fd < 0 || parent < 0 || fstat(fd, &mine) != 0
            || fstatat(parent, name.constData(), &now, AT_SYMLINK_NOFOLLOW) != 0
            || mine.st_dev != now.st_dev || mine.st_ino != now.st_ino
            || unlinkat(parent, name.constData(), AT_REMOVEDIR) != 0)
            continue;
        ::close(fd);
        d->folders.remove(*it);
        it = d->made.erase(it);
    }
}

void projectWriter::removeTemporaryFiles()
{
    for (TemporarySlot &slot : temporarySlots) {
        if (slot.state.load() == Recorded)
            unlinkat(slot.dir, slot.name, 0);
    }
}

#else // not POSIX: the same decisions by path, written with QSaveFile

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringList>

#include <cerrno>

struct projectWriter::Private
{
    QString location;
    QStringList made;
};

namespace {

projectWriter::Decision refused(const QString &reason)
{
    return { projectWriter::Refused, reason };
}

bool validPath(const QString &path)
{
    const QStringList parts = path.split(QLatin1Char('/'));
    for (const QString &part : parts) {
        if (part.isEmpty() || part == QLatin1String(".") || part == QLatin1String(".."))
            return false;
    }
    return true;
}

// Why a folder on the way to path cannot be written into, or nothing.
QString folderRefusal(const QString &location, const QString &path, bool includeLast)
{
    const QStringList parts = path.split(QLatin1Char('/'));
    QString below;
    for (qsizetype i = 0; i < parts.size() - (includeLast ? 0 : 1); ++i) {
        below += (i ? QStringLiteral("/") : QString()) + parts.at(i);
        const QFileInfo info(location + QLatin1Char('/') + below);
        if (info.isSymLink())
            return QCoreApplication::translate("projectWriter", "%1 is a symbolic link").arg(below);
        if (info.exists() && !info.isDir())
            return QCoreApplication::translate("projectWriter", "%1 is not a folder").arg(below);
    }
    return QString();
}

} // namespace

projectWriter::projectWriter(const QString &location)
    : d(new Private { location, {} })
{
}

projectWriter::~projectWriter()
{
    delete d;
}

projectWriter::Decision projectWriter::plan(const QString &path, const QByteArray &bytes)
{
    if (!validPath(path))
        return refused(
            QCoreApplication::translate("projectWriter", "it is not a path below the location"));
    const QString why = folderRefusal(d->location, path, false);
    if (!why.isEmpty())
        return refused(why);
    const QString full = d->location + QLatin1Char('/') + path;
    const QFileInfo target(full);
    if (target.isSymLink())
        return refused(QCoreApplication::translate("projectWriter", "it is a symbolic link"));
    if (target.isDir())
        return refused(qt_error_string(EISDIR));
    if (target.exists() && !target.isFile())
        return refused(QCoreApplication::translate("projectWriter", "it is not a regular file"));
    if (!target.exists())
        return { Create, QString() };
    QFile file(full);
    if (target.size() == bytes.size() && file.open(QIODevice::ReadOnly) && file.readAll() == bytes)
        return { Unchanged, QString() };
    if (!target.isWritable())
        return refused(qt_error_string(EACCES));
    return { Replace, QString() };
}

projectWriter::Decision projectWriter::write(
    const QString &path, const QByteArray &bytes, bool executable)
{
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    if (slash > 0) {
        const Decision folder = makeFolder(path.left(slash));
        if (folder.outcome == Refused)
            return folder;
    }
    const Decision decision = plan(path, bytes);
    if (decision.outcome != Create && decision.outcome != Replace)
        return decision;
    QSaveFile file(d->location + QLatin1Char('/') + path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        return refused(file.errorString());
    if (executable && decision.outcome == Create)
        file.setPermissions(file.permissions() | QFileDevice::ExeOwner);
    return decision;
}

projectWriter::Decision projectWriter::makeFolder(const QString &path)
{
    if (!validPath(path))
        return refused(
            QCoreApplication::translate("projectWriter", "it is not a path below the location"));
    const QString why = folderRefusal(d->location, path, true);
    if (!why.isEmpty())
        return refused(why);
    const QStringList parts = path.split(QLatin1Char('/'));
    QString below;
    bool madeLast = false;
    for (const QString &part : parts) {
        below += (below.isEmpty() ? QString() : QStringLiteral("/")) + part;
        madeLast = QDir(d->location).mkdir(below);
        if (madeLast)
            d->made << below;
        else if (!QFileInfo(d->location + QLatin1Char('/') + below).isDir())
            return refused(qt_error_string(ENOENT));
    }
    return { madeLast ? Create : Unchanged, QString() };
}

void projectWriter::removeEmptyFolders()
{
    for (qsizetype i = d->made.size() - 1; i >= 0; --i) {
        if (QDir(d->location).rmdir(d->made.at(i)))
            d->made.removeAt(i);
    }
}

void projectWriter::removeTemporaryFiles() { }

#endif
