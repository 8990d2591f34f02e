#ifndef PLUGINLIBRARY_H
#define PLUGINLIBRARY_H

#include <QLibrary>

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

    bool load();
    // Looks up the factory (loading the library if needed); false if absent.
    bool hasFactory();
    // A fresh object from the library's factory, or null.
    zelk_wizard_plugin *create();
    // Hands the object back to the library's own release function. A library
    // without one keeps its object: nobody else may free it.
    void release(zelk_wizard_plugin *plugin);

private:
    QLibrary m_library;
};

#endif
