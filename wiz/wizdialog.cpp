#include "wizdialog.h"

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

// An option is its keyword, "=" and a value; "=" runs and empty pieces are
// dropped, and anything but exactly two pieces is no valid option.
bool optionValue(const QString &argument, QString *value)
{
    const QStringList pieces = argument.split(QLatin1Char('='), Qt::SkipEmptyParts);
    if (pieces.size() != 2)
        return false;
    *value = wizDialog::expandEnvironment(pieces.at(1));
    return true;
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

bool wizDialog::isProjectName(const QString &name)
{
    return !name.isEmpty() && !name.contains(QLatin1Char('/')) && !name.contains(QLatin1Char('\\'))
        && name != QLatin1String(".") && name != QLatin1String("..");
}

void wizDialog::checkValid()
{
    const QString name = project_lineEdit->text();
    const QString location = location_lineEdit->text();
    buttonOk->setEnabled(isProjectName(name) && !location.isEmpty() && QDir(location).exists()
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
    const QString projectDir = location + QLatin1Char('/') + name;

    if (QDir(projectDir).exists()) {
        QMessageBox question(QMessageBox::Information, tr("ZELK Application Wizard"),
            tr("The path already exists. OK to overwrite?"), QMessageBox::Yes | QMessageBox::No);
        question.setDefaultButton(QMessageBox::No);
        question.setEscapeButton(QMessageBox::No);
        if (question.exec() != QMessageBox::Yes)
            return;
    } else {
        QDir().mkdir(projectDir);
    }

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
    return templateRunner::run(this, libraryPaths[key], key, path, name, params, m_unattended);
}

QString wizDialog::expandEnvironment(const QString &text)
{
    // There is no escape for a literal "%": "%%" is an empty name and gives nothing.
    QString result;
    QString name;
    bool inName = false;
    for (const QChar c : text) {
        if (c == QLatin1Char('%')) {
            if (inName && !name.isEmpty())
                result += qEnvironmentVariable(name.toLocal8Bit().constData());
            name.clear();
            inName = !inName;
        } else if (inName) {
            name += c;
            if (name.size() >= 256) {
                qDebug().noquote()
                    << QStringLiteral("serious error = request for environment string is broken: ")
                        + text;
                return result;
            }
        } else {
            result += c;
        }
    }
    // A name still open at the end is dropped.
    return result;
}

wizRequest wizDialog::scanArguments(const QStringList &arguments)
{
    wizRequest request;
    for (const QString &argument : arguments) {
        if (argument.startsWith(QLatin1String("/path")))
            optionValue(argument, &request.location);
        else if (argument.startsWith(QLatin1String("/project")))
            optionValue(argument, &request.project);
        else if (argument.startsWith(QLatin1String("/key")))
            optionValue(argument, &request.key);
        else
            request.params << expandEnvironment(argument);
    }
    return request;
}

void wizDialog::runUnattended()
{
    // Only on a display: main() runs headless requests without the window.
    m_unattended = true;
    const wizRequest request = scanArguments(QCoreApplication::arguments());
    location_lineEdit->setText(request.location);
    project_lineEdit->setText(request.project);

    if (!templateRunner::prepare(request)
        || !runPlugin(request.key, request.location, request.project, request.params))
        m_exitStatus = 1;
    QDialog::accept();
}
