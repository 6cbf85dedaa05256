// Joins the main window to its controller: it shows what the controller tells the window
// (MainWindowView), puts the tree and the entry list into their places, and forwards the
// window's commands and events to the controller.
#pragma once

#include <QObject>
#include <memory>

#include "app/MainController.h"

class EntryListBridge;
class TEditFm;
class NavgTree;
class TMainQVZorek;
class TOptionFm;
class TSearchFm;
class OptionsController;

class MainWindowBridge : public QObject, public MainWindowView
{
public:
    MainWindowBridge(TMainQVZorek& window, Prompter& prompter);
    ~MainWindowBridge() override;

    // Takes the controller once it exists: builds the views over its models and connects
    // the commands.
    void Attach(MainController& controller);

    void AddBookItems(const QString& name) override;
    void RemoveBookItems(int position) override;
    void DisableBookUI() override;
    void EnableBookUI() override;
    bool BookUIEnabled() const override;
    void UpdateCaption() override;
    void CloseMainWindow() override;
    void ShowTreeTop() override;
    void FillSurnameGrid(const QStringList& initials) override;
    void ShowLock(bool locked) override;
    void ApplyFonts(const OptionType& options) override;
    Sizes CurrentSizes() const override;
    void ApplySizes(const Sizes& sizes) override;
    void UpdateNetServicesMenu() override;
    void SetOutlookPasteVisible(bool visible) override;
    bool QuickSearchOpen() const override;
    qint32 SelectedCategory() const override;
    void SelectCategoryNode(qint32 number) override;
    void FocusTree() override;
    void FocusEntryList() override;

protected:
    // The close question runs before the window closes; Cancel keeps it open.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void RefreshStatus();
    void ShowOptions();
    // Opens the search dialog and runs the search it asks for.
    void A_SearchExecute();

    TMainQVZorek& m_window;
    Prompter& m_prompter;
    MainController* m_controller = nullptr;
    NavgTree* m_tree = nullptr;
    std::unique_ptr<EntryListBridge> m_entryList;
    TEditFm* m_editWindow = nullptr;
    std::unique_ptr<OptionsController> m_options;
    TOptionFm* m_optionsDialog = nullptr;
    TSearchFm* m_searchForm = nullptr;
};
