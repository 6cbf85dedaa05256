// The settings object: everything the user can configure, kept in "aa.ini", and a few values
// of the running book that several windows reach (book name, book list, password, import map).
#pragma once

#include "storage/IniFile.h"

#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>
#include <functional>

class OptionType
{
public:
    static constexpr int ImportMapRows = 81;
    static constexpr int ImportMapColumns = 5;
    using ImportMapTable = std::array<std::array<int, ImportMapColumns>, ImportMapRows>;

    // The field lists installed with the application, used for lists the given file lacks.
    static QString DefaultsFile() { return QStringLiteral(":/resources/aa.ini"); }

    // Works on the settings file at iniPath; nothing is read yet.
    explicit OptionType(const QString& iniPath);

    // Reads every setting; a missing file or key gives its default. False only when the file
    // exists but cannot be read (the defaults are taken then).
    bool ReadAll();
    // Writes every setting into the file, keeping everything else it holds; creates the file.
    bool WriteAll() const;
    // Writes only the name of the current book.
    bool WriteBookName() const;

    // The field name whose label in FieldsList equals label, ignoring case; empty when none.
    QString FieldOfLabel(const QString& label) const;
    // FieldNames := the keys of FieldsList, in order.
    void RebuildFieldNames();

    int WhichEmailer() const { return m_whichEmailer; }
    // Sets the mailer (1 the default e-mail program, 2 Outlook) and tells the mail module.
    void SetEmailer(int which);
    // The mail module's hook: called with the new choice whenever the mailer is read or set.
    void SetEmailerListener(std::function<void(int)> listener);

    // Where the installed field lists are read from; DefaultsFile() unless changed.
    void SetDefaultsPath(const QString& path);

    // Direct access to the file, for the conversion of the older per-folder books (section
    // "User"). Each call reads the file afresh; EraseSection writes it at once.
    bool HasSection(const QString& section) const;
    QString ReadString(const QString& section, const QString& key, const QString& def) const;
    KeyValueList ReadSection(const QString& section) const;
    bool EraseSection(const QString& section) const;

    const QString& IniPath() const { return m_iniPath; }

    // Running book: section "DefaultAddressBook", key UserName0.
    QString BookName = QStringLiteral("default");
    // Books of the data folder, in the order of the book menus.
    QStringList BookList;

    // key = field name of the entry or org table, value = the label shown for it.
    KeyValueList FieldsList;
    // The keys of FieldsList, as of the last RebuildFieldNames.
    QStringList FieldNames;
    // Line i belongs to line i of FieldsList; "True" (any case) marks an export field.
    KeyValueList CheckedFieldsList;
    // Keys are labels of FieldsList offered by the search; values are not used. Never written.
    KeyValueList SearchableFieldsList;
    // Import mapping, never stored: row r for the r-th field, 1-based column numbers, 0 = none.
    ImportMapTable ImportMap{};

    // Fonts of the surname grid, the tree, the entry list and the right panel. Colours are
    // signed 32-bit values: lowest byte red, then green, then blue.
    QString SurnameGridFontname = QStringLiteral("MS Sans Serif");
    std::int32_t SurnameGridFontSize = 10;
    std::int32_t SurnameGridFontColor = 0;
    QString TreeFontname = QStringLiteral("MS Sans Serif");
    std::int32_t TreeFontSize = 10;
    std::int32_t TreeFontColor = 0;
    QString RecListFontname = QStringLiteral("MS Sans Serif");
    std::int32_t RecListFontSize = 10;
    std::int32_t RecListFontColor = 0;
    QString RecViewFontname = QStringLiteral("MS Sans Serif");
    std::int32_t RecViewFontSize = 10;
    std::int32_t RecViewFontColor = 0;

    // Password of the open package; empty means none. Never stored.
    QString CurrentPassword;
    // Folder of the settings file, without a trailing separator ("pt.ini" lives there).
    QString IniFolder;
    // Folder of the address books, ending with a separator; empty means the default one.
    QString DataDir;

    bool ConfirmDeletion = true;
    bool QuickSearchOpen = true;
    bool CheckOrgSameName = true;
    bool ToSaveSize = true;

    // Window and area sizes in pixels; read and written only while ToSaveSize is on.
    std::int32_t LeftPanelWidth = 0;
    std::int32_t MiddlePanelWidth = 0;
    std::int32_t RightPanelWidth = 0;
    std::int32_t FormHeight = 0;
    std::int32_t FormWidth = 0;
    std::int32_t GridHeight = 0;
    bool WindowMax = false;

private:
    void ReadFieldLists(const IniFile& file);
    void ReadFonts(const IniFile& file);
    void ReadMiscOptions(const IniFile& file);

    QString m_iniPath;
    QString m_defaultsPath = DefaultsFile();
    std::int32_t m_whichEmailer = 1;
    std::function<void(int)> m_emailerListener;
};
