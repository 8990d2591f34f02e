#ifndef SCRATCHSPACE_H
#define SCRATCHSPACE_H

#include <QString>
#include <QTemporaryDir>

// A dry run's private folder, $TMPDIR/wiz-dry-<pid>-XXXXXX: the template gets
// its "location" folder as its location, and while it lives every QSettings
// format and scope points at its "settings" folder, so the template changes
// no setting. Removed with everything in it at the end, or by the signal
// handler, or by the next run when this process is gone.
class scratchSpace
{
public:
    scratchSpace();
    ~scratchSpace();
    scratchSpace(const scratchSpace &) = delete;
    scratchSpace &operator=(const scratchSpace &) = delete;

    bool isValid() const { return m_valid; }
    QString errorString() const { return m_dir.errorString(); }
    QString location() const;

    // Removes the scratch folders of this user whose process is gone.
    static void removeStale();

private:
    QTemporaryDir m_dir;
    bool m_valid = false;
};

#endif
