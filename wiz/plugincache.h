#ifndef PLUGINCACHE_H
#define PLUGINCACHE_H

#include "pluginlibrary.h"

#include <QHash>
#include <QJsonObject>
#include <QString>

// What the listing found in each library, remembered per user in
// $XDG_CACHE_HOME/wiz/templates.json, so that a listing loads no library it
// has seen before. A record is found only for the same file (device, inode,
// size and modification time) and the same build of the wizard. The folder is
// private to the user and checked as a template folder is; where it fails,
// nothing is remembered.
class pluginCache
{
public:
    pluginCache();

    // The record of the library at the absolute path, or an empty object.
    QJsonObject find(const QString &path, const pluginLibrary::fileKey &key) const;
    void store(const QString &path, const QJsonObject &record);
    // Writes the records when they changed, replacing the file at once.
    void save();

    // A record's key, as the fields "device", "inode", "size" and "modified".
    static pluginLibrary::fileKey keyOf(const QJsonObject &record);
    static QJsonObject withKey(QJsonObject record, const pluginLibrary::fileKey &key);

private:
    QString m_folder;
    QString m_identity;
    QHash<QString, QJsonObject> m_records;
    bool m_changed = false;
};

#endif
