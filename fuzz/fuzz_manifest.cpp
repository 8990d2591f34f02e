// template.json text: every input either parses or gives at least one message
// in the "template.json: ..." form; a manifest that parses describes itself and
// gives option values from its own defaults without a mistake.
#include "manifest.h"
#include "options.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray json(reinterpret_cast<const char *>(data), qsizetype(size));
    templateManifest manifest;
    QStringList errors;
    if (!templateJson::parse(json, &manifest, &errors)) {
        if (errors.isEmpty())
            std::abort();
        for (const QString &error : errors) {
            if (!error.startsWith(QLatin1String("template.json")))
                std::abort();
        }
        return 0;
    }
    if (!errors.isEmpty())
        std::abort();
    templateJson::description(manifest, QStringLiteral("/nowhere"));
    placeholders::Values values = templateOptions::defaults(manifest);
    templateOptions::settle(manifest, &values);
    // Each default is a value the option accepts.
    for (const templateOption &option : manifest.options) {
        QString error;
        const QString text = option.kind == templateOption::YesNo
            ? QString::fromLatin1(option.defaultOn ? "yes" : "no")
            : option.defaultText;
        if (!templateOptions::set(manifest, option.name, text, &values, &error))
            std::abort();
    }
    templateOptions::nameError(manifest, QString::fromUtf8(json.left(64)));
    return 0;
}
