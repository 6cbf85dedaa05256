// The entry list's row selection: the selected rows as bookmarks of the working entry view,
// in the order they were selected, and the anchor that Shift selections extend from.
#pragma once

#include <functional>

#include "storage/TableView.h"

class RowSelection
{
public:
    const BookmarkList& Rows() const { return m_rows; }
    int Count() const { return m_rows.Count(); }
    bool IsEmpty() const { return m_rows.Count() == 0; }
    bool Contains(const Bookmark& row) const { return m_rows.Contains(row); }
    // The selected rows the view lists, in list order, whatever order they were selected in.
    std::vector<Bookmark> ListedRows(const TableView& view) const;

    void Add(const Bookmark& row);
    // Adds the rows in order, skipping those already selected; told once.
    void AddRows(const std::vector<Bookmark>& rows);
    void Remove(const Bookmark& row);
    void Clear();

    // The row of the last plain click or Ctrl+click; null when none.
    const Bookmark& Anchor() const { return m_anchor; }
    void SetAnchor(const Bookmark& row) { m_anchor = row; }

    // Told after every change of the selected rows, so displays and the status line follow.
    void SetOnChanged(std::function<void()> handler) { m_onChanged = std::move(handler); }

private:
    void Changed();

    BookmarkList m_rows;
    Bookmark m_anchor;
    std::function<void()> m_onChanged;
};
