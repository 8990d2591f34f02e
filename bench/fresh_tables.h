#ifndef FRESH_TABLES_H
#define FRESH_TABLES_H

#include <QByteArray>

#include <vector>

// A lookup through one copy of the embedded table, with a cache of its own.
using freshLookup = const QByteArray &(*)(const char *name);

// Every copy, each registered once at start-up.
std::vector<freshLookup> &freshTables();

#endif
