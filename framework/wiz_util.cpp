#include "wiz_util.h"

#include "cp1252.h"
#include "projectwriter.h"

#include <QFileInfo>
#include <QHash>
#include <QLoggingCategory>
#include <QMessageBox>
#include <QStringDecoder>

#include <cstdio>
#include <cstring>

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

// Debug lines for what was done to each file, a warning with the reason for
// each file that could not be written. The host enables the debug lines to
// learn the outcome of a run; anyone else sees only the warnings.
Q_LOGGING_CATEGORY(lcOutput, "wiz", QtWarningMsg)

void failed(const QString &path, const QString &reason)
{
    qCWarning(lcOutput, "cannot write %s: %s", qPrintable(path), qPrintable(reason));
}

// Where a writer for path is rooted and the path below it. Three plug-ins
// write only into the project directory that the host made and are built
// without the parent-directory step (WIZ_UTIL_NO_PARENT_DIR); the others may
// have one missing folder made, so their writer starts one level higher.
struct rootedPath
{
    QString location;
    QString below;
};

rootedPath rooted(const QString &path)
{
    const QFileInfo file(path);
    const QString folder = file.absolutePath();
#ifndef WIZ_UTIL_NO_PARENT_DIR
    const QFileInfo parent(folder);
    if (!parent.isDir() && !parent.isSymLink() && !parent.isRoot())
        return { parent.absolutePath(), parent.fileName() + QLatin1Char('/') + file.fileName() };
#endif
    return { folder, file.fileName() };
}

void makeParentDirectory(const QString &path)
{
    // The wizard makes missing folders itself, without following links.
    if (hostWriter())
        return;
#ifndef WIZ_UTIL_NO_PARENT_DIR
    const rootedPath target = rooted(path);
    const qsizetype slash = target.below.indexOf(QLatin1Char('/'));
    if (slash > 0)
        projectWriter(target.location).makeFolder(target.below.left(slash));
#else
    Q_UNUSED(path);
#endif
}

// All or nothing: a file appears or changes only once its bytes are complete,
// so a full disk or a crash leaves the old file as it was.
void writeLocally(const QString &path, const QByteArray &bytes)
{
    const rootedPath target = rooted(path);
    const projectWriter::Decision decision
        = projectWriter(target.location).write(target.below, bytes);
    switch (decision.outcome) {
    case projectWriter::Refused:
        return failed(path, decision.reason);
    case projectWriter::Unchanged:
        qCDebug(lcOutput, "unchanged %s", qPrintable(path));
        return;
    case projectWriter::Create:
        qCDebug(lcOutput, "create %s", qPrintable(path));
        return;
    case projectWriter::Replace:
        qCDebug(lcOutput, "replace %s", qPrintable(path));
        return;
    }
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

void writeFile(const QString &path, const QByteArray &bytes)
{
    if (!handedToHost(path, bytes))
        writeLocally(path, bytes);
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

// A missing folder on the way is no refusal: the plan starts at the deepest
// folder that exists, as a write would make the rest.
wiz::Outcome wiz::plan(const QString &path, const QByteArray &bytes, QString *reason)
{
    QFileInfo folder(QFileInfo(path).absolutePath());
    QString below = QFileInfo(path).fileName();
    while (!folder.exists() && !folder.isSymLink() && !folder.isRoot()) {
        below.prepend(folder.fileName() + QLatin1Char('/'));
        folder.setFile(folder.absolutePath());
    }
    const projectWriter::Decision decision
        = projectWriter(folder.absoluteFilePath()).plan(below, bytes);
    *reason = decision.reason;
    return decision.outcome;
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
    static const auto hostNote
        = reinterpret_cast<hostNoteFunction>(hostFunction("zelk_wizard_host_note"));
    if (hostNote)
        hostNote(&text);
    else
        std::fprintf(stderr, "wiz: note: %s\n", qPrintable(text));
}
