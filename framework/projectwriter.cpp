// A simple path-based stand-in for the writer, with the decisions of the
// support library's writers: enough for the wizard's run to code against.
#include "projectwriter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cerrno>
#include <csignal>
#include <cstring>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

// Temporary files of writes in progress, for the signal handler.
constexpr int temporarySlots = 8;
constexpr int temporaryLength = 4096;
char temporaryNames[temporarySlots][temporaryLength];
volatile sig_atomic_t temporaryInUse[temporarySlots];

int claimTemporary(const QByteArray &name)
{
    for (int i = 0; i < temporarySlots; ++i) {
        if (!temporaryInUse[i] && name.size() < temporaryLength) {
            std::memcpy(temporaryNames[i], name.constData(), size_t(name.size()) + 1);
            temporaryInUse[i] = 1;
            return i;
        }
    }
    return -1;
}

void releaseTemporary(int slot)
{
    if (slot >= 0)
        temporaryInUse[slot] = 0;
}

QString folderReason(const QString &name, const QString &what)
{
    return QStringLiteral("%1 %2").arg(name, what);
}

} // namespace

struct projectWriter::Private
{
    QString location;
    QStringList made;

    QString absolute(const QString &path) const { return location + QLatin1Char('/') + path; }

    // Checks each existing folder on the way; missing tells where the first
    // missing one begins (or -1).
    QString checkFolders(const QStringList &parts, int count, int *missing) const
    {
        *missing = -1;
#ifdef Q_OS_UNIX
        struct stat info;
        if (::stat(QFile::encodeName(location).constData(), &info) != 0)
            return qt_error_string(errno);
        if (!S_ISDIR(info.st_mode))
            return qt_error_string(ENOTDIR);
        QString at = location;
        for (int i = 0; i < count; ++i) {
            at += QLatin1Char('/') + parts.at(i);
            if (::lstat(QFile::encodeName(at).constData(), &info) != 0) {
                if (errno != ENOENT)
                    return qt_error_string(errno);
                *missing = i;
                return QString();
            }
            const QString name = parts.mid(0, i + 1).join(QLatin1Char('/'));
            if (S_ISLNK(info.st_mode))
                return folderReason(name, QStringLiteral("is a symbolic link"));
            if (!S_ISDIR(info.st_mode))
                return folderReason(name, QStringLiteral("is not a folder"));
            if (info.st_uid != ::geteuid())
                return folderReason(name, QStringLiteral("belongs to another user"));
        }
#else
        Q_UNUSED(parts);
        Q_UNUSED(count);
#endif
        return QString();
    }
};

namespace {

bool validPath(const QStringList &parts)
{
    for (const QString &part : parts) {
        if (part.isEmpty() || part == QLatin1String(".") || part == QLatin1String(".."))
            return false;
    }
    return !parts.isEmpty();
}

bool holds(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) && file.readAll() == bytes;
}

} // namespace

projectWriter::projectWriter(const QString &location)
    : d(new Private)
{
    d->location = QFileInfo(location).absoluteFilePath();
}

projectWriter::~projectWriter()
{
    delete d;
}

projectWriter::Decision projectWriter::plan(const QString &path, const QByteArray &bytes)
{
    Decision decision;
    const QStringList parts = path.split(QLatin1Char('/'));
    if (!validPath(parts)) {
        decision.reason = QStringLiteral("it is no path below the location");
        return decision;
    }
    int missing = -1;
    decision.reason = d->checkFolders(parts, int(parts.size()) - 1, &missing);
    if (!decision.reason.isEmpty())
        return decision;
    const QString target = d->absolute(path);
    const QString parent = QFileInfo(target).absolutePath();
    if (missing >= 0) {
        QString existing = d->location;
        for (int i = 0; i < missing; ++i)
            existing += QLatin1Char('/') + parts.at(i);
        if (!QFileInfo(existing).isWritable()) {
            decision.reason = qt_error_string(EACCES);
            return decision;
        }
        decision.outcome = Create;
        return decision;
    }
#ifdef Q_OS_UNIX
    struct stat info;
    if (::lstat(QFile::encodeName(target).constData(), &info) != 0) {
        if (errno != ENOENT) {
            decision.reason = qt_error_string(errno);
        } else if (::access(QFile::encodeName(parent).constData(), W_OK) != 0) {
            decision.reason = qt_error_string(errno);
        } else {
            decision.outcome = Create;
        }
        return decision;
    }
    if (S_ISLNK(info.st_mode))
        decision.reason = QStringLiteral("it is a symbolic link");
    else if (S_ISDIR(info.st_mode))
        decision.reason = qt_error_string(EISDIR);
    else if (!S_ISREG(info.st_mode))
        decision.reason = QStringLiteral("it is not a regular file");
    else if (info.st_size == bytes.size() && holds(target, bytes))
        decision.outcome = Unchanged;
    else if (info.st_nlink > 1)
        decision.reason = QStringLiteral("it has other hard links");
    else if (::access(QFile::encodeName(target).constData(), W_OK) != 0
        || ::access(QFile::encodeName(parent).constData(), W_OK) != 0)
        decision.reason = qt_error_string(EACCES);
    else
        decision.outcome = Replace;
#endif
    return decision;
}

projectWriter::Decision projectWriter::makeFolder(const QString &path)
{
    Decision decision;
    const QStringList parts = path.split(QLatin1Char('/'));
    if (!validPath(parts)) {
        decision.reason = QStringLiteral("it is no path below the location");
        return decision;
    }
    int missing = -1;
    decision.reason = d->checkFolders(parts, int(parts.size()), &missing);
    if (!decision.reason.isEmpty())
        return decision;
    decision.outcome = Unchanged;
    if (missing < 0)
        return decision;
    QString at = d->location;
    for (int i = 0; i < parts.size(); ++i) {
        at += QLatin1Char('/') + parts.at(i);
        if (i < missing)
            continue;
#ifdef Q_OS_UNIX
        if (::mkdir(QFile::encodeName(at).constData(), 0777) != 0) {
            if (errno == EEXIST && QFileInfo(at).isDir() && !QFileInfo(at).isSymLink())
                continue;
            decision.outcome = Refused;
            decision.reason = qt_error_string(errno);
            return decision;
        }
#endif
        d->made << at;
    }
    decision.outcome = Create;
    return decision;
}

projectWriter::Decision projectWriter::write(
    const QString &path, const QByteArray &bytes, bool executable)
{
    Decision decision = plan(path, bytes);
    if (decision.outcome == Refused || decision.outcome == Unchanged)
        return decision;
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    if (slash > 0) {
        const Decision folder = makeFolder(path.left(slash));
        if (folder.outcome == Refused)
            return folder;
    }
    const QString target = d->absolute(path);
    const QString folder = QFileInfo(target).absolutePath();
    QFile file;
    do {
        file.setFileName(folder
            + QStringLiteral("/.wiz%1").arg(
                QRandomGenerator::global()->generate() & 0xffffff, 6, 16, QLatin1Char('0')));
    } while (file.exists());
    const QByteArray temporary = QFile::encodeName(file.fileName());
    const int slot = claimTemporary(temporary);
    const auto fail = [&](const QString &reason) {
        file.remove();
        releaseTemporary(slot);
        decision.outcome = Refused;
        decision.reason = reason;
        return decision;
    };
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly | QIODevice::Unbuffered))
        return fail(file.errorString());
    for (qsizetype done = 0; done < bytes.size();) {
        const qint64 written = file.write(bytes.constData() + done, bytes.size() - done);
        if (written <= 0)
            return fail(file.errorString());
        done += written;
    }
#ifdef Q_OS_UNIX
    const QByteArray name = QFile::encodeName(target);
    if (decision.outcome == Replace) {
        struct stat old;
        if (::stat(name.constData(), &old) == 0) {
            (void)::fchown(file.handle(), old.st_uid, old.st_gid);
            ::fchmod(file.handle(), old.st_mode & 07777);
        }
        if (::fsync(file.handle()) != 0)
            return fail(qt_error_string(errno));
        file.close();
        if (::rename(temporary.constData(), name.constData()) != 0)
            return fail(qt_error_string(errno));
    } else {
        if (executable)
            ::fchmod(file.handle(), 0777 & ~[] {
                const mode_t mask = ::umask(0);
                ::umask(mask);
                return mask;
            }());
        file.close();
        // Never replaces a name that appeared meanwhile; another writer that
        // was first gets replaced like any other file.
        if (::renameat2(AT_FDCWD, temporary.constData(), AT_FDCWD, name.constData(),
                RENAME_NOREPLACE)
                != 0
            && (errno != EEXIST || ::rename(temporary.constData(), name.constData()) != 0))
            return fail(qt_error_string(errno));
    }
#endif
    releaseTemporary(slot);
    return decision;
}

void projectWriter::removeEmptyFolders()
{
    for (auto it = d->made.crbegin(); it != d->made.crend(); ++it)
        QDir().rmdir(*it);
    d->made.clear();
}

void projectWriter::removeTemporaryFiles()
{
#ifdef Q_OS_UNIX
    for (int i = 0; i < temporarySlots; ++i) {
        if (temporaryInUse[i])
            ::unlink(temporaryNames[i]);
    }
#endif
}
