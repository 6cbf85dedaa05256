// The search model CSearchMT: builds the entry table's filter expression from field
// conditions, org matches, birthdays and names, keeps it for the search results node and
// applies it. The org lookups and the name lookups of the main window use it too.
#pragma once

#include <QString>

class TableView;

class CSearchMT
{
public:
    // How appended conditions join; the numbers are the stored codes.
    enum class Logic
    {
        And = 0,
        Or = 2
    };

    // The filter that matches no entry: no org has the number -1.
    static inline const QString kNoEntries = QStringLiteral("OrgID=-1");

    CSearchMT() = default;
    CSearchMT(const CSearchMT&) = delete;
    CSearchMT& operator=(const CSearchMT&) = delete;

    // The person table and the lookup view of the org table, set after each book is loaded.
    void SetTables(TableView& entryTable, TableView& orgLookupTable);
    void SetContinueMode(bool on) { m_continueMode = on; }
    void SetLogic(Logic logic) { m_logic = logic; }
    // Empties EntryFilter and OrgFilter.
    void ClearConditions();

    // Extends or replaces EntryFilter by `field LIKE '%text%'`; applies nothing.
    void AddEntryCondition(const QString& field, const QString& text);
    // Extends or replaces OrgFilter, finds the matching orgs and extends or replaces
    // EntryFilter by their numbers; false when no org matched.
    bool AddOrgCondition(const QString& field, const QString& text, bool caseSensitive);
    // AddEntryCondition, then applies EntryFilter with the case option from the flag.
    void SearchEntryField(const QString& field, const QString& text, bool caseSensitive);
    // AddOrgCondition, then applies EntryFilter; the entry table's case option stays.
    void SearchOrgField(const QString& field, const QString& text, bool caseSensitive);
    // Applies EntryFilter again, or the filter matching no entry when nothing was built.
    void ApplySearch();

    // These start a new EntryFilter (ContinueMode off) and apply it.
    void FilterByOrg(int orgNumber);
    void FilterByBirthday(int month, int day);
    void FilterByBirthMonth(int month);
    // Entries of exactly that name; the case option stays.
    void FilterByName(const QString& name);
    // White-pages entries whose name starts with the prefix, letter case ignored.
    void FilterByNamePrefix(const QString& prefix);

    TableView* EntryTable() const { return m_entryTable; }
    TableView* OrgLookupTable() const { return m_orgLookup; }
    const QString& EntryFilter() const { return m_entryFilter; }
    const QString& OrgFilter() const { return m_orgFilter; }
    bool ContinueMode() const { return m_continueMode; }
    Logic CurrentLogic() const { return m_logic; }
    // " AND " or " OR ".
    QString Joiner() const;

private:
    // Whether a new condition joins the entry filter rather than replacing it.
    bool Extending() const;
    // A new entry filter, and with it an empty org filter.
    void StartEntryFilter(const QString& filter);
    void Apply(const QString& filter);
    // "(OrgID=a OR OrgID=b ...)" for the orgs passing OrgFilter, in the lookup's order;
    // empty when none passes. The lookup is left unfiltered.
    QString MatchingOrgs(bool caseSensitive) const;

    TableView* m_entryTable = nullptr;
    TableView* m_orgLookup = nullptr;
    QString m_entryFilter;
    QString m_orgFilter;
    bool m_continueMode = false;
    Logic m_logic = Logic::And;
};
