// The main window as the entry commands see it, for controller tests: it records what it
// was told, and selecting a tree node runs the listing the test gives it.
#pragma once

#include <QStringList>
#include <functional>

#include "app/MainController.h"

class RecordingWindowView : public MainWindowView
{
public:
    QStringList calls;
    QStringList initials;
    qint32 selectedCategory = CTreeMT::RootNumber;
    // Run when a node is selected, as the tree's selection lists entries.
    std::function<void(qint32)> onSelect;

    void AddBookItems(const QString&) override {}
    void RemoveBookItems(int) override {}
    void DisableBookUI() override {}
    void UpdateCaption() override {}
    void CloseMainWindow() override {}
    void EnableBookUI() override {}
    bool BookUIEnabled() const override { return true; }
    void ShowTreeTop() override
    {
        calls << QStringLiteral("ShowTreeTop");
        SelectCategoryNode(CTreeMT::RootNumber);
    }
    void FillSurnameGrid(const QStringList& list) override
    {
        calls << QStringLiteral("FillSurnameGrid");
        initials = list;
    }
    void ShowLock(bool) override {}
    void ApplyFonts(const OptionType&) override {}
    Sizes CurrentSizes() const override { return {}; }
    void ApplySizes(const Sizes&) override {}
    void UpdateNetServicesMenu() override {}
    void SetOutlookPasteVisible(bool) override {}
    bool QuickSearchOpen() const override { return false; }
    qint32 SelectedCategory() const override { return selectedCategory; }
    void SelectCategoryNode(qint32 number) override
    {
        calls << QStringLiteral("Select %1").arg(number);
        selectedCategory = number;
        if (onSelect)
            onSelect(number);
    }
    void FocusTree() override { calls << QStringLiteral("FocusTree"); }
    void FocusEntryList() override { calls << QStringLiteral("FocusEntryList"); }
};
