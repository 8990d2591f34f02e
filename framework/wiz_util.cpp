#include "wiz_util.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QMessageBox>
#include <QRandomGenerator>
#include <QSaveFile>
#include <QStringDecoder>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iterator>

#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <dlfcn.h>
#endif

namespace {

// A function of the program that loaded this library, or null.
void *hostFunction(const char *name)
{
#ifdef Q_OS_WIN
    return reinterpret_cast<void *>(GetProcAddress(GetModuleHandleW(nullptr), name));
#else
    return dlsym(RTLD_DEFAULT, name);
#endif
}

// The wizard decides and writes every file itself while it runs a template;
// it offers that through an entry point of its program. Without one (an
// older wizard, or a program of one's own) this library writes by itself.
using hostWriteFunction = int (*)(const QString *path, const QByteArray *bytes, QString *reason);
using hostNoteFunction = void (*)(const QString *text);

hostWriteFunction hostWriter()
{
    static const auto write
        = reinterpret_cast<hostWriteFunction>(hostFunction("zelk_wizard_host_write"));
    return write;
}

// Three plug-ins write only into the project directory that the host made and
// are built without this step (WIZ_UTIL_NO_PARENT_DIR).
void makeParentDirectory(const QString &path)
{
    // The wizard makes missing folders itself, without following links.
    if (hostWriter())
        return;
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

// True when the wizard took the file; its outcome goes to the debug lines
// only, as the wizard tells the user itself.
bool handedToHost(const QString &path, const QByteArray &bytes)
{
    const hostWriteFunction write = hostWriter();
    if (!write)
        return false;
    QString reason;
    static const char *const words[] = { "create", "replace", "unchanged", "refused" };
    const int outcome = write(&path, &bytes, &reason);
    if (outcome < 0 || outcome > 3)
        return false;
    qCDebug(lcOutput, "%s %s%s%s", words[outcome], qPrintable(path), reason.isEmpty() ? "" : ": ",
        qPrintable(reason));
    return true;
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
    if (handedToHost(path, bytes))
        return;
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

// Windows-1252 is Latin-1 but for 0x80 to 0x9F. The five bytes it leaves
// undefined stand for the C1 controls of the same number, as Windows itself
// reads them, so that every byte of an 8-bit template survives the round trip.
const char16_t cp1252High[32]
    = { 0x20ac, 0x0081, 0x201a, 0x0192, 0x201e, 0x2026, 0x2020, 0x2021, 0x02c6, 0x2030, 0x0160,
          0x2039, 0x0152, 0x008d, 0x017d, 0x008f, 0x0090, 0x2018, 0x2019, 0x201c, 0x201d, 0x2022,
          0x2013, 0x2014, 0x02dc, 0x2122, 0x0161, 0x203a, 0x0153, 0x009d, 0x017e, 0x0178 };

const char utf8Bom[] = "\xef\xbb\xbf";

} // namespace

QString wiz::text(const QByteArray &in)
{
    const QByteArrayView bytes(in.constData(), qstrnlen(in.constData(), size_t(in.size())));
    if (bytes.startsWith(utf8Bom)) {
        // A template that claims UTF-8 but is not would lose its odd bytes to
        // replacement characters; as 8-bit text it still comes back as stored.
        QStringDecoder utf8(QStringDecoder::Utf8,
            QStringDecoder::Flag::ConvertInitialBom | QStringDecoder::Flag::Stateless);
        QString text = utf8(bytes);
        if (!utf8.hasError())
            return text;
    }
    QString text(bytes.size(), Qt::Uninitialized);
    QChar *out = text.data();
    for (const char byte : bytes) {
        const uchar c = uchar(byte);
        *out++ = c >= 0x80 && c < 0xa0 ? QChar(cp1252High[c - 0x80]) : QChar(c);
    }
    return text;
}

QByteArray wiz::encoded(const QString &text)
{
    if (text.startsWith(QChar::ByteOrderMark))
        return text.toUtf8();
    QByteArray bytes;
    bytes.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text.at(i).unicode();
        if (c < 0x80 || (c >= 0xa0 && c <= 0xff)) {
            bytes += char(c);
            continue;
        }
        const char16_t *found = std::find(std::begin(cp1252High), std::end(cp1252High), c);
        bytes += found != std::end(cp1252High) ? char(0x80 + (found - cp1252High)) : '?';
        // A character outside the first plane is one character, so one "?".
        if (QChar::isHighSurrogate(c) && i + 1 < text.size() && text.at(i + 1).isLowSurrogate())
            ++i;
    }
    return bytes;
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

void wiz::note(const QString &text)
{
    static const auto hostNote = reinterpret_cast<hostNoteFunction>(hostFunction("zelk_wizard_host_note"));
    if (hostNote)
        hostNote(&text);
    else
        std::fprintf(stderr, "wiz: note: %s\n", qPrintable(text));
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
    if (!replace.isEmpty())
        in.replace(QStringLiteral("%%NAME%%"), replace);
    makeParentDirectory(path);
    writeFile(path, encoded(in));
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
    writeFile(path, encoded(applyReplaceList(std::move(in), replacepairs)));
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
