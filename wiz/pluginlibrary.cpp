#include "pluginlibrary.h"

#include "pluginstamp.h"
#include "plugintrust.h"
#include "zelk_wizard_plugin.h"

#include <QCoreApplication>
#include <QJsonDocument>

#include <exception>

pluginLibrary::pluginLibrary(const QString &path)
    : m_path(path)
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
    m_refusal.clear();
    if (m_library.isLoaded())
        return true;
    if (m_path.isEmpty())
        return false;
    m_refusal = pluginTrust::libraryRefusal(m_path);
    if (!m_refusal.isEmpty())
        return false;
    // The file name is only handed over once the file passed, so that nothing
    // else can make QLibrary load it behind the check.
    m_library.setFileName(m_path);
    return m_library.load();
}

bool pluginLibrary::hasFactory()
{
    return load() && m_library.resolve("load_zelk_wizard_plugin") != nullptr;
}

zelk_wizard_plugin *pluginLibrary::create()
{
    if (!load() || !pluginStamp::accepts(m_library))
        return nullptr;
    auto factory = reinterpret_cast<zelk_wizard_plugin_factory>(
        m_library.resolve("load_zelk_wizard_plugin"));
    if (!factory)
        return nullptr;
    try {
        return factory();
    } catch (const std::exception &error) {
        m_refusal = QCoreApplication::translate("pluginLibrary", "its factory failed: %1")
                        .arg(QString::fromLocal8Bit(error.what()));
    } catch (...) {
        m_refusal = QCoreApplication::translate("pluginLibrary", "its factory failed");
    }
    return nullptr;
}

void pluginLibrary::release(zelk_wizard_plugin *plugin)
{
    if (!m_library.isLoaded())
        return;
    auto release = reinterpret_cast<zelk_wizard_plugin_release>(
        m_library.resolve("free_zelk_wizard_plugin"));
    if (release)
        release(plugin);
}

QJsonObject pluginLibrary::about()
{
    if (!load() || !pluginStamp::accepts(m_library))
        return {};
    auto describe = reinterpret_cast<zelk_wizard_plugin_describe>(
        m_library.resolve("describe_zelk_wizard_plugin"));
    if (!describe)
        return {};
    QByteArray json;
    try {
        describe(&json);
    } catch (...) {
        return {};
    }
    // A deep copy: the bytes may still be the library's own.
    const QByteArray copy(json.constData(), json.size());
    return QJsonDocument::fromJson(copy).object();
}
