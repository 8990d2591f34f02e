#ifndef DETAILSDIALOGBASE_H
#define DETAILSDIALOGBASE_H

#include <QDialog>

class QCheckBox;
class QGroupBox;
class QHBoxLayout;
class QLineEdit;
class QPushButton;
class QVBoxLayout;

// The form that asks for a scripted component's title and the kinds of
// project files to write: widgets, layouts and texts only. The generator
// presets and reads the widgets itself, so they are public.
class detailsDialogBase : public QDialog
{
    Q_OBJECT

public:
    explicit detailsDialogBase(QWidget *parent = nullptr, const char *name = nullptr,
        bool modal = false, Qt::WindowFlags fl = Qt::WindowFlags());

    QGroupBox *groupBox2;
    QLineEdit *title;
    QGroupBox *groupBox1;
    QCheckBox *checkBox_dsw;
    QCheckBox *checkBox_sln;
    QPushButton *buttonOk;

protected:
    QVBoxLayout *detailsDialogBaseLayout;
    QHBoxLayout *groupBox2Layout;
    QHBoxLayout *layout2;
    QVBoxLayout *groupBox1Layout;
    QHBoxLayout *Layout1;

protected slots:
    virtual void languageChange();
};

#endif
