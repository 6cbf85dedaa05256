// The name and org lookups of the main window: the boxes above and below the tree that list
// white page entries by the beginning of their name, or the entries of an org by its name.
#pragma once

#include <QString>
#include <optional>

class CRecListMT;
class CSearchMT;
class EntryListController;
class TCardData;
class TableView;

class ListLookups
{
public:
    // All must outlive the lookups.
    ListLookups(TCardData& data, CRecListMT& list, CSearchMT& search,
                EntryListController& entryList);

    // The name box got the focus: its drop-down offers white page entries, and the list
    // shows all of them.
    void NameLkEnter();
    // Enter or the button beside the name box: the white page entries whose name begins with
    // the text, letter case ignored; with no text, all white page entries.
    void InquireName(const QString& text);
    // Enter or the button beside an org box: the entries of the org of that name, letter
    // case ignored; none when no org has it. setSource: the list then counts as made by a
    // lookup (the larger popup leaves that as it was). True when the org was found.
    bool ListEntriesOfSameAgent(const QString& orgName, bool setSource = true);

    // The CoID of the first org, in the view's order, whose Company equals the name with
    // letter case ignored.
    static std::optional<int> FindOrg(const TableView& orgs, const QString& orgName);

private:
    TCardData& m_data;
    CRecListMT& m_list;
    CSearchMT& m_search;
    EntryListController& m_entryList;
};
