// Table engine figures at the scale of a large book (100,000 entries, 10,000 orgs):
// listing a category, a surname prefix, a LIKE search and all entries; loading and
// saving the Name table file; memory per entry.
#include <benchmark/benchmark.h>

#include <QDir>
#include <QTemporaryDir>
#include <malloc.h>

#include "qvtool/SyntheticBook.h"

namespace {

constexpr int kEntries = kLargeBook.entries;

size_t HeapInUse()
{
    return mallinfo2().uordblks;
}

struct Book
{
    Book()
    {
        const size_t before = HeapInUse();
        GenerateSyntheticBook(data, kLargeBook);
        data.NameDataSet.RecordCount(); // builds the name order once
        bytesPerEntry = double(HeapInUse() - before) / kEntries;
        path = dir.filePath(QStringLiteral("Names.dbf"));
        data.NameDataSet.SaveToFile(path);
    }
    TCardData data;
    double bytesPerEntry = 0;
    QTemporaryDir dir;
    QString path;
};

Book& TheBook()
{
    static Book book;
    return book;
}

// Each iteration sets one of two filters in turn, so every listing is computed afresh.
void ListWith(benchmark::State& state, const QString& a, const QString& b, bool caseInsensitive)
{
    TableView& view = TheBook().data.NameDataSet;
    view.SetFilterCaseInsensitive(caseInsensitive);
    bool flip = false;
    int listed = 0;
    for (auto _ : state) {
        view.SetFilter(flip ? a : b);
        listed = view.RecordCount();
        flip = !flip;
    }
    state.counters["listed"] = listed;
    view.SetFilter(QString());
    view.SetFilterCaseInsensitive(false);
}

void BM_ListCategory(benchmark::State& state)
{
    ListWith(state, QStringLiteral("Group1=1005 OR Group2=1005 OR Group3=1005 OR Group4=1005"),
             QStringLiteral("Group1=1006 OR Group2=1006 OR Group3=1006 OR Group4=1006"), false);
}

void BM_ListSurnamePrefixIgnoringCase(benchmark::State& state)
{
    ListWith(state, QStringLiteral("SurName='SM*'"), QStringLiteral("SurName='jo*'"), true);
}

void BM_LikeSearchOneField(benchmark::State& state)
{
    ListWith(state, QStringLiteral("Name LIKE '%smith%'"), QStringLiteral("Name LIKE '%son%'"),
             true);
}

void BM_ListAll(benchmark::State& state)
{
    ListWith(state, QString(), QStringLiteral(" "), false);
}

void BM_SaveNameTable(benchmark::State& state)
{
    Book& book = TheBook();
    const QString path = book.dir.filePath(QStringLiteral("Saved.dbf"));
    for (auto _ : state)
        book.data.NameDataSet.SaveToFile(path);
}

void BM_LoadNameTable(benchmark::State& state)
{
    Book& book = TheBook();
    TCardData target;
    for (auto _ : state) {
        target.NameReadDataSet.LoadFromFile(book.path);
        benchmark::DoNotOptimize(target.NameReadDataSet.FieldCount());
    }
}

void BM_LoadNameTableAndListAll(benchmark::State& state)
{
    Book& book = TheBook();
    TCardData target;
    for (auto _ : state) {
        target.NameReadDataSet.LoadFromFile(book.path);
        target.MakeWorkingViews();
        benchmark::DoNotOptimize(target.NameDataSet.RecordCount());
    }
}

void BM_MemoryPerEntry(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(TheBook().bytesPerEntry);
    state.counters["bytes_per_entry"] = TheBook().bytesPerEntry;
}

} // namespace

BENCHMARK(BM_ListCategory)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ListSurnamePrefixIgnoringCase)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LikeSearchOneField)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ListAll)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveNameTable)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadNameTable)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadNameTableAndListAll)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MemoryPerEntry)->Iterations(1);
