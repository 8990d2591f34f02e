#ifndef TEMPLATEDESCRIPTION_H
#define TEMPLATEDESCRIPTION_H

#include <QJsonObject>
#include <QString>

struct pluginEntry;

// What a template tells about itself (pluginEntry::about, given by the
// library's describe_zelk_wizard_plugin()), as the wizard shows and applies
// it. A template that tells nothing is treated as before templates could.
namespace templateDescription {

// The text of the template's row tool tip: its description, or nothing.
QString toolTip(const pluginEntry &entry);
// The description on its own, or an empty text.
QString description(const QJsonObject &about);

// Why the template refuses name: the "message" of a "pattern" rule that the
// whole name does not match. Empty when the name may be used.
QString nameRefusal(const QJsonObject &about, const QString &name);
// The warning the wizard gives, without refusing, for name: the C++
// identifier warning for templates that ask for the "identifier" rule or name
// no rule at all, nothing for the others.
QString nameWarning(const QJsonObject &about, const QString &name);

// The entry of wiz --list --json: "title" and "library", and the members
// "description", "version", "name" and "options" that the template gives.
QJsonObject listing(const pluginEntry &entry);
// The text of wiz --help-template: title, description, version, library, the
// name rule and each option as it is given on the command line.
QString help(const pluginEntry &entry);

} // namespace templateDescription

#endif
