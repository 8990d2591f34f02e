// Template folders: the manifest's checks, the placeholder language, the
// encodings and newlines, output paths and option values, each through a real
// folder on disk loaded and rendered by the library.
#include "templatefolder.h"
#include "wiztest.h"

#include <QJsonDocument>

using Tree = QList<QPair<QString, QByteArray>>;
Q_DECLARE_METATYPE(Tree)

namespace {

// Four options that the placeholder rows use.
const QByteArray options = R"("options": [
    {"name": "licence", "kind": "yes-no", "default": true},
    {"name": "style", "kind": "choice", "choices": ["mit", {"value": "bsd", "label": "BSD"}]},
    {"name": "prefix", "pattern": "[a-z.:/\\\\]*", "default": "ab"},
    {"name": "Flag", "kind": "yes-no", "values": ["OFF", "ON"]},
    {"name": "holder", "when": "licence", "default": "nobody"}])";

// Writes folder/template.json and each file of tree below folder/files; a
// path "LINK name" makes name a symbolic link to its content.
void makeTemplate(const QString &folder, const QByteArray &json, const Tree &tree)
{
    QDir().mkpath(folder + QLatin1String("/files"));
    wiztest::writeAll(folder + QLatin1String("/template.json"), json);
    for (const auto &[path, bytes] : tree) {
        if (path.startsWith(QLatin1String("LINK "))) {
            QFile::link(QString::fromUtf8(bytes), folder + QLatin1String("/files/") + path.mid(5));
            continue;
        }
        const QString full = folder + QLatin1String("/files/") + path;
        QDir().mkpath(QFileInfo(full).path());
        wiztest::writeAll(full, bytes);
    }
}

// GUIDs that stay the same from run to run: ...0001, ...0002, ...
std::function<QString()> countingGuids()
{
    return [count = 0]() mutable {
        return QStringLiteral("00000000-0000-0000-0000-%1").arg(++count, 12, 10, QLatin1Char('0'));
    };
}

struct Rendered
{
    QStringList errors; // loading's, the options', then rendering's
    renderResult result;
};

Rendered render(const QByteArray &json, const Tree &tree,
    const QString &name = QStringLiteral("my-lib"), const QStringList &parameters = {})
{
    QTemporaryDir dir;
    makeTemplate(dir.path(), json, tree);
    Rendered out;
    templateFolder folder;
    if (!templateFolder::load(dir.path(), QStringLiteral("1.0.0"), &folder, &out.errors))
        return out;
    placeholders::Values values;
    QString error;
    if (!templateOptions::fromParameters(folder.manifest(), parameters, &values, &error)) {
        out.errors << error;
        return out;
    }
    out.result = folder.render(name, values, QDate(2024, 3, 5), countingGuids());
    out.errors << out.result.errors;
    return out;
}

QByteArray withOptions(const QByteArray &rest = QByteArray())
{
    return "{\"title\": \"T\", " + options + rest + "}";
}

} // namespace

class tst_templatefolder : public QObject
{
    Q_OBJECT

private slots:
    void manifestMistakes_data();
    void manifestMistakes();
    void placeholders_data();
    void placeholders();
    void encodings_data();
    void encodings();
    void outputPaths_data();
    void outputPaths();
    void nameRules_data();
    void nameRules();
    void description();
};

void tst_templatefolder::manifestMistakes_data()
{
    QTest::addColumn<QByteArray>("json");
    QTest::addColumn<Tree>("tree");
    QTest::addColumn<QString>("expected");

    const Tree plain { { "README.md", "%{name}\n" },
        { "src/main.c", "int main(void) { return 0; }\n" } };
    const auto row = [&](const char *name, const QByteArray &json, const QString &expected,
                         const Tree &tree) { QTest::newRow(name) << json << tree << expected; };
    const auto plainRow = [&](const char *name, const QByteArray &json, const QString &expected) {
        row(name, json, expected, plain);
    };
    plainRow("not JSON", "{\"title\": \"T\",\n\"version\" \"1\"}",
        "template.json:2: not valid JSON: missing name separator");
    plainRow("not an object", "[]", "template.json: must hold one JSON object, the manifest");
    plainRow("no title", "{}", "template.json: title: missing; every template needs a title");
    plainRow("empty title", R"({"title": " "})", "template.json: title: must not be empty");
    plainRow(
        "wrong type", R"({"title": 3})", "template.json: title: must be a string, not a number");
    plainRow("unknown member", R"({"title": "T", "colour": "red"})",
        "template.json: colour: unknown member; the members here are $schema, title, description, "
        "icon, version, requires, message, name, options, files");
    plainRow("kind not known",
        R"({"title": "T", "options": [{"name": "a"}, {"name": "b", "kind": "colour"}]})",
        "template.json: options[1].kind: \"colour\" is not one of text, yes-no, choice");
    plainRow("option without name", R"({"title": "T", "options": [{"kind": "text"}]})",
        "template.json: options[0].name: missing; every option needs a name");
    plainRow("option name form", R"({"title": "T", "options": [{"name": "2x"}]})",
        "template.json: options[0].name: \"2x\" must begin with a letter and hold only letters, "
        "digits, \"_\" and \"-\"");
    plainRow("option name reserved", R"({"title": "T", "options": [{"name": "Date"}]})",
        "template.json: options[0].name: \"Date\" is a reserved name");
    plainRow("option name wiz", R"({"title": "T", "options": [{"name": "wizard"}]})",
        "template.json: options[0].name: \"wizard\" begins with \"wiz\", which is kept for the "
        "wizard");
    plainRow("option name twice", R"({"title": "T", "options": [{"name": "a"}, {"name": "A"}]})",
        "template.json: options[1].name: \"A\" is already the name of another option (\"a\"); "
        "names "
        "are compared without case");
    plainRow("choice without choices",
        R"({"title": "T", "options": [{"name": "a", "kind": "choice"}]})",
        "template.json: options[0].choices: missing; a choice option needs at least one choice");
    plainRow("choice twice",
        R"({"title": "T", "options": [{"name": "a", "kind": "choice", "choices": ["x", {"value": "x"}]}]})",
        "template.json: options[0].choices[1]: \"x\" is already a choice");
    plainRow("choices on text", R"({"title": "T", "options": [{"name": "a", "choices": ["x"]}]})",
        "template.json: options[0].choices: only a choice option has it");
    plainRow("default of a choice",
        R"({"title": "T", "options": [{"name": "a", "kind": "choice", "choices": ["x"], "default": "y"}]})",
        "template.json: options[0].default: \"y\" is not one of the choices x");
    plainRow("default of a yes-no",
        R"({"title": "T", "options": [{"name": "a", "kind": "yes-no", "default": "yes"}]})",
        "template.json: options[0].default: must be a boolean, not a string");
    plainRow("values not two",
        R"({"title": "T", "options": [{"name": "a", "kind": "yes-no", "values": ["off"]}]})",
        "template.json: options[0].values: must be an array of two strings, the texts for no and "
        "for yes");
    plainRow("bad pattern",
        R"({"title": "T", "options": [{"name": "a", "pattern": "(", "default": ""}]})",
        "template.json: options[0].pattern: not a valid regular expression: missing closing "
        "parenthesis");
    plainRow("default against pattern",
        R"({"title": "T", "options": [{"name": "a", "pattern": "[a-z]+"}]})",
        "template.json: options[0].default: \"\" does not match the pattern [a-z]+");
    plainRow("when names a later option",
        R"({"title": "T", "options": [{"name": "a", "when": "b"}, {"name": "b", "kind": "yes-no"}]})",
        "template.json: options[0].when: unknown option \"b\" before this one; an option's "
        "condition "
        "may name only the options above it");
    plainRow("when with an unknown choice",
        withOptions(R"(, "files": [{"match": "**", "when": "style == gpl"}])"),
        "template.json: files[0].when: \"gpl\" is not one of the choices of \"style\": mit, bsd");
    plainRow("name rule", R"({"title": "T", "name": {"rule": "folder"}})",
        "template.json: name.rule: \"folder\" is not one of identifier, directory, pattern");
    plainRow("pattern rule without pattern", R"({"title": "T", "name": {"rule": "pattern"}})",
        "template.json: name.pattern: missing; the rule \"pattern\" needs one");
    plainRow("encoding", R"({"title": "T", "files": [{"match": "*.md", "encoding": "latin1"}]})",
        "template.json: files[0].encoding: \"latin1\" is not one of utf-8, utf-8-bom, "
        "windows-1252, binary");
    plainRow("newline", R"({"title": "T", "files": [{"match": "*.md", "newline": "cr"}]})",
        "template.json: files[0].newline: \"cr\" is not one of lf, crlf, keep");
    plainRow("rule without match", R"({"title": "T", "files": [{"render": false}]})",
        "template.json: files[0].match: missing; every rule needs a match");
    plainRow("match finds nothing", R"({"title": "T", "files": [{"match": "*.c"}]})",
        "template.json: files[0].match: \"*.c\" matches no file under files/");
    plainRow("rename of many", R"({"title": "T", "files": [{"match": "**", "rename": "x"}]})",
        "template.json: files[0].rename: the rule matches 2 files (README.md, src/main.c, ...); a "
        "rename needs a rule that matches one");
    plainRow("rename placeholder",
        R"({"title": "T", "files": [{"match": "README.md", "rename": "%{nmae}.md"}]})",
        "template.json: files[0].rename: unknown placeholder \"%{nmae}\"");
    plainRow("requires a newer wizard", R"({"title": "T", "requires": "1.2"})",
        "template.json: requires: the template needs wizard version 1.2 or later; this is 1.0.0");
    plainRow("requires no version", R"({"title": "T", "requires": "one"})",
        "template.json: requires: \"one\" is not a version such as 1.2 or 1.2.3");
    plainRow("icon type", R"({"title": "T", "icon": "icon.gif"})",
        "template.json: icon: \"icon.gif\" is not a PNG, SVG or XPM file (.png, .svg, .xpm)");
    plainRow("icon missing", R"({"title": "T", "icon": "icon.png"})",
        "template.json: icon: \"icon.png\" is not a file in the template folder");
    row("symbolic link", R"({"title": "T"})",
        "files/link.md: a symbolic link; a template holds only files and folders",
        Tree { { "README.md", "x" }, { "LINK link.md", "/etc/passwd" } });
    row("not UTF-8", R"({"title": "T"})",
        "files/README.md:2: not valid UTF-8; give the file's encoding in a rule",
        Tree { { "README.md", "caf\xc3\xa9\ncaf\xe9\n" } });
    row("unknown placeholder in a file name", R"({"title": "T"})",
        "files/src/%{nmae}.c: unknown placeholder \"%{nmae}\"", Tree { { "src/%{nmae}.c", "" } });
    row("block in a file name", R"({"title": "T"})",
        "files/%{if x}.c: the block tag \"%{if x}\" is allowed only in file contents",
        Tree { { "%{if x}.c", "" } });
}

void tst_templatefolder::manifestMistakes()
{
    QFETCH(QByteArray, json);
    QFETCH(Tree, tree);
    QFETCH(QString, expected);
    QCOMPARE(render(json, tree).errors, QStringList { expected });
}

void tst_templatefolder::placeholders_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QStringList>("parameters");
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QByteArray>("expected");
    QTest::addColumn<QString>("error"); // when set, the one error instead of a file

    const auto row
        = [](const char *title, const QByteArray &text, const QByteArray &expected,
              const QStringList &parameters = {}, const QString &name = QStringLiteral("my-lib")) {
              QTest::newRow(title) << name << parameters << text << expected << QString();
          };
    const auto mistake = [](const char *title, const QByteArray &text, const QString &error,
                             const QStringList &parameters = {}) {
        QTest::newRow(title) << QStringLiteral("my-lib") << parameters << text << QByteArray()
                             << error;
    };
    row("name", "<%{name}>", "<my-lib>");
    row("filters chain", "#ifndef %{name.identifier.upper}_H", "#ifndef MY_LIB_H");
    row("title", "%{name.title} %{name.Upper.title}", "My-Lib MY-LIB");
    row("lower", "%{prefix.upper.lower}", "ab");
    row("names without case", "%{PREFIX} %{Name}", "ab my-lib");
    row("yes-no values", "%{flag} %{licence}", "OFF true");
    row("choice", "%{style}", "bsd", { "/style=bsd" });
    row("same number same GUID", "%{guid.1} %{guid.2}\n%{guid.1}",
        "00000000-0000-0000-0000-000000000001 00000000-0000-0000-0000-000000000002\n"
        "00000000-0000-0000-0000-000000000001");
    row("year and date", "(c) %{year}, %{date}", "(c) 2024, 2024-03-05");
    row("literal", "%%{name} 100% %% %{name}%", "%{name} 100% %% my-lib%");
    row("value not scanned again", "%{holder}", "%{name}", { "/holder=%{name}" });
    row("identifier of a non-ASCII name", "%{name.identifier}", "caf_", {}, "café");
    row("identifier with a leading digit", "%{name.identifier}", "x2d", {}, "2d");
    row("identifier of a C++ keyword", "%{name.identifier}", "class_", {}, "class");
    row("identifier of a C keyword", "%{name.identifier}", "restrict_", {}, "restrict");
    row("tag lines vanish", "a\n%{if licence}\nL\n%{endif}\nb\n", "a\nL\nb\n");
    row("else", "a\n%{if !licence}\nL\n%{else}\nN\n%{endif}\n", "a\nN\n");
    row("elif", "%{if style == bsd}B%{elif style == mit}M%{else}X%{endif}", "M");
    row("quoted value", "%{if style != \"bsd\"}not bsd%{endif}", "not bsd");
    row("inline tags keep the line", "x %{if licence}y%{endif} z\n", "x y z\n");
    row("indented tag lines vanish", "  %{if licence}\n\tL\n  %{ENDIF}\n", "\tL\n");
    row("tag lines with CR LF", "a\r\n%{if licence}\r\nL\r\n%{endif}\r\n", "a\r\nL\r\n");
    row("tag at the end", "a\n%{if licence}b\n%{endif}", "a\nb\n");
    row("nested", "%{if licence}%{if flag}F%{else}f%{endif}!%{endif}", "f!");
    row("operators", "%{if (flag || licence) && !(style != mit)}yes%{endif}", "yes");
    row("and binds tighter", "%{if licence || flag && !licence}yes%{endif}", "yes");
    row("skipped option takes its default", "%{holder}", "nobody", { "/licence=no", "/holder=me" });
    row("shown option takes its value", "%{holder}", "me", { "/holder=me" });
    mistake(
        "unknown placeholder", "a\n%{nmae}\n", "files/t.txt:2: unknown placeholder \"%{nmae}\"");
    mistake("unknown filter", "%{name.upperr}",
        "files/t.txt:1: unknown filter \".upperr\" in \"%{name.upperr}\"; the "
        "filters are .upper, .lower, .title, .identifier");
    mistake("GUID without number", "%{guid}",
        "files/t.txt:1: \"%{guid}\" needs a number after \"guid.\", as in %{guid.1}");
    mistake("not closed", "\n\n%{name\n}",
        "files/t.txt:3: \"%{\" is not closed by \"}\" on its line; write \"%%{\" "
        "for a literal \"%{\"");
    mistake("endif alone", "a\n%{endif}\n",
        "files/t.txt:2: \"%{endif}\" without \"%{if ...}\" before it");
    mistake("if not closed", "a\n%{if licence}\nb\n",
        "files/t.txt:2: \"%{if ...}\" is not closed by \"%{endif}\"");
    mistake("elif after else", "%{if licence}\n%{else}\n%{elif flag}\n%{endif}",
        "files/t.txt:3: \"%{elif flag}\" after \"%{else}\"");
    mistake("if without condition", "%{if}%{endif}",
        "files/t.txt:1: \"%{if}\" needs a condition, as in %{if OPTION}");
    mistake("unknown option", "%{if colour}%{endif}",
        "files/t.txt:1: unknown option \"colour\" in \"%{if colour}\"");
    mistake("choice value", "%{if style == gpl}%{endif}",
        "files/t.txt:1: \"gpl\" is not one of the choices of \"style\": mit, bsd in "
        "\"%{if style == gpl}\"");
    mistake("choice alone", "%{if style}%{endif}",
        "files/t.txt:1: \"style\" is not a yes-no option: compare it, as in style "
        "== VALUE in \"%{if style}\"");
    mistake("yes-no compared", "%{if licence == true}%{endif}",
        "files/t.txt:1: \"licence\" is a yes-no option: write licence or "
        "!licence, not a comparison in \"%{if licence == true}\"");
    mistake("parenthesis", "%{if (licence}%{endif}",
        "files/t.txt:1: a \"(\" is not closed in the condition \"(licence\" in "
        "\"%{if (licence}\"");
    mistake("dangling operator", "%{if licence &&}%{endif}",
        "files/t.txt:1: the condition \"licence &&\" ends too early in "
        "\"%{if licence &&}\"");
    const QByteArray values = "%{licence} %{style} %{prefix} %{flag}";
    row("option defaults", values, "true mit ab OFF",
        { "/path=/tmp", "/project=x", "/key=T", "other" });
    row("options given", values, "false bsd x.y ON",
        { "/LICENCE=No", "/style=bsd", "/prefix=x.y", "/flag=1" });
    mistake("yes-no value", values,
        "/licence=maybe: \"maybe\" is not a value of \"licence\": true, false, yes, no, 1, 0",
        { "/licence=maybe" });
    mistake("choice value given", values,
        "/style=gpl: \"gpl\" is not one of the choices of \"style\": mit, bsd", { "/style=gpl" });
    mistake("pattern", values,
        "/prefix=A: \"A\" does not match the pattern of \"prefix\": [a-z.:/\\\\]*",
        { "/prefix=A" });
    mistake("unknown option given", values,
        "/colour=red: unknown option \"colour\"; the options are licence, style, prefix, Flag, "
        "holder",
        { "/colour=red" });
    mistake("no value", values, "/flag: give a value, as in /flag=VALUE", { "/flag" });
    mistake("line break", values, "/holder=a\nb: the value of \"holder\" holds a line break",
        { "/holder=a\nb" });
}

void tst_templatefolder::placeholders()
{
    QFETCH(QString, name);
    QFETCH(QStringList, parameters);
    QFETCH(QByteArray, text);
    QFETCH(QByteArray, expected);
    QFETCH(QString, error);
    const Rendered out = render(withOptions(), { { "t.txt", text } }, name, parameters);
    if (!error.isEmpty()) {
        QCOMPARE(out.errors, QStringList { error });
        return;
    }
    QCOMPARE(out.errors, QStringList());
    QCOMPARE(out.result.files.size(), 1);
    QCOMPARE(out.result.files.at(0).bytes, expected);
}

void tst_templatefolder::encodings_data()
{
    QTest::addColumn<QByteArray>("rule");
    QTest::addColumn<QByteArray>("stored");
    QTest::addColumn<QByteArray>("expected");
    QTest::addColumn<QStringList>("notes");

    // The start of a real PNG: its signature holds CR LF, LF, and NUL bytes follow.
    const QByteArray png = QByteArray::fromHex(
        "89504e470d0a1a0a0000000d49484452000000010000000108060000001f15c489"
        "0000000d4944415478da63f8ffff3f0005fe02fea7d6a4f00000000049454e44ae426082");
    QTest::newRow("CR LF kept") << QByteArray() << QByteArray("a\r\n%{name}\n")
                                << QByteArray("a\r\nZähler€ł\n") << QStringList();
    QTest::newRow("UTF-8 drops a mark")
        << QByteArray() << QByteArray("\xef\xbb\xbfx") << QByteArray("x") << QStringList();
    QTest::newRow("UTF-8 with a mark")
        << QByteArray(R"("encoding": "utf-8-bom")") << QByteArray("\xef\xbb\xbfx")
        << QByteArray("\xef\xbb\xbfx") << QStringList();
    QTest::newRow("Windows-1252")
        << QByteArray(R"("encoding": "windows-1252")")
        << QByteArray("caf\xe9 \x80 \x81\r\n%{name}\r\n")
        << QByteArray("caf\xe9 \x80 \x81\r\nZ\xe4hler\x80?\r\n")
        << QStringList { "t.txt:2: \"ł\" is not in windows-1252 and was written as \"?\"" };
    QTest::newRow("LF") << QByteArray(R"("newline": "lf")") << QByteArray("a\r\nb\r\n")
                        << QByteArray("a\nb\n") << QStringList();
    QTest::newRow("CR LF") << QByteArray(R"("newline": "crlf")") << QByteArray("a\nb\r\n%{name}")
                           << QByteArray("a\r\nb\r\nZähler€ł") << QStringList();
    QTest::newRow("not rendered") << QByteArray(R"("render": false, "newline": "crlf")")
                                  << QByteArray("%{nmae}\n") << QByteArray("%{nmae}\r\n")
                                  << QStringList();
    QTest::newRow("NUL means binary")
        << QByteArray() << QByteArray("a\0%{nmae}\r\n", 12) << QByteArray("a\0%{nmae}\r\n", 12)
        << QStringList { "t.txt: copied as binary" };
    QTest::newRow("binary rule") << QByteArray(R"("encoding": "binary")")
                                 << QByteArray("%{name}\r\n") << QByteArray("%{name}\r\n")
                                 << QStringList { "t.txt: copied as binary" };
    QTest::newRow("PNG") << QByteArray() << png << png << QStringList { "t.txt: copied as binary" };
}

void tst_templatefolder::encodings()
{
    QFETCH(QByteArray, rule);
    QFETCH(QByteArray, stored);
    QFETCH(QByteArray, expected);
    QFETCH(QStringList, notes);
    const QByteArray json = rule.isEmpty()
        ? QByteArray(R"({"title": "T"})")
        : R"({"title": "T", "files": [{"match": "*.txt", )" + rule + "}]}";
    QTemporaryDir dir;
    makeTemplate(dir.path(), json, { { "t.txt", stored }, { "run.sh", "#!/bin/sh\n" } });
    QFile::setPermissions(dir.filePath("files/run.sh"), QFile::ReadOwner | QFile::ExeOwner);
    templateFolder folder;
    QStringList errors;
    QVERIFY2(templateFolder::load(dir.path(), QString(), &folder, &errors),
        qPrintable(errors.join('\n')));
    const renderResult result = folder.render(QStringLiteral("Zähler€ł"), {}, QDate(2024, 3, 5));
    QCOMPARE(result.errors, QStringList());
    QCOMPARE(result.notes, notes);
    QCOMPARE(result.files.size(), 2);
    QCOMPARE(result.files.at(0).path, "run.sh");
    QVERIFY(result.files.at(0).executable);
    QCOMPARE(result.files.at(1).path, "t.txt");
    QCOMPARE(result.files.at(1).bytes, expected);
    QCOMPARE(result.files.at(1).executable, false);
    QCOMPARE(result.files.at(1).binary, !notes.isEmpty() && notes.at(0).endsWith("binary"));
}

void tst_templatefolder::outputPaths_data()
{
    QTest::addColumn<QString>("prefix");
    QTest::addColumn<Tree>("tree");
    QTest::addColumn<QByteArray>("rules");
    QTest::addColumn<QStringList>("expected"); // the paths, or the error

    const Tree inFolder { { "%{prefix}/x.txt", "" } };
    QTest::newRow("placeholders in folder and file names")
        << "ab" << Tree { { "%{prefix}/%{name.identifier}.h", "" }, { "%{name}.txt", "" } }
        << QByteArray() << QStringList { "ab/my_lib.h", "my-lib.txt" };
    QTest::newRow("rename") << "ab" << Tree { { "a.txt", "" } }
                            << QByteArray(R"({"match": "a.txt", "rename": "src/%{prefix}.c"})")
                            << QStringList { "src/ab.c" };
    QTest::newRow("when") << "ab" << Tree { { "a.txt", "" }, { "LICENSE", "" } }
                          << QByteArray(R"({"match": "LICENSE", "when": "flag"})")
                          << QStringList { "a.txt" };
    // A prefix that cannot be a folder name, and the error it gives.
    const auto badPrefix
        = [&inFolder](const char *title, const QString &prefix, const char *error) {
              QTest::newRow(title)
                  << prefix << inFolder << QByteArray()
                  << QStringList { QLatin1String("files/%{prefix}/x.txt: the output path ")
                         + QString::fromUtf8(error) };
          };
    badPrefix("empty", "", "\"/x.txt\" holds an empty folder or file name");
    badPrefix("dot dot", "..", "\"../x.txt\" holds the name \"..\"");
    badPrefix("slash", "a/b", "\"a/b/x.txt\" holds \"/\" in the name \"a/b\"");
    badPrefix("backslash", "a\\b", "\"a\\b/x.txt\" holds \"\\\" in the name \"a\\b\"");
    badPrefix("colon", "c:", "\"c:/x.txt\" holds \":\" in the name \"c:\"");
    QTest::newRow("two files on one path")
        << "ab" << Tree { { "%{prefix}.txt", "" }, { "ab.txt", "" } } << QByteArray()
        << QStringList {
               "files/%{prefix}.txt and files/ab.txt both give the output path \"ab.txt\""
           };
    QTest::newRow("a file where a folder is needed")
        << "ab" << Tree { { "ab", "" }, { "%{prefix}/x", "" } } << QByteArray()
        << QStringList { "files/ab gives the file \"ab\", where files/%{prefix}/x needs a folder" };
}

void tst_templatefolder::outputPaths()
{
    QFETCH(QString, prefix);
    QFETCH(Tree, tree);
    QFETCH(QByteArray, rules);
    QFETCH(QStringList, expected);
    const Rendered out = render(withOptions(", \"files\": [" + rules + "]"), tree,
        QStringLiteral("my-lib"), { "/prefix=" + prefix });
    QStringList paths = out.errors;
    for (const renderedFile &file : out.result.files)
        paths << file.path;
    QCOMPARE(paths, expected);
}

void tst_templatefolder::nameRules_data()
{
    QTest::addColumn<QByteArray>("rule");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("expected");

    QTest::newRow("directory") << QByteArray() << "my lib"
                               << "";
    QTest::newRow("directory, slash")
        << QByteArray() << "a/b"
        << "\"a/b\" is not one folder name: no \"/\" or \"\\\", not \".\" or \"..\"";
    QTest::newRow("identifier") << QByteArray(R"({"rule": "identifier"})") << "my_lib"
                                << "";
    QTest::newRow("identifier, hyphen") << QByteArray(R"({"rule": "identifier"})") << "my-lib"
                                        << "\"my-lib\" is not an identifier: letters, digits and "
                                           "\"_\", not beginning with a digit, and no keyword";
    QTest::newRow("pattern, whole name")
        << QByteArray(R"({"rule": "pattern", "pattern": "[a-z]+"})") << "abc1"
        << "\"abc1\" does not match the pattern [a-z]+";
    QTest::newRow("own message") << QByteArray(
        R"({"rule": "pattern", "pattern": "[a-z]+", "message": "Lower case only."})")
                                 << "ABC"
                                 << "Lower case only.";
}

void tst_templatefolder::nameRules()
{
    QFETCH(QByteArray, rule);
    QFETCH(QString, name);
    QFETCH(QString, expected);
    templateManifest manifest;
    QStringList errors;
    QVERIFY(templateJson::parse(
        rule.isEmpty() ? "{\"title\": \"T\"}" : "{\"title\": \"T\", \"name\": " + rule + "}",
        &manifest, &errors));
    QCOMPARE(templateOptions::nameError(manifest, name), expected);
}

void tst_templatefolder::description()
{
    QTemporaryDir dir;
    makeTemplate(dir.path(),
        R"({"$schema": "x", "title": "C library", "description": "A library.", "version": "1.1", "icon": "icon.svg",
            "message": "Done.", "name": {"rule": "identifier"}, )"
            + options + "}",
        { { "a", "" } });
    wiztest::writeAll(dir.filePath("icon.svg"), "<svg/>");
    templateFolder folder;
    QStringList errors;
    QVERIFY2(templateFolder::load(dir.path(), QStringLiteral("1.0"), &folder, &errors),
        qPrintable(errors.join('\n')));
    const QByteArray expected = R"({"description":"A library.","icon":")"
        + QDir(dir.path()).canonicalPath().toUtf8()
        + R"(/icon.svg","message":"Done.","name":{"rule":"identifier"},"options":[)"
          R"({"default":true,"kind":"yes-no","label":"licence","name":"licence","values":["false","true"]},)"
          R"({"choices":["mit",{"label":"BSD","value":"bsd"}],"default":"mit","kind":"choice","label":"style","name":"style"},)"
          R"({"default":"ab","kind":"text","label":"prefix","name":"prefix","pattern":"[a-z.:/\\\\]*"},)"
          R"({"default":false,"kind":"yes-no","label":"Flag","name":"Flag","values":["OFF","ON"]},)"
          R"({"default":"nobody","kind":"text","label":"holder","name":"holder","when":"licence"}],)"
          R"("title":"C library","version":"1.1"})";
    QCOMPARE(QJsonDocument(
                 templateJson::description(folder.manifest(), QDir(dir.path()).canonicalPath()))
                 .toJson(QJsonDocument::Compact),
        expected);
}

WIZ_TEST_MAIN(tst_templatefolder)
#include "tst_templatefolder.moc"
