#include "plugintrust.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QList>

#include <cerrno>
#include <climits>
#include <fcntl.h>
#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>
#include <vector>

namespace {

// As the kernel's own limit, so a loop of links ends.
const int maximumLinks = 40;

QString userName(uid_t uid)
{
    const passwd *user = ::getpwuid(uid);
    return user ? QString::fromLocal8Bit(user->pw_name) : QString::number(uid);
}

bool trustedOwner(uid_t uid)
{
    return uid == 0 || uid == ::geteuid();
}

// A user's private group (same name as the user, its primary group, nobody
// else in it) gives write access to nobody but that user: files made with the
// umask 002 of such systems are not writable by others.
bool isPrivateGroup(uid_t owner, gid_t gid)
{
    const passwd *user = ::getpwuid(owner);
    if (!user || user->pw_gid != gid)
        return false;
    const QByteArray name(user->pw_name);
    const group *members = ::getgrgid(gid);
    if (!members || name != members->gr_name)
        return false;
    for (char **member = members->gr_mem; *member; ++member) {
        if (name != *member)
            return false;
    }
    return true;
}

enum class Kind { Folder, File };

// Why what info describes must not be trusted, as the end of a sentence that
// begins with "it" or "which"; empty when it passes. A sticky folder may be
// writable by others where it is only passed through.
QString flaw(const struct stat &info, Kind kind, bool stickyAllowed = false)
{
    if (kind == Kind::Folder ? !S_ISDIR(info.st_mode) : !S_ISREG(info.st_mode))
        return kind == Kind::Folder
            ? QCoreApplication::translate("pluginTrust", "is not a folder")
            : QCoreApplication::translate("pluginTrust", "is not a regular file");
    if (!trustedOwner(info.st_uid))
        return QCoreApplication::translate(
            "pluginTrust", "belongs to %1, neither to you nor to root")
            .arg(userName(info.st_uid));
    if (stickyAllowed && (info.st_mode & S_ISVTX))
        return QString();
    if (info.st_mode & S_IWOTH)
        return QCoreApplication::translate("pluginTrust", "is writable by every user");
    if ((info.st_mode & S_IWGRP) && !isPrivateGroup(info.st_uid, info.st_gid)) {
        const group *writers = ::getgrgid(info.st_gid);
        return QCoreApplication::translate("pluginTrust", "is writable by the group %1")
            .arg(writers ? QString::fromLocal8Bit(writers->gr_name) : QString::number(info.st_gid));
    }
    return QString();
}

struct step
{
    int fd;
    QByteArray path;
    // Passed only because it is sticky: fine to walk through, but whatever
    // lies directly in it may have been put there by anybody.
    QString strictFlaw;
};

// One walk from "/" to path, a folder at a time, each checked on its
// descriptor. For a file, the walk ends in the file's folder and *name is the
// file's name there, never a link.
class walk
{
public:
    ~walk()
    {
        for (const step &s : m_steps)
            ::close(s.fd);
    }

    // The descriptor of the last folder (the caller owns it), or -1 and *why.
    int run(const QByteArray &path, Kind kind, QByteArray *name, QString *why)
    {
        const int root = ::open("/", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (root < 0)
            return fail(why, qt_error_string(errno));
        m_steps.push_back({ root, QByteArray(), QString() });
        if (!admit(Kind::Folder, false, why))
            return -1;
        QList<QByteArray> todo = components(path);
        int links = 0;
        while (!todo.isEmpty()) {
            const QByteArray part = todo.takeFirst();
            if (part == "..") {
                if (m_steps.size() > 1) {
                    ::close(m_steps.back().fd);
                    m_steps.pop_back();
                }
                continue;
            }
            const step &here = m_steps.back();
            struct stat info;
            if (::fstatat(here.fd, part.constData(), &info, AT_SYMLINK_NOFOLLOW) != 0)
                return fail(why, qt_error_string(errno));
            if (S_ISLNK(info.st_mode)) {
                if (++links > maximumLinks)
                    return fail(why, qt_error_string(ELOOP));
                // Whoever owns a link in a folder open to all may point it elsewhere.
                if (!here.strictFlaw.isEmpty() && !trustedOwner(info.st_uid))
                    return fail(why,
                        QCoreApplication::translate("pluginTrust",
                            "it passes through a link of %1 in %2, which every user may write in")
                            .arg(userName(info.st_uid), QString::fromLocal8Bit(shown(here.path))));
                QByteArray target(PATH_MAX, '\0');
                const ssize_t size
                    = ::readlinkat(here.fd, part.constData(), target.data(), target.size());
                if (size < 0)
                    return fail(why, qt_error_string(errno));
                target.truncate(size);
                if (target.startsWith('/')) {
                    while (m_steps.size() > 1) {
                        ::close(m_steps.back().fd);
                        m_steps.pop_back();
                    }
                }
                todo = components(target) + todo;
                m_linked = true;
                continue;
            }
            if (todo.isEmpty() && kind == Kind::File) {
                if (!here.strictFlaw.isEmpty())
                    return fail(why, placed(here.path, here.strictFlaw));
                *name = part;
                return release();
            }
            const int next = ::openat(
                here.fd, part.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
            if (next < 0)
                return fail(why,
                    errno == ENOTDIR
                        ? QCoreApplication::translate("pluginTrust", "it is not a folder")
                        : qt_error_string(errno));
            m_steps.push_back({ next, here.path + '/' + part, QString() });
            if (!admit(Kind::Folder, !todo.isEmpty(), why))
                return -1;
        }
        if (kind == Kind::File)
            return fail(
                why, QCoreApplication::translate("pluginTrust", "it is not a regular file"));
        return release();
    }

    // Where a successful walk ended.
    QByteArray path() const { return m_ended; }

private:
    static QByteArray shown(const QByteArray &path) { return path.isEmpty() ? "/" : path; }

    static QList<QByteArray> components(const QByteArray &path)
    {
        QList<QByteArray> parts;
        for (const QByteArray &part : path.split('/')) {
            if (!part.isEmpty() && part != ".")
                parts << part;
        }
        return parts;
    }

    bool admit(Kind kind, bool passingThrough, QString *why)
    {
        step &last = m_steps.back();
        struct stat info;
        if (::fstat(last.fd, &info) != 0) {
            fail(why, qt_error_string(errno));
            return false;
        }
        const QString strict = flaw(info, kind);
        if (strict.isEmpty())
            return true;
        if (passingThrough && flaw(info, kind, true).isEmpty()) {
            last.strictFlaw = strict;
            return true;
        }
        fail(why, passingThrough ? placed(last.path, strict) : itself(strict));
        return false;
    }

    // The folder that failed is the one asked for.
    QString itself(const QString &flaw) const
    {
        if (m_linked)
            return QCoreApplication::translate("pluginTrust", "it leads into %1, which %2")
                .arg(QString::fromLocal8Bit(shown(m_steps.back().path)), flaw);
        return QCoreApplication::translate("pluginTrust", "it %1").arg(flaw);
    }
    // The folder that failed lies above the one asked for.
    QString placed(const QByteArray &folder, const QString &flaw) const
    {
        return (m_linked ? QCoreApplication::translate("pluginTrust", "it leads into %1, which %2")
                         : QCoreApplication::translate("pluginTrust", "it lies in %1, which %2"))
            .arg(QString::fromLocal8Bit(shown(folder)), flaw);
    }

    int fail(QString *why, const QString &reason)
    {
        *why = reason;
        return -1;
    }

    int release()
    {
        const int fd = m_steps.back().fd;
        m_ended = shown(m_steps.back().path);
        m_steps.pop_back();
        return fd;
    }

    std::vector<step> m_steps;
    QByteArray m_ended;
    bool m_linked = false;
};

QByteArray absolute(const QString &path)
{
    return QFile::encodeName(QDir::isAbsolutePath(path) ? path : QDir::currentPath() + '/' + path);
}

} // namespace

pluginTrust::checkedFolder::~checkedFolder()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

pluginTrust::checkedFolder::checkedFolder(checkedFolder &&other) noexcept
    : m_fd(std::exchange(other.m_fd, -1))
    , m_path(std::move(other.m_path))
{
}

pluginTrust::checkedFolder &pluginTrust::checkedFolder::operator=(checkedFolder &&other) noexcept
{
    if (this != &other) {
        if (m_fd >= 0)
            ::close(m_fd);
        m_fd = std::exchange(other.m_fd, -1);
        m_path = std::move(other.m_path);
    }
    return *this;
}

pluginTrust::checkedFolder pluginTrust::openFolder(const QString &folder, QString *why)
{
    walk w;
    const int fd = w.run(absolute(folder), Kind::Folder, nullptr, why);
    return fd < 0 ? checkedFolder() : checkedFolder(fd, w.path());
}

int pluginTrust::openLibrary(const checkedFolder &folder, const QByteArray &name, QString *why)
{
    int parent = folder.fd();
    QByteArray leaf = name;
    int walked = -1;
    walk w;
    struct stat info;
    if (::fstatat(parent, leaf.constData(), &info, AT_SYMLINK_NOFOLLOW) != 0) {
        *why = qt_error_string(errno);
        return -1;
    }
    if (S_ISLNK(info.st_mode)) {
        // The link's own folder passed already; now the folders of its target.
        walked = w.run(folder.path() + '/' + name, Kind::File, &leaf, why);
        if (walked < 0)
            return -1;
        parent = walked;
    }
    // Not blocking: a pipe swapped in after the look above must not hold the wizard.
    const int fd
        = ::openat(parent, leaf.constData(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK);
    const int error = errno;
    if (walked >= 0)
        ::close(walked);
    if (fd < 0) {
        *why = error == ELOOP
            ? QCoreApplication::translate("pluginTrust", "it is not a regular file")
            : qt_error_string(error);
        return -1;
    }
    const QString problem
        = ::fstat(fd, &info) == 0 ? flaw(info, Kind::File) : qt_error_string(errno);
    if (!problem.isEmpty()) {
        ::close(fd);
        *why = QCoreApplication::translate("pluginTrust", "it %1").arg(problem);
        return -1;
    }
    return fd;
}

int pluginTrust::openLibrary(const QString &path, QString *why)
{
    QByteArray name;
    walk w;
    const int folder = w.run(absolute(path), Kind::File, &name, why);
    if (folder < 0)
        return -1;
    const checkedFolder checked(folder, w.path());
    return openLibrary(checked, name, why);
}
