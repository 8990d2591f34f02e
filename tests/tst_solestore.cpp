#include "files.h"
#include "loadedplugin.h"
#include "projectrun.h"
#include "templatecheck.h"
#include "testmain.h"

namespace {

const QString templateDir = QStringLiteral(WIZ_SOURCE_DIR "/plugins/soleStore/template/");

// What the template writes for a project of this name.
QStringList outputNames(const QString &name)
{
    return { "main.cpp", name + ".cpp", name + ".h", name + ".dsp", name + ".dsw" };
}

} // namespace

class tst_solestore : public QObject
{
    Q_OBJECT

private slots:
    void identity();
    void templates_data();
    void templates();
    void caseRules_data();
    void caseRules();
    void rerunOverwritesOnlyItsOwnFiles();
    void missingProjectDirectoryGetsNothing();
};

void tst_solestore::identity()
{
    wiztest::LoadedPlugin plugin("soleStore");
    WIZ_VERIFY_LOADED(plugin);
    QCOMPARE(plugin->description(), QStringLiteral("Create New Singleton ConfigClass Wizard"));
    QCOMPARE(plugin->files(), QStringList());
    QCOMPARE(plugin->icon().size(), QSize(22, 18));
}

void tst_solestore::templates_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<bool>("hasMacroToken");

    QTest::newRow("library entry") << "main.cpp" << false;
    QTest::newRow("class source") << "qvmConfig.cpp" << false;
    QTest::newRow("class header") << "qvmConfig.h" << true;
    QTest::newRow("project") << "qvmConfig.dsp" << true;
    QTest::newRow("workspace") << "qvmConfig.dsw" << false;
}

// A capitalised token in a template would be rewritten by the second pair in a
// way no template author expects.
void tst_solestore::templates()
{
    QFETCH(QString, file);
    QFETCH(bool, hasMacroToken);

    const QByteArray bytes = wiztest::readAll(templateDir + file);
    QCOMPARE(wiztest::crLfAsciiProblem(bytes), QString());
    QVERIFY(bytes.contains("qvmConfig"));
    QVERIFY(!bytes.contains("QvmConfig"));
    QCOMPARE(bytes.contains("QVMCONFIG"), hasMacroToken);
}

void tst_solestore::caseRules_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("cls");
    QTest::addColumn<QByteArray>("macro");

    QTest::newRow("mixed case kept, macros upper-cased")
        << "MyCfg" << QByteArray("MyCfg") << QByteArray("MYCFG");
    QTest::newRow("lower case kept") << "cfg" << QByteArray("cfg") << QByteArray("CFG");
    QTest::newRow("latin-1 letter")
        << QStringLiteral("z\u00e4hler") << QByteArray("z\xe4hler") << QByteArray("Z\xc4HLER");
    // The pairs act one after another, so the third one rewrites the
    // token inside the name that the first one put in.
    QTest::newRow("macro token in the name changed again")
        << "MyQVMCONFIG" << QByteArray("MyMYQVMCONFIG") << QByteArray("MYQVMCONFIG");
    QTest::newRow("capitalised token in the name changed again")
        << "QvmConfigX" << QByteArray("QvmConfigXX") << QByteArray("QVMCONFIGX");
}

void tst_solestore::caseRules()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, cls);
    QFETCH(QByteArray, macro);

    wiztest::ProjectRun run("soleStore", name);
    WIZ_VERIFY_LOADED(run.plugin);
    run.go();
    const QString project = run.project();

    const QByteArray header = wiztest::readAll(project + name + ".h");
    QVERIFY(header.contains(
        "#define AFX_" + macro + "1_H__D0DE1248_4051_4F19_BEF8_FE4E0593E4EB__INCLUDED_\r\n"));
    QVERIFY(header.contains("#ifdef DO_" + macro + "_EXPORT\r\n"));
    QVERIFY(header.contains("#define " + macro + "_EXPORT __declspec(dllexport)\r\n"));
    QVERIFY(header.contains("class " + macro + "_EXPORT " + cls + "\r\n"));
    QVERIFY(header.contains("static " + cls + " *g_" + cls + "Obj;"));

    QVERIFY(wiztest::readAll(project + name + ".cpp")
                .contains(cls + " *" + cls + "::g_" + cls + "Obj;"));
    QVERIFY(wiztest::readAll(project + "main.cpp").contains(" = new " + cls + ";"));

    const QByteArray dsp = wiztest::readAll(project + name + ".dsp");
    QVERIFY(dsp.contains(
        "\\windows\\lib\\" + cls + ".dll\" /implib:\"..\\..\\..\\lib\\" + cls + ".lib\""));
    QVERIFY(dsp.contains(
        "\\windows\\lib\\" + cls + "db.dll\" /implib:\"..\\..\\..\\lib\\" + cls + "db.lib\""));
    QVERIFY(dsp.contains("/D \"DO_" + macro + "_EXPORT\""));
    QVERIFY(dsp.contains("/D \"" + macro + "_EXPORTS\""));
    QVERIFY(dsp.contains("PostBuild_Cmds=xcopy " + cls + ".h $(QV_ROOT)"));

    QVERIFY(wiztest::readAll(project + name + ".dsw")
                .contains("Project: \"" + cls + "\"=.\\" + cls + ".dsp - Package Owner=<4>\r\n"));
}

void tst_solestore::rerunOverwritesOnlyItsOwnFiles()
{
    wiztest::ProjectRun run("soleStore", "MyCfg");
    WIZ_VERIFY_LOADED(run.plugin);
    QCOMPARE(wiztest::rerunDifference(
                 run.project(), wiztest::expectedTree("soleStore"), [&] { run.go(); }),
        QString());
}

// This plug-in never makes directories: without the project directory each of
// the five files fails on its own, visibly, and nothing appears on disk.
void tst_solestore::missingProjectDirectoryGetsNothing()
{
    wiztest::ProjectRun run("soleStore", "Absent", false);
    WIZ_VERIFY_LOADED(run.plugin);
    const QStringList files = outputNames("Absent");
    QCOMPARE(
        wiztest::writeWithoutProjectDirectory(run.location(), "Absent", files, [&] { run.go(); }),
        QStringList());
}

WIZ_TEST_MAIN(tst_solestore)
#include "tst_solestore.moc"
