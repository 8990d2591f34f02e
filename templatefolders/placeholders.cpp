#include "placeholders.h"

#include "cppname.h"
#include "manifest.h"

#include <QCoreApplication>

#include <algorithm>
#include <iterator>

namespace placeholders {

struct Condition
{
    enum Op { Flag, Equal, NotEqual, Not, And, Or };
    Op op = Flag;
    QString option; // lower case
    QString value;
    std::shared_ptr<const Condition> left, right;
};

struct Branch
{
    std::shared_ptr<const Condition> condition; // null: "%{else}"
    std::vector<Node> body;
};

struct Node
{
    enum Kind { Literal, Name, Option, Guid, Year, Date, Block };
    Kind kind = Literal;
    QString text; // the literal, the option's name or the GUID's number
    QList<int> filters;
    std::vector<Branch> branches;
};

} // namespace placeholders

using namespace placeholders;

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("placeholders", text);
}

const char *const filterNames[] = { "upper", "lower", "title", "identifier" };
enum Filter { Upper, Lower, Title, Identifier };

// Keywords of C that C++ does not have, sorted; C++'s come from cppName.
const char *const cOnlyKeywords[] = { "_Alignas", "_Alignof", "_Atomic", "_BitInt", "_Bool",
    "_Complex", "_Decimal128", "_Decimal32", "_Decimal64", "_Generic", "_Imaginary", "_Noreturn",
    "_Static_assert", "_Thread_local", "restrict", "typeof", "typeof_unqual" };

bool isKeyword(const QString &word)
{
    const QByteArray latin1 = word.toLatin1();
    return cppName::isKeyword(word)
        || std::binary_search(std::begin(cOnlyKeywords), std::end(cOnlyKeywords),
            latin1.constData(), [](const char *a, const char *b) { return qstrcmp(a, b) < 0; });
}

const templateOption *findOption(const QList<templateOption> &options, QStringView name)
{
    for (const templateOption &option : options) {
        if (name.compare(option.name, Qt::CaseInsensitive) == 0)
            return &option;
    }
    return nullptr;
}

bool isNameStart(QChar c)
{
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}

bool isNameChar(QChar c)
{
    return isNameStart(c) || (c >= u'0' && c <= u'9') || c == u'_' || c == u'-';
}

// A recursive-descent parser over the text of one condition.
class ConditionParser
{
public:
    ConditionParser(const QString &text, const QList<templateOption> &options)
        : text(text)
        , options(options)
    {
    }

    std::shared_ptr<const Condition> parse(QString *error)
    {
        auto result = parseOr();
        skipSpaces();
        if (this->error.isEmpty() && at < text.size())
            fail(tr("unexpected \"%1\" in the condition \"%2\"").arg(text.mid(at), text));
        if (this->error.isEmpty() && !result)
            fail(tr("the condition is empty"));
        *error = this->error;
        return this->error.isEmpty() ? result : nullptr;
    }

private:
    const QString &text;
    const QList<templateOption> &options;
    qsizetype at = 0;
    int depth = 0;
    int joined = 0;
    QString error;

    void fail(const QString &message)
    {
        if (error.isEmpty())
            error = message;
    }

    void skipSpaces()
    {
        while (at < text.size() && (text.at(at) == u' ' || text.at(at) == u'\t'))
            ++at;
    }

    bool take(QStringView token)
    {
        skipSpaces();
        if (!QStringView(text).mid(at).startsWith(token))
            return false;
        at += token.size();
        return true;
    }

    // Evaluation recurses through the tree, so its size is bounded.
    std::shared_ptr<const Condition> join(Condition::Op op, std::shared_ptr<const Condition> left,
        std::shared_ptr<const Condition> right)
    {
        if (++joined > 100)
            fail(tr("the condition has more than 100 operators"));
        auto node = std::make_shared<Condition>();
        node->op = op;
        node->left = std::move(left);
        node->right = std::move(right);
        return node;
    }

    std::shared_ptr<const Condition> parseOr()
    {
        auto left = parseAnd();
        while (error.isEmpty() && take(u"||"))
            left = join(Condition::Or, left, parseAnd());
        return left;
    }

    std::shared_ptr<const Condition> parseAnd()
    {
        auto left = parseUnary();
        while (error.isEmpty() && take(u"&&"))
            left = join(Condition::And, left, parseUnary());
        return left;
    }

    std::shared_ptr<const Condition> parseUnary()
    {
        // Deep enough for any sensible condition, shallow enough for the stack.
        if (++depth > 100) {
            fail(tr("the condition is nested too deeply"));
            return nullptr;
        }
        std::shared_ptr<const Condition> result;
        if (take(u"!=")) {
            fail(tr("\"!=\" needs an option before it"));
        } else if (take(u"!")) {
            result = join(Condition::Not, parseUnary(), nullptr);
        } else if (take(u"(")) {
            result = parseOr();
            if (!take(u")"))
                fail(tr("a \"(\" is not closed in the condition \"%1\"").arg(text));
        } else {
            result = parseComparison();
        }
        --depth;
        return result;
    }

    QString word()
    {
        skipSpaces();
        const qsizetype start = at;
        if (at < text.size() && isNameStart(text.at(at))) {
            while (at < text.size() && isNameChar(text.at(at)))
                ++at;
        }
        return text.mid(start, at - start);
    }

    // A value is a word or a text in double quotes (which cannot hold one).
    bool value(QString *out)
    {
        skipSpaces();
        if (at < text.size() && text.at(at) == u'"') {
            const qsizetype end = text.indexOf(u'"', at + 1);
            if (end < 0) {
                fail(tr("a quoted value is not closed in the condition \"%1\"").arg(text));
                return false;
            }
            *out = text.mid(at + 1, end - at - 1);
            at = end + 1;
            return true;
        }
        const qsizetype start = at;
        while (at < text.size() && !text.at(at).isSpace()
            && !QStringView(u"()!&|=\"").contains(text.at(at)))
            ++at;
        *out = text.mid(start, at - start);
        if (out->isEmpty())
            fail(tr("a value is missing in the condition \"%1\"").arg(text));
        return !out->isEmpty();
    }

    std::shared_ptr<const Condition> parseComparison()
    {
        const QString name = word();
        if (name.isEmpty()) {
            skipSpaces();
            if (at < text.size())
                fail(tr("unexpected \"%1\" in the condition \"%2\"").arg(text.mid(at), text));
            else
                fail(tr("the condition \"%1\" ends too early").arg(text));
            return nullptr;
        }
        const templateOption *option = findOption(options, name);
        if (!option) {
            fail(tr("unknown option \"%1\"").arg(name));
            return nullptr;
        }
        auto node = std::make_shared<Condition>();
        node->option = option->name.toLower();
        const bool equal = take(u"==");
        if (!equal && !take(u"!=")) {
            if (option->kind != templateOption::YesNo)
                fail(tr("\"%1\" is not a yes-no option: compare it, as in %1 == VALUE").arg(name));
            return node;
        }
        node->op = equal ? Condition::Equal : Condition::NotEqual;
        if (!value(&node->value))
            return nullptr;
        if (option->kind == templateOption::YesNo)
            fail(tr("\"%1\" is a yes-no option: write %1 or !%1, not a comparison").arg(name));
        else if (option->kind == templateOption::Choice && !option->choices.contains(node->value))
            fail(tr("\"%1\" is not one of the choices of \"%2\": %3")
                     .arg(node->value, name, option->choices.join(QStringLiteral(", "))));
        return node;
    }
};

// The end of the tag that starts at from ("%{"), the "}" outside double
// quotes, or -1 when the line or the text ends first.
qsizetype tagEnd(const QString &text, qsizetype from)
{
    bool quoted = false;
    for (qsizetype i = from + 2; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == u'\n' || c == u'\r')
            return -1;
        if (c == u'"')
            quoted = !quoted;
        else if (c == u'}' && !quoted)
            return i;
    }
    return -1;
}

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t';
}

class TextParser
{
public:
    TextParser(const QString &text, const QList<templateOption> &options, bool blocks)
        : text(text)
        , options(options)
        , blocks(blocks)
    {
    }

    bool parse(Text *out, Error *error)
    {
        struct Open
        {
            std::vector<Node> outer; // the nodes before the block
            Node block;
            int line;
            bool sawElse = false;
        };
        std::vector<Open> open;
        std::vector<Node> current;
        QString literal;
        qsizetype at = 0;
        qsizetype counted = 0; // line counted up to here
        int line = 1;
        const auto flush = [&] {
            if (!literal.isEmpty()) {
                Node node;
                node.text = std::move(literal);
                current.push_back(std::move(node));
                literal.clear();
            }
        };
        const auto fail = [&](const QString &message) {
            error->line = line;
            error->message = message;
            return false;
        };

        for (;;) {
            const qsizetype percent = text.indexOf(u'%', at);
            if (percent < 0)
                break;
            literal += QStringView(text).mid(at, percent - at);
            line += int(QStringView(text).mid(counted, percent - counted).count(u'\n'));
            counted = percent;
            if (QStringView(text).mid(percent).startsWith(u"%%{")) {
                literal += QStringLiteral("%{");
                at = percent + 3;
                continue;
            }
            if (!QStringView(text).mid(percent).startsWith(u"%{")) {
                literal += u'%';
                at = percent + 1;
                continue;
            }
            const qsizetype end = tagEnd(text, percent);
            if (end < 0)
                return fail(tr("\"%{\" is not closed by \"}\" on its line; write \"%%{\" for a "
                               "literal \"%{\""));
            const QString tag = text.mid(percent, end + 1 - percent);
            const QString inside = tag.mid(2, tag.size() - 3);
            at = end + 1;

            const QString keyword = inside.section(u' ', 0, 0).toLower();
            const bool isBlock = keyword == u"if" || keyword == u"elif" || keyword == u"else"
                || keyword == u"endif";
            if (!isBlock) {
                Node node;
                if (!placeholder(inside, &node, error))
                    return fail(error->message);
                flush();
                current.push_back(std::move(node));
                continue;
            }
            if (!blocks)
                return fail(tr("the block tag \"%1\" is allowed only in file contents").arg(tag));

            // A tag alone on its line takes the line with it.
            qsizetype lineStart = percent;
            while (lineStart > 0 && isBlank(text.at(lineStart - 1)))
                --lineStart;
            qsizetype after = at;
            while (after < text.size() && isBlank(text.at(after)))
                ++after;
            const bool alone = (lineStart == 0 || text.at(lineStart - 1) == u'\n')
                && (after == text.size() || text.at(after) == u'\n'
                    || QStringView(text).mid(after).startsWith(u"\r\n"));
            if (alone) {
                literal.chop(percent - lineStart);
                at = after + (after == text.size() ? 0 : text.at(after) == u'\n' ? 1 : 2);
            }

            const QString rest = inside.mid(keyword.size()).trimmed();
            if ((keyword == u"else" || keyword == u"endif") && !rest.isEmpty())
                return fail(tr("\"%1\" takes no condition").arg(tag));
            std::shared_ptr<const Condition> condition;
            if (keyword == u"if" || keyword == u"elif") {
                if (rest.isEmpty())
                    return fail(
                        tr("\"%1\" needs a condition, as in %{%2 OPTION}").arg(tag, keyword));
                QString message;
                if (!compileCondition(rest, options, &condition, &message))
                    return fail(tr("%1 in \"%2\"").arg(message, tag));
            }
            flush();
            if (keyword == u"if") {
                // Rendering recurses into blocks, so their depth is bounded.
                if (open.size() >= 100)
                    return fail(tr("blocks are nested more than 100 deep"));
                Open block;
                block.outer = std::move(current);
                block.block.kind = Node::Block;
                block.block.branches.push_back({ condition, {} });
                block.line = line;
                open.push_back(std::move(block));
                current.clear();
                continue;
            }
            if (open.empty())
                return fail(tr("\"%1\" without \"%{if ...}\" before it").arg(tag));
            Open &top = open.back();
            top.block.branches.back().body = std::move(current);
            current.clear();
            if (keyword == u"endif") {
                current = std::move(top.outer);
                current.push_back(std::move(top.block));
                open.pop_back();
                continue;
            }
            if (top.sawElse)
                return fail(tr("\"%1\" after \"%{else}\"").arg(tag));
            top.sawElse = keyword == u"else";
            top.block.branches.push_back({ condition, {} });
        }
        literal += QStringView(text).mid(at);
        if (!open.empty()) {
            line = open.back().line;
            return fail(tr("\"%{if ...}\" is not closed by \"%{endif}\""));
        }
        flush();
        out->nodes = std::make_shared<const std::vector<Node>>(std::move(current));
        return true;
    }

private:
    const QString &text;
    const QList<templateOption> &options;
    const bool blocks;

    bool placeholder(const QString &inside, Node *node, Error *error)
    {
        const QString tag = QStringLiteral("%{") + inside + u'}';
        QStringList parts = inside.split(u'.');
        const QString name = parts.takeFirst().toLower();
        if (name == u"name") {
            node->kind = Node::Name;
        } else if (name == u"year") {
            node->kind = Node::Year;
        } else if (name == u"date") {
            node->kind = Node::Date;
        } else if (name == u"guid") {
            const QString number = parts.isEmpty() ? QString() : parts.takeFirst();
            const bool digits = !number.isEmpty()
                && std::all_of(
                    number.begin(), number.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
            if (!digits) {
                error->message
                    = tr("\"%1\" needs a number after \"guid.\", as in %{guid.1}").arg(tag);
                return false;
            }
            node->kind = Node::Guid;
            node->text = number;
        } else if (const templateOption *option = findOption(options, name)) {
            node->kind = Node::Option;
            node->text = option->name.toLower();
        } else {
            error->message = tr("unknown placeholder \"%1\"").arg(tag);
            return false;
        }
        for (const QString &filter : parts) {
            const auto found = std::find_if(
                std::begin(filterNames), std::end(filterNames), [&](const char *known) {
                    return filter.compare(QLatin1String(known), Qt::CaseInsensitive) == 0;
                });
            if (found == std::end(filterNames)) {
                error->message = tr(
                    "unknown filter \".%1\" in \"%2\"; the filters are .upper, .lower, .title, "
                    ".identifier")
                                     .arg(filter, tag);
                return false;
            }
            node->filters.append(int(found - std::begin(filterNames)));
        }
        return true;
    }
};

void renderNodes(const std::vector<Node> &nodes, Context &context, QString &out)
{
    for (const Node &node : nodes) {
        QString value;
        switch (node.kind) {
        case Node::Literal:
            out += node.text;
            continue;
        case Node::Block:
            for (const Branch &branch : node.branches) {
                if (!branch.condition || holds(branch.condition, context.values)) {
                    renderNodes(branch.body, context, out);
                    break;
                }
            }
            continue;
        case Node::Name:
            value = context.name;
            break;
        case Node::Option:
            value = context.values.value(node.text).text;
            break;
        case Node::Guid: {
            QString &guid = context.guids[node.text];
            if (guid.isEmpty())
                guid = context.newGuid();
            value = guid;
            break;
        }
        case Node::Year:
            value = QStringLiteral("%1").arg(context.date.year(), 4, 10, QLatin1Char('0'));
            break;
        case Node::Date:
            value = context.date.toString(Qt::ISODate);
            break;
        }
        for (const int filter : node.filters) {
            switch (Filter(filter)) {
            case Upper:
                value = value.toUpper();
                break;
            case Lower:
                value = value.toLower();
                break;
            case Title:
                value = title(value);
                break;
            case Identifier:
                value = identifier(value);
                break;
            }
        }
        out += value;
    }
}

} // namespace

bool placeholders::compile(
    const QString &text, const QList<templateOption> &options, bool blocks, Text *out, Error *error)
{
    return TextParser(text, options, blocks).parse(out, error);
}

bool placeholders::compileCondition(const QString &text, const QList<templateOption> &options,
    std::shared_ptr<const Condition> *out, QString *error)
{
    *out = ConditionParser(text, options).parse(error);
    return *out != nullptr;
}

QString placeholders::render(const Text &text, Context &context)
{
    const std::vector<Node> &nodes = *text.nodes;
    if (nodes.empty())
        return QString();
    if (nodes.size() == 1 && nodes.front().kind == Node::Literal)
        return nodes.front().text;
    QString out;
    out.reserve(nodes.front().text.size() * 2);
    renderNodes(nodes, context, out);
    return out;
}

bool placeholders::holds(const std::shared_ptr<const Condition> &condition, const Values &values)
{
    switch (condition->op) {
    case Condition::Flag:
        return values.value(condition->option).on;
    case Condition::Equal:
        return values.value(condition->option).text == condition->value;
    case Condition::NotEqual:
        return values.value(condition->option).text != condition->value;
    case Condition::Not:
        return !holds(condition->left, values);
    case Condition::And:
        return holds(condition->left, values) && holds(condition->right, values);
    case Condition::Or:
        return holds(condition->left, values) || holds(condition->right, values);
    }
    return false;
}

QString placeholders::title(const QString &text)
{
    QString result = text;
    bool wordStart = true;
    for (QChar &c : result) {
        if (wordStart && c.isLetter())
            c = c.toUpper();
        wordStart = !c.isLetterOrNumber();
    }
    return result;
}

QString placeholders::identifier(const QString &text)
{
    QString result;
    result.reserve(text.size() + 1);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        const bool kept = (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z')
            || (c >= u'0' && c <= u'9') || c == u'_';
        result += kept ? c : QChar(u'_');
        if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate())
            ++i;
    }
    if (!result.isEmpty() && result.front().isDigit())
        result.prepend(u'x');
    if (isKeyword(result))
        result += u'_';
    return result;
}
