#include "files.h"

#include <QDir>
#include <QFile>

QByteArray wiztest::readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void wiztest::writeAll(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(bytes);
}

QStringList wiztest::tree(const QString &dir)
{
    QStringList names;
    const QFileInfoList entries = QDir(dir).entryInfoList(
        QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden, QDir::Name);
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
