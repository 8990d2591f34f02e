#ifndef PLACEHOLDERS_H
#define PLACEHOLDERS_H

#include <QDate>
#include <QHash>
#include <QList>
#include <QString>

#include <functional>
#include <memory>
#include <vector>

struct templateOption;

// The placeholder language of template folders: "%{name}", "%{OPTION}",
// "%{guid.N}", "%{year}", "%{date}", filters chained with dots (".upper",
// ".lower", ".title", ".identifier"), "%%{" for a literal "%{", and blocks
// "%{if COND}", "%{elif COND}", "%{else}", "%{endif}". A text is compiled once,
// with every name checked, and then rendered for any values. Names, filters and
// keywords are compared without case.
namespace placeholders {

struct Condition;
struct Node;

// A compiled text; cheap to copy.
struct Text
{
    std::shared_ptr<const std::vector<Node>> nodes;
};

// The value of each option for one run, keyed by the option's name in lower
// case: the text it writes and, for a yes-no option, whether it is on.
struct Value
{
    QString text;
    bool on = false;
};
using Values = QHash<QString, Value>;

// What a run's placeholders stand for.
struct Context
{
    QString name;
    Values values;
    QDate date;
    // A fresh GUID, 8-4-4-4-12 in lower case; asked once per "%{guid.N}" number.
    std::function<QString()> newGuid;
    QHash<QString, QString> guids; // filled while rendering: N -> GUID
};

struct Error
{
    int line = 0; // from 1
    QString message;
};

// Compiles text. Blocks are allowed only where lines are (file contents, not
// names). False with *error on the first mistake.
bool compile(const QString &text, const QList<templateOption> &options, bool blocks, Text *out,
    Error *error);
// Compiles a condition such as "licence && style == mit"; *error without a line.
bool compileCondition(const QString &text, const QList<templateOption> &options,
    std::shared_ptr<const Condition> *out, QString *error);

// The text with every placeholder replaced and the blocks decided. A line
// holding only a block tag (and spaces or tabs) goes with its line end.
QString render(const Text &text, Context &context);
bool holds(const std::shared_ptr<const Condition> &condition, const Values &values);

// The filters on their own.
QString title(const QString &text);
QString identifier(const QString &text);

} // namespace placeholders

#endif
