// The entry edit window as the entry commands see it: shown modally for the edit
// transaction that the edit model has begun. Before it returns it has ended the
// transaction (commit or rollback) and set the edit mode.
#pragma once

#include <QString>

class EntryEditWindow
{
public:
    virtual ~EntryEditWindow() = default;

    // caption: "Add" or "Edit".
    virtual void ShowEditWindow(const QString& caption) = 0;
};
