#ifndef MYSTUFF_H
#define MYSTUFF_H

#include "zelk_wizard_plugin.h"

// Writes the starting project of a new template plug-in for the wizard.
class mystuff : public zelk_wizard_plugin
{
public:
    QPixmap icon() override;
    QString description() override;
    void go(const QString &path, const QString &name, const QStringList &params) override;
};

#endif
