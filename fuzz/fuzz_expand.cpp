// Environment expansion of command-line values: any text, any references.
#include "commandline.h"

#include <QtGlobal>

#include <cstdint>
#include <cstdlib>

namespace {
void quiet(QtMsgType, const QMessageLogContext &, const QString &) { }
} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    // Overlong names write a debug line each; keep the output readable.
    qInstallMessageHandler(quiet);
    qputenv("WIZ_FUZZ_A", "value");
    qputenv("WIZ_FUZZ_EMPTY", "");
    qputenv("A", "%A%");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    const QString expanded = commandLine::expandEnvironment(text);
    // Without a reference the text must come back unchanged.
    if (!text.contains(QLatin1Char('%')) && expanded != text)
        std::abort();
    return 0;
}
