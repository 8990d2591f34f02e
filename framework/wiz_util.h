#ifndef WIZ_UTIL_H
#define WIZ_UTIL_H

#include "projectwriter.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

// File output for template plug-ins. Run by the wizard, the wizard itself
// decides and writes each file (the same rules as below, and it tells the
// user); elsewhere this library does. Every operation writes one whole file or
// nothing: the new content replaces the old only once it is complete, and a
// file that already holds it is left alone. A file that cannot be written is
// reported as one warning line on standard error ("wiz: cannot write PATH:
// REASON") and the caller simply goes on with its next file. What happened to
// each file is told on the logging category "wiz" (debug lines "create PATH",
// "replace PATH", "unchanged PATH"), off unless the host turns it on.
//
// The encoding goes with the template file, whatever the locale, as
// wiz_add_plugin() declares it (ENCODING, ENCODINGS): UTF-8 files are read and
// written as UTF-8 and get no byte-order mark; Windows-1252 files one byte a
// character; and by default (AUTO) a file that begins with the UTF-8 mark (the
// solution and project files) is UTF-8 and every other one Windows-1252, the
// code page the generated Windows projects declare. Either way template bytes
// come back exactly as stored, and an inserted character that Windows-1252
// cannot hold becomes "?".
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

    enum class Encoding {
        Auto, // UTF-8 after the byte-order mark, Windows-1252 without it
        Utf8, // UTF-8, no mark added
        Windows1252, // one byte a character
    };

    // Embedded templates are handed over as byte arrays, read up to the first
    // NUL in the encoding declared for them and written back in the same one.
    // A file that is declared or marked UTF-8 but is not valid UTF-8 is read
    // as Windows-1252, so that its bytes still come back as stored.
    static void savefile(
        const QByteArray &in, const QString &path, const QString &replace = QString());
    static void savefile(
        const QByteArray &in, const QString &path, const QStringList &replacepairs);
    // The text of a template in its declared encoding, or in the one given.
    static QString text(const QByteArray &in);
    static QString text(const QByteArray &in, Encoding encoding);
    // The bytes a text goes out as. Auto: UTF-8 when it begins with the
    // byte-order mark, Windows-1252 otherwise. encoded(text(bytes)) gives bytes back.
    static QByteArray encoded(const QString &text, Encoding encoding = Encoding::Auto);
    // The encoding declared for the embedded file whose bytes in are, Auto for
    // any other array. The generated qembed_findData() declares each file it
    // finds; a copy of the array shares its bytes and so its encoding.
    static Encoding declaredEncoding(const QByteArray &in);
    static void declareEncoding(const QByteArray &in, Encoding encoding);

    // The replace-list rule on its own: pairs in order over the whole text,
    // a pair with an empty TAG skipped. The list must have an even length.
    static QString applyReplaceList(QString text, const QStringList &replacepairs);

    // What writing bytes to path would do, decided without writing anything:
    // the writers above go by it, and so does a host that only previews a run.
    // Refused comes with the reason, such as "it is a symbolic link".
    using Outcome = projectWriter::Outcome;
    static constexpr Outcome Create = projectWriter::Create;
    static constexpr Outcome Replace = projectWriter::Replace;
    static constexpr Outcome Unchanged = projectWriter::Unchanged;
    static constexpr Outcome Refused = projectWriter::Refused;
    static Outcome plan(const QString &path, const QByteArray &bytes, QString *reason);

    // A remark about the run for the user, such as a lookup name that matched
    // no template file: the wizard shows it with its report of the run (-v);
    // without the wizard it is a line "wiz: note: TEXT" on standard error.
    static void note(const QString &text);

    // The value of an environment variable for a replace list, or unset when
    // the variable is not set at all (set but empty gives the empty value).
    static QString environment(const char *variable, const char *unset);

    wiz() = delete;
};

#endif
