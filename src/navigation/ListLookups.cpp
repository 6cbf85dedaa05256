// The name and org lookups.
#include "navigation/ListLookups.h"

#include "navigation/EntryListController.h"
#include "navigation/URecListMT.h"
#include "search/USearchMT.h"
#include "storage/CardDataMod.h"
#include "storage/FieldDef.h"

ListLookups::ListLookups(TCardData& data, CRecListMT& list, CSearchMT& search,
                         EntryListController& entryList)
    : m_data(data), m_list(list), m_search(search), m_entryList(entryList)
{}

void ListLookups::NameLkEnter()
{
    m_data.NameLookDataSet2.SetFilter(CRecListMT::InitialFilter(QString(), false));
    m_data.NameLookDataSet2.SetFiltered(true);
    m_list.ListByInitial(QString(), false);
    m_entryList.SetSource(ListSource::FromLookup);
}

void ListLookups::InquireName(const QString& text)
{
    if (text.isEmpty()) {
        NameLkEnter();
        return;
    }
    m_search.FilterByNamePrefix(text);
    m_entryList.SetSource(ListSource::FromLookup);
}

bool ListLookups::ListEntriesOfSameAgent(const QString& orgName, bool setSource)
{
    const std::optional<int> org = FindOrg(m_data.AgentLookDataSet, orgName);
    // Without an org of that name nothing is listed, whichever org numbers the book holds.
    m_search.FilterByOrg(org ? *org : -1);
    if (setSource)
        m_entryList.SetSource(ListSource::FromLookup);
    return org.has_value();
}

std::optional<int> ListLookups::FindOrg(const TableView& orgs, const QString& orgName)
{
    const int company = orgs.FieldIndex(u"Company");
    const int coId = orgs.FieldIndex(u"CoID");
    if (company < 0 || coId < 0)
        return std::nullopt;
    const QString wanted = FoldAsciiCase(orgName);
    const int count = orgs.RecordCount();
    for (int row = 0; row < count; ++row) {
        const RecordView record = orgs.RowRecord(row);
        if (!record[size_t(coId)].IsNumber())
            continue;
        const QStringView name = record[size_t(company)].Text();
        if (name.size() == wanted.size() && FoldAsciiCase(name) == wanted)
            return int(record[size_t(coId)].Number());
    }
    return std::nullopt;
}
