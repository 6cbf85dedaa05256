// Reading and writing the settings file "aa.ini": its sections, keys and defaults, the field
// lists installed with the application, and the label and mailer helpers.
#include "storage/OptionType.h"

#include "storage/FieldDef.h"

#include <QFile>
#include <QFileInfo>

#include <utility>

namespace {

const QString BookSection = QStringLiteral("DefaultAddressBook");
const QString BookKey = QStringLiteral("UserName0");
const QString BookDefault = QStringLiteral("Default");
const QString FieldsSection = QStringLiteral("FieldsList");
const QString SearchableSection = QStringLiteral("SearchableFieldsList");
const QString CheckedSection = QStringLiteral("CheckedFieldsList");
const QString FontsSection = QStringLiteral("Fonts");
const QString MiscSection = QStringLiteral("MiscOption");

const QString FontDefault = QStringLiteral("MS Sans Serif");
constexpr int FontSizeDefault = 10;
constexpr int FontColorDefault = 0;

// The four font areas in the order they are written: surname grid, tree, entry list, right panel.
struct FontKeys
{
    const char* name;
    const char* color;
    const char* size;
    QString OptionType::*fontName;
    std::int32_t OptionType::*fontColor;
    std::int32_t OptionType::*fontSize;
};
const FontKeys Fonts[] = {
    {"SurnameGridFontname", "SurnameGridFontColor", "SurnameGridFontSize",
     &OptionType::SurnameGridFontname, &OptionType::SurnameGridFontColor,
     &OptionType::SurnameGridFontSize},
    {"TreeFontname", "TreeFontColor", "TreeFontSize", &OptionType::TreeFontname,
     &OptionType::TreeFontColor, &OptionType::TreeFontSize},
    {"RecListFontname", "RecListFontColor", "RecListFontSize", &OptionType::RecListFontname,
     &OptionType::RecListFontColor, &OptionType::RecListFontSize},
    {"RecViewFontname", "RecViewFontColor", "RecViewFontSize", &OptionType::RecViewFontname,
     &OptionType::RecViewFontColor, &OptionType::RecViewFontSize},
};

struct FlagKey
{
    const char* key;
    bool OptionType::*flag;
    bool def;
};
// Written first in "MiscOption", before DataDir and WhichEmailer.
const FlagKey Flags[] = {
    {"ConfirmDeletion", &OptionType::ConfirmDeletion, true},
    {"CheckOrgSameName", &OptionType::CheckOrgSameName, true},
    {"QuickSearchOpen", &OptionType::QuickSearchOpen, true},
    {"ToSaveSize", &OptionType::ToSaveSize, true},
};

struct SizeKey
{
    const char* key;
    std::int32_t OptionType::*size;
    int def;
};
// Read and written only while ToSaveSize is on, in this order, followed by WindowMax.
const SizeKey Sizes[] = {
    {"LeftPanelWidth", &OptionType::LeftPanelWidth, 138},
    {"MiddlePanelWidth", &OptionType::MiddlePanelWidth, 128},
    {"RightPanelWidth", &OptionType::RightPanelWidth, 360},
    {"FormWidth", &OptionType::FormWidth, 638},
    {"FormHeight", &OptionType::FormHeight, 480},
    {"GridHeight", &OptionType::GridHeight, 144},
};
const QString WindowMaxKey = QStringLiteral("WindowMax");
const QString DataDirKey = QStringLiteral("DataDir");
const QString EmailerKey = QStringLiteral("WhichEmailer");
constexpr int EmailerDefault = 1;

QString Key(const char* name)
{
    return QString::fromLatin1(name);
}

} // namespace

OptionType::OptionType(const QString& iniPath)
    : IniFolder(QFileInfo(iniPath).absolutePath()), m_iniPath(iniPath)
{}

bool OptionType::ReadAll()
{
    IniFile file;
    const bool readable = file.Load(m_iniPath);
    BookName = file.ReadString(BookSection, BookKey, BookDefault);
    ReadFieldLists(file);
    ReadFonts(file);
    ReadMiscOptions(file);
    return readable;
}

void OptionType::ReadFieldLists(const IniFile& file)
{
    FieldsList = file.ReadSection(FieldsSection);
    SearchableFieldsList = file.ReadSection(SearchableSection);
    CheckedFieldsList = file.ReadSection(CheckedSection);
    // The searchable list is never written back, so a file written by this program still
    // lacks it; the installed lists stand in for whatever the file lacks. The export choice
    // is matched line by line with FieldsList, so it only comes along with that list.
    if (!FieldsList.isEmpty() && !SearchableFieldsList.isEmpty())
        return;
    IniFile defaults;
    if (!defaults.Load(m_defaultsPath))
        return;
    if (FieldsList.isEmpty()) {
        FieldsList = defaults.ReadSection(FieldsSection);
        CheckedFieldsList = defaults.ReadSection(CheckedSection);
    }
    if (SearchableFieldsList.isEmpty())
        SearchableFieldsList = defaults.ReadSection(SearchableSection);
}

void OptionType::ReadFonts(const IniFile& file)
{
    for (const FontKeys& font : Fonts) {
        this->*font.fontName = file.ReadString(FontsSection, Key(font.name), FontDefault);
        this->*font.fontColor = file.ReadInteger(FontsSection, Key(font.color), FontColorDefault);
        this->*font.fontSize = file.ReadInteger(FontsSection, Key(font.size), FontSizeDefault);
    }
}

void OptionType::ReadMiscOptions(const IniFile& file)
{
    for (const FlagKey& flag : Flags)
        this->*flag.flag = file.ReadBool(MiscSection, Key(flag.key), flag.def);
    DataDir = file.ReadString(MiscSection, DataDirKey, QString());
    SetEmailer(file.ReadInteger(MiscSection, EmailerKey, EmailerDefault));
    for (const SizeKey& size : Sizes)
        this->*size.size = ToSaveSize ? file.ReadInteger(MiscSection, Key(size.key), size.def) : 0;
    WindowMax = ToSaveSize && file.ReadBool(MiscSection, WindowMaxKey, false);
}

bool OptionType::WriteAll() const
{
    IniFile file;
    // A file that exists but cannot be read is not replaced: its other sections would be lost.
    if (!file.Load(m_iniPath))
        return false;

    file.WriteString(BookSection, BookKey, BookName);
    for (const KeyValue& line : FieldsList)
        file.WriteString(FieldsSection, line.key, line.value);
    for (const KeyValue& line : CheckedFieldsList)
        file.WriteString(CheckedSection, line.key, line.value);

    for (const FontKeys& font : Fonts) {
        file.WriteString(FontsSection, Key(font.name), this->*font.fontName);
        file.WriteInteger(FontsSection, Key(font.color), this->*font.fontColor);
        file.WriteInteger(FontsSection, Key(font.size), this->*font.fontSize);
    }

    for (const FlagKey& flag : Flags)
        file.WriteBool(MiscSection, Key(flag.key), this->*flag.flag);
    file.WriteString(MiscSection, DataDirKey, DataDir);
    file.WriteInteger(MiscSection, EmailerKey, m_whichEmailer);
    if (ToSaveSize) {
        for (const SizeKey& size : Sizes)
            file.WriteInteger(MiscSection, Key(size.key), this->*size.size);
        file.WriteBool(MiscSection, WindowMaxKey, WindowMax);
    }
    return file.Save(m_iniPath);
}

bool OptionType::WriteBookName() const
{
    IniFile file;
    if (!file.Load(m_iniPath))
        return false;
    file.WriteString(BookSection, BookKey, BookName);
    return file.Save(m_iniPath);
}

QString OptionType::FieldOfLabel(const QString& label) const
{
    const QString folded = FoldAsciiCase(label);
    for (const KeyValue& line : FieldsList) {
        if (FoldAsciiCase(line.value) == folded)
            return line.key;
    }
    return QString();
}

void OptionType::RebuildFieldNames()
{
    FieldNames.clear();
    FieldNames.reserve(FieldsList.size());
    for (const KeyValue& line : FieldsList)
        FieldNames.append(line.key);
}

void OptionType::SetEmailer(int which)
{
    m_whichEmailer = which;
    if (m_emailerListener)
        m_emailerListener(which);
}

void OptionType::SetEmailerListener(std::function<void(int)> listener)
{
    m_emailerListener = std::move(listener);
}

void OptionType::SetDefaultsPath(const QString& path)
{
    m_defaultsPath = path;
}

bool OptionType::HasSection(const QString& section) const
{
    IniFile file;
    file.Load(m_iniPath);
    return file.HasSection(section);
}

QString OptionType::ReadString(const QString& section, const QString& key, const QString& def) const
{
    IniFile file;
    file.Load(m_iniPath);
    return file.ReadString(section, key, def);
}

KeyValueList OptionType::ReadSection(const QString& section) const
{
    IniFile file;
    file.Load(m_iniPath);
    return file.ReadSection(section);
}

bool OptionType::EraseSection(const QString& section) const
{
    if (!QFile::exists(m_iniPath))
        return true;
    IniFile file;
    if (!file.Load(m_iniPath))
        return false;
    file.EraseSection(section);
    return file.Save(m_iniPath);
}
