#include "filesink.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

fileSink *current = nullptr;

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

// The support library of a template finds these at run time. Returns the
// outcome as projectWriter::Outcome, or -1 when no run takes files now, so
// that the library writes the file by itself.
extern "C" Q_DECL_EXPORT int zelk_wizard_host_write(
    const QString *path, const QByteArray *bytes, QString *reason)
{
    if (!current || !path || !bytes || !reason)
        return -1;
    return current->offerComposed(*path, *bytes, reason);
}

extern "C" Q_DECL_EXPORT void zelk_wizard_host_note(const QString *text)
{
    if (current && text)
        current->note(*text);
}

fileSink::fileSink(
    const QString &templateLocation, projectWriter *real, Mode mode, projectWriter *scratch)
    : m_base(QDir::cleanPath(QFileInfo(templateLocation).absoluteFilePath()))
    , m_real(real)
    , m_scratch(scratch)
    , m_mode(mode)
{
}

fileSink::~fileSink()
{
    if (current == this)
        current = nullptr;
}

fileSink::activation::activation(fileSink *sink)
{
    current = sink;
}

fileSink::activation::~activation()
{
    current = nullptr;
}

fileSink *fileSink::active()
{
    return current;
}

QString fileSink::relative(const QString &composed) const
{
    const QString clean = QDir::cleanPath(QFileInfo(composed).absoluteFilePath());
    if (!clean.startsWith(m_base + QLatin1Char('/')))
        return QString();
    return clean.mid(m_base.size() + 1);
}

projectWriter::Outcome fileSink::offerComposed(
    const QString &path, const QByteArray &bytes, QString *reason)
{
    const QString inside = relative(path);
    if (!inside.isEmpty())
        return offer(inside, bytes, false, reason);
    // Nothing outside the location is written; the report names it as given.
    *reason = QCoreApplication::translate("fileSink", "it is not below the location");
    record(path, { projectWriter::Refused, *reason });
    return projectWriter::Refused;
}

void fileSink::record(const QString &path, const projectWriter::Decision &decision, bool kept)
{
    m_outcomes.insert(path, fileOutcome { path, decision.outcome, decision.reason, kept });
}

projectWriter::Outcome fileSink::offer(
    const QString &path, const QByteArray &bytes, bool executable, QString *reason)
{
    m_held.remove(path);
    projectWriter::Decision decision;
    bool keep = false;
    if (m_mode == WriteAll && !m_scratch) {
        decision = m_real->write(path, bytes, executable);
    } else {
        if (m_scratch)
            m_scratch->write(path, bytes, executable);
        decision = m_real->plan(path, bytes);
        // A file this run made is its own to replace, whatever the mode.
        const bool replaces
            = decision.outcome == projectWriter::Replace && !m_createdHere.contains(path);
        keep = m_mode == KeepReplacements && replaces;
        if (m_mode == HoldAll || (m_mode == HoldReplacements && replaces))
            m_held.insert(path, heldFile { bytes, executable });
        else if (!keep && !m_scratch)
            decision = m_real->write(path, bytes, executable);
    }
    if (decision.outcome == projectWriter::Create && !m_scratch)
        m_createdHere << path;
    record(path, decision, keep);
    *reason = decision.reason;
    return decision.outcome;
}

void fileSink::note(const QString &text)
{
    m_notes << text;
}

void fileSink::addUnseen(const QStringList &created, const QStringList &changed)
{
    const QString base = m_base + QLatin1Char('/');
    for (const QStringList *list : { &created, &changed }) {
        for (const QString &path : *list) {
            if (m_outcomes.contains(path))
                continue;
            if (m_scratch) {
                record(path, m_real->plan(path, readAll(base + path)));
                continue;
            }
            record(path,
                { list == &created ? projectWriter::Create : projectWriter::Replace, QString() });
        }
    }
}

QStringList fileSink::heldReplacements() const
{
    QStringList paths;
    for (auto it = m_held.cbegin(); it != m_held.cend(); ++it) {
        if (m_outcomes.value(it.key()).outcome == projectWriter::Replace)
            paths << it.key();
    }
    return paths;
}

void fileSink::commit(const QStringList &keep)
{
    for (auto it = m_held.cbegin(); it != m_held.cend(); ++it) {
        if (keep.contains(it.key()))
            m_outcomes[it.key()].kept = true;
        else if (!m_scratch)
            record(it.key(), m_real->write(it.key(), it->bytes, it->executable));
    }
    m_held.clear();
}

QList<fileOutcome> fileSink::outcomes() const
{
    return m_outcomes.values();
}
