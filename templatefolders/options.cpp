#include "options.h"

#include "commandline.h"
#include "cppname.h"

#include <QCoreApplication>
#include <QRegularExpression>

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("templateOptions", text);
}

const char *const yesWords[] = { "true", "yes", "1" };
const char *const noWords[] = { "false", "no", "0" };

QString unknown(const templateManifest &manifest, const QString &name)
{
    QStringList names;
    for (const templateOption &known : manifest.options)
        names << known.name;
    return names.isEmpty() ? tr("unknown option \"%1\"; this template has no options").arg(name)
                           : tr("unknown option \"%1\"; the options are %2")
                                 .arg(name, names.join(QStringLiteral(", ")));
}

placeholders::Value defaultValue(const templateOption &option)
{
    if (option.kind == templateOption::YesNo)
        return { option.values.at(option.defaultOn ? 1 : 0), option.defaultOn };
    return { option.defaultText, false };
}

} // namespace

placeholders::Values templateOptions::defaults(const templateManifest &manifest)
{
    placeholders::Values values;
    for (const templateOption &option : manifest.options)
        values.insert(option.name.toLower(), defaultValue(option));
    return values;
}

bool templateOptions::set(const templateManifest &manifest, const QString &name,
    const QString &text, placeholders::Values *values, QString *error)
{
    const templateOption *option = templateJson::option(manifest, name);
    if (!option) {
        *error = unknown(manifest, name);
        return false;
    }
    placeholders::Value value { text, false };
    switch (option->kind) {
    case templateOption::YesNo: {
        const auto is = [&](const char *const(&words)[3]) {
            return std::any_of(std::begin(words), std::end(words), [&](const char *word) {
                return text.compare(QLatin1String(word), Qt::CaseInsensitive) == 0;
            });
        };
        if (!is(yesWords) && !is(noWords)) {
            *error = tr("\"%1\" is not a value of \"%2\": true, false, yes, no, 1, 0")
                         .arg(text, option->name);
            return false;
        }
        value.on = is(yesWords);
        value.text = option->values.at(value.on ? 1 : 0);
        break;
    }
    case templateOption::Choice:
        if (!option->choices.contains(text)) {
            *error = tr("\"%1\" is not one of the choices of \"%2\": %3")
                         .arg(text, option->name, option->choices.join(QStringLiteral(", ")));
            return false;
        }
        break;
    case templateOption::Text:
        // A line break would let a value make lines of its own, such as a
        // block tag's, in a file that only meant to name something.
        if (text.contains(u'\n') || text.contains(u'\r')) {
            *error = tr("the value of \"%1\" holds a line break").arg(option->name);
            return false;
        }
        if (!option->pattern.isEmpty()
            && !QRegularExpression(QRegularExpression::anchoredPattern(option->pattern))
                    .match(text)
                    .hasMatch()) {
            *error = tr("\"%1\" does not match the pattern of \"%2\": %3")
                         .arg(text, option->name, option->pattern);
            return false;
        }
        break;
    }
    values->insert(option->name.toLower(), value);
    return true;
}

bool templateOptions::applies(const templateOption &option, const templateManifest &manifest,
    const placeholders::Values &values)
{
    if (option.when.isEmpty())
        return true;
    std::shared_ptr<const placeholders::Condition> condition;
    QString error;
    return placeholders::compileCondition(option.when, manifest.options, &condition, &error)
        && placeholders::holds(condition, values);
}

void templateOptions::settle(const templateManifest &manifest, placeholders::Values *values)
{
    for (const templateOption &option : manifest.options) {
        if (!applies(option, manifest, *values))
            values->insert(option.name.toLower(), defaultValue(option));
    }
}

bool templateOptions::fromParameters(const templateManifest &manifest,
    const QStringList &parameters, placeholders::Values *values, QString *error)
{
    *values = defaults(manifest);
    for (const QString &parameter : parameters) {
        if (!parameter.startsWith(u'/'))
            continue;
        const qsizetype equals = parameter.indexOf(u'=');
        const QString name = parameter.mid(1, equals < 0 ? -1 : equals - 1);
        if (name.compare(QLatin1String("path"), Qt::CaseInsensitive) == 0
            || name.compare(QLatin1String("project"), Qt::CaseInsensitive) == 0
            || name.compare(QLatin1String("key"), Qt::CaseInsensitive) == 0)
            continue;
        QString problem;
        if (equals < 0)
            problem = templateJson::option(manifest, name)
                ? tr("give a value, as in /%1=VALUE").arg(name)
                : unknown(manifest, name);
        else
            set(manifest, name, parameter.mid(equals + 1), values, &problem);
        if (!problem.isEmpty()) {
            *error = parameter + QLatin1String(": ") + problem;
            return false;
        }
    }
    settle(manifest, values);
    return true;
}

QString templateOptions::nameError(const templateManifest &manifest, const QString &name)
{
    QString standard;
    if (manifest.nameRule == u"identifier") {
        if (!cppName::isIdentifier(name))
            standard = tr("\"%1\" is not an identifier: letters, digits and \"_\", not beginning "
                          "with a digit, and no keyword")
                           .arg(name);
    } else if (manifest.nameRule == u"pattern") {
        if (!QRegularExpression(QRegularExpression::anchoredPattern(manifest.namePattern))
                 .match(name)
                 .hasMatch())
            standard = tr("\"%1\" does not match the pattern %2").arg(name, manifest.namePattern);
    } else if (!commandLine::isProjectName(name)) {
        standard = tr("\"%1\" is not one folder name: no \"/\" or \"\\\", not \".\" or \"..\"")
                       .arg(name);
    }
    return standard.isEmpty() || manifest.nameMessage.isEmpty() ? standard : manifest.nameMessage;
}
