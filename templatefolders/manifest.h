#ifndef MANIFEST_H
#define MANIFEST_H

#include <QJsonObject>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

// A template folder's template.json, read and checked member by member. Every
// mistake is one line "template.json: MEMBER.PATH: what is wrong", such as
// template.json: options[1].kind: "colour" is not one of text, yes-no, choice

struct templateOption
{
    enum Kind { Text, YesNo, Choice };
    QString name; // as written; compared without case
    QString label; // the name when the manifest gives none
    Kind kind = Text;
    QString defaultText; // text and choice
    bool defaultOn = false; // yes-no
    QStringList choices; // the values of a choice
    QStringList choiceLabels; // one per choice, the value when none is given
    QStringList values { QStringLiteral("false"), QStringLiteral("true") }; // yes-no
    QString pattern; // text: must match the whole value; empty: anything
    QString when; // a condition; empty: always shown
    QString help;
};

struct templateFileRule
{
    QString match; // a glob on the path under files/
    QString encoding; // "utf-8", "utf-8-bom", "windows-1252", "binary"; empty: not said
    QString newline; // "lf", "crlf", "keep"; empty: not said
    QVariant render; // a bool, or invalid when not said
    QString when;
    QString rename;
};

struct templateManifest
{
    QString title;
    QString description;
    QString icon; // relative to the folder
    QString version;
    QString requiredVersion; // "requires"
    QString message;
    QString nameRule = QStringLiteral("directory"); // "identifier", "directory", "pattern"
    QString namePattern;
    QString nameMessage;
    QList<templateOption> options;
    QList<templateFileRule> files;
};

namespace templateJson {

// The manifest from JSON text; false with *errors filled on any mistake.
// Checks everything that needs no other file: members, types, option names,
// choices, patterns and conditions.
bool parse(const QByteArray &json, templateManifest *manifest, QStringList *errors);

// folder/template.json parsed, plus the checks that need the folder but none
// of its files: the icon and, when wizardVersion is not empty, "requires".
// Enough for a listing.
bool read(const QString &folder, const QString &wizardVersion, templateManifest *manifest,
    QStringList *errors);

// What the template says of itself, in the shape a library template's
// description has: {"title", "description", "version", "message", "icon" (an
// absolute path, or absent), "name": {"rule", "pattern", "message"},
// "options": [{"name", "label", "kind", "default", "choices", "values",
// "pattern", "when", "help"}]}. Absent manifest members are absent here too.
QJsonObject description(const templateManifest &manifest, const QString &folder);

// The option whose name is name, compared without case, or null.
const templateOption *option(const templateManifest &manifest, const QString &name);

} // namespace templateJson

#endif
