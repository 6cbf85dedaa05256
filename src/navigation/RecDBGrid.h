// The entry list RecDBGrid: a read-only, one-column list of the listed entries' names with
// whole-row multi-selection, row colours, double-click editing, its context menu, and
// dragging the selected entries onto the category tree.
#pragma once

#include <QTableView>
#include <functional>

#include "navigation/EntryListController.h"
#include "navigation/NameListModel.h"

class QMenu;

// The list's rows with the colours of the selection, the current row and yellow pages.
class RecDBGridModel : public NameListModel
{
public:
    RecDBGridModel(EntryListController& list, QObject* parent = nullptr);

    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

    static QColor Background(RowColour colour);

private:
    EntryListController& m_list;
};

class RecDBGrid : public QTableView
{
    Q_OBJECT

public:
    // How far the pointer moves, in either direction, with the left button held before the
    // selected entries are dragged.
    static constexpr int kDragThreshold = 8;

    // list must outlive the grid.
    explicit RecDBGrid(EntryListController& list, QWidget* parent = nullptr);
    ~RecDBGrid() override;

    EntryListController& List() const { return m_list; }
    RecDBGridModel& Names() const { return *m_model; }

    // The context menu, the command in it that takes entries out of the listed category,
    // and where to read the tree's selected category from.
    void SetPopupMenu(QMenu* menu, QAction* deleteCategory,
                      std::function<qint32()> selectedCategory);
    // Enables "Delete from current Category" by the list source and the tree's selection;
    // the menu's other items stay as they are.
    void RecPopupMenuPopup();

    // The platform-style drag cursors of one dragged entry or several (move mode).
    static QPixmap DragCursor(bool several);

signals:
    // The list got the focus from another control (RecDBGridEnter).
    void Entered();
    // A row was double-clicked: the current entry is to be edited.
    void EditRequested();
    // The current row moved, by the user or because the listing changed.
    void CurrentRowChanged();
    // The selected rows changed.
    void SelectionChanged();
    // The list was painted; the status line follows what it shows.
    void Painted();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    // Rows follow the list's font, which the settings choose.
    void changeEvent(QEvent* event) override;
    // Runs the drag of the selected entries until they are dropped or the drag is cancelled.
    virtual void BeginEntryDrag();

protected slots:
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;

private:
    // Rows as high as a line of the font and a small margin, so many names show at once.
    void FitRowsToFont();
    // Puts the list's current index on the entry view's current record.
    void FollowCurrentRecord();

    EntryListController& m_list;
    RecDBGridModel* m_model;
    QMenu* m_popupMenu = nullptr;
    QAction* m_deleteCategory = nullptr;
    std::function<qint32()> m_selectedCategory;
    QPoint m_pressPoint;
    bool m_leftPressed = false;
};
