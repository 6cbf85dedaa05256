// The profile-file form on top of SimpleIni: case-insensitive names (a to z only, which is
// what CSimpleIniA compares), one value per key, UTF-8, "key=value" without blanks.
#include "storage/IniFile.h"

#include <QFile>
#include <QSaveFile>

// The installed SimpleIni is compiled, in its own library, with the ICU converter; the header
// must be seen with the same one. Text stays UTF-8 bytes here, so no conversion takes place.
#define SI_CONVERT_ICU
#include <SimpleIni.h>

#include <cstdint>
#include <limits>
#include <string>

namespace {

// A line break inside a written name or value would start a new line of the file and so
// forge other keys or sections; the profile form has no escape for it.
QByteArray OneLine(const QString& text)
{
    QString line = text;
    line.replace(QLatin1Char('\r'), QLatin1Char(' '));
    line.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return line.toUtf8();
}

bool IsBlank(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t');
}

} // namespace

struct IniFile::Impl
{
    Impl() : ini(/*a_bIsUtf8=*/true, /*a_bMultiKey=*/false, /*a_bMultiLine=*/false)
    {
        ini.SetSpaces(false);
    }

    const char* Value(const QString& section, const QString& key) const
    {
        return ini.GetValue(section.toUtf8().constData(), key.toUtf8().constData(), nullptr);
    }

    CSimpleIniA ini;
};

IniFile::IniFile() : m_impl(std::make_unique<Impl>()) {}
IniFile::~IniFile() = default;
IniFile::IniFile(IniFile&&) noexcept = default;
IniFile& IniFile::operator=(IniFile&&) noexcept = default;

bool IniFile::Load(const QString& path)
{
    m_impl->ini.Reset();
    QFile file(path);
    if (!file.exists())
        return true;
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray text = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return false;
    LoadText(text);
    return true;
}

void IniFile::LoadText(const QByteArray& text)
{
    m_impl->ini.Reset();
    // LoadData skips the UTF-8 byte-order mark itself.
    m_impl->ini.LoadData(text.constData(), static_cast<size_t>(text.size()));
}

QByteArray IniFile::Text() const
{
    std::string out;
    m_impl->ini.Save(out, /*a_bAddSignature=*/false);
    return QByteArray::fromStdString(out);
}

bool IniFile::Save(const QString& path) const
{
    const QByteArray text = Text();
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (file.write(text) != text.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

bool IniFile::HasSection(const QString& section) const
{
    return m_impl->ini.GetSectionSize(section.toUtf8().constData()) > 0;
}

KeyValueList IniFile::ReadSection(const QString& section) const
{
    const QByteArray name = section.toUtf8();
    CSimpleIniA::TNamesDepend keys;
    m_impl->ini.GetAllKeys(name.constData(), keys);
    keys.sort(CSimpleIniA::Entry::LoadOrder());

    KeyValueList lines;
    lines.reserve(static_cast<qsizetype>(keys.size()));
    for (const auto& key : keys) {
        const char* value = m_impl->ini.GetValue(name.constData(), key.pItem, "");
        lines.append({QString::fromUtf8(key.pItem), QString::fromUtf8(value)});
    }
    return lines;
}

QString IniFile::ReadString(const QString& section, const QString& key, const QString& def) const
{
    const char* value = m_impl->Value(section, key);
    return value ? QString::fromUtf8(value) : def;
}

int IniFile::ReadInteger(const QString& section, const QString& key, int def) const
{
    const char* value = m_impl->Value(section, key);
    if (!value)
        return def;
    return ParseInteger(QString::fromUtf8(value)).value_or(def);
}

bool IniFile::ReadBool(const QString& section, const QString& key, bool def) const
{
    const char* value = m_impl->Value(section, key);
    if (!value)
        return def;
    const std::optional<int> number = ParseInteger(QString::fromUtf8(value));
    return number ? *number != 0 : def;
}

void IniFile::WriteString(const QString& section, const QString& key, const QString& value)
{
    const QByteArray name = OneLine(section);
    const QByteArray item = OneLine(key);
    if (name.isEmpty() || item.isEmpty())
        return;
    m_impl->ini.SetValue(name.constData(), item.constData(), OneLine(value).constData());
}

void IniFile::WriteInteger(const QString& section, const QString& key, int value)
{
    WriteString(section, key, QString::number(value));
}

void IniFile::WriteBool(const QString& section, const QString& key, bool value)
{
    WriteString(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

void IniFile::EraseSection(const QString& section)
{
    m_impl->ini.Delete(section.toUtf8().constData(), nullptr);
}

std::optional<int> IniFile::ParseInteger(QStringView text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && IsBlank(text[begin]))
        ++begin;
    while (end > begin && IsBlank(text[end - 1]))
        --end;

    bool negative = false;
    if (begin < end && (text[begin] == QLatin1Char('-') || text[begin] == QLatin1Char('+'))) {
        negative = text[begin] == QLatin1Char('-');
        ++begin;
    }
    if (begin == end)
        return std::nullopt;

    // Accumulated as a magnitude, so that the lowest 32-bit value is accepted too.
    constexpr std::int64_t limit = std::int64_t{std::numeric_limits<int>::max()} + 1;
    std::int64_t magnitude = 0;
    for (qsizetype i = begin; i < end; ++i) {
        const char16_t c = text[i].unicode();
        if (c < u'0' || c > u'9')
            return std::nullopt;
        magnitude = magnitude * 10 + (c - u'0');
        if (magnitude > limit)
            return std::nullopt;
    }
    if (!negative && magnitude == limit)
        return std::nullopt;
    return static_cast<int>(negative ? -magnitude : magnitude);
}
