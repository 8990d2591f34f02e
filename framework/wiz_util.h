#ifndef WIZ_UTIL_H
#define WIZ_UTIL_H

#include <QByteArray>
#include <QString>
#include <QStringList>

// File output for template plug-ins. Every operation writes one whole file or
// nothing: the new content replaces the old only once it is complete, and a
// file that already holds it is left alone. A file that cannot be written is
// reported as one warning line on standard error ("wiz: cannot write PATH:
// REASON") and the caller simply goes on with its next file. What happened to
// each file is told on the logging category "wiz" (debug lines "create PATH",
// "replace PATH", "unchanged PATH"), off unless the host turns it on.
//
// Text goes out as Latin-1, so template bytes come back exactly as stored;
// an inserted character that Latin-1 cannot hold becomes "?".
class wiz
{
public:
    // Writes in, with every "%%NAME%%" replaced by replace when that is not empty.
    static void savefile(QString in, QString path, QString replace = QString());
    // Writes in after applying the TAG, VALUE, TAG, VALUE, ... list in order.
    // An odd list shows a warning box and writes nothing.
    static void savefile(QString in, QString path, QStringList replacepairs);
    // Writes the bytes of in unchanged.
    static void savefilebinary(QByteArray in, QString path);

    // Embedded templates are handed over as byte arrays: they are read as
    // Latin-1, one character per byte, up to the first NUL.
    static void savefile(
        const QByteArray &in, const QString &path, const QString &replace = QString());
    static void savefile(
        const QByteArray &in, const QString &path, const QStringList &replacepairs);
    static QString text(const QByteArray &in);

    // The replace-list rule on its own: pairs in order over the whole text,
    // a pair with an empty TAG skipped. The list must have an even length.
    static QString applyReplaceList(QString text, const QStringList &replacepairs);

    // The value of an environment variable for a replace list, or unset when
    // the variable is not set at all (set but empty gives the empty value).
    static QString environment(const char *variable, const char *unset);

    wiz() = delete;
};

#endif
