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

// The entry of wiz --list --json: "title" and "library" (or "folder" for a
// template folder), and the members
// "description", "version", "name" and "options" that the template gives.
QJsonObject listing(const pluginEntry &entry);
// The text of wiz --help-template: title, description, version, library, the
// name rule and each option as it is given on the command line.
QString help(const pluginEntry &entry);

} // namespace templateDescription

#endif
