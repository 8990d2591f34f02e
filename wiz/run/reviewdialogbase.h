#ifndef REVIEWDIALOGBASE_H
#define REVIEWDIALOGBASE_H

#include <QDialog>

class QLabel;
class QListWidget;
class QPushButton;

// The form of the review before replacing: a text, the list of files with a
// check box each, and the two buttons. Behaviour is reviewDialog's.
class reviewDialogBase : public QDialog
{
    Q_OBJECT

public:
    explicit reviewDialogBase(QWidget *parent = nullptr);

    QLabel *textLabel;
    QListWidget *fileList;
    QPushButton *buttonReplace;
    QPushButton *buttonCancel;

protected:
    virtual void languageChange();
};

#endif
