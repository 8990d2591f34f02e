#include "pluginstamp.h"

#include "zelk_wizard_plugin.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QVersionNumber>

QString pluginStamp::refusal(int contractVersion, int qtVersion)
{
    if (contractVersion != ZELK_WIZARD_PLUGIN_CONTRACT_VERSION)
        return QCoreApplication::translate(
            "pluginStamp", "it was built for template contract version %1, this wizard has %2")
            .arg(contractVersion)
            .arg(ZELK_WIZARD_PLUGIN_CONTRACT_VERSION);
    const QVersionNumber built((qtVersion >> 16) & 0xff, (qtVersion >> 8) & 0xff, qtVersion & 0xff);
    const QVersionNumber running = QLibraryInfo::version();
    // Qt keeps its binary interface within a major version, for libraries built
    // against the same or an older minor version.
    if (built.majorVersion() != running.majorVersion()
        || built.minorVersion() > running.minorVersion())
        return QCoreApplication::translate(
            "pluginStamp", "it was built with Qt %1, this wizard runs on Qt %2")
            .arg(built.toString(), running.toString());
    return QString();
}
