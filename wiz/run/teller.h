#ifndef TELLER_H
#define TELLER_H

#include <QMessageBox>
#include <QString>

class QWidget;

// Tells the user about a failure once, where it is decided: in a box where
// somebody is there and nobody scripted the run, on standard error otherwise.
class teller
{
public:
    teller(bool boxes, QWidget *parent)
        : m_boxes(boxes)
        , m_parent(parent)
    {
    }
    bool boxes() const { return m_boxes; }
    void tell(const QString &message, const QString &caption,
        QMessageBox::Icon icon = QMessageBox::Warning) const;

private:
    bool m_boxes;
    QWidget *m_parent;
};

#endif
