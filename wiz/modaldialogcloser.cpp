#include "modaldialogcloser.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDialog>
#include <QEvent>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>

#include <cstdio>

modalDialogCloser::~modalDialogCloser()
{
    if (m_installed)
        qApp->removeEventFilter(this);
}

void modalDialogCloser::install()
{
    qApp->installEventFilter(this);
    m_installed = true;
}

bool modalDialogCloser::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::Show)
        return false;
    auto *dialog = qobject_cast<QDialog *>(watched);
    if (!dialog || !dialog->isWindow() || !dialog->testAttribute(Qt::WA_ShowModal))
        return false;

    QString text = dialog->windowTitle();
    if (auto *box = qobject_cast<QMessageBox *>(dialog))
        text += QStringLiteral(": ") + box->text();
    std::fprintf(stderr, "wiz: %s\n",
        qPrintable(QCoreApplication::translate(
            "modalDialogCloser", "no one can answer this dialog, closed it: %1")
                       .arg(text)));

    // Closed once its own event loop runs, the way a user pressing Escape would.
    QPointer<QDialog> guarded(dialog);
    QTimer::singleShot(0, dialog, [guarded] {
        if (!guarded)
            return;
        QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QCoreApplication::sendEvent(guarded, &escape);
        if (guarded && guarded->isVisible())
            guarded->reject();
    });
    return false;
}
