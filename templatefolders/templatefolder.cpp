#include "templatefolder.h"

#include "cp1252.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>
#include <QSet>
#include <QStringDecoder>
#include <QUuid>

#include <algorithm>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

struct templateFolder::File
{
    QString stored; // the path under files/
    QList<placeholders::Text> components; // of the output path
    QList<std::shared_ptr<const placeholders::Condition>> when;
    enum Content { Binary, Verbatim, Rendered };
    Content content = Rendered;
    QByteArray bytes; // Binary
    QString text; // Verbatim
    placeholders::Text compiled; // Rendered
    QString encoding;
    QString newline;
    bool executable = false;
};

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("templateFolder", text);
}

const char utf8Bom[] = "\xef\xbb\xbf";

// "*" stays within a folder, "**" crosses folders ("**/" also matches no
// folder at all), "?" is one character; everything else is itself.
QRegularExpression glob(const QString &pattern)
{
    QString expression;
    for (qsizetype i = 0; i < pattern.size(); ++i) {
        const QChar c = pattern.at(i);
        if (QStringView(pattern).mid(i).startsWith(u"**/")) {
            expression += QLatin1String("(?:.*/)?");
            i += 2;
        } else if (QStringView(pattern).mid(i).startsWith(u"**")) {
            expression += QLatin1String(".*");
            ++i;
        } else if (c == u'*') {
            expression += QLatin1String("[^/]*");
        } else if (c == u'?') {
            expression += QLatin1String("[^/]");
        } else {
            expression += QRegularExpression::escape(QString(c));
        }
    }
    return QRegularExpression(QRegularExpression::anchoredPattern(expression),
        QRegularExpression::DotMatchesEverythingOption);
}

// The line of the first byte that is not UTF-8, from 1; 0 when all are.
int invalidUtf8Line(const QByteArray &bytes)
{
    int line = 1;
    for (const QByteArray &piece : bytes.split('\n')) {
        QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        const QString ignored = decoder(piece);
        if (decoder.hasError())
            return line;
        ++line;
    }
    return 0;
}

QString withNewlines(QString text, const QString &newline)
{
    if (newline == u"lf") {
        text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    } else if (newline == u"crlf") {
        QString out;
        out.reserve(text.size() + text.size() / 16);
        for (qsizetype i = 0; i < text.size(); ++i) {
            if (text.at(i) == u'\n' && (i == 0 || text.at(i - 1) != u'\r'))
                out += u'\r';
            out += text.at(i);
        }
        return out;
    }
    return text;
}

// The bytes of a text in its file's encoding; each character Windows-1252
// cannot hold is noted.
QByteArray encode(
    const QString &text, const QString &encoding, const QString &path, QStringList *notes)
{
    if (encoding == u"utf-8-bom")
        return QByteArray(utf8Bom) + text.toUtf8();
    if (encoding != u"windows-1252")
        return text.toUtf8();
    QList<qsizetype> unmapped;
    QByteArray bytes = cp1252::encode(text, &unmapped);
    int line = 1;
    qsizetype counted = 0;
    for (const qsizetype at : unmapped) {
        line += int(QStringView(text).mid(counted, at - counted).count(u'\n'));
        counted = at;
        const qsizetype length = text.at(at).isHighSurrogate() && at + 1 < text.size() ? 2 : 1;
        notes->append(tr("%1:%2: \"%3\" is not in windows-1252 and was written as \"?\"")
                          .arg(path)
                          .arg(line)
                          .arg(text.mid(at, length)));
    }
    return bytes;
}

// The bytes of a file found while listing files/, and whether its owner may
// execute it. A file that was swapped for a link since is not followed.
QString readFile(const QString &path, QByteArray *bytes, bool *executable)
{
    QFile file;
#ifdef Q_OS_UNIX
    const int descriptor
        = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
    struct stat status;
    if (descriptor < 0)
        return qt_error_string(errno);
    if (::fstat(descriptor, &status) != 0 || !S_ISREG(status.st_mode)) {
        ::close(descriptor);
        return tr("not a regular file");
    }
    file.open(descriptor, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle);
    *executable = status.st_mode & S_IXUSR;
#else
    file.setFileName(path);
    if (!file.open(QIODevice::ReadOnly))
        return file.errorString();
    *executable = file.permissions().testFlag(QFileDevice::ExeOwner);
#endif
    *bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return file.errorString();
    return QString();
}

QString componentProblem(const QString &component)
{
    if (component.isEmpty())
        return tr("an empty folder or file name");
    if (component == u"." || component == u"..")
        return tr("the name \"%1\"").arg(component);
    for (const QChar c : { u'/', u'\\', u':' }) {
        if (component.contains(c))
            return tr("\"%1\" in the name \"%2\"").arg(c).arg(component);
    }
    return QString();
}

} // namespace

bool templateFolder::load(
    const QString &folder, const QString &wizardVersion, templateFolder *out, QStringList *errors)
{
    templateManifest manifest;
    if (!templateJson::read(folder, wizardVersion, &manifest, errors))
        return false;
    const qsizetype errorsBefore = errors->size();
    const QString root = QDir::cleanPath(folder) + QLatin1String("/files");
    const QFileInfo rootInfo(root);
    if (rootInfo.isSymLink() || !rootInfo.isDir()) {
        errors->append(rootInfo.exists() || rootInfo.isSymLink()
                ? tr("files/: must be a folder, not a link or a file")
                : tr("files/: missing; a template folder keeps the project's files there"));
        return false;
    }

    // Every entry, links included: a link could take a file from anywhere.
    QStringList stored;
    QDirIterator entries(root,
        QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
        QDirIterator::Subdirectories);
    while (entries.hasNext()) {
        entries.next();
        const QFileInfo info = entries.fileInfo();
        const QString path = info.filePath().mid(root.size() + 1);
        if (info.isSymLink())
            errors->append(
                tr("files/%1: a symbolic link; a template holds only files and folders").arg(path));
        else if (info.isFile())
            stored.append(path);
        else if (!info.isDir())
            errors->append(tr("files/%1: not a file or a folder").arg(path));
    }
    std::sort(stored.begin(), stored.end());

    // Which rules each file falls under, in manifest order.
    QList<QList<qsizetype>> rulesOf(stored.size());
    for (qsizetype r = 0; r < manifest.files.size(); ++r) {
        const templateFileRule &rule = manifest.files.at(r);
        const QRegularExpression expression = glob(rule.match);
        QStringList matched;
        for (qsizetype f = 0; f < stored.size(); ++f) {
            if (expression.match(stored.at(f)).hasMatch()) {
                rulesOf[f].append(r);
                matched.append(stored.at(f));
            }
        }
        if (matched.isEmpty())
            errors->append(tr("template.json: files[%1].match: \"%2\" matches no file under files/")
                               .arg(r)
                               .arg(rule.match));
        else if (!rule.rename.isEmpty() && matched.size() > 1)
            errors->append(
                tr("template.json: files[%1].rename: the rule matches %2 files (%3, ...); "
                   "a rename needs a rule that matches one")
                    .arg(r)
                    .arg(matched.size())
                    .arg(matched.mid(0, 2).join(QStringLiteral(", "))));
    }

    auto files = std::make_shared<QList<File>>();
    for (qsizetype f = 0; f < stored.size(); ++f) {
        File file;
        file.stored = stored.at(f);
        const QString label = QLatin1String("files/") + file.stored;
        QString encoding, newline, rename;
        QVariant render;
        for (const qsizetype r : rulesOf.at(f)) {
            const templateFileRule &rule = manifest.files.at(r);
            if (!rule.encoding.isEmpty())
                encoding = rule.encoding;
            if (!rule.newline.isEmpty())
                newline = rule.newline;
            if (rule.render.isValid())
                render = rule.render;
            if (!rule.rename.isEmpty())
                rename = rule.rename;
            if (!rule.when.isEmpty()) {
                std::shared_ptr<const placeholders::Condition> condition;
                QString ignored;
                placeholders::compileCondition(rule.when, manifest.options, &condition, &ignored);
                file.when.append(condition);
            }
        }

        const QString outputPath = rename.isEmpty() ? file.stored : rename;
        bool pathFine = true;
        for (const QString &component : outputPath.split(u'/')) {
            placeholders::Text text;
            placeholders::Error error;
            if (!placeholders::compile(component, manifest.options, false, &text, &error)) {
                // A rename's mistakes are the manifest's, reported when it was read.
                if (rename.isEmpty())
                    errors->append(label + QLatin1String(": ") + error.message);
                pathFine = false;
                break;
            }
            file.components.append(text);
        }
        if (!pathFine)
            continue;

        QByteArray bytes;
        const QString reason = readFile(root + u'/' + file.stored, &bytes, &file.executable);
        if (!reason.isEmpty()) {
            errors->append(tr("%1: cannot be read: %2").arg(label, reason));
            continue;
        }
        file.encoding = encoding.isEmpty() ? QStringLiteral("utf-8") : encoding;
        file.newline = newline.isEmpty() ? QStringLiteral("keep") : newline;
        if (encoding == u"binary" || (encoding.isEmpty() && bytes.left(8192).contains('\0'))) {
            file.content = File::Binary;
            file.bytes = bytes;
            files->append(file);
            continue;
        }
        QString text;
        if (file.encoding == u"windows-1252") {
            text = cp1252::decode(bytes);
        } else {
            QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
            const QByteArrayView content = QByteArrayView(bytes).startsWith(utf8Bom)
                ? QByteArrayView(bytes).sliced(3)
                : QByteArrayView(bytes);
            text = utf8(content);
            if (utf8.hasError()) {
                errors->append(tr("%1:%2: not valid UTF-8; give the file's encoding in a rule")
                                   .arg(label)
                                   .arg(invalidUtf8Line(content.toByteArray())));
                continue;
            }
        }
        if (render.isValid() && !render.toBool()) {
            file.content = File::Verbatim;
            file.text = text;
        } else {
            placeholders::Error error;
            if (!placeholders::compile(text, manifest.options, true, &file.compiled, &error)) {
                errors->append(
                    QStringLiteral("%1:%2: %3").arg(label).arg(error.line).arg(error.message));
                continue;
            }
        }
        files->append(file);
    }
    if (errors->size() != errorsBefore)
        return false;
    out->m_folder = folder;
    out->m_manifest = manifest;
    out->m_files = files;
    return true;
}

renderResult templateFolder::render(const QString &name, const placeholders::Values &values,
    const QDate &date, const std::function<QString()> &newGuid) const
{
    renderResult result;
    // A line break in a value could end a line early or start a block tag's line.
    if (name.contains(u'\n') || name.contains(u'\r'))
        result.errors.append(tr("the project name holds a line break"));
    for (auto it = values.begin(); it != values.end(); ++it) {
        if (it.value().text.contains(u'\n') || it.value().text.contains(u'\r'))
            result.errors.append(tr("the value of \"%1\" holds a line break").arg(it.key()));
    }
    if (!result.errors.isEmpty())
        return result;

    placeholders::Context context;
    context.name = name;
    context.values = templateOptions::defaults(m_manifest);
    context.values.insert(values);
    context.date = date;
    context.newGuid = newGuid;
    QHash<QString, QString> sources; // output path -> stored path
    for (const File &file : *m_files) {
        if (!std::all_of(file.when.begin(), file.when.end(), [&](const auto &condition) {
                return placeholders::holds(condition, context.values);
            }))
            continue;
        const QString label = QLatin1String("files/") + file.stored;
        QStringList components;
        QString problem;
        for (const placeholders::Text &text : file.components) {
            components.append(placeholders::render(text, context));
            if (problem.isEmpty())
                problem = componentProblem(components.last());
        }
        const QString path = components.join(u'/');
        if (!problem.isEmpty()) {
            result.errors.append(
                tr("%1: the output path \"%2\" holds %3").arg(label, path, problem));
            continue;
        }
        if (sources.contains(path)) {
            result.errors.append(tr("files/%1 and %2 both give the output path \"%3\"")
                                     .arg(sources.value(path), label, path));
            continue;
        }
        sources.insert(path, file.stored);

        renderedFile output;
        output.path = path;
        output.executable = file.executable;
        switch (file.content) {
        case File::Binary:
            output.bytes = file.bytes;
            output.binary = true;
            result.notes.append(tr("%1: copied as binary").arg(path));
            break;
        case File::Verbatim:
            output.bytes
                = encode(withNewlines(file.text, file.newline), file.encoding, path, &result.notes);
            break;
        case File::Rendered:
            output.bytes
                = encode(withNewlines(placeholders::render(file.compiled, context), file.newline),
                    file.encoding, path, &result.notes);
            break;
        }
        result.files.append(output);
    }

    // A file where another needs a folder cannot be written either.
    for (auto it = sources.begin(); it != sources.end(); ++it) {
        for (qsizetype slash = it.key().indexOf(u'/'); slash >= 0;
             slash = it.key().indexOf(u'/', slash + 1)) {
            const QString folder = it.key().left(slash);
            if (sources.contains(folder))
                result.errors.append(
                    tr("files/%1 gives the file \"%2\", where files/%3 needs a folder")
                        .arg(sources.value(folder), folder, it.value()));
        }
    }
    if (!result.errors.isEmpty()) {
        result.errors.sort();
        result.files.clear();
        result.notes.clear();
        return result;
    }
    std::sort(result.files.begin(), result.files.end(),
        [](const renderedFile &a, const renderedFile &b) { return a.path < b.path; });
    return result;
}

QDate templateFolder::today()
{
    bool number = false;
    const qint64 epoch = qEnvironmentVariable("SOURCE_DATE_EPOCH").toLongLong(&number);
    if (number)
        return QDateTime::fromSecsSinceEpoch(epoch, Qt::UTC).date();
    return QDateTime::currentDateTimeUtc().date();
}

QString templateFolder::newGuid()
{
    return QUuid::createUuid().toString(QUuid::WithoutBraces);
}
