#include "files.h"
#include "modalanswer.h"
#include "testmain.h"
#include "wiz_util.h"

#include "embeded.h"

#include <QAbstractButton>
#include <QMessageBox>
#include <QRegularExpression>
#include <QTimer>

#include <unistd.h>

// The support library every template plug-in carries: embedded lookups and
// file output. Built twice, once against each variant of the library.
class tst_wiz_util : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void lookup_data();
    void lookup();
    void lookupReturnsOneObjectOverTheStaticData();
    void heldLookupsSurviveTheCacheGrowing();
    void replaceList_data();
    void replaceList();
    void nameReplacement_data();
    void nameReplacement();
    void templateBytesPassThrough();
    void encodingFollowsTheTemplate_data();
    void encodingFollowsTheTemplate();
    void textEndsAtNul();
    void binaryKeepsEveryByte();
    void oddListWarnsAndWritesNothing_data();
    void oddListWarnsAndWritesNothing();
    void existingLongerFileIsTruncated();
    void parentDirectory();
    void unwritableTargets_data();
    void unwritableTargets();
    void failureLeavesOtherFilesAlone();
    void environmentValues();

private:
    QString file(const QString &name) const { return m_dir->path() + QLatin1Char('/') + name; }
    std::unique_ptr<QTemporaryDir> m_dir;
};

void tst_wiz_util::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
}

void tst_wiz_util::lookup_data()
{
    QTest::addColumn<QByteArray>("name");
    QTest::addColumn<QByteArray>("expected");

    QTest::newRow("text") << QByteArray("embed/plain.txt") << QByteArray("Hello %%NAME%%!\r\n");
    QTest::newRow("binary with a NUL")
        << QByteArray("embed/nul.bin") << QByteArray("ab\0cd\xff\x80", 7);
    QTest::newRow("name exactly as given") << QByteArray("./embed/Case.txt") << QByteArray("upper");
    QTest::newRow("empty file") << QByteArray("embed/empty.txt") << QByteArray();
    QTest::newRow("other case is a miss") << QByteArray("embed/PLAIN.txt") << QByteArray();
    QTest::newRow("without the ./ is a miss") << QByteArray("embed/Case.txt") << QByteArray();
    QTest::newRow("trailing space is a miss") << QByteArray("embed/plain.txt ") << QByteArray();
    QTest::newRow("empty name") << QByteArray("") << QByteArray();
}

void tst_wiz_util::lookup()
{
    QFETCH(QByteArray, name);
    QFETCH(QByteArray, expected);
    QCOMPARE(qembed_findData(name.constData()), expected);
    QCOMPARE(qembed_findData(name.constData()), expected);
}

void tst_wiz_util::lookupReturnsOneObjectOverTheStaticData()
{
    const QByteArray &first = qembed_findData("embed/bytes.txt");
    QCOMPARE(&qembed_findData("embed/bytes.txt"), &first);
    QCOMPARE(static_cast<const void *>(first.constData()),
        static_cast<const void *>(qembed_vec[1].data));
    QCOMPARE(first.size(), qsizetype(qembed_vec[1].size));
    QCOMPARE(&qembed_findData("missing"), &qembed_findData("also missing"));
    QVERIFY(qembed_findData("missing").isEmpty());
}

void tst_wiz_util::heldLookupsSurviveTheCacheGrowing()
{
    QList<const QByteArray *> held;
    QString dots;
    for (int i = 0; i < 40; ++i) {
        dots += QStringLiteral("./");
        held << &qembed_findData(qPrintable("embed/" + dots + "plain.txt"));
    }
    dots.clear();
    for (int i = 0; i < 40; ++i) {
        dots += QStringLiteral("./");
        QCOMPARE(&qembed_findData(qPrintable("embed/" + dots + "plain.txt")), held.at(i));
        QCOMPARE(*held.at(i), QByteArray("Hello %%NAME%%!\r\n"));
    }
}

void tst_wiz_util::replaceList_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("pairs");
    QTest::addColumn<QByteArray>("expected");

    QTest::newRow("later tag matches inside an earlier value")
        << "A" << QStringList { "A", "xAy", "x", "z" } << QByteArray("zAy");
    QTest::newRow("every occurrence") << "a-a-a" << QStringList { "a", "b" } << QByteArray("b-b-b");
    QTest::newRow("case-sensitive")
        << "Name name NAME" << QStringList { "name", "x" } << QByteArray("Name x NAME");
    QTest::newRow("empty tag is skipped")
        << "abc" << QStringList { "", "zz", "b", "B" } << QByteArray("aBc");
    QTest::newRow("empty value deletes")
        << "a%%T%%b%%T%%" << QStringList { "%%T%%", "" } << QByteArray("ab");
    QTest::newRow("no overlaps") << "aaa" << QStringList { "aa", "b" } << QByteArray("ba");
    QTest::newRow("value holds its own tag")
        << "a" << QStringList { "a", "aa" } << QByteArray("aa");
    QTest::newRow("repeated tag, first pair wins")
        << "t" << QStringList { "t", "1", "t", "2" } << QByteArray("1");
    QTest::newRow("empty list writes the text")
        << "%%NAME%%" << QStringList() << QByteArray("%%NAME%%");
}

void tst_wiz_util::replaceList()
{
    QFETCH(QString, text);
    QFETCH(QStringList, pairs);
    QFETCH(QByteArray, expected);
    wiz::savefile(text, file("out.txt"), pairs);
    QCOMPARE(wiztest::readAll(file("out.txt")), expected);
}

void tst_wiz_util::nameReplacement_data()
{
    QTest::addColumn<QString>("replace");
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("name given") << "meter" << QByteArray("Hello meter!\r\n");
    QTest::newRow("empty name keeps the tag") << "" << QByteArray("Hello %%NAME%%!\r\n");
}

void tst_wiz_util::nameReplacement()
{
    QFETCH(QString, replace);
    wiz::savefile(qembed_findData("embed/plain.txt"), file("out.txt"), replace);
    QTEST(wiztest::readAll(file("out.txt")), "expected");
}

void tst_wiz_util::templateBytesPassThrough()
{
    // CR LF, the byte-order mark and a byte above 127 must come out as stored,
    // also when the template is not the UTF-8 that its mark promises.
    const QByteArray stored("\xef\xbb\xbfline one\r\n\xa9 2026\r\n");
    wiz::savefile(qembed_findData("embed/bytes.txt"), file("a.txt"));
    wiz::savefile(qembed_findData("embed/bytes.txt"), file("b.txt"), QStringList { "one", "two" });
    QCOMPARE(wiztest::readAll(file("a.txt")), stored);
    QCOMPARE(wiztest::readAll(file("b.txt")), QByteArray("\xef\xbb\xbfline two\r\n\xa9 2026\r\n"));
    // Nor is one that ends inside a UTF-8 sequence.
    const QByteArray cut("\xef\xbb\xbf"
                         "A\xf2");
    QCOMPARE(wiz::encoded(wiz::text(cut)), cut);
}

void tst_wiz_util::encodingFollowsTheTemplate_data()
{
    QTest::addColumn<QByteArray>("templateName");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("expected");

    // utf8.txt: byte-order mark, <Name>%%NAME%%</Name> and a UTF-8 copyright sign.
    QTest::newRow("UTF-8, a umlaut")
        << QByteArray("embed/utf8.txt") << QString::fromUtf8("Zähler")
        << QByteArray("\xef\xbb\xbf<Name>Z\xc3\xa4hler</Name> \xc2\xa9\r\n");
    QTest::newRow("UTF-8, euro sign")
        << QByteArray("embed/utf8.txt") << QString::fromUtf8("5 €")
        << QByteArray("\xef\xbb\xbf<Name>5 \xe2\x82\xac</Name> \xc2\xa9\r\n");
    QTest::newRow("UTF-8, outside Windows-1252")
        << QByteArray("embed/utf8.txt") << QString::fromUtf8("計𝄞")
        << QByteArray("\xef\xbb\xbf<Name>\xe8\xa8\x88\xf0\x9d\x84\x9e</Name> \xc2\xa9\r\n");
    // cp1252.txt: "%%NAME%%", a copyright sign, a euro sign and the undefined 0x81.
    QTest::newRow("8-bit, a umlaut")
        << QByteArray("embed/cp1252.txt") << QString::fromUtf8("Zähler")
        << QByteArray("\"Z\xe4hler\" \xa9\x80\x81\r\n");
    QTest::newRow("8-bit, euro sign") << QByteArray("embed/cp1252.txt") << QString::fromUtf8("5 €")
                                      << QByteArray("\"5 \x80\" \xa9\x80\x81\r\n");
    QTest::newRow("8-bit, outside Windows-1252, one ? a character")
        << QByteArray("embed/cp1252.txt") << QString::fromUtf8("計𝄞\u0080")
        << QByteArray("\"???\" \xa9\x80\x81\r\n");
}

void tst_wiz_util::encodingFollowsTheTemplate()
{
    QFETCH(QByteArray, templateName);
    QFETCH(QString, name);
    QFETCH(QByteArray, expected);
    wiz::savefile(qembed_findData(templateName.constData()), file("list.txt"),
        QStringList { "%%NAME%%", name });
    wiz::savefile(qembed_findData(templateName.constData()), file("name.txt"), name);
    QCOMPARE(wiztest::readAll(file("list.txt")), expected);
    QCOMPARE(wiztest::readAll(file("name.txt")), expected);
}

void tst_wiz_util::textEndsAtNul()
{
    wiz::savefile(qembed_findData("embed/nul.bin"), file("t.txt"), QStringList());
    QCOMPARE(wiztest::readAll(file("t.txt")), QByteArray("ab"));
    wiz::savefile(qembed_findData("no such template"), file("missing.txt"), QStringLiteral("x"));
    QVERIFY(QFile::exists(file("missing.txt")));
    QCOMPARE(QFileInfo(file("missing.txt")).size(), 0);
}

void tst_wiz_util::binaryKeepsEveryByte()
{
    QByteArray all;
    for (int i = 0; i < 256; ++i)
        all += char(i);
    wiz::savefilebinary(all, file("all.bin"));
    QCOMPARE(wiztest::readAll(file("all.bin")), all);
    wiz::savefilebinary(qembed_findData("embed/nul.bin"), file("nul.bin"));
    QCOMPARE(wiztest::readAll(file("nul.bin")), QByteArray("ab\0cd\xff\x80", 7));
}

void tst_wiz_util::oddListWarnsAndWritesNothing_data()
{
    QTest::addColumn<QStringList>("pairs");
    QTest::newRow("one entry") << QStringList { "a" };
    QTest::newRow("three entries") << QStringList { "a", "b", "c" };
}

void tst_wiz_util::oddListWarnsAndWritesNothing()
{
    QFETCH(QStringList, pairs);
    const QString target = file("docs/out.txt");
    QString caption, text;
    QObject context;
    wiztest::answerNextModal<QMessageBox>(&context, [&](QMessageBox *box) {
        caption = box->windowTitle();
        text = box->text();
        QCOMPARE(box->icon(), QMessageBox::Warning);
        QCOMPARE(box->parentWidget(), nullptr);
        QCOMPARE(box->buttons().size(), 1);
        box->buttons().first()->click();
    });
    wiz::savefile(QStringLiteral("text"), target, pairs);
    QCOMPARE(caption, target);
    QCOMPARE(text,
        "Replace lists must exist in pairs of TAG VALUE TAG VALUE\nCan't do replace function on "
            + target);
    QVERIFY(!QFile::exists(target));
#ifdef WIZ_UTIL_NO_PARENT_DIR
    QVERIFY(!QFileInfo::exists(file("docs")));
#else
    QVERIFY(QFileInfo(file("docs")).isDir());
#endif
}

void tst_wiz_util::existingLongerFileIsTruncated()
{
    wiztest::writeAll(file("out.txt"), QByteArray(1000, 'x'));
    wiz::savefile(QStringLiteral("short"), file("out.txt"));
    QCOMPARE(wiztest::readAll(file("out.txt")), QByteArray("short"));
    wiztest::writeAll(file("out.bin"), QByteArray(1000, 'x'));
    wiz::savefilebinary("ab", file("out.bin"));
    QCOMPARE(wiztest::readAll(file("out.bin")), QByteArray("ab"));
}

void tst_wiz_util::parentDirectory()
{
    // One missing level is made (in the full variant); two are never made.
#ifdef WIZ_UTIL_NO_PARENT_DIR
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^cannot write .*/one/a.txt: "));
#endif
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^cannot write .*/two/levels/b.txt: "));
    wiz::savefile(QStringLiteral("a"), file("one/a.txt"), QStringList { "x", "y" });
    wiz::savefilebinary("b", file("two/levels/b.txt"));
#ifdef WIZ_UTIL_NO_PARENT_DIR
    QVERIFY(!QFileInfo::exists(file("one")));
#else
    QCOMPARE(wiztest::readAll(file("one/a.txt")), QByteArray("a"));
#endif
    QVERIFY(!QFileInfo::exists(file("two")));
}

void tst_wiz_util::unwritableTargets_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("directory in the file's place") << "directory";
    QTest::newRow("name too long") << "long";
    QTest::newRow("full device") << "full";
    QTest::newRow("read-only file") << "readonly file";
    QTest::newRow("read-only directory") << "readonly dir";
}

void tst_wiz_util::unwritableTargets()
{
    QFETCH(QString, kind);
    QString target;
    if (kind == "directory") {
        target = file("taken");
        QVERIFY(QDir(m_dir->path()).mkdir("taken"));
    } else if (kind == "long") {
        target = file(QString(300, 'n') + ".txt");
    } else if (kind == "full") {
        if (!QFileInfo::exists("/dev/full"))
            QSKIP("this platform has no full device");
        target = QStringLiteral("/dev/full");
    } else {
        if (geteuid() == 0)
            QSKIP("permissions do not stop the super-user");
        const bool fileCase = kind == "readonly file";
        target = fileCase ? file("ro.txt") : file("ro/x.txt");
        if (fileCase)
            wiztest::writeAll(target, "old");
        else
            QVERIFY(QDir(m_dir->path()).mkdir("ro"));
        QFile::setPermissions(fileCase ? target : file("ro"), QFile::ReadOwner | QFile::ExeOwner);
    }
    // One warning line per failed file, naming it, and the caller goes on.
    const QString pattern = "^cannot write " + QRegularExpression::escape(target) + ": .+";
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(pattern));
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(pattern));
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(pattern));
    wiz::savefile(QStringLiteral("text"), target, QStringLiteral("n"));
    wiz::savefile(QStringLiteral("text"), target, QStringList { "a", "b" });
    wiz::savefilebinary("bytes", target);
    if (kind == "readonly file")
        QCOMPARE(wiztest::readAll(target), QByteArray("old"));
}

void tst_wiz_util::failureLeavesOtherFilesAlone()
{
    wiztest::writeAll(file("neighbour.txt"), "untouched\r\n");
    QVERIFY(QDir(m_dir->path()).mkdir("taken"));
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^cannot write .*/taken: "));
    wiz::savefile(QStringLiteral("x"), file("taken"), QStringList());
    wiz::savefile(QStringLiteral("written"), file("next.txt"), QStringList());
    QCOMPARE(wiztest::readAll(file("neighbour.txt")), QByteArray("untouched\r\n"));
    QCOMPARE(wiztest::readAll(file("next.txt")), QByteArray("written"));
    QCOMPARE(wiztest::tree(m_dir->path()), (QStringList { "neighbour.txt", "next.txt" }));
}

void tst_wiz_util::environmentValues()
{
    qputenv("WIZ_T_SET", "me");
    qputenv("WIZ_T_EMPTY", "");
    qunsetenv("WIZ_T_UNSET");
    QCOMPARE(wiz::environment("WIZ_T_SET", "nobody"), QStringLiteral("me"));
    QCOMPARE(wiz::environment("WIZ_T_EMPTY", "nobody"), QString());
    QCOMPARE(wiz::environment("WIZ_T_UNSET", "nobody"), QStringLiteral("nobody"));
}

WIZ_TEST_MAIN(tst_wiz_util)
#include "tst_wiz_util.moc"
