#include "commandline.h"

#include <QDebug>

namespace {

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
    for (const QString &argument : arguments) {
        if (argument == QLatin1String("--dry-run"))
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

bool commandLine::isProjectName(const QString &name)
{
    return !name.isEmpty() && !name.contains(QLatin1Char('/')) && !name.contains(QLatin1Char('\\'))
        && name != QLatin1String(".") && name != QLatin1String("..");
}
