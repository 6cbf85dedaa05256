// The category picker TCategoryListDlg: a borderless list of the whole category tree opened
// under a category box. Picking an item remembers its absolute index and writes seven spaces
// into the box, whose change rule then takes the index; losing activation closes it unpicked.
#pragma once

#include <QDialog>
#include <QLineEdit>
#include <QPointer>

class CTreeMT;
class QTreeWidget;
class QTreeWidgetItem;

class TCategoryListDlg : public QDialog
{
    Q_OBJECT

public:
    // The text of the item that stands for no category (index 0, the tree's root).
    static inline const QString kNoCategory = QStringLiteral("------");

    explicit TCategoryListDlg(CTreeMT& tree, QWidget* parent = nullptr);

    // Fills the list again from the tree's root: "------" and then every child of the root
    // with its subtree, in order, all expanded. Item i is the node of absolute index i.
    void Rebuild();
    // Shows the picker, without being modal, right-aligned under the box (inside the box's
    // screen); the box's index is the one preselected.
    void OpenFor(QLineEdit* box, int boxIndex);
    // Where the picker goes for a box: its right edge at the box's right edge and just below
    // it; moved left to end at the screen's right edge, and above the box when it would leave
    // the screen at the bottom.
    static QPoint PlaceUnder(const QRect& boxOnScreen, const QSize& picker, const QRect& screen);

    // The box the picker was last opened for; null when it was forgotten.
    QLineEdit* Box() const { return m_box; }
    void ForgetBox() { m_box = nullptr; }
    int ChosenIndex() const { return m_chosen; }
    void SetChosenIndex(int index) { m_chosen = index; }
    const QStringList& CategoryPaths();
    QTreeWidget* CategoryTree() const { return m_treeView; }

protected:
    bool event(QEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    void AddSubtree(QTreeWidgetItem* parent, const class CTreeNode* node, int& index);
    void Pick(QTreeWidgetItem* item);

    CTreeMT& m_tree;
    QTreeWidget* m_treeView = nullptr;
    QPointer<QLineEdit> m_box;
    int m_chosen = 0;
};
