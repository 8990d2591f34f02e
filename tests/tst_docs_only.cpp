#include "loadedplugin.h"
#include "wiztest.h"

#include <QImage>

#include <optional>

namespace {

const QString docsDir
    = QStringLiteral(WIZ_SOURCE_DIR "/plugins/zelk_script_wizard/tamber_component/docs/");

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

QByteArray expectedPage(const QString &name)
{
    return wiztest::readAll(docsDir + "tamber_component.md")
        .replace("tamber_component", name.toLatin1());
}

QByteArray expectedHelpProject(const QString &name)
{
    return wiztest::readAll(docsDir + "tamber_component.hhp")
        .replace("tamber_component", name.toLatin1());
}

} // namespace

using OptionalBytes = std::optional<QByteArray>;
Q_DECLARE_METATYPE(OptionalBytes)

class tst_docs_only : public QObject
{
    Q_OBJECT

private slots:
    void writesTheThreeDocuments_data();
    void writesTheThreeDocuments();
    void independentOfEnvironmentAndParams_data();
    void independentOfEnvironmentAndParams();
    void rerunOverwritesOwnFilesOnly();
};

void tst_docs_only::writesTheThreeDocuments_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("Foo") << "Foo";
    QTest::newRow("name keeps its case") << "FooBar";
}

void tst_docs_only::writesTheThreeDocuments()
{
    QFETCH(QString, name);

    QTemporaryDir dir;
    QDir(dir.path()).mkdir(name);
    const QString folder = dir.path() + "/" + name + "/";
    wiztest::LoadedPlugin plugin(QStringLiteral("zelk_script_docs_only"));
    QVERIFY2(plugin.get(), qPrintable(plugin.errorString()));
    QCOMPARE(plugin->description(), QStringLiteral("Create C++ Scripted UI / Panel - DOCS ONLY"));
    plugin->go(dir.path(), name, { QString() });

    QCOMPARE(wiztest::tree(folder), (QStringList { name + ".hhp", name + ".html", "example.png" }));

    const QByteArray page = wiztest::readAll(folder + name + ".html");
    QVERIFY(page.startsWith("# " + name.toLatin1() + " Component\r\n"));
    QCOMPARE(page, expectedPage(name));
    QVERIFY(!page.endsWith('\n'));

    const QByteArray help = wiztest::readAll(folder + name + ".hhp");
    QCOMPARE(help, expectedHelpProject(name));
    const QByteArray n = name.toLatin1();
    QVERIFY(help.contains("Compiled file=..\\" + n + ".chm\r\n"));
    QVERIFY(help.contains("Default topic=" + n + ".html\r\n"));
    QVERIFY(help.contains("main=\"" + n + "\",,,\"" + n + ".html\",\"" + n + ".html\","));
    QVERIFY(!help.contains("tamber_component"));

    const QByteArray picture = wiztest::readAll(folder + "example.png");
    QCOMPARE(picture.size(), 681);
    QCOMPARE(picture, wiztest::readAll(docsDir + "example.png"));
    QVERIFY(picture.contains('\0'));
    QCOMPARE(QImage::fromData(picture, "PNG").size(), QSize(102, 175));

    QCOMPARE(plugin->files(), QStringList());
}

void tst_docs_only::independentOfEnvironmentAndParams_data()
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

void tst_docs_only::independentOfEnvironmentAndParams()
{
    QFETCH(OptionalBytes, user);
    QFETCH(OptionalBytes, computer);
    QFETCH(QStringList, params);

    EnvironmentGuard userGuard("USERNAME", user);
    EnvironmentGuard computerGuard("COMPUTERNAME", computer);
    QTemporaryDir dir;
    QDir(dir.path()).mkdir(QStringLiteral("Foo"));
    const QString folder = dir.path() + QStringLiteral("/Foo/");
    wiztest::LoadedPlugin plugin(QStringLiteral("zelk_script_docs_only"));
    QVERIFY(plugin.get());
    plugin->go(dir.path(), QStringLiteral("Foo"), params);

    QCOMPARE(wiztest::tree(folder), (QStringList { "Foo.hhp", "Foo.html", "example.png" }));
    QCOMPARE(wiztest::readAll(folder + "Foo.html"), expectedPage("Foo"));
    QCOMPARE(wiztest::readAll(folder + "Foo.hhp"), expectedHelpProject("Foo"));
}

void tst_docs_only::rerunOverwritesOwnFilesOnly()
{
    QTemporaryDir dir;
    QDir(dir.path()).mkdir(QStringLiteral("Foo"));
    const QString folder = dir.path() + QStringLiteral("/Foo/");
    const QByteArray foreign("kept as it was\n");
    const QByteArray longer(4096, 'x');
    wiztest::writeAll(folder + "notes.txt", foreign);
    wiztest::writeAll(folder + "Foo.html", longer);
    wiztest::writeAll(folder + "example.png", longer);

    for (int run = 0; run < 2; ++run) {
        wiztest::LoadedPlugin plugin(QStringLiteral("zelk_script_docs_only"));
        QVERIFY(plugin.get());
        plugin->go(dir.path(), QStringLiteral("Foo"), { QString() });

        QCOMPARE(wiztest::tree(folder),
            (QStringList { "Foo.hhp", "Foo.html", "example.png", "notes.txt" }));
        QCOMPARE(wiztest::readAll(folder + "Foo.html"), expectedPage("Foo"));
        QCOMPARE(
            wiztest::readAll(folder + "example.png"), wiztest::readAll(docsDir + "example.png"));
        QCOMPARE(wiztest::readAll(folder + "notes.txt"), foreign);
    }
}

WIZ_TEST_MAIN(tst_docs_only)
#include "tst_docs_only.moc"
