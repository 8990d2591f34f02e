#include "folderoptionsdialog.h"

#include "options.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QUrl>

namespace {

// The host's store; a title may hold "/", which would nest groups.
QSettings optionStore()
{
    return QSettings(
        QSettings::UserScope, QStringLiteral("Tessaly Technology"), QStringLiteral("ZELK Wizard"));
}

QString groupOf(const QString &title)
{
    return QStringLiteral("template options/")
        + QString::fromLatin1(QUrl::toPercentEncoding(title));
}

} // namespace

folderOptionsDialog::folderOptionsDialog(const templateManifest &manifest, QWidget *parent)
    : folderOptionsDialogBase(manifest, parent)
{
    const placeholders::Values defaults = templateOptions::defaults(manifest);
    for (int i = 0; i < fields.size(); ++i) {
        const templateOption &option = manifest.options.at(i);
        const placeholders::Value value = defaults.value(option.name.toLower());
        if (auto *check = qobject_cast<QCheckBox *>(fields.at(i))) {
            check->setChecked(value.on);
            connect(check, &QCheckBox::toggled, this, &folderOptionsDialog::update);
        } else if (auto *box = qobject_cast<QComboBox *>(fields.at(i))) {
            box->setCurrentIndex(qMax(0, box->findData(value.text)));
            connect(box, &QComboBox::currentIndexChanged, this, &folderOptionsDialog::update);
        } else if (auto *edit = qobject_cast<QLineEdit *>(fields.at(i))) {
            edit->setText(value.text);
            connect(edit, &QLineEdit::textChanged, this, &folderOptionsDialog::update);
        }
    }
    recall();
    update();
}

QString folderOptionsDialog::text(int index) const
{
    const QWidget *field = fields.at(index);
    if (auto *check = qobject_cast<const QCheckBox *>(field))
        return QLatin1String(check->isChecked() ? "true" : "false");
    if (auto *box = qobject_cast<const QComboBox *>(field))
        return box->currentData().toString();
    return qobject_cast<const QLineEdit *>(field)->text();
}

placeholders::Values folderOptionsDialog::values() const
{
    placeholders::Values values = templateOptions::defaults(m_manifest);
    for (int i = 0; i < fields.size(); ++i) {
        QString ignored;
        templateOptions::set(m_manifest, m_manifest.options.at(i).name, text(i), &values, &ignored);
    }
    templateOptions::settle(m_manifest, &values);
    return values;
}

void folderOptionsDialog::update()
{
    const placeholders::Values now = values();
    bool acceptable = true;
    for (int i = 0; i < fields.size(); ++i) {
        const templateOption &option = m_manifest.options.at(i);
        const bool shown = templateOptions::applies(option, m_manifest, now);
        formLayout->setRowVisible(fields.at(i), shown);
        if (!shown)
            continue;
        placeholders::Values scratch;
        QString problem;
        const bool valid
            = templateOptions::set(m_manifest, option.name, text(i), &scratch, &problem);
        fields.at(i)->setToolTip(valid || problem.isEmpty()
                ? option.help
                : (option.help.isEmpty() ? problem : option.help + QLatin1Char('\n') + problem));
        acceptable = acceptable && valid;
    }
    buttonBox->button(QDialogButtonBox::Ok)->setEnabled(acceptable);
}

QStringList folderOptionsDialog::parameters() const
{
    const placeholders::Values now = values();
    QStringList parameters;
    for (int i = 0; i < fields.size(); ++i) {
        const templateOption &option = m_manifest.options.at(i);
        if (templateOptions::applies(option, m_manifest, now))
            parameters << QLatin1Char('/') + option.name + QLatin1Char('=') + text(i);
    }
    return parameters;
}

void folderOptionsDialog::recall()
{
    QSettings settings = optionStore();
    settings.beginGroup(groupOf(m_manifest.title));
    for (int i = 0; i < fields.size(); ++i) {
        const templateOption &option = m_manifest.options.at(i);
        const QVariant stored = settings.value(option.name.toLower());
        placeholders::Values scratch;
        QString problem;
        // A value the template no longer takes (a choice removed) is forgotten.
        if (!stored.isValid()
            || !templateOptions::set(
                m_manifest, option.name, stored.toString(), &scratch, &problem))
            continue;
        if (auto *check = qobject_cast<QCheckBox *>(fields.at(i)))
            check->setChecked(scratch.value(option.name.toLower()).on);
        else if (auto *box = qobject_cast<QComboBox *>(fields.at(i)))
            box->setCurrentIndex(qMax(0, box->findData(stored.toString())));
        else
            qobject_cast<QLineEdit *>(fields.at(i))->setText(stored.toString());
    }
}

void folderOptionsDialog::accept()
{
    QSettings settings = optionStore();
    settings.beginGroup(groupOf(m_manifest.title));
    for (int i = 0; i < fields.size(); ++i)
        settings.setValue(m_manifest.options.at(i).name.toLower(), text(i));
    QDialog::accept();
}

bool folderOptionsDialog::ask(
    const templateManifest &manifest, QWidget *parent, QStringList *parameters)
{
    parameters->clear();
    if (manifest.options.isEmpty())
        return true;
    folderOptionsDialog dialog(manifest, parent);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    *parameters = dialog.parameters();
    return true;
}
