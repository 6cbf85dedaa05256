// Search figures at the scale of a large book (100,000 entries, 10,000 orgs): a LIKE search
// over one field, an OR search over four fields, and a search over an org field, each from
// building the filter to the counted list.
#include <benchmark/benchmark.h>

#include "qvtool/SyntheticBook.h"
#include "search/USearchMT.h"

namespace {

struct Book
{
    Book()
    {
        GenerateSyntheticBook(data, kLargeBook);
        data.MakeLookupViews();
        search.SetTables(data.NameDataSet, data.AgentLookDataSet);
        data.NameDataSet.RecordCount(); // builds the name order once
    }
    TCardData data;
    CSearchMT search;
};

Book& TheBook()
{
    static Book book;
    return book;
}

// Each iteration searches for one of two texts in turn, so every list is computed afresh.
template <typename Run> void Alternate(benchmark::State& state, Run run)
{
    Book& book = TheBook();
    const QString texts[] = {QStringLiteral("son"), QStringLiteral("ar")};
    int step = 0;
    int listed = 0;
    for (auto _ : state) {
        run(book.search, texts[step++ % 2]);
        listed = book.data.NameDataSet.RecordCount();
    }
    state.counters["listed"] = listed;
}

void BM_SearchOneField(benchmark::State& state)
{
    Alternate(state, [](CSearchMT& search, const QString& text) {
        search.SetContinueMode(false);
        search.SearchEntryField(QStringLiteral("Name"), text, false);
    });
}

void BM_SearchFourFieldsOr(benchmark::State& state)
{
    Alternate(state, [](CSearchMT& search, const QString& text) {
        search.ClearConditions();
        search.SetContinueMode(true);
        search.SetLogic(CSearchMT::Logic::Or);
        for (const char* field : {"Name", "Address", "EMail", "Memo"})
            search.AddEntryCondition(QString::fromLatin1(field), text);
        search.ApplySearch();
    });
}

void BM_SearchOrgField(benchmark::State& state)
{
    Alternate(state, [](CSearchMT& search, const QString& text) {
        search.SetContinueMode(false);
        search.SearchOrgField(QStringLiteral("Company"), text, false);
    });
}

} // namespace

BENCHMARK(BM_SearchOneField)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SearchFourFieldsOr)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SearchOrgField)->Unit(benchmark::kMillisecond);
