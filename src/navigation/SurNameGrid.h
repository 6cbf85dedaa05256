// The surname initial grid SurNameGrid: the initials of the book's white page surnames in
// small cells, row by row after the tree cell (0,0), which leads back to the category tree.
// Selecting an initial lists the entries filed under it.
#pragma once

#include <QStringList>
#include <QTableWidget>

class QMenu;

class SurNameGrid : public QTableWidget
{
    Q_OBJECT

public:
    // Cell size until the grid's font decides it.
    static constexpr int kCellWidth = 20;
    static constexpr int kCellHeight = 16;

    explicit SurNameGrid(QWidget* parent = nullptr);

    // Lays the initials out in that many columns; the current cell becomes (0,0). The grid
    // is not repainted cell by cell meanwhile.
    void Fill(const QStringList& initials, int columns);
    // The width of a cell, which decides how many columns fit.
    int DefaultColumnWidth() const;
    // The initial in a cell; empty for the tree cell, an empty cell or one outside the grid.
    QString InitialAt(int row, int column) const;
    // Whether the user may make the cell current: the tree cell and cells with an initial.
    bool CanSelectCell(int row, int column) const;

    void SetPopupMenu(QMenu* menu) { m_popupMenu = menu; }

signals:
    // A cell became current (SurNameGridSelectCell); initial is empty for the tree cell.
    void CellSelected(const QString& initial);
    // A mouse button was released over the grid; onTreeCell when (0,0) is current.
    void Released(bool onTreeCell);
    // The grid got the focus from another control.
    void Entered();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    QModelIndex moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers) override;

private:
    QMenu* m_popupMenu = nullptr;
    bool m_filling = false;
};
