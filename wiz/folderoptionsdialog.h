#ifndef FOLDEROPTIONSDIALOG_H
#define FOLDEROPTIONSDIALOG_H

#include "folderoptionsdialogbase.h"
#include "placeholders.h"

#include <QStringList>

// A template folder's options before its run: fields whose "when" is false
// hide as the others change, OK waits for values the template accepts, and
// the values of the last OK are offered again next time (in the wizard's
// settings, a group per template title).
class folderOptionsDialog : public folderOptionsDialogBase
{
    Q_OBJECT

public:
    explicit folderOptionsDialog(const templateManifest &manifest, QWidget *parent = nullptr);

    // The values as the run's "/OPTION=VALUE" parameters, hidden ones left out.
    QStringList parameters() const;
    void accept() override;

    // The parameters for a run of the template folder: none without options,
    // otherwise from the dialog. False when the user cancelled.
    static bool ask(const templateManifest &manifest, QWidget *parent, QStringList *parameters);

private:
    QString text(int index) const;
    // Each field's value, hidden fields at their defaults: the values of a run.
    placeholders::Values values() const;
    void update();
    void recall();
};

#endif
