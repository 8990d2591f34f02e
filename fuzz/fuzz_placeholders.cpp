// The placeholder language: the first piece (split at 0x01) is a file's text,
// the second a condition, the third a value for the text option. Compiling
// never crashes; a compiled text renders; a text without "%" renders as itself;
// an identifier holds only identifier characters.
#include "manifest.h"
#include "placeholders.h"

#include <cstdint>
#include <cstdlib>

namespace {

QList<templateOption> fixedOptions()
{
    templateOption flag;
    flag.name = QStringLiteral("flag");
    flag.kind = templateOption::YesNo;
    templateOption style;
    style.name = QStringLiteral("style");
    style.kind = templateOption::Choice;
    style.choices = QStringList { QStringLiteral("mit"), QStringLiteral("bsd") };
    templateOption text;
    text.name = QStringLiteral("text");
    return { flag, style, text };
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const QList<templateOption> options = fixedOptions();
    const QList<QByteArray> pieces
        = QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)).split('\x01');
    const QString text = QString::fromUtf8(pieces.at(0));
    const QString condition = QString::fromUtf8(pieces.value(1));
    const QString value = QString::fromUtf8(pieces.value(2));

    placeholders::Context context;
    context.name = value;
    context.values.insert(QStringLiteral("flag"), { QStringLiteral("true"), true });
    context.values.insert(QStringLiteral("style"), { QStringLiteral("bsd"), false });
    context.values.insert(QStringLiteral("text"), { value, false });
    context.date = QDate(2024, 3, 5);
    context.newGuid = [] { return QStringLiteral("00000000-0000-0000-0000-000000000001"); };

    for (const bool blocks : { true, false }) {
        placeholders::Text compiled;
        placeholders::Error error;
        if (!placeholders::compile(text, options, blocks, &compiled, &error)) {
            if (error.message.isEmpty() || error.line < 1 || error.line > text.count(u'\n') + 1)
                std::abort();
            continue;
        }
        const QString rendered = placeholders::render(compiled, context);
        if (!text.contains(u'%') && rendered != text)
            std::abort();
    }

    std::shared_ptr<const placeholders::Condition> compiled;
    QString error;
    if (placeholders::compileCondition(condition, options, &compiled, &error))
        placeholders::holds(compiled, context.values);
    else if (error.isEmpty())
        std::abort();

    for (const QChar c : placeholders::identifier(value)) {
        if (!(c.isDigit() || c == u'_' || (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z')))
            std::abort();
    }
    placeholders::title(value);
    return 0;
}
