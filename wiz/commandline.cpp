#include "commandline.h"

#include <QCoreApplication>
#include <QDebug>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>
#include <cstdlib>
#include <tuple>
#include <vector>

namespace {

// The host's own flags. Those that take the next argument as their value
// hand it over unseen, whatever it looks like.
const char *const plainFlags[] = { "--batch", "--dry-run", "--verbose", "-v", "--list", "--json",
    "--help", "-h", "--version", "--paths" };
// The second of each pair names the value in the user's language.
const char *const flagsWithValue[][2]
    = { { "--help-template", QT_TRANSLATE_NOOP("commandLine", "TITLE") },
          { "--template", QT_TRANSLATE_NOOP("commandLine", "DIR") } };
const char existingFlag[] = "--existing";
const char *const existingValues[] = { "replace", "keep", "fail" };

QStringList knownFlags()
{
    QStringList flags;
    for (const char *flag : plainFlags)
        flags << QLatin1String(flag);
    for (const auto &flag : flagsWithValue)
        flags << QLatin1String(flag[0]);
    flags << QLatin1String(existingFlag);
    return flags;
}

// What a person would not count as a difference between two titles.
QString folded(const QString &text)
{
    static const QRegularExpression aroundSlash(QStringLiteral("\\s*/\\s*"));
    return text.simplified().toCaseFolded().replace(aroundSlash, QStringLiteral("/"));
}

int editDistance(const QString &a, const QString &b)
{
    std::vector<int> row(size_t(b.size()) + 1);
    for (size_t j = 0; j < row.size(); ++j)
        row[j] = int(j);
    for (qsizetype i = 1; i <= a.size(); ++i) {
        int diagonal = row[0];
        row[0] = int(i);
        for (qsizetype j = 1; j <= b.size(); ++j) {
            const int above = row[size_t(j)];
            row[size_t(j)] = std::min({ above + 1, row[size_t(j - 1)] + 1,
                diagonal + (a.at(i - 1) == b.at(j - 1) ? 0 : 1) });
            diagonal = above;
        }
    }
    return row.back();
}

// An option is its keyword, "=" and a value; "=" runs and empty pieces are
// dropped, and anything but exactly two pieces is no valid option.
bool optionValue(const QString &argument, QString *value)
{
    const QStringList pieces = argument.split(QLatin1Char('='), Qt::SkipEmptyParts);
    if (pieces.size() != 2)
        return false;
    *value = commandLine::expandEnvironment(pieces.at(1));
    return true;
}

wizRequest::Existing existingChoice(const QString &word)
{
    if (word == QLatin1String("replace"))
        return wizRequest::Replace;
    if (word == QLatin1String("keep"))
        return wizRequest::Keep;
    if (word == QLatin1String("fail"))
        return wizRequest::Fail;
    return wizRequest::Unknown;
}

} // namespace

wizRequest commandLine::scan(const QStringList &arguments)
{
    wizRequest request;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString &argument = arguments.at(i);
        if (i > 0 && argument == QLatin1String("--template") && i + 1 < arguments.size())
            request.templateFolder = arguments.at(++i);
        else if (argument == QLatin1String("--dry-run"))
            request.dryRun = true;
        else if (argument == QLatin1String("--verbose") || argument == QLatin1String("-v"))
            request.verbose = true;
        else if (argument == QLatin1String("--batch"))
            request.batch = true;
        else if (argument.startsWith(QLatin1String("--existing=")))
            request.existing = existingChoice(argument.mid(11));
        else if (argument.startsWith(QLatin1String("/path")))
            optionValue(argument, &request.location);
        else if (argument.startsWith(QLatin1String("/project")))
            optionValue(argument, &request.project);
        else if (argument.startsWith(QLatin1String("/key")))
            optionValue(argument, &request.key);
        else
            request.params << expandEnvironment(argument);
    }
    return request;
}

QString commandLine::expandEnvironment(const QString &text)
{
    // There is no escape for a literal "%": "%%" is an empty name and gives nothing.
    QString result;
    QString name;
    bool inName = false;
    for (const QChar c : text) {
        if (c == QLatin1Char('%')) {
            if (inName && !name.isEmpty())
                result += qEnvironmentVariable(name.toLocal8Bit().constData());
            name.clear();
            inName = !inName;
        } else if (inName) {
            name += c;
            if (name.size() >= 256) {
                qDebug().noquote()
                    << QStringLiteral("serious error = request for environment string is broken: ")
                        + text;
                return result;
            }
        } else {
            result += c;
        }
    }
    // A name still open at the end is dropped.
    return result;
}

commandLine::nameProblem commandLine::projectNameProblem(const QString &name)
{
    if (name.isEmpty())
        return nameProblem::Empty;
    const QString trimmed = name.trimmed();
    if (trimmed.isEmpty())
        return nameProblem::Blank;
    // A folder named " meter" looks like "meter" in every listing.
    if (trimmed.size() != name.size())
        return nameProblem::SpaceAtEdge;
    if (name.contains(QLatin1Char('/')) || name.contains(QLatin1Char('\\'))
        || name == QLatin1String(".") || name == QLatin1String(".."))
        return nameProblem::NotOneFolder;
    return nameProblem::None;
}

bool commandLine::isProjectName(const QString &name)
{
    return projectNameProblem(name) == nameProblem::None;
}

QString commandLine::flagError(const QStringList &arguments)
{
    const QStringList flags = knownFlags();
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString &argument = arguments.at(i);
        if (!argument.startsWith(QLatin1String("--")))
            continue;
        if (flags.contains(argument) && argument != QLatin1String(existingFlag)) {
            for (const auto &flag : flagsWithValue) {
                if (argument != QLatin1String(flag[0]))
                    continue;
                if (++i >= arguments.size())
                    return QCoreApplication::translate("commandLine", "%1 needs a value: %1 %2")
                        .arg(argument, QCoreApplication::translate("commandLine", flag[1]));
            }
            continue;
        }
        const QString name = argument.section(QLatin1Char('='), 0, 0);
        if (name == QLatin1String(existingFlag)) {
            const QString value = argument.mid(name.size() + 1);
            if (std::none_of(std::begin(existingValues), std::end(existingValues),
                    [&value](const char *known) { return value == QLatin1String(known); }))
                return QCoreApplication::translate(
                    "commandLine", "%1: use %2=replace, %2=keep or %2=fail")
                    .arg(argument, name);
            continue;
        }
        const QStringList near = closest(name, flags, 1);
        if (near.isEmpty())
            return QCoreApplication::translate("commandLine", "unknown option %1").arg(argument);
        return QCoreApplication::translate("commandLine", "unknown option %1 (did you mean %2?)")
            .arg(argument, near.first());
    }
    return QString();
}

QString commandLine::requestError(const wizRequest &request)
{
    switch (projectNameProblem(request.project)) {
    case nameProblem::None:
        break;
    case nameProblem::Empty:
        return QCoreApplication::translate(
            "commandLine", "no project name given: use /project=NAME");
    case nameProblem::Blank:
    case nameProblem::SpaceAtEdge:
        return QCoreApplication::translate(
            "commandLine", "\"%1\" is no project name: it begins or ends with a space")
            .arg(request.project);
    case nameProblem::NotOneFolder:
        return QCoreApplication::translate(
            "commandLine", "\"%1\" is no project name: give one directory name with /project=NAME")
            .arg(request.project);
    }
    if (request.location.isEmpty())
        return QCoreApplication::translate("commandLine", "no location given: use /path=DIRECTORY");
    if (request.location.startsWith(QLatin1Char('~')) && !QFileInfo::exists(request.location))
        return tildeExplanation();
    if (request.key.isEmpty() && request.templateFolder.isEmpty())
        return QCoreApplication::translate(
            "commandLine", "no template given: use /key=TITLE; see wiz --list");
    return QString();
}

QString commandLine::titleSuggestion(const QString &key, const QStringList &titles)
{
    QStringList near = closest(key, titles, 3);
    if (near.isEmpty())
        return QCoreApplication::translate("commandLine", "see wiz --list");
    for (QString &title : near)
        title = QLatin1Char('"') + title + QLatin1Char('"');
    QString choices = near.takeLast();
    if (!near.isEmpty())
        //: the last of two or three template titles: "A", "B" or "C"
        choices = QCoreApplication::translate("commandLine", "%1 or %2")
                      .arg(near.join(QStringLiteral(", ")), choices);
    return QCoreApplication::translate("commandLine", "did you mean %1? see wiz --list")
        .arg(choices);
}

QStringList commandLine::closest(const QString &word, const QStringList &candidates, int limit)
{
    const QString typed = folded(word);
    // A quarter of the word may be mistyped: enough for a doubled, dropped or
    // swapped letter, too little for a different word.
    const int tolerance = typed.size() >= 4 ? std::max(1, int(typed.size() / 4)) : 0;
    struct match
    {
        int distance;
        qsizetype lengthDifference;
        QString candidate;
    };
    std::vector<match> near;
    for (const QString &candidate : candidates) {
        const QString known = folded(candidate);
        int distance = editDistance(typed, known);
        // A title typed in part ("Wizard") still finds it.
        if (distance > tolerance && typed.size() >= 4 && known.contains(typed))
            distance = tolerance;
        if (distance <= tolerance)
            near.push_back({ distance, std::abs(known.size() - typed.size()), candidate });
    }
    std::stable_sort(near.begin(), near.end(), [](const match &a, const match &b) {
        return std::tie(a.distance, a.lengthDifference) < std::tie(b.distance, b.lengthDifference);
    });
    QStringList result;
    for (const match &entry : near) {
        // What differs only in case or spacing is the one meant.
        if (entry.distance > 0 && near.front().distance == 0)
            break;
        if (result.size() < limit && !result.contains(entry.candidate))
            result << entry.candidate;
    }
    return result;
}

QString commandLine::tildeExplanation()
{
    return QCoreApplication::translate(
        "commandLine", "\"~\" is not expanded here: type the whole path, such as %1.")
        .arg(QDir::toNativeSeparators(QDir::homePath()));
}

QString commandLine::projectFolder(const QString &location, const QString &name)
{
    return location + QLatin1Char('/') + name;
}
