// Field definitions and their case-insensitive lookup.
#include "storage/FieldDef.h"

namespace {

struct TypeName
{
    FieldType type;
    const char* name;
};

constexpr TypeName kTypeNames[] = {
    {FieldType::Integer, "integer"}, {FieldType::Text, "text"},       {FieldType::Memo, "memo"},
    {FieldType::Date, "date"},       {FieldType::Boolean, "boolean"},
};

} // namespace

QString FieldTypeName(FieldType type)
{
    for (const auto& entry : kTypeNames)
        if (entry.type == type)
            return QString::fromLatin1(entry.name);
    return {};
}

std::optional<FieldType> FieldTypeFromName(QStringView name)
{
    for (const auto& entry : kTypeNames)
        if (name == QLatin1String(entry.name))
            return entry.type;
    return std::nullopt;
}

QString FoldAsciiCase(QStringView text)
{
    QString folded = text.toString();
    for (QChar& c : folded)
        if (c >= u'A' && c <= u'Z')
            c = QChar(c.unicode() + (u'a' - u'A'));
    return folded;
}

FieldList::FieldList(std::initializer_list<FieldDef> defs) : FieldList(std::vector<FieldDef>(defs))
{}

FieldList::FieldList(std::vector<FieldDef> defs) : m_defs(std::move(defs))
{
    for (int i = 0; i < Count(); ++i)
        m_byFoldedName.insert(FoldAsciiCase(m_defs[size_t(i)].name), i);
}

int FieldList::IndexOf(QStringView name) const
{
    return m_byFoldedName.value(FoldAsciiCase(name), -1);
}

QStringList FieldList::Names() const
{
    QStringList names;
    names.reserve(Count());
    for (const auto& def : m_defs)
        names << def.name;
    return names;
}
