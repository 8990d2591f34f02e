#include "interruptguard.h"

#include "projectwriter.h"

#include <csignal>
#include <cstring>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <unistd.h>
#endif
#ifdef Q_OS_LINUX
#include <sys/syscall.h>
#endif

namespace {

const int signalsHandled[] = { SIGINT, SIGTERM,
#ifdef SIGHUP
    SIGHUP
#endif
};
constexpr int signalCount = int(sizeof signalsHandled / sizeof signalsHandled[0]);

char scratchFolder[4096];

#ifdef Q_OS_UNIX
struct sigaction previous[signalCount];

#ifdef Q_OS_LINUX
// getdents64 gives the entries without the allocation that readdir may make.
struct linuxDirent
{
    unsigned long long inode;
    long long offset;
    unsigned short length;
    unsigned char type;
    char name[1];
};

void removeBelow(int parent, const char *name, int depth)
{
    const int folder = ::openat(parent, name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (folder >= 0) {
        // Removing entries while reading may skip some: read again until a pass finds none.
        for (int pass = 0; pass < 16; ++pass) {
            bool removedAny = false;
            ::lseek(folder, 0, SEEK_SET);
            alignas(8) char buffer[4096];
            long count;
            while ((count = ::syscall(SYS_getdents64, folder, buffer, sizeof buffer)) > 0) {
                for (long at = 0; at < count;) {
                    const auto *entry = reinterpret_cast<const linuxDirent *>(buffer + at);
                    at += entry->length;
                    if (std::strcmp(entry->name, ".") == 0 || std::strcmp(entry->name, "..") == 0)
                        continue;
                    if (::unlinkat(folder, entry->name, 0) != 0 && depth < 32)
                        removeBelow(folder, entry->name, depth + 1);
                    removedAny = true;
                }
            }
            if (!removedAny)
                break;
        }
        ::close(folder);
    }
    ::unlinkat(parent, name, AT_REMOVEDIR);
}
#endif

void onSignal(int number)
{
    projectWriter::removeTemporaryFiles();
    if (scratchFolder[0])
        interruptGuard::removeTree(scratchFolder);
    ::_exit(128 + number);
}
#endif

} // namespace

interruptGuard::interruptGuard()
{
#ifdef Q_OS_UNIX
    struct sigaction action;
    std::memset(&action, 0, sizeof action);
    action.sa_handler = onSignal;
    sigfillset(&action.sa_mask);
    for (int i = 0; i < signalCount; ++i)
        ::sigaction(signalsHandled[i], &action, &previous[i]);
#endif
}

interruptGuard::~interruptGuard()
{
#ifdef Q_OS_UNIX
    for (int i = 0; i < signalCount; ++i)
        ::sigaction(signalsHandled[i], &previous[i], nullptr);
#endif
}

void interruptGuard::setScratchFolder(const QByteArray &path)
{
    // Cleared first, so a signal meanwhile never sees half a name.
    scratchFolder[0] = '\0';
    if (path.isEmpty() || path.size() >= qsizetype(sizeof scratchFolder))
        return;
    // The rest with its terminating NUL, then the first byte that makes it count.
    std::memcpy(scratchFolder + 1, path.constData() + 1, size_t(path.size()));
    scratchFolder[0] = path.at(0);
}

void interruptGuard::removeTree(const char *folder)
{
#ifdef Q_OS_LINUX
    removeBelow(AT_FDCWD, folder, 0);
#else
    Q_UNUSED(folder);
#endif
}
