// Opening and saving a package of a large book (100,000 entries, 10,000 orgs), plain and
// encrypted, through the same controller path the application takes.
#include <benchmark/benchmark.h>

#include <QTemporaryDir>

#include "qvtool/SyntheticBook.h"
#include "qvtool/ToolBook.h"

namespace {

struct Packages
{
    Packages()
    {
        for (const bool encrypted : {false, true}) {
            ToolBook book(encrypted ? QStringLiteral("secret") : QString());
            SyntheticBookOptions shape = kLargeBook;
            shape.seed = 11;
            GenerateSyntheticBook(book.Data(), shape);
            book.Tree().CreateTemplateTree(QStringLiteral("All Entries"),
                                           QStringLiteral("Search Results"));
            book.Save(Path(encrypted));
        }
    }
    QString Path(bool encrypted) const
    {
        return dir.filePath(encrypted ? QStringLiteral("locked.qvp") : QStringLiteral("plain.qvp"));
    }
    QTemporaryDir dir;
};

Packages& ThePackages()
{
    static Packages packages;
    return packages;
}

void BM_LoadPackage(benchmark::State& state)
{
    const bool encrypted = state.range(0) != 0;
    const QString path = ThePackages().Path(encrypted);
    for (auto _ : state) {
        ToolBook book(encrypted ? QStringLiteral("secret") : QString());
        if (!book.Open(path))
            state.SkipWithError("the package did not open");
        benchmark::DoNotOptimize(book.Data().NameDataSet.RecordCount());
    }
}

void BM_SavePackage(benchmark::State& state)
{
    const bool encrypted = state.range(0) != 0;
    ToolBook book(encrypted ? QStringLiteral("secret") : QString());
    book.Open(ThePackages().Path(encrypted));
    const QString target = ThePackages().dir.filePath(QStringLiteral("saved.qvp"));
    for (auto _ : state)
        if (!book.Save(target))
            state.SkipWithError("the package was not written");
}

} // namespace

BENCHMARK(BM_LoadPackage)->Arg(0)->Arg(1)->ArgName("encrypted")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SavePackage)->Arg(0)->Arg(1)->ArgName("encrypted")->Unit(benchmark::kMillisecond);
