#ifndef REVIEWDIALOG_H
#define REVIEWDIALOG_H

#include "reviewdialogbase.h"

#include <QStringList>

// Asks which of the files a run would replace are to be replaced. Every file
// starts checked; Cancel, Escape or closing the window keep them all.
class reviewDialog : public reviewDialogBase
{
    Q_OBJECT

public:
    explicit reviewDialog(const QStringList &paths, QWidget *parent = nullptr);

    // The files to keep as they are, once the dialog has been answered.
    QStringList kept() const;
    // Shows the dialog for paths and returns the files to keep.
    static QStringList ask(const QStringList &paths, QWidget *parent);
};

#endif
