#include "fixturedir.h"
#include "wiztest.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStandardPaths>

#include <unistd.h>

// The real wiz program, started as scripts and build servers start it.
class tst_cli : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void help();
    void listPrintsTitlesInOrder();
    void unattendedRun();
    void unattendedRunHeadlessWithoutDisplay();
    void unattendedRunOnADisplay();
    void batchRunAsksNobodyOnADisplay();
    void failures_data();
    void failures();
    void dialogsAreClosedWhenNobodyCanAnswer();
    void noDisplayWithoutArguments();
    void pluginFolderFallback_data();
    void pluginFolderFallback();
    void templateDirectories();
    void listForScripts();
    void headlessRunPrintsOnlyItsOwnLines();

private:
    struct Run
    {
        int status = -1;
        QByteArray out;
        QByteArray err;
    };
    static Run wiz(const QStringList &arguments, const QString &workingDir,
        const QString &program = QStringLiteral(WIZ_BUILD_DIR "/wiz"),
        const QProcessEnvironment &environment = QProcessEnvironment::systemEnvironment());

    std::unique_ptr<wiztest::FixtureDir> m_dir;
};

tst_cli::Run tst_cli::wiz(const QStringList &arguments, const QString &workingDir,
    const QString &program, const QProcessEnvironment &environment)
{
    QProcess process;
    process.setProgram(program);
    process.setArguments(arguments);
    process.setWorkingDirectory(workingDir);
    process.setProcessEnvironment(environment);
    process.start();
    Run run;
    if (!process.waitForFinished(30000)) {
        process.kill();
        process.waitForFinished();
        qWarning("wiz did not finish in time");
        return run;
    }
    run.status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.out = process.readAllStandardOutput();
    run.err = process.readAllStandardError();
    return run;
}

void tst_cli::init()
{
    m_dir = std::make_unique<wiztest::FixtureDir>();
}

void tst_cli::help()
{
    const Run run = wiz({ "--help" }, m_dir->path());
    QCOMPARE(run.status, 0);
    QVERIFY(run.out.contains("/path="));
    QVERIFY(run.out.contains("/project="));
    QVERIFY(run.out.contains("/key="));
    QVERIFY(run.out.contains("--list"));
    QVERIFY(run.out.contains("Example"));
    for (const char *flag : { "--batch", "--dry-run", "--verbose", "--json", "WIZ_PLUGIN_PATH" })
        QVERIFY2(run.out.contains(flag), flag);
}

void tst_cli::listPrintsTitlesInOrder()
{
    QVERIFY(m_dir->add("recorder", "b.so"));
    QVERIFY(m_dir->add("asker", "A.so"));
    QVERIFY(m_dir->add("nullfactory", "c.so"));
    const Run run = wiz({ "--list" }, m_dir->path());
    QCOMPARE(run.status, 0);
    QCOMPARE(run.out, QByteArray("Fixture Asker\nFixture Recorder\n"));
}

void tst_cli::unattendedRun()
{
    QVERIFY(m_dir->add("recorder", "recorder.so"));
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("WIZ_T_WHERE", m_dir->path());
    const Run run = wiz({ "/path=%WIZ_T_WHERE%", "/project=meter", "/key=Fixture Recorder",
                            "/title=%WIZ_T_WHERE%", "/path", "plain" },
        m_dir->path(), QStringLiteral(WIZ_BUILD_DIR "/wiz"), environment);
    QCOMPARE(run.status, 0);
    const QByteArray log = wiztest::readAll(m_dir->path() + "/meter/recorder.log");
    QCOMPARE(log,
        QByteArray("path=" + m_dir->path().toUtf8()
            + "\nname=meter\ncount=3\nparam=" WIZ_BUILD_DIR "/wiz\nparam=/title="
            + m_dir->path().toUtf8() + "\nparam=plain\nreleased\n"));
    // An unattended run never touches the remembered location.
    QVERIFY(!QFile::exists(
        qEnvironmentVariable("XDG_CONFIG_HOME") + "/Tessaly Technology/ZELK Wizard.conf"));
}

void tst_cli::unattendedRunHeadlessWithoutDisplay()
{
    QVERIFY(m_dir->add("recorder", "recorder.so"));
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char *name : { "DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM" })
        environment.remove(name);
    const Run run = wiz({ "/path=" + m_dir->path(), "/project=meter", "/key=Fixture Recorder" },
        m_dir->path(), QStringLiteral(WIZ_BUILD_DIR "/wiz"), environment);
    QCOMPARE(run.status, 0);
    QVERIFY(QFile::exists(m_dir->path() + "/meter/recorder.log"));
}

// With a display the window is built and stays shown while the template runs.
void tst_cli::unattendedRunOnADisplay()
{
    const QString xvfb = QStandardPaths::findExecutable(QStringLiteral("xvfb-run"));
    if (xvfb.isEmpty())
        QSKIP("xvfb-run is not installed");
    QVERIFY(m_dir->add("recorder", "recorder.so"));
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove("QT_QPA_PLATFORM");
    const Run run = wiz({ "-a", WIZ_BUILD_DIR "/wiz", "/path=" + m_dir->path(), "/project=shown",
                            "/key=Fixture Recorder" },
        m_dir->path(), xvfb, environment);
    QCOMPARE(run.status, 0);
    QVERIFY(wiztest::readAll(m_dir->path() + "/shown/recorder.log").endsWith("released\n"));
}

void tst_cli::batchRunAsksNobodyOnADisplay()
{
    const QString xvfb = QStandardPaths::findExecutable(QStringLiteral("xvfb-run"));
    if (xvfb.isEmpty())
        QSKIP("xvfb-run is not installed");
    QVERIFY(m_dir->add("asker", "asker.so"));
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove("QT_QPA_PLATFORM");
    const Run run = wiz({ "-a", WIZ_BUILD_DIR "/wiz", "/path=" + m_dir->path(), "/project=p",
                            "/key=Fixture Asker", "--batch" },
        m_dir->path(), xvfb, environment);
    QCOMPARE(run.status, 0);
    QVERIFY2(run.err.contains("Fixture question: Shall I go on?"), run.err.constData());
    const QByteArray log = wiztest::readAll(m_dir->path() + "/p/asker.log");
    QVERIFY(log.contains("answer=no\n"));
    QVERIFY(!log.contains("--batch"));
}

void tst_cli::failures_data()
{
    // "@" stands for the location every run is given first; a later /path= replaces it.
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QByteArray>("message");
    QTest::addColumn<QStringList>("leftBehind");
    QTest::addColumn<bool>("needsUser");

    const QStringList nothing;
    QTest::newRow("unknown key") << QStringList { "/project=meter", "/key=Nope" }
                                 << QByteArray("Could not load library specified: Nope\n")
                                 << nothing << false;
    QTest::newRow("no key") << QStringList { "/project=meter" }
                            << QByteArray("Could not load library specified: \n") << nothing
                            << false;
    QTest::newRow("null factory") << QStringList { "/project=meter", "/key=Fixture Null Factory" }
                                  << QByteArray(
                                         "Could not load library specified: Fixture Null Factory")
                                  << nothing << false;
    QTest::newRow("factory throws")
        << QStringList { "/project=meter", "/key=Fixture Factory Thrower" }
        << QByteArray("Could not load library specified: Fixture Factory Thrower\n") << nothing
        << false;
    QTest::newRow("template throws") << QStringList { "/project=meter", "/key=Fixture Thrower" }
                                     << QByteArray("the fixture failed on purpose")
                                     << QStringList { "meter/thrower.log" } << false;
    QTest::newRow("name climbs out") << QStringList { "/project=..", "/key=Fixture Recorder" }
                                     << QByteArray("is no project name") << nothing << false;
    QTest::newRow("name with a slash") << QStringList { "/project=a/b", "/key=Fixture Recorder" }
                                       << QByteArray("is no project name") << nothing << false;
    QTest::newRow("no name") << QStringList { "/key=Fixture Recorder" }
                             << QByteArray("is no project name") << nothing << false;
    QTest::newRow("location missing")
        << QStringList { "/path=@/absent", "/project=meter", "/key=Fixture Recorder" }
        << QByteArray("/absent/meter: No such file or directory\n") << nothing << false;
    QTest::newRow("name too long")
        << QStringList { "/project=" + QString(300, 'n'), "/key=Fixture Recorder" }
        << QByteArray(": File name too long\n") << nothing << false;
    QTest::newRow("name is a file")
        << QStringList { "/project=taken", "/key=Fixture Recorder" }
        << QByteArray("/taken exists and is not a folder") << nothing << false;
    QTest::newRow("location read-only")
        << QStringList { "/path=@/locked", "/project=meter", "/key=Fixture Recorder" }
        << QByteArray("/locked/meter: Permission denied\n") << nothing << true;
}

void tst_cli::failures()
{
    QFETCH(QStringList, arguments);
    QFETCH(QByteArray, message);
    QFETCH(QStringList, leftBehind);
    QFETCH(bool, needsUser);
    if (needsUser && geteuid() == 0)
        QSKIP("permissions do not stop the super-user");
    QVERIFY(m_dir->add("recorder", "recorder.so"));
    QVERIFY(m_dir->add("thrower", "thrower.so"));
    QVERIFY(m_dir->add("nullfactory", "nullfactory.so"));
    QVERIFY(m_dir->add("factorythrower", "factorythrower.so"));
    QVERIFY(QDir(m_dir->path()).mkdir("out"));
    const QString out = m_dir->path() + "/out";
    wiztest::writeAll(out + "/taken", "a file of the user's\n");
    QVERIFY(QDir(out).mkdir("locked"));
    QFile::setPermissions(out + "/locked", QFile::ReadOwner | QFile::ExeOwner);

    const Run run
        = wiz(QStringList { "/path=" + out } + arguments.replaceInStrings("@", out), m_dir->path());
    QCOMPARE(run.status, 1);
    // One line, naming what went wrong.
    QVERIFY2(run.err.contains(message), run.err.constData());
    QCOMPARE(run.err.count("wiz: "), 1);
    // Nothing is left behind, not even an empty project directory.
    QCOMPARE(wiztest::tree(out), leftBehind + QStringList { "taken" });
    QCOMPARE(QDir(out).entryList(QDir::Dirs | QDir::NoDotAndDotDot),
        QStringList { "locked" }
            + (leftBehind.isEmpty() ? QStringList() : QStringList { "meter" }));
    QCOMPARE(wiztest::readAll(out + "/taken"), QByteArray("a file of the user's\n"));
}

void tst_cli::dialogsAreClosedWhenNobodyCanAnswer()
{
    QVERIFY(m_dir->add("asker", "asker.so"));
    const Run run
        = wiz({ "/path=" + m_dir->path(), "/project=p", "/key=Fixture Asker" }, m_dir->path());
    QCOMPARE(run.status, 0);
    QVERIFY2(run.err.contains("Fixture question: Shall I go on?"), run.err.constData());
    QVERIFY(wiztest::readAll(m_dir->path() + "/p/asker.log").contains("answer=no\n"));
}

void tst_cli::noDisplayWithoutArguments()
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char *name : { "DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM" })
        environment.remove(name);
    const Run run = wiz({}, m_dir->path(), QStringLiteral(WIZ_BUILD_DIR "/wiz"), environment);
    QCOMPARE(run.status, 2);
    QVERIFY(run.err.contains("no display"));
}

void tst_cli::pluginFolderFallback_data()
{
    QTest::addColumn<QString>("programDir");
    QTest::addColumn<QString>("pluginDir");
    QTest::newRow("beside the program") << "tree/bin"
                                        << "tree/bin/plugins";
    QTest::newRow("installed tree") << "prefix/bin"
                                    << "prefix/lib/wiz/plugins";
}

void tst_cli::pluginFolderFallback()
{
    QFETCH(QString, programDir);
    QFETCH(QString, pluginDir);
    const QString root = m_dir->path();
    QVERIFY(QDir(root).mkpath(programDir));
    QVERIFY(QDir(root).mkpath(pluginDir));
    QVERIFY(QDir(root).mkpath("elsewhere"));
    QVERIFY(QFile::copy(WIZ_BUILD_DIR "/wiz", root + "/" + programDir + "/wiz"));
    QVERIFY(QFile::copy(
        wiztest::FixtureDir::fixturePath("recorder"), root + "/" + pluginDir + "/recorder.so"));

    const Run run = wiz({ "--list" }, root + "/elsewhere", root + "/" + programDir + "/wiz");
    QCOMPARE(run.status, 0);
    QCOMPARE(run.out, QByteArray("Fixture Recorder\n"));
    QVERIFY2(run.err.contains("Fixture Recorder - "
                 + QDir::cleanPath(root + "/" + pluginDir).toUtf8() + "/recorder.so"),
        run.err.constData());

    // A plugins folder of the working directory comes first, even when empty.
    QVERIFY(QDir(root + "/elsewhere").mkdir("plugins"));
    QCOMPARE(
        wiz({ "--list" }, root + "/elsewhere", root + "/" + programDir + "/wiz").out, QByteArray());

    // One that another user may have planted in does not hide the wizard's own.
    QVERIFY(QFile::setPermissions(root + "/elsewhere/plugins", QFile::Permissions(0x7777)));
    const Run planted = wiz({ "--list" }, root + "/elsewhere", root + "/" + programDir + "/wiz");
    QCOMPARE(planted.out, QByteArray("Fixture Recorder\n"));
    QVERIFY2(planted.err.startsWith(
                 "Templates in ./plugins are not loaded: it is writable by every user\n"),
        planted.err.constData());
}

// The user's own folders come after the host's, in the order given, and a
// title that a later folder gives again wins the run.
void tst_cli::templateDirectories()
{
    const QString root = m_dir->path();
    QVERIFY(m_dir->add("twin_a", "twin.so"));
    for (const char *folder : { "extra one", "extra2", "data/wiz/plugins" })
        QVERIFY(QDir(root).mkpath(folder));
    QVERIFY(QFile::copy(wiztest::FixtureDir::fixturePath("recorder"), root + "/extra one/r.so"));
    QVERIFY(QFile::copy(wiztest::FixtureDir::fixturePath("asker"), root + "/extra2/a.so"));
    QVERIFY(
        QFile::copy(wiztest::FixtureDir::fixturePath("twin_b"), root + "/data/wiz/plugins/t.so"));
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    // The folder of the working directory named again is listed once.
    environment.insert(
        "WIZ_PLUGIN_PATH", root + "/extra one::" + root + "/absent:" + root + "/extra2:./plugins");
    environment.insert("XDG_DATA_HOME", root + "/data");
    const QString program = QStringLiteral(WIZ_BUILD_DIR "/wiz");

    const Run list = wiz({ "--list" }, root, program, environment);
    QCOMPARE(list.status, 0);
    QCOMPARE(list.out, QByteArray("Fixture Twin\nFixture Recorder\nFixture Asker\nFixture Twin\n"));
    for (const QString &line : QStringList { "Fixture Twin - ./plugins/twin.so",
             "Fixture Recorder - " + root + "/extra one/r.so",
             "No templates in " + root + "/absent: it is no folder",
             "Fixture Twin - " + root + "/data/wiz/plugins/t.so" })
        QVERIFY2(list.err.contains(line.toUtf8() + '\n'), list.err.constData());

    const Run run
        = wiz({ "/path=" + root, "/project=p", "/key=Fixture Twin" }, root, program, environment);
    QCOMPARE(run.status, 0);
    QCOMPARE(wiztest::tree(root + "/p"), QStringList { "twin_b.log" });
}

// What a script reads: JSON it can parse, and a failure when the list went
// nowhere. Neither the list nor a headless run asks a template for its icon.
void tst_cli::listForScripts()
{
    QVERIFY(m_dir->add("recorder", "b.so"));
    QVERIFY(m_dir->add("iconthrower", "a.so"));
    QVERIFY(m_dir->add("factorythrower", "c.so"));
    const QString plugins = QDir(m_dir->plugins()).canonicalPath();

    const Run run = wiz({ "--list", "--json" }, m_dir->path());
    QCOMPARE(run.status, 0);
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(run.out, &error);
    QCOMPARE(error.error, QJsonParseError::NoError);
    const QJsonArray expected {
        QJsonObject { { "title", "Fixture Icon Thrower" }, { "library", plugins + "/a.so" } },
        QJsonObject { { "title", "Fixture Recorder" }, { "library", plugins + "/b.so" } },
    };
    QCOMPARE(document.array(), expected);

    QProcess full;
    full.setWorkingDirectory(m_dir->path());
    full.setStandardOutputFile(QStringLiteral("/dev/full"));
    full.start(QStringLiteral(WIZ_BUILD_DIR "/wiz"), { "--list" });
    QVERIFY(full.waitForFinished(30000));
    QCOMPARE(full.exitCode(), 1);
    QVERIFY(full.readAllStandardError().contains(
        "wiz: cannot write the list of templates: No space left on device\n"));

    const Run headless = wiz(
        { "/path=" + m_dir->path(), "/project=p", "/key=Fixture Icon Thrower" }, m_dir->path());
    QCOMPARE(headless.status, 0);
}

// Standard error of a run on a build server is for the wizard's own lines:
// the listing's debug lines and the wizard's messages, nothing of the
// platform's. QT_QPA_PLATFORM set but empty is no display either.
void tst_cli::headlessRunPrintsOnlyItsOwnLines()
{
    QVERIFY(m_dir->add("asker", "asker.so"));
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char *name : { "DISPLAY", "WAYLAND_DISPLAY", "XDG_RUNTIME_DIR" })
        environment.remove(name);
    environment.insert("QT_QPA_PLATFORM", "");
    const Run run = wiz({ "/path=" + m_dir->path(), "/project=p", "/key=Fixture Asker" },
        m_dir->path(), QStringLiteral(WIZ_BUILD_DIR "/wiz"), environment);
    QCOMPARE(run.status, 0);
    QCOMPARE(run.err,
        QByteArray("Fixture Asker - ./plugins/asker.so\n"
                   "wiz: no one can answer this dialog, closed it: Fixture question: Shall I go "
                   "on?\n"));
}

WIZ_TEST_MAIN(tst_cli)
#include "tst_cli.moc"
