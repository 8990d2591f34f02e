#include "teller.h"

#include <cstdio>

void teller::tell(const QString &message, const QString &caption, QMessageBox::Icon icon) const
{
    if (m_boxes)
        QMessageBox(icon, caption, message, QMessageBox::Ok, m_parent).exec();
    else
        std::fprintf(stderr, "wiz: %s\n", qPrintable(message));
}
