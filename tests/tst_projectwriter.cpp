#include "projectwriter.h"
#include "wiztest.h"

#include <QDirIterator>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QMap>
#include <QProcess>

#include <sys/stat.h>
#include <unistd.h>

// The file writer on real files: what it refuses, what it keeps, and a race
// against another user. Built twice: as it is, and as on a file system
// without unnamed files (WIZ_WRITER_NAMED_TEMPORARIES).
class tst_projectwriter : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void refusals_data();
    void refusals();
    void outcomes_data();
    void outcomes();
    void newFileMode_data();
    void newFileMode();
    void replacementKeepsIdentity_data();
    void replacementKeepsIdentity();
    void madeFoldersGoWhenEmpty();
    void anotherUserSwapsNamesForLinks();

private:
    QString location() const { return m_dir->path() + QStringLiteral("/loc"); }
    // Runs a shell script in the location.
    bool shell(const QString &script) const
    {
        return QProcess::execute("/bin/sh", { "-ec", "cd \"$0\"\n" + script, location() }) == 0;
    }
    // Every entry below the temporary folder, links and folders not followed.
    QMap<QString, QByteArray> snapshot() const;
    std::unique_ptr<QTemporaryDir> m_dir;
};

enum User { Anyone, RootOnly, NotRoot };
Q_DECLARE_METATYPE(User)
Q_DECLARE_METATYPE(projectWriter::Outcome)

void tst_projectwriter::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(QDir(m_dir->path()).mkpath("loc"));
    QVERIFY(QDir(m_dir->path()).mkpath("outside"));
    wiztest::writeAll(m_dir->path() + "/outside/f.txt", "outside\n");
}

QMap<QString, QByteArray> tst_projectwriter::snapshot() const
{
    QMap<QString, QByteArray> entries;
    QDirIterator it(m_dir->path(),
        QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot,
        QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QFileInfo info(it.next());
        const QString name = info.filePath().mid(m_dir->path().size() + 1);
        entries.insert(name,
            info.isSymLink()    ? "-> " + QFile::encodeName(info.symLinkTarget())
                : info.isDir()  ? QByteArray("folder")
                : info.isFile() ? wiztest::readAll(info.filePath())
                                : QByteArray("other"));
    }
    return entries;
}

void tst_projectwriter::refusals_data()
{
    QTest::addColumn<QString>("setup");
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("reason");
    QTest::addColumn<User>("user");

    const auto row = [](const char *title, const char *setup, const char *path, const char *reason,
                         User user = Anyone) {
        QTest::newRow(title) << QString(setup) << QString(path) << QString(reason) << user;
    };
    row("link in the file's place", "mkdir p; ln -s ../../outside/f.txt p/f.txt", "p/f.txt",
        "it is a symbolic link");
    row("linked folder on the way", "mkdir p; ln -s ../../outside p/docs", "p/docs/f.txt",
        "p/docs is a symbolic link");
    row("linked project folder", "ln -s ../outside p", "p/f.txt", "p is a symbolic link");
    row("file on the way", "mkdir p; echo x > p/docs", "p/docs/f.txt", "p/docs is not a folder");
    row("folder of another user", "mkdir -p p/docs; chown 65534 p/docs", "p/docs/f.txt",
        "p/docs belongs to another user", RootOnly);
    row("hard link", "mkdir p; echo old > p/f.txt; ln p/f.txt ../outside/other", "p/f.txt",
        "it has other hard links");
    row("folder in the file's place", "mkdir -p p/f.txt", "p/f.txt", "Is a directory");
    row("pipe in the file's place", "mkdir p; mkfifo p/f.txt", "p/f.txt",
        "it is not a regular file");
    row("read-only file", "mkdir p; echo old > p/f.txt; chmod 444 p/f.txt", "p/f.txt",
        "Permission denied", NotRoot);
    row("read-only folder", "mkdir p; chmod 555 p", "p/docs/f.txt", "Permission denied", NotRoot);
    row("a step up", "mkdir p", "p/../f.txt", "it is not a path below the location");
    row("location gone", "cd ..; rmdir loc", "f.txt", "No such file or directory");
}

void tst_projectwriter::refusals()
{
    QFETCH(QString, setup);
    QFETCH(QString, path);
    QFETCH(QString, reason);
    QFETCH(User, user);
    if (user == RootOnly && geteuid() != 0)
        QSKIP("only the super-user can give a folder to another user");
    if (user == NotRoot && geteuid() == 0)
        QSKIP("permissions do not stop the super-user");
    QVERIFY(shell(setup));
    const QMap<QString, QByteArray> before = snapshot();

    projectWriter writer(location());
    const projectWriter::Decision planned = writer.plan(path, "new\n");
    QCOMPARE(planned.outcome, projectWriter::Refused);
    QCOMPARE(planned.reason, reason);
    const projectWriter::Decision written = writer.write(path, "new\n");
    QCOMPARE(written.outcome, projectWriter::Refused);
    QCOMPARE(written.reason, reason);
    QCOMPARE(snapshot(), before);
}

void tst_projectwriter::outcomes_data()
{
    const QString longName = QString(242, 'n') + ".txt";
    QTest::addColumn<QString>("setup");
    QTest::addColumn<QString>("path");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<projectWriter::Outcome>("outcome");

    const auto row = [](const char *title, const QString &setup, const QString &path,
                         const QByteArray &bytes, projectWriter::Outcome outcome) {
        QTest::newRow(title) << setup << path << bytes << outcome;
    };
    row("new file in new folders", "", "p/docs/f.txt", QByteArray("new\r\n\xa9\0", 7),
        projectWriter::Create);
    row("empty new file", "", "f.txt", QByteArray(), projectWriter::Create);
    row("longer file replaced", "mkdir p; printf 'old but longer' > p/f.txt", "p/f.txt", "new",
        projectWriter::Replace);
    row("same size, other bytes", "printf same > f.txt", "f.txt", "sane", projectWriter::Replace);
    row("same bytes", "mkdir p; printf 'same\\r\\n' > p/f.txt", "p/f.txt", "same\r\n",
        projectWriter::Unchanged);
    row("246-byte name, new", "", longName, "x", projectWriter::Create);
    row("246-byte name, replaced", "printf old > " + longName, longName, "x",
        projectWriter::Replace);
}

void tst_projectwriter::outcomes()
{
    QFETCH(QString, setup);
    QFETCH(QString, path);
    QFETCH(QByteArray, bytes);
    QFETCH(projectWriter::Outcome, outcome);
    QVERIFY(shell(setup));
    const QString file = location() + '/' + path;
    struct stat before = {};
    ::stat(QFile::encodeName(file).constData(), &before);

    projectWriter writer(location());
    QCOMPARE(writer.plan(path, bytes).outcome, outcome);
    const projectWriter::Decision written = writer.write(path, bytes);
    QCOMPARE(written.reason, QString());
    QCOMPARE(written.outcome, outcome);
    QCOMPARE(wiztest::readAll(file), bytes);
    struct stat after = {};
    QCOMPARE(::stat(QFile::encodeName(file).constData(), &after), 0);
    // An unchanged file is the same file, not one with the same bytes.
    QCOMPARE(after.st_ino == before.st_ino, outcome == projectWriter::Unchanged);
    QCOMPARE(after.st_nlink, nlink_t(1));
    for (const QString &name : wiztest::tree(location()))
        QVERIFY2(!QFileInfo(name).fileName().startsWith(".wiz"), qPrintable(name));
}

void tst_projectwriter::newFileMode_data()
{
    QTest::addColumn<int>("mask");
    QTest::addColumn<bool>("executable");
    QTest::addColumn<int>("mode");
    QTest::newRow("plain") << 022 << false << 0644;
    QTest::newRow("executable") << 022 << true << 0755;
    QTest::newRow("executable, private") << 077 << true << 0700;
    QTest::newRow("executable, group only") << 027 << true << 0750;
    QTest::newRow("plain, everyone may write") << 0 << false << 0666;
}

void tst_projectwriter::newFileMode()
{
    QFETCH(int, mask);
    QFETCH(bool, executable);
    const mode_t previous = ::umask(mode_t(mask));
    const projectWriter::Decision written
        = projectWriter(location()).write("run.sh", "#!/bin/sh\n", executable);
    ::umask(previous);
    QCOMPARE(written.outcome, projectWriter::Create);
    struct stat st;
    QCOMPARE(::stat(QFile::encodeName(location() + "/run.sh").constData(), &st), 0);
    QTEST(int(st.st_mode & 07777), "mode");
}

void tst_projectwriter::replacementKeepsIdentity_data()
{
    QTest::addColumn<QString>("setup");
    QTest::addColumn<User>("user");
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("owner"); // -1: the user's own
    QTest::addColumn<int>("group");

    QTest::newRow("mode 0640") << "chmod 640 f.txt" << Anyone << 0640 << -1 << -1;
    QTest::newRow("executable") << "chmod 750 f.txt" << Anyone << 0750 << -1 << -1;
    QTest::newRow("another user's read-only setgid file")
        << "chown 65534:65534 f.txt; chmod 2444 f.txt" << RootOnly << 02444 << 65534 << 65534;
    QTest::newRow("setuid, another group")
        << "chgrp 65534 f.txt; chmod 4755 f.txt" << RootOnly << 04755 << -1 << 65534;
}

void tst_projectwriter::replacementKeepsIdentity()
{
    QFETCH(QString, setup);
    QFETCH(User, user);
    QFETCH(int, owner);
    QFETCH(int, group);
    if (user == RootOnly && geteuid() != 0)
        QSKIP("only the super-user can give a file to another user");
    QVERIFY(shell("printf old > f.txt; " + setup));

    const projectWriter::Decision written = projectWriter(location()).write("f.txt", "new\n");
    QCOMPARE(written.reason, QString());
    QCOMPARE(written.outcome, projectWriter::Replace);
    QCOMPARE(wiztest::readAll(location() + "/f.txt"), QByteArray("new\n"));
    struct stat st;
    QCOMPARE(::stat(QFile::encodeName(location() + "/f.txt").constData(), &st), 0);
    QTEST(int(st.st_mode & 07777), "mode");
    QCOMPARE(st.st_uid, owner < 0 ? geteuid() : uid_t(owner));
    QCOMPARE(st.st_gid, group < 0 ? getegid() : gid_t(group));
}

void tst_projectwriter::madeFoldersGoWhenEmpty()
{
    QVERIFY(shell("mkdir old"));
    projectWriter writer(location());
    QCOMPARE(writer.makeFolder("old/a/b/c").outcome, projectWriter::Create);
    QCOMPARE(writer.makeFolder("old/a/b").outcome, projectWriter::Unchanged);
    QCOMPARE(writer.write("old/x/keep.txt", "k").outcome, projectWriter::Create);
    QCOMPARE(writer.makeFolder("old/x/y").outcome, projectWriter::Create);
    QCOMPARE(writer.makeFolder("new").outcome, projectWriter::Create);
    writer.removeEmptyFolders();
    // Deepest first, so a/b and a go once c is gone; old was there before.
    const QMap<QString, QByteArray> left { { "loc", "folder" }, { "loc/old", "folder" },
        { "loc/old/x", "folder" }, { "loc/old/x/keep.txt", "k" }, { "outside", "folder" },
        { "outside/f.txt", "outside\n" } };
    QCOMPARE(snapshot(), left);
    // A folder removed is made again by the next write.
    QCOMPARE(writer.write("old/a/f.txt", "f").outcome, projectWriter::Create);
    QCOMPARE(wiztest::readAll(location() + "/old/a/f.txt"), QByteArray("f"));
}

void tst_projectwriter::anotherUserSwapsNamesForLinks()
{
    if (geteuid() != 0)
        QSKIP("the race needs a second user: run as root to let nobody race the writer");
    // A shared project folder and docs folder, both the wizard user's but open
    // to everyone, and beside each name a link to a file nobody may change.
    QVERIFY(QFile::setPermissions(m_dir->path(),
        QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadOther
            | QFile::ExeOther));
    const QString swapper = m_dir->path() + "/swapper";
    QVERIFY(QFile::copy(WIZ_BUILD_DIR "/fixtures/swapper", swapper));
    QVERIFY(shell("mkdir -m 777 p p/docs; chmod 777 p p/docs; chmod 755 ../swapper"));

    const QString stop = m_dir->path() + "/stop";
    QProcess other;
    other.setWorkingDirectory(location());
    other.start("runuser",
        { "-u", "nobody", "--", swapper, "30", stop, "p/f.txt", "../../outside/f.txt", "p/docs",
            "../../outside", "p/docs/f.txt", "../../../outside/f.txt" });
    QVERIFY(other.waitForStarted());

    int written = 0;
    QElapsedTimer clock;
    clock.start();
    for (int i = 0; i < 400 && clock.elapsed() < 10000; ++i) {
        projectWriter writer(location());
        const QByteArray bytes = i % 2 ? "one\n" : "two\n";
        written += writer.write("p/f.txt", bytes).outcome != projectWriter::Refused;
        written += writer.write("p/docs/f.txt", bytes).outcome != projectWriter::Refused;
    }
    wiztest::writeAll(stop, "");
    QVERIFY(other.waitForFinished(40000));
    if (other.exitCode() == 2)
        QSKIP("this file system cannot exchange names");
    QCOMPARE(other.exitCode(), 0);
    QVERIFY2(other.readAllStandardOutput().trimmed().toLong() > 0, "nothing was swapped");
    QVERIFY(written > 0);
    QCOMPARE(wiztest::readAll(m_dir->path() + "/outside/f.txt"), QByteArray("outside\n"));
    QCOMPARE(QDir(m_dir->path() + "/outside")
                 .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot),
        QStringList { "f.txt" });
}

WIZ_TEST_MAIN(tst_projectwriter)
#include "tst_projectwriter.moc"
