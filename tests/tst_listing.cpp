#include "fixturedir.h"
#include "plugincatalog.h"
#include "wizdialog.h"
#include "wiztest.h"

#include <QAbstractButton>
#include <QDesktopServices>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonObject>
#include <QListWidget>
#include <QMessageBox>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTimer>

#include <QProcess>

#include <fcntl.h>
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
    void foldersAboveMustPass_data();
    void foldersAboveMustPass();
    void brokenLibraryTakesOnlyItself_data();
    void brokenLibraryTakesOnlyItself();
    void rememberedUntilTheFileChanges_data();
    void rememberedUntilTheFileChanges();
    void iconsAskedOnceAfterAListing();
    void swappedFolderNeverLoads();

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
    // A pipe opened as a library would wait for a writer for ever: the test's
    // own time limit is what catches that.
    const QList<pluginEntry> entries = pluginCatalog::scan(pluginCatalog::WithoutIcons);
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
    QCOMPARE(dialog.listBox1->item(0)->toolTip(), "./plugins/B.so runs instead of ./plugins/a.so");
    QCOMPARE(dialog.listBox1->item(1)->toolTip(), QString());
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

void tst_listing::foldersAboveMustPass_data()
{
    // The folders made in the temporary directory, "mode path" each, the
    // template folder as WIZ_PLUGIN_PATH names it or "./plugins" in "work",
    // and what the debug line begins with, or nothing when the library lists.
    QTest::addColumn<QStringList>("folders");
    QTest::addColumn<QString>("plugins");
    QTest::addColumn<QString>("line");
    const QString refused = QStringLiteral("Templates in %1 are not loaded: ");
    QTest::newRow("private folders all the way")
        << QStringList { "755 a", "755 a/plugins" } << "a/plugins" << QString();
    QTest::newRow("world-writable folder above")
        << QStringList { "777 ww", "755 ww/plugins" } << "ww/plugins"
        << refused.arg("ww/plugins") + "it lies in @/ww, which is writable by every user";
    QTest::newRow("sticky folder above")
        << QStringList { "1777 st", "755 st/plugins" } << "st/plugins" << QString();
    QTest::newRow("./plugins in a world-writable working folder")
        << QStringList { "777 work", "755 work/plugins" } << "./plugins"
        << refused.arg("./plugins") + "it lies in @/work, which is writable by every user";
    QTest::newRow("./plugins link planted in a world-writable working folder")
        << QStringList { "777 work", "755 lib", "link work/plugins lib" } << "./plugins"
        << refused.arg("./plugins") + "it lies in @/work, which is writable by every user";
    QTest::newRow("./plugins link into a world-writable folder")
        << QStringList { "755 work", "777 ww", "755 ww/lib", "link work/plugins ww/lib" }
        << "./plugins"
        << refused.arg("./plugins") + "it leads into @/ww, which is writable by every user";
    QTest::newRow("./plugins link into a private folder") << QStringList { "755 work", "755 lib",
        "link work/plugins lib" } << "./plugins" << QString();
}

void tst_listing::foldersAboveMustPass()
{
    QFETCH(QStringList, folders);
    QFETCH(QString, plugins);
    QFETCH(QString, line);
    QTemporaryDir tmp;
    const QString root = QFileInfo(tmp.path()).canonicalFilePath();
    QString library;
    for (const QString &folder : folders) {
        const QStringList parts = folder.split(' ');
        const QString path = root + '/' + parts[1];
        if (parts[0] == "link") {
            QVERIFY(QFile::link(root + '/' + parts[2], path));
            continue;
        }
        QVERIFY(QDir().mkdir(path));
        QCOMPARE(chmod(QFile::encodeName(path), parts[0].toUInt(nullptr, 8)), 0);
        library = path + "/r.so";
    }
    QVERIFY(QFile::copy(wiztest::FixtureDir::fixturePath("recorder"), library));
    const QString previous = QDir::currentPath();
    QVERIFY(QDir::setCurrent(root + (plugins == "./plugins" ? "/work" : "")));
    qputenv("WIZ_PLUGIN_PATH", plugins == "./plugins" ? QByteArray() : QFile::encodeName(plugins));

    if (line.isEmpty())
        QTest::ignoreMessage(QtDebugMsg, qPrintable("Fixture Recorder - " + plugins + "/r.so"));
    else
        QTest::ignoreMessage(QtDebugMsg, qPrintable(QString(line).replace("@", root)));
    const QList<pluginEntry> entries = pluginCatalog::scan(pluginCatalog::WithoutIcons);
    QDir::setCurrent(previous);
    qunsetenv("WIZ_PLUGIN_PATH");
    // The wizard's own templates are listed as well; only the fixture counts here.
    QCOMPARE(std::count_if(entries.begin(), entries.end(),
                 [](const pluginEntry &entry) { return entry.title == "Fixture Recorder"; }),
        line.isEmpty() ? 1 : 0);
}

void tst_listing::brokenLibraryTakesOnlyItself_data()
{
    // How the broken library is made: a fixture's name, "cut" for the first 4 KiB
    // of one, or a file name that is no UTF-8.
    QTest::addColumn<QString>("make");
    QTest::addColumn<QString>("line");
    const QString library = QStringLiteral("Library ./plugins/");
    QTest::newRow("stamp throws") << "stampthrower"
                                  << library
            + "broken.so is not loaded: its stamp failed: the stamp failed on purpose";
    QTest::newRow("release throws") << "releasethrower"
                                    << library
            + "broken.so is left out: its release function failed: the release failed on purpose";
    QTest::newRow("library cut short")
        << "cut" << library + "broken.so is left out: it crashed the listing (Bus error)";
    QTest::newRow("description hangs")
        << "hanger" << library + "broken.so is left out: it did not answer within 300 ms";
    QTest::newRow("factory exits")
        << "exiter" << library + "broken.so is left out: it ended the listing with exit status 0";
    QTest::newRow("name that is no UTF-8")
        << "caf\xe9"
        << library + "caf\\xe9.so is not loaded: its name is not valid in the local encoding";
}

void tst_listing::brokenLibraryTakesOnlyItself()
{
    QFETCH(QString, make);
    QFETCH(QString, line);
    wiztest::FixtureDir dir;
    QVERIFY(dir.add("recorder", "a.so"));
    QVERIFY(dir.add("describer", "c.so"));
    const QByteArray broken = QFile::encodeName(dir.plugins()) + "/broken.so";
    if (make == "cut")
        wiztest::writeAll(broken, wiztest::readAll(dir.fixturePath("recorder")).left(4096));
    else if (make.startsWith("caf"))
        QCOMPARE(::link(QFile::encodeName(dir.fixturePath("recorder")),
                     QFile::encodeName(dir.plugins()) + "/caf\xe9.so"),
            0);
    else
        QVERIFY(QFile::copy(dir.fixturePath(make), QFile::decodeName(broken)));
    qputenv("WIZ_SCAN_TIME_LIMIT", "300");

    QTest::ignoreMessage(QtDebugMsg, "Fixture Recorder - ./plugins/a.so");
    QTest::ignoreMessage(QtDebugMsg, qPrintable(line));
    QTest::ignoreMessage(QtDebugMsg, "Fixture Describer - ./plugins/c.so");
    const QList<pluginEntry> entries = pluginCatalog::scan(pluginCatalog::WithoutIcons);
    QCOMPARE(entries.size(), 2);
    QCOMPARE(entries[1].about,
        (QJsonObject { { "description", "Says what it is" }, { "version", "1.2" } }));

    // wiz --list lists in a copy of itself rather than a fresh start: the same.
    QProcess wiz;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("XDG_CACHE_HOME", dir.path() + "/cache");
    wiz.setProcessEnvironment(environment);
    wiz.start(QStringLiteral(WIZ_BUILD_DIR "/wiz"), { "--list" });
    QVERIFY(wiz.waitForFinished(30000));
    qunsetenv("WIZ_SCAN_TIME_LIMIT");
    QCOMPARE(wiz.exitCode(), 0);
    QCOMPARE(wiz.readAllStandardOutput(), "Fixture Recorder\nFixture Describer\n");
    QVERIFY(wiz.readAllStandardError().contains(line.toUtf8() + '\n'));
}

void tst_listing::rememberedUntilTheFileChanges_data()
{
    QTest::addColumn<QString>("change");
    // What the marker fixture wrote after the second listing.
    QTest::addColumn<QByteArray>("marks");
    QTest::addColumn<int>("listed");
    QTest::newRow("unchanged") << "" << QByteArray("loaded\nmade\n") << 1;
    QTest::newRow("touched") << "touch" << QByteArray("loaded\nmade\nloaded\nmade\n") << 1;
    QTest::newRow("replaced") << "replace" << QByteArray("loaded\nmade\nloaded\nmade\n") << 1;
    QTest::newRow("cut short") << "truncate" << QByteArray("loaded\nmade\n") << 0;
}

void tst_listing::rememberedUntilTheFileChanges()
{
    QFETCH(QString, change);
    QFETCH(QByteArray, marks);
    QFETCH(int, listed);
    wiztest::FixtureDir dir;
    const QString library = dir.plugins() + "/m.so";
    const QString marker = dir.path() + "/marks";
    QVERIFY(dir.add("marker", "m.so"));
    qputenv("WIZ_T_MARKER", QFile::encodeName(marker));
    QCOMPARE(pluginCatalog::scan().size(), 1);
    QCOMPARE(wiztest::readAll(marker), QByteArray("loaded\nmade\n"));

    const QByteArray path = QFile::encodeName(library);
    if (change == "touch") {
        const timespec later[2] = { { 0, UTIME_OMIT }, { time(nullptr) + 10, 0 } };
        QCOMPARE(utimensat(AT_FDCWD, path, later, 0), 0);
    } else if (change == "replace") {
        // Same size and time, another file.
        struct stat before;
        QCOMPARE(stat(path, &before), 0);
        QVERIFY(QFile::copy(library, library + ".new"));
        const timespec same[2] = { before.st_atim, before.st_mtim };
        QCOMPARE(utimensat(AT_FDCWD, path + ".new", same, 0), 0);
        QCOMPARE(rename(path + ".new", path), 0);
    } else if (change == "truncate") {
        QCOMPARE(truncate(path, 4096), 0);
    }
    const QList<pluginEntry> again = pluginCatalog::scan();
    qunsetenv("WIZ_T_MARKER");
    QCOMPARE(wiztest::readAll(marker), marks);
    QCOMPARE(again.size(), listed);
    if (listed) {
        QCOMPARE(again[0].title, "Fixture Marker");
        QVERIFY(!again[0].icon.isNull());
    }
}

// wiz --list draws nothing, so it remembers no icons; the window's listing
// asks the library once more for them, and after that nobody asks again.
void tst_listing::iconsAskedOnceAfterAListing()
{
    wiztest::FixtureDir dir;
    QVERIFY(dir.add("marker", "m.so"));
    const QString marker = dir.path() + "/marks";
    qputenv("WIZ_T_MARKER", QFile::encodeName(marker));
    const auto list = [] {
        QProcess wiz;
        wiz.start(QStringLiteral(WIZ_BUILD_DIR "/wiz"), { "--list" });
        return wiz.waitForFinished(30000) ? wiz.readAllStandardOutput() : QByteArray();
    };
    QCOMPARE(list(), "Fixture Marker\n");
    QCOMPARE(wiztest::readAll(marker), "loaded\nmade\n");
    const QList<pluginEntry> window = pluginCatalog::scan();
    QCOMPARE(window.size(), 1);
    QVERIFY(!window[0].icon.isNull());
    QVERIFY(!pluginCatalog::scan().value(0).icon.isNull());
    QCOMPARE(list(), "Fixture Marker\n");
    qunsetenv("WIZ_T_MARKER");
    QCOMPARE(wiztest::readAll(marker), "loaded\nmade\nloaded\nmade\n");
}

// Another user swaps a folder of theirs for the checked one, again and again,
// while the wizard lists: their library must never run.
void tst_listing::swappedFolderNeverLoads()
{
    if (geteuid() != 0)
        QSKIP("needs the super-user to act as another user");
    if (QStandardPaths::findExecutable("runuser").isEmpty())
        QSKIP("runuser is not installed");
    QTemporaryDir tmp;
    const QString root = tmp.path();
    const QString shared = root + "/ww";
    QVERIFY(QDir().mkpath(shared + "/plugins"));
    QVERIFY(QDir().mkpath(shared + "/theirs"));
    QCOMPARE(chmod(QFile::encodeName(root), 0755), 0);
    QCOMPARE(chmod(QFile::encodeName(shared), 01777 & ~01000), 0);
    QVERIFY(QFile::copy(wiztest::FixtureDir::fixturePath("recorder"), shared + "/plugins/t.so"));
    QVERIFY(QFile::copy(wiztest::FixtureDir::fixturePath("marker"), shared + "/theirs/t.so"));
    const QByteArray theirs = QFile::encodeName(shared + "/theirs");
    QCOMPARE(chown(theirs, 65534, 65534), 0);
    QCOMPARE(chown(theirs + "/t.so", 65534, 65534), 0);
    QCOMPARE(chmod(theirs + "/t.so", 0777), 0);

    // Until the marker file exists or the wizard stops: swap, swap back.
    QProcess attacker;
    attacker.start("runuser",
        { "-u", "nobody", "--", "sh", "-c",
            "cd \"$1\" && while [ ! -e stop ]; do mv plugins mine; "
            "mv theirs plugins; mv plugins theirs; mv mine plugins; done",
            "sh", shared });
    QVERIFY(attacker.waitForStarted());
    const QString marker = root + "/marks";
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("WIZ_PLUGIN_PATH", shared + "/plugins");
    environment.insert("WIZ_T_MARKER", marker);
    QElapsedTimer timer;
    timer.start();
    int runs = 0;
    for (; runs < 100 && timer.elapsed() < 20000; ++runs) {
        QProcess wiz;
        wiz.setProcessEnvironment(environment);
        wiz.setWorkingDirectory(root);
        wiz.start(QStringLiteral(WIZ_BUILD_DIR "/wiz"), { "--list" });
        QVERIFY(wiz.waitForFinished(30000));
    }
    wiztest::writeAll(shared + "/stop", "");
    QVERIFY(attacker.waitForFinished(10000));
    QVERIFY2(!QFile::exists(marker), qPrintable(QStringLiteral("loaded in %1 runs").arg(runs)));
}

WIZ_TEST_MAIN(tst_listing)
#include "tst_listing.moc"
