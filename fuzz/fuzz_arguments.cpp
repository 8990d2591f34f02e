// The unattended command line: NUL-separated arguments, scanned for options.
#include "commandline.h"

#include <cstdint>
#include <cstdlib>

namespace {
void quiet(QtMsgType, const QMessageLogContext &, const QString &) { }
} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    qInstallMessageHandler(quiet);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    QStringList arguments;
    for (const QByteArray &argument : bytes.split('\0'))
        arguments << QString::fromUtf8(argument);
    const wizRequest request = commandLine::scan(arguments);
    // Every argument lands in at most one place.
    if (request.params.size() > arguments.size())
        std::abort();
    commandLine::isProjectName(request.project);
    commandLine::flagError(arguments);
    // The arguments stand in for titles: any text must be safe to compare.
    if (commandLine::closest(request.key, arguments, 3).size() > 3)
        std::abort();
    return 0;
}
