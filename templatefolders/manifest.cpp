#include "manifest.h"

#include "placeholders.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QRegularExpression>
#include <QVersionNumber>

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("templateManifest", text);
}

const QLatin1String file("template.json");

// Names a placeholder, a condition or the command line gives a meaning of
// its own, and so no option may take.
const char *const reservedNames[]
    = { "name", "guid", "year", "date", "if", "elif", "else", "endif", "path", "project", "key" };

QString typeName(const QJsonValue &value)
{
    switch (value.type()) {
    case QJsonValue::Null:
        return QStringLiteral("null");
    case QJsonValue::Bool:
        return QStringLiteral("a boolean");
    case QJsonValue::Double:
        return QStringLiteral("a number");
    case QJsonValue::String:
        return QStringLiteral("a string");
    case QJsonValue::Array:
        return QStringLiteral("an array");
    case QJsonValue::Object:
        return QStringLiteral("an object");
    case QJsonValue::Undefined:
        break;
    }
    return QStringLiteral("nothing");
}

bool validVersion(const QString &text)
{
    qsizetype end = 0;
    return !QVersionNumber::fromString(text, &end).isNull() && end == text.size();
}

// Collects the mistakes of one manifest, each with the member's path.
class Checker
{
public:
    QStringList *errors;

    void fail(const QString &path, const QString &message)
    {
        errors->append(QStringLiteral("%1: %2: %3").arg(file, path, message));
    }

    // Unknown members are mistakes too: a misspelt one would be ignored.
    void members(const QJsonObject &object, const QString &path, const QStringList &known)
    {
        for (auto it = object.begin(); it != object.end(); ++it) {
            if (!known.contains(it.key()))
                fail(path.isEmpty() ? it.key() : path + u'.' + it.key(),
                    tr("unknown member; the members here are %1")
                        .arg(known.join(QStringLiteral(", "))));
        }
    }

    bool isType(const QJsonValue &value, QJsonValue::Type type, const QString &path)
    {
        if (value.type() == type)
            return true;
        fail(path, tr("must be %1, not %2").arg(typeName(QJsonValue(type)), typeName(value)));
        return false;
    }

    // A string member; absent leaves *out alone.
    bool string(const QJsonObject &object, const QString &key, const QString &path, QString *out)
    {
        const QJsonValue value = object.value(key);
        if (value.isUndefined())
            return false;
        if (!isType(value, QJsonValue::String, path))
            return false;
        *out = value.toString();
        return true;
    }

    bool oneOf(const QString &value, const QStringList &allowed, const QString &path)
    {
        if (allowed.contains(value))
            return true;
        fail(path, tr("\"%1\" is not one of %2").arg(value, allowed.join(QStringLiteral(", "))));
        return false;
    }

    bool pattern(const QString &text, const QString &path)
    {
        const QRegularExpression expression(text);
        if (expression.isValid())
            return true;
        fail(path, tr("not a valid regular expression: %1").arg(expression.errorString()));
        return false;
    }

    void singleLine(const QString &text, const QString &path)
    {
        if (text.contains(u'\n') || text.contains(u'\r'))
            fail(path, tr("holds a line break"));
    }

    void option(const QJsonValue &value, const QString &path, templateManifest *manifest);
    void optionValues(const QJsonObject &object, const QString &path, templateOption *option);
    void rule(const QJsonValue &value, const QString &path, templateManifest *manifest);
};

void Checker::option(const QJsonValue &value, const QString &path, templateManifest *manifest)
{
    if (!isType(value, QJsonValue::Object, path))
        return;
    const QJsonObject object = value.toObject();
    members(object, path,
        { QStringLiteral("name"), QStringLiteral("label"), QStringLiteral("kind"),
            QStringLiteral("default"), QStringLiteral("choices"), QStringLiteral("values"),
            QStringLiteral("pattern"), QStringLiteral("when"), QStringLiteral("help") });
    templateOption option;
    if (!object.contains(QLatin1String("name")))
        fail(path + QLatin1String(".name"), tr("missing; every option needs a name"));
    if (string(object, QStringLiteral("name"), path + QLatin1String(".name"), &option.name)) {
        static const QRegularExpression form(QStringLiteral("^[A-Za-z][A-Za-z0-9_-]*$"));
        const QString lower = option.name.toLower();
        const auto reserved = std::find_if(std::begin(reservedNames), std::end(reservedNames),
            [&](const char *name) { return lower == QLatin1String(name); });
        if (!form.match(option.name).hasMatch())
            fail(path + QLatin1String(".name"),
                tr("\"%1\" must begin with a letter and hold only letters, digits, \"_\" and \"-\"")
                    .arg(option.name));
        else if (reserved != std::end(reservedNames))
            fail(path + QLatin1String(".name"), tr("\"%1\" is a reserved name").arg(option.name));
        else if (lower.startsWith(QLatin1String("wiz")))
            fail(path + QLatin1String(".name"),
                tr("\"%1\" begins with \"wiz\", which is kept for the wizard").arg(option.name));
        else if (const templateOption *earlier = templateJson::option(*manifest, option.name))
            fail(path + QLatin1String(".name"),
                tr("\"%1\" is already the name of another option (\"%2\"); names are compared "
                   "without case")
                    .arg(option.name, earlier->name));
    }
    option.label = option.name;
    string(object, QStringLiteral("label"), path + QLatin1String(".label"), &option.label);
    string(object, QStringLiteral("help"), path + QLatin1String(".help"), &option.help);
    string(object, QStringLiteral("when"), path + QLatin1String(".when"), &option.when);
    QString kind = QStringLiteral("text");
    if (string(object, QStringLiteral("kind"), path + QLatin1String(".kind"), &kind)
        && !oneOf(kind,
            { QStringLiteral("text"), QStringLiteral("yes-no"), QStringLiteral("choice") },
            path + QLatin1String(".kind")))
        return;
    option.kind = kind == u"yes-no" ? templateOption::YesNo
        : kind == u"choice"         ? templateOption::Choice
                                    : templateOption::Text;
    optionValues(object, path, &option);
    manifest->options.append(option);
}

// The members whose meaning depends on the kind: choices, values, pattern, default.
void Checker::optionValues(const QJsonObject &object, const QString &path, templateOption *option)
{
    const auto only = [&](const char *member, templateOption::Kind kind, const QString &kindName) {
        if (object.contains(QLatin1String(member)) && option->kind != kind) {
            fail(path + u'.' + QLatin1String(member), tr("only a %1 option has it").arg(kindName));
            return false;
        }
        return object.contains(QLatin1String(member));
    };
    const QString choicesPath = path + QLatin1String(".choices");
    if (only("choices", templateOption::Choice, QStringLiteral("choice"))
        && isType(object.value(QLatin1String("choices")), QJsonValue::Array, choicesPath)) {
        const QJsonArray choices = object.value(QLatin1String("choices")).toArray();
        for (qsizetype i = 0; i < choices.size(); ++i) {
            const QString itemPath = QStringLiteral("%1[%2]").arg(choicesPath).arg(i);
            QString value, label;
            if (choices.at(i).isObject()) {
                const QJsonObject choice = choices.at(i).toObject();
                members(choice, itemPath, { QStringLiteral("value"), QStringLiteral("label") });
                if (!string(choice, QStringLiteral("value"), itemPath + QLatin1String(".value"),
                        &value))
                    fail(itemPath + QLatin1String(".value"), tr("missing; a choice needs a value"));
                label = value;
                string(choice, QStringLiteral("label"), itemPath + QLatin1String(".label"), &label);
            } else if (choices.at(i).isString()) {
                value = label = choices.at(i).toString();
            } else {
                fail(itemPath,
                    tr("must be a string or an object, not %1").arg(typeName(choices.at(i))));
                continue;
            }
            if (value.isEmpty())
                fail(itemPath, tr("a choice's value must not be empty"));
            else if (option->choices.contains(value))
                fail(itemPath, tr("\"%1\" is already a choice").arg(value));
            singleLine(value, itemPath);
            option->choices.append(value);
            option->choiceLabels.append(label);
        }
    }
    if (option->kind == templateOption::Choice && option->choices.isEmpty()
        && !object.value(QLatin1String("choices")).isArray())
        fail(choicesPath, tr("missing; a choice option needs at least one choice"));
    else if (option->kind == templateOption::Choice && option->choices.isEmpty())
        fail(choicesPath, tr("empty; a choice option needs at least one choice"));

    const QString valuesPath = path + QLatin1String(".values");
    if (only("values", templateOption::YesNo, QStringLiteral("yes-no"))) {
        const QJsonValue values = object.value(QLatin1String("values"));
        const QJsonArray array = values.toArray();
        if (!values.isArray() || array.size() != 2 || !array.at(0).isString()
            || !array.at(1).isString())
            fail(valuesPath, tr("must be an array of two strings, the texts for no and for yes"));
        else
            option->values = QStringList { array.at(0).toString(), array.at(1).toString() };
    }

    const QString patternPath = path + QLatin1String(".pattern");
    if (only("pattern", templateOption::Text, QStringLiteral("text"))
        && string(object, QStringLiteral("pattern"), patternPath, &option->pattern))
        pattern(option->pattern, patternPath);

    const QString defaultPath = path + QLatin1String(".default");
    const QJsonValue given = object.value(QLatin1String("default"));
    switch (option->kind) {
    case templateOption::YesNo:
        if (!given.isUndefined() && isType(given, QJsonValue::Bool, defaultPath))
            option->defaultOn = given.toBool();
        break;
    case templateOption::Choice:
        option->defaultText = option->choices.value(0);
        if (!given.isUndefined() && isType(given, QJsonValue::String, defaultPath)) {
            option->defaultText = given.toString();
            if (!option->choices.isEmpty() && !option->choices.contains(option->defaultText))
                fail(defaultPath,
                    tr("\"%1\" is not one of the choices %2")
                        .arg(option->defaultText, option->choices.join(QStringLiteral(", "))));
        }
        break;
    case templateOption::Text:
        if (!given.isUndefined() && isType(given, QJsonValue::String, defaultPath)) {
            option->defaultText = given.toString();
            singleLine(option->defaultText, defaultPath);
        }
        if (!option->pattern.isEmpty()
            && QRegularExpression(QRegularExpression::anchoredPattern(option->pattern)).isValid()
            && !QRegularExpression(QRegularExpression::anchoredPattern(option->pattern))
                    .match(option->defaultText)
                    .hasMatch())
            fail(defaultPath,
                tr("\"%1\" does not match the pattern %2")
                    .arg(option->defaultText, option->pattern));
        break;
    }
}

void Checker::rule(const QJsonValue &value, const QString &path, templateManifest *manifest)
{
    if (!isType(value, QJsonValue::Object, path))
        return;
    const QJsonObject object = value.toObject();
    members(object, path,
        { QStringLiteral("match"), QStringLiteral("encoding"), QStringLiteral("newline"),
            QStringLiteral("render"), QStringLiteral("when"), QStringLiteral("rename") });
    templateFileRule rule;
    if (!string(object, QStringLiteral("match"), path + QLatin1String(".match"), &rule.match)
        && !object.contains(QLatin1String("match")))
        fail(path + QLatin1String(".match"), tr("missing; every rule needs a match"));
    else if (object.value(QLatin1String("match")).isString() && rule.match.isEmpty())
        fail(path + QLatin1String(".match"), tr("must not be empty"));
    if (string(
            object, QStringLiteral("encoding"), path + QLatin1String(".encoding"), &rule.encoding))
        oneOf(rule.encoding,
            { QStringLiteral("utf-8"), QStringLiteral("utf-8-bom"), QStringLiteral("windows-1252"),
                QStringLiteral("binary") },
            path + QLatin1String(".encoding"));
    if (string(object, QStringLiteral("newline"), path + QLatin1String(".newline"), &rule.newline))
        oneOf(rule.newline,
            { QStringLiteral("lf"), QStringLiteral("crlf"), QStringLiteral("keep") },
            path + QLatin1String(".newline"));
    const QJsonValue render = object.value(QLatin1String("render"));
    if (!render.isUndefined() && isType(render, QJsonValue::Bool, path + QLatin1String(".render")))
        rule.render = render.toBool();
    string(object, QStringLiteral("when"), path + QLatin1String(".when"), &rule.when);
    if (string(object, QStringLiteral("rename"), path + QLatin1String(".rename"), &rule.rename)) {
        placeholders::Text text;
        placeholders::Error error;
        if (!placeholders::compile(rule.rename, manifest->options, false, &text, &error))
            fail(path + QLatin1String(".rename"), error.message);
    }
    manifest->files.append(rule);
}

// A condition may name only the options before it, so the dialog can show
// or hide each option from the ones above it.
void checkCondition(Checker &checker, const QString &condition,
    const QList<templateOption> &options, const QList<templateOption> &before, const QString &path)
{
    std::shared_ptr<const placeholders::Condition> compiled;
    QString message;
    if (!placeholders::compileCondition(condition, options, &compiled, &message))
        checker.fail(path, message);
    else if (!placeholders::compileCondition(condition, before, &compiled, &message))
        checker.fail(path,
            tr("%1 before this one; an option's condition may name only the options above it")
                .arg(message));
}

} // namespace

const templateOption *templateJson::option(const templateManifest &manifest, const QString &name)
{
    for (const templateOption &option : manifest.options) {
        if (option.name.compare(name, Qt::CaseInsensitive) == 0)
            return &option;
    }
    return nullptr;
}

bool templateJson::parse(const QByteArray &json, templateManifest *manifest, QStringList *errors)
{
    const qsizetype errorsBefore = errors->size();
    *manifest = templateManifest();
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(json, &parseError);
    if (parseError.error != QJsonParseError::NoError) {
        const int line = int(json.left(parseError.offset).count('\n')) + 1;
        errors->append(
            tr("%1:%2: not valid JSON: %3").arg(file).arg(line).arg(parseError.errorString()));
        return false;
    }
    if (!document.isObject()) {
        errors->append(tr("%1: must hold one JSON object, the manifest").arg(file));
        return false;
    }
    Checker checker { errors };
    const QJsonObject object = document.object();
    checker.members(object, QString(),
        { QStringLiteral("$schema"), QStringLiteral("title"), QStringLiteral("description"),
            QStringLiteral("icon"), QStringLiteral("version"), QStringLiteral("requires"),
            QStringLiteral("message"), QStringLiteral("name"), QStringLiteral("options"),
            QStringLiteral("files") });
    QString schema;
    checker.string(object, QStringLiteral("$schema"), QStringLiteral("$schema"), &schema);
    if (!object.contains(QLatin1String("title")))
        checker.fail(QStringLiteral("title"), tr("missing; every template needs a title"));
    else if (checker.string(
                 object, QStringLiteral("title"), QStringLiteral("title"), &manifest->title)) {
        if (manifest->title.trimmed().isEmpty())
            checker.fail(QStringLiteral("title"), tr("must not be empty"));
        checker.singleLine(manifest->title, QStringLiteral("title"));
    }
    checker.string(object, QStringLiteral("description"), QStringLiteral("description"),
        &manifest->description);
    checker.string(
        object, QStringLiteral("message"), QStringLiteral("message"), &manifest->message);
    checker.string(
        object, QStringLiteral("version"), QStringLiteral("version"), &manifest->version);
    if (checker.string(object, QStringLiteral("icon"), QStringLiteral("icon"), &manifest->icon)) {
        const QString suffix = QFileInfo(manifest->icon).suffix().toLower();
        if (suffix != u"png" && suffix != u"svg" && suffix != u"xpm")
            checker.fail(QStringLiteral("icon"),
                tr("\"%1\" is not a PNG, SVG or XPM file (.png, .svg, .xpm)").arg(manifest->icon));
        else if (QDir::isAbsolutePath(manifest->icon)
            || manifest->icon.split(u'/').contains(QLatin1String("..")))
            checker.fail(QStringLiteral("icon"),
                tr("\"%1\" must be a path inside the template folder").arg(manifest->icon));
    }
    if (checker.string(object, QStringLiteral("requires"), QStringLiteral("requires"),
            &manifest->requiredVersion)
        && !validVersion(manifest->requiredVersion))
        checker.fail(QStringLiteral("requires"),
            tr("\"%1\" is not a version such as 1.2 or 1.2.3").arg(manifest->requiredVersion));

    const QJsonValue name = object.value(QLatin1String("name"));
    if (!name.isUndefined() && checker.isType(name, QJsonValue::Object, QStringLiteral("name"))) {
        const QJsonObject rule = name.toObject();
        checker.members(rule, QStringLiteral("name"),
            { QStringLiteral("rule"), QStringLiteral("pattern"), QStringLiteral("message") });
        if (checker.string(
                rule, QStringLiteral("rule"), QStringLiteral("name.rule"), &manifest->nameRule))
            checker.oneOf(manifest->nameRule,
                { QStringLiteral("identifier"), QStringLiteral("directory"),
                    QStringLiteral("pattern") },
                QStringLiteral("name.rule"));
        checker.string(rule, QStringLiteral("message"), QStringLiteral("name.message"),
            &manifest->nameMessage);
        const bool hasPattern = checker.string(rule, QStringLiteral("pattern"),
            QStringLiteral("name.pattern"), &manifest->namePattern);
        if (manifest->nameRule == u"pattern" && !rule.contains(QLatin1String("pattern")))
            checker.fail(
                QStringLiteral("name.pattern"), tr("missing; the rule \"pattern\" needs one"));
        else if (hasPattern && manifest->nameRule != u"pattern")
            checker.fail(QStringLiteral("name.pattern"), tr("only the rule \"pattern\" has one"));
        else if (hasPattern)
            checker.pattern(manifest->namePattern, QStringLiteral("name.pattern"));
    }

    const QJsonValue options = object.value(QLatin1String("options"));
    if (!options.isUndefined()
        && checker.isType(options, QJsonValue::Array, QStringLiteral("options"))) {
        const QJsonArray array = options.toArray();
        for (qsizetype i = 0; i < array.size(); ++i)
            checker.option(array.at(i), QStringLiteral("options[%1]").arg(i), manifest);
        // Conditions once every option is known, so a misplaced name is told as such.
        for (qsizetype i = 0; i < manifest->options.size(); ++i) {
            if (!manifest->options.at(i).when.isEmpty())
                checkCondition(checker, manifest->options.at(i).when, manifest->options,
                    manifest->options.mid(0, i), QStringLiteral("options[%1].when").arg(i));
        }
    }

    const QJsonValue files = object.value(QLatin1String("files"));
    if (!files.isUndefined() && checker.isType(files, QJsonValue::Array, QStringLiteral("files"))) {
        const QJsonArray array = files.toArray();
        for (qsizetype i = 0; i < array.size(); ++i) {
            const QString path = QStringLiteral("files[%1]").arg(i);
            checker.rule(array.at(i), path, manifest);
            if (manifest->files.size() == i + 1 && !manifest->files.last().when.isEmpty())
                checkCondition(checker, manifest->files.last().when, manifest->options,
                    manifest->options, path + QLatin1String(".when"));
        }
    }
    return errors->size() == errorsBefore;
}

bool templateJson::read(const QString &folder, const QString &wizardVersion,
    templateManifest *manifest, QStringList *errors)
{
    QFile json(folder + QLatin1String("/template.json"));
    if (!json.open(QIODevice::ReadOnly)) {
        errors->append(tr("%1: cannot be read: %2").arg(file, json.errorString()));
        return false;
    }
    if (!parse(json.readAll(), manifest, errors))
        return false;
    const qsizetype errorsBefore = errors->size();
    Checker checker { errors };
    if (!manifest->icon.isEmpty()) {
        const QFileInfo icon(folder + u'/' + manifest->icon);
        if (!icon.isFile() || icon.isSymLink())
            checker.fail(QStringLiteral("icon"),
                tr("\"%1\" is not a file in the template folder").arg(manifest->icon));
    }
    if (!wizardVersion.isEmpty() && !manifest->requiredVersion.isEmpty()
        && QVersionNumber::fromString(wizardVersion)
            < QVersionNumber::fromString(manifest->requiredVersion))
        checker.fail(QStringLiteral("requires"),
            tr("the template needs wizard version %1 or later; this is %2")
                .arg(manifest->requiredVersion, wizardVersion));
    return errors->size() == errorsBefore;
}

QJsonObject templateJson::description(const templateManifest &manifest, const QString &folder)
{
    QJsonObject description { { QStringLiteral("title"), manifest.title } };
    const auto add = [&](const char *key, const QString &value) {
        if (!value.isEmpty())
            description.insert(QLatin1String(key), value);
    };
    add("description", manifest.description);
    add("version", manifest.version);
    add("requires", manifest.requiredVersion);
    add("message", manifest.message);
    if (!manifest.icon.isEmpty())
        add("icon", QDir::cleanPath(QDir(folder).absoluteFilePath(manifest.icon)));
    QJsonObject name { { QStringLiteral("rule"), manifest.nameRule } };
    if (!manifest.namePattern.isEmpty())
        name.insert(QLatin1String("pattern"), manifest.namePattern);
    if (!manifest.nameMessage.isEmpty())
        name.insert(QLatin1String("message"), manifest.nameMessage);
    description.insert(QLatin1String("name"), name);

    QJsonArray options;
    for (const templateOption &option : manifest.options) {
        static const char *const kinds[] = { "text", "yes-no", "choice" };
        QJsonObject entry { { QStringLiteral("name"), option.name },
            { QStringLiteral("label"), option.label },
            { QStringLiteral("kind"), QLatin1String(kinds[option.kind]) } };
        if (option.kind == templateOption::YesNo) {
            entry.insert(QLatin1String("default"), option.defaultOn);
            entry.insert(QLatin1String("values"), QJsonArray::fromStringList(option.values));
        } else {
            entry.insert(QLatin1String("default"), option.defaultText);
        }
        if (option.kind == templateOption::Choice) {
            QJsonArray choices;
            for (qsizetype i = 0; i < option.choices.size(); ++i) {
                if (option.choiceLabels.at(i) == option.choices.at(i))
                    choices.append(option.choices.at(i));
                else
                    choices.append(QJsonObject { { QStringLiteral("value"), option.choices.at(i) },
                        { QStringLiteral("label"), option.choiceLabels.at(i) } });
            }
            entry.insert(QLatin1String("choices"), choices);
        }
        if (!option.pattern.isEmpty())
            entry.insert(QLatin1String("pattern"), option.pattern);
        if (!option.when.isEmpty())
            entry.insert(QLatin1String("when"), option.when);
        if (!option.help.isEmpty())
            entry.insert(QLatin1String("help"), option.help);
        options.append(entry);
    }
    description.insert(QLatin1String("options"), options);
    return description;
}
