// Opening and saving the address book package: unpacking into the working folder with the
// password request, loading both tables (converting the older table format), handing the
// book to the models, and packing it again; with the change tracking of the open book.
#pragma once

#include <QString>

#include "storage/BookState.h"
#include "storage/Package.h"

class BookHost;
class OptionType;
class Prompter;
class TCardData;

class PackageController
{
public:
    PackageController(TCardData& data, OptionType& options, BookState& state, BookHost& host,
                      Prompter& prompter);

    // Opens the package at path; false when it did not open (the user has been told why,
    // except when there is no such file). A failed open leaves the open book, its tables
    // and its password as they were.
    bool LoadPackage(const QString& path);
    // Writes the open book to path; the old package is replaced only by a complete new one.
    bool SavePackage(const QString& path);
    // Packs the member files of the working folder into path, with the book's password
    // unless the user unlocks the book.
    bool PackWorkFolder(const QString& path);

    bool IsBookModified() const;
    void ResetModified();
    void MergeTableChanges();
    void SetChangeLogging(bool on);

    // Lets tests make a package write fail at a chosen step.
    void SetWriteFaultHook(Package::WriteFaultHook hook) { m_writeFault = std::move(hook); }

private:
    bool LoadNames(const QString& folder);
    bool LoadOrgs(const QString& folder);
    void ConvertOldNames();
    void ConvertOldOrgs();

    TCardData& m_data;
    OptionType& m_options;
    BookState& m_state;
    BookHost& m_host;
    Prompter& m_prompter;
    Package::WriteFaultHook m_writeFault;
    bool m_progressShown = false;
};
