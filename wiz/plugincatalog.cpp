#include "plugincatalog.h"

#include "pluginlibrary.h"
#include "plugintrust.h"
#include "zelk_wizard_plugin.h"

#include <QCoreApplication>
#include <QDebug>
#include <QDir>
#include <QFileInfo>
#include <QSet>
#include <QStandardPaths>

namespace {

#if defined(Q_OS_WIN)
const char libraryPattern[] = "*.dll";
#elif defined(Q_OS_MACOS)
const char libraryPattern[] = "*.dylib";
#else
const char libraryPattern[] = "*.so";
#endif

} // namespace

QString pluginCatalog::directory()
{
    const QString local = QStringLiteral("./plugins");
    // A folder that another user may have planted in the current directory
    // must not hide the templates that came with the wizard.
    if (QDir(local).exists() && pluginTrust::folderRefusal(local).isEmpty())
        return local;
    const QString beside = QCoreApplication::applicationDirPath();
    for (const QString &candidate :
        { beside + QStringLiteral("/plugins"), beside + QStringLiteral("/../lib/wiz/plugins") }) {
        if (QDir(candidate).exists())
            return QDir::cleanPath(candidate);
    }
    return local;
}

QStringList pluginCatalog::directories()
{
    const QString first = directory();
    const QString local = QStringLiteral("./plugins");
    if (first != local && QDir(local).exists()) {
        qDebug().noquote() << QStringLiteral("Templates in %1 are not loaded: %2")
                                  .arg(local, pluginTrust::folderRefusal(local));
    }
    QStringList folders { first };
    for (const QString &folder :
        qEnvironmentVariable("WIZ_PLUGIN_PATH").split(QDir::listSeparator(), Qt::SkipEmptyParts)) {
        if (QFileInfo(folder).isDir())
            folders << folder;
        else
            qDebug().noquote() << QStringLiteral("No templates in %1: it is no folder").arg(folder);
    }
    // Usually absent, so it goes unmentioned then.
    const QString own = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)
        + QStringLiteral("/wiz/plugins");
    if (QFileInfo(own).isDir())
        folders << own;

    // A folder named twice would list each of its templates twice.
    QStringList unique;
    QSet<QString> seen;
    for (const QString &folder : folders) {
        const QString canonical = QFileInfo(folder).canonicalFilePath();
        if (canonical.isEmpty() || !seen.contains(canonical)) {
            seen.insert(canonical);
            unique << folder;
        }
    }
    return unique;
}

QList<pluginEntry> pluginCatalog::scan(Icons icons)
{
    QList<pluginEntry> entries;
    for (const QString &folder : directories())
        entries << scan(folder, icons);
    return entries;
}

QList<pluginEntry> pluginCatalog::scan(const QString &folder, Icons icons)
{
    if (!QFileInfo::exists(folder))
        return {};
    const QString distrust = pluginTrust::folderRefusal(folder);
    if (!distrust.isEmpty()) {
        qDebug().noquote()
            << QStringLiteral("Templates in %1 are not loaded: %2").arg(folder, distrust);
        return {};
    }
    // Every kind of entry, so that whatever is named like a library is
    // reported: a pipe, a folder or a dangling link is refused with its reason.
    const QDir dir(folder, QLatin1String(libraryPattern), QDir::Name | QDir::IgnoreCase,
        QDir::AllEntries | QDir::System | QDir::Hidden);
    QList<pluginEntry> entries;
    for (const QString &file : dir.entryList()) {
        const QString path = folder + QLatin1Char('/') + file;
        pluginLibrary library(path);
        if (!library.load() && !library.refusal().isEmpty()) {
            qDebug().noquote()
                << QStringLiteral("Library %1 is not loaded: %2").arg(path, library.refusal());
            continue;
        }
        if (!library.hasFactory()) {
            qDebug().noquote() << QStringLiteral(
                "Library %1 does not have entry point \"load_zelk_wizard_plugin\"")
                                      .arg(path);
            continue;
        }
        zelk_wizard_plugin *plugin = library.create();
        if (!plugin) {
            if (!library.refusal().isEmpty())
                qDebug().noquote()
                    << QStringLiteral("Library %1 is left out: %2").arg(path, library.refusal());
            continue;
        }
        pluginEntry entry { QString(), QPixmap(), path, library.about() };
        try {
            // Deep copies: a title or picture that still refers to the library's
            // own memory would dangle once the library is unloaded.
            const QString title = plugin->description();
            entry.title = QString(title.constData(), title.size());
            // Nobody sees a picture on the command line, and a big one costs.
            if (icons == WithIcons)
                entry.icon = plugin->icon().copy();
        } catch (...) {
            qWarning("wiz: %s failed to describe itself and is left out", qPrintable(path));
            library.release(plugin);
            continue;
        }
        qDebug().noquote() << entry.title + QStringLiteral(" - ") + path;
        library.release(plugin);
        entries << entry;
    }
    return entries;
}
