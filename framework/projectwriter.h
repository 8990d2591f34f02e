#ifndef PROJECTWRITER_H
#define PROJECTWRITER_H

#include <QByteArray>
#include <QString>

// The one file writer, shared by the wizard and the support library.
//
// It writes below one location and nowhere else. The location is opened once
// and every folder below it is walked with directory descriptors, never by
// path, so a link that another user plants meanwhile cannot redirect a write.
// An existing folder on the way that is a link, not a folder, or owned by
// another user is refused before anything is written into it. A new file
// appears only complete and never replaces a name that appeared meanwhile; a
// replacement keeps the old file's mode, owner and group; a file with more
// than one hard link is refused.
class projectWriter
{
public:
    enum Outcome { Create, Replace, Unchanged, Refused };
    struct Decision
    {
        Outcome outcome = Refused;
        QString reason; // why it is refused, in the system's words
    };

    // location must name an existing folder; it is opened on first use.
    explicit projectWriter(const QString &location);
    ~projectWriter();
    projectWriter(const projectWriter &) = delete;
    projectWriter &operator=(const projectWriter &) = delete;

    // Paths are relative to the location, "/"-separated, such as
    // "meter/docs/meter.md"; a "." or ".." component or an empty one is refused.

    // What write() would do with these bytes, found with the same checks and
    // without changing anything. A missing folder on the way is no refusal.
    Decision plan(const QString &path, const QByteArray &bytes);
    // Makes missing folders on the way, then writes the file; executable sets
    // the owner's execute bit of a new file. Unchanged leaves the file alone.
    Decision write(const QString &path, const QByteArray &bytes, bool executable = false);
    // Makes the folder path and every missing one above it. Refused as above;
    // Create when it made path itself, Unchanged when path was there.
    Decision makeFolder(const QString &path);
    // The folders this writer made that are empty now, deepest first.
    void removeEmptyFolders();

    // Unlinks the temporary files of writes in progress. Async-signal-safe:
    // meant for a handler of SIGINT, SIGTERM and SIGHUP before the process ends.
    static void removeTemporaryFiles();

private:
    struct Private;
    Private *d;
};

#endif
