// The working state of the open book that the main window controller carries: where the
// book lives, the folders, the savepoints of the last load or save and the flags.
#pragma once

#include <QString>

enum class TBookLocation
{
    InDataFolder = 0,
    Outside = 1,
    OnNet = 2
};

struct BookState
{
    QString ProgramFolder; // each folder ends with the platform's separator
    QString DataFolder;
    QString WorkFolder;
    TBookLocation BookLocation = TBookLocation::InDataFolder;
    QString OutsidePath;
    int NameSavePoint = 0;
    int AgentSavePoint = 0;
    bool TreeModified = false;
    bool SaveWithPassword = true;
    bool ExtractCrcOk = true;
    bool NetBusy = false;
    bool Saving = false;
};
