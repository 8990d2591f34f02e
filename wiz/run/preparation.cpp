#include "preparation.h"

#include "commandline.h"
#include "projectwriter.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

QString cannotCreate(const QString &dir, const QString &reason)
{
    return QCoreApplication::translate("templateRunner", "cannot create %1: %2").arg(dir, reason);
}

} // namespace

QString preparation::refusal(const QString &location, const QString &name)
{
    const QString dir = commandLine::projectFolder(location, name);
#ifdef Q_OS_UNIX
    struct stat info;
    if (::lstat(QFile::encodeName(dir).constData(), &info) != 0)
        return QString();
    if (S_ISLNK(info.st_mode))
        return QCoreApplication::translate(
            "templateRunner", "%1 is a symbolic link; the wizard does not write through it.")
            .arg(dir);
    if (!S_ISDIR(info.st_mode))
        return QCoreApplication::translate("templateRunner", "%1 exists and is not a folder.")
            .arg(dir);
    if (info.st_uid != ::geteuid())
        return QCoreApplication::translate(
            "templateRunner", "%1 belongs to another user; the wizard does not write into it.")
            .arg(dir);
#else
    const QFileInfo info(dir);
    if (info.exists() && !info.isDir())
        return QCoreApplication::translate("templateRunner", "%1 exists and is not a folder.")
            .arg(dir);
#endif
    return QString();
}

QString preparation::make(
    projectWriter &writer, const QString &location, const QString &name, bool *created)
{
    *created = false;
    const QString why = refusal(location, name);
    if (!why.isEmpty())
        return why;
    const projectWriter::Decision made = writer.makeFolder(name);
    if (made.outcome == projectWriter::Refused) {
        // Another run may have put something else there meanwhile.
        const QString now = refusal(location, name);
        return now.isEmpty() ? cannotCreate(commandLine::projectFolder(location, name), made.reason) : now;
    }
    *created = made.outcome == projectWriter::Create;
    return QString();
}

QString preparation::predict(projectWriter &writer, const QString &location, const QString &name)
{
    const QString why = refusal(location, name);
    if (!why.isEmpty() || QFileInfo::exists(commandLine::projectFolder(location, name)))
        return why;
    // Whether a new entry of that name could be made in the location at all.
    const projectWriter::Decision entry = writer.plan(name, QByteArray());
    if (entry.outcome == projectWriter::Refused)
        return cannotCreate(commandLine::projectFolder(location, name), entry.reason);
    return QString();
}
