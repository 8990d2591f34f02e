#include "plugintrust.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <cstring>
#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("pluginTrust", text);
}

#ifdef Q_OS_UNIX
QString userName(uid_t uid)
{
    const passwd *user = ::getpwuid(uid);
    return user ? QString::fromLocal8Bit(user->pw_name) : QString::number(uid);
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

QString statRefusal(const QString &path, bool wantDirectory)
{
    struct stat info;
    if (::stat(QFile::encodeName(path).constData(), &info) != 0)
        return qt_error_string(errno);
    if (wantDirectory ? !S_ISDIR(info.st_mode) : !S_ISREG(info.st_mode))
        return wantDirectory
            ? QCoreApplication::translate("pluginTrust", "it is not a folder")
            : QCoreApplication::translate("pluginTrust", "it is not a regular file");
    if (info.st_uid != 0 && info.st_uid != ::geteuid())
        return QCoreApplication::translate(
            "pluginTrust", "it belongs to %1, neither to you nor to root")
            .arg(userName(info.st_uid));
    if (info.st_mode & S_IWOTH)
        return QCoreApplication::translate("pluginTrust", "it is writable by every user");
    if ((info.st_mode & S_IWGRP) && !isPrivateGroup(info.st_uid, info.st_gid)) {
        const group *writers = ::getgrgid(info.st_gid);
        return QCoreApplication::translate("pluginTrust", "it is writable by the group %1")
            .arg(writers ? QString::fromLocal8Bit(writers->gr_name) : QString::number(info.st_gid));
    }
    return QString();
}
#endif

} // namespace

QString pluginTrust::folderRefusal(const QString &folder)
{
#ifdef Q_OS_UNIX
    return statRefusal(folder, true);
#else
    return QFileInfo(folder).isDir() ? QString() : tr("it is not a folder");
#endif
}

QString pluginTrust::libraryRefusal(const QString &path)
{
#ifdef Q_OS_UNIX
    const QString refusal = statRefusal(path, false);
    if (!refusal.isEmpty())
        return refusal;
    // A link is only as safe as the folder of the file it leads to, where
    // whoever can write may swap that file.
    const QFileInfo link(path);
    if (link.isSymLink()) {
        const QString target = QFileInfo(link.canonicalFilePath()).absolutePath();
        const QString why = statRefusal(target, true);
        if (!why.isEmpty())
            return tr("it leads into %1, and %2").arg(target, why);
    }
    return QString();
#else
    return QFileInfo(path).isFile() ? QString() : tr("it is not a regular file");
#endif
}
