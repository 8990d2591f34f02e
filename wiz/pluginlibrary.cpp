#include "pluginlibrary.h"

#include "pluginstamp.h"
#include "zelk_wizard_plugin.h"

pluginLibrary::pluginLibrary(const QString &path)
    : m_library(path)
{
}

pluginLibrary::~pluginLibrary()
{
    // QLibrary keeps a library mapped after its handle is gone unless told otherwise.
    if (m_library.isLoaded())
        m_library.unload();
}

bool pluginLibrary::load()
{
    return !m_library.fileName().isEmpty() && m_library.load();
}

bool pluginLibrary::hasFactory()
{
    return m_library.resolve("load_zelk_wizard_plugin") != nullptr;
}

zelk_wizard_plugin *pluginLibrary::create()
{
    if (!pluginStamp::accepts(m_library))
        return nullptr;
    auto factory = reinterpret_cast<zelk_wizard_plugin_factory>(
        m_library.resolve("load_zelk_wizard_plugin"));
    return factory ? factory() : nullptr;
}

void pluginLibrary::release(zelk_wizard_plugin *plugin)
{
    auto release = reinterpret_cast<zelk_wizard_plugin_release>(
        m_library.resolve("free_zelk_wizard_plugin"));
    if (release)
        release(plugin);
}
