#include "cppname.h"

#include <QCoreApplication>

#include <algorithm>
#include <iterator>

namespace {

// The keywords and alternative tokens of C++ up to C++20, sorted.
const char *const keywords[] = { "alignas", "alignof", "and", "and_eq", "asm", "auto", "bitand",
    "bitor", "bool", "break", "case", "catch", "char", "char16_t", "char32_t", "char8_t", "class",
    "co_await", "co_return", "co_yield", "compl", "concept", "const", "const_cast", "consteval",
    "constexpr", "constinit", "continue", "decltype", "default", "delete", "do", "double",
    "dynamic_cast", "else", "enum", "explicit", "export", "extern", "false", "float", "for",
    "friend", "goto", "if", "inline", "int", "long", "mutable", "namespace", "new", "noexcept",
    "not", "not_eq", "nullptr", "operator", "or", "or_eq", "private", "protected", "public",
    "register", "reinterpret_cast", "requires", "return", "short", "signed", "sizeof", "static",
    "static_assert", "static_cast", "struct", "switch", "template", "this", "thread_local", "throw",
    "true", "try", "typedef", "typeid", "typename", "union", "unsigned", "using", "virtual", "void",
    "volatile", "wchar_t", "while", "xor", "xor_eq" };

} // namespace

bool cppName::isKeyword(const QString &name)
{
    const QByteArray latin1 = name.toLatin1();
    return std::binary_search(std::begin(keywords), std::end(keywords), latin1.constData(),
        [](const char *a, const char *b) { return qstrcmp(a, b) < 0; });
}

bool cppName::isIdentifier(const QString &name)
{
    if (name.isEmpty() || name.front().isDigit())
        return false;
    for (const QChar c : name) {
        const bool ascii = (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z')
            || (c >= u'0' && c <= u'9') || c == u'_';
        if (!ascii)
            return false;
    }
    return !isKeyword(name);
}

QString cppName::warning(const QString &name)
{
    if (isIdentifier(name))
        return QString();
    return QCoreApplication::translate("cppName",
        "\"%1\" is not a C++ identifier, so the templates that name a class after the project "
        "will not compile with it.")
        .arg(name);
}
