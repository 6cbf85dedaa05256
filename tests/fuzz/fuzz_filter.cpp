// Fuzz target: filter expressions parsed against the Name table's fields and evaluated
// on a small table, with and without the case option.
#include <cstddef>
#include <cstdint>

#include "storage/CardDataMod.h"
#include "storage/DatabaseError.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static TableView* view = [] {
        auto* names = new TableView(QStringLiteral("Names"));
        names->CreateDataSet(TCardData::NameTableFields());
        names->AppendRecord({1,
                             QStringLiteral("Smith, John"),
                             QStringLiteral("Smith"),
                             {},
                             {},
                             {},
                             {},
                             {},
                             {},
                             {},
                             {},
                             {},
                             {},
                             QDate(1980, 4, 30),
                             {},
                             {},
                             3,
                             {},
                             1001});
        names->AppendRecord({2, QStringLiteral("张伟"), QStringLiteral("张")});
        return names;
    }();
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    try {
        view->SetFilter(text);
        view->SetFiltered(true);
        for (const bool fold : {false, true}) {
            view->SetFilterCaseInsensitive(fold);
            for (view->First(); !view->Eof(); view->Next()) {
            }
        }
    } catch (const DatabaseError&) {
    }
    return 0;
}
