#include "plugincatalog.h"

#include "manifest.h"
#include "plugincache.h"
#include "pluginscanner.h"
#include "plugintrust.h"

#include <QCoreApplication>
#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QJsonArray>
#include <QSet>
#include <QStandardPaths>

#include <algorithm>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

const QByteArray librarySuffix = QByteArrayLiteral(".so");

// One name in a folder: a library, or a folder that holds template.json.
struct listedName
{
    QByteArray name;
    bool folder = false;
};

// A folder to read, or one passed over and why.
struct folderPlan
{
    QString path;
    pluginTrust::checkedFolder folder;
    QList<listedName> names;
    QString why;
    // The debug line for a folder passed over; none where passing it over is usual.
    QString line;
};

bool holdsManifest(int folder, const QByteArray &name)
{
    struct stat info;
    return ::fstatat(folder, (name + "/template.json").constData(), &info, 0) == 0
        && S_ISREG(info.st_mode);
}

// The names that look like libraries, every kind of entry, so that whatever
// is named like one is reported: a pipe, a folder or a dangling link is
// refused with its reason. With them the template folders. In case-blind
// order, as people sort.
QList<listedName> templateNames(int folder)
{
    QList<listedName> names;
    const int fd = ::fcntl(folder, F_DUPFD_CLOEXEC, 0);
    DIR *listing = fd >= 0 ? ::fdopendir(fd) : nullptr;
    if (!listing) {
        if (fd >= 0)
            ::close(fd);
        return names;
    }
    while (const dirent *entry = ::readdir(listing)) {
        const QByteArray name(entry->d_name);
        if (name.size() > librarySuffix.size() && name.toLower().endsWith(librarySuffix))
            names << listedName { name, false };
        else if (name != "." && name != ".." && holdsManifest(folder, name))
            names << listedName { name, true };
    }
    ::closedir(listing);
    std::sort(names.begin(), names.end(), [](const listedName &a, const listedName &b) {
        const int blind
            = QFile::decodeName(a.name).compare(QFile::decodeName(b.name), Qt::CaseInsensitive);
        return blind != 0 ? blind < 0 : a.name < b.name;
    });
    return names;
}

folderPlan openFolder(const QString &path)
{
    folderPlan plan { path, {}, {}, {}, {} };
    plan.folder = pluginTrust::openFolder(path, &plan.why);
    if (plan.folder.isOpen())
        plan.names = templateNames(plan.folder.fd());
    else
        plan.line = QStringLiteral("Templates in %1 are not loaded: %2").arg(path, plan.why);
    return plan;
}

folderPlan passedOver(const QString &path, const QString &why, const QString &line = QString())
{
    return { path, {}, {}, why, line };
}

// Where the wizard's own templates are when it was installed: its prefix's,
// and those of the other usual prefix, so that a template installed with
// the default prefix of a build is found by a packaged wizard and the other
// way round. /usr first, so that a local install wins.
QStringList installedFolders(const QString &installed)
{
    const QString bin = QFileInfo(QCoreApplication::applicationDirPath()).canonicalFilePath();
    const QString lib = QStringLiteral("/lib/wiz/plugins");
    if (bin.endsWith(QLatin1String("/usr/local/bin"))) {
        const QString root = bin.chopped(int(qstrlen("/usr/local/bin")));
        return { root + QStringLiteral("/usr") + lib, installed };
    }
    if (bin.endsWith(QLatin1String("/usr/bin"))) {
        const QString root = bin.chopped(int(qstrlen("/usr/bin")));
        return { installed, root + QStringLiteral("/usr/local") + lib };
    }
    return { installed };
}

std::vector<folderPlan> plan()
{
    std::vector<folderPlan> folders;
    const QString local = QStringLiteral("./plugins");
    bool localRead = false;
    if (QFileInfo::exists(local)) {
        folderPlan here = openFolder(local);
        // Starting the wizard in another project must not empty its list.
        if (here.folder.isOpen() && here.names.isEmpty()) {
            here.folder = pluginTrust::checkedFolder();
            here.why = QCoreApplication::translate("pluginCatalog", "it holds no template library");
            here.line = QStringLiteral("No templates in %1: %2").arg(local, here.why);
        }
        localRead = here.folder.isOpen();
        folders.push_back(std::move(here));
    }
    if (!localRead) {
        const QString beside = QCoreApplication::applicationDirPath();
        const QString build = QDir::cleanPath(beside + QStringLiteral("/plugins"));
        const QString installed = QDir::cleanPath(beside + QStringLiteral("/../lib/wiz/plugins"));
        if (QFileInfo(build).isDir()) {
            folders.push_back(openFolder(build));
        } else {
            for (const QString &folder : installedFolders(installed)) {
                if (QFileInfo(folder).isDir())
                    folders.push_back(openFolder(folder));
                else
                    folders.push_back(passedOver(
                        folder, QCoreApplication::translate("pluginCatalog", "it does not exist")));
            }
        }
        const QString shared = QDir::cleanPath(beside + QStringLiteral("/../share/wiz/templates"));
        if (QFileInfo(shared).isDir())
            folders.push_back(openFolder(shared));
    }
    for (const QString &folder :
        qEnvironmentVariable("WIZ_PLUGIN_PATH").split(QDir::listSeparator(), Qt::SkipEmptyParts)) {
        if (QFileInfo(folder).isDir()) {
            folders.push_back(openFolder(folder));
        } else {
            const QString why = QCoreApplication::translate("pluginCatalog", "it is no folder");
            folders.push_back(
                passedOver(folder, why, QStringLiteral("No templates in %1: %2").arg(folder, why)));
        }
    }
    // Usually absent, so it goes unmentioned then.
    const QString own = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)
        + QStringLiteral("/wiz/plugins");
    if (QFileInfo(own).isDir())
        folders.push_back(openFolder(own));
    else
        folders.push_back(passedOver(own, QCoreApplication::translate("pluginCatalog", "it does not exist")));
    const QString ownFolders = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)
        + QStringLiteral("/wiz/templates");
    if (QFileInfo(ownFolders).isDir())
        folders.push_back(openFolder(ownFolders));

    // A folder named twice would list each of its templates twice.
    QSet<QByteArray> seen;
    for (folderPlan &folder : folders) {
        if (!folder.folder.isOpen())
            continue;
        if (seen.contains(folder.folder.path())) {
            folder.folder = pluginTrust::checkedFolder();
            folder.why = QCoreApplication::translate("pluginCatalog", "it was read already");
        }
        seen.insert(folder.folder.path());
    }
    return folders;
}

// A name that cannot be decoded could not be named again to be loaded.
QString shownName(const QByteArray &name)
{
    QString shown;
    for (const char c : name) {
        const uchar byte = uchar(c);
        shown += byte < 0x80 ? QString(QLatin1Char(c))
                             : QStringLiteral("\\x%1").arg(byte, 2, 16, QLatin1Char('0'));
    }
    return shown;
}

struct candidate
{
    QString path;
    QString absolute;
    QString fileName;
    pluginLibrary::fileKey key;
    QJsonObject record;
    // A template folder: read here, so its entry is whole already.
    bool folder = false;
    pluginEntry entry;
};

QJsonObject refused(const QString &why)
{
    return { { QStringLiteral("verdict"), QStringLiteral("notloaded") },
        { QStringLiteral("reason"), why } };
}

// A template folder, under the same rule as a library, read in this process:
// it runs no code, so it needs neither the child nor the cache.
candidate folderCandidate(const candidate &named, pluginCatalog::Icons icons)
{
    candidate folder = named;
    folder.folder = true;
    QString why;
    if (!pluginTrust::openFolder(folder.path, &why).isOpen())
        folder.record = refused(why);
    else if (!pluginCatalog::folderEntry(folder.path, icons, &folder.entry, &why))
        folder.record = { { QStringLiteral("verdict"), QStringLiteral("mistake") },
            { QStringLiteral("reason"), why } };
    else
        folder.record = { { QStringLiteral("verdict"), QStringLiteral("listed") },
            { QStringLiteral("title"), folder.entry.title } };
    return folder;
}

QString recordLine(const candidate &library)
{
    const QString verdict = library.record.value(QStringLiteral("verdict")).toString();
    const QString reason = library.record.value(QStringLiteral("reason")).toString();
    if (library.folder && verdict != QLatin1String("listed"))
        return QStringLiteral("Template folder %1 is left out: %2").arg(library.path, reason);
    if (verdict == QLatin1String("listed"))
        return library.record.value(QStringLiteral("title")).toString() + QStringLiteral(" - ")
            + library.path;
    if (verdict == QLatin1String("noentry"))
        return QStringLiteral("Library %1 does not have entry point \"load_zelk_wizard_plugin\"")
            .arg(library.path);
    if (verdict == QLatin1String("notloaded"))
        return QStringLiteral("Library %1 is not loaded: %2").arg(library.path, reason);
    return QStringLiteral("Library %1 is left out: %2").arg(library.path, reason);
}

// The same for --paths, beside the file's name.
QString reasonText(const QJsonObject &record)
{
    const QString verdict = record.value(QStringLiteral("verdict")).toString();
    if (verdict == QLatin1String("noentry"))
        return QCoreApplication::translate(
            "pluginCatalog", "it is no template library (no load_zelk_wizard_plugin)");
    return record.value(QStringLiteral("reason")).toString();
}

QList<pluginFolder> lastRead;

} // namespace

QList<pluginEntry> pluginCatalog::scan(Icons icons)
{
    const std::vector<folderPlan> folders = plan();
    pluginCache cache;
    // Per folder, what it holds; a library refused before loading has its record already.
    std::vector<std::vector<candidate>> found(folders.size());
    QStringList unknown;
    for (size_t i = 0; i < folders.size(); ++i) {
        const folderPlan &folder = folders[i];
        for (const listedName &listed : folder.names) {
            const QByteArray &name = listed.name;
            candidate library;
            library.fileName = QFile::decodeName(name);
            library.path = folder.path + QLatin1Char('/') + library.fileName;
            QString why;
            if (QFile::encodeName(library.fileName) != name) {
                library.path = folder.path + QLatin1Char('/') + shownName(name);
                why = QCoreApplication::translate(
                    "pluginCatalog", "its name is not valid in the local encoding");
            }
            if (listed.folder && why.isEmpty()) {
                found[i].push_back(folderCandidate(library, icons));
                continue;
            }
            const int fd = why.isEmpty() ? pluginTrust::openLibrary(folder.folder, name, &why) : -1;
            if (fd < 0) {
                library.folder = listed.folder;
                library.record = refused(why);
                found[i].push_back(library);
                continue;
            }
            library.key = pluginLibrary::keyOf(fd);
            ::close(fd);
            library.absolute = QFileInfo(library.path).absoluteFilePath();
            library.record = cache.find(library.absolute, library.key);
            // A listing without a window left the icon out; the window asks once more.
            if (icons == WithIcons && library.record.value(QStringLiteral("iconNotAsked")).toBool())
                library.record = QJsonObject();
            if (library.record.isEmpty())
                unknown << library.path;
            found[i].push_back(library);
        }
    }

    if (!unknown.isEmpty()) {
        const QList<QJsonObject> records = pluginScanner::scan(unknown);
        int next = 0;
        for (auto &folder : found) {
            for (candidate &library : folder) {
                if (!library.record.isEmpty() || library.folder)
                    continue;
                QJsonObject record = records.value(next++);
                // Under the key of the file that was loaded, where the child got that far.
                if (pluginCache::keyOf(record).inode == 0)
                    record = pluginCache::withKey(record, library.key);
                library.record = record;
                cache.store(library.absolute, record);
            }
        }
        cache.save();
    }

    QList<pluginEntry> entries;
    lastRead.clear();
    for (size_t i = 0; i < folders.size(); ++i) {
        const folderPlan &plan = folders[i];
        pluginFolder report { plan.path, plan.why, {} };
        if (!plan.line.isEmpty())
            qDebug().noquote() << plan.line;
        for (const candidate &library : found[i]) {
            qDebug().noquote() << recordLine(library);
            const QJsonObject &record = library.record;
            if (record.value(QStringLiteral("verdict")).toString() != QLatin1String("listed")) {
                report.found << library.fileName + QStringLiteral(": ") + reasonText(record);
                continue;
            }
            if (library.folder) {
                report.found
                    << QStringLiteral("%1 (%2/)").arg(library.entry.title, library.fileName);
                entries << library.entry;
                continue;
            }
            pluginEntry entry;
            entry.title = record.value(QStringLiteral("title")).toString();
            entry.path = library.path;
            entry.about = record.value(QStringLiteral("about")).toObject();
            if (icons == WithIcons) {
                entry.icon.loadFromData(
                    QByteArray::fromBase64(
                        record.value(QStringLiteral("icon")).toString().toLatin1()),
                    "PNG");
            }
            report.found << QStringLiteral("%1 (%2)").arg(entry.title, library.fileName);
            entries << entry;
        }
        lastRead << report;
    }

    // A later library of the same title wins the run; say which hides which.
    QHash<QString, int> winner;
    for (int i = 0; i < entries.size(); ++i)
        winner[entries[i].title] = i;
    for (int i = 0; i < entries.size(); ++i) {
        const int runs = winner.value(entries[i].title);
        if (runs == i)
            continue;
        entries[runs].shadows << QFileInfo(entries[i].source()).absoluteFilePath();
        qDebug().noquote() << QStringLiteral("Template \"%1\" of %2 is hidden by the one of %3")
                                  .arg(entries[i].title, entries[i].source(),
                                      entries[runs].source());
    }
    return entries;
}

bool pluginCatalog::folderEntry(
    const QString &folder, Icons icons, pluginEntry *entry, QString *error)
{
    templateManifest manifest;
    QStringList errors;
    const QString absolute = QFileInfo(folder).absoluteFilePath();
    if (!templateJson::read(absolute, QStringLiteral(WIZ_VERSION), &manifest, &errors)) {
        *error = errors.join(QLatin1Char('\n'));
        return false;
    }
    *entry = pluginEntry();
    entry->title = manifest.title;
    entry->folder = absolute;
    entry->about = templateJson::description(manifest, absolute);
    if (icons == WithIcons && !manifest.icon.isEmpty())
        entry->icon.load(absolute + QLatin1Char('/') + manifest.icon);
    return true;
}

QList<pluginFolder> pluginCatalog::foldersRead()
{
    return lastRead;
}

QStringList pluginCatalog::directoriesRead()
{
    QStringList lines;
    for (const pluginFolder &folder : std::as_const(lastRead)) {
        lines << (folder.passedOver.isEmpty()
                ? folder.path
                : QStringLiteral("%1 (%2)").arg(folder.path, folder.passedOver));
    }
    return lines;
}

QMap<QString, pluginEntry> pluginCatalog::byTitle(const QList<pluginEntry> &entries)
{
    QMap<QString, pluginEntry> templates;
    for (const pluginEntry &entry : entries)
        templates[entry.title] = entry;
    return templates;
}
