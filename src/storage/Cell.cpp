// Cell storage: the inline number encoding and the shared text blocks.
#include "storage/Cell.h"

#include <cstring>
#include <new>

static_assert(sizeof(Cell) == 8, "a cell must stay one machine word");

// A text block is allocated once per distinct stored text and shared by the copies of
// a record that the change log keeps, so copying a record copies no characters.
struct Cell::TextBlock
{
    quint32 refs;
    qint32 size;

    char16_t* Chars() { return reinterpret_cast<char16_t*>(this + 1); }
    const char16_t* Chars() const { return reinterpret_cast<const char16_t*>(this + 1); }
};
// Blocks are at least 2-aligned, which keeps the low bit free to mark inline numbers.
static_assert(alignof(std::max_align_t) >= 2);

Cell::Cell(const Cell& other) : m_bits(other.m_bits)
{
    if (IsText())
        ++reinterpret_cast<TextBlock*>(m_bits)->refs;
}

Cell& Cell::operator=(const Cell& other)
{
    if (this != &other) {
        Cell copy(other);
        *this = std::move(copy);
    }
    return *this;
}

Cell& Cell::operator=(Cell&& other) noexcept
{
    if (this != &other) {
        Release();
        m_bits = other.m_bits;
        other.m_bits = 0;
    }
    return *this;
}

void Cell::Release()
{
    if (IsText()) {
        auto* block = reinterpret_cast<TextBlock*>(m_bits);
        if (--block->refs == 0) {
            block->~TextBlock();
            ::operator delete(block);
        }
    }
    m_bits = 0;
}

Cell Cell::FromNumber(qint64 value)
{
    Cell cell;
    cell.m_bits = std::uintptr_t((quint64(value) << 1) | 1u);
    return cell;
}

Cell Cell::FromText(QStringView text)
{
    Cell cell;
    if (text.isEmpty())
        return cell;
    void* memory = ::operator new(sizeof(TextBlock) + size_t(text.size()) * sizeof(char16_t));
    auto* block = new (memory) TextBlock{1, qint32(text.size())};
    std::memcpy(block->Chars(), text.utf16(), size_t(text.size()) * sizeof(char16_t));
    cell.m_bits = reinterpret_cast<std::uintptr_t>(block);
    return cell;
}

Cell Cell::FromVariant(const QVariant& value, FieldType type)
{
    if (!value.isValid() || value.isNull())
        return {};
    switch (type) {
    case FieldType::Text:
    case FieldType::Memo:
        return FromText(value.toString());
    case FieldType::Integer:
        return FromNumber(value.toInt());
    case FieldType::Boolean:
        return FromNumber(value.toBool() ? 1 : 0);
    case FieldType::Date: {
        const QDate date = value.toDate();
        return date.isValid() ? FromNumber(date.toJulianDay()) : Cell();
    }
    }
    return {};
}

QStringView Cell::Text() const
{
    if (!IsText())
        return {};
    const auto* block = reinterpret_cast<const TextBlock*>(m_bits);
    return QStringView(block->Chars(), block->size);
}

QVariant Cell::ToVariant(FieldType type) const
{
    if (IsNull())
        return {};
    switch (type) {
    case FieldType::Text:
    case FieldType::Memo:
        return Text().toString();
    case FieldType::Integer:
        return int(Number());
    case FieldType::Boolean:
        return Number() != 0;
    case FieldType::Date:
        return QDate::fromJulianDay(Number());
    }
    return {};
}

bool Cell::operator==(const Cell& other) const
{
    if (IsText() && other.IsText())
        return Text() == other.Text();
    return m_bits == other.m_bits;
}
