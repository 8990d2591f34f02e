#include "fixturedir.h"
#include "plugincatalog.h"
#include "wizdialog.h"
#include "wiztest.h"

#include <QAbstractButton>
#include <QDesktopServices>
#include <QElapsedTimer>
#include <QFile>
#include <QListWidget>
#include <QMessageBox>
#include <QRegularExpression>
#include <QTimer>

#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>

// Listing the templates and running one: what the host does with libraries.
class tst_listing : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void rowsFollowCaseBlindFileOrder();
    void brokenLibrariesGiveDebugLinesAndNoRow();
    void untrustedPlacesAreNotLoaded_data();
    void untrustedPlacesAreNotLoaded();
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
    QVERIFY(dir.add("factorythrower", "factorythrower.so"));

    for (const char *name : { "empty.so", "garbage.so", "noexports.so" })
        QTest::ignoreMessage(QtDebugMsg,
            qPrintable(QStringLiteral("Library ./plugins/%1 does not have entry point "
                                      "\"load_zelk_wizard_plugin\"")
                           .arg(name)));
    QTest::ignoreMessage(
        QtDebugMsg, "Library ./plugins/dangling.so is not loaded: No such file or directory");
    QTest::ignoreMessage(QtDebugMsg,
        "Library ./plugins/factorythrower.so is left out: its factory failed: std::bad_alloc");
    QTest::ignoreMessage(
        QtDebugMsg, "Library ./plugins/folder.so is not loaded: it is not a regular file");
    wizDialog dialog;
    dialog.loadPlugins();
    QCOMPARE(dialog.listBox1->count(), 0);
}

void tst_listing::untrustedPlacesAreNotLoaded_data()
{
    // What the debug line begins with; none when the library is listed.
    QTest::addColumn<QString>("line");
    QTest::addColumn<bool>("asRoot");

    const QString library = QStringLiteral("Library ./plugins/x.so is not loaded: ");
    const QString folder = QStringLiteral("Templates in ./plugins are not loaded: ");
    QTest::newRow("folder writable by every user")
        << folder + "it is writable by every user" << false;
    QTest::newRow("sticky folder writable by every user")
        << folder + "it is writable by every user" << false;
    QTest::newRow("library writable by every user")
        << library + "it is writable by every user" << false;
    QTest::newRow("pipe named like a library") << library + "it is not a regular file" << false;
    QTest::newRow("link into a folder every user can write") << library + "it leads into " << false;
    QTest::newRow("link to a library") << QString() << false;
    QTest::newRow("library of another user") << library + "it belongs to " << true;
    QTest::newRow("folder of another user") << folder + "it belongs to " << true;
    QTest::newRow("library writable by another group")
        << library + "it is writable by the group " << true;
    QTest::newRow("library writable by the owner's own group") << QString() << true;
    QTest::newRow("root's library") << QString() << true;
}

void tst_listing::untrustedPlacesAreNotLoaded()
{
    QFETCH(QString, line);
    QFETCH(bool, asRoot);
    if (asRoot && geteuid() != 0)
        QSKIP("only the super-user can give a file to another user");
    const QString row = QString::fromLatin1(QTest::currentDataTag());
    if (row.contains("own group") && *getgrgid(0)->gr_mem)
        QSKIP("root's group has other members here");

    wiztest::FixtureDir dir;
    const QByteArray plugins = QFile::encodeName(dir.plugins());
    const QByteArray library = plugins + "/x.so";
    const QByteArray open = QFile::encodeName(dir.path() + "/open");
    const uid_t nobody = 65534;
    if (row.startsWith("pipe")) {
        QCOMPARE(mkfifo(library, 0644), 0);
    } else if (row.startsWith("link")) {
        QCOMPARE(mkdir(open, row.contains("every user") ? 0777 : 0755), 0);
        QVERIFY(QFile::copy(wiztest::FixtureDir::fixturePath("recorder"), open + "/r.so"));
        QCOMPARE(chmod(open, row.contains("every user") ? 0777 : 0755), 0);
        QCOMPARE(symlink(open + "/r.so", library), 0);
    } else {
        QVERIFY(dir.add("recorder", "x.so"));
        QCOMPARE(chmod(library, 0755), 0);
    }
    if (row == "folder writable by every user")
        QCOMPARE(chmod(plugins, 0777), 0);
    if (row.startsWith("sticky"))
        QCOMPARE(chmod(plugins, 01777), 0);
    if (row == "library writable by every user")
        QCOMPARE(chmod(library, 0666), 0);
    if (row == "library of another user")
        QCOMPARE(chown(library, nobody, gid_t(-1)), 0);
    if (row == "folder of another user")
        QCOMPARE(chown(plugins, nobody, gid_t(-1)), 0);
    if (row.contains("group")) {
        QCOMPARE(chown(library, 0, row.contains("another") ? gid_t(nobody) : 0), 0);
        QCOMPARE(chmod(library, 0775), 0);
    }
    if (row.startsWith("root"))
        QCOMPARE(chown(library, 0, 0), 0);

    if (line.isEmpty())
        QTest::ignoreMessage(QtDebugMsg, "Fixture Recorder - ./plugins/x.so");
    else
        QTest::ignoreMessage(
            QtDebugMsg, QRegularExpression("^" + QRegularExpression::escape(line)));
    QElapsedTimer timer;
    timer.start();
    const QList<pluginEntry> entries = pluginCatalog::scan(pluginCatalog::WithoutIcons);
    // A pipe opened as a library would wait for a writer for ever.
    QVERIFY(timer.elapsed() < 1000);
    QCOMPARE(entries.size(), line.isEmpty() ? 1 : 0);
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
