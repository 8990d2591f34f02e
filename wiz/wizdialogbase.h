#ifndef WIZDIALOGBASE_H
#define WIZDIALOGBASE_H

#include <QDialog>

class QHBoxLayout;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QVBoxLayout;

// The form of the wizard's window: widgets, layouts and texts only. The
// behaviour lives in wizDialog.
class wizDialogBase : public QDialog
{
    Q_OBJECT

public:
    explicit wizDialogBase(QWidget *parent = nullptr, const char *name = nullptr,
        bool modal = false, Qt::WindowFlags fl = Qt::WindowFlags());

    QListWidget *listBox1;
    QLabel *textLabel1;
    QLineEdit *project_lineEdit;
    QLabel *textLabel1_2;
    QLineEdit *location_lineEdit;
    QPushButton *browse;
    // Says what keeps OK disabled, or warns about a name OK accepts.
    QLabel *hintLabel;
    QPushButton *buttonOk;
    QPushButton *buttonCancel;

protected:
    QVBoxLayout *wizDialogBaseLayout;
    QHBoxLayout *layout5;
    QHBoxLayout *layout2;
    QHBoxLayout *layout4;

    // Lines of hint kept free even when there is nothing to say, so that a
    // hint appearing while the user types does not move the fields.
    static constexpr int hintLines = 2;

    // A tool tip or What's This text as a screen reader should speak it.
    static QString plainText(const QString &text);

protected slots:
    virtual void languageChange();
};

#endif
