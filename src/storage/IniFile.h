// A settings file in the profile form ("aa.ini", "pt.ini"): [section] lines and key=value lines,
// section and key names compared without regard to letter case, UTF-8 text. The whole file is
// loaded, changed in memory and saved whole, so sections and keys nobody here knows survive.
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringView>

#include <memory>
#include <optional>

// One key=value line of a section.
struct KeyValue
{
    QString key;
    QString value;

    friend bool operator==(const KeyValue&, const KeyValue&) = default;
};
using KeyValueList = QList<KeyValue>;

class IniFile
{
public:
    IniFile();
    ~IniFile();
    IniFile(IniFile&&) noexcept;
    IniFile& operator=(IniFile&&) noexcept;

    // Replaces the content with the file's. A missing file loads as empty and succeeds;
    // false when the file exists but cannot be read (the content is then empty).
    bool Load(const QString& path);
    // Replaces the content with the given text (a UTF-8 byte-order mark is skipped).
    void LoadText(const QByteArray& text);
    // Writes the whole content to the file, replacing it only once it is completely written.
    bool Save(const QString& path) const;
    QByteArray Text() const;

    // Whether the section holds at least one key (an empty "[name]" line counts as absent).
    bool HasSection(const QString& section) const;
    // The lines of a section in file order; empty when the section is absent.
    KeyValueList ReadSection(const QString& section) const;
    QString ReadString(const QString& section, const QString& key, const QString& def) const;
    // A value that is not a whole number in signed decimal gives def.
    int ReadInteger(const QString& section, const QString& key, int def) const;
    // False for 0, true for any other whole number, def for anything else.
    bool ReadBool(const QString& section, const QString& key, bool def) const;

    // Sets a key, keeping its place when it exists and appending it to its section otherwise.
    void WriteString(const QString& section, const QString& key, const QString& value);
    void WriteInteger(const QString& section, const QString& key, int value);
    // Written as "1" or "0".
    void WriteBool(const QString& section, const QString& key, bool value);
    void EraseSection(const QString& section);

    // The whole number of a value: optional blanks and sign, decimal digits, within 32 bits.
    static std::optional<int> ParseInteger(QStringView text);

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};
