#include "fixturedir.h"
#include "plugincatalog.h"
#include "pluginlibrary.h"
#include "wiztest.h"
#include "zelk_wizard_plugin.h"

#include <QLibraryInfo>
#include <QRegularExpression>
#include <QVersionNumber>

class tst_pluginstamp : public QObject
{
    Q_OBJECT

private slots:
    void listing_data();
    void listing();
    void refusedLibraryGivesNoObject();
    void throwingFunctionsAreCaught();
};

void tst_pluginstamp::listing_data()
{
    QTest::addColumn<QString>("fixture");
    QTest::addColumn<QString>("title");
    // The reason the debug line must give, or empty when the library is listed.
    QTest::addColumn<QString>("refusal");

    const QVersionNumber qt = QLibraryInfo::version();
    const auto qtRefusal = [&qt](int major, int minor) {
        return QStringLiteral("it was built with Qt %1.%2.%3, this wizard runs on Qt %4")
            .arg(major)
            .arg(minor)
            .arg(qt.microVersion())
            .arg(qt.toString());
    };
    // The fixtures are built with this Qt's own headers.
    QVERIFY(
        QT_VERSION == QT_VERSION_CHECK(qt.majorVersion(), qt.minorVersion(), qt.microVersion()));

    QTest::newRow("stamped by this build") << "recorder"
                                           << "Fixture Recorder" << QString();
    QTest::newRow("no stamp, as before stamps") << "unstamped"
                                                << "Fixture Unstamped" << QString();
    QTest::newRow("older Qt minor version") << "olderqtminor"
                                            << "Fixture Older Qt Minor" << QString();
    QTest::newRow("newer Qt patch version") << "newerqtpatch"
                                            << "Fixture Newer Qt Patch" << QString();
    QTest::newRow("another contract version")
        << "othercontract"
        << "Fixture Other Contract"
        << QStringLiteral("it was built for template contract version %1, this wizard has %2")
               .arg(ZELK_WIZARD_PLUGIN_CONTRACT_VERSION + 1)
               .arg(ZELK_WIZARD_PLUGIN_CONTRACT_VERSION);
    QTest::newRow("another Qt major version")
        << "otherqtmajor"
        << "Fixture Other Qt Major" << qtRefusal(qt.majorVersion() + 1, qt.minorVersion());
    QTest::newRow("newer Qt minor version")
        << "newerqtminor"
        << "Fixture Newer Qt Minor" << qtRefusal(qt.majorVersion(), qt.minorVersion() + 1);
}

void tst_pluginstamp::listing()
{
    QFETCH(QString, fixture);
    QFETCH(QString, title);
    QFETCH(QString, refusal);

    wiztest::FixtureDir dir;
    QVERIFY(dir.add(fixture, fixture + ".so"));
    if (!refusal.isEmpty())
        QTest::ignoreMessage(QtDebugMsg,
            QRegularExpression("^Library .*/plugins/" + fixture
                + "\\.so is not loaded: " + QRegularExpression::escape(refusal) + "$"));
    QStringList titles;
    for (const pluginEntry &entry : pluginCatalog::scan())
        titles << entry.title;
    QCOMPARE(titles, refusal.isEmpty() ? QStringList { title } : QStringList());
}

// The run takes the same way in as the listing: a library refused there cannot
// be run by a title that names it either.
void tst_pluginstamp::refusedLibraryGivesNoObject()
{
    pluginLibrary library(wiztest::FixtureDir::fixturePath("otherqtmajor"));
    QVERIFY(library.load());
    QTest::ignoreMessage(QtDebugMsg, QRegularExpression("is not loaded: it was built with Qt "));
    QCOMPARE(library.create(), nullptr);
}

// The run loads in process: a stamp or release function that throws is caught there.
void tst_pluginstamp::throwingFunctionsAreCaught()
{
    pluginLibrary stamp(wiztest::FixtureDir::fixturePath("stampthrower"));
    QTest::ignoreMessage(QtDebugMsg,
        QRegularExpression("is not loaded: its stamp failed: the stamp failed on purpose$"));
    QCOMPARE(stamp.create(), nullptr);

    pluginLibrary release(wiztest::FixtureDir::fixturePath("releasethrower"));
    zelk_wizard_plugin *plugin = release.create();
    QVERIFY(plugin);
    QVERIFY(!release.release(plugin));
    QCOMPARE(release.refusal(), "its release function failed: the release failed on purpose");
}

WIZ_TEST_MAIN(tst_pluginstamp)
#include "tst_pluginstamp.moc"
