#include "testmain.h"
#include "wizdialog.h"
#include "wizdialogbase.h"

#include <QAccessible>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTranslator>

class tst_wizDialogBase : public QObject
{
    Q_OBJECT

private slots:
    void texts_data();
    void texts();
    void names();
    void noToolTips();
    void shortcuts();
    void keysCloseTheDialog_data();
    void keysCloseTheDialog();
    void focusOrder();
    void initialSize();
    void resizing();
    void languageChangeSetsEveryText();
    void windowIcon();
    void accessibleNames_data();
    void accessibleNames();
    void mnemonics_data();
    void mnemonics();
};

void tst_wizDialogBase::texts_data()
{
    QTest::addColumn<QString>("object");
    QTest::addColumn<QByteArray>("property");
    QTest::addColumn<QString>("expected");

    QTest::newRow("caption") << "wizDialogBase" << QByteArray("windowTitle")
                             << "Varnet Control Application Wizard";
    QTest::newRow("list tip") << "listBox1" << QByteArray("toolTip")
                              << "List of available application templates";
    QTest::newRow("list what's this")
        << "listBox1" << QByteArray("whatsThis")
        << "This is a list of the available application templates. These templates are stored in a "
           "plugins subdirectory and must follow the ZELK Wizard plug-in interface.\n\n\n"
           "You can use this tool to generate more plugins.\n\n\nPlease see the documentation for "
           "a "
           "full explaination.";
    QTest::newRow("name label") << "textLabel1" << QByteArray("text") << "Project &Name";
    QTest::newRow("name tip")
        << "project_lineEdit" << QByteArray("toolTip")
        << "Enter the project name - this becomes the directory where all the "
           "project files are placed";
    QTest::newRow("name what's this")
        << "project_lineEdit" << QByteArray("whatsThis")
        << "<p>Enter the project name - this becomes the directory where all the project files are "
           "placed</p>";
    QTest::newRow("location label") << "textLabel1_2" << QByteArray("text") << "&Location";
    QTest::newRow("location tip")
        << "location_lineEdit" << QByteArray("toolTip")
        << "<p>Path in which to create new project - this path must exist</p>";
    QTest::newRow("location what's this")
        << "location_lineEdit" << QByteArray("whatsThis")
        << "<p><b>Path in which to create new project</b></p>\n\n<p>This path <b>must exist</b> "
           "and "
           "your project will be a new sub-folder off this directory</p>";
    QTest::newRow("browse") << "browse" << QByteArray("text") << "...";
    QTest::newRow("browse tip") << "browse" << QByteArray("toolTip")
                                << "Click here to browse to a directory";
    QTest::newRow("browse has no what's this") << "browse" << QByteArray("whatsThis") << "";
    QTest::newRow("ok") << "buttonOk" << QByteArray("text") << "&OK";
    QTest::newRow("cancel") << "buttonCancel" << QByteArray("text") << "&Cancel";
}

void tst_wizDialogBase::texts()
{
    QFETCH(QString, object);
    QFETCH(QByteArray, property);
    QFETCH(QString, expected);

    wizDialogBase dialog;
    QObject *target = object == dialog.objectName() ? &dialog : dialog.findChild<QObject *>(object);
    QVERIFY2(target, qPrintable(object));
    QCOMPARE(target->property(property.constData()).toString(), expected);
}

void tst_wizDialogBase::names()
{
    wizDialogBase unnamed;
    QCOMPARE(unnamed.objectName(), QStringLiteral("wizDialogBase"));
    wizDialogBase named(nullptr, "mine");
    QCOMPARE(named.objectName(), QStringLiteral("mine"));

    QVERIFY(unnamed.findChild<QListWidget *>("listBox1"));
    QVERIFY(unnamed.findChild<QLineEdit *>("project_lineEdit"));
    QVERIFY(unnamed.findChild<QLineEdit *>("location_lineEdit"));
    for (const char *layout : { "wizDialogBaseLayout", "layout5", "layout2", "layout4" })
        QVERIFY2(unnamed.findChild<QLayout *>(layout), layout);
    QVERIFY(unnamed.buttonOk->isDefault());
    QVERIFY(unnamed.buttonOk->autoDefault());
    QVERIFY(!unnamed.buttonCancel->isDefault());
    QVERIFY(unnamed.buttonCancel->autoDefault());
    QVERIFY(unnamed.isSizeGripEnabled());
}

void tst_wizDialogBase::noToolTips()
{
    wizDialogBase dialog;
    for (QWidget *widget :
        { static_cast<QWidget *>(dialog.textLabel1), static_cast<QWidget *>(dialog.textLabel1_2),
            static_cast<QWidget *>(dialog.buttonOk), static_cast<QWidget *>(dialog.buttonCancel) })
        QVERIFY2(widget->toolTip().isEmpty(), qPrintable(widget->objectName()));
}

void tst_wizDialogBase::shortcuts()
{
    wizDialogBase dialog;
    QCOMPARE(dialog.buttonOk->shortcut(), QKeySequence(QStringLiteral("Alt+O")));
    QCOMPARE(dialog.buttonCancel->shortcut(), QKeySequence(QStringLiteral("Alt+C")));
}

void tst_wizDialogBase::keysCloseTheDialog_data()
{
    QTest::addColumn<QString>("focus");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<int>("result");

    QTest::newRow("Enter in the name")
        << "project_lineEdit" << int(Qt::Key_Return) << 0 << int(QDialog::Accepted);
    QTest::newRow("Enter in the location")
        << "location_lineEdit" << int(Qt::Key_Return) << 0 << int(QDialog::Accepted);
    QTest::newRow("Escape") << "project_lineEdit" << int(Qt::Key_Escape) << 0
                            << int(QDialog::Rejected);
    QTest::newRow("Alt+O") << "listBox1" << int(Qt::Key_O) << int(Qt::AltModifier)
                           << int(QDialog::Accepted);
    QTest::newRow("Alt+C") << "location_lineEdit" << int(Qt::Key_C) << int(Qt::AltModifier)
                           << int(QDialog::Rejected);
}

void tst_wizDialogBase::keysCloseTheDialog()
{
    QFETCH(QString, focus);
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(int, result);

    wizDialogBase dialog;
    dialog.setResult(-1);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    QWidget *target = dialog.findChild<QWidget *>(focus);
    target->setFocus();
    QTest::keyClick(target, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    QTRY_COMPARE(dialog.result(), result);
    QVERIFY(!dialog.isVisible());
}

void tst_wizDialogBase::focusOrder()
{
    wizDialogBase dialog;
    const QList<QWidget *> expected { dialog.listBox1, dialog.project_lineEdit,
        dialog.location_lineEdit, dialog.browse, dialog.buttonOk, dialog.buttonCancel };
    QWidget *widget = dialog.listBox1;
    for (QWidget *next : expected.mid(1)) {
        widget = widget->nextInFocusChain();
        while (!(widget->focusPolicy() & Qt::TabFocus))
            widget = widget->nextInFocusChain();
        QCOMPARE(widget, next);
    }
}

void tst_wizDialogBase::initialSize()
{
    wizDialogBase dialog;
    QCOMPARE(dialog.size(), QSize(480, 449).expandedTo(dialog.minimumSizeHint()));
}

void tst_wizDialogBase::resizing()
{
    wizDialogBase dialog;
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    const QSize list = dialog.listBox1->size();
    const int nameWidth = dialog.project_lineEdit->width();
    const int locationWidth = dialog.location_lineEdit->width();
    const int nameHeight = dialog.project_lineEdit->height();

    dialog.resize(dialog.width() + 200, dialog.height() + 150);
    QTRY_COMPARE(dialog.listBox1->width(), list.width() + 200);
    QCOMPARE(dialog.listBox1->height(), list.height() + 150);
    QCOMPARE(dialog.location_lineEdit->width(), locationWidth + 200);
    QCOMPARE(dialog.project_lineEdit->width(), nameWidth);
    QCOMPARE(dialog.project_lineEdit->height(), nameHeight);
    QVERIFY(dialog.browse->width() <= 20);
}

void tst_wizDialogBase::languageChangeSetsEveryText()
{
    // All texts are set in one slot, so a window that is open when the
    // language changes can take the new one.
    wizDialogBase dialog;
    QTranslator german;
    QVERIFY(german.load(QStringLiteral(WIZ_BUILD_DIR "/translations/wiz_de.qm")));
    QCoreApplication::installTranslator(&german);
    QVERIFY(QMetaObject::invokeMethod(&dialog, "languageChange"));
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Varnet-Control-Anwendungsassistent"));
    QCOMPARE(dialog.textLabel1->text(), QStringLiteral("Projekt&name"));
    QCOMPARE(dialog.buttonCancel->text(), QStringLiteral("&Abbrechen"));

    QCoreApplication::removeTranslator(&german);
    QVERIFY(QMetaObject::invokeMethod(&dialog, "languageChange"));
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Varnet Control Application Wizard"));
    QCOMPARE(dialog.textLabel1->text(), QStringLiteral("Project &Name"));
    QCOMPARE(dialog.buttonCancel->text(), QStringLiteral("&Cancel"));
}

void tst_wizDialogBase::windowIcon()
{
    wizDialog dialog;
    const QImage icon = dialog.windowIcon().pixmap(QSize(32, 32)).toImage();
    QCOMPARE(icon.size(), QSize(32, 32));
    QCOMPARE(qAlpha(icon.pixel(0, 0)), 0);
    QCOMPARE(qAlpha(icon.pixel(31, 31)), 0);
    QCOMPARE(qAlpha(icon.pixel(16, 16)), 255);
    QVERIFY(qAlpha(icon.pixel(31, 0)) == 255 && qAlpha(icon.pixel(0, 31)) == 255);
}

// What a screen reader says of each control: its name, and a description
// without the tags that the tool tips carry for the eye.
void tst_wizDialogBase::accessibleNames_data()
{
    QTest::addColumn<QString>("widget");
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("description");
    QTest::newRow("template list") << "listBox1"
                                   << ""
                                   << "Templates"
                                   << "List of available application templates";
    QTest::newRow("project name")
        << "project_lineEdit"
        << "textLabel1"
        << "Project Name"
        << "Enter the project name - this becomes the directory where all "
           "the project files are placed";
    QTest::newRow("location") << "location_lineEdit"
                              << "textLabel1_2"
                              << "Location"
                              << "Path in which to create new project - this path must exist";
    QTest::newRow("chooser") << "browse"
                             << ""
                             << "Choose location"
                             << "Click here to browse to a directory";
}

void tst_wizDialogBase::accessibleNames()
{
    QFETCH(QString, widget);
    QFETCH(QString, label);
    QFETCH(QString, name);
    QFETCH(QString, description);

    wizDialogBase dialog;
    auto *input = dialog.findChild<QWidget *>(widget);
    QVERIFY(input);
    if (!label.isEmpty()) {
        // The label's mnemonic takes the focus to its field.
        auto *caption = dialog.findChild<QLabel *>(label);
        QVERIFY(caption);
        QCOMPARE(caption->buddy(), input);
    }
    QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(input);
    QVERIFY(accessible);
    QCOMPARE(accessible->text(QAccessible::Name), name);
    QCOMPARE(accessible->text(QAccessible::Description), description);
}

void tst_wizDialogBase::mnemonics_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("field");
    QTest::newRow("Alt+N") << int(Qt::Key_N) << "project_lineEdit";
    QTest::newRow("Alt+L") << int(Qt::Key_L) << "location_lineEdit";
}

void tst_wizDialogBase::mnemonics()
{
    QFETCH(int, key);
    QFETCH(QString, field);
    wizDialogBase dialog;
    dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    dialog.listBox1->setFocus();
    QTest::keyClick(&dialog, Qt::Key(key), Qt::AltModifier);
    QTRY_COMPARE(QApplication::focusWidget(), dialog.findChild<QWidget *>(field));
    QVERIFY(dialog.isVisible());
}

WIZ_TEST_MAIN(tst_wizDialogBase)
#include "tst_wizdialogbase.moc"
