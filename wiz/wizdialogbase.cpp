#include "wizdialogbase.h"

#include "form_layouts.h"
#include "productnames.h"

#include <QHBoxLayout>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSpacerItem>
#include <QTextDocumentFragment>
#include <QVBoxLayout>

namespace {

QSizePolicy fixedHeight(QWidget *widget)
{
    QSizePolicy policy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    policy.setHorizontalStretch(0);
    policy.setVerticalStretch(0);
    policy.setHeightForWidth(widget->sizePolicy().hasHeightForWidth());
    return policy;
}

} // namespace

// Widgets are created in keyboard focus order: list, name, location, browse, OK, Cancel.
wizDialogBase::wizDialogBase(QWidget *parent, const char *name, bool modal, Qt::WindowFlags fl)
    : QDialog(parent, fl)
{
    setModal(modal);
    setObjectName(QLatin1String(name ? name : "wizDialogBase"));
    setSizeGripEnabled(true);

    wizDialogBaseLayout = formLayouts::dialogColumn(this, "wizDialogBaseLayout");

    listBox1 = new QListWidget(this);
    listBox1->setObjectName(QStringLiteral("listBox1"));
    wizDialogBaseLayout->addWidget(listBox1);

    textLabel1 = new QLabel(this);
    textLabel1->setObjectName(QStringLiteral("textLabel1"));
    wizDialogBaseLayout->addWidget(textLabel1);

    layout5 = formLayouts::row("layout5");
    project_lineEdit = new QLineEdit(this);
    project_lineEdit->setObjectName(QStringLiteral("project_lineEdit"));
    project_lineEdit->setSizePolicy(fixedHeight(project_lineEdit));
    project_lineEdit->setMinimumSize(QSize(50, 0));
    project_lineEdit->setFrame(true);
    // A label's buddy is also what screen readers announce as the field's name.
    textLabel1->setBuddy(project_lineEdit);
    layout5->addWidget(project_lineEdit);
    // The name keeps its preferred width; the spacer takes the rest of the row.
    layout5->addItem(new QSpacerItem(40, 20, QSizePolicy::Expanding, QSizePolicy::Minimum));
    wizDialogBaseLayout->addLayout(layout5);

    textLabel1_2 = new QLabel(this);
    textLabel1_2->setObjectName(QStringLiteral("textLabel1_2"));
    wizDialogBaseLayout->addWidget(textLabel1_2);

    layout2 = formLayouts::row("layout2");
    location_lineEdit = new QLineEdit(this);
    location_lineEdit->setObjectName(QStringLiteral("location_lineEdit"));
    location_lineEdit->setSizePolicy(fixedHeight(location_lineEdit));
    location_lineEdit->setMinimumSize(QSize(50, 0));
    textLabel1_2->setBuddy(location_lineEdit);
    layout2->addWidget(location_lineEdit);
    browse = new QPushButton(this);
    browse->setObjectName(QStringLiteral("browse"));
    browse->setMaximumSize(QSize(20, 32767));
    layout2->addWidget(browse);
    wizDialogBaseLayout->addLayout(layout2);

    hintLabel = new QLabel(this);
    hintLabel->setObjectName(QStringLiteral("hintLabel"));
    // The hint may quote the project name, which is no markup.
    hintLabel->setTextFormat(Qt::PlainText);
    hintLabel->setWordWrap(true);
    hintLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    hintLabel->setMinimumHeight(hintLines * hintLabel->fontMetrics().lineSpacing());
    wizDialogBaseLayout->addWidget(hintLabel);

    layout4 = formLayouts::row("layout4");
    layout4->addItem(new QSpacerItem(40, 20, QSizePolicy::Expanding, QSizePolicy::Minimum));
    buttonOk = new QPushButton(this);
    buttonOk->setObjectName(QStringLiteral("buttonOk"));
    buttonOk->setAutoDefault(true);
    buttonOk->setDefault(true);
    layout4->addWidget(buttonOk);
    buttonCancel = new QPushButton(this);
    buttonCancel->setObjectName(QStringLiteral("buttonCancel"));
    buttonCancel->setAutoDefault(true);
    layout4->addWidget(buttonCancel);
    wizDialogBaseLayout->addLayout(layout4);

    languageChange();
    resize(QSize(480, 449).expandedTo(minimumSizeHint()));

    connect(buttonOk, &QPushButton::clicked, this, &QDialog::accept);
    connect(buttonCancel, &QPushButton::clicked, this, &QDialog::reject);
}

void wizDialogBase::languageChange()
{
    setWindowTitle(tr(productNames::windowTitle));
    listBox1->setToolTip(tr("List of available application templates"));
    listBox1->setWhatsThis(
        tr("This is a list of the available application templates. These templates are stored in "
           "a plugins subdirectory and must follow the ZELK Wizard plug-in interface.\n\n\n"
           "You can use this tool to generate more plugins.\n\n\n"
           "Please see the documentation for a full explaination."));
    listBox1->setAccessibleName(tr("Templates"));
    textLabel1->setText(tr("Project &Name"));
    project_lineEdit->setToolTip(tr("Enter the project name - this becomes the directory where all "
                                    "the project files are placed"));
    project_lineEdit->setWhatsThis(
        tr("<p>Enter the project name - this becomes the directory where "
           "all the project files are placed</p>"));
    textLabel1_2->setText(tr("&Location"));
    location_lineEdit->setToolTip(
        tr("<p>Path in which to create new project - this path must exist</p>"));
    location_lineEdit->setWhatsThis(tr(
        "<p><b>Path in which to create new project</b></p>\n\n<p>This path <b>must exist</b> and "
        "your project will be a new sub-folder off this directory</p>"));
    browse->setText(tr("..."));
    browse->setToolTip(tr("Click here to browse to a directory"));
    browse->setAccessibleName(tr("Choose location"));
    // A screen reader speaks a description as it is, tags and all.
    for (QWidget *field : { static_cast<QWidget *>(listBox1),
             static_cast<QWidget *>(project_lineEdit), static_cast<QWidget *>(location_lineEdit) })
        field->setAccessibleDescription(plainText(field->toolTip()));
    buttonOk->setWindowTitle(QString());
    buttonOk->setText(tr("&OK"));
    buttonOk->setShortcut(QKeySequence(tr("Alt+O")));
    buttonCancel->setText(tr("&Cancel"));
    buttonCancel->setShortcut(QKeySequence(tr("Alt+C")));
}

QString wizDialogBase::plainText(const QString &text)
{
    return Qt::mightBeRichText(text) ? QTextDocumentFragment::fromHtml(text).toPlainText() : text;
}
