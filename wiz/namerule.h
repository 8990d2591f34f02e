#ifndef NAMERULE_H
#define NAMERULE_H

#include <QJsonObject>
#include <QString>

// The project-name rule a template gives in what it tells about itself
// ("name": {"rule": "identifier" | "directory" | "pattern", ...}), applied by
// the window and the scripted run alike. A template that names no rule gets
// the C++ identifier warning, as before templates could describe themselves.
namespace nameRule {

// Why the template refuses name: the "message" of a "pattern" rule that the
// whole name does not match. Empty when the name may be used.
QString refusal(const QJsonObject &about, const QString &name);
// The warning the wizard gives, without refusing, for name: the C++
// identifier warning for the "identifier" rule or no rule, nothing otherwise.
QString warning(const QJsonObject &about, const QString &name);

} // namespace nameRule

#endif
