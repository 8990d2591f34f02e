// Test stand-in for the platform's string class: only what the templates use.
#ifndef ZELK_STRING_H
#define ZELK_STRING_H

#include <string>
using std::string;

class zelk_string
{
public:
    zelk_string();
    zelk_string(const char *text);
    zelk_string(const string &text);
    zelk_string arg(const zelk_string &value) const;
    const char *c_str() const;
    bool operator==(const char *text) const;
    bool operator!=(const zelk_string &other) const;
    zelk_string operator+(const zelk_string &other) const;
};

#endif
