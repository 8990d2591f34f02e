#ifndef PLUGINSTAMP_H
#define PLUGINSTAMP_H

#include <QString>

// The check of the stamp that ZELK_WIZARD_PLUGIN puts into a plug-in library:
// the contract version and the Qt version it was built with. A library built
// for another contract, another Qt major version or a newer Qt minor version
// than the one running would be called through tables and symbols that do not
// match, and crash the host. Libraries without a stamp predate it and load.
class pluginStamp
{
public:
    // Why a library with this stamp is refused, or an empty text.
    static QString refusal(int contractVersion, int qtVersion);

    pluginStamp() = delete;
};

#endif
