// What the search dialog hands back when it closes, and the main window's handling of it:
// a birthday quick search, a single-field search that may continue the last one, or an OR
// search over several fields.
#pragma once

#include <QString>
#include <QStringList>

#include "search/USearchMT.h"

class OptionType;
class Prompter;

// How the search dialog closed. The values are the dialog's result codes: Cancel and Ok
// are what rejecting and accepting a dialog give.
enum class SearchResult
{
    Cancel = 0,
    Ok = 1,       // Start Search, or the place or phone quick search
    Retry = 2,    // Continue to Search
    Birthday = 3, // the birthday quick search
};

struct SearchRequest
{
    SearchResult result = SearchResult::Cancel;
    CSearchMT::Logic logic = CSearchMT::Logic::And;
    QString text;       // already trimmed
    QStringList fields; // labels of the selected fields, in list order
    int month = 1;      // 1..12
    int day = 0;        // 0 for the whole month
};

// The parts of the main window that a finished search moves.
class SearchResultsView
{
public:
    virtual ~SearchResultsView() = default;
    // The tree in place of the initial grid, focused, with the search results node
    // selected when the tree has one.
    virtual void ShowSearchNode() = 0;
    // The entry list focused and marked as listing a lookup's result.
    virtual void ShowFoundEntries() = 0;
};

class SearchController
{
public:
    enum class FieldKind
    {
        None,
        Entry,
        Org
    };

    SearchController(CSearchMT& search, const OptionType& options, Prompter& prompter);

    // Runs the search the dialog asked for and shows its result.
    void Finish(const SearchRequest& request, SearchResultsView& view);

    // Which table a field name belongs to: the entry table first, then the org table. Only
    // text fields count, since only they can be searched for a part of their text.
    FieldKind KindOf(const QString& field) const;
    // The labels the search dialog offers: the keys of SearchableFieldsList, in order.
    static QStringList SearchableLabels(const OptionType& options);
    // A text that begins with a wide character is matched with letter case.
    static bool CaseSensitiveFor(const QString& text);

private:
    void SearchOneField(const SearchRequest& request);
    void SearchSeveralFields(const SearchRequest& request);

    CSearchMT& m_search;
    const OptionType& m_options;
    Prompter& m_prompter;
};
