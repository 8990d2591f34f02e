#ifndef FORM_LAYOUTS_H
#define FORM_LAYOUTS_H

#include <QBoxLayout>
#include <QWidget>

// The layouts every form of the wizard is made of, with the form designer's
// spacing: 11 pixels around a dialog's contents, 6 between items.
class formLayouts
{
public:
    // The top-level column of a dialog.
    static QVBoxLayout *dialogColumn(QWidget *dialog, const char *name)
    {
        auto *layout = new QVBoxLayout(dialog);
        layout->setContentsMargins(11, 11, 11, 11);
        layout->setSpacing(6);
        layout->setObjectName(QLatin1String(name));
        return layout;
    }
    // A row inside another layout, without margins of its own.
    static QHBoxLayout *row(const char *name)
    {
        auto *layout = new QHBoxLayout;
        layout->setContentsMargins(0, 0, 0, 0);
        layout->setSpacing(6);
        layout->setObjectName(QLatin1String(name));
        return layout;
    }

    formLayouts() = delete;
};

#endif
