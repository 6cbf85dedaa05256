// The book commands of the main window: open a listed book, load one from elsewhere,
// save, save under a new path, create and delete books, with the book menus kept in step
// with the book list. The window forwards its menu clicks here.
#pragma once

#include <QString>

#include "app/Prompter.h"

class OptionType;
class PackageController;
struct BookState;

// What the commands need of the main window.
class BookWindow
{
public:
    virtual ~BookWindow() = default;
    // Adds an item for the book at the end of "&Open", the Open button's menu and "&Delete".
    virtual void AddBookItems(const QString& name) = 0;
    // Removes the items at that position from the three book menus.
    virtual void RemoveBookItems(int position) = 0;
    virtual void DisableBookUI() = 0;
    virtual void UpdateCaption() = 0;
    virtual void CloseMainWindow() = 0;
};

class BookCommands
{
public:
    BookCommands(PackageController& package, OptionType& options, BookState& state,
                 BookWindow& window, Prompter& prompter);

    // The name of the open book as the caption shows it.
    QString BookTitle() const;

    void SaveCurrentBook();
    void SaveBookAs();
    void LoadBookFrom();
    void OpenListedBook(int position);
    void DeleteListedBook(int position);
    void NewBook();
    // Creates the book from the template and opens it; false when nothing was created.
    bool CreateBook(const QString& name);
    void AddBookToMenus(const QString& name);

    // Asks whether to save a changed book before going on, naming the book before tail;
    // Yes saves it. False when the user cancelled.
    bool SaveBeforeGoingOn(const QString& tail, Prompter::Icon icon);
    // The warning shown when a book of the data folder does not open.
    static QString LoadFailedMessage(const QString& name);

    // The template a new book is copied from, by the user's language.
    QString TemplatePath() const;
    // Language identifier of the user (2052 is Chinese, PRC); tests set it.
    void SetLanguage(int language) { m_language = language; }

private:
    int FindListed(const QString& name) const;

    PackageController& m_package;
    OptionType& m_options;
    BookState& m_state;
    BookWindow& m_window;
    Prompter& m_prompter;
    int m_language;
};
