#ifndef FOLDEROPTIONSDIALOGBASE_H
#define FOLDEROPTIONSDIALOGBASE_H

#include "manifest.h"

#include <QDialog>
#include <QList>

class QDialogButtonBox;
class QFormLayout;
class QLabel;

// The form of a template folder's options: one row per option of the
// manifest, in its order (a line edit for text, a check box for yes-no, a
// combo box for a choice, each named after its option in lower case), and OK
// and Cancel. Widgets and texts only; folderOptionsDialog adds the rest.
class folderOptionsDialogBase : public QDialog
{
    Q_OBJECT

public:
    explicit folderOptionsDialogBase(const templateManifest &manifest, QWidget *parent = nullptr);

    // One per option, in the manifest's order.
    QList<QWidget *> fields;
    QDialogButtonBox *buttonBox;

protected:
    const templateManifest m_manifest;
    QFormLayout *formLayout;
    QLabel *descriptionLabel;
};

#endif
