#ifndef TEMPLATEFOLDER_H
#define TEMPLATEFOLDER_H

#include "manifest.h"
#include "options.h"
#include "placeholders.h"

#include <QByteArray>
#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

// One file of a rendered project. The renderer writes nothing: the caller
// writes the list with its own writer.
struct renderedFile
{
    QString path; // relative to the project folder, "/"-separated
    QByteArray bytes;
    bool executable = false; // the stored file's owner may execute it
    bool binary = false; // copied byte for byte
};

struct renderResult
{
    QList<renderedFile> files; // sorted by path; empty when errors is not
    QStringList notes; // "PATH: copied as binary", "PATH:LINE: ... written as "?""
    QStringList errors;
};

// A template folder: template.json and the files/ tree. load() reads and
// checks all of it (every file, rule, name and placeholder), so a template
// that loads renders for any valid option values. Every message names the
// file relative to the folder: "template.json: files[0].match: ...",
// "files/src/%{name}.c:12: unknown placeholder "%{nmae}"".
class templateFolder
{
public:
    // False with *errors on any mistake. wizardVersion is compared with
    // "requires"; an empty one skips the comparison.
    static bool load(const QString &folder, const QString &wizardVersion, templateFolder *out,
        QStringList *errors);

    const templateManifest &manifest() const { return m_manifest; }
    QString folder() const { return m_folder; }

    // The project's files for name and values (see templateOptions; an option
    // missing from values takes its default). date gives %{year} and %{date};
    // newGuid a fresh GUID for each %{guid.N}. A mistake that only these
    // values show (an output path with ".." or ":", two files on one path, a
    // line break in a value) gives errors and no files.
    renderResult render(const QString &name, const placeholders::Values &values, const QDate &date,
        const std::function<QString()> &newGuid = templateFolder::newGuid) const;

    // Today in UTC, or the day of SOURCE_DATE_EPOCH when it is set, so that a
    // template's expected tree can stay the same from day to day.
    static QDate today();
    // A random GUID, 8-4-4-4-12 in lower case.
    static QString newGuid();

    struct File;

private:
    QString m_folder;
    templateManifest m_manifest;
    std::shared_ptr<const QList<File>> m_files;
};

#endif
