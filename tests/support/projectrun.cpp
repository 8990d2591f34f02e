#include "projectrun.h"

#include <QDir>

wiztest::ProjectRun::ProjectRun(
    const QString &deliverable, const QString &name, bool makeProjectDirectory)
    : plugin(deliverable)
    , name(name)
{
    if (makeProjectDirectory)
        QDir(location()).mkdir(name);
}

void wiztest::ProjectRun::go(const QStringList &params) const
{
    plugin->go(location(), name, params);
}
