#include "files.h"
#include "loadedplugin.h"
#include "modalanswer.h"
#include "projectrun.h"
#include "templatecheck.h"
#include "testmain.h"

#include <QAccessible>
#include <QCheckBox>
#include <QDialog>
#include <QGroupBox>
#include <QLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QSettings>

#include <functional>
#include <optional>

namespace {

const QString templateGuid = QStringLiteral("52CC3CAA-BB91-45DB-825D-362AFF3C318E");
const QString deliverable = QStringLiteral("zelk_script_wizard");

QSettings choices()
{
    return QSettings(QSettings::UserScope, QStringLiteral("zelk"), QStringLiteral("wiz"));
}

void storeChoices(const QVariant &dsw, const QVariant &sln)
{
    QSettings settings = choices();
    settings.clear();
    if (dsw.isValid())
        settings.setValue(QStringLiteral("zelk_script_wizard_dsw"), dsw);
    if (sln.isValid())
        settings.setValue(QStringLiteral("zelk_script_wizard_sln"), sln);
}

QString guidOf(const QByteArray &solution)
{
    static const QRegularExpression project(QStringLiteral("\\.vcxproj\", \"\\{([^}]*)\\}\""));
    return project.match(QString::fromLatin1(solution)).captured(1);
}

// Answers the details dialog from inside its modal loop, the way a user would,
// and remembers what it showed. Arm it before go(); if go() shows no dialog the
// answer is dropped with the object.
struct DetailsDriver
{
    enum How { Ok, Enter, Escape, Close };

    std::optional<QString> title;
    std::optional<bool> dsw;
    std::optional<bool> sln;
    How how = Ok;
    std::function<void(QDialog *)> inspect;

    bool shown = false;
    bool complete = false;
    QString shownTitle;
    bool shownDsw = false;
    bool shownSln = false;
    int result = -1;

    QObject context;

    DetailsDriver()
    {
        wiztest::answerNextModal<QDialog>(&context, [this](QDialog *dialog) { answer(dialog); });
    }

    void answer(QDialog *dialog)
    {
        shown = true;
        if (inspect)
            inspect(dialog);
        auto *titleEdit = dialog->findChild<QLineEdit *>(QStringLiteral("title"));
        auto *dswBox = dialog->findChild<QCheckBox *>(QStringLiteral("checkBox_dsw"));
        auto *slnBox = dialog->findChild<QCheckBox *>(QStringLiteral("checkBox_sln"));
        auto *ok = dialog->findChild<QPushButton *>(QStringLiteral("buttonOk"));
        if (!titleEdit || !dswBox || !slnBox || !ok) {
            dialog->reject();
            return;
        }
        shownTitle = titleEdit->text();
        shownDsw = dswBox->isChecked();
        shownSln = slnBox->isChecked();
        if (title)
            titleEdit->setText(*title);
        if (dsw)
            dswBox->setChecked(*dsw);
        if (sln)
            slnBox->setChecked(*sln);
        switch (how) {
        case Ok:
            QTest::mouseClick(ok, Qt::LeftButton);
            break;
        case Enter:
            QTest::keyClick(titleEdit, Qt::Key_Return);
            break;
        case Escape:
            QTest::keyClick(dialog, Qt::Key_Escape);
            break;
        case Close:
            dialog->close();
            break;
        }
        result = dialog->result();
        complete = !dialog->isVisible();
        if (!complete)
            dialog->reject();
    }
};

QByteArray fileDescription(const QString &resourceScript)
{
    const QByteArray rc = wiztest::readAll(resourceScript);
    const qsizetype start = rc.indexOf("\"FileDescription\", \"");
    if (start < 0)
        return "<missing>";
    const qsizetype from = start + qstrlen("\"FileDescription\", \"");
    return rc.mid(from, rc.indexOf("\\0\"", from) - from);
}

} // namespace

Q_DECLARE_METATYPE(DetailsDriver::How)

class tst_zelk_script_wizard : public QObject
{
    Q_OBJECT

private slots:
    void init() { storeChoices(QVariant(), QVariant()); }

    void detailsForm();
    void fileSet_data();
    void fileSet();
    void replacements_data();
    void replacements();
    void bytesOfTheOutput();
    void freshGuid();
    void storedChoicesPresetTheDialog_data();
    void storedChoicesPresetTheDialog();
    void damagedChoicesFallBackToNone_data();
    void damagedChoicesFallBackToNone();
    void dialogAnswer_data();
    void dialogAnswer();
    void titleOptionSkipsDialogAndSettings();
    void fileList();
};

void tst_zelk_script_wizard::detailsForm()
{
    wiztest::ProjectRun run(deliverable, QStringLiteral("Form"));
    WIZ_VERIFY_LOADED(run.plugin);
    QCOMPARE(run.plugin->description(), QStringLiteral("Create C++ Scripted UI / Panel"));
    QCOMPARE(run.plugin->icon().size(), QSize(22, 18));

    bool inspected = false;
    DetailsDriver driver;
    driver.how = DetailsDriver::Enter;
    driver.inspect = [&inspected](QDialog *dialog) {
        QCOMPARE(dialog->metaObject()->className(), "detailsDialogBase");
        // Its texts are set in one slot, which sets them anew when called again.
        dialog->setWindowTitle(QString());
        QVERIFY(QMetaObject::invokeMethod(dialog, "languageChange"));
        QCOMPARE(dialog->windowTitle(), QStringLiteral("detailsDialog"));
        auto *description = dialog->findChild<QGroupBox *>(QStringLiteral("groupBox2"));
        auto *type = dialog->findChild<QGroupBox *>(QStringLiteral("groupBox1"));
        auto *dsw = dialog->findChild<QCheckBox *>(QStringLiteral("checkBox_dsw"));
        auto *sln = dialog->findChild<QCheckBox *>(QStringLiteral("checkBox_sln"));
        auto *ok = dialog->findChild<QPushButton *>(QStringLiteral("buttonOk"));
        QVERIFY(description && type && dsw && sln && ok);
        QCOMPARE(description->title(), QStringLiteral("Project Description"));
        QCOMPARE(type->title(), QStringLiteral("Project Type"));
        // Screen readers announce the title field by its frame's title.
        auto *title = dialog->findChild<QLineEdit *>(QStringLiteral("title"));
        QVERIFY(title);
        QCOMPARE(QAccessible::queryAccessibleInterface(title)->text(QAccessible::Name),
            QStringLiteral("Project Description"));
        QCOMPARE(dsw->text(), QStringLiteral("Visual Studio 6 dsw/dsp files"));
        QCOMPARE(sln->text(), QStringLiteral("Visual Studio 20xx sln/vcxproj files"));
        QCOMPARE(ok->text(), QStringLiteral("&OK"));
        QVERIFY(ok->isDefault());
        QCOMPARE(dialog->findChildren<QPushButton *>().size(), 1); // nothing to cancel
        for (const char *name : { "detailsDialogBaseLayout", "layout2", "Layout1" })
            QVERIFY2(dialog->findChild<QLayout *>(QLatin1String(name)), name);
        QVERIFY(dialog->isSizeGripEnabled());
        QCOMPARE(dialog->size(), QSize(519, 297).expandedTo(dialog->minimumSizeHint()));
        inspected = true;
    };
    run.go();

    QVERIFY(driver.shown);
    QVERIFY(inspected);
    // Shown without stored choices: empty and unchecked.
    QCOMPARE(driver.shownTitle, QString());
    QVERIFY(!driver.shownDsw);
    QVERIFY(!driver.shownSln);
    // Enter in the title field presses the default button.
    QVERIFY(driver.complete);
    QCOMPARE(driver.result, int(QDialog::Accepted));
}

void tst_zelk_script_wizard::fileSet_data()
{
    QTest::addColumn<bool>("dsw");
    QTest::addColumn<bool>("sln");
    QTest::addColumn<QStringList>("params");
    QTest::addColumn<QString>("panel");
    QTest::addColumn<QStringList>("expected");

    const QStringList always { "Meter.cpp", "Meter.h", "Meter.rc", "docs/Meter.hhp",
        "docs/Meter.md", "docs/example.png", "resource.h" };
    const QStringList vs6 { "Meter.dsp", "Meter.dsw" };
    const QStringList vs20xx { "Meter.sln", "Meter.vcxproj" };
    const QStringList panelFile { "p1.zelk_ui" };

    QTest::newRow("no project files")
        << false << false << QStringList { QString() } << QString() << always + panelFile;
    QTest::newRow("Visual Studio 6 only")
        << true << false << QStringList { QString() } << QString() << always + panelFile + vs6;
    QTest::newRow("Visual Studio 20xx only")
        << false << true << QStringList { QString() } << QString() << always + panelFile + vs20xx;
    QTest::newRow("both kinds") << true << true << QStringList { QString() } << QString()
                                << always + panelFile + vs6 + vs20xx;
    QTest::newRow("panel given: no panel file, name in sources")
        << true << true << QStringList { "/usr/bin/wiz", "/panel=main" } << QString("main")
        << always + vs6 + vs20xx;
    QTest::newRow("empty panel option counts as none")
        << true << false << QStringList { "/panel=" } << QString() << always + panelFile + vs6;
    QTest::newRow("later panel option overrides earlier")
        << false << false << QStringList { "/panel=main", "/panel=" } << QString()
        << always + panelFile;
}

void tst_zelk_script_wizard::fileSet()
{
    QFETCH(bool, dsw);
    QFETCH(bool, sln);
    QFETCH(QStringList, params);
    QFETCH(QString, panel);
    QFETCH(QStringList, expected);

    wiztest::ProjectRun run(deliverable, QStringLiteral("Meter"));
    WIZ_VERIFY_LOADED(run.plugin);
    const QString folder = run.project();
    DetailsDriver driver;
    driver.title = QStringLiteral("Meter display");
    driver.dsw = dsw;
    driver.sln = sln;
    run.go(params);
    QVERIFY(driver.complete);

    QStringList names = expected;
    names.sort();
    QCOMPARE(wiztest::tree(folder), names);
    // The files that an unattended run writes as well are those of the
    // checked-in project, title and all, where no panel name changes them; the
    // others carry no tag.
    const QString unattended = QStringLiteral(WIZ_SOURCE_DIR "/tests/expected/zelk_script_wizard/");
    for (const QString &file : expected) {
        const QByteArray bytes = wiztest::readAll(folder + file);
        if (QFile::exists(unattended + file)
            && (panel.isEmpty() || file == "resource.h" || file.startsWith("docs/"))) {
            QCOMPARE(bytes, wiztest::readAll(unattended + file));
            continue;
        }
        for (const char *tag : { "tamber_component", "%%TITLE%%", "%%PANEL%%",
                 "52CC3CAA-BB91-45DB-825D-362AFF3C318E" })
            QVERIFY2(!bytes.contains(tag), qPrintable(file + ": " + tag));
    }

    if (!panel.isEmpty()) {
        QVERIFY(wiztest::readAll(folder + "Meter.cpp")
                    .contains("panelShow( PNL_MAIN, \"main.zelk_ui\" );"));
        QVERIFY(wiztest::readAll(folder + "Meter.dsp").contains("SOURCE=.\\main.zelk_ui\r\n"));
    }
}

void tst_zelk_script_wizard::replacements_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QStringList>("params");
    QTest::addColumn<QString>("file");
    QTest::addColumn<QByteArray>("present");
    QTest::addColumn<QByteArray>("absent");

    QTest::newRow("name names the class")
        << "Meter" << QStringList { "/title=T" } << "Meter.h"
        << QByteArray("class EXPORT_SCRIPT Meter : public zelk_script_helper")
        << QByteArray("tamber_component");
    QTest::newRow("name in the resource script")
        << "Meter" << QStringList { "/title=T" } << "Meter.rc"
        << QByteArray("VALUE \"OriginalFilename\", \"Meter\\0\"") << QByteArray("tamber");
    QTest::newRow("p1 in the name changes when a panel is given")
        << "Ap1" << QStringList { "/title=T", "/panel=main" } << "Ap1.h"
        << QByteArray("class EXPORT_SCRIPT Amain : public") << QByteArray("Ap1");
    QTest::newRow("p1 in the name stays without a panel")
        << "Ap1" << QStringList { "/title=T" } << "Ap1.h"
        << QByteArray("class EXPORT_SCRIPT Ap1 : public") << QByteArray("main");
    // The title as the resource script's file description shows it.
    const auto description = [](const char *tag, const QStringList &params, const QByteArray &shown,
                                 const QByteArray &absent) {
        QTest::newRow(tag) << QStringLiteral("Meter") << params << QStringLiteral("Meter.rc")
                           << "\"FileDescription\", \"" + shown + "\\0\"" << absent;
    };
    description("p1 in the title changes when a panel is given", { "/title=Step1", "/panel=main" },
        "Stemain", "Step1");
    description("p1 in the title stays without a panel", { "/title=Step1" }, "Step1", "Stemain");
    description("component token in the title is kept", { "/title=A tamber_component" },
        "A tamber_component", "A Meter");
    description(
        "backslash and double quote in the title", { "/title=C:\\x \"y\"" }, "C:/x 'y'", "\\x");
    description("title option alone is the title", { "/title" }, "/title", "%%TITLE%%");
    description("any seventh character is cut with the option",
        { "/usr/bin/wiz", "/key=x", "/title:Colon" }, "Colon", ":Colon");
    description(
        "later title option overrides earlier", { "/title=One", "/title=Two" }, "Two", "One");
}

void tst_zelk_script_wizard::replacements()
{
    QFETCH(QString, name);
    QFETCH(QStringList, params);
    QFETCH(QString, file);
    QFETCH(QByteArray, present);
    QFETCH(QByteArray, absent);

    wiztest::ProjectRun run(deliverable, name);
    WIZ_VERIFY_LOADED(run.plugin);
    DetailsDriver driver;
    driver.how = DetailsDriver::Escape;
    run.go(params);
    QVERIFY2(!driver.shown, "a title option must not show the dialog");

    const QByteArray output = wiztest::readAll(run.project() + file);
    QVERIFY2(output.contains(present), output.constData());
    QVERIFY2(!output.contains(absent), output.constData());
}

void tst_zelk_script_wizard::bytesOfTheOutput()
{
    wiztest::ProjectRun run(deliverable, QStringLiteral("Meter"));
    WIZ_VERIFY_LOADED(run.plugin);
    const QString folder = run.project();
    DetailsDriver driver;
    driver.title = QString::fromUtf8("Z\u00e4hler \u20ac \u03a9");
    driver.dsw = true;
    driver.sln = true;
    run.go();
    QVERIFY(driver.complete);

    const QByteArray bom("\xef\xbb\xbf");
    QVERIFY(wiztest::readAll(folder + "Meter.sln")
                .startsWith(
                    bom + "\r\nMicrosoft Visual Studio Solution File, Format Version 12.00\r\n"));
    QVERIFY(wiztest::readAll(folder + "Meter.vcxproj").startsWith(bom + "<?xml"));

    // Windows-1252 out: the copyright sign stays one byte, the euro sign is 0x80,
    // a character beyond that code page becomes "?".
    const QByteArray rc = wiztest::readAll(folder + "Meter.rc");
    QCOMPARE(rc.count('\xa9'), 1);
    QVERIFY(rc.contains("\"LegalCopyright\", \"Copyright \xa9 "));
    QCOMPARE(fileDescription(folder + "Meter.rc"), QByteArray("Z\xe4hler \x80 ?"));

    for (const QString &file : wiztest::tree(folder)) {
        if (file.endsWith(QLatin1String(".png")))
            continue;
        const QByteArray bytes = wiztest::readAll(folder + file);
        QVERIFY2(!bytes.isEmpty(), qPrintable(file));
        QCOMPARE(wiztest::lineEndProblem(bytes), QString());
        // The documentation page alone has no final line break.
        QCOMPARE(bytes.endsWith("\r\n"), file != QLatin1String("docs/Meter.md"));
    }
    QCOMPARE(wiztest::readAll(folder + "docs/example.png"),
        wiztest::readAll(WIZ_SOURCE_DIR "/tests/expected/zelk_script_wizard/docs/example.png"));
}

void tst_zelk_script_wizard::freshGuid()
{
    static const QRegularExpression format(
        QStringLiteral("^[0-9a-f]{8}-[0-9a-f]{4}-[0-9a-f]{4}-[0-9a-f]{4}-[0-9a-f]{12}$"));
    QStringList guids;
    for (int round = 0; round < 2; ++round) {
        wiztest::ProjectRun run(deliverable, QStringLiteral("Meter"));
        WIZ_VERIFY_LOADED(run.plugin);
        const QString folder = run.project();
        DetailsDriver driver;
        driver.sln = true;
        run.go();

        const QByteArray solution = wiztest::readAll(folder + "Meter.sln");
        const QByteArray project = wiztest::readAll(folder + "Meter.vcxproj");
        const QString guid = guidOf(solution);
        QVERIFY2(format.match(guid).hasMatch(), qPrintable(guid));
        const QByteArray braced = "{" + guid.toLatin1() + "}";
        QCOMPARE(solution.count(braced), 5); // the project line and four configuration lines
        QVERIFY(project.contains("<ProjectGuid>" + braced + "</ProjectGuid>"));
        QVERIFY(
            solution.contains("Project(\"{8BC9CEB8-8B4A-11D0-8D11-00A0C91BC942}\") = \"Meter\""));
        QVERIFY(!solution.contains(templateGuid.toLatin1()));
        QVERIFY(!project.contains(templateGuid.toLatin1()));
        guids << guid;
    }
    QVERIFY(guids.at(0) != guids.at(1));
}

void tst_zelk_script_wizard::storedChoicesPresetTheDialog_data()
{
    QTest::addColumn<QVariant>("storedDsw");
    QTest::addColumn<QVariant>("storedSln");
    QTest::addColumn<bool>("dsw");
    QTest::addColumn<bool>("sln");

    QTest::newRow("nothing stored") << QVariant() << QVariant() << false << false;
    QTest::newRow("dsw stored") << QVariant(1) << QVariant(0) << true << false;
    QTest::newRow("sln stored") << QVariant(0) << QVariant(1) << false << true;
    QTest::newRow("both stored") << QVariant(1) << QVariant(1) << true << true;
    QTest::newRow("any nonzero number checks") << QVariant(7) << QVariant(-1) << true << true;
    QTest::newRow("a stored boolean text is no number")
        << QVariant("true") << QVariant("false") << false << false;
}

void tst_zelk_script_wizard::storedChoicesPresetTheDialog()
{
    QFETCH(QVariant, storedDsw);
    QFETCH(QVariant, storedSln);
    QFETCH(bool, dsw);
    QFETCH(bool, sln);

    storeChoices(storedDsw, storedSln);
    wiztest::ProjectRun run(deliverable, QStringLiteral("Meter"));
    WIZ_VERIFY_LOADED(run.plugin);
    const QString folder = run.project();
    DetailsDriver driver; // presses OK on what it was shown
    run.go();

    QVERIFY(driver.complete);
    QCOMPARE(driver.shownDsw, dsw);
    QCOMPARE(driver.shownSln, sln);
    QCOMPARE(QFile::exists(folder + "Meter.dsp"), dsw);
    QCOMPARE(QFile::exists(folder + "Meter.sln"), sln);
}

void tst_zelk_script_wizard::damagedChoicesFallBackToNone_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<bool>("directory");
    QTest::newRow("binary garbage")
        << QByteArray("\xff\0zelk_script_wizard_dsw\0=\x01\n[", 30) << false;
    QTest::newRow("a directory in its place") << QByteArray() << true;
}

void tst_zelk_script_wizard::damagedChoicesFallBackToNone()
{
    QFETCH(QByteArray, content);
    QFETCH(bool, directory);
    const QString store
        = qEnvironmentVariable("XDG_CONFIG_HOME") + QStringLiteral("/zelk/wiz.conf");
    QFile::remove(store);
    QVERIFY(QDir().mkpath(QFileInfo(store).absolutePath()));
    if (directory)
        QVERIFY(QDir().mkpath(store));
    else
        wiztest::writeAll(store, content);

    wiztest::ProjectRun run(deliverable, QStringLiteral("Meter"));
    WIZ_VERIFY_LOADED(run.plugin);
    DetailsDriver driver;
    run.go();
    QVERIFY(driver.complete);
    QVERIFY(!driver.shownDsw && !driver.shownSln);
    QVERIFY(QFile::exists(run.project() + "Meter.cpp"));
    if (directory)
        QDir(store).removeRecursively();
    else
        QFile::remove(store);
}

void tst_zelk_script_wizard::dialogAnswer_data()
{
    QTest::addColumn<DetailsDriver::How>("how");
    QTest::addColumn<QString>("title");
    QTest::addColumn<bool>("dsw");
    QTest::addColumn<bool>("sln");

    QTest::newRow("OK with both kinds") << DetailsDriver::Ok << "Meter" << true << true;
    QTest::newRow("OK with no kind") << DetailsDriver::Ok << "Meter" << false << false;
    QTest::newRow("Escape goes on with what is shown")
        << DetailsDriver::Escape << "Esc" << false << true;
    QTest::newRow("close control goes on with what is shown")
        << DetailsDriver::Close << "Shut" << true << false;
    QTest::newRow("empty title is accepted") << DetailsDriver::Ok << "" << true << false;
}

void tst_zelk_script_wizard::dialogAnswer()
{
    QFETCH(DetailsDriver::How, how);
    QFETCH(QString, title);
    QFETCH(bool, dsw);
    QFETCH(bool, sln);

    // Stored opposite to the answer, so a choice that is not written back shows.
    storeChoices(dsw ? 0 : 1, sln ? 0 : 1);
    wiztest::ProjectRun run(deliverable, QStringLiteral("Meter"));
    WIZ_VERIFY_LOADED(run.plugin);
    const QString folder = run.project();
    DetailsDriver driver;
    driver.how = how;
    driver.title = title;
    driver.dsw = dsw;
    driver.sln = sln;
    run.go();
    QVERIFY(driver.complete);

    QCOMPARE(fileDescription(folder + "Meter.rc"), title.toLatin1());
    QCOMPARE(QFile::exists(folder + "Meter.dsp"), dsw);
    QCOMPARE(QFile::exists(folder + "Meter.dsw"), dsw);
    QCOMPARE(QFile::exists(folder + "Meter.sln"), sln);
    QCOMPARE(QFile::exists(folder + "Meter.vcxproj"), sln);
    QVERIFY(QFile::exists(folder + "docs/Meter.md"));

    QSettings settings = choices();
    QCOMPARE(settings.value("zelk_script_wizard_dsw").toString(), QString::number(int(dsw)));
    QCOMPARE(settings.value("zelk_script_wizard_sln").toString(), QString::number(int(sln)));
}

void tst_zelk_script_wizard::titleOptionSkipsDialogAndSettings()
{
    storeChoices(1, 1);
    wiztest::ProjectRun run(deliverable, QStringLiteral("Meter"));
    WIZ_VERIFY_LOADED(run.plugin);
    const QString folder = run.project();
    DetailsDriver driver;
    driver.dsw = false;
    driver.sln = false;
    run.go({ "/usr/bin/wiz", "/title=Meter" });

    QVERIFY(!driver.shown);
    for (const char *file : { "Meter.dsp", "Meter.dsw", "Meter.sln", "Meter.vcxproj" })
        QVERIFY2(!QFile::exists(folder + file), file);
    QSettings settings = choices();
    QCOMPARE(settings.value("zelk_script_wizard_dsw").toInt(), 1);
    QCOMPARE(settings.value("zelk_script_wizard_sln").toInt(), 1);
}

void tst_zelk_script_wizard::fileList()
{
    // Nobody asks for the list, so the plug-in keeps none: a list of its own
    // would name project files that the run did not write.
    wiztest::ProjectRun run(deliverable, QStringLiteral("Meter"));
    WIZ_VERIFY_LOADED(run.plugin);
    run.go({ "/title=Meter" });
    QVERIFY(QFile::exists(run.project() + "Meter.cpp"));
    QVERIFY(!QFile::exists(run.project() + "Meter.dsp"));
    QCOMPARE(run.plugin->files(), QStringList());
}

WIZ_TEST_MAIN(tst_zelk_script_wizard)
#include "tst_zelk_script_wizard.moc"
