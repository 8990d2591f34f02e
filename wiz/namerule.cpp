#include "namerule.h"

#include "cppname.h"

#include <QCoreApplication>
#include <QRegularExpression>

namespace {

QJsonObject ruleOf(const QJsonObject &about)
{
    return about.value(QLatin1String("name")).toObject();
}

QString kindOf(const QJsonObject &about)
{
    return ruleOf(about).value(QLatin1String("rule")).toString();
}

} // namespace

QString nameRule::refusal(const QJsonObject &about, const QString &name)
{
    if (kindOf(about) != QLatin1String("pattern"))
        return QString();
    const QJsonObject rule = ruleOf(about);
    const QString pattern = rule.value(QLatin1String("pattern")).toString();
    const QRegularExpression expression(QRegularExpression::anchoredPattern(pattern));
    // A pattern the template got wrong refuses nothing: it is not the user's fault.
    if (!expression.isValid() || expression.match(name).hasMatch())
        return QString();
    const QString message = rule.value(QLatin1String("message")).toString();
    return message.isEmpty()
        ? QCoreApplication::translate("templateDescription", "\"%1\" does not match %2.")
              .arg(name, pattern)
        : message;
}

QString nameRule::warning(const QJsonObject &about, const QString &name)
{
    const QString kind = kindOf(about);
    if (kind == QLatin1String("directory") || kind == QLatin1String("pattern"))
        return QString();
    return cppName::warning(name);
}
