// Compiled once per copy of the table (see CMakeLists.txt): the lookup and its
// cache are static to this unit, so each copy starts with nothing cached.
#include "embeded.h"
#include "fresh_tables.h"

namespace {

const QByteArray &lookup(const char *name)
{
    return qembed_findData(name);
}

const bool registered = (freshTables().push_back(&lookup), true);

} // namespace
