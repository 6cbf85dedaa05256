// The main window TMainQVZorek: the command actions with their menus, popups and toolbar,
// the window areas that show the current entry, the status bar with the padlock, and the
// book items of the Open and Delete menus. The commands themselves live in controllers.
#pragma once

#include <QHash>
#include <QList>
#include <QMainWindow>
#include <QSet>
#include <QVariantMap>
#include <functional>
#include <memory>

class QAction;
class QGroupBox;
class QKeySequence;
class QLabel;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QSplitter;
class QStackedWidget;
class QToolBar;
class QToolButton;
class OptionType;

class TMainQVZorek : public QMainWindow
{
    Q_OBJECT

public:
    explicit TMainQVZorek(QWidget* parent = nullptr);
    ~TMainQVZorek() override;

    // The actions of the command table, in the table's order.
    const QList<QAction*>& ActionList1() const { return m_actionList; }
    // A command by its name: the table's actions and the menu items "Exit1", "Upload1",
    // "Download1" and "SignUp1"; null for an unknown name.
    QAction* Action(const QString& name) const;
    // Runs the handler when the command is triggered and makes the command available (it
    // stays disabled while the book UI is disabled and the command needs a book).
    void ConnectCommand(const QString& name, std::function<void()> handler);

    // Book items: one per book in "&Open", LoadBnPopupMenu and "&Delete", in step.
    void AddBookItems(const QString& name);
    void RemoveBookItems(int position);
    int BookItemCount() const;

    void DisableBookUI();
    void EnableBookUI();
    bool IsBookUIEnabled() const { return m_bookUIEnabled; }

    // The caption: the product name followed by the book's title in brackets.
    void UpdateCaption(const QString& title);

    // Status panel 0.
    void SetStatusText(const QString& text);
    // Status panel 1: the padlock is closed when the book has a password and not drawn at
    // all while a net transfer runs.
    void SetLockState(bool hasPassword, bool netBusy);
    // Status panel 2: the long part of a hint ("short|long", or the whole hint).
    void ShowLongHint(const QString& hint);

    // Shows "&Net Services" only when the net services module file exists, looked up
    // relative to the current folder.
    void UpdateNetServicesMenu(const QString& moduleFile = QStringLiteral("qvmond.dll"));
    // The three Outlook paste commands are shown only for the Outlook mailer.
    void SetOutlookCommandsVisible(bool visible);

    // The fonts and colours of the settings: the surname grid, the tree, the entry list, the
    // panel above the list (the entry list's font) and the right panel. A surname grid that is
    // a table view gets cells sized from its font.
    void ApplyFonts(const OptionType& options);

    // Shows the current entry (Name table fields) and its org (Agent table fields) in the
    // right panel; a missing field shows empty.
    void ShowEntry(const QVariantMap& entry, const QVariantMap& org);

    // The views that other parts provide take the places of the placeholders; the window
    // owns them from then on and keeps them in step with the book UI.
    void SetNavgTree(QWidget* tree);
    void SetSurNameGrid(QWidget* grid);
    void SetRecDBGrid(QWidget* grid);
    // Shows the surname initial grid instead of the navigation tree, or back.
    void ShowSurNameGrid(bool show);

    QMenu* TreePopupMenu() const { return m_treePopupMenu; }
    QMenu* RecPopupMenu() const { return m_recPopupMenu; }
    QMenu* SurnamePopupMenu() const { return m_surnamePopupMenu; }
    QMenu* LoadBnPopupMenu() const { return m_loadBnPopupMenu; }

signals:
    // A book item of "&Open" or of the Open button's menu was clicked.
    void OpenBookClicked(int position);
    // A book item of "&Delete" was clicked.
    void DeleteBookClicked(int position);
    // The "Org" button: the larger org lookup box is wanted.
    void OrgButtonClicked();

protected:
    bool event(QEvent* e) override;
    // The commands' shortcuts work in every view of the window that only shows: a read-only
    // box or a list does not keep Ctrl+A, Ctrl+E and the like for itself.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void CreateActions();
    void CreateMenus();
    void CreateToolBar();
    void CreateAreas();
    void CreateStatusBar();
    QAction* AddAction(const QString& name, const QString& caption, const QKeySequence& shortcut,
                       const QString& hint);
    QMenu* AddMenu(QMenu* parent, const QString& name, const QString& caption,
                   const QList<QAction*>& items);
    QList<QAction*> Actions(std::initializer_list<const char*> names) const;
    void ReplacePlaceholder(QWidget*& placeholder, QWidget* view);
    QLabel* AddField(QGroupBox* box, const QString& caption, const QString& field, bool memo);
    void LoadBnClick();
    void A_AboutExecute();
    void OpenItemClicked(QMenu* menu, QAction* item);
    void DrawLock();
    // Whether the key is the shortcut of an enabled command and the widget only shows.
    bool CommandShortcutIn(QObject* watched, const QKeyEvent& key) const;

    QList<QAction*> m_actionList;
    QHash<QString, QAction*> m_commands;
    QSet<QAction*> m_ready;
    // The commands that need an open book.
    QList<QAction*> m_bookCommands;
    bool m_bookUIEnabled = true;

    QMenu* m_editMenu = nullptr;
    QMenu* m_load1 = nullptr;
    QMenu* m_delete1 = nullptr;
    QMenu* m_email1 = nullptr;
    QMenu* m_qvns1 = nullptr;
    QMenu* m_treePopupMenu = nullptr;
    QMenu* m_recPopupMenu = nullptr;
    QMenu* m_surnamePopupMenu = nullptr;
    QMenu* m_loadBnPopupMenu = nullptr;
    QToolBar* m_toolBar = nullptr;
    QToolButton* m_loadBn = nullptr;

    QStackedWidget* m_navgStack = nullptr;
    QWidget* m_navgTree = nullptr;
    QWidget* m_surNameGrid = nullptr;
    QWidget* m_recDBGrid = nullptr;
    QWidget* m_searchPanel = nullptr;
    QWidget* m_rightPanel = nullptr;
    QList<QGroupBox*> m_groupBoxes;
    // The right panel's views by field name; the org's fields carry their Agent names.
    QHash<QString, QWidget*> m_fieldViews;

    QLabel* m_statusText = nullptr;
    QLabel* m_lockPanel = nullptr;
    QLabel* m_hintPanel = nullptr;
    bool m_hasPassword = false;
    bool m_netBusy = false;
};
