#include "wiz_util.h"

#include "cp1252.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QLoggingCategory>
#include <QMessageBox>
#include <QRandomGenerator>
#include <QSaveFile>
#include <QStringDecoder>

#include <cerrno>
#include <cstdio>
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

// Writes all of bytes to file, which is open unbuffered so that a short
// write shows at once and the next one gives the system's reason ("No space
// left on device"). An empty reason means success.
QString writeAll(QFileDevice &file, const QByteArray &bytes)
{
    for (qsizetype done = 0; done < bytes.size();) {
        const qint64 written = file.write(bytes.constData() + done, bytes.size() - done);
        if (written <= 0)
            return file.errorString();
        done += written;
    }
    return QString();
}

// A file that does not exist yet is written under a temporary name beside it
// and renamed into place, which never replaces a file that appeared in the
// meantime. There are no old bytes to keep safe, so unlike QSaveFile it does
// not wait for the disk. False when the name was taken after all.
bool createFile(const QString &path, const QByteArray &bytes, QString *reason)
{
    QFile file;
    do {
        file.setFileName(path
            + QStringLiteral(".%1~").arg(
                QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0')));
    } while (file.exists());
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly | QIODevice::Unbuffered)) {
        *reason = file.errorString();
        return true;
    }
    *reason = writeAll(file, bytes);
    file.close();
    if (reason->isEmpty() && file.rename(path))
        return true;
    file.remove();
    return !reason->isEmpty();
}

// All or nothing: the bytes go to a temporary file beside the target, which
// takes its place only once complete, so a full disk or a crash leaves the
// old file as it was.
void writeFile(const QString &path, const QByteArray &bytes)
{
    QString reason;
    switch (wiz::plan(path, bytes, &reason)) {
    case wiz::Refused:
        return failed(path, reason);
    case wiz::Unchanged:
        qCDebug(lcOutput, "unchanged %s", qPrintable(path));
        return;
    case wiz::Create:
        if (createFile(path, bytes, &reason)) {
            if (!reason.isEmpty())
                return failed(path, reason);
            qCDebug(lcOutput, "create %s", qPrintable(path));
            return;
        }
        break; // another writer was first: replace its file like any other
    case wiz::Replace:
        break;
    }
    // The old file's permissions carry over; an unfinished file is discarded
    // with the QSaveFile.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return failed(path, file.errorString());
    reason = writeAll(file, bytes);
    if (!reason.isEmpty())
        return failed(path, reason);
    if (!file.commit())
        return failed(path, file.errorString());
    qCDebug(lcOutput, "replace %s", qPrintable(path));
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

const char utf8Bom[] = "\xef\xbb\xbf";

// The bytes of a template that are text: those before the first NUL.
QByteArrayView textBytes(const QByteArray &in)
{
    return QByteArrayView(in.constData(), qstrnlen(in.constData(), size_t(in.size())));
}

// Utf8 or Windows1252: how bytes declared as declared are read, and so written.
// A template that claims UTF-8 but is not would lose its odd bytes to
// replacement characters; as 8-bit text it still comes back as stored.
wiz::Encoding readAs(QByteArrayView bytes, wiz::Encoding declared)
{
    const bool utf8 = declared == wiz::Encoding::Utf8
        || (declared == wiz::Encoding::Auto && bytes.startsWith(utf8Bom));
    return utf8 && bytes.isValidUtf8() ? wiz::Encoding::Utf8 : wiz::Encoding::Windows1252;
}

QString fromWindows1252(QByteArrayView bytes)
{
    return cp1252::decode(bytes);
}

QByteArray toWindows1252(const QString &text)
{
    return cp1252::encode(text);
}

// Only files declared otherwise than Auto are kept, by the address of their
// bytes, which the generated table holds for as long as the library is loaded.
QHash<const void *, wiz::Encoding> &declaredEncodings()
{
    static QHash<const void *, wiz::Encoding> encodings;
    return encodings;
}

void saveText(QString in, const QString &path, const QString &replace, wiz::Encoding encoding)
{
    if (!replace.isEmpty())
        in.replace(QStringLiteral("%%NAME%%"), replace);
    makeParentDirectory(path);
    writeFile(path, wiz::encoded(in, encoding));
}

void saveText(
    QString in, const QString &path, const QStringList &replacepairs, wiz::Encoding encoding)
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
    writeFile(path, wiz::encoded(wiz::applyReplaceList(std::move(in), replacepairs), encoding));
}

} // namespace

wiz::Encoding wiz::declaredEncoding(const QByteArray &in)
{
    return declaredEncodings().value(in.constData(), Encoding::Auto);
}

void wiz::declareEncoding(const QByteArray &in, Encoding encoding)
{
    if (encoding != Encoding::Auto)
        declaredEncodings().insert(in.constData(), encoding);
}

QString wiz::text(const QByteArray &in)
{
    return text(in, declaredEncoding(in));
}

QString wiz::text(const QByteArray &in, Encoding encoding)
{
    const QByteArrayView bytes = textBytes(in);
    if (readAs(bytes, encoding) == Encoding::Windows1252)
        return fromWindows1252(bytes);
    // The mark, where the template has one, stays: it is part of the template.
    QStringDecoder utf8(QStringDecoder::Utf8,
        QStringDecoder::Flag::ConvertInitialBom | QStringDecoder::Flag::Stateless);
    return utf8(bytes);
}

QByteArray wiz::encoded(const QString &text, Encoding encoding)
{
    const bool utf8 = encoding == Encoding::Utf8
        || (encoding == Encoding::Auto && text.startsWith(QChar::ByteOrderMark));
    return utf8 ? text.toUtf8() : toWindows1252(text);
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

// Identical content is not rewritten, so build tools see no change; a link or
// a special file in the target's place is never written through.
wiz::Outcome wiz::plan(const QString &path, const QByteArray &bytes, QString *reason)
{
    const QFileInfo target(path);
    if (target.isSymLink())
        *reason = QStringLiteral("it is a symbolic link");
    else if (target.isDir())
        *reason = qt_error_string(EISDIR);
    else if (target.exists() && !target.isFile())
        *reason = QStringLiteral("it is not a regular file");
    if (!reason->isEmpty())
        return Refused;
    if (!target.exists())
        return Create;
    if (target.size() == bytes.size() && holds(path, bytes))
        return Unchanged;
    // The rename would replace a file the user made read-only to keep it.
    if (!target.isWritable()) {
        *reason = qt_error_string(EACCES);
        return Refused;
    }
    return Replace;
}

void wiz::savefile(QString in, QString path, QString replace)
{
    saveText(std::move(in), path, replace, Encoding::Auto);
}

void wiz::savefile(QString in, QString path, QStringList replacepairs)
{
    saveText(std::move(in), path, replacepairs, Encoding::Auto);
}

void wiz::savefilebinary(QByteArray in, QString path)
{
    makeParentDirectory(path);
    writeFile(path, in);
}

void wiz::savefile(const QByteArray &in, const QString &path, const QString &replace)
{
    const Encoding encoding = readAs(textBytes(in), declaredEncoding(in));
    saveText(text(in, encoding), path, replace, encoding);
}

void wiz::savefile(const QByteArray &in, const QString &path, const QStringList &replacepairs)
{
    const Encoding encoding = readAs(textBytes(in), declaredEncoding(in));
    saveText(text(in, encoding), path, replacepairs, encoding);
}

void wiz::note(const QString &text)
{
    std::fprintf(stderr, "wiz: note: %s\n", qPrintable(text));
}
