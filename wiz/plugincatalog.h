#ifndef PLUGINCATALOG_H
#define PLUGINCATALOG_H

#include <QJsonObject>
#include <QList>
#include <QPixmap>
#include <QString>
#include <QStringList>

// What the listing keeps of one template: its title, its picture and the path
// of the library that gave them. Nothing of the library itself survives.
struct pluginEntry
{
    QString title;
    QPixmap icon;
    QString path;
    // What the template tells about itself beyond its title; empty when nothing.
    QJsonObject about;
};

class pluginCatalog
{
public:
    // "./plugins" of the current directory when it exists and may be loaded
    // from; otherwise the plugins beside the executable (build tree) or in
    // ../lib/wiz/plugins (installed tree).
    static QString directory();
    // directory(), then each directory of WIZ_PLUGIN_PATH, then the user's own
    // $XDG_DATA_HOME/wiz/plugins: the order in which templates are listed, so
    // that a later one can stand in for an earlier one of the same title.
    static QStringList directories();
    enum Icons { WithIcons, WithoutIcons };
    // Every library in directories(), each directory in case-blind name order,
    // that gives a plug-in object. Writes a debug line for each library,
    // answered or not, and for each folder refused. Only the window needs the
    // pictures; without them no template's icon() is called.
    static QList<pluginEntry> scan(Icons icons = WithIcons);

    pluginCatalog() = delete;

private:
    static QList<pluginEntry> scan(const QString &folder, Icons icons);
};

#endif
