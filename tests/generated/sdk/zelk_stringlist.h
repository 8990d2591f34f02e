// Test stand-in for the platform's string list: only what the templates use.
#ifndef ZELK_STRINGLIST_H
#define ZELK_STRINGLIST_H

#include "zelk_string.h"

class zelk_stringlist
{
public:
    zelk_stringlist &operator<<(const zelk_string &item);
    zelk_string join(char separator) const;
};

#endif
