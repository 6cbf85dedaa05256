// The entry list model CRecListMT, which turns each kind of listing into the filter of the
// working entry view, and the rules behind the initial grid: a surname's initial, the sorted
// list of initials of a book and the layout of the grid's cells.
#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

#include <vector>

class TableView;

// Lists entries by setting the one filter of the working entry view. Every listing keeps the
// view's filtered switch on and returns true; false only when no tables are attached.
class CRecListMT
{
public:
    // Remembers the working entry and org views of the book just loaded.
    void AttachTables(TableView& entries, TableView& orgs);
    TableView* EntryTable() const { return m_entries; }
    TableView* OrgTable() const { return m_orgs; }

    bool ListAll();
    // The entries filed under the category in any of their four slots.
    bool ListCategory(qint32 category);
    // The entries whose SurName begins with the initial, letter case ignored; white page
    // entries only unless includeYellow. An empty initial lists by the yellow flag alone.
    bool ListByInitial(const QString& initial, bool includeYellow);
    // The yellow page entries.
    bool ListOrgContacts();
    // Applies the entry view's current filter again, so that edited entries join or leave
    // the list, whichever listing or search set it.
    bool RefreshList();

    // The filter texts of the listings. Listing by a non-empty initial also sets the view's
    // case-insensitive option, which then stays set; the other listings leave it alone.
    static QString CategoryFilter(qint32 category);
    static QString InitialFilter(const QString& initial, bool includeYellow);
    static QString OrgContactsFilter() { return QStringLiteral("Yellow=true"); }

private:
    bool Apply(const QString& filter, bool setCaseInsensitive);

    TableView* m_entries = nullptr;
    TableView* m_orgs = nullptr;
};

// The initial a surname is filed under in the initial grid: its first character, with a to z
// upper-cased. A wide character (CJK ideograph, kana, hangul, full-width form) is its own
// initial by the same rule, since case changes touch a to z only; a character outside the
// basic plane is kept whole. Empty when the surname is blank after trimming spaces.
QString SurnameInitial(QStringView surname);

// The surname initials of a book: sorted in the locale's order and free of duplicates, both
// without regard to a-z case, and whether the book holds yellow page entries.
class SurnameInitials
{
public:
    const QStringList& List() const { return m_list; }
    int Count() const { return int(m_list.size()); }
    bool HasYellowEntries() const { return m_hasYellowEntries; }
    void SetHasYellowEntries(bool on) { m_hasYellowEntries = on; }
    void Clear();

    // Rebuilds both from every entry of the view's table, whatever its filter: a white page
    // entry with a non-blank SurName adds its initial, a yellow page entry sets the flag.
    // The view's filter, current row and displays are left alone. Returns true.
    bool Rebuild(const TableView& entries);
    // Adds an initial; true when the list grew (false for a duplicate or an empty one).
    bool Add(const QString& initial);
    // Adds the surname's initial when the surname is not blank; true when the list grew.
    bool AddSurname(QStringView surname) { return Add(SurnameInitial(surname)); }

private:
    QStringList m_list;
    QStringList m_keys; // m_list with a-z folded, in the same order
    bool m_hasYellowEntries = false;
};

// The number of columns of the initial grid: the left panel's width less 22, divided by the
// grid's default column width, and at least 4.
int SurnameGridColumns(int leftPanelWidth, int defaultColumnWidth);

// The cells of the initial grid, row by row. Cell (0,0) stays empty: it leads back to the
// tree. The initials follow from column 1 of row 0 on; a row that would hold no initial is
// not kept, so a book without initials has one row with the tree cell alone.
struct SurnameGridLayout
{
    int rows = 1;
    int columns = 1;
    std::vector<QString> cells; // rows * columns, row-major; empty text for an empty cell

    const QString& Cell(int row, int column) const
    {
        return cells[size_t(row) * size_t(columns) + size_t(column)];
    }
};

SurnameGridLayout LayOutSurnameGrid(const QStringList& initials, int columns);
