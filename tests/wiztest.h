#ifndef WIZTEST_H
#define WIZTEST_H

#include <QApplication>
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

// QTEST_MAIN with the environment every test of this project runs in: the
// offscreen platform and a settings directory of its own that is removed
// afterwards, so a test never reads or writes the user's settings.
#define WIZ_TEST_MAIN(TestObject)                                                                  \
    int main(int argc, char *argv[])                                                               \
    {                                                                                              \
        QTemporaryDir config;                                                                      \
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(config.path()));                              \
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(config.path()));                              \
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))                                        \
            qputenv("QT_QPA_PLATFORM", "offscreen");                                               \
        QApplication app(argc, argv);                                                              \
        TestObject tc;                                                                             \
        QTEST_SET_MAIN_SOURCE_PATH                                                                 \
        return QTest::qExec(&tc, argc, argv);                                                      \
    }

namespace wiztest {

inline QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline void writeAll(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(bytes);
}

// The names of the files below dir, relative to it and sorted.
inline QStringList tree(const QString &dir)
{
    QStringList names;
    QDir base(dir);
    const QFileInfoList entries = base.entryInfoList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden, QDir::Name);
    for (const QFileInfo &entry : entries) {
        if (entry.isDir()) {
            for (const QString &inner : tree(entry.filePath()))
                names << entry.fileName() + QLatin1Char('/') + inner;
        } else {
            names << entry.fileName();
        }
    }
    names.sort();
    return names;
}

} // namespace wiztest

#endif
