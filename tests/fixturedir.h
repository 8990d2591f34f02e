#ifndef FIXTUREDIR_H
#define FIXTUREDIR_H

#include <QDir>
#include <QFile>
#include <QObject>
#include <QTemporaryDir>
#include <QUrl>

namespace wiztest {

// A temporary working directory with a "plugins" folder of fixture
// libraries, made the current directory for as long as it lives.
class FixtureDir
{
public:
    FixtureDir()
        : m_previous(QDir::currentPath())
    {
        QDir(m_dir.path()).mkdir(QStringLiteral("plugins"));
        QDir::setCurrent(m_dir.path());
    }
    ~FixtureDir() { QDir::setCurrent(m_previous); }

    // Copies build/fixtures/<fixture>.so to plugins/<fileName>.
    bool add(const QString &fixture, const QString &fileName) const
    {
        return QFile::copy(fixturePath(fixture), plugins() + QLatin1Char('/') + fileName);
    }
    static QString fixturePath(const QString &fixture)
    {
        return QStringLiteral(WIZ_BUILD_DIR "/fixtures/") + fixture + QStringLiteral(".so");
    }
    QString path() const { return m_dir.path(); }
    QString plugins() const { return m_dir.path() + QStringLiteral("/plugins"); }

private:
    QString m_previous;
    QTemporaryDir m_dir;
};

// Takes the place of the file browser: remembers the folders it was asked to open.
class UrlCatcher : public QObject
{
    Q_OBJECT
public:
    QList<QUrl> opened;
public slots:
    void open(const QUrl &url) { opened << url; }
};

} // namespace wiztest

#endif
