#ifndef CPPNAME_H
#define CPPNAME_H

#include <QString>

// Most templates name a C++ class, its macros and its include guard after the
// project, so a project name that is no C++ identifier gives sources that do
// not compile. Such a name is still allowed (a template may have no class);
// the user is only warned.
class cppName
{
public:
    // ASCII letters, digits and "_", not starting with a digit, and no keyword.
    static bool isIdentifier(const QString &name);
    // A keyword or alternative token of C++ up to C++20.
    static bool isKeyword(const QString &name);
    // The one-sentence warning for name, or an empty text when it is fine.
    static QString warning(const QString &name);

    cppName() = delete;
};

#endif
