// Test stand-in for the Qt 3 classes that a generated template plug-in uses,
// reached through the Qt 3 header names (qstring.h, qfile.h, ...).
#ifndef QT_STANDIN_H
#define QT_STANDIN_H

enum { IO_WriteOnly = 0x0002, IO_Truncate = 0x0008 };

class QByteArray
{
public:
    operator const char *() const;
    unsigned int count() const;
};

class QString
{
public:
    QString();
    QString(const char *text);
    QString(const QByteArray &bytes);
    ~QString();
    bool isEmpty() const;
    QString &replace(const QString &before, const QString &after);
    QString arg(const QString &value) const;
};
QString operator+(const QString &a, const QString &b);
QString operator+(const QString &a, const char *b);

class QStringList
{
public:
    typedef QString *Iterator;
    Iterator begin();
    Iterator end();
    unsigned int count() const;
    QStringList &operator<<(const QString &item);
};

class QPixmap
{
public:
    QPixmap(const char **xpm);
};

class QWidget;

class QFile
{
public:
    explicit QFile(const QString &name);
    bool open(int mode);
    void close();
};

class QTextStream
{
public:
    explicit QTextStream(QFile *file);
    QTextStream &operator<<(const QString &text);
};

class QDataStream
{
public:
    explicit QDataStream(QFile *file);
    QDataStream &writeRawBytes(const char *data, unsigned int length);
};

class QMessageBox
{
public:
    static int warning(QWidget *parent, const QString &caption, const QString &text);
};

#endif
