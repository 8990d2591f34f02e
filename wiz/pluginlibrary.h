#ifndef PLUGINLIBRARY_H
#define PLUGINLIBRARY_H

#include <QJsonObject>
#include <QLibrary>
#include <QString>

class zelk_wizard_plugin;

// One loading of a template plug-in library, for one use: the library is
// unloaded again when this object goes, so no plug-in code stays mapped
// between the listing and the run.
class pluginLibrary
{
public:
    explicit pluginLibrary(const QString &path);
    ~pluginLibrary();
    pluginLibrary(const pluginLibrary &) = delete;
    pluginLibrary &operator=(const pluginLibrary &) = delete;

    // Loads the library, unless another user could have put it there.
    bool load();
    // Looks up the factory (loading the library if needed); false if absent.
    bool hasFactory();
    // A fresh object from the library's factory, or null. A factory that
    // throws gives null too: the exception never reaches the host.
    zelk_wizard_plugin *create();
    // Hands the object back to the library's own release function. A library
    // without one keeps its object: nobody else may free it.
    void release(zelk_wizard_plugin *plugin);
    // What the library's optional describe_zelk_wizard_plugin() tells about its
    // template; empty when it has none, throws, or gives no JSON object.
    QJsonObject about();

    // Why the last load() or create() failed, where the wizard decided it:
    // a library it refused to load or a factory that threw. Empty otherwise.
    QString refusal() const { return m_refusal; }

private:
    QString m_path;
    QString m_refusal;
    QLibrary m_library;
};

#endif
