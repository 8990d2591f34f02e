// The C library template folder of examples/: its project, made for names
// that need each of the name filters, configures, builds and passes its own
// test with CMake and CTest.
#include "wiztest.h"

#include <QProcess>

class tst_c_library_example : public QObject
{
    Q_OBJECT

private slots:
    void buildsAndPasses_data();
    void buildsAndPasses();
};

namespace {

// Runs program and fails the test unless it exits 0 within seconds.
bool run(const QString &program, const QStringList &arguments, int seconds,
    const QString &directory = QString())
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.setWorkingDirectory(directory);
    process.start(program, arguments);
    const bool finished = process.waitForFinished(seconds * 1000);
    if (!finished)
        process.kill();
    const QByteArray output = process.readAll();
    if (finished && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0)
        return true;
    qWarning(
        "%s %s:\n%s", qPrintable(program), qPrintable(arguments.join(u' ')), output.constData());
    return false;
}

} // namespace

void tst_c_library_example::buildsAndPasses_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("header");
    QTest::newRow("identifier") << "meter"
                                << "include/meter.h";
    QTest::newRow("hyphen") << "my-lib"
                            << "include/my_lib.h";
    QTest::newRow("non-ASCII") << "café"
                               << "include/caf_.h";
}

void tst_c_library_example::buildsAndPasses()
{
    QFETCH(QString, name);
    QFETCH(QString, header);
    QTemporaryDir location;
    const QString project = location.filePath(name);
    QVERIFY(run(QStringLiteral(WIZ_BUILD_DIR "/wiz"),
        { "--batch", "--template", QStringLiteral(WIZ_SOURCE_DIR "/examples/c-library"),
            "/path=" + location.path(), "/project=" + name },
        30));
    QVERIFY(QFile::exists(project + u'/' + header));
    QVERIFY(QFile::exists(project + QLatin1String("/LICENSE")));
    QVERIFY(run(QStringLiteral("cmake"), { "-S", project, "-B", project + "/build" }, 60));
    QVERIFY(run(QStringLiteral("cmake"), { "--build", project + "/build" }, 60));
    QVERIFY(run(QStringLiteral("ctest"), { "--output-on-failure", "--no-tests=error" }, 30,
        project + "/build"));
}

WIZ_TEST_MAIN(tst_c_library_example)
#include "tst_c_library_example.moc"
