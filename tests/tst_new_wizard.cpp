#include "files.h"
#include "loadedplugin.h"
#include "projectrun.h"
#include "templatecheck.h"
#include "testmain.h"

#include <QImage>
#include <QRegularExpression>

#include <vector>

namespace {

const QString templateDir = QStringLiteral(WIZ_SOURCE_DIR "/plugins/plugin/template/");

QByteArray templateBytes(const QString &name)
{
    return wiztest::readAll(templateDir + name);
}

// What the template writes for a project of this name.
QStringList outputNames(const QString &name)
{
    return { name + ".cpp", name + ".h", "icon.xpm", name + ".dsp", name + ".dsw", "wiz_util.h",
        "wiz_util.cpp", "_readme.txt", "test.cpp" };
}

// Builds the picture an XPM text describes, from its quoted strings, the way
// a compiler would see the array.
QImage imageFromXpmSource(const QByteArray &source)
{
    std::vector<QByteArray> strings;
    const QRegularExpression quoted(QStringLiteral("\"([^\"]*)\""));
    for (const auto &match : quoted.globalMatch(QString::fromLatin1(source)))
        strings.push_back(match.captured(1).toLatin1());
    std::vector<const char *> lines;
    for (const QByteArray &line : strings)
        lines.push_back(line.constData());
    lines.push_back(nullptr);
    return QImage(lines.data());
}

} // namespace

class tst_new_wizard : public QObject
{
    Q_OBJECT

private slots:
    void identity();
    void templates_data();
    void templates();
    void generatedSourceNamesTheProject();
    void iconIsThePluginIcon();
    void rerunOverwritesOnlyItsOwnFiles();
    void missingProjectDirectoryGetsNothing();
};

void tst_new_wizard::identity()
{
    wiztest::LoadedPlugin plugin("plugin");
    WIZ_VERIFY_LOADED(plugin);
    QCOMPARE(plugin->description(), QStringLiteral("Create New Wizard"));
    QCOMPARE(plugin->files(), QStringList());
}

void tst_new_wizard::templates_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("minTags");
    QTest::addColumn<int>("maxTags");

    QTest::newRow("class source is named") << "dist_main.cpp" << 1 << 1000;
    QTest::newRow("class header is named") << "dist_main.h" << 1 << 1000;
    QTest::newRow("project is named") << "template.dsp" << 1 << 1000;
    QTest::newRow("workspace is named") << "template.dsw" << 1 << 1000;
    QTest::newRow("support source keeps its two tags") << "wiz_util.cpp" << 2 << 2;
    QTest::newRow("support header has no tag") << "wiz_util.h" << 0 << 0;
    QTest::newRow("icon has no tag") << "icon.xpm" << 0 << 0;
}

void tst_new_wizard::templates()
{
    QFETCH(QString, file);
    QFETCH(int, minTags);
    QFETCH(int, maxTags);

    const QByteArray bytes = templateBytes(file);
    QCOMPARE(wiztest::crLfAsciiProblem(bytes), QString());
    const qsizetype tags = bytes.count("%%NAME%%");
    QVERIFY2(tags >= minTags && tags <= maxTags, qPrintable(QString::number(tags)));
}

void tst_new_wizard::generatedSourceNamesTheProject()
{
    wiztest::ProjectRun run("plugin", "Foo");
    WIZ_VERIFY_LOADED(run.plugin);
    run.go();
    const QString project = run.project();

    const QByteArray header = wiztest::readAll(project + "Foo.h");
    QVERIFY(header.startsWith("#include \"zelk_wizard_plugin.h\"\r\n"));
    QVERIFY(header.contains("class Foo : public zelk_wizard_plugin\r\n"));

    const QByteArray source = wiztest::readAll(project + "Foo.cpp");
    QVERIFY(source.startsWith("#include \"Foo.h\"\r\n"));
    QVERIFY(source.contains("return \"Create New Foo Wizard\";"));
    QVERIFY(source.contains("void Foo::go(const class QString & path,"));
    QVERIFY(source.endsWith("\r\nZELK_WIZARD_PLUGIN( Foo )\r\n"));
    QVERIFY2(source.contains("%%PLACEHOLDER1%%"), "the example replace list must survive");

    const QByteArray dsp = wiztest::readAll(project + "Foo.dsp");
    QVERIFY(dsp.contains("/out:\"..\\..\\windows\\bin\\wiz\\plugins\\Foo.dll\""));
    QVERIFY(dsp.contains("CFG=Foo - Win32 Debug\r\n"));
    QVERIFY(dsp.contains("USERDEP__EMBED=\"Foo.cpp\"\t\r\n"));

    QVERIFY(wiztest::readAll(project + "Foo.dsw")
                .contains("Project: \"Foo\"=.\\Foo.dsp - Package Owner=<4>\r\n"));

    // The generated support class does its own name replacement.
    QCOMPARE(wiztest::readAll(project + "wiz_util.cpp").count("%%NAME%%"), 2);
}

void tst_new_wizard::iconIsThePluginIcon()
{
    wiztest::ProjectRun run("plugin", "Foo");
    WIZ_VERIFY_LOADED(run.plugin);
    run.go();

    const QByteArray source = wiztest::readAll(run.project() + "icon.xpm");
    QVERIFY(source.startsWith("/* XPM */\r\nstatic const char *plugin_pixmap[] = {\r\n"));
    // Readers that tell the format by content find it only by that first line.
    QCOMPARE(QImage::fromData(source).size(), QSize(22, 18));
    QVERIFY(source.endsWith("\r\n};\r\n"));

    const QImage written = imageFromXpmSource(source);
    QCOMPARE(written.size(), QSize(22, 18));
    const QImage shown = run.plugin->icon().toImage();
    QCOMPARE(written.convertToFormat(QImage::Format_ARGB32),
        shown.convertToFormat(QImage::Format_ARGB32));
}

void tst_new_wizard::rerunOverwritesOnlyItsOwnFiles()
{
    wiztest::ProjectRun run("plugin", "Foo");
    WIZ_VERIFY_LOADED(run.plugin);
    QCOMPARE(
        wiztest::rerunDifference(run.project(), wiztest::expectedTree("plugin"), [&] { run.go(); }),
        QString());
}

// This plug-in never makes directories: without the project directory each of
// the nine files fails on its own, visibly, and nothing appears on disk.
void tst_new_wizard::missingProjectDirectoryGetsNothing()
{
    wiztest::ProjectRun run("plugin", "Absent", false);
    WIZ_VERIFY_LOADED(run.plugin);
    const QStringList files = outputNames("Absent");
    QCOMPARE(
        wiztest::writeWithoutProjectDirectory(run.location(), "Absent", files, [&] { run.go(); }),
        QStringList());
}

WIZ_TEST_MAIN(tst_new_wizard)
#include "tst_new_wizard.moc"
