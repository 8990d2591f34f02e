#ifndef PROJECTRUN_H
#define PROJECTRUN_H

#include "loadedplugin.h"

#include <QStringList>
#include <QTemporaryDir>

namespace wiztest {

// A fresh location with the project directory made in it (unless told not
// to), and the plug-in loaded to write the project there.
class ProjectRun
{
public:
    ProjectRun(const QString &deliverable, const QString &name, bool makeProjectDirectory = true);

    QString location() const { return m_location.path(); }
    // The project directory, with a closing slash.
    QString project() const { return location() + QLatin1Char('/') + name + QLatin1Char('/'); }
    void go(const QStringList &params = { QString() }) const;

    const LoadedPlugin plugin;
    const QString name;

private:
    QTemporaryDir m_location;
};

} // namespace wiztest

#endif
