#include "files.h"
#include "loadedplugin.h"
#include "projectrun.h"
#include "templatecheck.h"
#include "testmain.h"

#include <QImage>

#include <optional>

namespace {

// Sets or clears an environment variable for one scope and puts it back afterwards.
class EnvironmentGuard
{
public:
    EnvironmentGuard(const char *name, const std::optional<QByteArray> &value)
        : m_name(name)
        , m_wasSet(qEnvironmentVariableIsSet(name))
        , m_old(qgetenv(name))
    {
        if (value)
            qputenv(name, *value);
        else
            qunsetenv(name);
    }
    ~EnvironmentGuard()
    {
        if (m_wasSet)
            qputenv(m_name, m_old);
        else
            qunsetenv(m_name);
    }

private:
    const char *m_name;
    bool m_wasSet;
    QByteArray m_old;
};

} // namespace

using OptionalBytes = std::optional<QByteArray>;
Q_DECLARE_METATYPE(OptionalBytes)

class tst_zelk_script_docs_only : public QObject
{
    Q_OBJECT

private slots:
    void writesTheThreeDocuments_data();
    void writesTheThreeDocuments();
    void independentOfEnvironmentAndParams_data();
    void independentOfEnvironmentAndParams();
    void rerunOverwritesOwnFilesOnly();
};

void tst_zelk_script_docs_only::writesTheThreeDocuments_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("Foo") << "Foo";
    QTest::newRow("name keeps its case") << "FooBar";
}

void tst_zelk_script_docs_only::writesTheThreeDocuments()
{
    QFETCH(QString, name);

    wiztest::ProjectRun run("zelk_script_docs_only", name);
    WIZ_VERIFY_LOADED(run.plugin);
    QCOMPARE(
        run.plugin->description(), QStringLiteral("Create C++ Scripted UI / Panel - DOCS ONLY"));
    run.go();
    const QString folder = run.project();
    QCOMPARE(wiztest::tree(folder), QStringList({ name + ".hhp", name + ".html", "example.png" }));

    const QByteArray page = wiztest::readAll(folder + name + ".html");
    QVERIFY(page.startsWith("# " + name.toLatin1() + " Component\r\n"));
    QVERIFY(!page.endsWith('\n'));

    const QByteArray help = wiztest::readAll(folder + name + ".hhp");
    const QByteArray n = name.toLatin1();
    QVERIFY(help.contains("Compiled file=..\\" + n + ".chm\r\n"));
    QVERIFY(help.contains("Default topic=" + n + ".html\r\n"));
    QVERIFY(help.contains("main=\"" + n + "\",,,\"" + n + ".html\",\"" + n + ".html\","));
    QVERIFY(!help.contains("tamber_component"));

    const QByteArray picture = wiztest::readAll(folder + "example.png");
    QCOMPARE(picture.size(), 681);
    QVERIFY(picture.contains('\0'));
    QCOMPARE(QImage::fromData(picture, "PNG").size(), QSize(102, 175));

    QCOMPARE(run.plugin->files(), QStringList());
}

void tst_zelk_script_docs_only::independentOfEnvironmentAndParams_data()
{
    QTest::addColumn<OptionalBytes>("user");
    QTest::addColumn<OptionalBytes>("computer");
    QTest::addColumn<QStringList>("params");

    QTest::newRow("variables unset")
        << OptionalBytes() << OptionalBytes() << QStringList { QString() };
    QTest::newRow("variables set")
        << OptionalBytes("alice") << OptionalBytes("desk") << QStringList { QString() };
    QTest::newRow("variables set but empty")
        << OptionalBytes("") << OptionalBytes("") << QStringList { QString() };
    QTest::newRow("options of another template") << OptionalBytes(
        "alice") << OptionalBytes() << QStringList { "/usr/bin/wiz", "/panel=main", "/title=T" };
    QTest::newRow("no params at all") << OptionalBytes() << OptionalBytes("desk") << QStringList();
}

void tst_zelk_script_docs_only::independentOfEnvironmentAndParams()
{
    QFETCH(OptionalBytes, user);
    QFETCH(OptionalBytes, computer);
    QFETCH(QStringList, params);

    EnvironmentGuard userGuard("USERNAME", user);
    EnvironmentGuard computerGuard("COMPUTERNAME", computer);
    wiztest::ProjectRun run("zelk_script_docs_only", "Foo");
    WIZ_VERIFY_LOADED(run.plugin);
    run.go(params);
    QCOMPARE(
        wiztest::firstDifference(run.project(), wiztest::expectedTree("zelk_script_docs_only")),
        QString());
}

// Each run with the plug-in loaded afresh, as the host loads it for every project.
void tst_zelk_script_docs_only::rerunOverwritesOwnFilesOnly()
{
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("Foo")));
    const auto write = [&] {
        wiztest::LoadedPlugin plugin(QStringLiteral("zelk_script_docs_only"));
        WIZ_VERIFY_LOADED(plugin);
        plugin->go(dir.path(), QStringLiteral("Foo"), { QString() });
    };
    QCOMPARE(wiztest::rerunDifference(
                 dir.path() + "/Foo", wiztest::expectedTree("zelk_script_docs_only"), write),
        QString());
}

WIZ_TEST_MAIN(tst_zelk_script_docs_only)
#include "tst_zelk_script_docs_only.moc"
