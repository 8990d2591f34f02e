#include "templatecheck.h"

#include <QRegularExpression>
#include <QXmlStreamReader>

namespace {

const QString templateGuid = QStringLiteral("200E511A-08BA-4794-815C-212755C6298A");

// Template file and output file of each step, in the order the project is written.
QList<QPair<QString, QString>> outputs(const QString &name)
{
    return {
        { "p1.zelk_ui", "p1.zelk_ui" },
        { "resource.h", "resource.h" },
        { "panelWatch.cpp", name + ".cpp" },
        { "panelWatch.dsp", name + ".dsp" },
        { "panelWatch.dsw", name + ".dsw" },
        { "panelWatch.h", name + ".h" },
        { "panelWatch.rc", name + ".rc" },
        { "panelWatch.sln", name + ".sln" },
        { "panelWatch.vcxproj", name + ".vcxproj" },
        { "panelWatch.vcxproj.filters", name + ".vcxproj.filters" },
    };
}

QByteArray templateBytes(const QString &file)
{
    return wiztest::readAll(
        QStringLiteral(WIZ_SOURCE_DIR "/plugins/panelWatch/panelWatch/") + file);
}

// The project GUID as the solution's Project line carries it, or an empty text.
QString slnGuid(const QString &dir, const QString &name)
{
    const QRegularExpression line(QStringLiteral(
        R"(Project\("\{8BC9CEB8-8B4A-11D0-8D11-00A0C91BC942\}"\) = "[^"]*", "[^"]*\.vcxproj", "\{([^}]*)\}")"));
    return line.match(QString::fromLatin1(wiztest::readAll(dir + "/" + name + ".sln"))).captured(1);
}

QStringList outputNames(const QString &name)
{
    QStringList names;
    for (const auto &step : outputs(name))
        names << step.second;
    return names;
}

// The templates with each token given its own value and everything else kept
// byte for byte; the GUID is the one the solution written into dir carries.
wiztest::ExpectedFiles expectedProject(const QString &dir, const QString &name)
{
    const QString guid = slnGuid(dir, name);
    wiztest::ExpectedFiles files;
    for (const auto &step : outputs(name)) {
        QByteArray expected = templateBytes(step.first);
        // The solution and project files are UTF-8 after their byte-order
        // mark; the names used here are all in Latin-1.
        const QByteArray bom
            = expected.startsWith("\xef\xbb\xbf") ? expected.left(3) : QByteArray();
        if (step.first != "p1.zelk_ui" && step.first != "resource.h") {
            const QByteArray body = expected.mid(bom.size());
            const QString text
                = (bom.isEmpty() ? QString::fromLatin1(body) : QString::fromUtf8(body))
                      .replace("panelWatch", name)
                      .replace("PANELWATCH", name.toUpper())
                      .replace(templateGuid, guid);
            expected = bom + (bom.isEmpty() ? text.toLatin1() : text.toUtf8());
        }
        files << qMakePair(step.second, expected);
    }
    return files;
}

bool isGuid(const QString &text)
{
    static const QRegularExpression guid(
        "^[0-9a-f]{8}-[0-9a-f]{4}-[0-9a-f]{4}-[0-9a-f]{4}-[0-9a-f]{12}$");
    return guid.match(text).hasMatch();
}

// Compares the project in dir with the templates; returns the first difference found.
QString differences(const QString &dir, const QString &name)
{
    const QString guid = slnGuid(dir, name);
    if (!isGuid(guid))
        return "project GUID: " + guid;
    return wiztest::firstDifference(dir, expectedProject(dir, name));
}

} // namespace

class tst_panelwatch : public QObject
{
    Q_OBJECT

private slots:
    void contract();
    void writesTheProject_data();
    void writesTheProject();
    void projectGuid();
    void keepsTemplateBytes_data();
    void keepsTemplateBytes();
    void rerunOverwritesOnlyItsOwnFiles();
    void missingProjectDirectory();
};

void tst_panelwatch::contract()
{
    wiztest::LoadedPlugin plugin("panelWatch");
    QVERIFY2(plugin.get(), qPrintable(plugin.errorString()));
    QCOMPARE(plugin->description(), "Create C++ Scripted UI/Panel - Automatic (with Infodriver)");
    QCOMPARE(plugin->icon().size(), QSize(22, 18));

    QTemporaryDir tmp;
    QVERIFY(QDir(tmp.path()).mkdir("Foo"));
    plugin->go(tmp.path(), "Foo", { QString() });
    QCOMPARE(plugin->files(), QStringList());
}

void tst_panelwatch::writesTheProject_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QStringList>("params");

    const QStringList fromDialog { QString() };
    QTest::newRow("plain name") << "Foo" << fromDialog;
    QTest::newRow("mixed case kept") << "fooBAR" << fromDialog;
    QTest::newRow("space and leading digit") << "1st panel" << fromDialog;
    QTest::newRow("latin-1 letter") << QString::fromUtf8("Z\u00e4hler") << fromDialog;
    QTest::newRow("name holds the name token") << "panelWatchView" << fromDialog;
    // Pairs act on what earlier pairs inserted, so the upper-case pair reaches into the name.
    QTest::newRow("name holds the upper-case token") << "myPANELWATCH" << fromDialog;
    QTest::newRow("empty params") << "Foo" << QStringList();
    QTest::newRow("params of an unattended run")
        << "Foo" << QStringList { "/usr/bin/wiz", "/panel=main", "/title=Meter", "/PANELWATCH=x" };
}

void tst_panelwatch::writesTheProject()
{
    QFETCH(QString, name);
    QFETCH(QStringList, params);

    wiztest::ProjectRun run("panelWatch", name);
    QVERIFY2(run.plugin.get(), qPrintable(run.plugin.errorString()));
    run.go(params);
    QCOMPARE(differences(run.project(), name), QString());
}

void tst_panelwatch::projectGuid()
{
    QTemporaryDir tmp;
    QStringList guids;
    for (const QString name : { "One", "Two" }) {
        QVERIFY(QDir(tmp.path()).mkdir(name));
        wiztest::LoadedPlugin plugin("panelWatch");
        QVERIFY2(plugin.get(), qPrintable(plugin.errorString()));
        plugin->go(tmp.path(), name, { QString() });

        const QString dir = tmp.path() + "/" + name + "/" + name;
        const QString guid = slnGuid(tmp.path() + "/" + name, name);
        QVERIFY2(!guid.isEmpty(), "no Project line");
        const QByteArray braced = "{" + guid.toLatin1() + "}";
        // the Project line and the four configuration lines
        QCOMPARE(wiztest::readAll(dir + ".sln").count(braced), 5);
        QVERIFY(wiztest::readAll(dir + ".vcxproj")
                    .contains("<ProjectGuid>" + braced + "</ProjectGuid>"));
        guids << guid;
    }
    QVERIFY(guids[0] != guids[1]);
}

void tst_panelwatch::keepsTemplateBytes_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<bool>("byteOrderMark");
    QTest::addColumn<bool>("finalLineBreak");
    QTest::addColumn<QByteArray>("bytesAbove127");
    QTest::addColumn<bool>("xml");

    QTest::newRow("panel") << "p1.zelk_ui" << false << true << QByteArray() << true;
    QTest::newRow("resource header") << "resource.h" << false << true << QByteArray() << false;
    QTest::newRow("component source") << "Foo.cpp" << false << false << QByteArray() << false;
    QTest::newRow("component header") << "Foo.h" << false << false << QByteArray() << false;
    QTest::newRow("dsp") << "Foo.dsp" << false << true << QByteArray() << false;
    QTest::newRow("dsw") << "Foo.dsw" << false << true << QByteArray() << false;
    QTest::newRow("resource script in code page 1252")
        << "Foo.rc" << false << true << QByteArray("\xa9") << false;
    QTest::newRow("solution") << "Foo.sln" << true << true << QByteArray() << false;
    QTest::newRow("project") << "Foo.vcxproj" << true << false << QByteArray() << true;
    QTest::newRow("filters") << "Foo.vcxproj.filters" << true << false << QByteArray() << true;
}

void tst_panelwatch::keepsTemplateBytes()
{
    QFETCH(QString, file);
    QFETCH(bool, byteOrderMark);
    QFETCH(bool, finalLineBreak);
    QFETCH(QByteArray, bytesAbove127);
    QFETCH(bool, xml);

    wiztest::ProjectRun run("panelWatch", "Foo");
    QVERIFY2(run.plugin.get(), qPrintable(run.plugin.errorString()));
    run.go();
    QByteArray bytes = wiztest::readAll(run.project() + file);
    QVERIFY(!bytes.isEmpty());

    QCOMPARE(bytes.startsWith("\xef\xbb\xbf"), byteOrderMark);
    if (byteOrderMark)
        bytes.remove(0, 3);
    QCOMPARE(bytes.endsWith("\r\n"), finalLineBreak);
    QCOMPARE(wiztest::lineEndProblem(bytes), QString());
    QByteArray high;
    for (char c : std::as_const(bytes))
        if (uchar(c) > 127)
            high += c;
    QCOMPARE(high, bytesAbove127);

    if (xml) {
        QXmlStreamReader reader(bytes);
        while (!reader.atEnd())
            reader.readNext();
        QVERIFY2(!reader.hasError(), qPrintable(reader.errorString()));
    }
}

// Each run with the plug-in loaded afresh, as the host loads it for every project.
void tst_panelwatch::rerunOverwritesOnlyItsOwnFiles()
{
    QTemporaryDir tmp;
    QVERIFY(QDir(tmp.path()).mkdir("Foo"));
    const QString dir = tmp.path() + "/Foo";
    const auto write = [&] {
        wiztest::LoadedPlugin plugin("panelWatch");
        QVERIFY2(plugin.get(), qPrintable(plugin.errorString()));
        plugin->go(tmp.path(), "Foo", { QString() });
    };
    QCOMPARE(wiztest::rerunDifference(
                 dir, outputNames("Foo"), write, [&] { return expectedProject(dir, "Foo"); }),
        QString());
    QVERIFY(isGuid(slnGuid(dir, "Foo")));
}

void tst_panelwatch::missingProjectDirectory()
{
    wiztest::ProjectRun run("panelWatch", "Absent", false);
    QVERIFY2(run.plugin.get(), qPrintable(run.plugin.errorString()));
    QCOMPARE(wiztest::writeWithoutProjectDirectory(
                 run.location(), "Absent", outputNames("Absent"), [&] { run.go(); }),
        QStringList());
}

WIZ_TEST_MAIN(tst_panelwatch)
#include "tst_panelwatch.moc"
