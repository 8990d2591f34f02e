#ifndef SOLESTORE_H
#define SOLESTORE_H

#include "zelk_wizard_plugin.h"

// Writes a library project around a singleton configuration class named after
// the project.
class soleStore : public zelk_wizard_plugin
{
public:
    QPixmap icon() override;
    QString description() override;
    void go(const QString &path, const QString &name, const QStringList &params) override;
};

#endif
