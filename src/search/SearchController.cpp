// The main window's handling of a closed search dialog.
#include "search/SearchController.h"

#include "app/Prompter.h"
#include "storage/OptionType.h"
#include "storage/TableView.h"
#include "storage/TextWidth.h"

namespace {

bool HasTextField(const TableView* table, const QString& field)
{
    if (!table)
        return false;
    const int index = table->FieldIndex(field);
    if (index < 0)
        return false;
    const FieldType type = table->Fields().At(index).type;
    return type == FieldType::Text || type == FieldType::Memo;
}

} // namespace

SearchController::SearchController(CSearchMT& search, const OptionType& options, Prompter& prompter)
    : m_search(search), m_options(options), m_prompter(prompter)
{}

SearchController::FieldKind SearchController::KindOf(const QString& field) const
{
    if (field.isEmpty())
        return FieldKind::None;
    if (HasTextField(m_search.EntryTable(), field))
        return FieldKind::Entry;
    if (HasTextField(m_search.OrgLookupTable(), field))
        return FieldKind::Org;
    return FieldKind::None;
}

QStringList SearchController::SearchableLabels(const OptionType& options)
{
    QStringList labels;
    for (const KeyValue& entry : options.SearchableFieldsList)
        labels << entry.key;
    return labels;
}

bool SearchController::CaseSensitiveFor(const QString& text)
{
    return StartsWithWide(text);
}

void SearchController::Finish(const SearchRequest& request, SearchResultsView& view)
{
    if (request.result == SearchResult::Ok)
        m_search.SetContinueMode(false);
    else if (request.result == SearchResult::Retry)
        m_search.SetContinueMode(true);
    if (request.result == SearchResult::Cancel)
        return;

    view.ShowSearchNode();
    if (request.result == SearchResult::Birthday) {
        if (request.day == 0)
            m_search.FilterByBirthMonth(request.month);
        else
            m_search.FilterByBirthday(request.month, request.day);
    } else if (request.fields.size() == 1) {
        SearchOneField(request);
    } else if (request.fields.size() > 1) {
        SearchSeveralFields(request);
    }
    view.ShowFoundEntries();
}

void SearchController::SearchOneField(const SearchRequest& request)
{
    m_search.SetLogic(request.logic);
    const QString field = m_options.FieldOfLabel(request.fields.first());
    const bool caseSensitive = CaseSensitiveFor(request.text);
    switch (KindOf(field)) {
    case FieldKind::Entry:
        m_search.SearchEntryField(field, request.text, caseSensitive);
        break;
    case FieldKind::Org:
        m_search.SearchOrgField(field, request.text, caseSensitive);
        break;
    case FieldKind::None:
        break;
    }
}

// Several fields are always joined by OR into a new search of their own.
void SearchController::SearchSeveralFields(const SearchRequest& request)
{
    m_search.ClearConditions();
    m_search.SetContinueMode(true);
    m_search.SetLogic(CSearchMT::Logic::Or);
    const bool caseSensitive = CaseSensitiveFor(request.text);
    for (const QString& label : request.fields) {
        const QString field = m_options.FieldOfLabel(label);
        switch (KindOf(field)) {
        case FieldKind::Entry:
            m_search.AddEntryCondition(field, request.text);
            break;
        case FieldKind::Org:
            m_search.AddOrgCondition(field, request.text, caseSensitive);
            break;
        case FieldKind::None:
            break;
        }
    }
    WaitCursor wait(m_prompter);
    m_search.ApplySearch();
}
