#include "fixturedir.h"
#include "wizdialog.h"
#include "wiztest.h"

#include <QAbstractButton>
#include <QDesktopServices>
#include <QFile>
#include <QListWidget>
#include <QMessageBox>
#include <QTimer>

// Listing the templates and running one: what the host does with libraries.
class tst_listing : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void rowsFollowCaseBlindFileOrder();
    void brokenLibrariesGiveDebugLinesAndNoRow();
    void equalTitlesRunTheLaterLibrary();
    void librariesAreUnloaded();
    void runHandsOverArgumentsAndReleases();
    void runWithoutReleaseFunction();
    void unknownTitleShowsOhDear();
    void throwingTemplateIsSurvived();

private:
    static QStringList rows(const wizDialog &dialog);
    static bool mapped(const QString &path);
    wiztest::UrlCatcher m_urls;
};

void tst_listing::init()
{
    m_urls.opened.clear();
    QDesktopServices::setUrlHandler(QStringLiteral("file"), &m_urls, "open");
}

void tst_listing::cleanup()
{
    QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
}

QStringList tst_listing::rows(const wizDialog &dialog)
{
    QStringList texts;
    for (int i = 0; i < dialog.listBox1->count(); ++i)
        texts << dialog.listBox1->item(i)->text();
    return texts;
}

bool tst_listing::mapped(const QString &path)
{
    QFile maps(QStringLiteral("/proc/self/maps"));
    return maps.open(QIODevice::ReadOnly) && maps.readAll().contains(QFile::encodeName(path));
}

void tst_listing::rowsFollowCaseBlindFileOrder()
{
    wiztest::FixtureDir dir;
    QVERIFY(dir.add("asker", "gamma.so"));
    QVERIFY(dir.add("recorder", "Beta.so"));
    QVERIFY(dir.add("twin_a", "alpha.so"));
    QVERIFY(dir.add("thrower", "delta.txt"));

    QTest::ignoreMessage(QtDebugMsg, "Fixture Twin - ./plugins/alpha.so");
    QTest::ignoreMessage(QtDebugMsg, "Fixture Recorder - ./plugins/Beta.so");
    QTest::ignoreMessage(QtDebugMsg, "Fixture Asker - ./plugins/gamma.so");
    wizDialog dialog;
    dialog.loadPlugins();
    QCOMPARE(rows(dialog), (QStringList { "Fixture Twin", "Fixture Recorder", "Fixture Asker" }));
    QCOMPARE(dialog.listBox1->currentRow(), -1);
    QVERIFY(!dialog.listBox1->item(0)->icon().isNull());
}

void tst_listing::brokenLibrariesGiveDebugLinesAndNoRow()
{
    wiztest::FixtureDir dir;
    QVERIFY(QDir(dir.plugins()).mkdir("folder.so"));
    wiztest::writeAll(dir.plugins() + "/garbage.so", QByteArray(4096, '\x5a'));
    wiztest::writeAll(dir.plugins() + "/empty.so", QByteArray());
    QVERIFY(QFile::link(dir.path() + "/nowhere.so", dir.plugins() + "/dangling.so"));
    QVERIFY(dir.add("noexports", "noexports.so"));
    QVERIFY(dir.add("nullfactory", "nullfactory.so"));

    for (const char *name :
        { "dangling.so", "empty.so", "folder.so", "garbage.so", "noexports.so" })
        QTest::ignoreMessage(QtDebugMsg,
            qPrintable(QStringLiteral("Library ./plugins/%1 does not have entry point "
                                      "\"load_zelk_wizard_plugin\"")
                           .arg(name)));
    wizDialog dialog;
    dialog.loadPlugins();
    QCOMPARE(dialog.listBox1->count(), 0);
}

void tst_listing::equalTitlesRunTheLaterLibrary()
{
    wiztest::FixtureDir dir;
    QVERIFY(dir.add("twin_b", "B.so"));
    QVERIFY(dir.add("twin_a", "a.so"));
    QVERIFY(QDir(dir.path()).mkdir("project"));

    wizDialog dialog;
    dialog.loadPlugins();
    QCOMPARE(rows(dialog), (QStringList { "Fixture Twin", "Fixture Twin" }));
    QVERIFY(dialog.runPlugin("Fixture Twin", dir.path(), "project", { QString() }));
    QVERIFY(QFile::exists(dir.path() + "/project/twin_b.log"));
    QVERIFY(!QFile::exists(dir.path() + "/project/twin_a.log"));
}

void tst_listing::librariesAreUnloaded()
{
    wiztest::FixtureDir dir;
    QVERIFY(dir.add("recorder", "recorder.so"));
    QVERIFY(QDir(dir.path()).mkdir("project"));
    const QString library = QDir(dir.plugins()).canonicalPath() + "/recorder.so";

    wizDialog dialog;
    dialog.loadPlugins();
    QCOMPARE(dialog.listBox1->count(), 1);
    QVERIFY(!mapped(library));
    // The title was copied out of the library before it went.
    QCOMPARE(dialog.listBox1->item(0)->text(), QStringLiteral("Fixture Recorder"));
    QVERIFY(dialog.runPlugin("Fixture Recorder", dir.path(), "project", { QString() }));
    QVERIFY(!mapped(library));
}

void tst_listing::runHandsOverArgumentsAndReleases()
{
    wiztest::FixtureDir dir;
    QVERIFY(dir.add("recorder", "recorder.so"));
    QVERIFY(QDir(dir.path()).mkdir("my project"));

    wizDialog dialog;
    dialog.loadPlugins();
    QVERIFY(
        dialog.runPlugin("Fixture Recorder", dir.path(), "my project", { "a", "", "/title=x" }));
    const QByteArray log = wiztest::readAll(dir.path() + "/my project/recorder.log");
    QCOMPARE(log,
        QByteArray("path=" + dir.path().toUtf8()
            + "\nname=my project\ncount=3\n"
              "param=a\nparam=\nparam=/title=x\nreleased\n"));
    QCOMPARE(m_urls.opened, QList<QUrl> { QUrl::fromLocalFile(dir.path() + "/my project") });
}

void tst_listing::runWithoutReleaseFunction()
{
    wiztest::FixtureDir dir;
    QVERIFY(dir.add("norelease", "norelease.so"));
    QVERIFY(QDir(dir.path()).mkdir("p"));

    wizDialog dialog;
    dialog.loadPlugins();
    QCOMPARE(dialog.listBox1->count(), 1);
    QVERIFY(dialog.runPlugin("Fixture No Release", dir.path(), "p", { QString() }));
    const QByteArray log = wiztest::readAll(dir.path() + "/p/norelease.log");
    QVERIFY(log.startsWith("path="));
    QVERIFY(!log.contains("released"));
    QCOMPARE(m_urls.opened.size(), 1);
}

void tst_listing::unknownTitleShowsOhDear()
{
    wiztest::FixtureDir dir;
    QVERIFY(dir.add("recorder", "recorder.so"));
    wizDialog dialog;
    dialog.loadPlugins();

    QString caption;
    QString text;
    wiztest::answerNextModal<QMessageBox>(&dialog, [&](QMessageBox *box) {
        caption = box->windowTitle();
        text = box->text();
        QCOMPARE(box->icon(), QMessageBox::Information);
        QCOMPARE(box->buttons().size(), 1);
        box->button(QMessageBox::Ok)->click();
    });
    QVERIFY(!dialog.runPlugin("Fixture Nobody", dir.path(), "p", { QString() }));
    QCOMPARE(caption, QStringLiteral("Oh Dear"));
    QCOMPARE(text, QStringLiteral("Could not load library specified: Fixture Nobody"));
    QVERIFY(m_urls.opened.isEmpty());
}

void tst_listing::throwingTemplateIsSurvived()
{
    wiztest::FixtureDir dir;
    QVERIFY(dir.add("thrower", "thrower.so"));
    QVERIFY(QDir(dir.path()).mkdir("p"));
    wizDialog dialog;
    dialog.loadPlugins();
    QString text;
    wiztest::answerNextModal<QMessageBox>(&dialog, [&](QMessageBox *box) {
        text = box->text();
        box->accept();
    });
    QVERIFY(!dialog.runPlugin("Fixture Thrower", dir.path(), "p", { QString() }));
    QCOMPARE(text, "the template \"Fixture Thrower\" failed: the fixture failed on purpose");
    QVERIFY(wiztest::readAll(dir.path() + "/p/thrower.log").endsWith("released\n"));
}

WIZ_TEST_MAIN(tst_listing)
#include "tst_listing.moc"
