// A template folder's options in the window: the dialog built from its
// manifest, what it hands to the run, what it remembers, and Cancel.
#include "fixturedir.h"
#include "folderoptionsdialog.h"
#include "wizdialog.h"
#include "wiztest.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDesktopServices>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QSettings>

class tst_folderOptions : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void dialog_data();
    void dialog();
    void remembersPerTemplate();
    void windowRun_data();
    void windowRun();

private:
    wiztest::UrlCatcher m_urls;
};

namespace {

const QString sampler = QStringLiteral(WIZ_SOURCE_DIR "/tests/fixtures/folders/sampler");

templateManifest samplerManifest()
{
    templateManifest manifest;
    QStringList errors;
    if (!templateJson::read(sampler, QString(), &manifest, &errors))
        qWarning("%s", qPrintable(errors.join(u'\n')));
    return manifest;
}

// "NAME=VALUE": chooses the value in the field of that option, as a user would.
void change(QDialog *dialog, const QString &change)
{
    const QString name = change.section(u'=', 0, 0);
    const QString value = change.section(u'=', 1);
    QWidget *field = dialog->findChild<QWidget *>(name);
    QVERIFY2(field, qPrintable(name));
    if (auto *box = qobject_cast<QComboBox *>(field)) {
        box->setCurrentIndex(box->findData(value));
    } else if (auto *check = qobject_cast<QCheckBox *>(field)) {
        if (check->isChecked() != (value == QLatin1String("true")))
            QTest::mouseClick(check, Qt::LeftButton);
    } else {
        auto *edit = qobject_cast<QLineEdit *>(field);
        edit->clear();
        QTest::keyClicks(edit, value);
    }
}

QPushButton *okButton(QDialog *dialog)
{
    return dialog->findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok);
}

} // namespace

void tst_folderOptions::init()
{
    QSettings(QSettings::UserScope, "Tessaly Technology", "ZELK Wizard").clear();
    m_urls.opened.clear();
    QDesktopServices::setUrlHandler(QStringLiteral("file"), &m_urls, "open");
}

void tst_folderOptions::cleanup()
{
    QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
}

void tst_folderOptions::dialog_data()
{
    QTest::addColumn<QStringList>("changes");
    QTest::addColumn<QStringList>("parameters");
    QTest::addColumn<bool>("authorShown");
    QTest::addColumn<bool>("okEnabled");
    const QStringList defaults { "/style=plain", "/docs=true", "/author=Tess" };
    const auto row
        = [](const char *title, const QStringList &changes, const QStringList &parameters,
              bool authorShown = true, bool okEnabled = true) {
              QTest::newRow(title) << changes << parameters << authorShown << okEnabled;
          };
    row("defaults", {}, defaults);
    row("a choice", { "style=fancy" }, { "/style=fancy", "/docs=true", "/author=Tess" });
    row("a condition turned off hides its field", { "docs=false", "author=Ann" },
        { "/style=plain", "/docs=false" }, false);
    row("and on again shows it", { "docs=false", "docs=true" }, defaults);
    row("a value its pattern refuses keeps OK off", { "author=T3ss" },
        { "/style=plain", "/docs=true", "/author=T3ss" }, true, false);
}

void tst_folderOptions::dialog()
{
    QFETCH(QStringList, changes);
    QFETCH(QStringList, parameters);
    QFETCH(bool, authorShown);
    QFETCH(bool, okEnabled);
    folderOptionsDialog dialog(samplerManifest());
    dialog.show();
    for (const QString &step : changes)
        change(&dialog, step);
    QCOMPARE(dialog.parameters(), parameters);
    QWidget *author = dialog.findChild<QLineEdit *>("author");
    QCOMPARE(author->isVisible(), authorShown);
    QCOMPARE(okButton(&dialog)->isEnabled(), okEnabled);

    // Labels lead to their fields, with their shortcut keys; help is the tool tip.
    const QList<QLabel *> labels = dialog.findChildren<QLabel *>();
    const auto labelOf = [&labels](QWidget *field) {
        for (QLabel *label : labels)
            if (label->buddy() == field)
                return label->text();
        return QString();
    };
    QCOMPARE(labelOf(dialog.findChild<QComboBox *>("style")), QStringLiteral("&Style"));
    QCOMPARE(labelOf(author), QStringLiteral("&Author"));
    QCOMPARE(dialog.findChild<QCheckBox *>("docs")->text(), QStringLiteral("With &documents"));
    QVERIFY(author->toolTip().startsWith("Named in the guide."));
}

// OK remembers the values for the template's title; Cancel forgets its changes.
void tst_folderOptions::remembersPerTemplate()
{
    const templateManifest manifest = samplerManifest();
    {
        folderOptionsDialog first(manifest);
        change(&first, "style=fancy");
        change(&first, "docs=false");
        first.accept();
    }
    {
        folderOptionsDialog cancelled(manifest);
        change(&cancelled, "style=plain");
        cancelled.reject();
    }
    folderOptionsDialog again(manifest);
    QCOMPARE(again.parameters(), (QStringList { "/style=fancy", "/docs=false" }));
    templateManifest other = manifest;
    other.title = QStringLiteral("Another / Folder");
    QCOMPARE(folderOptionsDialog(other).parameters(),
        (QStringList { "/style=plain", "/docs=true", "/author=Tess" }));
}

void tst_folderOptions::windowRun_data()
{
    QTest::addColumn<bool>("accept");
    QTest::newRow("OK runs with the options") << true;
    QTest::newRow("Cancel writes nothing and goes back") << false;
}

// The window opened on one template folder (wiz --template DIR): chosen at
// once, its options after OK, its message after the run.
void tst_folderOptions::windowRun()
{
    QFETCH(bool, accept);
    QTemporaryDir location;
    wizDialog window;
    window.setTemplateFolder(sampler);
    window.show();
    QTRY_COMPARE(window.listBox1->count(), 1);
    QCOMPARE(window.listBox1->selectedItems().size(), 1);
    window.location_lineEdit->setText(location.path());
    window.project_lineEdit->setText("meter");

    QString message;
    wiztest::answerNextModal<folderOptionsDialog>(&window, [&](folderOptionsDialog *options) {
        change(options, "style=fancy");
        if (!accept) {
            options->reject();
            return;
        }
        wiztest::answerNextModal<QMessageBox>(&window, [&](QMessageBox *box) {
            message = box->text();
            box->accept();
        });
        QTest::mouseClick(okButton(options), Qt::LeftButton);
    });
    QTest::mouseClick(window.buttonOk, Qt::LeftButton);

    QCOMPARE(window.isVisible(), !accept);
    QCOMPARE(window.project_lineEdit->text(), QStringLiteral("meter"));
    if (accept) {
        QCOMPARE(message, QStringLiteral("The sampler is ready."));
        QVERIFY(wiztest::readAll(location.path() + "/meter/README.md").contains("Fancy!\n"));
        QCOMPARE(m_urls.opened, QList<QUrl> { QUrl::fromLocalFile(location.path() + "/meter") });
    } else {
        QVERIFY(wiztest::tree(location.path()).isEmpty());
        QVERIFY(m_urls.opened.isEmpty());
    }
}

WIZ_TEST_MAIN(tst_folderOptions)
#include "tst_folderoptions.moc"
