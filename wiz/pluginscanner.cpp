#include "pluginscanner.h"

#include "plugincache.h"
#include "pluginlibrary.h"
#include "zelk_wizard_plugin.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonDocument>
#include <QPixmap>
#include <QProcess>

#include <cstdio>
#include <cstring>
#include <sys/stat.h>

const char pluginScanner::scanArgument[] = "--scan-libraries";

namespace {

QJsonObject verdict(const char *kind, const QString &reason = QString())
{
    return { { QStringLiteral("verdict"), QLatin1String(kind) },
        { QStringLiteral("reason"), reason } };
}

QJsonObject describe(const QString &path)
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
        try {
            QByteArray png;
            QBuffer buffer(&png);
            const QPixmap icon = plugin->icon();
            if (!icon.isNull() && buffer.open(QIODevice::WriteOnly) && icon.save(&buffer, "PNG"))
                listed.insert(QStringLiteral("icon"), QString::fromLatin1(png.toBase64()));
        } catch (...) {
            // A template without its picture is still a template.
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

// Why the child stopped before it answered for a library.
QString stopReason(const QProcess &child)
{
    if (child.exitStatus() == QProcess::CrashExit)
        return QCoreApplication::translate("pluginScanner", "it crashed the listing (%1)")
            .arg(QString::fromLocal8Bit(strsignal(child.exitCode())));
    return QCoreApplication::translate("pluginScanner", "it ended the listing with exit status %1")
        .arg(child.exitCode());
}

} // namespace

int pluginScanner::serve(const QStringList &paths)
{
    for (const QString &path : paths) {
        const QByteArray line = QJsonDocument(describe(path)).toJson(QJsonDocument::Compact) + '\n';
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
        QProcess child;
        child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        child.setInputChannelMode(QProcess::ForwardedInputChannel);
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        child.setProcessEnvironment(environment);
        const QStringList rest = paths.mid(records.size());
        child.start(scannerProgram(), QStringList { QLatin1String(scanArgument) } + rest);
        if (!child.waitForStarted(limit)) {
            const QString why
                = QCoreApplication::translate("pluginScanner", "the listing could not start: %1")
                      .arg(child.errorString());
            while (records.size() < paths.size())
                records << verdict("leftout", why);
            break;
        }
        QElapsedTimer sinceLast;
        sinceLast.start();
        QString stopped;
        while (stopped.isEmpty() && records.size() < paths.size()) {
            if (child.canReadLine()) {
                const QJsonObject record = QJsonDocument::fromJson(child.readLine()).object();
                records << (record.isEmpty()
                        ? verdict("leftout",
                            QCoreApplication::translate("pluginScanner", "its listing was garbled"))
                        : record);
                sinceLast.restart();
                continue;
            }
            const qint64 left = limit - sinceLast.elapsed();
            if (left <= 0) {
                child.kill();
                child.waitForFinished(limit);
                stopped
                    = QCoreApplication::translate("pluginScanner", "it did not answer within %1 ms")
                          .arg(limit);
            } else if (!child.waitForReadyRead(int(left)) && child.state() == QProcess::NotRunning
                && !child.canReadLine()) {
                stopped = stopReason(child);
            }
        }
        if (!stopped.isEmpty())
            records << verdict("leftout", stopped);
        child.waitForFinished(limit);
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
