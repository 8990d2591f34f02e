#include "reviewdialogbase.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

reviewDialogBase::reviewDialogBase(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("reviewDialogBase"));
    setModal(true);
    textLabel = new QLabel(this);
    textLabel->setObjectName(QStringLiteral("textLabel"));
    textLabel->setWordWrap(true);
    fileList = new QListWidget(this);
    fileList->setObjectName(QStringLiteral("fileList"));
    buttonReplace = new QPushButton(this);
    buttonReplace->setObjectName(QStringLiteral("buttonReplace"));
    buttonReplace->setDefault(true);
    buttonCancel = new QPushButton(this);
    buttonCancel->setObjectName(QStringLiteral("buttonCancel"));

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(buttonReplace);
    buttons->addWidget(buttonCancel);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(textLabel);
    layout->addWidget(fileList);
    layout->addLayout(buttons);
    textLabel->setBuddy(fileList);

    languageChange();
    resize(480, 320);
}

void reviewDialogBase::languageChange()
{
    setWindowTitle(tr("Replace Existing Files?"));
    textLabel->setText(
        tr("The template wrote other content for these files than they hold now. Checked files "
           "are replaced; unchecked files keep what they hold. Cancel keeps them all.\n\n"
           "New files and files that already held the template's content are in place."));
    buttonReplace->setText(tr("&Replace Checked"));
    buttonCancel->setText(tr("Cancel"));
}
