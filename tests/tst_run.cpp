#include "filesink.h"
#include "foldersnapshot.h"
#include "wiztest.h"

// The run's pieces without a template: what the sink does with a file in
// each mode, and what the folder comparison finds.
class tst_run : public QObject
{
    Q_OBJECT

private slots:
    void sinkModes_data();
    void sinkModes();
    void snapshotFindsOwnWrites();
};

void tst_run::sinkModes_data()
{
    // "" for old: no file there before.
    QTest::addColumn<int>("mode");
    QTest::addColumn<QByteArray>("old");
    QTest::addColumn<int>("outcome");
    QTest::addColumn<bool>("heldForReview");
    QTest::addColumn<QByteArray>("afterOffer");
    QTest::addColumn<QByteArray>("afterCommit");
    QTest::addColumn<QString>("report");
    QTest::newRow("write all: replace")
        << int(fileSink::WriteAll) << QByteArray("old") << int(projectWriter::Replace) << false
        << QByteArray("new") << QByteArray("new") << "replace";
    QTest::newRow("hold replacements: new file at once")
        << int(fileSink::HoldReplacements) << QByteArray() << int(projectWriter::Create) << false
        << QByteArray("new") << QByteArray("new") << "create";
    QTest::newRow("hold replacements: replacement waits")
        << int(fileSink::HoldReplacements) << QByteArray("old") << int(projectWriter::Replace)
        << true << QByteArray("old") << QByteArray("new") << "replace";
    QTest::newRow("hold replacements: same bytes are no replacement")
        << int(fileSink::HoldReplacements) << QByteArray("new") << int(projectWriter::Unchanged)
        << false << QByteArray("new") << QByteArray("new") << "unchanged";
    QTest::newRow("hold all: new file waits")
        << int(fileSink::HoldAll) << QByteArray() << int(projectWriter::Create) << false
        << QByteArray() << QByteArray("new") << "create";
    QTest::newRow("keep: replacement kept")
        << int(fileSink::KeepReplacements) << QByteArray("old") << int(projectWriter::Replace)
        << false << QByteArray("old") << QByteArray("old") << "kept";
}

void tst_run::sinkModes()
{
    QFETCH(int, mode);
    QFETCH(QByteArray, old);
    QFETCH(int, outcome);
    QFETCH(bool, heldForReview);
    QFETCH(QByteArray, afterOffer);
    QFETCH(QByteArray, afterCommit);
    QFETCH(QString, report);
    QTemporaryDir location;
    QVERIFY(QDir(location.path()).mkdir("m"));
    const QString file = location.path() + "/m/f.txt";
    if (!old.isEmpty())
        wiztest::writeAll(file, old);
    projectWriter writer(location.path());
    fileSink sink(location.path(), &writer, fileSink::Mode(mode));

    QString reason;
    QCOMPARE(int(sink.offerComposed(location.path() + "//m/./f.txt", "new", &reason)), outcome);
    QCOMPARE(wiztest::readAll(file), afterOffer);
    QCOMPARE(sink.heldReplacements(), heldForReview ? QStringList { "m/f.txt" } : QStringList());
    sink.commit();
    QCOMPARE(wiztest::readAll(file), afterCommit);
    QCOMPARE(sink.outcomes().size(), 1);
    const fileOutcome done = sink.outcomes().constFirst();
    QCOMPARE(done.path, QStringLiteral("m/f.txt"));
    QCOMPARE(done.kept
            ? QStringLiteral("kept")
            : QStringList({ "create", "replace", "unchanged", "failed" }).at(done.outcome),
        report);
    // Nothing outside the location is written, whatever the path says.
    QCOMPARE(int(sink.offerComposed(location.path() + "/m/../../escape", "x", &reason)),
        int(projectWriter::Refused));
    QVERIFY(!QFileInfo::exists(QFileInfo(location.path()).dir().filePath("escape")));
}

void tst_run::snapshotFindsOwnWrites()
{
    QTemporaryDir location;
    QVERIFY(QDir(location.path()).mkpath("m/docs"));
    wiztest::writeAll(location.path() + "/m/same", "same");
    wiztest::writeAll(location.path() + "/m/docs/touched", "before");
    const folderSnapshot::tree before = folderSnapshot::take(location.path(), "m");
    // Same size, at once: only the time's nanoseconds or the inode tell.
    wiztest::writeAll(location.path() + "/m/docs/touched", "after!");
    wiztest::writeAll(location.path() + "/m/docs/new", "");
    QVERIFY(QFile::link(location.path() + "/m/same", location.path() + "/m/link"));
    QStringList created, changed;
    folderSnapshot::compare(before, folderSnapshot::take(location.path(), "m"), &created, &changed);
    QCOMPARE(created, QStringList { "m/docs/new" });
    QCOMPARE(changed, QStringList { "m/docs/touched" });
}

WIZ_TEST_MAIN(tst_run)
#include "tst_run.moc"
