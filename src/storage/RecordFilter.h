// The filter expression language of the table views: comparisons of a field with a
// number, a quoted text, a prefix ("text*"), true or false, LIKE with "%", Month(f) and
// Day(f), joined by not/and/or and parentheses. Parsed once, evaluated per record.
#pragma once

#include <QString>
#include <QStringList>
#include <vector>

#include "storage/Cell.h"
#include "storage/FieldDef.h"

class RecordFilter
{
public:
    // The empty filter: matches every record.
    RecordFilter() = default;
    // Parses the expression against the table's fields; throws DatabaseError when the
    // text does not parse or names an unknown field. Blank text matches every record.
    static RecordFilter Parse(QStringView text, const FieldList& fields);
    // A value as a constant of the language: in single quotes, inner ones doubled.
    static QString Quoted(QStringView value);

    bool MatchesAll() const { return m_nodes.empty(); }
    // The fields whose text the filter reads, for scans that fetch it ahead.
    const std::vector<int>& TextFields() const { return m_textFields; }
    // Text comparisons ignore a-z case only while caseInsensitive is set.
    bool Matches(RecordView record, bool caseInsensitive) const;

    enum class Op
    {
        Or,
        And,
        Not,
        NumberEquals,
        NumberIn,
        TextEquals,
        TextPrefix,
        Like,
        MonthEquals,
        DayEquals
    };
    struct Node
    {
        Op op = Op::Or;
        int field = -1;              // compared field
        std::vector<int> operands;   // of or, and, not
        qint64 number = 0;           // NumberEquals, MonthEquals, DayEquals
        std::vector<qint64> numbers; // NumberIn, sorted: a chain of "f=n OR f=m ..."
        QString text;                // TextEquals, TextPrefix (without the "*"), Like
        QString folded;              // text with a-z folded, for the case-insensitive option
        QStringList parts;           // Like: the pattern split at its "%" signs
        QStringList foldedParts;     // the same, a-z folded
    };

private:
    friend class FilterParser;
    bool Eval(int node, RecordView record, bool caseInsensitive) const;

    std::vector<Node> m_nodes;
    std::vector<int> m_textFields;
    int m_root = -1;
};
