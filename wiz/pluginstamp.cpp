#include "pluginstamp.h"

#include "zelk_wizard_plugin.h"

#include <QDebug>
#include <QLibrary>
#include <QLibraryInfo>
#include <QVersionNumber>

bool pluginStamp::accepts(QLibrary &library)
{
    auto stamp
        = reinterpret_cast<zelk_wizard_plugin_stamp>(library.resolve("stamp_zelk_wizard_plugin"));
    if (!stamp)
        return true;
    int contractVersion = 0;
    int qtVersion = 0;
    stamp(&contractVersion, &qtVersion);
    const QString reason = refusal(contractVersion, qtVersion);
    if (reason.isEmpty())
        return true;
    qDebug().noquote()
        << QStringLiteral("Library %1 is not loaded: %2").arg(library.fileName(), reason);
    return false;
}

QString pluginStamp::refusal(int contractVersion, int qtVersion)
{
    if (contractVersion != ZELK_WIZARD_PLUGIN_CONTRACT_VERSION)
        return QStringLiteral("it was built for template contract version %1, this wizard has %2")
            .arg(contractVersion)
            .arg(ZELK_WIZARD_PLUGIN_CONTRACT_VERSION);
    const QVersionNumber built((qtVersion >> 16) & 0xff, (qtVersion >> 8) & 0xff, qtVersion & 0xff);
    const QVersionNumber running = QLibraryInfo::version();
    // Qt keeps its binary interface within a major version, for libraries built
    // against the same or an older minor version.
    if (built.majorVersion() != running.majorVersion()
        || built.minorVersion() > running.minorVersion())
        return QStringLiteral("it was built with Qt %1, this wizard runs on Qt %2")
            .arg(built.toString(), running.toString());
    return QString();
}
