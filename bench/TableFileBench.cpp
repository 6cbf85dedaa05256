// Writing and reading a Name table file of 100,000 entries with typical content: names,
// one address, e-mail and phones filled, the carried fields empty, a memo for one in five.
#include <QDate>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <random>

#include "storage/TableFile.h"

namespace {

constexpr int kEntries = 100000;

FieldList NameFields()
{
    using T = FieldType;
    return FieldList{
        {"ClientID", T::Integer, 0}, {"Name", T::Text, 50},      {"SurName", T::Text, 30},
        {"MidName", T::Text, 10},    {"GivenName", T::Text, 30}, {"Position", T::Text, 50},
        {"Address", T::Text, 255},   {"Zip", T::Text, 10},       {"EMail", T::Text, 100},
        {"Phone", T::Text, 100},     {"Fax", T::Text, 50},       {"Mobile", T::Text, 30},
        {"Pager", T::Text, 30},      {"Birthday", T::Date, 0},   {"Memo", T::Memo, 0},
        {"Update", T::Date, 0},      {"OrgID", T::Integer, 0},   {"Cardtemplete", T::Integer, 0},
        {"Group1", T::Integer, 0},   {"Group2", T::Integer, 0},  {"Group3", T::Integer, 0},
        {"Group4", T::Integer, 0},   {"ICQ", T::Text, 50},       {"Searched", T::Boolean, 0},
        {"DPhone", T::Text, 80},     {"URL", T::Text, 80},       {"Yellow", T::Boolean, 0},
        {"NID", T::Integer, 0},      {"CID", T::Text, 50}};
}

std::vector<Record> TypicalEntries()
{
    static const char* const kGiven[] = {"James", "Mary", "Lukas", "Sofia", "Chloé", "伟", "芳"};
    static const char* const kSurnames[] = {"Smith", "O'Brien", "Müller", "Nakamura", "王", "欧阳"};
    std::mt19937 rng(7);
    auto pick = [&rng](const auto& words) {
        return QString::fromUtf8(words[rng() % std::size(words)]);
    };
    auto digits = [&rng](int count) {
        QString text;
        for (int i = 0; i < count; ++i)
            text += QChar(u'0' + int(rng() % 10));
        return text;
    };
    const qint64 firstBirthday = QDate(1940, 1, 1).toJulianDay();
    std::vector<Record> entries;
    entries.reserve(kEntries);
    for (int i = 0; i < kEntries; ++i) {
        Record r(29);
        const QString given = pick(kGiven), surname = pick(kSurnames);
        r[0] = Cell::FromNumber(2001 + i);
        r[1] = Cell::FromText(given + u' ' + surname);
        r[2] = Cell::FromText(surname);
        r[4] = Cell::FromText(given);
        r[5] = Cell::FromText(QStringLiteral("Engineer"));
        r[6] = Cell::FromText(QStringLiteral("%1 Station Road, Springfield").arg(1 + rng() % 500));
        r[7] = Cell::FromText(digits(5));
        r[8] = Cell::FromText(QStringLiteral("contact%1@example.org").arg(i));
        r[9] = Cell::FromText(QStringLiteral("+44 %1 %2").arg(digits(3), digits(7)));
        if (rng() % 10 < 6)
            r[11] = Cell::FromText(QStringLiteral("+44 %1").arg(digits(10)));
        if (rng() % 10 < 7)
            r[13] = Cell::FromNumber(firstBirthday + rng() % 23000);
        if (rng() % 5 == 0)
            r[14] = Cell::FromText(QStringLiteral("Birthday card every year.\r\nLikes tea."));
        r[16] = Cell::FromNumber(2001 + rng() % 10000);
        r[17] = Cell::FromNumber(0);
        r[18] = Cell::FromNumber(1001 + rng() % 20);
        r[19] = r[20] = r[21] = Cell::FromNumber(1000);
        r[23] = Cell::FromNumber(0);
        if (rng() % 10 < 4)
            r[24] = Cell::FromText(QStringLiteral("+44 %1").arg(digits(10)));
        r[26] = Cell::FromNumber(rng() % 20 == 0 ? 1 : 0);
        r[27] = Cell::FromNumber(0);
        entries.push_back(std::move(r));
    }
    return entries;
}

struct NameTable
{
    FieldList fields = NameFields();
    std::vector<Record> records = TypicalEntries();
    std::vector<const Record*> pointers;
    QTemporaryDir folder;
    QString path = folder.filePath(QStringLiteral("Names.dbf"));

    NameTable()
    {
        for (const Record& record : records)
            pointers.push_back(&record);
    }
};

NameTable& Table()
{
    static NameTable table;
    return table;
}

void BM_WriteNameTable(benchmark::State& state)
{
    NameTable& table = Table();
    for (auto _ : state)
        WriteTableFile(table.path, table.fields, table.pointers);
    state.SetItemsProcessed(state.iterations() * kEntries);
}
BENCHMARK(BM_WriteNameTable)->Unit(benchmark::kMillisecond);

void BM_ReadNameTable(benchmark::State& state)
{
    NameTable& table = Table();
    WriteTableFile(table.path, table.fields, table.pointers);
    for (auto _ : state) {
        TableContent content = ReadTableFile(table.path);
        benchmark::DoNotOptimize(content.records.data());
        state.PauseTiming(); // freeing the content is the store's cost, not the reader's
        content = {};
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * kEntries);
}
BENCHMARK(BM_ReadNameTable)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
