#include "zelk_wizard_plugin.h"

// The new template plug-in: the host lists it under its description() and
// calls go() when the user has picked it and named a project.
class %%NAME%% : public zelk_wizard_plugin
{
public:
    QPixmap icon( void );
    QString description( void );
    void go(const class QString & ,const class QString & ,const class QStringList &);
};
