// The entry list's rules without a display: selecting rows with the mouse and the keyboard,
// Select All and UnSelect All, the colour of a row, the status line, where the list came
// from (tree, initials or lookup) and the name field's hint of the detail panel.
#pragma once

#include <QString>
#include <QtCore/qnamespace.h>
#include <functional>

#include "navigation/RowSelection.h"

class CEditMT;
class CRecListMT;
class CTreeMT;
class Prompter;
class TableView;

// What made the current listing; only the list's context menu reads it.
enum class ListSource
{
    FromTree = 0,
    FromInitials = 1,
    FromLookup = 2
};

// How a row of the list is painted, in order of precedence.
enum class RowColour
{
    Normal,
    Selected, // purple
    Current,  // blue
    Yellow    // a yellow page entry
};

class EntryListController
{
public:
    // entries: the working entry view the list shows; allEntries: an unfiltered view of the
    // same store, for the total count. All must outlive the controller.
    EntryListController(TableView& entries, const TableView& allEntries, RowSelection& selection,
                        Prompter& prompter);

    TableView& Entries() const { return m_entries; }
    RowSelection& Selection() const { return m_selection; }

    // A mouse press on a listed row that the list has already made current. Plain: selects
    // the row alone unless it is selected already. Shift: adds the rows from the anchor to
    // this one. Ctrl: toggles the row. Plain and Ctrl presses move the anchor here.
    void RecDBGridMouseDown(int row, Qt::KeyboardModifiers modifiers);
    // The current row moved by a key from one row to another. With Shift the rows between
    // where the Shift run began and the new row are selected, and rows left behind when the
    // run turns back are released; without Shift a new run will begin.
    void KeyboardMove(int fromRow, int toRow, bool shift);
    // Selects every listed row, with the hourglass shown.
    void SelectAll();
    // Clears the selection, with the hourglass shown.
    void UnselectAll();
    // The list lost the focus: its selection goes.
    void RecDBGridExit();

    bool IsRowSelected(int row) const;
    // A selected row shows purple, else the current row (when highlighted) blue, else a
    // yellow page entry yellow.
    RowColour RowColourOf(int row, bool currentHighlighted = true) const;
    // Status panel 0: "<total> Entries; <listed> Listed; <selected> Selected".
    QString StatusText() const;

    ListSource Source() const { return m_source; }
    void SetSource(ListSource source) { m_source = source; }
    // "Delete from current Category" is offered only for a listing of a user category
    // chosen in the tree.
    bool DeleteCategoryEnabled(qint32 selectedNode) const;

    // Make the selected entries (or, with none selected, the current entry) yellow page
    // entries: Yellow set, SurName taken from Name, GivenName emptied. The edit model then
    // knows the book has yellow entries, the tree gets "Org Contacts" when it lacks it, the
    // selection is cleared and the listing applied again. False when nothing is listed.
    bool DefineYellowPageInfo(CEditMT& edit, CTreeMT& tree, CRecListMT& list);
    // Make them white page entries: Yellow cleared and Name split into SurName, GivenName
    // and MidName by the name rule, Name itself unchanged. False when nothing is listed.
    bool DefineWhitePageInfo(CEditMT& edit, CRecListMT& list);

    // The name field's hint for the current entry: its surname and given name for a white
    // page entry with a name; empty otherwise.
    static QString NameHint(TableView& entries);

private:
    void SelectRange(int fromRow, int toRow);
    // Runs change on each entry to be marked, in list order, with the displays of both
    // tables suspended; then commits, clears the selection and lists again.
    bool MarkEntries(CEditMT& edit, CRecListMT& list,
                     const std::function<void(TableView&)>& change);

    TableView& m_entries;
    const TableView& m_allEntries;
    RowSelection& m_selection;
    Prompter& m_prompter;
    ListSource m_source = ListSource::FromTree;
    // Where the current Shift+arrow run began; null outside a run.
    Bookmark m_keyRunStart;
};
