// The entry list's row selection.
#include "navigation/RowSelection.h"

void RowSelection::Add(const Bookmark& row)
{
    if (m_rows.Contains(row))
        return;
    m_rows.Add(row);
    Changed();
}

void RowSelection::AddRows(const std::vector<Bookmark>& rows)
{
    const int before = m_rows.Count();
    for (const Bookmark& row : rows)
        if (!m_rows.Contains(row))
            m_rows.Add(row);
    if (m_rows.Count() != before)
        Changed();
}

void RowSelection::Remove(const Bookmark& row)
{
    if (!m_rows.Contains(row))
        return;
    m_rows.Remove(row);
    Changed();
}

void RowSelection::Clear()
{
    if (m_rows.Count() == 0)
        return;
    m_rows.Clear();
    Changed();
}

void RowSelection::Changed()
{
    if (m_onChanged)
        m_onChanged();
}

std::vector<Bookmark> RowSelection::ListedRows(const TableView& view) const
{
    std::vector<Bookmark> rows;
    const int count = view.RecordCount();
    for (int row = 0; row < count; ++row)
        if (const Bookmark bookmark = view.RowBookmark(row); m_rows.Contains(bookmark))
            rows.push_back(bookmark);
    return rows;
}
