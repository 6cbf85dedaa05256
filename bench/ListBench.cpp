// Entry list figures at the scale of a large book (100,000 entries, 10,000 orgs): each kind
// of listing, switching between them as a user does, refreshing the list after an edit,
// rebuilding the surname initials, painting the list's visible rows and Select All.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QPixmap>

#include "app/Prompter.h"
#include "navigation/EntryListController.h"
#include "navigation/RecDBGrid.h"
#include "navigation/URecListMT.h"
#include "qvtool/SyntheticBook.h"

namespace {

struct Book
{
    Book()
    {
        GenerateSyntheticBook(data, kLargeBook);
        list.AttachTables(data.NameDataSet, data.AgentDataSet);
        data.NameDataSet.RecordCount(); // builds the name order once
    }
    TCardData data;
    CRecListMT list;
};

Book& TheBook()
{
    static Book book;
    return book;
}

int Listed()
{
    return TheBook().data.NameDataSet.RecordCount();
}

// Each iteration makes one of two listings in turn, so every listing is computed afresh.
template <typename ListA, typename ListB> void Alternate(benchmark::State& state, ListA a, ListB b)
{
    CRecListMT& list = TheBook().list;
    bool flip = false;
    int listed = 0;
    for (auto _ : state) {
        flip ? a(list) : b(list);
        listed = Listed();
        flip = !flip;
    }
    state.counters["listed"] = listed;
    list.ListAll();
}

void BM_ListCategory(benchmark::State& state)
{
    Alternate(
        state, [](CRecListMT& l) { l.ListCategory(1005); },
        [](CRecListMT& l) { l.ListCategory(1006); });
}

void BM_ListByInitial(benchmark::State& state)
{
    Alternate(
        state, [](CRecListMT& l) { l.ListByInitial(QStringLiteral("S"), false); },
        [](CRecListMT& l) { l.ListByInitial(QStringLiteral("L"), false); });
}

void BM_ListAll(benchmark::State& state)
{
    Alternate(
        state, [](CRecListMT& l) { l.ListAll(); }, [](CRecListMT& l) { l.ListAll(); });
}

void BM_ListOrgContacts(benchmark::State& state)
{
    Alternate(
        state, [](CRecListMT& l) { l.ListOrgContacts(); },
        [](CRecListMT& l) { l.ListOrgContacts(); });
}

// The first initial listing also sets the case-insensitive option.
void BM_FirstListByInitial(benchmark::State& state)
{
    TableView& view = TheBook().data.NameDataSet;
    CRecListMT& list = TheBook().list;
    for (auto _ : state) {
        state.PauseTiming();
        view.SetFilterCaseInsensitive(false);
        list.ListCategory(1005);
        Listed();
        state.ResumeTiming();
        list.ListByInitial(QStringLiteral("S"), false);
        benchmark::DoNotOptimize(Listed());
    }
    list.ListAll();
}

// The listing of a step, round a category, an initial, all entries and the org contacts.
void SwitchListing(CRecListMT& list, int step)
{
    switch (step % 4) {
    case 0:
        list.ListCategory(1005);
        break;
    case 1:
        list.ListByInitial(QStringLiteral("S"), false);
        break;
    case 2:
        list.ListAll();
        break;
    default:
        list.ListOrgContacts();
        break;
    }
}

// One switch per iteration, round a category, an initial, all entries and the org contacts.
void BM_SwitchListings(benchmark::State& state)
{
    CRecListMT& list = TheBook().list;
    int step = 0;
    for (auto _ : state) {
        SwitchListing(list, step++);
        benchmark::DoNotOptimize(Listed());
    }
    list.ListAll();
}

// After an edit: one entry changed, the current listing applied again.
void BM_RefreshListAfterEdit(benchmark::State& state)
{
    TableView& view = TheBook().data.NameDataSet;
    CRecListMT& list = TheBook().list;
    list.ListByInitial(QStringLiteral("S"), false);
    bool flip = false;
    for (auto _ : state) {
        view.First();
        view.Edit();
        view.FieldByName(u"SurName")
            .SetValue(flip ? QStringLiteral("Smith") : QStringLiteral("Lee"));
        view.Post();
        list.RefreshList();
        benchmark::DoNotOptimize(Listed());
        flip = !flip;
    }
    list.ListAll();
}

void BM_RebuildInitials(benchmark::State& state)
{
    SurnameInitials initials;
    for (auto _ : state)
        initials.Rebuild(TheBook().data.NameDataSet);
    state.counters["initials"] = initials.Count();
}

// A prompter that shows nothing: the figures leave the cursor out.
class SilentPrompter : public Prompter
{
public:
    Answer Message(const QString&, Icon, Buttons) override { return Answer::Ok; }
    std::optional<QString> Input(const QString&, const QString&, const QString&) override
    {
        return std::nullopt;
    }
    std::optional<QString> Password(const QString&) override { return std::nullopt; }
    std::optional<QString> OpenFile(const FileChoice&) override { return std::nullopt; }
    std::optional<QString> SaveFile(const FileChoice&) override { return std::nullopt; }
    void BeginWait() override {}
    void EndWait() override {}
    void BeginProgress(const QString&, int, int) override {}
    void SetProgress(int) override {}
    void EndProgress() override {}
};

// The entry list as the main window shows it, offscreen, over the large book.
struct ListWindow
{
    ListWindow()
    {
        grid.resize(240, 600);
        grid.show();
    }
    static QApplication& App()
    {
        static int argc = 1;
        static char name[] = "list_bench";
        static char* argv[] = {name, nullptr};
        qputenv("QT_QPA_PLATFORM", "offscreen");
        static QApplication app(argc, argv);
        return app;
    }
    QApplication& app = App();
    RowSelection selection;
    SilentPrompter prompter;
    EntryListController list{TheBook().data.NameDataSet, TheBook().data.NameLookDataset, selection,
                             prompter};
    RecDBGrid grid{list};
};

ListWindow& TheWindow()
{
    static ListWindow window;
    return window;
}

// One switch of listing per iteration, as in BM_SwitchListings, then the list's visible rows
// painted into an image: the whole way from the click to the rows on screen.
void BM_SwitchListingAndPaint(benchmark::State& state)
{
    ListWindow& window = TheWindow();
    CRecListMT& list = TheBook().list;
    int step = 0;
    for (auto _ : state) {
        SwitchListing(list, step++);
        benchmark::DoNotOptimize(window.grid.viewport()->grab());
    }
    list.ListAll();
}

// Painting the visible rows of all entries, with a tenth of the book selected.
void BM_PaintVisibleRows(benchmark::State& state)
{
    ListWindow& window = TheWindow();
    TheBook().list.ListAll();
    window.list.SelectAll();
    for (auto _ : state)
        benchmark::DoNotOptimize(window.grid.viewport()->grab());
    window.selection.Clear();
}

// Select All over every entry of the book; clearing between the runs is not counted.
void BM_SelectAll(benchmark::State& state)
{
    ListWindow& window = TheWindow();
    TheBook().list.ListAll();
    for (auto _ : state) {
        window.list.SelectAll();
        state.PauseTiming();
        state.counters["selected"] = window.selection.Count();
        window.selection.Clear();
        state.ResumeTiming();
    }
}

} // namespace

BENCHMARK(BM_ListCategory)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ListByInitial)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ListAll)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ListOrgContacts)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FirstListByInitial)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SwitchListings)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RefreshListAfterEdit)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RebuildInitials)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SwitchListingAndPaint)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PaintVisibleRows)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SelectAll)->Unit(benchmark::kMillisecond);
