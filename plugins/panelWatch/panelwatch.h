#ifndef PANELWATCH_H
#define PANELWATCH_H

#include "zelk_wizard_plugin.h"

// Writes the starter project of an automatic panel: a scripted panel component
// that talks to an information driver and only transmits while it is the
// active side of a redundant pair.
class panelWatch : public zelk_wizard_plugin
{
public:
    QPixmap icon() override;
    QString description() override;
    void go(const QString &path, const QString &name, const QStringList &params) override;
};

#endif
