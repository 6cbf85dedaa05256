// The working folder that holds a book's unpacked member files during a load or a save: kept
// private to the user, since it holds the decrypted members of a password-protected book.
#pragma once

#include <QString>

struct WorkFolderResult
{
    bool ok = false;
    QString error;

    explicit operator bool() const { return ok; }
};

// Creates folder with mode 0700 (and missing parents), or makes an existing folder of the
// user's 0700. An entry there that is a link, not a folder, or belongs to another user is
// refused and left as it is.
WorkFolderResult PrepareWorkFolder(const QString& folder);

// Deletes the five member files of a book from folder, whatever the letter case of their
// names; files that do not exist are ignored and every other file stays. True when none of
// the member files is left.
bool ClearWorkFolder(const QString& folder);
