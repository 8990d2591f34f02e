#ifndef ZELK_SCRIPT_DOCS_ONLY_H
#define ZELK_SCRIPT_DOCS_ONLY_H

#include "zelk_wizard_plugin.h"

// Writes the documentation set of a scripted UI component on its own: the
// page, its help project and the example picture, into the project folder.
class zelk_script_docs_only : public zelk_wizard_plugin
{
public:
    QPixmap icon() override;
    QString description() override;
    void go(const QString &path, const QString &name, const QStringList &params) override;
};

#endif
