#include "loadedplugin.h"

#include <QFileInfo>

wiztest::LoadedPlugin::LoadedPlugin(const QString &deliverable)
    : m_path(QStringLiteral(WIZ_BUILD_DIR "/plugins/") + deliverable + QStringLiteral(".so"))
    , m_library(m_path)
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
    const QString refusal = m_library.refusal();
    return m_path + QStringLiteral(": ")
        + (refusal.isEmpty() ? QStringLiteral("does not load or gives no object") : refusal);
}
