#include "detailsdialogbase.h"

#include "form_layouts.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QSpacerItem>
#include <QVBoxLayout>

namespace {

// A frame whose contents stack from the top, however tall the frame grows.
void frameContents(QGroupBox *frame, QLayout *contents)
{
    auto *column = new QVBoxLayout(frame);
    column->setSpacing(6);
    column->setContentsMargins(11, 11, 11, 11);
    column->addLayout(contents);
    column->setAlignment(contents, Qt::AlignTop);
}

} // namespace

// Widgets are created in keyboard focus order: title, the two boxes, OK.
detailsDialogBase::detailsDialogBase(
    QWidget *parent, const char *name, bool modal, Qt::WindowFlags fl)
    : QDialog(parent, fl)
{
    setModal(modal);
    setObjectName(QLatin1String(name ? name : "detailsDialogBase"));
    setSizeGripEnabled(true);

    detailsDialogBaseLayout = formLayouts::dialogColumn(this, "detailsDialogBaseLayout");

    groupBox2 = new QGroupBox(this);
    groupBox2->setObjectName(QStringLiteral("groupBox2"));
    groupBox2Layout = new QHBoxLayout;
    frameContents(groupBox2, groupBox2Layout);

    title = new QLineEdit(groupBox2);
    title->setObjectName(QStringLiteral("title"));
    groupBox2Layout->addWidget(title);
    detailsDialogBaseLayout->addWidget(groupBox2);

    layout2 = formLayouts::row("layout2");

    groupBox1 = new QGroupBox(this);
    groupBox1->setObjectName(QStringLiteral("groupBox1"));
    groupBox1Layout = new QVBoxLayout;
    frameContents(groupBox1, groupBox1Layout);

    checkBox_dsw = new QCheckBox(groupBox1);
    checkBox_dsw->setObjectName(QStringLiteral("checkBox_dsw"));
    groupBox1Layout->addWidget(checkBox_dsw);
    checkBox_sln = new QCheckBox(groupBox1);
    checkBox_sln->setObjectName(QStringLiteral("checkBox_sln"));
    groupBox1Layout->addWidget(checkBox_sln);

    // The project type frame keeps its preferred width; the spacer takes the rest.
    layout2->addWidget(groupBox1);
    layout2->addItem(new QSpacerItem(121, 21, QSizePolicy::Expanding, QSizePolicy::Minimum));
    detailsDialogBaseLayout->addLayout(layout2);

    // Free height goes between the frames and the button row.
    detailsDialogBaseLayout->addItem(
        new QSpacerItem(20, 41, QSizePolicy::Minimum, QSizePolicy::Expanding));

    Layout1 = formLayouts::row("Layout1");
    Layout1->addItem(new QSpacerItem(20, 20, QSizePolicy::Expanding, QSizePolicy::Minimum));
    buttonOk = new QPushButton(this);
    buttonOk->setObjectName(QStringLiteral("buttonOk"));
    buttonOk->setAutoDefault(true);
    buttonOk->setDefault(true);
    Layout1->addWidget(buttonOk);
    detailsDialogBaseLayout->addLayout(Layout1);

    languageChange();
    resize(QSize(519, 297).expandedTo(minimumSizeHint()));

    connect(buttonOk, &QPushButton::clicked, this, &QDialog::accept);
}

void detailsDialogBase::languageChange()
{
    setWindowTitle(QCoreApplication::translate("detailsDialogBase", "detailsDialog"));
    groupBox2->setTitle(QCoreApplication::translate("detailsDialogBase", "Project Description"));
    groupBox1->setTitle(QCoreApplication::translate("detailsDialogBase", "Project Type"));
    checkBox_dsw->setText(
        QCoreApplication::translate("detailsDialogBase", "Visual Studio 6 dsw/dsp files"));
    checkBox_sln->setText(
        QCoreApplication::translate("detailsDialogBase", "Visual Studio 20xx sln/vcxproj files"));
    buttonOk->setText(QCoreApplication::translate("detailsDialogBase", "&OK"));
}
