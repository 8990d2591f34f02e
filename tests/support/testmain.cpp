#include "testmain.h"

#include <QFile>

wiztest::TestEnvironment::TestEnvironment()
{
    const QByteArray home = QFile::encodeName(m_home.path());
    qputenv("XDG_CONFIG_HOME", home);
    qputenv("XDG_RUNTIME_DIR", home);
    qputenv("XDG_DATA_HOME", home + "/data");
    qputenv("XDG_CACHE_HOME", home + "/cache");
    // The listing's child is the wizard of the build, since a test program is none.
    qputenv("WIZ_SCANNER", WIZ_BUILD_DIR "/wiz");
    qunsetenv("WIZ_PLUGIN_PATH");
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
}
