#ifndef MODALDIALOGCLOSER_H
#define MODALDIALOGCLOSER_H

#include <QObject>

// While installed, every modal dialog that opens is closed at once as if
// Escape had been pressed, and its title and text go to standard error. An
// unattended run on a headless platform uses it so that no question a
// template asks can ever make it wait.
class modalDialogCloser : public QObject
{
public:
    ~modalDialogCloser() override;
    void install();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool m_installed = false;
};

#endif
