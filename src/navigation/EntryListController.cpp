// The entry list's selection rules, row colours, status line, list source and name hint.
#include "navigation/EntryListController.h"

#include <algorithm>
#include <cstdlib>

#include "app/Prompter.h"
#include "editing/UEditMT.h"
#include "navigation/URecListMT.h"
#include "navigation/Utreemt.h"
#include "storage/TableView.h"

EntryListController::EntryListController(TableView& entries, const TableView& allEntries,
                                         RowSelection& selection, Prompter& prompter)
    : m_entries(entries), m_allEntries(allEntries), m_selection(selection), m_prompter(prompter)
{}

void EntryListController::RecDBGridMouseDown(int row, Qt::KeyboardModifiers modifiers)
{
    if (row < 0 || row >= m_entries.RecordCount())
        return;
    m_keyRunStart = {};
    const Bookmark clicked = m_entries.RowBookmark(row);
    if (modifiers & Qt::ShiftModifier) {
        const int anchorRow =
            m_selection.Anchor().IsNull() ? -1 : m_entries.RowOfBookmark(m_selection.Anchor());
        if (m_selection.IsEmpty() || anchorRow < 0) {
            // Nothing to extend from: the press selects its row, as a plain one would.
            m_selection.Add(clicked);
            m_selection.SetAnchor(clicked);
        } else {
            SelectRange(anchorRow, row);
        }
        return;
    }
    m_selection.SetAnchor(clicked);
    if (modifiers & Qt::ControlModifier) {
        if (m_selection.Contains(clicked))
            m_selection.Remove(clicked);
        else
            m_selection.Add(clicked);
        return;
    }
    // A plain press on a selected row keeps the selection, so that it can be dragged.
    if (m_selection.Contains(clicked))
        return;
    m_selection.Clear();
    m_selection.Add(clicked);
}

void EntryListController::SelectRange(int fromRow, int toRow)
{
    std::vector<Bookmark> rows;
    rows.reserve(size_t(std::abs(toRow - fromRow)) + 1);
    const int step = toRow >= fromRow ? 1 : -1;
    for (int row = fromRow;; row += step) {
        rows.push_back(m_entries.RowBookmark(row));
        if (row == toRow)
            break;
    }
    m_selection.AddRows(rows);
}

void EntryListController::KeyboardMove(int fromRow, int toRow, bool shift)
{
    const int count = m_entries.RecordCount();
    if (!shift || fromRow < 0 || toRow < 0 || fromRow >= count || toRow >= count) {
        m_keyRunStart = {};
        return;
    }
    int startRow = m_keyRunStart.IsNull() ? -1 : m_entries.RowOfBookmark(m_keyRunStart);
    if (startRow < 0) {
        startRow = fromRow;
        m_keyRunStart = m_entries.RowBookmark(fromRow);
    }
    // The run covered start..from and now covers start..to: rows only in the old span are
    // released, rows only in the new span are selected.
    const int oldLow = std::min(startRow, fromRow), oldHigh = std::max(startRow, fromRow);
    const int newLow = std::min(startRow, toRow), newHigh = std::max(startRow, toRow);
    for (int row = oldLow; row <= oldHigh; ++row)
        if (row < newLow || row > newHigh)
            m_selection.Remove(m_entries.RowBookmark(row));
    SelectRange(startRow, toRow);
}

void EntryListController::SelectAll()
{
    WaitCursor wait(m_prompter);
    const int count = m_entries.RecordCount();
    std::vector<Bookmark> rows;
    rows.reserve(size_t(count));
    for (int row = 0; row < count; ++row)
        rows.push_back(m_entries.RowBookmark(row));
    m_selection.AddRows(rows);
}

void EntryListController::UnselectAll()
{
    WaitCursor wait(m_prompter);
    m_selection.Clear();
}

void EntryListController::RecDBGridExit()
{
    m_keyRunStart = {};
    m_selection.Clear();
}

bool EntryListController::IsRowSelected(int row) const
{
    if (row < 0 || row >= m_entries.RecordCount() || m_selection.IsEmpty())
        return false;
    return m_selection.Contains(m_entries.RowBookmark(row));
}

RowColour EntryListController::RowColourOf(int row, bool currentHighlighted) const
{
    if (row < 0 || row >= m_entries.RecordCount())
        return RowColour::Normal;
    if (IsRowSelected(row))
        return RowColour::Selected;
    if (currentHighlighted && row == m_entries.RecNo() - 1)
        return RowColour::Current;
    const int yellow = m_entries.FieldIndex(u"Yellow");
    if (yellow >= 0 && m_entries.RowRecord(row)[size_t(yellow)].Number() != 0)
        return RowColour::Yellow;
    return RowColour::Normal;
}

QString EntryListController::StatusText() const
{
    return QString::number(m_allEntries.RecordCount()) + QStringLiteral(" Entries; ") +
           QString::number(m_entries.RecordCount()) + QStringLiteral(" Listed; ") +
           QString::number(m_selection.Count()) + QStringLiteral(" Selected");
}

bool EntryListController::DeleteCategoryEnabled(qint32 selectedNode) const
{
    return m_source == ListSource::FromTree && selectedNode > CTreeMT::RootNumber;
}

QString EntryListController::NameHint(TableView& entries)
{
    if (entries.IsEmpty() || entries.FieldIndex(u"Yellow") < 0)
        return {};
    if (entries.FieldByName(u"Yellow").AsBoolean())
        return {};
    const QString name = entries.FieldByName(u"Name").AsString();
    if (name.isEmpty())
        return {};
    return QStringLiteral("Surname: ") + entries.FieldByName(u"SurName").AsString() +
           QStringLiteral("  Givenname: ") + entries.FieldByName(u"GivenName").AsString();
}

bool EntryListController::DefineYellowPageInfo(CEditMT& edit, CTreeMT& tree, CRecListMT& list)
{
    const bool marked = MarkEntries(edit, list, [](TableView& entry) {
        entry.FieldByName(u"Yellow").SetValue(true);
        entry.FieldByName(u"SurName").SetValue(entry.FieldByName(u"Name").AsString());
        entry.FieldByName(u"GivenName").SetValue(QString());
    });
    if (marked) {
        edit.SetHasYellowEntries(true);
        tree.AddOrgContactsNode();
    }
    return marked;
}

bool EntryListController::DefineWhitePageInfo(CEditMT& edit, CRecListMT& list)
{
    const QStringList compounds = edit.CompoundSurnames();
    return MarkEntries(edit, list, [&compounds](TableView& entry) {
        // The name is split again as if it had just been typed; it keeps its own text.
        NameParts parts;
        CEditMT::SplitName(entry.FieldByName(u"Name").AsString(), CEditMT::kNameDelimiters,
                           compounds, parts);
        entry.FieldByName(u"Yellow").SetValue(false);
        entry.FieldByName(u"SurName").SetValue(parts.surName);
        entry.FieldByName(u"GivenName").SetValue(parts.givenName);
        entry.FieldByName(u"MidName").SetValue(parts.midName);
    });
}

namespace {

// The row of a record in a view without filter and index, whose rows are in store order.
int RowInStoreOrder(const TableView& view, const Bookmark& bookmark)
{
    int low = 0, high = view.RecordCount();
    while (low < high) {
        const int middle = low + (high - low) / 2;
        if (view.RowBookmark(middle).index < bookmark.index)
            low = middle + 1;
        else
            high = middle;
    }
    return low < view.RecordCount() && view.RowBookmark(low) == bookmark ? low : -1;
}

} // namespace

bool EntryListController::MarkEntries(CEditMT& edit, CRecListMT& list,
                                      const std::function<void(TableView&)>& change)
{
    if (m_entries.IsEmpty())
        return false;
    WaitCursor wait(m_prompter);
    const std::vector<Bookmark> marked = m_selection.IsEmpty()
                                             ? std::vector<Bookmark>{m_entries.GetBookmark()}
                                             : m_selection.ListedRows(m_entries);

    // The entries are changed through a view of their own that neither filters nor orders
    // them: a changed entry neither leaves it nor moves in it, so each one is found again
    // at once, and the listing and the current entry stay where they are until the end.
    TableView* orgs = list.OrgTable();
    m_entries.DisableControls();
    if (orgs)
        orgs->DisableControls();
    {
        TableView each(QStringLiteral("MarkedEntries"));
        each.MakeViewFrom(m_entries, true);
        for (const Bookmark& bookmark : marked) {
            const int row = RowInStoreOrder(each, bookmark);
            if (row < 0)
                continue;
            each.SetRecNo(row + 1);
            each.Edit();
            change(each);
            each.Post();
        }
    }
    edit.CommitEntry();
    m_selection.Clear();
    list.RefreshList();
    if (orgs)
        orgs->EnableControls();
    m_entries.EnableControls();
    return true;
}
