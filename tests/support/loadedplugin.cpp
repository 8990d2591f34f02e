#include "loadedplugin.h"

#include <QFileInfo>

#include <map>
#include <memory>

namespace {

pluginLibrary &libraryAt(const QString &path)
{
    static std::map<QString, std::unique_ptr<pluginLibrary>> libraries;
    std::unique_ptr<pluginLibrary> &library = libraries[path];
    if (!library)
        library = std::make_unique<pluginLibrary>(path);
    return *library;
}

} // namespace

wiztest::LoadedPlugin::LoadedPlugin(const QString &deliverable)
    : m_path(QStringLiteral(WIZ_BUILD_DIR "/plugins/") + deliverable + QStringLiteral(".so"))
    , m_library(libraryAt(m_path))
{
    m_plugin = m_library.create();
}

wiztest::LoadedPlugin::~LoadedPlugin()
{
    if (m_plugin)
        m_library.release(m_plugin);
}

QString wiztest::LoadedPlugin::problem() const
{
    if (m_plugin)
        return QString();
    if (!QFileInfo::exists(m_path))
        return m_path + QStringLiteral(": not built");
    for (const QString &reason : { m_library.refusal(), m_library.loaderError() })
        if (!reason.isEmpty())
            return m_path + QStringLiteral(": ") + reason;
    return m_path + QStringLiteral(": gives no object");
}
