// Micro-benchmarks of what a template plug-in does per file: find the
// embedded template by name, then write it out with its tags replaced.
#include "embeded.h"
#include "fresh_tables.h"
#include "wiz_util.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstring>
#include <iterator>

std::vector<freshLookup> &freshTables()
{
    static std::vector<freshLookup> tables;
    return tables;
}

namespace {

// The last of twenty entries, so a first hit walks the whole table.
const char lastName[] = WIZ_LAST_LOOKUP_NAME;
const char firstName[] = "lookup/tamber_component/tamber_component.cpp";

// lastName with its final letter changed: a miss compares as far into every
// entry as the walk to the last one does, and is never cached.
QByteArray missName()
{
    QByteArray name(lastName);
    name.back() = 'X';
    return name;
}

bool tableIsAsExpected(benchmark::State &state)
{
    // qembed_vec ends with a null entry; the one before it must be lastName.
    if (std::strcmp(qembed_vec[std::size(qembed_vec) - 2].name, lastName) != 0
        || std::strcmp(qembed_vec[0].name, firstName) != 0) {
        state.SkipWithError("the embedded table is not in the order CMakeLists.txt gives");
        return false;
    }
    return true;
}

// A first hit: the name is not in the cache yet, so the lookup walks the table
// to the last entry and caches what it found. Each cache keeps a name for the
// life of the program, so every timed call goes to a table of its own, in
// which one other name was looked up beforehand (the cache already exists,
// as it does for every lookup of a plug-in but its first). The iterations are
// the tables; once they are used up there is no first hit left to time.
void BM_findData_firstHit(benchmark::State &state)
{
    static std::size_t used = 0;
    std::vector<freshLookup> &tables = freshTables();
    if (!tableIsAsExpected(state))
        return;
    if (tables.size() != WIZ_FRESH_TABLES) {
        state.SkipWithError("not every copy of the table registered itself");
        return;
    }
    if (used != 0) {
        state.SkipWithError("no unused table left: a first hit can be timed once per table");
        return;
    }
    for (freshLookup lookup : tables)
        benchmark::DoNotOptimize(&lookup(firstName));
    for (auto _ : state) {
        const QByteArray &found = tables[used++](lastName);
        benchmark::DoNotOptimize(&found);
    }
    if (qembed_findData(lastName).isEmpty())
        state.SkipWithError("the last name is not in the table");
}
BENCHMARK(BM_findData_firstHit)->Iterations(WIZ_FRESH_TABLES);

// The same walk without the insert, as often as wanted: a miss is not cached.
void BM_findData_walk(benchmark::State &state)
{
    if (!tableIsAsExpected(state))
        return;
    const QByteArray name = missName();
    for (auto _ : state) {
        const QByteArray &found = qembed_findData(name.constData());
        benchmark::DoNotOptimize(&found);
    }
    if (!qembed_findData(name.constData()).isEmpty())
        state.SkipWithError("the changed name was found");
}
BENCHMARK(BM_findData_walk);

// A name asked for before: one hash lookup, no walk.
void BM_findData_cachedHit(benchmark::State &state)
{
    if (!tableIsAsExpected(state))
        return;
    if (qembed_findData(lastName).isEmpty()) {
        state.SkipWithError("the last name is not in the table");
        return;
    }
    for (auto _ : state) {
        const QByteArray &found = qembed_findData(lastName);
        benchmark::DoNotOptimize(&found);
    }
}
BENCHMARK(BM_findData_cachedHit);

// A name of no entry, as a plug-in with a mistyped name asks for it.
void BM_findData_miss(benchmark::State &state)
{
    for (auto _ : state) {
        const QByteArray &found = qembed_findData("tamber_component/no_such_file.cpp");
        benchmark::DoNotOptimize(&found);
    }
}
BENCHMARK(BM_findData_miss);

// Template text of the given length: ordinary source lines in which each tag
// of the scripted-panel template occurs once in about every 200 bytes.
QString templateText(qsizetype length)
{
    const QString stretch = QStringLiteral(
        "// tamber_component.cpp: the component that shows the panel \"%%TITLE%%\".\n"
        "DEFINE_COMPONENT(tamber_component, \"{52CC3CAA-BB91-45DB-825D-362AFF3C318E}\")\n"
        "void tamber_component::open() { show(\"%%PANEL%%\"); }\n");
    QString text;
    text.reserve(length + stretch.size());
    while (text.size() < length)
        text += stretch;
    text.truncate(length);
    return text;
}

// The list the scripted-panel template applies to its sources.
QStringList replaceList()
{
    return { QStringLiteral("tamber_component"), QStringLiteral("meter"),
             QStringLiteral("%%TITLE%%"), QStringLiteral("Meter"),
             QStringLiteral("52CC3CAA-BB91-45DB-825D-362AFF3C318E"),
             QStringLiteral("1F0E5A4C-7D3B-4E2A-9C61-0B8D2F7A6E93"),
             QStringLiteral("%%PANEL%%"), QStringLiteral("p1") };
}

// A random-looking binary of the given length, like a picture in the docs.
QByteArray binaryData(qsizetype length)
{
    QByteArray bytes(length, Qt::Uninitialized);
    quint32 state = 2463534242u;
    for (char &byte : bytes) {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        byte = char(state);
    }
    return bytes;
}

// Every writer creates the parent directory, opens, writes and closes. The file
// is removed, untimed, before each call: a project is written into a new
// directory, and rewriting a file in place measures the file system instead
// (ext4 writes a truncated file back on close, about 3 ms each here).
class outputFile
{
public:
    outputFile()
        : m_dir(QDir::tempPath() + QStringLiteral("/wiz-bench-XXXXXX"))
        , m_path(m_dir.filePath(QStringLiteral("meter/meter.cpp")))
    {
    }
    bool isValid() const { return m_dir.isValid(); }
    const QString &path() const { return m_path; }
    bool written() const { return QFileInfo(m_path).size() > 0; }
    void remove(benchmark::State &state)
    {
        state.PauseTiming();
        QFile::remove(m_path);
        state.ResumeTiming();
    }

private:
    QTemporaryDir m_dir;
    QString m_path;
};

void finish(benchmark::State &state, const outputFile &file)
{
    state.SetBytesProcessed(std::int64_t(state.iterations()) * state.range(0));
    state.SetComplexityN(state.range(0));
    if (!file.written())
        state.SkipWithError("nothing was written");
}

// The replace-list writer with the text the plug-in hands over.
void BM_savefile(benchmark::State &state)
{
    outputFile file;
    if (!file.isValid()) {
        state.SkipWithError("no temporary directory");
        return;
    }
    const QString text = templateText(state.range(0));
    const QStringList pairs = replaceList();
    for (auto _ : state) {
        file.remove(state);
        wiz::savefile(text, file.path(), pairs);
    }
    finish(state, file);
}

// The same from embedded bytes, as the plug-ins call it: the Latin-1 text is
// made from the bytes first.
void BM_savefile_embedded(benchmark::State &state)
{
    outputFile file;
    if (!file.isValid()) {
        state.SkipWithError("no temporary directory");
        return;
    }
    const QByteArray bytes = templateText(state.range(0)).toLatin1();
    const QStringList pairs = replaceList();
    for (auto _ : state) {
        file.remove(state);
        wiz::savefile(bytes, file.path(), pairs);
    }
    finish(state, file);
}

void BM_savefilebinary(benchmark::State &state)
{
    outputFile file;
    if (!file.isValid()) {
        state.SkipWithError("no temporary directory");
        return;
    }
    const QByteArray bytes = binaryData(state.range(0));
    for (auto _ : state) {
        file.remove(state);
        wiz::savefilebinary(bytes, file.path());
    }
    finish(state, file);
}

// 2 KB is a typical template, 200 KB a large one, 20 MB far beyond any; the
// time per byte must stay the same across them. The sizes in between give the
// linear fit points to miss: with three, the largest alone decides it. Wall
// time, because writing a file costs the kernel's time as well as ours.
void fileSizes(benchmark::internal::Benchmark *benchmark)
{
    for (std::int64_t size : { 2 << 10, 20 << 10, 200 << 10, 2 << 20, 20 << 20 })
        benchmark->Arg(size);
    benchmark->Complexity(benchmark::oN)->UseRealTime()->Unit(benchmark::kMicrosecond);
}
BENCHMARK(BM_savefile)->Apply(fileSizes);
BENCHMARK(BM_savefile_embedded)->Apply(fileSizes);
BENCHMARK(BM_savefilebinary)->Apply(fileSizes);

} // namespace

BENCHMARK_MAIN();
