#include "cppname.h"
#include "wiztest.h"

// The check that warns of project names the C++ templates cannot compile.
class tst_cppname : public QObject
{
    Q_OBJECT

private slots:
    void names_data();
    void names();
};

void tst_cppname::names_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("identifier");

    QTest::newRow("letters") << "Meter" << true;
    QTest::newRow("underscore, digits after the first") << "_cfg2_x" << true;
    QTest::newRow("leading digit") << "9lives" << false;
    QTest::newRow("hyphen") << "my-meter" << false;
    QTest::newRow("space") << "my meter" << false;
    QTest::newRow("letter outside ASCII") << QString::fromUtf8("Z\u00e4hler") << false;
    QTest::newRow("not Latin script") << QString::fromUtf8("\u8a08\u5668") << false;
    QTest::newRow("keyword") << "class" << false;
    QTest::newRow("keyword in other case") << "Class" << true;
    QTest::newRow("empty") << "" << false;
}

void tst_cppname::names()
{
    QFETCH(QString, name);
    QFETCH(bool, identifier);
    QCOMPARE(cppName::isIdentifier(name), identifier);
    if (identifier) {
        QCOMPARE(cppName::warning(name), QString());
    } else {
        QCOMPARE(cppName::warning(name),
            "\"" + name
                + "\" is not a C++ identifier, so the templates that name a class after the "
                  "project will not compile with it.");
    }
}

WIZ_TEST_MAIN(tst_cppname)
#include "tst_cppname.moc"
