#ifndef LOADEDPLUGIN_H
#define LOADEDPLUGIN_H

#include "zelk_wizard_plugin.h"

#include <QLibrary>
#include <QString>

namespace wiztest {

// One template plug-in of the build tree, loaded for a test the way the host
// loads it: a fresh object from the factory, released through the library's
// own release function, and the library unloaded at the end.
class LoadedPlugin
{
public:
    explicit LoadedPlugin(const QString &deliverable)
        : m_library(QStringLiteral(WIZ_BUILD_DIR "/plugins/") + deliverable + QStringLiteral(".so"))
    {
        auto factory = reinterpret_cast<zelk_wizard_plugin_factory>(
            m_library.resolve("load_zelk_wizard_plugin"));
        m_plugin = factory ? factory() : nullptr;
    }
    ~LoadedPlugin()
    {
        auto release = reinterpret_cast<zelk_wizard_plugin_release>(
            m_library.resolve("free_zelk_wizard_plugin"));
        if (m_plugin && release)
            release(m_plugin);
        m_library.unload();
    }
    LoadedPlugin(const LoadedPlugin &) = delete;
    LoadedPlugin &operator=(const LoadedPlugin &) = delete;

    zelk_wizard_plugin *operator->() const { return m_plugin; }
    zelk_wizard_plugin *get() const { return m_plugin; }
    QString errorString() const { return m_library.errorString(); }

private:
    QLibrary m_library;
    zelk_wizard_plugin *m_plugin = nullptr;
};

} // namespace wiztest

#endif
