// One stored field value in eight bytes: integers, booleans and dates (as Julian days)
// inline, text as a shared immutable block, and no value at all (null).
#pragma once

#include <QDate>
#include <QStringView>
#include <QVariant>
#include <cstdint>
#include <span>
#include <vector>

#include "storage/FieldDef.h"

class Cell
{
public:
    Cell() = default;
    Cell(const Cell& other);
    Cell(Cell&& other) noexcept : m_bits(other.m_bits) { other.m_bits = 0; }
    Cell& operator=(const Cell& other);
    Cell& operator=(Cell&& other) noexcept;
    ~Cell() { Release(); }

    // Integers, booleans (0 or 1) and dates (Julian day numbers) share the inline form.
    static Cell FromNumber(qint64 value);
    // Empty text is stored as no value, as a cleared text field has none.
    static Cell FromText(QStringView text);
    // A value of the given field type from a QVariant; an invalid or empty variant is null.
    static Cell FromVariant(const QVariant& value, FieldType type);

    bool IsNull() const { return m_bits == 0; }
    bool IsText() const { return m_bits != 0 && (m_bits & 1) == 0; }
    bool IsNumber() const { return (m_bits & 1) != 0; }
    // The inline number; 0 for null or text.
    qint64 Number() const { return IsNumber() ? qint64(m_bits) >> 1 : 0; }
    // The text; empty for null or a number.
    QStringView Text() const;
    // The value as the field type presents it: int, bool, QDate, QString; invalid for null.
    QVariant ToVariant(FieldType type) const;

    bool operator==(const Cell& other) const;
    // Asks the processor to fetch the text's characters ahead of their use in a scan.
    void PrefetchText() const
    {
        if (IsText())
            __builtin_prefetch(reinterpret_cast<const void*>(m_bits));
    }

private:
    struct TextBlock;
    void Release();

    std::uintptr_t m_bits = 0; // 0 null; odd: number << 1 | 1; even: TextBlock*
};

// A record owned on its own (a pending edit, a logged former state)...
using Record = std::vector<Cell>;
// ...and a record as it lies in its store, one cell per field in field order.
using RecordView = std::span<const Cell>;
