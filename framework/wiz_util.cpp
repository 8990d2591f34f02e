#include "wiz_util.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QMessageBox>
#include <QSaveFile>

#include <cerrno>
#include <cstring>

namespace {

// Three plug-ins write only into the project directory that the host made and
// are built without this step (WIZ_UTIL_NO_PARENT_DIR).
void makeParentDirectory(const QString &path)
{
#ifndef WIZ_UTIL_NO_PARENT_DIR
    QDir().mkdir(QFileInfo(path).absolutePath());
#else
    Q_UNUSED(path);
#endif
}

// Debug lines for what was done to each file, a warning with the reason for
// each file that could not be written. The host enables the debug lines to
// learn the outcome of a run; anyone else sees only the warnings.
Q_LOGGING_CATEGORY(lcOutput, "wiz", QtWarningMsg)

void failed(const QString &path, const QString &reason)
{
    qCWarning(lcOutput, "cannot write %s: %s", qPrintable(path), qPrintable(reason));
}

bool holds(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) && file.readAll() == bytes;
}

// All or nothing: the bytes go to a temporary file beside the target, which
// replaces it only once complete, so a full disk or a crash leaves the old
// file as it was. Identical content is not rewritten, so build tools see no
// change. A link or a special file in the target's place is never written
// through.
void writeFile(const QString &path, const QByteArray &bytes)
{
    const QFileInfo target(path);
    if (target.isSymLink())
        return failed(path, QStringLiteral("it is a symbolic link"));
    const bool exists = target.exists();
    if (exists && !target.isFile())
        return failed(path,
            target.isDir() ? qt_error_string(EISDIR) : QStringLiteral("it is not a regular file"));
    if (exists && !target.isWritable())
        return failed(path, qt_error_string(EACCES));
    if (exists && target.size() == bytes.size() && holds(path, bytes)) {
        qCDebug(lcOutput, "unchanged %s", qPrintable(path));
        return;
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return failed(path, file.errorString());
    if (file.write(bytes) != bytes.size() || !file.commit())
        return failed(path, file.errorString());
    qCDebug(lcOutput, "%s %s", exists ? "replace" : "create", qPrintable(path));
}

// Every occurrence of tag, left to right and without overlaps, in one pass
// that copies the text once. QString::replace grows faster than the text when
// tag and value differ in length, which a 20 MB template makes plain.
void replaceAll(QString &text, const QString &tag, const QString &value)
{
    qsizetype at = text.indexOf(tag);
    if (at < 0)
        return;
    QString result;
    result.reserve(text.size() + qMax<qsizetype>(0, value.size() - tag.size()) * 16);
    qsizetype from = 0;
    for (; at >= 0; at = text.indexOf(tag, from)) {
        result.append(QStringView(text).mid(from, at - from)).append(value);
        from = at + tag.size();
    }
    result.append(QStringView(text).mid(from));
    text = std::move(result);
}

} // namespace

QString wiz::text(const QByteArray &in)
{
    const qsizetype length = qstrnlen(in.constData(), size_t(in.size()));
    return QString::fromLatin1(in.constData(), length);
}

QString wiz::applyReplaceList(QString text, const QStringList &replacepairs)
{
    for (qsizetype i = 0; i + 1 < replacepairs.size(); i += 2) {
        const QString &tag = replacepairs.at(i);
        if (!tag.isEmpty())
            replaceAll(text, tag, replacepairs.at(i + 1));
    }
    return text;
}

QString wiz::environment(const char *variable, const char *unset)
{
    return qEnvironmentVariableIsSet(variable) ? qEnvironmentVariable(variable)
                                               : QString::fromLatin1(unset);
}

void wiz::savefile(QString in, QString path, QString replace)
{
    if (!replace.isEmpty())
        in.replace(QStringLiteral("%%NAME%%"), replace);
    makeParentDirectory(path);
    writeFile(path, in.toLatin1());
}

void wiz::savefile(QString in, QString path, QStringList replacepairs)
{
    // The directory comes first: it exists afterwards even for an odd list.
    makeParentDirectory(path);
    if (replacepairs.size() % 2) {
        QMessageBox::warning(nullptr, path,
            QStringLiteral("Replace lists must exist in pairs of TAG VALUE TAG VALUE\n"
                           "Can't do replace function on %1")
                .arg(path));
        return;
    }
    writeFile(path, applyReplaceList(std::move(in), replacepairs).toLatin1());
}

void wiz::savefilebinary(QByteArray in, QString path)
{
    makeParentDirectory(path);
    writeFile(path, in);
}

void wiz::savefile(const QByteArray &in, const QString &path, const QString &replace)
{
    savefile(text(in), path, replace);
}

void wiz::savefile(const QByteArray &in, const QString &path, const QStringList &replacepairs)
{
    savefile(text(in), path, replacepairs);
}
