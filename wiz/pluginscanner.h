#ifndef PLUGINSCANNER_H
#define PLUGINSCANNER_H

#include <QJsonObject>
#include <QList>
#include <QStringList>

// What a library says of itself is asked in a child process: the wizard
// itself, started with the internal argument scanArgument, or, where no
// window system was started, a copy of the calling process that leaves the
// icons out. A library that crashes, hangs, exits or throws there takes only
// its own entry with it.
//
// Each library's record is a JSON object: "verdict" ("listed", "noentry",
// "notloaded" or "leftout"), "reason", "title", "icon" (PNG bytes in base64),
// "about", "iconNotAsked" (true where the icon was left for later), and the key of the file that
// was opened ("device", "inode", "size", "modified", as decimal texts).
namespace pluginScanner {

extern const char scanArgument[];

// The child: writes one record a line on standard output for each path, in
// order, each as soon as it is known; the icons only where asked, as they
// need a QGuiApplication. Returns the exit status.
int serve(const QStringList &paths, bool icons);
// The parent: the records of paths, in order, each within the time limit
// (WIZ_SCAN_TIME_LIMIT in milliseconds, 5000 by default).
QList<QJsonObject> scan(const QStringList &paths);
// What identifies the child's program: a new build of it may list the same
// library differently.
QString scannerIdentity();

} // namespace pluginScanner

#endif
