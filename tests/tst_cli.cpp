#include "fixturedir.h"
#include "wiztest.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>

#include <csignal>
#include <sys/stat.h>
#include <unistd.h>

// The real wiz program, started as scripts and build servers start it.
class tst_cli : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void helpAndVersionAnywhere_data();
    void helpAndVersionAnywhere();
    void listPrintsTitlesInOrder();
    void unattendedRun();
    void unattendedRunHeadlessWithoutDisplay();
    void runOnADisplay_data();
    void runOnADisplay();
    void failures_data();
    void failures();
    void rerunReportsWhatItDid();
    void fullDiskKeepsEditedFiles();
    void concurrentRunsWriteWholeFiles();
    void dialogsAreClosedWhenNobodyCanAnswer();
    void noDisplayWithoutArguments();
    void pluginFolderFallback_data();
    void pluginFolderFallback();
    void templateDirectories();
    void listForScripts();
    void headlessRunPrintsOnlyItsOwnLines();
    void germanMessages();
    void templateBuiltWithTheKit_data();
    void templateBuiltWithTheKit();
    void templateThatDescribesItself();
    void ownWritesAreReported_data();
    void ownWritesAreReported();
    void loggingRulesChangeNoOutcome_data();
    void loggingRulesChangeNoOutcome();
    void existingFiles_data();
    void existingFiles();
    void dryRunPredicts_data();
    void dryRunPredicts();
    void dryRunChangesNoSetting();
    void reportThatGoesNowhere_data();
    void reportThatGoesNowhere();
    void signalsCleanUp_data();
    void signalsCleanUp();
    void templateFolderRuns_data();
    void templateFolderRuns();
    void templateFolderListed();
    void templateFolderMistakes_data();
    void templateFolderMistakes();

private:
    struct Run
    {
        int status = -1;
        QByteArray out;
        QByteArray err;
    };
    static Run wiz(const QStringList &arguments, const QString &workingDir,
        const QString &program = QStringLiteral(WIZ_BUILD_DIR "/wiz"),
        const QProcessEnvironment &environment = QProcessEnvironment::systemEnvironment(),
        const QString &outputFile = QString());

    // A real template of the build tree, run from there into location/m:
    // by default the singleton class, which asks nothing.
    static Run solestore(const QString &location, const QStringList &more = {},
        const QProcessEnvironment &environment = QProcessEnvironment::systemEnvironment(),
        const QString &key = QStringLiteral("Create New Singleton ConfigClass Wizard"),
        const QString &outputFile = QString());
    // Every file below dir with its bytes.
    static QMap<QString, QByteArray> snapshot(const QString &dir);
    // Environment of a run whose writes below prefix go through the injector.
    static QProcessEnvironment injected(const QString &prefix, const char *variable, const char *value);

    std::unique_ptr<wiztest::FixtureDir> m_dir;
};

tst_cli::Run tst_cli::solestore(const QString &location, const QStringList &more,
    const QProcessEnvironment &environment, const QString &key, const QString &outputFile)
{
    return wiz(QStringList { "/path=" + location, "/project=m", "/key=" + key } + more,
        QStringLiteral(WIZ_BUILD_DIR), QStringLiteral(WIZ_BUILD_DIR "/wiz"), environment,
        outputFile);
}

QMap<QString, QByteArray> tst_cli::snapshot(const QString &dir)
{
    QMap<QString, QByteArray> files;
    for (const QString &name : wiztest::tree(dir))
        files.insert(name, wiztest::readAll(dir + '/' + name));
    return files;
}

QProcessEnvironment tst_cli::injected(const QString &prefix, const char *variable, const char *value)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("LD_PRELOAD", wiztest::FixtureDir::fixturePath("fulldisk"));
    environment.insert("WIZ_FULL_PREFIX", prefix);
    environment.insert(variable, value);
    // A sanitized build has its runtime first; the injector only wraps write().
    environment.insert(
        "ASAN_OPTIONS", environment.value("ASAN_OPTIONS") + ":verify_asan_link_order=0");
    return environment;
}

tst_cli::Run tst_cli::wiz(const QStringList &arguments, const QString &workingDir,
    const QString &program, const QProcessEnvironment &environment, const QString &outputFile)
{
    QProcess process;
    if (!outputFile.isEmpty())
        process.setStandardOutputFile(outputFile);
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

void tst_cli::helpAndVersionAnywhere_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<bool>("help");
    QTest::newRow("--help") << QStringList { "--help" } << true;
    QTest::newRow("-h after options") << QStringList { "/project=m", "-h" } << true;
    QTest::newRow("--version after options")
        << QStringList { "/path=/tmp", "/project=m", "--version" } << false;
}

void tst_cli::helpAndVersionAnywhere()
{
    QFETCH(QStringList, arguments);
    QFETCH(bool, help);
    QVERIFY(m_dir->add("recorder", "recorder.so"));
    const Run run = wiz(arguments << "/key=Fixture Recorder", m_dir->path());
    QCOMPARE(run.status, 0);
    QCOMPARE(run.err, QByteArray());
    // Neither runs a template.
    QCOMPARE(wiztest::tree(m_dir->path()), QStringList { "plugins/recorder.so" });
    if (!help) {
        QVERIFY2(QRegularExpression("^wiz \\d+\\.\\d+\\.\\d+\n$").match(run.out).hasMatch(),
            run.out.constData());
        return;
    }
    for (const char *text : { "/path=", "/project=", "/key=", "--list", "Example", "--batch",
             "--dry-run", "--verbose", "--existing=", "--json", "--version", "WIZ_PLUGIN_PATH" })
        QVERIFY2(run.out.contains(text), text);
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

// With a display the window is built and stays shown while the template
// runs; with --batch nobody is there, so a question is closed unanswered.
void tst_cli::runOnADisplay_data()
{
    QTest::addColumn<QString>("fixture");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QStringList>("flags");
    QTest::addColumn<QByteArray>("named");
    QTest::addColumn<int>("status");
    QTest::newRow("window shown") << "recorder"
                                  << "Fixture Recorder" << QStringList() << QByteArray() << 0;
    QTest::newRow("--batch") << "asker"
                             << "Fixture Asker" << QStringList { "--batch" }
                             << QByteArray("Fixture question: Shall I go on?") << 0;
    // Scripted, so told on standard error only: a box would wait for nobody.
    QTest::newRow("a failure on a display")
        << "thrower"
        << "Fixture Thrower" << QStringList() << QByteArray("the fixture failed on purpose\n") << 1;
}

void tst_cli::runOnADisplay()
{
    QFETCH(QString, fixture);
    QFETCH(QString, title);
    QFETCH(QStringList, flags);
    QFETCH(QByteArray, named);
    QFETCH(int, status);
    const QString xvfb = QStandardPaths::findExecutable(QStringLiteral("xvfb-run"));
    if (xvfb.isEmpty())
        QSKIP("xvfb-run is not installed");
    QVERIFY(m_dir->add(fixture, fixture + ".so"));
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove("QT_QPA_PLATFORM");
    // The folder "opens" in a stand-in browser: no real one starts, and none
    // missing makes the wizard say where the project went.
    const QString bin = m_dir->path() + "/bin";
    QVERIFY(QDir().mkpath(bin));
    wiztest::writeAll(bin + "/xdg-open", "#!/bin/sh\nexit 0\n");
    QVERIFY(QFile::setPermissions(bin + "/xdg-open", QFileDevice::ReadOwner | QFileDevice::ExeOwner));
    environment.insert("PATH", bin + ":" + environment.value("PATH"));
    const Run run = wiz(QStringList { "-a", WIZ_BUILD_DIR "/wiz", "/path=" + m_dir->path(),
                            "/project=p", "/key=" + title }
            + flags,
        m_dir->path(), xvfb, environment);
    QCOMPARE(run.status, status);
    QVERIFY2(run.err.contains(named), run.err.constData());
    QCOMPARE(run.err.count("wiz: "), named.isEmpty() ? 0 : 1);
    const QByteArray log = wiztest::readAll(m_dir->path() + "/p/" + fixture + ".log");
    QVERIFY(log.endsWith("released\n"));
    QVERIFY(!log.contains("--batch"));
    if (fixture == "asker")
        QVERIFY(log.contains("answer=no\n"));
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
    QTest::newRow("unknown key, a close one named")
        << QStringList { "/project=meter", "/key=fixture  recordr" }
        << QByteArray("Could not load library specified: fixture  recordr\n"
                      "did you mean \"Fixture Recorder\"? see wiz --list\n")
        << nothing << false;
    QTest::newRow("no key") << QStringList { "/project=meter" }
                            << QByteArray(
                                   "wiz: no template given: use /key=TITLE; see wiz --list\n")
                            << nothing << false;
    QTest::newRow("misspelt flag")
        << QStringList { "/project=meter", "/key=Fixture Recorder", "--dryrun" }
        << QByteArray("wiz: unknown option --dryrun (did you mean --dry-run?)\n") << nothing
        << false;
    QTest::newRow("unknown way with existing files")
        << QStringList { "/project=meter", "/key=Fixture Recorder", "--existing=merge" }
        << QByteArray("--existing=merge: use --existing=replace, --existing=keep or "
                      "--existing=fail\n")
        << nothing << false;
    QTest::newRow("a tilde nobody expands")
        << QStringList { "/path=~/projects", "/project=meter", "/key=Fixture Recorder" }
        << QByteArray("\"~\" is not expanded here: type the whole path, such as ") << nothing
        << false;
    QTest::newRow("null factory") << QStringList { "/project=meter", "/key=Fixture Null Factory" }
                                  << QByteArray(
                                         "Could not load library specified: Fixture Null Factory")
                                  << nothing << false;
    QTest::newRow("factory throws")
        << QStringList { "/project=meter", "/key=Fixture Factory Thrower" }
        << QByteArray("Could not load library specified: Fixture Factory Thrower\n") << nothing
        << false;
    // Left out by the listing, so no run can reach them.
    QTest::newRow("stamp throws") << QStringList { "/project=meter", "/key=Fixture Stamp Thrower" }
                                  << QByteArray("Could not load library specified: Fixture Stamp "
                                                "Thrower\n")
                                  << nothing << false;
    QTest::newRow("release throws")
        << QStringList { "/project=meter", "/key=Fixture Release Thrower" }
        << QByteArray("Could not load library specified: Fixture Release Thrower\n") << nothing
        << false;
    QTest::newRow("template throws") << QStringList { "/project=meter", "/key=Fixture Thrower" }
                                     << QByteArray("the fixture failed on purpose")
                                     << QStringList { "meter/thrower.log" } << false;
    QTest::newRow("name climbs out") << QStringList { "/project=..", "/key=Fixture Recorder" }
                                     << QByteArray("is no project name") << nothing << false;
    QTest::newRow("name with a slash") << QStringList { "/project=a/b", "/key=Fixture Recorder" }
                                       << QByteArray("is no project name") << nothing << false;
    QTest::newRow("no name") << QStringList { "/key=Fixture Recorder" }
                             << QByteArray("no project name given: use /project=NAME\n") << nothing
                             << false;
    QTest::newRow("name of spaces")
        << QStringList { "/project=   ", "/key=Fixture Recorder" }
        << QByteArray("\"   \" is no project name: it begins or ends with a space\n") << nothing
        << false;
    QTest::newRow("name ending in a space")
        << QStringList { "/project=meter ", "/key=Fixture Recorder" }
        << QByteArray("\"meter \" is no project name") << nothing << false;
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
    QVERIFY(m_dir->add("stampthrower", "stampthrower.so"));
    QVERIFY(m_dir->add("releasethrower", "releasethrower.so"));
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

void tst_cli::rerunReportsWhatItDid()
{
    const QString out = m_dir->path();
    const QByteArray created = "create m/m.cpp\ncreate m/m.dsp\ncreate m/m.dsw\ncreate m/m.h\n"
                               "create m/main.cpp\n";

    // A dry run says what it would do and leaves no trace, not even the directory.
    Run run = solestore(out, { "--dry-run" });
    QCOMPARE(run.status, 0);
    QCOMPARE(run.out, created);
    QCOMPARE(
        QDir(out).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList { "plugins" });

    run = solestore(out, { "--verbose" });
    QCOMPARE(run.status, 0);
    QCOMPARE(run.out, created);
    const QMap<QString, QByteArray> fresh = snapshot(out + "/m");

    // The user edits one file, another user's file is linked in the place of a
    // second, a directory stands in the place of a third.
    wiztest::writeAll(out + "/m/m.h", "edited\r\n");
    wiztest::writeAll(out + "/victim", "not yours\n");
    QVERIFY(QFile::remove(out + "/m/main.cpp"));
    QVERIFY(QFile::link(out + "/victim", out + "/m/main.cpp"));
    QVERIFY(QFile::remove(out + "/m/m.dsw"));
    QVERIFY(QDir(out + "/m").mkdir("m.dsw"));
    // Time stamps may be too coarse to tell a rewrite; a new inode never is.
    const auto inode = [](const QString &path) {
        struct stat info {};
        return ::stat(QFile::encodeName(path).constData(), &info) == 0 ? info.st_ino : ino_t(0);
    };
    const ino_t unchangedInode = inode(out + "/m/m.cpp");
    const QByteArray unchangedBytes = wiztest::readAll(out + "/m/m.cpp");
    const QMap<QString, QByteArray> before = snapshot(out);
    const QByteArray report = "unchanged m/m.cpp\nunchanged m/m.dsp\n"
                              "failed m/m.dsw: Is a directory\nreplace m/m.h\n"
                              "failed m/main.cpp: it is a symbolic link\n";

    run = solestore(out, { "--dry-run" });
    QCOMPARE(run.status, 3);
    QCOMPARE(run.out, report);
    QCOMPARE(snapshot(out), before);

    run = solestore(out, { "-v" });
    QCOMPARE(run.status, 3);
    QCOMPARE(run.out, report);
    // One line on standard error for each file that could not be written.
    QCOMPARE(run.err.count("wiz: cannot write "), 2);
    QVERIFY(run.err.contains(
        "wiz: cannot write " + out.toUtf8() + "/m/main.cpp: it is a symbolic link\n"));
    QCOMPARE(wiztest::readAll(out + "/victim"), QByteArray("not yours\n"));
    QCOMPARE(wiztest::readAll(out + "/m/m.h"), fresh.value("m.h"));
    // An unchanged file is not touched, so build tools see nothing to rebuild.
    QCOMPARE(inode(out + "/m/m.cpp"), unchangedInode);
    QCOMPARE(wiztest::readAll(out + "/m/m.cpp"), unchangedBytes);
}

void tst_cli::fullDiskKeepsEditedFiles()
{
    const QString out = m_dir->path();
    QCOMPARE(solestore(out).status, 0);
    const QMap<QString, QByteArray> fresh = snapshot(out + "/m");
    QMap<QString, QByteArray> edited;
    for (auto it = fresh.cbegin(); it != fresh.cend(); ++it) {
        edited.insert(it.key(), "// the user's own work\r\n" + it.value());
        wiztest::writeAll(out + "/m/" + it.key(), edited.value(it.key()));
    }

    // Room for about two of the five files, then the disk is full.
    QProcessEnvironment environment = injected(out + "/m/", "WIZ_FULL_BYTES", "4000");
    const Run run = solestore(out, {}, environment);

    QCOMPARE(run.status, 3);
    // Every file is either the whole new file or still the user's, never a mix or a stub.
    int failed = 0;
    for (auto it = fresh.cbegin(); it != fresh.cend(); ++it) {
        const QByteArray now = wiztest::readAll(out + "/m/" + it.key());
        if (now == edited.value(it.key())) {
            ++failed;
            QVERIFY(run.err.contains("cannot write " + out.toUtf8() + "/m/" + it.key().toUtf8()
                + ": No space left on device\n"));
        } else {
            QCOMPARE(now, it.value());
        }
    }
    QVERIFY(failed > 0 && failed < fresh.size());
    QCOMPARE(run.err.count("wiz: cannot write "), failed);
    // No temporary file is left beside them.
    QCOMPARE(wiztest::tree(out + "/m"), fresh.keys());

    // A new project on the same disk: each file whole or not there at all.
    QVERIFY(QDir(out).mkdir("new"));
    environment.insert("WIZ_FULL_PREFIX", out + "/new/");
    QCOMPARE(solestore(out + "/new", {}, environment).status, 3);
    const QMap<QString, QByteArray> written = snapshot(out + "/new/m");
    QVERIFY(!written.isEmpty() && written.size() < fresh.size());
    for (auto it = written.cbegin(); it != written.cend(); ++it)
        QCOMPARE(it.value(), fresh.value(it.key()));

    // Full from the first byte: the folders the run made go again, docs/ first.
    QVERIFY(QDir(out).mkdir("none"));
    const Run none = solestore(out + "/none", { "/title=T" },
        injected(out + "/none/", "WIZ_FULL_BYTES", "0"), "Create C++ Scripted UI / Panel");
    QCOMPARE(none.status, 3);
    QCOMPARE(QDir(out + "/none").entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
        QStringList());
}

void tst_cli::concurrentRunsWriteWholeFiles()
{
    // Titles of different lengths make every run's files differ from the others'.
    const QStringList titles { "A", "Bb", "Ccccc", "Dddddddddddddddddd" };
    const QString out = m_dir->path();
    const auto masked = [](QByteArray bytes) {
        static const QRegularExpression guid("[0-9a-fA-F]{8}-[0-9a-fA-F]{4}-[0-9a-fA-F]{4}-"
                                             "[0-9a-fA-F]{4}-[0-9a-fA-F]{12}");
        return QString::fromLatin1(bytes).replace(guid, "GUID");
    };
    QMap<QString, QStringList> possible;
    for (const QString &title : titles) {
        const QString alone = out + "/alone-" + title;
        QVERIFY(QDir().mkpath(alone));
        QCOMPARE(solestore(alone, { "/title=" + title }, QProcessEnvironment::systemEnvironment(),
                     "Create C++ Scripted UI / Panel")
                     .status,
            0);
        const QMap<QString, QByteArray> files = snapshot(alone + "/m");
        for (auto it = files.cbegin(); it != files.cend(); ++it)
            possible[it.key()] << masked(it.value());
    }

    QVERIFY(QDir().mkpath(out + "/shared"));
    std::vector<std::unique_ptr<QProcess>> runs;
    for (int i = 0; i < 20; ++i) {
        runs.push_back(std::make_unique<QProcess>());
        QProcess &process = *runs.back();
        process.setWorkingDirectory(WIZ_BUILD_DIR);
        process.start(WIZ_BUILD_DIR "/wiz",
            { "/path=" + out + "/shared", "/project=m", "/key=Create C++ Scripted UI / Panel",
                "/title=" + titles.at(i % titles.size()) });
    }
    for (auto &process : runs) {
        QVERIFY(process->waitForFinished(60000));
        QCOMPARE(process->exitCode(), 0);
    }
    const QMap<QString, QByteArray> shared = snapshot(out + "/shared/m");
    QCOMPARE(shared.keys(), possible.keys());
    for (auto it = shared.cbegin(); it != shared.cend(); ++it)
        QVERIFY2(possible.value(it.key()).contains(masked(it.value())), qPrintable(it.key()));
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
    QTest::newRow("packaged, templates of a local install") << "usr/bin"
                                                            << "usr/local/lib/wiz/plugins";
    QTest::newRow("local, packaged templates") << "usr/local/bin"
                                               << "usr/lib/wiz/plugins";
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

    // A plugins folder of the working directory without a library hides nothing.
    QVERIFY(QDir(root + "/elsewhere").mkpath("plugins/unrelated.txt"));
    const Run empty = wiz({ "--list" }, root + "/elsewhere", root + "/" + programDir + "/wiz");
    QCOMPARE(empty.out, QByteArray("Fixture Recorder\n"));
    QVERIFY2(empty.err.startsWith("No templates in ./plugins: it holds no template library\n"),
        empty.err.constData());

    // One that another user may have planted in does not hide the wizard's own.
    QVERIFY(QFile::setPermissions(root + "/elsewhere/plugins", QFile::Permissions(0x7777)));
    const Run planted = wiz({ "--list" }, root + "/elsewhere", root + "/" + programDir + "/wiz");
    QCOMPARE(planted.out, QByteArray("Fixture Recorder\n"));
    QVERIFY2(planted.err.startsWith(
                 "Templates in ./plugins are not loaded: it is writable by every user\n"),
        planted.err.constData());

    // Where it looked, in order, and why a folder was passed over.
    const Run paths = wiz({ "--paths" }, root + "/elsewhere", root + "/" + programDir + "/wiz");
    QCOMPARE(paths.status, 0);
    const QString data = qEnvironmentVariable("XDG_DATA_HOME") + "/wiz/plugins";
    QString expected = "./plugins\n    passed over: it is writable by every user\n";
    if (programDir.startsWith("usr/local"))
        expected += root + "/usr/lib/wiz/plugins\n    Fixture Recorder (recorder.so)\n" + root
            + "/usr/local/lib/wiz/plugins\n    passed over: it does not exist\n";
    else if (programDir.startsWith("usr"))
        expected += root + "/usr/lib/wiz/plugins\n    passed over: it does not exist\n" + root
            + "/usr/local/lib/wiz/plugins\n    Fixture Recorder (recorder.so)\n";
    else
        expected
            += QDir::cleanPath(root + "/" + pluginDir) + "\n    Fixture Recorder (recorder.so)\n";
    expected += data + "\n    passed over: it does not exist\n";
    QCOMPARE(QString::fromUtf8(paths.out), expected);

    // With nothing found at all, --list says where it looked.
    QVERIFY(QFile::remove(root + "/" + pluginDir + "/recorder.so"));
    const Run none = wiz({ "--list" }, root + "/elsewhere", root + "/" + programDir + "/wiz");
    QCOMPARE(none.status, 0);
    QCOMPARE(none.out, QByteArray());
    QVERIFY2(none.err.contains("wiz: no templates found; looked in:\n  ./plugins (it is writable "
                               "by every user)\n"),
        none.err.constData());
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

    QVERIFY2(
        list.err.contains("Template \"Fixture Twin\" of ./plugins/twin.so is hidden by the one of "
            + root.toUtf8() + "/data/wiz/plugins/t.so\n"),
        list.err.constData());
    const QJsonArray json
        = QJsonDocument::fromJson(wiz({ "--list", "--json" }, root, program, environment).out)
              .array();
    QCOMPARE(json.size(), 4);
    QCOMPARE(json[0].toObject().value("shadows"), QJsonValue::Undefined);
    QCOMPARE(json[3].toObject().value("shadows"),
        QJsonArray { QDir(root).canonicalPath() + "/plugins/twin.so" });

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

    const Run full = wiz({ "--list" }, m_dir->path(), QStringLiteral(WIZ_BUILD_DIR "/wiz"),
        QProcessEnvironment::systemEnvironment(), "/dev/full");
    QCOMPARE(full.status, 1);
    QVERIFY(full.err.contains("wiz: cannot write the list of templates: No space left on device\n"));

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

// The user's language reaches the command line's messages, from the build tree.
void tst_cli::germanMessages()
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("LANG", "de_DE.UTF-8");
    environment.insert("LANGUAGE", "de");
    environment.remove("LC_ALL");
    environment.remove("LC_MESSAGES");
    const Run run = wiz({ "/path=" + m_dir->path(), "/project=m", "/key=Nope", "--dryrun" },
        m_dir->path(), QStringLiteral(WIZ_BUILD_DIR "/wiz"), environment);
    QCOMPARE(run.status, 1);
    QCOMPARE(run.err, QByteArray("wiz: unbekannte Option --dryrun (meinten Sie --dry-run?)\n"));
}

namespace {

QProcessEnvironment withKitFixture()
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("WIZ_PLUGIN_PATH", WIZ_BUILD_DIR "/fixtures/kit");
    return environment;
}

} // namespace

// Declared encodings, a lookup that names no template file, and the project
// name checked by each template's own rule. A line of stderr that begins with
// "!" must not be there.
void tst_cli::templateBuiltWithTheKit_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("project");
    QTest::addColumn<QStringList>("more");
    QTest::addColumn<int>("status");
    QTest::addColumn<QByteArray>("stderrLine");
    QTest::addColumn<QString>("file");
    QTest::addColumn<QByteArray>("bytes");

    const QString kit = QStringLiteral("Fixture Kit");
    const QString cafe = QString::fromUtf8("café");
    QTest::newRow("UTF-8 in file name and content, no mark")
        << kit << cafe << QStringList() << 0 << QByteArray("!note") << cafe + "/" + cafe + ".h"
        << QByteArray("#include \"caf\xc3\xa9.h\"\n// caf\xc3\xa9 \xe2\x80\x93 caf\xc3\xa9\n");
    QTest::newRow("WINDOWS-1252 declared for one file")
        << kit << cafe << QStringList() << 0 << QByteArray() << cafe + "/legacy.txt"
        << QByteArray("caf\xe9 \xa9\r\n");
    QTest::newRow("AUTO with the mark: UTF-8")
        << kit << cafe << QStringList() << 0 << QByteArray() << cafe + "/marked.txt"
        << QByteArray("\xef\xbb\xbf" "caf\xc3\xa9 \xc2\xa9\n");
    QTest::newRow("AUTO without the mark: Windows-1252")
        << kit << cafe << QStringList() << 0 << QByteArray() << cafe + "/plain.txt"
        << QByteArray("caf\xe9\n");
    QTest::newRow("an empty template file is no miss")
        << kit << cafe << QStringList() << 0 << QByteArray("!note") << cafe + "/empty.txt"
        << QByteArray("");
    QTest::newRow("a misspelt lookup is noted")
        << kit << cafe << QStringList { "/extra=legacy.tx", "-v" } << 0
        << QByteArray("\nnote no template file is embedded under the name \"legacy.tx\"\n")
        << cafe + "/extra.txt" << QByteArray("");
    QTest::newRow("a name against the template's pattern is refused")
        << kit << QString::fromUtf8("Café") << QStringList() << 1
        << QByteArray("wiz: Use lower-case letters only.") << QString::fromUtf8("Café")
        << QByteArray();
    QTest::newRow("the identifier rule warns")
        << "Create New Singleton ConfigClass Wizard" << "my-lib" << QStringList() << 0
        << QByteArray("wiz: \"my-lib\" is not a C++ identifier") << "my-lib/main.cpp"
        << QByteArray(nullptr);
    QTest::newRow("the directory rule does not")
        << "Create C++ Scripted UI / Panel - DOCS ONLY" << "my-lib" << QStringList() << 0
        << QByteArray("!C++ identifier") << "my-lib/example.png" << QByteArray(nullptr);
}

void tst_cli::templateBuiltWithTheKit()
{
    QFETCH(QString, key);
    QFETCH(QString, project);
    QFETCH(QStringList, more);
    QFETCH(int, status);
    QFETCH(QByteArray, stderrLine);
    QFETCH(QString, file);
    QFETCH(QByteArray, bytes);

    const Run run = wiz(QStringList { "/path=" + m_dir->path(), "/project=" + project,
                            "/key=" + key } + more,
        QStringLiteral(WIZ_BUILD_DIR), QStringLiteral(WIZ_BUILD_DIR "/wiz"), withKitFixture());
    QCOMPARE(run.status, status);
    // Notes come with the report of -v, on standard output.
    const QByteArray said = run.err + run.out;
    if (stderrLine.startsWith('!'))
        QVERIFY2(!said.contains(stderrLine.mid(1)), said.constData());
    else
        QVERIFY2(said.contains(stderrLine), said.constData());
    const QString path = m_dir->path() + "/" + file;
    if (status != 0)
        QVERIFY(!QFileInfo::exists(path));
    else if (!bytes.isNull())
        QCOMPARE(wiztest::readAll(path), bytes);
    else
        QVERIFY(QFileInfo::exists(path));
}

// What it tells about itself, for scripts and for people.
void tst_cli::templateThatDescribesItself()
{
    const QString program = QStringLiteral(WIZ_BUILD_DIR "/wiz");
    const Run list = wiz({ "--list", "--json" }, m_dir->path(), program, withKitFixture());
    QCOMPARE(list.status, 0);
    const QJsonObject expected = QJsonDocument::fromJson(R"({
        "title": "Fixture Kit", "library": ")" WIZ_BUILD_DIR R"(/fixtures/kit/kit.so",
        "description": "Writes a few files in each encoding.", "version": "2.5",
        "name": {"rule": "pattern", "pattern": "[a-zà-ÿ_]+",
                 "message": "Use lower-case letters only."},
        "options": [
            {"name": "extra", "label": "Extra file", "kind": "text",
             "help": "A template file to write as extra.txt"},
            {"name": "style", "kind": "choice", "choices": ["plain", "fancy"], "default": "plain"},
            {"name": "draft", "kind": "yes-no", "default": false}]})")
                                     .object();
    QCOMPARE(QJsonDocument::fromJson(list.out).array().last().toObject(), expected);

    const Run help = wiz({ "--help-template", "Fixture Kit" }, m_dir->path(), program,
        withKitFixture());
    QCOMPARE(help.status, 0);
    QCOMPARE(help.out,
        QByteArray("Fixture Kit\n"
                   "Writes a few files in each encoding.\n"
                   "\n"
                   "Version: 2.5\n"
                   "Library: " WIZ_BUILD_DIR "/fixtures/kit/kit.so\n"
                   "Project name: Use lower-case letters only. (matches [a-z\xc3\xa0-\xc3\xbf_]+)\n"
                   "Options, each given as /NAME=VALUE:\n"
                   "  /extra=TEXT\n"
                   "      Extra file. A template file to write as extra.txt\n"
                   "  /style=plain|fancy\n"
                   "      (default: plain)\n"
                   "  /draft=yes|no\n"
                   "      (default: false)\n"));

    const Run unknown = wiz({ "--help-template", "Fixture Kid" }, m_dir->path(), program,
        withKitFixture());
    QCOMPARE(unknown.status, 1);
    QVERIFY2(unknown.err.contains("wiz: no template is titled \"Fixture Kid\"; see wiz --list\n"),
        unknown.err.constData());
}

void tst_cli::ownWritesAreReported_data()
{
    QTest::addColumn<QStringList>("flags");
    QTest::addColumn<QByteArray>("out");
    QTest::addColumn<bool>("written");
    QTest::newRow("plain, a note kept quiet") << QStringList { "/note=no file for x.png" }
                                              << QByteArray() << true;
    QTest::newRow("-v") << QStringList { "-v", "/note=no file for x.png" }
                        << QByteArray("create meter/ownwriter.log\nnote no file for x.png\n")
                        << true;
    QTest::newRow("dry run") << QStringList { "--dry-run" }
                             << QByteArray("create meter/ownwriter.log\n") << false;
}

// A template that writes with its own code has written files all the same.
void tst_cli::ownWritesAreReported()
{
    QFETCH(QStringList, flags);
    QFETCH(QByteArray, out);
    QFETCH(bool, written);
    QVERIFY(m_dir->add("ownwriter", "ownwriter.so"));
    const Run run = wiz(
        QStringList { "/path=" + m_dir->path(), "/project=meter", "/key=Fixture Own Writer" } + flags,
        m_dir->path());
    QCOMPARE(run.status, 0);
    QCOMPARE(run.out, out);
    QVERIFY2(!run.err.contains("wiz: "), run.err.constData());
    QCOMPARE(QFile::exists(m_dir->path() + "/meter/ownwriter.log"), written);
}

void tst_cli::loggingRulesChangeNoOutcome_data()
{
    QTest::addColumn<QString>("rules");
    QTest::newRow("none") << "";
    QTest::newRow("warnings off") << "*.warning=false";
    QTest::newRow("debug off") << "*.debug=false";
    QTest::newRow("everything off") << "*=false";
    QTest::newRow("the wiz category's debug on") << "wiz.debug=true";
}

void tst_cli::loggingRulesChangeNoOutcome()
{
    QFETCH(QString, rules);
    const QString out = m_dir->path();
    QCOMPARE(solestore(out).status, 0);
    QVERIFY(QFile::remove(out + "/m/m.h"));
    QVERIFY(QDir(out + "/m").mkdir("m.h"));
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("QT_LOGGING_RULES", rules);
    const Run run = solestore(out, { "-v" }, environment);
    QCOMPARE(run.status, 3);
    QCOMPARE(run.out,
        QByteArray("unchanged m/m.cpp\nunchanged m/m.dsp\nunchanged m/m.dsw\n"
                   "failed m/m.h: Is a directory\nunchanged m/main.cpp\n"));
    QCOMPARE(run.err.count("wiz: cannot write " + out.toUtf8() + "/m/m.h: Is a directory\n"), 1);
}

void tst_cli::existingFiles_data()
{
    QTest::addColumn<QStringList>("flags");
    QTest::addColumn<int>("status");
    QTest::addColumn<QByteArray>("out");
    QTest::addColumn<QByteArray>("message");
    QTest::addColumn<bool>("replaced");
    const QByteArray replaced = "unchanged m/m.cpp\nunchanged m/m.dsp\nunchanged m/m.dsw\n"
                                "replace m/m.h\ncreate m/main.cpp\n";
    QTest::newRow("default") << QStringList() << 0 << replaced << QByteArray() << true;
    QTest::newRow("replace") << QStringList { "--existing=replace" } << 0 << replaced
                             << QByteArray() << true;
    QTest::newRow("keep") << QStringList { "--existing=keep" } << 0
                          << QByteArray("unchanged m/m.cpp\nunchanged m/m.dsp\nunchanged m/m.dsw\n"
                                        "kept m/m.h\ncreate m/main.cpp\n")
                          << QByteArray() << false;
    QTest::newRow("fail: nothing written, not even the new file")
        << QStringList { "--existing=fail" } << 1 << QByteArray()
        << QByteArray("would change (--existing=fail): m/m.h\n") << false;
    QTest::newRow("another word") << QStringList { "--existing=maybe" } << 1 << QByteArray()
                                  << QByteArray("wiz: --existing=maybe: use --existing=replace, "
                                                "--existing=keep or --existing=fail\n")
                                  << false;
}

// The dry run says what the run then does, for each choice.
void tst_cli::existingFiles()
{
    QFETCH(QStringList, flags);
    QFETCH(int, status);
    QFETCH(QByteArray, out);
    QFETCH(QByteArray, message);
    QFETCH(bool, replaced);
    const QString location = m_dir->path();
    QCOMPARE(solestore(location).status, 0);
    const QByteArray fresh = wiztest::readAll(location + "/m/m.h");
    wiztest::writeAll(location + "/m/m.h", "edited\r\n");
    QVERIFY(QFile::remove(location + "/m/main.cpp"));

    const Run dry = solestore(location, flags + QStringList { "--dry-run" });
    QCOMPARE(dry.status, status);
    QCOMPARE(dry.out, out);
    QCOMPARE(wiztest::tree(location + "/m"), QStringList({ "m.cpp", "m.dsp", "m.dsw", "m.h" }));

    const Run run = solestore(location, flags + QStringList { "-v" });
    QCOMPARE(run.status, status);
    QCOMPARE(run.out, out);
    QVERIFY2(run.err.contains(message), run.err.constData());
    QCOMPARE(run.err.count("wiz: "), message.isEmpty() ? 0 : 1);
    QCOMPARE(wiztest::readAll(location + "/m/m.h"), replaced ? fresh : QByteArray("edited\r\n"));
    QCOMPARE(QFile::exists(location + "/m/main.cpp"), status == 0);
}

void tst_cli::dryRunPredicts_data()
{
    QTest::addColumn<QString>("state");
    QTest::addColumn<int>("status");
    QTest::newRow("a new project") << "" << 0;
    QTest::newRow("location missing") << "absent" << 1;
    QTest::newRow("project is a file") << "project file" << 1;
    QTest::newRow("project is a link to a folder") << "project link" << 1;
    QTest::newRow("docs is a file") << "docs file" << 3;
    QTest::newRow("docs is a link to a folder") << "docs link" << 3;
    QTest::newRow("a file is a link") << "file link" << 3;
    QTest::newRow("a file with another hard link") << "hard link" << 3;
    QTest::newRow("read-only project folder") << "read-only" << 3;
}

// Whatever a real run meets, its dry run says so first and changes nothing.
void tst_cli::dryRunPredicts()
{
    QFETCH(QString, state);
    QFETCH(int, status);
    if (state == "read-only" && geteuid() == 0)
        QSKIP("permissions do not stop the super-user");
    const QString out = m_dir->path() + "/out";
    const QString elsewhere = m_dir->path() + "/elsewhere";
    QVERIFY(QDir().mkpath(elsewhere));
    if (state != "absent")
        QVERIFY(QDir().mkpath(state.startsWith("project") ? out : out + "/m"));
    if (state == "project file")
        wiztest::writeAll(out + "/m", "mine\n");
    if (state == "project link")
        QVERIFY(QFile::link(elsewhere, out + "/m"));
    if (state == "docs file")
        wiztest::writeAll(out + "/m/docs", "mine\n");
    if (state == "docs link")
        QVERIFY(QFile::link(elsewhere, out + "/m/docs"));
    if (state == "file link")
        QVERIFY(QFile::link(elsewhere + "/victim", out + "/m/m.h"));
    if (state == "hard link") {
        wiztest::writeAll(out + "/m/m.h", "mine\n");
        QCOMPARE(::link(QFile::encodeName(out + "/m/m.h").constData(),
                     QFile::encodeName(elsewhere + "/m.h").constData()),
            0);
    }
    if (state == "read-only")
        QVERIFY(QFile::setPermissions(out + "/m", QFile::ReadOwner | QFile::ExeOwner));
    const auto scripted = [&](const QString &flag) {
        return solestore(out, { "/title=T", flag }, QProcessEnvironment::systemEnvironment(),
            "Create C++ Scripted UI / Panel");
    };
    const QMap<QString, QByteArray> before = snapshot(m_dir->path());
    const QMap<QString, QByteArray> outside = snapshot(elsewhere);

    const Run dry = scripted("--dry-run");
    QCOMPARE(dry.status, status);
    QCOMPARE(snapshot(m_dir->path()), before);
    QCOMPARE(dry.out.contains("failed "), status == 3);

    const Run run = scripted("-v");
    QCOMPARE(run.status, status);
    QCOMPARE(run.out, dry.out);
    if (status == 1)
        QCOMPARE(run.err, dry.err);
    // Nothing reached the folder that a link points to.
    QCOMPARE(snapshot(elsewhere), outside);
}

void tst_cli::dryRunChangesNoSetting()
{
    // Without /title the scripted panel asks, and stores the answer.
    const QString store = qEnvironmentVariable("XDG_CONFIG_HOME") + "/zelk/wiz.conf";
    QFile::remove(store);
    const QStringList flags { "--dry-run" };
    const Run dry = solestore(m_dir->path(), flags, QProcessEnvironment::systemEnvironment(),
        "Create C++ Scripted UI / Panel");
    QCOMPARE(dry.status, 0);
    QVERIFY(!QFile::exists(store));
    QCOMPARE(solestore(m_dir->path(), {}, QProcessEnvironment::systemEnvironment(),
                 "Create C++ Scripted UI / Panel")
                 .status,
        0);
    QVERIFY(QFile::exists(store));
    QFile::remove(store);
}

void tst_cli::reportThatGoesNowhere_data()
{
    QTest::addColumn<QString>("flag");
    QTest::newRow("dry run") << "--dry-run";
    QTest::newRow("-v") << "-v";
}

void tst_cli::reportThatGoesNowhere()
{
    QFETCH(QString, flag);
    const Run full = solestore(m_dir->path(), { flag }, QProcessEnvironment::systemEnvironment(),
        QStringLiteral("Create New Singleton ConfigClass Wizard"), "/dev/full");
    QCOMPARE(full.status, 1);
    QVERIFY(full.err.contains("wiz: cannot write the report: No space left on device\n"));
}

void tst_cli::signalsCleanUp_data()
{
    QTest::addColumn<int>("signal");
    QTest::addColumn<bool>("dryRun");
    QTest::newRow("SIGINT") << int(SIGINT) << false;
    QTest::newRow("SIGTERM") << int(SIGTERM) << false;
    QTest::newRow("SIGHUP") << int(SIGHUP) << false;
    QTest::newRow("SIGTERM in a dry run") << int(SIGTERM) << true;
}

// Interrupted while a file is being written: no temporary file and no
// scratch folder stays, and every file is whole, old or new.
void tst_cli::signalsCleanUp()
{
    QFETCH(int, signal);
    QFETCH(bool, dryRun);
    const QString out = m_dir->path();
    const QString temp = out + "/tmp";
    QVERIFY(QDir().mkpath(temp));
    QCOMPARE(solestore(out).status, 0);
    const QMap<QString, QByteArray> fresh = snapshot(out + "/m");
    for (auto it = fresh.cbegin(); it != fresh.cend(); ++it)
        wiztest::writeAll(out + "/m/" + it.key(), "edited\n");

    // A scratch folder of a run that was killed: its process is gone.
    QProcess gone;
    gone.start("true", QStringList());
    QVERIFY(gone.waitForStarted());
    const qint64 pid = gone.processId();
    QVERIFY(gone.waitForFinished());
    const QString stale = temp + QStringLiteral("/wiz-dry-%1-AbCdEf").arg(pid);
    QVERIFY(QDir().mkpath(stale + "/location/m"));

    QProcessEnvironment environment
        = injected(dryRun ? temp + "/" : out + "/m/", "WIZ_SLOW_MS", "300");
    environment.insert("TMPDIR", temp);
    QProcess run;
    run.setWorkingDirectory(WIZ_BUILD_DIR);
    run.setProcessEnvironment(environment);
    run.start(QStringLiteral(WIZ_BUILD_DIR "/wiz"),
        QStringList { "/path=" + out, "/project=m", "/key=Create New Singleton ConfigClass Wizard" }
            + (dryRun ? QStringList { "--dry-run" } : QStringList()));
    // Until something beside the files, or a scratch folder of its own, shows.
    const auto busy = [&] {
        if (dryRun) {
            QStringList folders = QDir(temp).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
            folders.removeAll(QFileInfo(stale).fileName());
            return !folders.isEmpty();
        }
        // New files appear only whole, so the first replaced one shows it.
        if (wiztest::tree(out + "/m") != fresh.keys())
            return true;
        for (auto it = fresh.cbegin(); it != fresh.cend(); ++it) {
            if (wiztest::readAll(out + "/m/" + it.key()) != "edited\n")
                return true;
        }
        return false;
    };
    QTRY_VERIFY_WITH_TIMEOUT(busy(), 10000);
    QCOMPARE(::kill(pid_t(run.processId()), signal), 0);
    QVERIFY(run.waitForFinished(10000));
    QCOMPARE(run.exitStatus(), QProcess::NormalExit);
    QCOMPARE(run.exitCode(), 128 + signal);

    QCOMPARE(wiztest::tree(out + "/m"), fresh.keys());
    for (auto it = fresh.cbegin(); it != fresh.cend(); ++it) {
        const QByteArray now = wiztest::readAll(out + "/m/" + it.key());
        QVERIFY2(now == "edited\n" || now == it.value(), qPrintable(it.key()));
    }
    QCOMPARE(QDir(temp).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
        QStringList());
}

// A template folder written from the schema document alone: its files under
// its rules, its options from the command line, the same run as a library's.
namespace {

const QString sampler = QStringLiteral(WIZ_SOURCE_DIR "/tests/fixtures/folders/sampler");
using Tree = QMap<QString, QByteArray>;

// guide is the text of docs/guide.md; without one there is no such file.
Tree samplerTree(
    const QByteArray &readme, const QByteArray &win, const QByteArray &guide = "Guide by Tess\r\n")
{
    Tree tree { { "README.md", readme }, { "raw.txt", "Not %{rendered}\r\n" },
        { "logo.png", wiztest::readAll(sampler + "/files/logo.png") }, { "win/METER.TXT", win } };
    if (!guide.isEmpty())
        tree.insert("docs/guide.md", guide);
    return tree;
}

QProcessEnvironment fixedRun()
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("SOURCE_DATE_EPOCH", "86400");
    environment.insert("WIZ_FIXED_GUIDS", "1");
    return environment;
}

} // namespace

void tst_cli::templateFolderRuns_data()
{
    QTest::addColumn<QString>("project");
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("status");
    QTest::addColumn<Tree>("written");
    QTest::addColumn<QByteArray>("out");
    QTest::addColumn<QByteArray>("err");

    const QByteArray made = "Made 1970-01-02, id 00000000-0000-4000-8000-000000000001\n";
    const QByteArray win = "Caf\xe9 meter\r\n\xa9 Tess\r\n";
    QTest::newRow("defaults") << "meter" << QStringList() << 0
                              << samplerTree("# meter\nStyle: plain\nDocs: yes\n" + made, win)
                              << QByteArray("The sampler is ready.\n") << QByteArray();
    QTest::newRow("options, yes-no as 0, names without case")
        << "meter" << QStringList { "/Style=fancy", "/DOCS=0" } << 0
        << samplerTree("# meter\nStyle: fancy\nFancy!\nDocs: no\n" + made, win, QByteArray())
        << QByteArray("The sampler is ready.\n") << QByteArray();
    QTest::newRow("verbose names binary copies")
        << "meter" << QStringList { "-v", "/author=Ann Lee" } << 0
        << samplerTree("# meter\nStyle: plain\nDocs: yes\n" + made,
               "Caf\xe9 meter\r\n\xa9 Ann Lee\r\n", "Guide by Ann Lee\r\n")
        << QByteArray("create meter/README.md\ncreate meter/docs/guide.md\ncreate meter/logo.png\n"
                      "create meter/raw.txt\ncreate meter/win/METER.TXT\n"
                      "note logo.png: copied as binary\nThe sampler is ready.\n")
        << QByteArray();
    QTest::newRow("dry run") << "meter" << QStringList { "--dry-run" } << 0 << Tree()
                             << QByteArray("create meter/README.md\ncreate meter/docs/guide.md\n"
                                           "create meter/logo.png\ncreate meter/raw.txt\n"
                                           "create meter/win/METER.TXT\n"
                                           "note logo.png: copied as binary\n")
                             << QByteArray();
    QTest::newRow("character outside windows-1252")
        << QString::fromUtf8("\xc5\x82\xc3\xb3"
                             "d\xc5\xba")
        << QStringList { "-v" } << 0 << Tree()
        << QByteArray("note win/\xc5\x81\xc3\x93"
                      "D\xc5\xb9.TXT:1: \"\xc5\x82\" is not in "
                      "windows-1252 and was written as \"?\"\n")
        << QByteArray();
    QTest::newRow("bad choice") << "meter" << QStringList { "/style=odd" } << 1 << Tree()
                                << QByteArray()
                                << QByteArray("wiz: /style=odd: \"odd\" is not one of the choices "
                                              "of \"style\": plain, fancy\n");
    QTest::newRow("unknown option")
        << "meter" << QStringList { "/colour=red" } << 1 << Tree() << QByteArray()
        << QByteArray("wiz: /colour=red: unknown option \"colour\"; "
                      "the options are style, docs, author\n");
    QTest::newRow("value its pattern refuses")
        << "meter" << QStringList { "/author=T3ss" } << 1 << Tree() << QByteArray()
        << QByteArray("/author=T3ss: ");
}

void tst_cli::templateFolderRuns()
{
    QFETCH(QString, project);
    QFETCH(QStringList, arguments);
    QFETCH(int, status);
    QFETCH(Tree, written);
    QFETCH(QByteArray, out);
    QFETCH(QByteArray, err);
    const QString location = m_dir->path();
    const Run run
        = wiz(QStringList { "--template", sampler, "/path=" + location, "/project=" + project }
                + arguments,
            location, QStringLiteral(WIZ_BUILD_DIR "/wiz"), fixedRun());
    QVERIFY2(run.status == status, run.err.constData());
    if (QTest::currentDataTag() == QLatin1String("character outside windows-1252"))
        QVERIFY2(run.out.contains(out), run.out.constData());
    else
        QCOMPARE(run.out, out);
    QVERIFY2(run.err.contains(err), run.err.constData());
    if (!written.isEmpty())
        QCOMPARE(snapshot(location + "/" + project), written);
    else if (status != 0 || arguments.contains("--dry-run"))
        QVERIFY(!QFileInfo::exists(location + "/" + project));
}

// Listed among the libraries in file-name order; a folder with a mistake is
// left out with its message, and the others still list and run.
void tst_cli::templateFolderListed()
{
    const QString plugins = m_dir->plugins();
    QVERIFY(m_dir->add("recorder", "Rec.so"));
    for (const char *name : { "sampler", "broken" })
        QVERIFY(QProcess::execute("cp", { "-r", sampler, plugins + "/" + name }) == 0);
    QFile manifest(plugins + "/broken/template.json");
    QVERIFY(manifest.open(QIODevice::ReadWrite));
    const QByteArray broken = manifest.readAll().replace("\"choice\"", "\"colour\"");
    QVERIFY(manifest.resize(0) && manifest.write(broken) == broken.size());
    manifest.close();

    const Run list = wiz({ "--list" }, m_dir->path());
    QCOMPARE(list.status, 0);
    QCOMPARE(list.out, QByteArray("Fixture Recorder\nFixture Folder\n"));
    QVERIFY2(list.err.contains("Template folder ./plugins/broken is left out: template.json: "
                               "options[0].kind: \"colour\" is not one of text, yes-no, choice\n"),
        list.err.constData());

    const QJsonArray json
        = QJsonDocument::fromJson(wiz({ "--list", "--json" }, m_dir->path()).out).array();
    QCOMPARE(json.size(), 2);
    const QJsonObject folder = json[1].toObject();
    QCOMPARE(folder.value("folder").toString(), QDir(plugins).canonicalPath() + "/sampler");
    QCOMPARE(folder.value("library"), QJsonValue::Undefined);
    QCOMPARE(folder.value("version").toString(), QString("0.3"));
    QCOMPARE(folder.value("options").toArray().size(), 3);

    const Run paths = wiz({ "--paths" }, m_dir->path());
    QVERIFY2(
        paths.out.contains("./plugins\n    broken: template.json: options[0].kind: \"colour\" "
                           "is not one of text, yes-no, choice\n    Fixture Recorder (Rec.so)\n"
                           "    Fixture Folder (sampler/)\n"),
        paths.out.constData());
    const Run help = wiz({ "--help-template", "Fixture Folder" }, m_dir->path());
    QVERIFY2(help.out.contains("  /style=plain|fancy\n      Style (default: plain)\n"),
        help.out.constData());

    const Run run = wiz({ "/path=" + m_dir->path(), "/project=p", "/key=Fixture Folder" },
        m_dir->path(), QStringLiteral(WIZ_BUILD_DIR "/wiz"), fixedRun());
    QCOMPARE(run.status, 0);
    QCOMPARE(wiztest::tree(m_dir->path() + "/p").size(), 5);
}

// Each kind of mistake stops the run with a message naming the file and the
// member or line, and writes nothing.
void tst_cli::templateFolderMistakes_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QByteArray>("from");
    QTest::addColumn<QByteArray>("to");
    QTest::addColumn<QByteArray>("message");
    QTest::newRow("unknown member")
        << "template.json" << QByteArray("\"version\"") << QByteArray("\"colour\": 1, \"version\"")
        << QByteArray("template.json: colour: unknown member; the members here are $schema,");
    QTest::newRow("no title") << "template.json" << QByteArray("\"title\"")
                              << QByteArray("\"name\": {}, \"tytle\"")
                              << QByteArray("template.json: title: missing");
    QTest::newRow("condition with a value that is no choice")
        << "template.json" << QByteArray("\"when\": \"docs\"}")
        << QByteArray("\"when\": \"style == odd\"}")
        << QByteArray("template.json: files[1].when: \"odd\" is not one of the choices of "
                      "\"style\": plain, fancy");
    QTest::newRow("rule that matches no file")
        << "template.json" << QByteArray("\"raw.txt\"") << QByteArray("\"nothing/*\"")
        << QByteArray("template.json: files[2].match: \"nothing/*\" matches no file under files/");
    QTest::newRow("not JSON") << "template.json" << QByteArray("{") << QByteArray("[")
                              << QByteArray("template.json:");
    QTest::newRow("unknown placeholder")
        << "files/README.md" << QByteArray("%{style}") << QByteArray("%{stlye}")
        << QByteArray("files/README.md:2: unknown placeholder \"%{stlye}\"");
    QTest::newRow("unbalanced block")
        << "files/README.md" << QByteArray("%{endif}\n") << QByteArray()
        << QByteArray("files/README.md:3: \"%{if ...}\" is not "
                      "closed by \"%{endif}\"");
}

void tst_cli::templateFolderMistakes()
{
    QFETCH(QString, file);
    QFETCH(QByteArray, from);
    QFETCH(QByteArray, to);
    QFETCH(QByteArray, message);
    const QString folder = m_dir->path() + "/t";
    QVERIFY(QProcess::execute("cp", { "-r", sampler, folder }) == 0);
    const QByteArray bytes = wiztest::readAll(folder + "/" + file);
    QVERIFY(bytes.contains(from));
    wiztest::writeAll(folder + "/" + file, QByteArray(bytes).replace(from, to));
    const Run run
        = wiz({ "--template", folder, "/path=" + m_dir->path(), "/project=p" }, m_dir->path());
    QCOMPARE(run.status, 1);
    QVERIFY2(run.err.startsWith("wiz: the template folder " + folder.toUtf8() + " cannot be used:"),
        run.err.constData());
    QVERIFY2(run.err.contains(message), run.err.constData());
    QVERIFY(!QFileInfo::exists(m_dir->path() + "/p"));
}

WIZ_TEST_MAIN(tst_cli)
#include "tst_cli.moc"
