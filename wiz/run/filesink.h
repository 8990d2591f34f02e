#ifndef FILESINK_H
#define FILESINK_H

#include "projectwriter.h"

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QSet>
#include <QString>
#include <QStringList>

// What became of one file of a run.
struct fileOutcome
{
    QString path; // relative to the location, "meter/docs/meter.md"
    projectWriter::Outcome outcome = projectWriter::Refused;
    QString reason; // why it was refused, in the system's words
    bool kept = false; // it would have replaced a file that differs, which was left as it was
};

// Where a run's files go. Each file is decided by the writer of the real
// location and then written, held for a later decision or kept, as the mode
// says; what became of it is kept per path, the last word on a path written
// twice. A dry run gives a writer of its scratch location as well: files are
// written there, for the template to read back, and only planned for real.
class fileSink
{
public:
    enum Mode {
        WriteAll, // every file as it comes
        HoldReplacements, // new files as they come; replacements wait for commit()
        HoldAll, // every file waits for commit()
        KeepReplacements, // new files as they come; a file that would change is kept
    };

    // templateLocation is the location the template was given (the real one
    // or the scratch one); real writes below the real location.
    fileSink(const QString &templateLocation, projectWriter *real, Mode mode,
        projectWriter *scratch = nullptr);
    ~fileSink();
    fileSink(const fileSink &) = delete;
    fileSink &operator=(const fileSink &) = delete;

    // A file by its path relative to the location.
    projectWriter::Outcome offer(
        const QString &path, const QByteArray &bytes, bool executable, QString *reason);
    // A file by its path as the template composed it below its location.
    projectWriter::Outcome offerComposed(
        const QString &path, const QByteArray &bytes, QString *reason);
    void note(const QString &text);

    // Files below the template's location that changed without being
    // offered: written by the template itself.
    void addUnseen(const QStringList &created, const QStringList &changed);

    // Held files that would replace a file that differs, sorted.
    QStringList heldReplacements() const;
    // Writes the held files, except those in keep, which are kept as they are.
    void commit(const QStringList &keep = QStringList());

    QList<fileOutcome> outcomes() const;
    QStringList notes() const { return m_notes; }

    // The sink that the support library's entry points reach, while it lives.
    class activation
    {
    public:
        explicit activation(fileSink *sink);
        ~activation();
        activation(const activation &) = delete;
        activation &operator=(const activation &) = delete;
    };
    static fileSink *active();

private:
    struct heldFile
    {
        QByteArray bytes;
        bool executable = false;
    };
    void record(const QString &path, const projectWriter::Decision &decision, bool kept = false);
    QString relative(const QString &composed) const;

    QString m_base;
    projectWriter *m_real;
    projectWriter *m_scratch;
    Mode m_mode;
    QMap<QString, fileOutcome> m_outcomes;
    QMap<QString, heldFile> m_held;
    QSet<QString> m_createdHere;
    QStringList m_notes;
};

#endif
