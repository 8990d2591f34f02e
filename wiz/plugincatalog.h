#ifndef PLUGINCATALOG_H
#define PLUGINCATALOG_H

#include <QList>
#include <QPixmap>
#include <QString>

// What the listing keeps of one template: its title, its picture and the path
// of the library that gave them. Nothing of the library itself survives.
struct pluginEntry
{
    QString title;
    QPixmap icon;
    QString path;
};

class pluginCatalog
{
public:
    // "./plugins" of the current directory when it exists; otherwise the
    // plugins beside the executable (build tree) or in ../lib/wiz/plugins
    // (installed tree).
    static QString directory();
    // Every library in directory(), in case-blind name order, that gives a
    // plug-in object. Writes a debug line for each library, answered or not.
    static QList<pluginEntry> scan();

    pluginCatalog() = delete;
};

#endif
