#include "templatedescription.h"

#include "cppname.h"
#include "plugincatalog.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QJsonArray>
#include <QRegularExpression>

namespace {

QJsonObject ruleOf(const QJsonObject &about)
{
    return about.value(QLatin1String("name")).toObject();
}

QString ruleKind(const QJsonObject &about)
{
    return ruleOf(about).value(QLatin1String("rule")).toString();
}

// How an option's value is written in the help: TEXT, yes|no, or its choices.
QString valueForm(const QJsonObject &option)
{
    const QString kind = option.value(QLatin1String("kind")).toString();
    if (kind == QLatin1String("yes-no"))
        return QStringLiteral("yes|no");
    if (kind == QLatin1String("choice")) {
        QStringList choices;
        for (const QJsonValue &choice : option.value(QLatin1String("choices")).toArray())
            choices << (choice.isObject() ? choice[QLatin1String("value")].toString()
                                          : choice.toString());
        return choices.join(QLatin1Char('|'));
    }
    return QStringLiteral("TEXT");
}

QString optionLine(const QJsonObject &option)
{
    QString line = QStringLiteral("  /%1=%2")
                       .arg(option.value(QLatin1String("name")).toString(), valueForm(option));
    QStringList words;
    for (const char *member : { "label", "help" }) {
        QString text = option.value(QLatin1String(member)).toString();
        // A label's "&" marks its shortcut key in a window, nothing here.
        if (qstrcmp(member, "label") == 0)
            text.replace(QRegularExpression(QStringLiteral("&(.)")), QStringLiteral("\\1"));
        if (!text.isEmpty())
            words << text;
    }
    QString text = words.join(QLatin1String(". "));
    const QJsonValue fallback = option.value(QLatin1String("default"));
    if (!fallback.isUndefined() && !fallback.isNull())
        text += QCoreApplication::translate("templateDescription", " (default: %1)")
                    .arg(fallback.toVariant().toString());
    if (!text.isEmpty())
        line += QStringLiteral("\n      ") + text.trimmed();
    return line;
}

QString nameRuleText(const QJsonObject &about)
{
    const QString kind = ruleKind(about);
    if (kind == QLatin1String("directory"))
        return QCoreApplication::translate("templateDescription", "any folder name");
    if (kind == QLatin1String("pattern")) {
        const QJsonObject rule = ruleOf(about);
        const QString message = rule.value(QLatin1String("message")).toString();
        const QString pattern = QCoreApplication::translate("templateDescription", "matches %1")
                                    .arg(rule.value(QLatin1String("pattern")).toString());
        return message.isEmpty() ? pattern : message + QStringLiteral(" (") + pattern + ')';
    }
    return QCoreApplication::translate("templateDescription",
        "a C++ identifier (letters, digits and \"_\", not beginning with a digit)");
}

} // namespace

QString templateDescription::description(const QJsonObject &about)
{
    return about.value(QLatin1String("description")).toString();
}

QString templateDescription::toolTip(const pluginEntry &entry)
{
    return description(entry.about);
}

QJsonObject templateDescription::listing(const pluginEntry &entry)
{
    QJsonObject object { { QStringLiteral("title"), entry.title } };
    if (entry.folder.isEmpty())
        object.insert(QStringLiteral("library"), QFileInfo(entry.path).absoluteFilePath());
    else
        object.insert(QStringLiteral("folder"), entry.folder);
    for (const char *member : { "description", "version", "name", "options" }) {
        const QJsonValue value = entry.about.value(QLatin1String(member));
        if (!value.isUndefined())
            object.insert(QLatin1String(member), value);
    }
    return object;
}

QString templateDescription::help(const pluginEntry &entry)
{
    QStringList lines { entry.title };
    const QString text = description(entry.about);
    if (!text.isEmpty())
        lines << text;
    lines << QString();
    const QString version = entry.about.value(QLatin1String("version")).toString();
    if (!version.isEmpty())
        lines << QCoreApplication::translate("templateDescription", "Version: %1").arg(version);
    if (entry.folder.isEmpty())
        lines << QCoreApplication::translate("templateDescription", "Library: %1").arg(QFileInfo(entry.path).absoluteFilePath());
    else
        lines << QCoreApplication::translate("templateDescription", "Folder: %1").arg(entry.folder);
    lines << QCoreApplication::translate("templateDescription", "Project name: %1").arg(nameRuleText(entry.about));
    const QJsonArray options = entry.about.value(QLatin1String("options")).toArray();
    if (options.isEmpty()) {
        lines << QCoreApplication::translate("templateDescription", "Options: none");
    } else {
        lines << QCoreApplication::translate(
            "templateDescription", "Options, each given as /NAME=VALUE:");
        for (const QJsonValue &option : options)
            lines << optionLine(option.toObject());
    }
    return lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
}
