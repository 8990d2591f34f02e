#include "wiz_util.h"

#include <QFileInfo>
#include <QLoggingCategory>
#include <QMessageBox>
#include <QStringDecoder>

#include <algorithm>
#include <iterator>

namespace {

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

void writeFile(const QString &path, const QByteArray &bytes)
{
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
