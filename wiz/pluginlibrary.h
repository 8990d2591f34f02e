#ifndef PLUGINLIBRARY_H
#define PLUGINLIBRARY_H

#include <QJsonObject>
#include <QString>

#include <sys/types.h>

class zelk_wizard_plugin;

// One loading of a template plug-in library, for one use: the library is
// unloaded again when this object goes, so no plug-in code stays mapped
// between the listing and the run. The file is opened once, checked on its
// descriptor and loaded from that descriptor: what was checked is what runs.
class pluginLibrary
{
public:
    // The file that was opened: what a remembered listing is keyed by.
    struct fileKey
    {
        qint64 device = 0;
        qint64 inode = 0;
        qint64 size = 0;
        qint64 modified = 0; // nanoseconds since the epoch
        bool operator==(const fileKey &other) const
        {
            return device == other.device && inode == other.inode && size == other.size
                && modified == other.modified;
        }
    };

    // The key of an open file; all zero when it cannot be read.
    static fileKey keyOf(int fd);

    explicit pluginLibrary(const QString &path);
    ~pluginLibrary();
    pluginLibrary(const pluginLibrary &) = delete;
    pluginLibrary &operator=(const pluginLibrary &) = delete;

    // Loads the library, unless another user could have put it there.
    bool load();
    // Looks up the factory (loading the library if needed); false if absent.
    bool hasFactory();
    // Why the library's stamp says it was built for another wizard, or
    // nothing. A stamp function that throws refuses the library too.
    QString stampRefusal();
    // A fresh object from the library's factory, or null. A refused stamp or a
    // factory that throws gives null too: the exception never reaches the host.
    zelk_wizard_plugin *create();
    // Hands the object back to the library's own release function. A library
    // without one keeps its object: nobody else may free it. False when the
    // release function threw; refusal() says so.
    bool release(zelk_wizard_plugin *plugin);
    // What the library says of itself (describe_zelk_wizard_plugin), or an
    // empty object when it says nothing, throws or gives no JSON object.
    QJsonObject about();

    // Why the last load(), create() or release() failed, where the wizard
    // decided it: a library it refused to load, a stamp, factory or release
    // function that threw. Empty otherwise.
    QString refusal() const { return m_refusal; }
    // The dynamic loader's own words when load() failed after the checks.
    QString loaderError() const { return m_loaderError; }
    QString path() const { return m_path; }
    fileKey key() const { return m_key; }

private:
    void *resolve(const char *symbol);

    QString m_path;
    QString m_refusal;
    QString m_loaderError;
    fileKey m_key;
    void *m_handle = nullptr;
};

#endif
