// What loading and saving a package needs from the rest of the program: the models that
// take the tables and read or write their own member files, and the window that shows the
// book. The main window controller implements it.
#pragma once

#include <QString>

class TCardData;

class BookHost
{
public:
    virtual ~BookHost() = default;

    // The loaded tables are handed to the list, search and edit models.
    virtual void AttachTables(TCardData& data) = 0;
    // Reads the tree and the compound surnames from the folder. All or nothing: on failure
    // the models keep what they had and the message (without suffix) is returned.
    virtual QString LoadMembers(const QString& folder) = 0;
    // Writes the tree and the compound surnames into the folder; a message on failure.
    virtual QString SaveMembers(const QString& folder) = 0;
    // The book opened: initials rebuilt, initial grid refilled, "Org Contacts" added when
    // needed, the book commands enabled, the tree shown with its top node selected.
    virtual void BookOpened() = 0;
    // The book was saved: initials rebuilt, the grid refilled, the tree shown again.
    virtual void BookSaved() = 0;
    // The lock icon shows whether the book has a password.
    virtual void PasswordChanged() = 0;
};
