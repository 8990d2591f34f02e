// Test stand-in for the wizard's plug-in contract as a generated template
// plug-in sees it.
#ifndef ZELK_WIZARD_PLUGIN_H
#define ZELK_WIZARD_PLUGIN_H

#include "qt.h"

class zelk_wizard_plugin
{
public:
    virtual QPixmap icon(void) = 0;
    virtual QString description(void) = 0;
    virtual void go(const QString &path, const QString &name, const QStringList &params) = 0;
    virtual ~zelk_wizard_plugin() { }
};

#define ZELK_WIZARD_PLUGIN(cls)                                                                    \
    extern "C" __declspec(dllexport) zelk_wizard_plugin *load_zelk_wizard_plugin()                 \
    {                                                                                              \
        return new cls;                                                                            \
    }                                                                                              \
    extern "C" __declspec(dllexport) void free_zelk_wizard_plugin(zelk_wizard_plugin *plugin)      \
    {                                                                                              \
        delete plugin;                                                                             \
    }

#endif
