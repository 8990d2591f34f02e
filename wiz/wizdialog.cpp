#include "wizdialog.h"

#include "commandline.h"
#include "cppname.h"
#include "folderoptionsdialog.h"
#include "foldertemplate.h"
#include "namerule.h"
#include "plugincatalog.h"
#include "productnames.h"
#include "templatedescription.h"
#include "templaterunner.h"
#include "templatesteps.h"

#include "wiz_icon.xpm"

#include <QAccessible>
#include <QApplication>
#include <QDebug>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <QSettings>
#include <QTimerEvent>

#include <cstdio>

namespace {

const char lastPathKey[] = "/lastpath";

// Each use opens the store anew and performs one read or one write.
QSettings hostSettings()
{
    return QSettings(QSettings::UserScope, QLatin1String(productNames::settingsOrganization),
        QLatin1String(productNames::settingsApplication));
}

QString defaultLocation()
{
#ifdef Q_OS_WIN
    return QStringLiteral("c:\\");
#else
    return QDir::homePath();
#endif
}

// What a row's tool tip says of its template: for a row whose title a later
// library gives again, which library runs.
// The row's tool tip: what the template tells about itself and, for a row
// whose title a later library gives again, which library runs instead.
QString rowToolTip(const pluginEntry &entry, const QString &runs)
{
    QStringList lines;
    const QString description = templateDescription::toolTip(entry);
    if (!description.isEmpty())
        lines << description;
    if (runs != entry.source())
        lines << QCoreApplication::translate("wizDialog", "%1 runs instead of %2")
                     .arg(QDir::toNativeSeparators(runs), QDir::toNativeSeparators(entry.source()));
    return lines.join(QLatin1Char('\n'));
}

} // namespace

wizDialog::wizDialog(QWidget *parent, const char *name, bool modal, Qt::WindowFlags fl)
    : wizDialogBase(parent, name, modal, fl)
{
    setWindowIcon(wizardIcon());
    // Read before the connections below, so filling the field checks nothing yet.
    location_lineEdit->setText(
        hostSettings().value(QLatin1String(lastPathKey), defaultLocation()).toString());
    buttonOk->setEnabled(false);

    connect(listBox1, &QListWidget::itemSelectionChanged, this, &wizDialog::checkValid);
    connect(project_lineEdit, &QLineEdit::textChanged, this, &wizDialog::checkValid);
    connect(location_lineEdit, &QLineEdit::textChanged, this, &wizDialog::checkValid);
    connect(browse, &QPushButton::clicked, this, &wizDialog::browsedir);
    // Not itemActivated: that also comes with Enter, which presses OK already.
    connect(listBox1, &QListWidget::itemDoubleClicked, this, &wizDialog::templateDoubleClicked);

    // The first event arrives once exec() runs, with the window on screen.
    startTimer(1);
}

wizDialog::~wizDialog() = default;

void wizDialog::checkValid()
{
    QWidget *field = nullptr;
    QString hint = blockingReason(&field);
    buttonOk->setEnabled(hint.isEmpty());
    if (hint.isEmpty()) {
        // With nothing in the way, the hint warns of the name or tells what
        // the chosen template writes.
        const QJsonObject about = chosenAbout();
        hint = nameRule::warning(about, project_lineEdit->text());
        if (hint.isEmpty())
            hint = templateDescription::description(about);
        field = project_lineEdit;
    }
    hintLabel->setText(hint);
    // Heard where it is seen: the hint becomes the description of the field
    // it is about, which a screen reader speaks when it changes and whenever
    // the field takes the focus.
    for (QWidget *input : { static_cast<QWidget *>(listBox1),
             static_cast<QWidget *>(project_lineEdit), static_cast<QWidget *>(location_lineEdit) })
        describe(input, input == field && !hint.isEmpty() ? hint : QString());
}

void wizDialog::describe(QWidget *field, const QString &hint)
{
    const QString description = hint.isEmpty() ? plainText(field->toolTip()) : hint;
    if (field->accessibleDescription() == description)
        return;
    field->setAccessibleDescription(description);
    // Qt changes the text quietly; assistive tools learn of it only through this.
    QAccessibleEvent changed(field, QAccessible::DescriptionChanged);
    QAccessible::updateAccessibility(&changed);
}

QJsonObject wizDialog::chosenAbout() const
{
    const QList<QListWidgetItem *> chosen = listBox1->selectedItems();
    return chosen.isEmpty() ? QJsonObject() : m_entries.value(chosen.first()->text()).about;
}

QString wizDialog::blockingReason(QWidget **field) const
{
    *field = listBox1;
    if (listBox1->count() == 0)
        return tr("No templates were found in %1.").arg(QLocale().createSeparatedList(m_folders));
    // The highlighted row, not the current one: a Ctrl+click takes the
    // highlight away and leaves the current row where it was.
    if (listBox1->selectedItems().isEmpty())
        return tr("Choose a template.");

    *field = project_lineEdit;
    switch (commandLine::projectNameProblem(project_lineEdit->text())) {
    case commandLine::nameProblem::None:
        break;
    case commandLine::nameProblem::Empty:
        return tr("Type a project name.");
    case commandLine::nameProblem::Blank:
        return tr("A project name needs more than spaces.");
    case commandLine::nameProblem::SpaceAtEdge:
        return tr("The project name begins or ends with a space.");
    case commandLine::nameProblem::NotOneFolder:
        return tr("A project name is one folder name: no \"/\" or \"\\\", not \".\" or \"..\".");
    }
    const QString refusal = nameRule::refusal(chosenAbout(), project_lineEdit->text());
    if (!refusal.isEmpty())
        return refusal;

    *field = location_lineEdit;
    const QString location = location_lineEdit->text();
    if (location.isEmpty())
        return tr("Type the location in which to make the project folder.");
    if (QDir(location).exists()) {
        *field = nullptr;
        return QString();
    }
    if (QFileInfo::exists(location))
        return tr("The location is a file, not a folder.");
    if (location.trimmed() != location && QDir(location.trimmed()).exists())
        return tr("The location begins or ends with a space.");
    if (location.startsWith(QLatin1Char('~')))
        return commandLine::tildeExplanation();
    if (QDir::isRelativePath(location))
        return tr("The location does not exist in %1.")
            .arg(QDir::toNativeSeparators(QDir::currentPath()));
    return tr("The location does not exist.");
}

void wizDialog::templateDoubleClicked(QListWidgetItem *item)
{
    // The double-click has chosen the row; what else is missing is in the hint.
    if (!item->isSelected())
        return;
    if (buttonOk->isEnabled()) {
        accept();
        return;
    }
    QWidget *field = nullptr;
    blockingReason(&field);
    if (field && field != listBox1)
        field->setFocus(Qt::OtherFocusReason);
}

void wizDialog::browsedir()
{
    // The panels folder of the current system comes first; without one, the
    // chooser starts at a folder that exists, so Choose works at once.
    QString start = QStringLiteral("%1/%2/panels")
                        .arg(qEnvironmentVariable("QV_ROOT"), qEnvironmentVariable("QV_SYSTEM"));
    const QString location = location_lineEdit->text();
    if (!QFileInfo(start).isDir())
        start = !location.isEmpty() && QFileInfo(location).isDir()
            ? QFileInfo(location).absoluteFilePath()
            : QDir::homePath();
    const QString chosen = QFileDialog::getExistingDirectory(this, QString(), start);
    if (!chosen.isEmpty())
        location_lineEdit->setText(chosen);
}

void wizDialog::accept()
{
    const QList<QListWidgetItem *> chosen = listBox1->selectedItems();
    if (chosen.isEmpty() || !buttonOk->isEnabled())
        return;
    const QString name = project_lineEdit->text();
    const QString location = location_lineEdit->text();
    const QString key = chosen.first()->text();

    // A template folder's options come first: Cancel there leaves the window as it was.
    QStringList params { QString() };
    const QString folder = m_entries.value(key).folder;
    if (!folder.isEmpty()) {
        templateManifest manifest;
        QStringList errors;
        if (!templateJson::read(folder, QStringLiteral(WIZ_VERSION), &manifest, &errors)) {
            QMessageBox::warning(this, windowTitle(), errors.join(QLatin1Char('\n')));
            return;
        }
        QStringList options;
        if (!folderOptionsDialog::ask(manifest, this, &options))
            return;
        params << options;
    }

    // A refusal, a failed mkdir or a No keeps the window open with its fields.
    m_runner = std::make_unique<templateRunner>(templateRunner::Attended, this);
    if (!m_runner->prepare(location, name)) {
        m_runner.reset();
        return;
    }

    hostSettings().setValue(QLatin1String(lastPathKey), location);
    QDialog::accept();
    runPlugin(key, location, name, params);
}

void wizDialog::timerEvent(QTimerEvent *e)
{
    killTimer(e->timerId());
    loadPlugins();
    if (m_request)
        runUnattended();
}

void wizDialog::loadPlugins()
{
    QList<pluginEntry> entries;
    if (m_templateFolder.isEmpty()) {
        entries = pluginCatalog::scan();
    } else {
        pluginEntry entry;
        if (pluginCatalog::folderEntry(
                m_templateFolder, pluginCatalog::WithIcons, &entry, &m_folderError))
            entries << entry;
        else
            m_folderError = folderTemplate::unusable(m_templateFolder, m_folderError);
        if (!m_folderError.isEmpty() && !m_request)
            QMessageBox::warning(this, windowTitle(), m_folderError);
    }
    // A later library with the same title wins; the earlier row stays.
    m_entries = pluginCatalog::byTitle(entries);
    for (const pluginEntry &entry : entries) {
        auto *row = new QListWidgetItem(QIcon(entry.icon), entry.title);
        row->setToolTip(rowToolTip(entry, m_entries.value(entry.title).source()));
        listBox1->addItem(row);
    }
    // No row is chosen until the user chooses one. Saying so explicitly also
    // stops the list from making its first row current when it takes focus,
    // which would offer OK for a template nobody picked. The one folder of
    // --template is the choice already.
    if (!m_templateFolder.isEmpty() && listBox1->count() == 1)
        listBox1->setCurrentRow(0);
    else
        listBox1->setCurrentIndex(QModelIndex());
    // Only an empty list names them, and only then is it worth asking again.
    m_folders.clear();
    if (listBox1->count() == 0) {
        // Folders that do not exist were not really looked in; wiz --paths says
        // why each one was passed over.
        for (const pluginFolder &folder : pluginCatalog::foldersRead()) {
            const QFileInfo info(folder.path);
            if (info.isDir())
                m_folders << QDir::toNativeSeparators(QDir::cleanPath(info.absoluteFilePath()));
        }
    }
    checkValid();
}

bool wizDialog::runPlugin(
    const QString &key, const QString &path, const QString &name, const QStringList &params)
{
    wizRequest request;
    request.location = path;
    request.project = name;
    request.key = key;
    request.params = params;
    const std::unique_ptr<templateStep> step = templateSteps::forEntry(m_entries.value(key));
    std::unique_ptr<templateRunner> runner = std::move(m_runner);
    if (!runner)
        runner = std::make_unique<templateRunner>(templateRunner::Attended, this);
    return runner->run(*step, request) == 0;
}

QIcon wizDialog::wizardIcon()
{
    return QIcon(QPixmap(wiz_icon));
}

void wizDialog::runUnattended()
{
    // Only on a display: main() runs headless requests without the window.
    location_lineEdit->setText(m_request->location);
    project_lineEdit->setText(m_request->project);
    wizRequest request = *m_request;
    const QStringList titles = m_entries.keys();
    if (!m_templateFolder.isEmpty() && !m_entries.isEmpty())
        request.key = titles.first();
    templateRunner runner(templateRunner::Unattended, this);
    const pluginEntry entry = m_entries.value(request.key);
    const std::unique_ptr<templateStep> step = templateSteps::forEntry(entry);
    if (!m_folderError.isEmpty()) {
        std::fprintf(stderr, "wiz: %s\n", qPrintable(m_folderError));
        m_exitStatus = 1;
    } else {
        m_exitStatus = runner.runRequest(
            request, *step, m_templateFolder.isEmpty() ? &titles : nullptr, entry.about);
    }
    QDialog::accept();
}
