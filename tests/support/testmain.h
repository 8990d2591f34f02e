#ifndef TESTMAIN_H
#define TESTMAIN_H

#include <QApplication>
#include <QTemporaryDir>
#include <QTest>

namespace wiztest {

// The environment every test of this project runs in, for as long as it
// lives: the offscreen platform unless another one was asked for, and
// settings, data, cache and runtime folders of its own that are removed
// afterwards, so that a test never reads or writes the user's settings nor
// lists the user's own templates.
class TestEnvironment
{
public:
    TestEnvironment();
    TestEnvironment(const TestEnvironment &) = delete;
    TestEnvironment &operator=(const TestEnvironment &) = delete;

private:
    QTemporaryDir m_home;
};

} // namespace wiztest

// QTEST_MAIN in that environment. The application is made after it, so that
// Qt reads the platform and the folders from it.
#define WIZ_TEST_MAIN(TestObject)                                                                  \
    int main(int argc, char *argv[])                                                               \
    {                                                                                              \
        wiztest::TestEnvironment environment;                                                      \
        QApplication app(argc, argv);                                                              \
        TestObject tc;                                                                             \
        QTEST_SET_MAIN_SOURCE_PATH                                                                 \
        return QTest::qExec(&tc, argc, argv);                                                      \
    }

#endif
