#ifndef FIXTUREDIR_H
#define FIXTUREDIR_H

#include "urlcatcher.h"

#include <QString>
#include <QTemporaryDir>

namespace wiztest {

// A temporary working directory with a "plugins" folder of fixture
// libraries, made the current directory for as long as it lives.
class FixtureDir
{
public:
    FixtureDir();
    ~FixtureDir();
    FixtureDir(const FixtureDir &) = delete;
    FixtureDir &operator=(const FixtureDir &) = delete;

    // Copies build/fixtures/<fixture>.so to plugins/<fileName>.
    bool add(const QString &fixture, const QString &fileName) const;
    static QString fixturePath(const QString &fixture);
    QString path() const { return m_dir.path(); }
    QString plugins() const { return m_dir.path() + QStringLiteral("/plugins"); }

private:
    QString m_previous;
    QTemporaryDir m_dir;
};

} // namespace wiztest

#endif
