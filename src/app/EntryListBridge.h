// Joins the entry list, the surname initial grid, the name and org lookups and the detail
// panel to the main window: it puts the list and the grid into their places, connects
// their commands and events, and keeps the status line and the right panel up to date.
#pragma once

#include <QObject>
#include <QPointer>
#include <QStringList>
#include <memory>

#include "navigation/EntryListController.h"

class ListLookups;
class MainController;
class NavgTree;
class Prompter;
class QLineEdit;
class RecDBGrid;
class SurNameGrid;
class TMainQVZorek;
class TOrgLkDlg;

class EntryListBridge : public QObject
{
public:
    // The tree must be in its place already; window, controller and tree outlive this.
    EntryListBridge(TMainQVZorek& window, MainController& controller, NavgTree& tree,
                    Prompter& prompter);
    ~EntryListBridge() override;

    EntryListController& List() { return *m_list; }
    RecDBGrid* Grid() const { return m_grid; }
    SurNameGrid* InitialGrid() const { return m_initialGrid; }

    // Lays the initials out in as many columns as the left panel has room for.
    void FillSurnameGrid(const QStringList& initials);
    // Status panel 0 from the book, the listing and the selection.
    void RefreshStatus();
    // The right panel: the current entry, its org and the name field's hint.
    void ShowCurrentEntry();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ConnectCommands();
    void ConnectInitialGrid();
    void ConnectLookups();
    void ConnectDetailPanel();
    void SwitchGridToTree();
    // A_RefreshSurnames and F5 in the name box: the initials rebuilt, the grid refilled.
    void RefreshSurnames();
    void OpenMemoViewer(const QString& field);

    TMainQVZorek& m_window;
    MainController& m_controller;
    NavgTree& m_tree;
    Prompter& m_prompter;
    std::unique_ptr<EntryListController> m_list;
    std::unique_ptr<ListLookups> m_lookups;
    QPointer<RecDBGrid> m_grid;
    SurNameGrid* m_initialGrid = nullptr;
    TOrgLkDlg* m_orgPopup = nullptr;
    QLineEdit* m_nameLk = nullptr;
    QLineEdit* m_companyLk = nullptr;
    QWidget* m_leftPanel = nullptr;
    QStringList m_initials;
};
