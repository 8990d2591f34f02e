#include "files.h"
#include "loadedplugin.h"
#include "projectrun.h"
#include "templatecheck.h"
#include "testmain.h"

#include <QRegularExpression>
#include <QXmlStreamReader>

namespace {

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

// The checked-in project Foo, with the GUID the solution written into dir carries.
wiztest::ExpectedFiles expectedProject(const QString &dir)
{
    return wiztest::expectedTree(QStringLiteral("panelWatch"), slnGuid(dir, QStringLiteral("Foo")));
}

bool isGuid(const QString &text)
{
    static const QRegularExpression guid(
        "^[0-9a-f]{8}-[0-9a-f]{4}-[0-9a-f]{4}-[0-9a-f]{4}-[0-9a-f]{12}$");
    return guid.match(text).hasMatch();
}

} // namespace

class tst_panelwatch : public QObject
{
    Q_OBJECT

private slots:
    void contract();
    void projectGuid();
    void keepsTemplateBytes_data();
    void keepsTemplateBytes();
    void rerunOverwritesOnlyItsOwnFiles();
    void missingProjectDirectory();
};

void tst_panelwatch::contract()
{
    wiztest::LoadedPlugin plugin("panelWatch");
    WIZ_VERIFY_LOADED(plugin);
    QCOMPARE(plugin->description(), "Create C++ Scripted UI/Panel - Automatic (with Infodriver)");
    QCOMPARE(plugin->icon().size(), QSize(22, 18));

    QTemporaryDir tmp;
    QVERIFY(QDir(tmp.path()).mkdir("Foo"));
    plugin->go(tmp.path(), "Foo", { QString() });
    QCOMPARE(plugin->files(), QStringList());
}

void tst_panelwatch::projectGuid()
{
    QTemporaryDir tmp;
    QStringList guids;
    for (const QString name : { "One", "Two" }) {
        QVERIFY(QDir(tmp.path()).mkdir(name));
        wiztest::LoadedPlugin plugin("panelWatch");
        WIZ_VERIFY_LOADED(plugin);
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
    WIZ_VERIFY_LOADED(run.plugin);
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
        WIZ_VERIFY_LOADED(plugin);
        plugin->go(tmp.path(), "Foo", { QString() });
    };
    QCOMPARE(wiztest::rerunDifference(
                 dir, outputNames("Foo"), write, [&] { return expectedProject(dir); }),
        QString());
    QVERIFY(isGuid(slnGuid(dir, "Foo")));
}

void tst_panelwatch::missingProjectDirectory()
{
    wiztest::ProjectRun run("panelWatch", "Absent", false);
    WIZ_VERIFY_LOADED(run.plugin);
    QCOMPARE(wiztest::writeWithoutProjectDirectory(
                 run.location(), "Absent", outputNames("Absent"), [&] { run.go(); }),
        QStringList());
}

WIZ_TEST_MAIN(tst_panelwatch)
#include "tst_panelwatch.moc"
