#include "fixturedir.h"

#include <QDir>
#include <QFile>

wiztest::FixtureDir::FixtureDir()
    : m_previous(QDir::currentPath())
{
    QDir(m_dir.path()).mkdir(QStringLiteral("plugins"));
    QDir::setCurrent(m_dir.path());
}

wiztest::FixtureDir::~FixtureDir()
{
    QDir::setCurrent(m_previous);
}

bool wiztest::FixtureDir::add(const QString &fixture, const QString &fileName) const
{
    return QFile::copy(fixturePath(fixture), plugins() + QLatin1Char('/') + fileName);
}

QString wiztest::FixtureDir::fixturePath(const QString &fixture)
{
    return QStringLiteral(WIZ_BUILD_DIR "/fixtures/") + fixture + QStringLiteral(".so");
}
