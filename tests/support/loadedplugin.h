#ifndef LOADEDPLUGIN_H
#define LOADEDPLUGIN_H

#include "pluginlibrary.h"
#include "zelk_wizard_plugin.h"

#include <QString>
#include <QTest>

namespace wiztest {

// One template plug-in of the build tree, loaded by the wizard's own loader
// for a test: a fresh object from the factory, released through the library's
// own release function. Each library is loaded once for the whole test
// program: one that showed a dialog stays mapped after it is closed, and the
// loader cannot open a file again that is still mapped.
class LoadedPlugin
{
public:
    // deliverable: the library's name in build/plugins, without ".so".
    explicit LoadedPlugin(const QString &deliverable);
    ~LoadedPlugin();
    LoadedPlugin(const LoadedPlugin &) = delete;
    LoadedPlugin &operator=(const LoadedPlugin &) = delete;

    zelk_wizard_plugin *operator->() const { return m_plugin; }
    zelk_wizard_plugin *get() const { return m_plugin; }
    // Why there is no object, naming the library; empty when there is one.
    QString problem() const;

private:
    QString m_path;
    pluginLibrary &m_library;
    zelk_wizard_plugin *m_plugin = nullptr;
};

} // namespace wiztest

// Ends the test function with the reason when plugin (a LoadedPlugin) holds
// no object, so that the test never calls through a null plug-in.
#define WIZ_VERIFY_LOADED(plugin) QVERIFY2((plugin).get(), qPrintable((plugin).problem()))

#endif
