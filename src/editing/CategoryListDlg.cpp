// The category picker: building it from the category tree, placing it, picking, and closing
// when it loses activation.
#include "editing/CategoryListDlg.h"

#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QScreen>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "editing/PopupPanel.h"
#include "navigation/Utreemt.h"

namespace {

constexpr int kIndexRole = Qt::UserRole;
constexpr int kMaxHeight = 320;

} // namespace

TCategoryListDlg::TCategoryListDlg(CTreeMT& tree, QWidget* parent)
    : QDialog(parent, Qt::Popup | Qt::FramelessWindowHint), m_tree(tree)
{
    setObjectName(QStringLiteral("CategoryListDlg"));
    m_treeView = new QTreeWidget(this);
    m_treeView->setObjectName(QStringLiteral("CategoryTree"));
    m_treeView->setHeaderHidden(true);
    m_treeView->setRootIsDecorated(false);
    m_treeView->setItemsExpandable(false);
    m_treeView->setExpandsOnDoubleClick(false);
    m_treeView->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_treeView->setMouseTracking(true); // hot tracking
    m_treeView->setAllColumnsShowFocus(true);
    QPalette palette = m_treeView->palette();
    palette.setColor(QPalette::Base, PopupPanelColor());
    // The selection stays visible when the list is not focused.
    palette.setColor(QPalette::Inactive, QPalette::Highlight,
                     palette.color(QPalette::Active, QPalette::Highlight));
    palette.setColor(QPalette::Inactive, QPalette::HighlightedText,
                     palette.color(QPalette::Active, QPalette::HighlightedText));
    m_treeView->setPalette(palette);
    m_treeView->installEventFilter(this);
    connect(m_treeView, &QTreeWidget::itemClicked, this,
            [this](QTreeWidgetItem* item) { Pick(item); });

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_treeView);
    resize(140, 200);
}

void TCategoryListDlg::Rebuild()
{
    m_treeView->clear();
    int index = 0;
    auto* none = new QTreeWidgetItem(m_treeView, QStringList{kNoCategory});
    none->setData(0, kIndexRole, index++);
    if (const CTreeNode* root = m_tree.Root())
        for (int row = 0; row < root->ChildCount(); ++row)
            AddSubtree(nullptr, root->Child(row), index);
    m_treeView->expandAll();
}

void TCategoryListDlg::AddSubtree(QTreeWidgetItem* parent, const CTreeNode* node, int& index)
{
    auto* item = parent ? new QTreeWidgetItem(parent, QStringList{node->Text()})
                        : new QTreeWidgetItem(m_treeView, QStringList{node->Text()});
    item->setData(0, kIndexRole, index++);
    for (int row = 0; row < node->ChildCount(); ++row)
        AddSubtree(item, node->Child(row), index);
}

const QStringList& TCategoryListDlg::CategoryPaths()
{
    return m_tree.CategoryPaths();
}

QPoint TCategoryListDlg::PlaceUnder(const QRect& boxOnScreen, const QSize& picker,
                                    const QRect& screen)
{
    QPoint place(boxOnScreen.right() + 1 - picker.width(), boxOnScreen.bottom() + 1);
    if (place.x() + picker.width() > screen.right() + 1)
        place.setX(screen.right() + 1 - picker.width());
    if (place.y() + picker.height() > screen.bottom() + 1)
        place.setY(place.y() - picker.height() - boxOnScreen.height());
    return place;
}

void TCategoryListDlg::OpenFor(QLineEdit* box, int boxIndex)
{
    // The picker must be a window of the box's window, so that it takes input while that
    // window is modal.
    if (box->window() != parentWidget())
        setParent(box->window(), windowFlags());
    m_box = box;
    m_chosen = boxIndex;

    int rows = 0;
    m_treeView->setCurrentItem(nullptr);
    for (QTreeWidgetItemIterator it(m_treeView); *it; ++it) {
        ++rows;
        if ((*it)->data(0, kIndexRole).toInt() == boxIndex)
            m_treeView->setCurrentItem(*it);
    }
    const int rowHeight = m_treeView->sizeHintForRow(0) > 0 ? m_treeView->sizeHintForRow(0)
                                                            : fontMetrics().height() + 2;
    resize(width(), std::min(kMaxHeight, rows * rowHeight + 2 * m_treeView->frameWidth() + 4));

    const QRect boxOnScreen(box->mapToGlobal(QPoint(0, 0)), box->size());
    const QScreen* screen = box->screen() ? box->screen() : QGuiApplication::primaryScreen();
    move(PlaceUnder(boxOnScreen, size(), screen->geometry()));
    // A popup window: it takes the keyboard while open and closes when the user turns to
    // any other window or control.
    show();
    m_treeView->setFocus();
}

void TCategoryListDlg::Pick(QTreeWidgetItem* item)
{
    if (!item)
        return;
    m_chosen = item->data(0, kIndexRole).toInt();
    hide();
    // The box's change rule reads the chosen index when its text changes.
    if (m_box)
        m_box->setText(QStringLiteral("       "));
}

bool TCategoryListDlg::event(QEvent* e)
{
    if (e->type() == QEvent::WindowDeactivate && isVisible())
        hide();
    return QDialog::event(e);
}

bool TCategoryListDlg::eventFilter(QObject* watched, QEvent* e)
{
    if (watched == m_treeView && e->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(e)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            Pick(m_treeView->currentItem());
            return true;
        }
        if (key == Qt::Key_Escape) {
            hide();
            return true;
        }
    }
    return QDialog::eventFilter(watched, e);
}
