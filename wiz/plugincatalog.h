#ifndef PLUGINCATALOG_H
#define PLUGINCATALOG_H

#include <QJsonObject>
#include <QList>
#include <QMap>
#include <QPixmap>
#include <QString>
#include <QStringList>

// What the listing keeps of one template: its title, its picture and the path
// of the library that gave them, or of the template folder. Nothing of the
// library itself survives.
struct pluginEntry
{
    QString title;
    QPixmap icon;
    QString path; // the library, as listed; empty for a template folder
    QString folder; // the template folder, absolute; empty for a library
    // What the library says of itself; empty when it says nothing.
    QJsonObject about;
    // The libraries of the same title listed before this one, which this one
    // hides: a run by title runs this one.
    QStringList shadows;

    // What runs: the library's path or the folder's.
    QString source() const { return folder.isEmpty() ? path : folder; }
};

// One folder the listing looked at, and what it found there or why it was
// passed over.
struct pluginFolder
{
    QString path;
    // Empty when the folder was read.
    QString passedOver;
    // "TITLE (FILE)" for each template, "FILE: REASON" for each library left out.
    QStringList found;
};

class pluginCatalog
{
public:
    enum Icons { WithIcons, WithoutIcons };
    // The templates of the folders read, in order (each holds libraries and
    // template folders: folders with a template.json): "./plugins" of the
    // current directory when it holds a library and may be loaded from,
    // otherwise the plugins beside the executable (build tree) or in
    // ../lib/wiz/plugins (installed tree, and then the other usual prefix's),
    // then each folder of WIZ_PLUGIN_PATH, then the user's own
    // $XDG_DATA_HOME/wiz/plugins: the order in which templates are listed, so
    // that a later one can stand in for an earlier one of the same title.
    // Where they exist, the folders of template folders alone come after the
    // wizard's own (share/wiz/templates beside it) and last
    // ($XDG_DATA_HOME/wiz/templates). Each folder in case-blind name order.
    // Writes a debug line for each library, listed or not, for each folder
    // passed over and for each title hidden by a later one. What a library
    // says of itself is asked in a child process and remembered, so a library
    // seen before is not loaded again.
    static QList<pluginEntry> scan(Icons icons = WithIcons);
    // For each title, the entry that runs it: as in the window's list, a
    // later library with the same title wins.
    static QMap<QString, pluginEntry> byTitle(const QList<pluginEntry> &entries);
    // The template folder at folder (one that holds template.json), read in
    // this process: it runs no code. False with *error naming the manifest's
    // first mistake.
    static bool folderEntry(const QString &folder, Icons icons, pluginEntry *entry, QString *error);
    // Every folder the last scan() looked at, in order.
    static QList<pluginFolder> foldersRead();
    // The same as lines for people: "PATH" for a folder read, "PATH (REASON)"
    // for one passed over.
    static QStringList directoriesRead();

    pluginCatalog() = delete;
};

#endif
