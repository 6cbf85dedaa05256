// Edit model figures: adding 100,000 entries one transaction at a time (NewEntry, LinkOrg,
// CommitEntry) against 10,000 orgs, and the cost of one such transaction in an empty book
// and in a book of 100,000 entries, which should be the same.
#include <benchmark/benchmark.h>

#include "editing/UEditMT.h"
#include "qvtool/SyntheticBook.h"

namespace {

constexpr int kEntries = kLargeBook.entries;

// A book of `entries` entries and 10,000 orgs, attached to an edit model, with the org
// names in varied letter case as users type them.
struct Book
{
    explicit Book(int entries)
    {
        SyntheticBookOptions shape = kLargeBook;
        shape.entries = entries;
        GenerateSyntheticBook(data, shape);
        data.NameDataSet.SetLogChanges(true);
        data.AgentDataSet.SetLogChanges(true);
        edit.AttachEntryTable(data.NameDataSet);
        edit.AttachOrgTable(data.AgentDataSet);
        const RecordStore& orgs = *data.AgentDataSet.Store();
        const int company = orgs.Fields().IndexOf(u"Company");
        for (RecordIndex index : orgs.InStoreOrder()) {
            QString name = orgs.At(index)[size_t(company)].Text().toString();
            names << (names.size() % 2 ? name.toUpper() : name.toLower());
        }
        data.NameDataSet.RecordCount(); // the listing's order, built once
        data.AgentDataSet.RecordCount();
    }

    void Transaction(int n)
    {
        edit.NewEntry();
        data.NameDataSet.FieldByName(u"Name").SetValue(QStringLiteral("Person %1").arg(n));
        edit.LinkOrg(names[n % names.size()]);
        edit.CommitEntry();
    }

    TCardData data;
    CEditMT edit;
    QStringList names;
};

void BM_AddEntries(benchmark::State& state)
{
    for (auto _ : state) {
        state.PauseTiming();
        auto book = std::make_unique<Book>(0);
        state.ResumeTiming();
        for (int n = 0; n < kEntries; ++n)
            book->Transaction(n);
        state.PauseTiming();
        state.counters["entries"] = book->data.NameDataSet.RecordCount();
        book.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_AddEntries)->Unit(benchmark::kMillisecond)->Iterations(1);

// One transaction, in a book of state.range(0) entries.
void BM_OneTransaction(benchmark::State& state)
{
    Book book(int(state.range(0)));
    int n = 0;
    for (auto _ : state)
        book.Transaction(n++);
}
BENCHMARK(BM_OneTransaction)->Arg(0)->Arg(kEntries)->Unit(benchmark::kMicrosecond);

} // namespace
