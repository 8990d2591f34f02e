#ifndef ZELK_SCRIPT_WIZARD_H
#define ZELK_SCRIPT_WIZARD_H

#include "zelk_wizard_plugin.h"

// Writes a scripted UI component project: component source, resources, the
// panel file, Visual Studio project files as chosen and a documentation set.
class zelk_script_wizard : public zelk_wizard_plugin
{
public:
    QPixmap icon() override;
    QString description() override;
    void go(const QString &path, const QString &name, const QStringList &params) override;
};

#endif
