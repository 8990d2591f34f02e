#include "files.h"
#include "fixturedir.h"
#include "modalanswer.h"
#include "reviewdialog.h"
#include "testmain.h"
#include "translations.h"
#include "urlcatcher.h"
#include "wizdialog.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QDesktopServices>
#include <QFileDialog>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QSettings>
#include <QTimer>
#include <QTranslator>

#include <unistd.h>

// The interactive dialog: when OK is offered, what OK does, what is remembered.
class tst_wizDialog : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void okNeedsSensibleInput_data();
    void okNeedsSensibleInput();
    void hintIsHeard_data();
    void hintIsHeard();
    void hintKeepsTheLayout();
    void doubleClick_data();
    void doubleClick();
    void lastPathDefaultsToHome();
    void lastPathComesBack();
    void damagedSettingsFallBackToDefault_data();
    void damagedSettingsFallBackToDefault();
    void newProjectIsCreatedAndHandedOver_data();
    void newProjectIsCreatedAndHandedOver();
    void overwriteQuestion_data();
    void overwriteQuestion();
    void failuresAreShown_data();
    void failuresAreShown();
    void reviewBeforeReplacing_data();
    void reviewBeforeReplacing();
    void cancelStoresNothing();
    void chooserStart_data();
    void chooserStart();
    void chooserCancelChangesNothing();
    void templateThatDescribesItself();
    // Last: it leaves German translators behind until it ends.
    void germanWindow();

private:
    static QString lastPath();
    static void storeLastPath(const QString &path);
    // A dialog listing the recorder fixture, with its first timer event done.
    void openDialog(wizDialog &dialog);

    wiztest::UrlCatcher m_urls;
    std::unique_ptr<wiztest::FixtureDir> m_dir;
};

QString tst_wizDialog::lastPath()
{
    return QSettings(QSettings::UserScope, "Tessaly Technology", "ZELK Wizard")
        .value("/lastpath")
        .toString();
}

void tst_wizDialog::storeLastPath(const QString &path)
{
    QSettings(QSettings::UserScope, "Tessaly Technology", "ZELK Wizard")
        .setValue("/lastpath", path);
}

void tst_wizDialog::init()
{
    QSettings(QSettings::UserScope, "Tessaly Technology", "ZELK Wizard").clear();
    m_urls.opened.clear();
    QDesktopServices::setUrlHandler(QStringLiteral("file"), &m_urls, "open");
    m_dir = std::make_unique<wiztest::FixtureDir>();
    QVERIFY(m_dir->add("recorder", "recorder.so"));
}

void tst_wizDialog::cleanup()
{
    m_dir.reset();
    QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
}

void tst_wizDialog::openDialog(wizDialog &dialog)
{
    dialog.show();
    QTRY_COMPARE(dialog.listBox1->count(), 1);
}

namespace {

enum Choice { NoTemplates, NoClick, Click, ClickThenCtrlClick };

void clickRow(QListWidget *list, int row, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    const QRect rect = list->visualItemRect(list->item(row));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, modifiers, rect.center());
}

QString identifierWarning(const QString &name)
{
    return "\"" + name
        + "\" is not a C++ identifier, so the templates that name a class after the project will "
          "not compile with it.";
}

} // namespace

void tst_wizDialog::okNeedsSensibleInput_data()
{
    // In location and hint, %d stands for the working directory and %h for home.
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("location");
    QTest::addColumn<int>("choice");
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<QString>("hint");

    const QString oneFolder
        = "A project name is one folder name: no \"/\" or \"\\\", not \".\" or \"..\".";
    QTest::newRow("all four hold") << "meter"
                                   << "%d/dir" << int(Click) << true << "";
    QTest::newRow("no templates") << "meter"
                                  << "%d/dir" << int(NoTemplates) << false
                                  << "No templates were found in %d/plugins.";
    QTest::newRow("no row chosen") << "meter"
                                   << "%d/dir" << int(NoClick) << false << "Choose a template.";
    QTest::newRow("Ctrl+click takes the choice away")
        << "meter"
        << "%d/dir" << int(ClickThenCtrlClick) << false << "Choose a template.";
    QTest::newRow("no name") << ""
                             << "%d/dir" << int(Click) << false << "Type a project name.";
    // Which names break which rule is the command line's test; here one name per hint.
    QTest::newRow("name with a slash") << "a/b"
                                       << "%d/dir" << int(Click) << false << oneFolder;
    QTest::newRow("name of spaces")
        << "   "
        << "%d/dir" << int(Click) << false << "A project name needs more than spaces.";
    QTest::newRow("name with a leading space")
        << " meter"
        << "%d/dir" << int(Click) << false << "The project name begins or ends with a space.";
    QTest::newRow("no location") << "meter"
                                 << "" << int(Click) << false
                                 << "Type the location in which to make the project folder.";
    QTest::newRow("missing location")
        << "meter"
        << "%d/nowhere" << int(Click) << false << "The location does not exist.";
    QTest::newRow("location is a plain file")
        << "meter"
        << "%d/file" << int(Click) << false << "The location is a file, not a folder.";
    QTest::newRow("location with a trailing space")
        << "meter"
        << "%d/dir " << int(Click) << false << "The location begins or ends with a space.";
    QTest::newRow("location is a tilde")
        << "meter"
        << "~" << int(Click) << false
        << "\"~\" is not expanded here: type the whole path, such as %h.";
    QTest::newRow("relative location that is missing")
        << "meter"
        << "nowhere" << int(Click) << false << "The location does not exist in %d.";
    QTest::newRow("relative location that exists") << "meter"
                                                   << "dir" << int(Click) << true << "";
    QTest::newRow("name with dots inside")
        << "a..b"
        << "%d/dir" << int(Click) << true << identifierWarning("a..b");
    QTest::newRow("name with spaces")
        << "my meter"
        << "%d/dir" << int(Click) << true << identifierWarning("my meter");
}

void tst_wizDialog::okNeedsSensibleInput()
{
    QFETCH(QString, name);
    QFETCH(QString, location);
    QFETCH(int, choice);
    QFETCH(bool, enabled);
    QFETCH(QString, hint);
    auto expand = [this](QString text) {
        return text.replace("%d", m_dir->path()).replace("%h", QDir::homePath());
    };

    QDir(m_dir->path()).mkdir("dir");
    wiztest::writeAll(m_dir->path() + "/file", "x");
    if (choice == NoTemplates)
        QVERIFY(QFile::remove(m_dir->plugins() + "/recorder.so"));
    wizDialog dialog;
    if (choice == NoTemplates) {
        dialog.show();
        QTRY_VERIFY(!dialog.hintLabel->text().isEmpty());
    } else {
        openDialog(dialog);
    }
    QVERIFY(!dialog.buttonOk->isEnabled());

    // Focus on the list must not choose a row by itself.
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    dialog.listBox1->setFocus();
    QCOMPARE(dialog.listBox1->currentRow(), -1);

    // Typed in any order, the state after the last change is what counts.
    if (choice == Click || choice == ClickThenCtrlClick)
        clickRow(dialog.listBox1, 0);
    dialog.location_lineEdit->clear();
    QTest::keyClicks(dialog.location_lineEdit, expand(location));
    QTest::keyClicks(dialog.project_lineEdit, name);
    if (choice == ClickThenCtrlClick) {
        QVERIFY(dialog.buttonOk->isEnabled());
        clickRow(dialog.listBox1, 0, Qt::ControlModifier);
        QVERIFY(dialog.listBox1->selectedItems().isEmpty());
        QCOMPARE(dialog.listBox1->currentRow(), 0);
    }
    QCOMPARE(dialog.buttonOk->isEnabled(), enabled);
    QCOMPARE(dialog.hintLabel->text(), expand(hint));

    if (!enabled) {
        // Neither the shortcut nor Enter runs a template the user cannot see chosen.
        QTest::keyClick(&dialog, Qt::Key_O, Qt::AltModifier);
        QTest::keyClick(dialog.project_lineEdit, Qt::Key_Return);
        QVERIFY(dialog.isVisible());
        QCOMPARE(wiztest::tree(m_dir->path() + "/dir"), QStringList());
    }
}

// A screen reader hears the hint as the description of the field it is
// about; the other fields keep their own. (That it is told of the change
// needs a platform with accessibility, which the offscreen one is not.)
void tst_wizDialog::hintIsHeard_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("choose");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("hint");
    QTest::newRow("no template chosen") << "meter" << false << "listBox1"
                                        << "Choose a template.";
    QTest::newRow("name with a slash")
        << "a/b" << true << "project_lineEdit"
        << "A project name is one folder name: no \"/\" or \"\\\", not \".\" or \"..\".";
    QTest::newRow("warning with OK offered")
        << "my-meter" << true << "project_lineEdit" << identifierWarning("my-meter");
}

void tst_wizDialog::hintIsHeard()
{
    QFETCH(QString, name);
    QFETCH(bool, choose);
    QFETCH(QString, field);
    QFETCH(QString, hint);

    wizDialog dialog;
    openDialog(dialog);
    dialog.location_lineEdit->setText(m_dir->path());
    if (choose)
        dialog.listBox1->setCurrentRow(0);
    dialog.project_lineEdit->setText(name);

    QWidget *concerned = dialog.findChild<QWidget *>(field);
    QCOMPARE(dialog.hintLabel->text(), hint);
    QCOMPARE(
        QAccessible::queryAccessibleInterface(concerned)->text(QAccessible::Description), hint);
    for (QWidget *other :
        { static_cast<QWidget *>(dialog.listBox1), static_cast<QWidget *>(dialog.project_lineEdit),
            static_cast<QWidget *>(dialog.location_lineEdit) }) {
        if (other != concerned)
            QVERIFY(!other->accessibleDescription().contains(hint));
    }

    // Once the hint has gone, the field's own description comes back.
    dialog.listBox1->setCurrentRow(0);
    dialog.project_lineEdit->setText("meter");
    QCOMPARE(dialog.hintLabel->text(), QString());
    QCOMPARE(dialog.project_lineEdit->accessibleDescription(),
        QStringLiteral("Enter the project name - this becomes the directory where all the project "
                       "files are placed"));
    QCOMPARE(dialog.listBox1->accessibleDescription(),
        QStringLiteral("List of available application templates"));
}

void tst_wizDialog::hintKeepsTheLayout()
{
    QDir(m_dir->path()).mkdir("dir");
    wizDialog dialog;
    openDialog(dialog);
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    const QList<QWidget *> widgets { dialog.listBox1, dialog.textLabel1, dialog.project_lineEdit,
        dialog.textLabel1_2, dialog.location_lineEdit, dialog.browse, dialog.buttonOk,
        dialog.buttonCancel };
    auto geometries = [&dialog, &widgets] {
        QCoreApplication::sendPostedEvents();
        dialog.layout()->activate();
        QList<QRect> rects;
        for (QWidget *widget : widgets)
            rects << widget->geometry();
        return rects;
    };
    QCOMPARE(dialog.hintLabel->text(), QStringLiteral("Choose a template."));
    const QList<QRect> oneLine = geometries();

    dialog.listBox1->setCurrentRow(0);
    dialog.location_lineEdit->setText(m_dir->path() + "/dir");
    dialog.project_lineEdit->setText("meter");
    QCOMPARE(dialog.hintLabel->text(), QString());
    QCOMPARE(geometries(), oneLine);

    // The longest hint that does not repeat a path wraps, within the room kept for it.
    dialog.project_lineEdit->setText("my-meter");
    QCOMPARE(dialog.hintLabel->text(), identifierWarning("my-meter"));
    QCOMPARE(geometries(), oneLine);
    QCOMPARE(dialog.size(), QSize(480, 449));
}

void tst_wizDialog::doubleClick_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("created");
    QTest::newRow("valid fields: the project is made") << "meter" << true;
    QTest::newRow("no name: the hint says so") << "" << false;
}

void tst_wizDialog::doubleClick()
{
    QFETCH(QString, name);
    QFETCH(bool, created);

    wizDialog dialog;
    openDialog(dialog);
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    dialog.location_lineEdit->setText(m_dir->path());
    dialog.project_lineEdit->setText(name);
    dialog.listBox1->setFocus();
    // As a mouse sends it: a click, then the second press as a double-click.
    const QPoint row = dialog.listBox1->visualItemRect(dialog.listBox1->item(0)).center();
    QWidget *viewport = dialog.listBox1->viewport();
    QTest::mouseClick(viewport, Qt::LeftButton, Qt::NoModifier, row);
    QTest::mouseDClick(viewport, Qt::LeftButton, Qt::NoModifier, row);
    QTest::mouseRelease(viewport, Qt::LeftButton, Qt::NoModifier, row);

    QCOMPARE(dialog.isVisible(), !created);
    QCOMPARE(QFile::exists(m_dir->path() + "/meter/recorder.log"), created);
    if (!created) {
        QCOMPARE(dialog.hintLabel->text(), QStringLiteral("Type a project name."));
        QTRY_COMPARE(QApplication::focusWidget(), dialog.project_lineEdit);
    }
}

void tst_wizDialog::lastPathDefaultsToHome()
{
    wizDialog dialog;
    QCOMPARE(dialog.location_lineEdit->text(), QDir::homePath());
    QVERIFY(!dialog.buttonOk->isEnabled());
}

void tst_wizDialog::lastPathComesBack()
{
    storeLastPath(m_dir->path());
    wizDialog dialog;
    QCOMPARE(dialog.location_lineEdit->text(), m_dir->path());
}

void tst_wizDialog::damagedSettingsFallBackToDefault_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<bool>("directory");
    QTest::newRow("binary garbage")
        << QByteArray("\xff\xfe\0[[\x01lastpath\0=\xff\n\x80", 17) << false;
    QTest::newRow("unterminated section") << QByteArray("[General\nlastpath") << false;
    QTest::newRow("a directory in its place") << QByteArray() << true;
}

void tst_wizDialog::damagedSettingsFallBackToDefault()
{
    QFETCH(QByteArray, content);
    QFETCH(bool, directory);
    const QString folder = qEnvironmentVariable("XDG_CONFIG_HOME") + "/Tessaly Technology";
    const QString store = folder + "/ZELK Wizard.conf";
    QVERIFY(QDir().mkpath(folder));
    QFile::remove(store);
    if (directory)
        QVERIFY(QDir().mkpath(store));
    else
        wiztest::writeAll(store, content);

    {
        wizDialog dialog;
        QCOMPARE(dialog.location_lineEdit->text(), QDir::homePath());
        openDialog(dialog);
        dialog.location_lineEdit->setText(m_dir->path());
        dialog.project_lineEdit->setText("meter");
        dialog.listBox1->setCurrentRow(0);
        // Storing the location may fail; the project is made all the same.
        dialog.accept();
    }
    QVERIFY(QFile::exists(m_dir->path() + "/meter/recorder.log"));
    if (directory)
        QDir(store).removeRecursively();
    else
        QFile::remove(store);
}

// Where no file browser can be started (the offscreen platform has none), a
// box says where the project went.
void tst_wizDialog::newProjectIsCreatedAndHandedOver_data()
{
    QTest::addColumn<bool>("browser");
    QTest::newRow("a file browser shows it") << true;
    QTest::newRow("no file browser") << false;
}

void tst_wizDialog::newProjectIsCreatedAndHandedOver()
{
    QFETCH(bool, browser);
    wizDialog dialog;
    openDialog(dialog);
    dialog.location_lineEdit->setText(m_dir->path());
    dialog.project_lineEdit->setText("meter");
    dialog.listBox1->setCurrentRow(0);
    QString told;
    if (!browser) {
        QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
        QTest::ignoreMessage(QtWarningMsg,
            qPrintable("This plugin does not support QPlatformServices::openDocument() for '"
                + QUrl::fromLocalFile(m_dir->path() + "/meter").toString() + "'."));
        wiztest::answerNextModal<QMessageBox>(&dialog, [&](QMessageBox *box) {
            QCOMPARE(box->icon(), QMessageBox::Information);
            QCOMPARE(box->windowTitle(), QStringLiteral("ZELK Application Wizard"));
            told = box->text();
            box->accept();
        });
    }
    QTest::mouseClick(dialog.buttonOk, Qt::LeftButton);
    QCOMPARE(told, browser ? QString() : "The new project is in " + m_dir->path() + "/meter.");

    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QVERIFY(!dialog.isVisible());
    QCOMPARE(lastPath(), m_dir->path());
    QCOMPARE(wiztest::readAll(m_dir->path() + "/meter/recorder.log"),
        QByteArray("path=" + m_dir->path().toUtf8() + "\nname=meter\ncount=1\nparam=\nreleased\n"));
    QCOMPARE(m_urls.opened,
        browser ? QList<QUrl> { QUrl::fromLocalFile(m_dir->path() + "/meter") } : QList<QUrl>());
}

void tst_wizDialog::overwriteQuestion_data()
{
    QTest::addColumn<int>("answer");
    QTest::newRow("Yes writes into it") << int(Qt::Key_Y);
    QTest::newRow("No goes back") << int(Qt::Key_N);
    QTest::newRow("Escape means No") << int(Qt::Key_Escape);
    QTest::newRow("Enter means No") << int(Qt::Key_Return);
}

void tst_wizDialog::overwriteQuestion()
{
    QFETCH(int, answer);
    const bool yes = answer == Qt::Key_Y;
    QDir(m_dir->path()).mkdir("meter");
    wiztest::writeAll(m_dir->path() + "/meter/mine.txt", "keep me");
    storeLastPath("/somewhere/else");

    wizDialog dialog;
    openDialog(dialog);
    dialog.location_lineEdit->setText(m_dir->path());
    dialog.project_lineEdit->setText("meter");
    dialog.listBox1->setCurrentRow(0);

    QString caption, text;
    wiztest::answerNextModal<QMessageBox>(&dialog, [&](QMessageBox *box) {
        caption = box->windowTitle();
        text = box->text();
        QCOMPARE(box->icon(), QMessageBox::Information);
        QCOMPARE(box->parentWidget(), nullptr);
        QCOMPARE(box->defaultButton(), box->button(QMessageBox::No));
        QCOMPARE(box->escapeButton(), box->button(QMessageBox::No));
        if (answer == Qt::Key_Y)
            box->button(QMessageBox::Yes)->click();
        else
            QTest::keyClick(box, Qt::Key(answer));
    });
    dialog.accept();

    QCOMPARE(caption, QStringLiteral("ZELK Application Wizard"));
    QCOMPARE(text, QStringLiteral("The path already exists. OK to overwrite?"));
    QCOMPARE(wiztest::readAll(m_dir->path() + "/meter/mine.txt"), QByteArray("keep me"));
    QCOMPARE(QFile::exists(m_dir->path() + "/meter/recorder.log"), yes);
    QCOMPARE(lastPath(), yes ? m_dir->path() : QStringLiteral("/somewhere/else"));
    QCOMPARE(dialog.isVisible(), !yes);
    if (!yes) {
        QCOMPARE(dialog.project_lineEdit->text(), QStringLiteral("meter"));
        QCOMPARE(dialog.location_lineEdit->text(), m_dir->path());
    }
}

void tst_wizDialog::failuresAreShown_data()
{
    QTest::addColumn<QString>("inTheWay");
    QTest::addColumn<QString>("message");
    QTest::addColumn<bool>("staysOpen");
    QTest::newRow("a file named like the project") << "file"
                                                   << "@/meter exists and is not a folder." << true;
    QTest::newRow("another user's folder")
        << "foreign"
        << "@/meter belongs to another user; the wizard does not write into it." << true;
    QTest::newRow("a file the template cannot write")
        << "directory"
        << "These files could not be written:\n\n@/meter/recorder.log: Is a directory" << false;
}

void tst_wizDialog::failuresAreShown()
{
    QFETCH(QString, inTheWay);
    QFETCH(QString, message);
    QFETCH(bool, staysOpen);
    const QString project = m_dir->path() + "/meter";
    if (inTheWay == "file") {
        wiztest::writeAll(project, "the user's file");
    } else {
        QVERIFY(QDir().mkpath(project + "/recorder.log"));
        if (inTheWay == "foreign") {
            if (geteuid() != 0)
                QSKIP("only the super-user can give a folder to another user");
            QCOMPARE(::chown(QFile::encodeName(project).constData(), 65534, 65534), 0);
        }
    }

    wizDialog dialog;
    openDialog(dialog);
    dialog.location_lineEdit->setText(m_dir->path());
    dialog.project_lineEdit->setText("meter");
    dialog.listBox1->setCurrentRow(0);
    QString shown;
    const auto readBox = [&](QMessageBox *box) {
        QCOMPARE(box->icon(), QMessageBox::Warning);
        shown = box->text();
        box->accept();
    };
    if (inTheWay == "directory") {
        // First the question about the existing folder, then the report.
        wiztest::answerNextModal<QMessageBox>(&dialog, [&](QMessageBox *box) {
            wiztest::answerNextModal<QMessageBox>(&dialog, readBox);
            box->button(QMessageBox::Yes)->click();
        });
    } else {
        wiztest::answerNextModal<QMessageBox>(&dialog, readBox);
    }
    QTest::mouseClick(dialog.buttonOk, Qt::LeftButton);

    QTRY_COMPARE(shown, message.replace("@", m_dir->path()));
    QCOMPARE(dialog.isVisible(), staysOpen);
    QCOMPARE(dialog.project_lineEdit->text(), QStringLiteral("meter"));
    // After a box of failures the folder is not opened.
    QCOMPARE(m_urls.opened, QList<QUrl>());
    if (inTheWay == "file")
        QCOMPARE(wiztest::readAll(project), QByteArray("the user's file"));
}

void tst_wizDialog::reviewBeforeReplacing_data()
{
    QTest::addColumn<QStringList>("edited");
    QTest::addColumn<QStringList>("unchecked");
    QTest::addColumn<bool>("cancel");
    QTest::newRow("nothing edited: no review") << QStringList() << QStringList() << false;
    QTest::newRow("checked files are replaced, unchecked ones kept")
        << QStringList { "m.cpp", "m.h" } << QStringList { "m/m.cpp" } << false;
    QTest::newRow("Cancel keeps them all") << QStringList { "m.cpp", "m.h" } << QStringList() << true;
}

// A rerun over a project the user has edited replaces only what the user checks.
void tst_wizDialog::reviewBeforeReplacing()
{
    QFETCH(QStringList, edited);
    QFETCH(QStringList, unchecked);
    QFETCH(bool, cancel);
    QVERIFY(QFile::copy(WIZ_BUILD_DIR "/plugins/soleStore.so", m_dir->plugins() + "/soleStore.so"));
    const QString project = m_dir->path() + "/m";
    QStringList listed;
    const auto run = [&] {
        wizDialog dialog;
        dialog.show();
        QTRY_COMPARE(dialog.listBox1->count(), 2);
        dialog.location_lineEdit->setText(m_dir->path());
        dialog.project_lineEdit->setText("m");
        dialog.listBox1->findItems("Create New Singleton ConfigClass Wizard", Qt::MatchExactly)
            .constFirst()
            ->setSelected(true);
        const auto review = [&](reviewDialog *review) {
            QVERIFY(review->textLabel->text().contains(
                "New files and files that already held the template's content are in place."));
            for (int row = 0; row < review->fileList->count(); ++row) {
                QListWidgetItem *item = review->fileList->item(row);
                listed << item->text();
                QCOMPARE(item->checkState(), Qt::Checked);
                if (unchecked.contains(item->text()))
                    item->setCheckState(Qt::Unchecked);
            }
            (cancel ? review->buttonCancel : review->buttonReplace)->click();
        };
        if (QFileInfo::exists(project))
            wiztest::answerNextModal<QMessageBox>(&dialog, [&](QMessageBox *box) {
                wiztest::answerNextModal<reviewDialog>(&dialog, review);
                box->button(QMessageBox::Yes)->click();
            });
        dialog.accept();
    };
    run();
    const QMap<QString, QByteArray> fresh = [&] {
        QMap<QString, QByteArray> files;
        for (const QString &name : wiztest::tree(project))
            files.insert(name, wiztest::readAll(project + "/" + name));
        return files;
    }();
    QCOMPARE(fresh.keys(), QStringList({ "m.cpp", "m.dsp", "m.dsw", "m.h", "main.cpp" }));
    QVERIFY(listed.isEmpty());
    for (const QString &name : edited)
        wiztest::writeAll(project + "/" + name, "edited\r\n");
    QVERIFY(QFile::remove(project + "/main.cpp"));

    run();
    QStringList expectedList;
    for (const QString &name : edited)
        expectedList << "m/" + name;
    QCOMPARE(listed, expectedList);
    for (auto it = fresh.cbegin(); it != fresh.cend(); ++it) {
        const bool kept = edited.contains(it.key())
            && (cancel || unchecked.contains("m/" + it.key()));
        // The project's GUIDs are new on each run; only kept files hold the user's bytes.
        QCOMPARE(wiztest::readAll(project + "/" + it.key()) == "edited\r\n", kept);
    }
}

void tst_wizDialog::cancelStoresNothing()
{
    storeLastPath("/before");
    wizDialog dialog;
    openDialog(dialog);
    dialog.location_lineEdit->setText(m_dir->path());
    dialog.project_lineEdit->setText("meter");
    dialog.listBox1->setCurrentRow(0);
    QTest::mouseClick(dialog.buttonCancel, Qt::LeftButton);
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    QCOMPARE(lastPath(), QStringLiteral("/before"));
    QVERIFY(!QFile::exists(m_dir->path() + "/meter"));
}

// The panels folder of the current system when it exists, else a folder that
// exists: the location typed, or home.
void tst_wizDialog::chooserStart_data()
{
    QTest::addColumn<bool>("panels");
    QTest::addColumn<QString>("location");
    QTest::addColumn<QString>("start");
    QTest::newRow("panels of the system") << true << "%d/dir"
                                          << "%d/root/sys/panels";
    QTest::newRow("the location typed") << false << "%d/dir"
                                        << "%d/dir";
    QTest::newRow("a relative location") << false << "dir"
                                         << "%d/dir";
    QTest::newRow("a missing location: home") << false << "%d/nowhere"
                                              << "%h";
    QTest::newRow("no location: home") << false << ""
                                       << "%h";
}

void tst_wizDialog::chooserStart()
{
    QFETCH(bool, panels);
    QFETCH(QString, location);
    QFETCH(QString, start);
    auto expand = [this](QString text) {
        return text.replace("%d", m_dir->path()).replace("%h", QDir::homePath());
    };
    QVERIFY(QDir(m_dir->path()).mkpath("dir"));
    if (panels) {
        QVERIFY(QDir(m_dir->path()).mkpath("root/sys/panels"));
        qputenv("QV_ROOT", QFile::encodeName(m_dir->path() + "/root"));
        qputenv("QV_SYSTEM", "sys");
    }

    wizDialog dialog;
    openDialog(dialog);
    dialog.location_lineEdit->setText(expand(location));
    QString opened;
    wiztest::answerNextModal<QFileDialog>(&dialog, [&](QFileDialog *chooser) {
        opened = chooser->directory().absolutePath();
        QCOMPARE(chooser->fileMode(), QFileDialog::Directory);
        QMetaObject::invokeMethod(chooser, "accept");
    });
    QTest::mouseClick(dialog.browse, Qt::LeftButton);
    qunsetenv("QV_ROOT");
    qunsetenv("QV_SYSTEM");
    QCOMPARE(opened, expand(start));
    QCOMPARE(dialog.location_lineEdit->text(), expand(start));
}

void tst_wizDialog::chooserCancelChangesNothing()
{
    wizDialog dialog;
    openDialog(dialog);
    dialog.location_lineEdit->setText(m_dir->path());
    wiztest::answerNextModal<QFileDialog>(&dialog, [](QFileDialog *chooser) { chooser->reject(); });
    QTest::mouseClick(dialog.browse, Qt::LeftButton);
    QCOMPARE(dialog.location_lineEdit->text(), m_dir->path());
}

// Its description is the row's tool tip and, once nothing else needs saying,
// the hint; its name pattern keeps OK disabled, and replaces the C++ warning
// that "café" would otherwise get.
void tst_wizDialog::templateThatDescribesItself()
{
    QVERIFY(QFile::remove(m_dir->plugins() + "/recorder.so"));
    QVERIFY(m_dir->add("kit/kit", "kit.so"));
    wizDialog dialog;
    openDialog(dialog);
    const QString description = QStringLiteral("Writes a few files in each encoding.");
    QCOMPARE(dialog.listBox1->item(0)->toolTip(), description);
    dialog.listBox1->setCurrentRow(0);
    dialog.location_lineEdit->setText(m_dir->path());
    dialog.project_lineEdit->setText(QString::fromUtf8("Café"));
    QVERIFY(!dialog.buttonOk->isEnabled());
    QCOMPARE(dialog.hintLabel->text(), QStringLiteral("Use lower-case letters only."));
    dialog.project_lineEdit->setText(QString::fromUtf8("café"));
    QVERIFY(dialog.buttonOk->isEnabled());
    QCOMPARE(dialog.hintLabel->text(), description);
}

// Under a German locale the window, its hints and Qt's own buttons speak German.
void tst_wizDialog::germanWindow()
{
    QVERIFY(translations::install(QLocale(QLocale::German, QLocale::Germany),
        { QStringLiteral(WIZ_BUILD_DIR "/translations") }));
    wizDialog dialog;
    openDialog(dialog);
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Varnet-Control-Anwendungsassistent"));
    QCOMPARE(dialog.textLabel1->text(), QStringLiteral("Projekt&name"));
    QCOMPARE(dialog.buttonCancel->text(), QStringLiteral("&Abbrechen"));
    QCOMPARE(dialog.hintLabel->text(), QStringLiteral("Wählen Sie eine Vorlage."));

    QStringList buttons;
    wiztest::answerNextModal<QFileDialog>(&dialog, [&](QFileDialog *chooser) {
        for (const QAbstractButton *button : chooser->findChildren<QAbstractButton *>())
            buttons << button->text();
        chooser->reject();
    });
    QTest::mouseClick(dialog.browse, Qt::LeftButton);
    QVERIFY2(buttons.contains(QStringLiteral("Abbrechen")), qPrintable(buttons.join(", ")));

    for (QTranslator *translator : qApp->findChildren<QTranslator *>()) {
        QCoreApplication::removeTranslator(translator);
        delete translator;
    }
}

WIZ_TEST_MAIN(tst_wizDialog)
#include "tst_wizdialog.moc"
