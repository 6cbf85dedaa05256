// Field definitions of a table: name, type and text size, and the ordered list of them
// with lookup by name without regard to letter case.
#pragma once

#include <QHash>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

enum class FieldType
{
    Integer,
    Text,
    Memo,
    Date,
    Boolean
};

// The type's name in table files: "integer", "text", "memo", "date", "boolean".
QString FieldTypeName(FieldType type);
std::optional<FieldType> FieldTypeFromName(QStringView name);

struct FieldDef
{
    QString name;
    FieldType type = FieldType::Text;
    int size = 0; // text size in width units; 0 for other types

    bool operator==(const FieldDef&) const = default;
};

// Folds a to z only, the one case change names and filters know.
QString FoldAsciiCase(QStringView text);

class FieldList
{
public:
    FieldList() = default;
    FieldList(std::initializer_list<FieldDef> defs);
    explicit FieldList(std::vector<FieldDef> defs);

    int Count() const { return int(m_defs.size()); }
    const FieldDef& At(int index) const { return m_defs[size_t(index)]; }
    // Position of the named field, or -1; "SurName" and "Surname" name the same field.
    int IndexOf(QStringView name) const;
    QStringList Names() const;
    const std::vector<FieldDef>& Defs() const { return m_defs; }

    bool operator==(const FieldList& other) const { return m_defs == other.m_defs; }

private:
    std::vector<FieldDef> m_defs;
    QHash<QString, int> m_byFoldedName;
};
