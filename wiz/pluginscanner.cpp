#include "pluginscanner.h"

#include "plugincache.h"
#include "pluginlibrary.h"
#include "zelk_wizard_plugin.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QJsonDocument>
#include <QPixmap>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

const char pluginScanner::scanArgument[] = "--scan-libraries";

namespace {

QJsonObject verdict(const char *kind, const QString &reason = QString())
{
    return { { QStringLiteral("verdict"), QLatin1String(kind) },
        { QStringLiteral("reason"), reason } };
}

QJsonObject describe(const QString &path, bool icons)
{
    pluginLibrary library(path);
    const bool loaded = library.load();
    QJsonObject record = [&]() -> QJsonObject {
        if (!loaded) {
            return library.refusal().isEmpty() ? verdict("noentry")
                                               : verdict("notloaded", library.refusal());
        }
        if (!library.hasFactory())
            return verdict("noentry");
        const QString stamp = library.stampRefusal();
        if (!stamp.isEmpty())
            return verdict("notloaded", stamp);
        zelk_wizard_plugin *plugin = library.create();
        if (!plugin) {
            return verdict("leftout",
                library.refusal().isEmpty()
                    ? QCoreApplication::translate("pluginScanner", "its factory gave no template")
                    : library.refusal());
        }
        QJsonObject listed = verdict("listed");
        try {
            // A copy of our own: the text may live in the library's memory.
            const QString title = plugin->description();
            listed.insert(QStringLiteral("title"), QString(title.constData(), title.size()));
        } catch (...) {
            library.release(plugin);
            return verdict("leftout",
                QCoreApplication::translate("pluginScanner", "its description() failed"));
        }
        if (!icons) {
            // Marked, so that a window, which shows them, asks again.
            listed.insert(QStringLiteral("iconNotAsked"), true);
        } else {
            try {
                QByteArray png;
                QBuffer buffer(&png);
                const QPixmap icon = plugin->icon();
                if (!icon.isNull() && buffer.open(QIODevice::WriteOnly)
                    && icon.save(&buffer, "PNG"))
                    listed.insert(QStringLiteral("icon"), QString::fromLatin1(png.toBase64()));
            } catch (...) {
                // A template without its picture is still a template.
            }
        }
        listed.insert(QStringLiteral("about"), library.about());
        if (!library.release(plugin))
            return verdict("leftout", library.refusal());
        return listed;
    }();
    return pluginCache::withKey(record, library.key());
}

int timeLimit()
{
    bool ok = false;
    const int limit = qEnvironmentVariableIntValue("WIZ_SCAN_TIME_LIMIT", &ok);
    return ok && limit > 0 ? limit : 5000;
}

QString scannerProgram()
{
    // Tests run the listing from their own programs, which are no wizard.
    const QString program = qEnvironmentVariable("WIZ_SCANNER");
    return program.isEmpty() ? QCoreApplication::applicationFilePath() : program;
}

// Why the child stopped before it answered for a library, from its wait status.
QString stopReason(int status)
{
    if (WIFSIGNALED(status))
        return QCoreApplication::translate("pluginScanner", "it crashed the listing (%1)")
            .arg(QString::fromLocal8Bit(strsignal(WTERMSIG(status))));
    return QCoreApplication::translate("pluginScanner", "it ended the listing with exit status %1").arg(WEXITSTATUS(status));
}

// One child at work: its process and the read end of its standard output.
struct scanChild
{
    pid_t pid = -1;
    int out = -1;
    QByteArray pending; // read, not yet a whole line
};

// Starts a child that lists paths on its standard output; false, with why,
// when none could start.
//
// A parent without a window system (wiz --list, --paths, --help-template) is
// copied as it is: the copy has every library of the wizard mapped already,
// while a fresh start of the program costs as much as the whole listing did
// in process. Such a copy cannot draw, so it leaves the icons for a window to
// ask for later. A parent with a window system (the window, a run) starts
// the program afresh instead: a copy would share its display connection,
// and its threads would be missing in the copy.
bool startChild(const QStringList &paths, scanChild *child, QString *why)
{
    const bool copy = !qobject_cast<QGuiApplication *>(QCoreApplication::instance());
    // Everything exec needs is made before fork: the child may only exec.
    QList<QByteArray> arguments { QFile::encodeName(scannerProgram()),
        QByteArray(pluginScanner::scanArgument) };
    for (const QString &path : paths)
        arguments << QFile::encodeName(path);
    std::vector<char *> argv;
    for (QByteArray &argument : arguments)
        argv.push_back(argument.data());
    argv.push_back(nullptr);

    int out[2];
    int failed[2]; // the errno of a failed exec; closed by a successful one
    if (::pipe2(out, O_CLOEXEC) != 0) {
        *why = QString::fromLocal8Bit(strerror(errno));
        return false;
    }
    if (::pipe2(failed, O_CLOEXEC) != 0) {
        *why = QString::fromLocal8Bit(strerror(errno));
        ::close(out[0]);
        ::close(out[1]);
        return false;
    }
    // Nothing buffered may be written twice, once by each process.
    std::fflush(nullptr);
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::close(out[0]);
        ::close(failed[0]);
        if (::dup2(out[1], STDOUT_FILENO) < 0)
            ::_exit(127);
        if (copy) {
            // Started: the parent waits on this pipe only for the exec.
            ::close(failed[1]);
            ::_exit(pluginScanner::serve(paths, false));
        }
        ::execv(argv[0], argv.data());
        const int error = errno;
        (void)!::write(failed[1], &error, sizeof error);
        ::_exit(127);
    }
    ::close(out[1]);
    ::close(failed[1]);
    int error = pid < 0 ? errno : 0;
    if (pid > 0 && ::read(failed[0], &error, sizeof error) == sizeof error)
        ::waitpid(pid, nullptr, 0);
    ::close(failed[0]);
    if (error != 0) {
        ::close(out[0]);
        *why = QString::fromLocal8Bit(strerror(error));
        return false;
    }
    *child = { pid, out[0], {} };
    return true;
}

// The child's status once it ended by itself, waiting at most limit ms: a
// child that closed its output may still be running.
bool ended(pid_t pid, int limit, int *status)
{
    QElapsedTimer waited;
    waited.start();
    while (::waitpid(pid, status, WNOHANG) == 0) {
        if (waited.elapsed() >= limit)
            return false;
        ::usleep(1000);
    }
    return true;
}

} // namespace

int pluginScanner::serve(const QStringList &paths, bool icons)
{
    for (const QString &path : paths) {
        const QByteArray line
            = QJsonDocument(describe(path, icons)).toJson(QJsonDocument::Compact) + '\n';
        // Out at once: a later library that ends the process must not take
        // this one's record with it.
        if (std::fwrite(line.constData(), 1, size_t(line.size()), stdout) != size_t(line.size())
            || std::fflush(stdout) != 0)
            return 1;
    }
    return 0;
}

QList<QJsonObject> pluginScanner::scan(const QStringList &paths)
{
    QList<QJsonObject> records;
    const int limit = timeLimit();
    while (records.size() < paths.size()) {
        scanChild child;
        QString why;
        if (!startChild(paths.mid(records.size()), &child, &why)) {
            why = QCoreApplication::translate("pluginScanner", "the listing could not start: %1").arg(why);
            while (records.size() < paths.size())
                records << verdict("leftout", why);
            break;
        }
        QElapsedTimer sinceLast;
        sinceLast.start();
        QString stopped;
        while (stopped.isEmpty() && records.size() < paths.size()) {
            const qsizetype end = child.pending.indexOf('\n');
            if (end >= 0) {
                const QJsonObject record
                    = QJsonDocument::fromJson(child.pending.left(end)).object();
                child.pending.remove(0, end + 1);
                records << (record.isEmpty() ? verdict("leftout", QCoreApplication::translate("pluginScanner", "its listing was garbled"))
                                             : record);
                sinceLast.restart();
                continue;
            }
            const qint64 left = limit - sinceLast.elapsed();
            pollfd ready { child.out, POLLIN, 0 };
            if (left <= 0) {
                stopped = QCoreApplication::translate("pluginScanner", "it did not answer within %1 ms").arg(limit);
            } else if (::poll(&ready, 1, int(left)) > 0) {
                char buffer[4096];
                const ssize_t got = ::read(child.out, buffer, sizeof buffer);
                if (got > 0) {
                    child.pending.append(buffer, got);
                } else if (got == 0 || errno != EINTR) {
                    int status = 0;
                    stopped = ended(child.pid, int(limit - sinceLast.elapsed()), &status)
                        ? stopReason(status)
                        : QCoreApplication::translate("pluginScanner", "it did not answer within %1 ms").arg(limit);
                }
            }
        }
        if (!stopped.isEmpty())
            records << verdict("leftout", stopped);
        // Whatever the child still does after its last record is of no use.
        ::close(child.out);
        ::kill(child.pid, SIGKILL);
        ::waitpid(child.pid, nullptr, 0);
    }
    return records;
}

QString pluginScanner::scannerIdentity()
{
    struct stat info;
    if (::stat(QFile::encodeName(scannerProgram()).constData(), &info) != 0)
        return QString();
    return QStringLiteral("%1:%2:%3.%4")
        .arg(info.st_ino)
        .arg(info.st_size)
        .arg(info.st_mtim.tv_sec)
        .arg(info.st_mtim.tv_nsec);
}
