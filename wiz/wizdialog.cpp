#include "wizdialog.h"

#include "commandline.h"
#include "plugincatalog.h"
#include "templaterunner.h"

#include "wiz_icon.xpm"

#include <QApplication>
#include <QDebug>
#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QSettings>
#include <QTimerEvent>

namespace {

const char lastPathKey[] = "/lastpath";

// Each use opens the store anew and performs one read or one write.
QSettings hostSettings()
{
    return QSettings(
        QSettings::UserScope, QStringLiteral("Tessaly Technology"), QStringLiteral("ZELK Wizard"));
}

QString defaultLocation()
{
#ifdef Q_OS_WIN
    return QStringLiteral("c:\\");
#else
    return QDir::homePath();
#endif
}

} // namespace

wizDialog::wizDialog(QWidget *parent, const char *name, bool modal, Qt::WindowFlags fl)
    : wizDialogBase(parent, name, modal, fl)
{
    setWindowIcon(QPixmap(wiz_icon));
    // Read before the connections below, so filling the field checks nothing yet.
    location_lineEdit->setText(
        hostSettings().value(QLatin1String(lastPathKey), defaultLocation()).toString());
    buttonOk->setEnabled(false);

    connect(listBox1, &QListWidget::itemSelectionChanged, this, &wizDialog::checkValid);
    connect(project_lineEdit, &QLineEdit::textChanged, this, &wizDialog::checkValid);
    connect(location_lineEdit, &QLineEdit::textChanged, this, &wizDialog::checkValid);
    connect(browse, &QPushButton::clicked, this, &wizDialog::browsedir);

    // The first event arrives once exec() runs, with the window on screen.
    startTimer(1);
}

wizDialog::~wizDialog() = default;

void wizDialog::checkValid()
{
    const QString name = project_lineEdit->text();
    const QString location = location_lineEdit->text();
    buttonOk->setEnabled(commandLine::isProjectName(name) && !location.isEmpty() && QDir(location).exists()
        && listBox1->currentRow() != -1);
}

void wizDialog::browsedir()
{
    // Always the panels folder of the current system, never the field's text.
    const QString start
        = QStringLiteral("%1/%2/panels")
              .arg(qEnvironmentVariable("QV_ROOT"), qEnvironmentVariable("QV_SYSTEM"));
    const QString chosen = QFileDialog::getExistingDirectory(this, QString(), start);
    if (!chosen.isEmpty())
        location_lineEdit->setText(chosen);
}

void wizDialog::accept()
{
    QListWidgetItem *template_ = listBox1->currentItem();
    if (!template_ || !buttonOk->isEnabled())
        return;
    const QString name = project_lineEdit->text();
    const QString location = location_lineEdit->text();

    // A refusal, a failed mkdir or a No keeps the window open with its fields.
    projectFolder folder;
    if (!templateRunner(templateRunner::Attended, this).prepare(location, name, &folder))
        return;
    m_createdFolder = folder.created;

    hostSettings().setValue(QLatin1String(lastPathKey), location);
    const QString key = template_->text();
    QDialog::accept();
    runPlugin(key, location, name, QStringList(QString()));
}

void wizDialog::timerEvent(QTimerEvent *e)
{
    killTimer(e->timerId());
    loadPlugins();
    if (QCoreApplication::arguments().size() <= 1)
        return;
    runUnattended();
}

void wizDialog::loadPlugins()
{
    for (const pluginEntry &entry : pluginCatalog::scan()) {
        listBox1->addItem(new QListWidgetItem(QIcon(entry.icon), entry.title));
        // A later library with the same title wins; the earlier row stays.
        libraryPaths[entry.title] = entry.path;
    }
    // No row is chosen until the user chooses one. Saying so explicitly also
    // stops the list from making its first row current when it takes focus,
    // which would offer OK for a template nobody picked.
    listBox1->setCurrentIndex(QModelIndex());
}

bool wizDialog::runPlugin(
    const QString &key, const QString &path, const QString &name, const QStringList &params)
{
    wizRequest request;
    request.location = path;
    request.project = name;
    request.key = key;
    request.params = params;
    const projectFolder folder { path + QLatin1Char('/') + name, m_createdFolder };
    m_createdFolder = false;
    return templateRunner(templateRunner::Attended, this).run(libraryPaths.value(key), request, folder)
        == 0;
}

QString wizDialog::expandEnvironment(const QString &text)
{
    return commandLine::expandEnvironment(text);
}

void wizDialog::runUnattended()
{
    // Only on a display: main() runs headless requests without the window.
    const wizRequest request = commandLine::scan(QCoreApplication::arguments());
    location_lineEdit->setText(request.location);
    project_lineEdit->setText(request.project);
    m_exitStatus = templateRunner(templateRunner::Unattended, this)
                       .runRequest(request, libraryPaths.value(request.key));
    QDialog::accept();
}
