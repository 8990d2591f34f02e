#ifndef PLUGINTRUST_H
#define PLUGINTRUST_H

#include <QByteArray>
#include <QString>

// Loading a library runs its code with the rights of whoever runs the wizard,
// so a library is only loaded from where no other user could have put it:
// neither the library, nor its folder, nor any folder above them up to "/" may
// be writable by anyone but their owner, and that owner must be the user
// running the wizard or root. A folder above may be writable by all when it is
// sticky (as /tmp is): there nobody may rename or remove what another owns.
//
// The checks are made on descriptors, one folder at a time from "/", and the
// library is opened from the descriptor of its checked folder, so a folder or
// file swapped after its check cannot take the place of what was checked.
namespace pluginTrust {

// A folder opened through folders that all pass. Moves, never copies.
class checkedFolder
{
public:
    checkedFolder() = default;
    checkedFolder(int fd, const QByteArray &path)
        : m_fd(fd)
        , m_path(path)
    {
    }
    ~checkedFolder();
    checkedFolder(checkedFolder &&other) noexcept;
    checkedFolder &operator=(checkedFolder &&other) noexcept;
    checkedFolder(const checkedFolder &) = delete;
    checkedFolder &operator=(const checkedFolder &) = delete;

    bool isOpen() const { return m_fd >= 0; }
    int fd() const { return m_fd; }
    // Where the walk ended, with every link resolved.
    QByteArray path() const { return m_path; }

private:
    int m_fd = -1;
    QByteArray m_path;
};

// The folder, opened, or a closed one and *why.
checkedFolder openFolder(const QString &folder, QString *why);
// The library called name in the folder, opened read-only, or -1 and *why.
// A link is followed only through folders that pass themselves. The caller
// closes the descriptor.
int openLibrary(const checkedFolder &folder, const QByteArray &name, QString *why);
// Both steps for a library named by its path.
int openLibrary(const QString &path, QString *why);

} // namespace pluginTrust

#endif
