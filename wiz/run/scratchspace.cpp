#include "scratchspace.h"

#include "interruptguard.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSettings>
#include <QStandardPaths>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <csignal>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

const QLatin1String prefix("wiz-dry-");

void pointSettingsAt(const QString &folder)
{
    for (const QSettings::Format format : { QSettings::NativeFormat, QSettings::IniFormat }) {
        QSettings::setPath(format, QSettings::UserScope, folder + QStringLiteral("/user"));
        QSettings::setPath(format, QSettings::SystemScope, folder + QStringLiteral("/system"));
    }
}

// Qt's own defaults on this platform, for the rest of a process that goes on.
void pointSettingsBack()
{
    const QString user = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    for (const QSettings::Format format : { QSettings::NativeFormat, QSettings::IniFormat }) {
        QSettings::setPath(format, QSettings::UserScope, user);
        QSettings::setPath(format, QSettings::SystemScope, QStringLiteral("/etc/xdg"));
    }
}

} // namespace

scratchSpace::scratchSpace()
    : m_dir(QDir::tempPath() + QLatin1Char('/') + prefix
        + QString::number(QCoreApplication::applicationPid()) + QStringLiteral("-XXXXXX"))
{
    m_dir.setAutoRemove(false);
    if (!m_dir.isValid())
        return;
    interruptGuard::setScratchFolder(QFile::encodeName(m_dir.path()));
    m_valid = QDir(m_dir.path()).mkdir(QStringLiteral("location"))
        && QDir(m_dir.path()).mkdir(QStringLiteral("settings"));
    pointSettingsAt(m_dir.filePath(QStringLiteral("settings")));
}

scratchSpace::~scratchSpace()
{
    pointSettingsBack();
    interruptGuard::setScratchFolder(QByteArray());
    if (m_dir.isValid())
        interruptGuard::removeTree(QFile::encodeName(m_dir.path()).constData());
}

QString scratchSpace::location() const
{
    return m_dir.filePath(QStringLiteral("location"));
}

void scratchSpace::removeStale()
{
#ifdef Q_OS_UNIX
    const QDir temp(QDir::tempPath());
    const QStringList names = temp.entryList(
        { prefix + QLatin1Char('*') }, QDir::Dirs | QDir::Hidden | QDir::NoSymLinks);
    for (const QString &name : names) {
        bool number = false;
        const qint64 pid
            = name.mid(prefix.size()).section(QLatin1Char('-'), 0, 0).toLongLong(&number);
        if (!number || pid <= 0 || (::kill(pid_t(pid), 0) == 0 || errno != ESRCH))
            continue;
        const QByteArray path = QFile::encodeName(temp.filePath(name));
        struct stat info;
        if (::lstat(path.constData(), &info) == 0 && S_ISDIR(info.st_mode)
            && info.st_uid == ::geteuid())
            interruptGuard::removeTree(path.constData());
    }
#endif
}
