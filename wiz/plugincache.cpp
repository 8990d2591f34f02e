#include "plugincache.h"

#include "pluginscanner.h"
#include "plugintrust.h"

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QStandardPaths>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const char fileName[] = "templates.json";

QByteArray readAt(int folder, const char *name)
{
    const int fd = ::openat(folder, name, O_RDONLY | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return QByteArray();
    QFile file;
    QByteArray bytes;
    struct stat info;
    if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && file.open(fd, QIODevice::ReadOnly))
        bytes = file.readAll();
    ::close(fd);
    return bytes;
}

bool writeAt(int folder, const char *name, const QByteArray &bytes)
{
    const QByteArray temporary = QByteArray(name) + ".new" + QByteArray::number(::getpid());
    const int fd = ::openat(
        folder, temporary.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0)
        return false;
    qint64 done = 0;
    while (done < bytes.size()) {
        const ssize_t written = ::write(fd, bytes.constData() + done, size_t(bytes.size() - done));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            break;
        done += written;
    }
    const bool whole = ::close(fd) == 0 && done == bytes.size();
    if (whole && ::renameat(folder, temporary.constData(), folder, name) == 0)
        return true;
    ::unlinkat(folder, temporary.constData(), 0);
    return false;
}

} // namespace

pluginCache::pluginCache()
    : m_folder(QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation)
        + QStringLiteral("/wiz"))
    , m_identity(pluginScanner::scannerIdentity())
{
    QString why;
    const pluginTrust::checkedFolder folder = pluginTrust::openFolder(m_folder, &why);
    if (!folder.isOpen())
        return;
    const QJsonObject all = QJsonDocument::fromJson(readAt(folder.fd(), fileName)).object();
    if (all.value(QStringLiteral("wizard")).toString() != m_identity)
        return;
    const QJsonObject libraries = all.value(QStringLiteral("libraries")).toObject();
    for (auto it = libraries.begin(); it != libraries.end(); ++it)
        m_records.insert(it.key(), it.value().toObject());
}

pluginLibrary::fileKey pluginCache::keyOf(const QJsonObject &record)
{
    const auto number = [&record](const char *name) {
        return record.value(QLatin1String(name)).toString().toLongLong();
    };
    return { number("device"), number("inode"), number("size"), number("modified") };
}

QJsonObject pluginCache::withKey(QJsonObject record, const pluginLibrary::fileKey &key)
{
    // Texts: a double would round a modification time in nanoseconds.
    record.insert(QStringLiteral("device"), QString::number(key.device));
    record.insert(QStringLiteral("inode"), QString::number(key.inode));
    record.insert(QStringLiteral("size"), QString::number(key.size));
    record.insert(QStringLiteral("modified"), QString::number(key.modified));
    return record;
}

QJsonObject pluginCache::find(const QString &path, const pluginLibrary::fileKey &key) const
{
    const QJsonObject record = m_records.value(path);
    return !m_identity.isEmpty() && !record.isEmpty() && keyOf(record) == key ? record
                                                                              : QJsonObject();
}

void pluginCache::store(const QString &path, const QJsonObject &record)
{
    m_records.insert(path, record);
    m_changed = true;
}

void pluginCache::save()
{
    if (!m_changed || m_identity.isEmpty())
        return;
    // Made private before anything goes in; one that exists is checked as is.
    QDir().mkpath(QFileInfo(m_folder).path());
    ::mkdir(QFile::encodeName(m_folder).constData(), 0700);
    QString why;
    const pluginTrust::checkedFolder folder = pluginTrust::openFolder(m_folder, &why);
    if (!folder.isOpen()) {
        qDebug().noquote() << QStringLiteral("The list of templates is not remembered in %1: %2")
                                  .arg(m_folder, why);
        return;
    }
    QJsonObject libraries;
    for (auto it = m_records.cbegin(); it != m_records.cend(); ++it) {
        // Libraries that are gone would only make every later listing read more.
        if (QFileInfo::exists(it.key()))
            libraries.insert(it.key(), it.value());
    }
    const QJsonObject all { { QStringLiteral("wizard"), m_identity },
        { QStringLiteral("libraries"), libraries } };
    if (writeAt(folder.fd(), fileName, QJsonDocument(all).toJson(QJsonDocument::Compact)))
        m_changed = false;
}
