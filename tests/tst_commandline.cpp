#include "commandline.h"
#include "cppname.h"
#include "testmain.h"

// The unattended command line: option scan, environment expansion, names.
class tst_commandLine : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void scan_data();
    void scan();
    void expand_data();
    void expand();
    void overlongNameStopsTheExpansion_data();
    void overlongNameStopsTheExpansion();
    void projectNames_data();
    void projectNames();
    void flags_data();
    void flags();
    void requests_data();
    void requests();
    void titleSuggestions_data();
    void titleSuggestions();
};

void tst_commandLine::initTestCase()
{
    qputenv("WIZ_T_ROOT", "/srv/root");
    qputenv("WIZ_T_EMPTY", "");
    qunsetenv("WIZ_T_UNSET");
    qputenv(QByteArray(255, 'N').constData(), "long");
}

void tst_commandLine::scan_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("location");
    QTest::addColumn<QString>("project");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QStringList>("params");

    const QString wiz = QStringLiteral("/usr/bin/wiz");
    QTest::newRow("the three options")
        << QStringList { wiz, "/path=/tmp", "/project=meter", "/key=A / B" } << "/tmp"
        << "meter"
        << "A / B" << QStringList { wiz };
    QTest::newRow("program path first, the rest in order")
        << QStringList { wiz, "/title=T", "/path=/tmp", "x" } << "/tmp"
        << ""
        << "" << QStringList { wiz, "/title=T", "x" };
    QTest::newRow("a later option wins") << QStringList { wiz, "/path=/a", "/path=/b" } << "/b"
                                         << ""
                                         << "" << QStringList { wiz };
    QTest::newRow("a third piece voids the option")
        << QStringList { wiz, "/path=/a", "/path=/b=c" } << "/a"
        << ""
        << "" << QStringList { wiz };
    QTest::newRow("two = in a row still count") << QStringList { wiz, "/path==/a" } << "/a"
                                                << ""
                                                << "" << QStringList { wiz };
    QTest::newRow("no value is ignored, and goes nowhere")
        << QStringList { wiz, "/path=", "/key" } << ""
        << ""
        << "" << QStringList { wiz };
    QTest::newRow("longer keyword still counts")
        << QStringList { wiz, "/pathway=/a", "/projects=p", "/keyboard=k" } << "/a"
        << "p"
        << "k" << QStringList { wiz };
    QTest::newRow("upper case is a parameter") << QStringList { wiz, "/PATH=/a", "/Key=k" } << ""
                                               << ""
                                               << "" << QStringList { wiz, "/PATH=/a", "/Key=k" };
    QTest::newRow("a value with spaces and slashes")
        << QStringList { wiz, "/key=Create C++ Scripted UI / Panel" } << ""
        << ""
        << "Create C++ Scripted UI / Panel" << QStringList { wiz };
    QTest::newRow("values and parameters are expanded")
        << QStringList { wiz, "/path=%WIZ_T_ROOT%/work", "/title=%WIZ_T_ROOT%" } << "/srv/root/work"
        << ""
        << "" << QStringList { wiz, "/title=/srv/root" };
    QTest::newRow("host flags never reach the template")
        << QStringList { wiz, "--batch", "x", "--dry-run", "-v", "--verbose" } << ""
        << ""
        << "" << QStringList { wiz, "x" };
    QTest::newRow("the program path is no option even when it looks like one")
        << QStringList { "/path=/x" } << "/x"
        << ""
        << "" << QStringList();
}

void tst_commandLine::scan()
{
    QFETCH(QStringList, arguments);
    const wizRequest request = commandLine::scan(arguments);
    QTEST(request.location, "location");
    QTEST(request.project, "project");
    QTEST(request.key, "key");
    QTEST(request.params, "params");
}

void tst_commandLine::expand_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");

    QTest::newRow("empty") << ""
                           << "";
    QTest::newRow("no reference") << "/tmp/x"
                                  << "/tmp/x";
    QTest::newRow("set variable, text kept around it") << "a%WIZ_T_ROOT%b"
                                                       << "a/srv/root"
                                                          "b";
    QTest::newRow("two references") << "%WIZ_T_ROOT%%WIZ_T_ROOT%"
                                    << "/srv/root/srv/root";
    QTest::newRow("unset variable gives nothing") << "a%WIZ_T_UNSET%b"
                                                  << "ab";
    QTest::newRow("empty variable gives nothing") << "a%WIZ_T_EMPTY%b"
                                                  << "ab";
    QTest::newRow("two % in a row give nothing") << "50%%"
                                                 << "50";
    QTest::newRow("%% inside a text") << "a%%b"
                                      << "ab";
    QTest::newRow("lone % at the end is dropped") << "abc%"
                                                  << "abc";
    QTest::newRow("open name at the end is dropped") << "abc%WIZ_T_ROOT"
                                                     << "abc";
    QTest::newRow("name of 255 characters is looked up")
        << QString("x%" + QString(255, 'N') + "%y") << "xlongy";
    QTest::newRow("characters beyond Latin-1 survive") << "/home/Łukasz/κ%WIZ_T_EMPTY%"
                                                       << "/home/Łukasz/κ";
}

void tst_commandLine::expand()
{
    QFETCH(QString, text);
    QTEST(commandLine::expandEnvironment(text), "expected");
}

void tst_commandLine::overlongNameStopsTheExpansion_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    QTest::newRow("256 characters")
        << QString("ab%WIZ_T_ROOT%c%" + QString(256, 'N') + "%tail") << "ab/srv/rootc";
    QTest::newRow("unclosed and long") << QString("x%" + QString(300, 'M')) << "x";
}

void tst_commandLine::overlongNameStopsTheExpansion()
{
    QFETCH(QString, text);
    QTest::ignoreMessage(QtDebugMsg,
        qPrintable("serious error = request for environment string is broken: " + text));
    QTEST(commandLine::expandEnvironment(text), "expected");
}

// Both rules for a project name: one folder (or the run is refused), and a
// C++ identifier (or the user is warned that the C++ templates will not compile).
void tst_commandLine::projectNames_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<bool>("identifier");
    QTest::newRow("plain") << "Meter" << true << true;
    QTest::newRow("underscore, digits after the first") << "_cfg2_x" << true << true;
    QTest::newRow("spaces and dots") << "my.meter v2" << true << false;
    QTest::newRow("leading digit") << "9lives" << true << false;
    QTest::newRow("hyphen") << "my-meter" << true << false;
    QTest::newRow("letter outside ASCII") << QString::fromUtf8("Z\u00e4hler") << true << false;
    QTest::newRow("not Latin script") << QString::fromUtf8("\u8a08\u5668") << true << false;
    QTest::newRow("keyword") << "class" << true << false;
    QTest::newRow("keyword in other case") << "Class" << true << true;
    QTest::newRow("empty") << "" << false << false;
    QTest::newRow("slash") << "a/b" << false << false;
    QTest::newRow("leading slash") << "/etc" << false << false;
    QTest::newRow("backslash") << "a\\b" << false << false;
    QTest::newRow("dot") << "." << false << false;
    QTest::newRow("dot dot") << ".." << false << false;
    QTest::newRow("three dots") << "..." << true << false;
    QTest::newRow("spaces only") << "   " << false << false;
    QTest::newRow("leading space") << " meter" << false << false;
    QTest::newRow("trailing space") << "meter " << false << false;
    QTest::newRow("trailing tab") << "meter\t" << false << false;
}

void tst_commandLine::projectNames()
{
    QFETCH(QString, name);
    QFETCH(bool, identifier);
    QTEST(commandLine::isProjectName(name), "valid");
    QCOMPARE(cppName::isIdentifier(name), identifier);
    QCOMPARE(cppName::warning(name),
        identifier ? QString()
                   : "\"" + name
                + "\" is not a C++ identifier, so the templates that name a class after the "
                  "project will not compile with it.");
}

// Every host flag passes; any other "--" argument is refused, naming the
// closest flag when one is a slip of the keyboard away.
void tst_commandLine::flags_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("error");
    QTest::newRow("every host flag") << QStringList { "--batch", "--dry-run", "--verbose", "-v",
        "--list", "--json", "--help", "-h", "--version", "--paths", "--help-template", "T",
        "--template", "/srv/t", "--existing=replace", "--existing=keep", "--existing=fail" }
                                     << "";
    QTest::newRow("a value may look like a flag")
        << QStringList { "--help-template", "--nonsense" } << "";
    QTest::newRow("single dashes and slashes are the template's")
        << QStringList { "-x", "/KEY=k", "-", "--dry-run" } << "";
    QTest::newRow("a letter left out") << QStringList { "/project=m", "--dryrun" }
                                       << "unknown option --dryrun (did you mean --dry-run?)";
    QTest::newRow("upper case") << QStringList { "--VERBOSE" }
                                << "unknown option --VERBOSE (did you mean --verbose?)";
    QTest::newRow("a slash option spelt with dashes")
        << QStringList { "--path=/tmp" } << "unknown option --path=/tmp (did you mean --paths?)";
    QTest::newRow("nothing close")
        << QStringList { "--frobnicate" } << "unknown option --frobnicate";
    QTest::newRow("a bare double dash") << QStringList { "--" } << "unknown option --";
    QTest::newRow("value missing at the end")
        << QStringList { "--template" } << "--template needs a value: --template DIR";
    QTest::newRow("an unknown way with existing files")
        << QStringList { "--existing=merge" }
        << "--existing=merge: use --existing=replace, --existing=keep or --existing=fail";
    QTest::newRow("existing without a value")
        << QStringList { "--existing" }
        << "--existing: use --existing=replace, --existing=keep or --existing=fail";
    QTest::newRow("the first wrong one is named")
        << QStringList { "--lst", "--jsno" } << "unknown option --lst (did you mean --list?)";
}

void tst_commandLine::flags()
{
    QFETCH(QStringList, arguments);
    QTEST(commandLine::flagError(QStringList { "/usr/bin/wiz" } + arguments), "error");
}

void tst_commandLine::requests_data()
{
    QTest::addColumn<QString>("location");
    QTest::addColumn<QString>("project");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("error");
    QTest::newRow("complete") << "/tmp"
                              << "m"
                              << "T"
                              << "";
    QTest::newRow("no project") << "/tmp"
                                << ""
                                << "T"
                                << "no project name given: use /project=NAME";
    QTest::newRow("project of spaces")
        << "/tmp"
        << "   "
        << "T"
        << "\"   \" is no project name: it begins or ends with a space";
    QTest::newRow("project climbs out")
        << "/tmp"
        << ".."
        << "T"
        << "\"..\" is no project name: give one directory name with /project=NAME";
    QTest::newRow("no location") << ""
                                 << "m"
                                 << "T"
                                 << "no location given: use /path=DIRECTORY";
    QTest::newRow("a tilde nobody expands")
        << "~/projects"
        << "m"
        << "T"
        << "\"~\" is not expanded here: type the whole path, such as " + QDir::homePath() + ".";
    QTest::newRow("no template") << "/tmp"
                                 << "m"
                                 << ""
                                 << "no template given: use /key=TITLE; see wiz --list";
}

void tst_commandLine::requests()
{
    wizRequest request;
    QFETCH(QString, location);
    QFETCH(QString, project);
    QFETCH(QString, key);
    request.location = location;
    request.project = project;
    request.key = key;
    QTEST(commandLine::requestError(request), "error");
}

void tst_commandLine::titleSuggestions_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("line");
    QTest::newRow("case") << "create new wizard"
                          << "did you mean \"Create New Wizard\"? see wiz --list";
    QTest::newRow("a doubled letter") << "Create New Wizzard"
                                      << "did you mean \"Create New Wizard\"? see wiz --list";
    QTest::newRow("spaces around the slash, and only the one meant")
        << "Create C++ Scripted UI/Panel"
        << "did you mean \"Create C++ Scripted UI / Panel\"? see wiz --list";
    QTest::newRow("part of titles, the shortest first")
        << "wizard"
        << "did you mean \"Create New Wizard\" or \"Create New Singleton ConfigClass Wizard\"? "
           "see wiz --list";
    QTest::newRow("at most three, the shortest first")
        << "panel"
        << "did you mean \"Panelling\", \"Create C++ Scripted UI / Panel\" or \"Create C++ "
           "Scripted UI / Panel - DOCS ONLY\"? see wiz --list";
    QTest::newRow("nothing close") << "Nope"
                                   << "see wiz --list";
}

void tst_commandLine::titleSuggestions()
{
    const QStringList titles { "Create C++ Scripted UI / Panel",
        "Create C++ Scripted UI/Panel - Automatic (with Infodriver)",
        "Create C++ Scripted UI / Panel - DOCS ONLY", "Create New Wizard",
        "Create New Singleton ConfigClass Wizard", "Panelling" };
    QFETCH(QString, key);
    QTEST(commandLine::titleSuggestion(key, titles), "line");
}

WIZ_TEST_MAIN(tst_commandLine)
#include "tst_commandline.moc"
