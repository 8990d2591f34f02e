#include "folderoptionsdialogbase.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

folderOptionsDialogBase::folderOptionsDialogBase(const templateManifest &manifest, QWidget *parent)
    : QDialog(parent)
    , m_manifest(manifest)
{
    setObjectName(QStringLiteral("folderOptionsDialogBase"));
    setWindowTitle(manifest.title);
    auto *layout = new QVBoxLayout(this);
    descriptionLabel = new QLabel(manifest.description, this);
    descriptionLabel->setWordWrap(true);
    descriptionLabel->setVisible(!manifest.description.isEmpty());
    layout->addWidget(descriptionLabel);
    formLayout = new QFormLayout;
    layout->addLayout(formLayout);

    for (const templateOption &option : manifest.options) {
        QWidget *field = nullptr;
        if (option.kind == templateOption::YesNo) {
            field = new QCheckBox(option.label, this);
            formLayout->addRow(field);
        } else {
            if (option.kind == templateOption::Choice) {
                auto *box = new QComboBox(this);
                for (int i = 0; i < option.choices.size(); ++i)
                    box->addItem(option.choiceLabels.value(i), option.choices.at(i));
                field = box;
            } else {
                field = new QLineEdit(this);
            }
            auto *label = new QLabel(option.label, this);
            label->setBuddy(field);
            formLayout->addRow(label, field);
        }
        field->setObjectName(option.name.toLower());
        field->setToolTip(option.help);
        fields << field;
    }

    buttonBox = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    layout->addWidget(buttonBox);
    connect(buttonBox, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttonBox, &QDialogButtonBox::rejected, this, &QDialog::reject);
}
