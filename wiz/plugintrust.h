#ifndef PLUGINTRUST_H
#define PLUGINTRUST_H

#include <QString>

// Loading a library runs its code with the rights of whoever runs the wizard,
// so a library is only loaded from where no other user could have put it:
// neither the library nor its folder may be writable by anyone but their
// owner, and that owner must be the user running the wizard or root.
namespace pluginTrust {

// Why the templates of this folder must not be loaded, or nothing.
QString folderRefusal(const QString &folder);
// Why this library must not be loaded, or nothing. Only a regular file, or a
// link to one, is ever loaded: anything else (a pipe, a device) could block
// the wizard or worse.
QString libraryRefusal(const QString &path);

} // namespace pluginTrust

#endif
