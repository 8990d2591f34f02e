// Test stand-in for the table that the template plug-in's build embeds.
#include "qt.h"

const QByteArray &qembed_findData(const char *name);
