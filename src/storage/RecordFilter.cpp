// Parser and evaluator of the filter expression language.
#include "storage/RecordFilter.h"

#include "storage/DatabaseError.h"

#include <algorithm>

namespace {

enum class Tok
{
    End,
    Ident,
    Number,
    String,
    LParen,
    RParen,
    Equals,
    Minus
};

struct Token
{
    Tok kind = Tok::End;
    QString text; // identifier or unquoted string
    qint64 number = 0;
    qsizetype pos = 0;
};

bool IsIdentStart(QChar c)
{
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || c == u'_';
}

bool IsIdentPart(QChar c)
{
    return IsIdentStart(c) || (c >= u'0' && c <= u'9');
}

bool SameWord(QStringView word, const char* keyword)
{
    return word.compare(QLatin1String(keyword), Qt::CaseInsensitive) == 0;
}

char16_t FoldChar(char16_t c)
{
    return (c >= u'A' && c <= u'Z') ? char16_t(c + (u'a' - u'A')) : c;
}

bool EqualFolded(QStringView value, QStringView folded)
{
    if (value.size() != folded.size())
        return false;
    for (qsizetype i = 0; i < value.size(); ++i)
        if (FoldChar(value[i].unicode()) != folded[i].unicode())
            return false;
    return true;
}

bool StartsWithFolded(QStringView value, QStringView folded)
{
    return value.size() >= folded.size() && EqualFolded(value.first(folded.size()), folded);
}

// Position of `needle` in `hay` at or after `from`, or -1; a-z folded when `fold` is set
// (then `needle` is already folded).
qsizetype Find(QStringView hay, QStringView needle, qsizetype from, bool fold)
{
    if (!fold)
        return hay.indexOf(needle, from, Qt::CaseSensitive);
    if (needle.isEmpty())
        return from <= hay.size() ? from : -1;
    const char16_t first = needle[0].unicode();
    const qsizetype last = hay.size() - needle.size();
    for (qsizetype i = from; i <= last; ++i)
        if (FoldChar(hay[i].unicode()) == first &&
            EqualFolded(hay.sliced(i + 1, needle.size() - 1), needle.sliced(1)))
            return i;
    return -1;
}

bool Equal(QStringView a, QStringView b, bool fold)
{
    return fold ? EqualFolded(a, b) : a == b;
}

// "%" stands for any run of characters, also none; everything else must match in order.
// The pattern comes split at its "%" signs: parts.size() - 1 signs, each standing for
// any run of characters, also none; everything else must match in order.
bool LikeMatches(QStringView value, const QStringList& parts, bool fold)
{
    if (parts.size() == 1)
        return Equal(value, parts.first(), fold);
    const QStringView head = parts.first();
    const QStringView tail = parts.last();
    if (value.size() < head.size() + tail.size())
        return false;
    if (!Equal(value.first(head.size()), head, fold) || !Equal(value.last(tail.size()), tail, fold))
        return false;
    qsizetype pos = head.size();
    const qsizetype end = value.size() - tail.size();
    for (qsizetype i = 1; i + 1 < parts.size(); ++i) {
        if (parts[i].isEmpty())
            continue;
        const qsizetype found = Find(value.first(end), parts[i], pos, fold);
        if (found < 0)
            return false;
        pos = found + parts[i].size();
    }
    return true;
}

} // namespace

class FilterParser
{
public:
    FilterParser(QStringView text, const FieldList& fields, RecordFilter& out)
        : m_text(text), m_fields(fields), m_out(out)
    {
        Advance();
    }

    void Run()
    {
        m_out.m_root = ParseOr();
        if (m_tok.kind != Tok::End)
            Fail(QStringLiteral("unexpected text"));
    }

private:
    [[noreturn]] void Fail(const QString& what) const
    {
        throw DatabaseError(QStringLiteral("Filter expression \"%1\": %2 at position %3")
                                .arg(m_text.toString(), what)
                                .arg(m_tok.pos + 1));
    }

    void Advance()
    {
        while (m_pos < m_text.size() && m_text[m_pos].isSpace())
            ++m_pos;
        m_tok = Token{};
        m_tok.pos = m_pos;
        if (m_pos >= m_text.size())
            return;
        const QChar c = m_text[m_pos];
        if (c == u'(' || c == u')' || c == u'=' || c == u'-') {
            m_tok.kind = c == u'('   ? Tok::LParen
                         : c == u')' ? Tok::RParen
                         : c == u'=' ? Tok::Equals
                                     : Tok::Minus;
            ++m_pos;
        } else if (c.isDigit() && c.unicode() < 128) {
            qsizetype end = m_pos;
            while (end < m_text.size() && m_text[end] >= u'0' && m_text[end] <= u'9')
                ++end;
            bool ok = false;
            m_tok.number = m_text.sliced(m_pos, end - m_pos).toLongLong(&ok);
            if (!ok || m_tok.number > 0x7fffffffLL + 1)
                Fail(QStringLiteral("number out of range"));
            m_tok.kind = Tok::Number;
            m_pos = end;
        } else if (IsIdentStart(c)) {
            qsizetype end = m_pos;
            while (end < m_text.size() && IsIdentPart(m_text[end]))
                ++end;
            m_tok.kind = Tok::Ident;
            m_tok.text = m_text.sliced(m_pos, end - m_pos).toString();
            m_pos = end;
        } else if (c == u'\'') {
            QString value;
            ++m_pos;
            for (;;) {
                if (m_pos >= m_text.size())
                    Fail(QStringLiteral("unterminated quoted text"));
                if (m_text[m_pos] == u'\'') {
                    if (m_pos + 1 < m_text.size() && m_text[m_pos + 1] == u'\'') {
                        value += u'\'';
                        m_pos += 2;
                        continue;
                    }
                    ++m_pos;
                    break;
                }
                value += m_text[m_pos++];
            }
            m_tok.kind = Tok::String;
            m_tok.text = value;
        } else {
            Fail(QStringLiteral("unexpected character '%1'").arg(c));
        }
    }

    bool AtKeyword(const char* keyword) const
    {
        return m_tok.kind == Tok::Ident && SameWord(m_tok.text, keyword);
    }

    using Op = RecordFilter::Op;
    using Node = RecordFilter::Node;

    int Add(Node node)
    {
        m_out.m_nodes.push_back(std::move(node));
        return int(m_out.m_nodes.size()) - 1;
    }

    static Node MakeNode(Op op, int field = -1)
    {
        Node node;
        node.op = op;
        node.field = field;
        return node;
    }

    // Chains of or/and become one node with all operands, so that long chains (a set of
    // orgs) neither nest deeply nor cost a call per level.
    int ParseChain(Op op, const char* keyword, int (FilterParser::*operand)())
    {
        const int first = (this->*operand)();
        if (!AtKeyword(keyword))
            return first;
        Node chain = MakeNode(op);
        chain.operands.push_back(first);
        while (AtKeyword(keyword)) {
            Advance();
            chain.operands.push_back((this->*operand)());
        }
        if (op == Op::Or)
            return AddOrChain(std::move(chain));
        return Add(std::move(chain));
    }

    // "f=1 OR f=2 OR ..." on one number field is a set membership test.
    int AddOrChain(Node chain)
    {
        const Node& head = m_out.m_nodes[size_t(chain.operands.front())];
        bool sameField = true;
        for (int operand : chain.operands) {
            const Node& node = m_out.m_nodes[size_t(operand)];
            sameField = sameField && node.op == Op::NumberEquals && node.field == head.field &&
                        m_fields.At(node.field).type == FieldType::Integer;
        }
        if (!sameField)
            return Add(std::move(chain));
        Node set = MakeNode(Op::NumberIn, head.field);
        for (int operand : chain.operands)
            set.numbers.push_back(m_out.m_nodes[size_t(operand)].number);
        std::sort(set.numbers.begin(), set.numbers.end());
        return Add(std::move(set));
    }

    int ParseOr() { return ParseChain(Op::Or, "or", &FilterParser::ParseAnd); }
    int ParseAnd() { return ParseChain(Op::And, "and", &FilterParser::ParseNot); }

    int ParseNot()
    {
        if (AtKeyword("not")) {
            Advance();
            EnterNesting();
            Node node = MakeNode(Op::Not);
            node.operands.push_back(ParseNot());
            --m_depth;
            return Add(std::move(node));
        }
        return ParsePrimary();
    }

    // Bounds the nesting so that a hostile expression cannot exhaust the stack.
    void EnterNesting()
    {
        if (++m_depth > kMaxDepth)
            Fail(QStringLiteral("expression nested too deeply"));
    }

    int ParsePrimary()
    {
        if (m_tok.kind == Tok::LParen) {
            Advance();
            EnterNesting();
            const int inner = ParseOr();
            --m_depth;
            if (m_tok.kind != Tok::RParen)
                Fail(QStringLiteral("')' expected"));
            Advance();
            return inner;
        }
        if (m_tok.kind != Tok::Ident)
            Fail(QStringLiteral("field name expected"));
        if (AtKeyword("month") || AtKeyword("day"))
            return ParseDatePart();
        const int field = ResolveField();
        if (AtKeyword("like")) {
            Advance();
            if (m_tok.kind != Tok::String)
                Fail(QStringLiteral("quoted pattern expected after LIKE"));
            RequireText(field);
            const QString pattern = m_tok.text;
            Advance();
            Node node = MakeNode(Op::Like, field);
            node.text = pattern;
            node.folded = FoldAsciiCase(pattern);
            node.parts = pattern.split(u'%');
            node.foldedParts = node.folded.split(u'%');
            return Add(std::move(node));
        }
        if (m_tok.kind != Tok::Equals)
            Fail(QStringLiteral("'=' or LIKE expected"));
        Advance();
        return ParseValue(field);
    }

    int ParseDatePart()
    {
        const bool month = AtKeyword("month");
        Advance();
        if (m_tok.kind != Tok::LParen)
            Fail(QStringLiteral("'(' expected"));
        Advance();
        if (m_tok.kind != Tok::Ident)
            Fail(QStringLiteral("field name expected"));
        const int field = ResolveField();
        if (m_fields.At(field).type != FieldType::Date)
            Fail(QStringLiteral("'%1' is not a date field").arg(m_fields.At(field).name));
        if (m_tok.kind != Tok::RParen)
            Fail(QStringLiteral("')' expected"));
        Advance();
        if (m_tok.kind != Tok::Equals)
            Fail(QStringLiteral("'=' expected"));
        Advance();
        const qint64 value = ParseInteger();
        Node node = MakeNode(month ? Op::MonthEquals : Op::DayEquals, field);
        node.number = value;
        return Add(std::move(node));
    }

    int ResolveField()
    {
        const int field = m_fields.IndexOf(m_tok.text);
        if (field < 0)
            Fail(QStringLiteral("unknown field '%1'").arg(m_tok.text));
        Advance();
        return field;
    }

    void RequireText(int field) const
    {
        const FieldType type = m_fields.At(field).type;
        if (type != FieldType::Text && type != FieldType::Memo)
            Fail(QStringLiteral("'%1' is not a text field").arg(m_fields.At(field).name));
    }

    qint64 ParseInteger()
    {
        bool negative = false;
        if (m_tok.kind == Tok::Minus) {
            negative = true;
            Advance();
        }
        if (m_tok.kind != Tok::Number)
            Fail(QStringLiteral("number expected"));
        const qint64 value = negative ? -m_tok.number : m_tok.number;
        if (value > 0x7fffffffLL)
            Fail(QStringLiteral("number out of range"));
        Advance();
        return value;
    }

    int ParseValue(int field)
    {
        const FieldType type = m_fields.At(field).type;
        if (m_tok.kind == Tok::End)
            Fail(QStringLiteral("value expected"));
        if (m_tok.kind == Tok::String) {
            RequireText(field);
            QString value = m_tok.text;
            Advance();
            const bool prefix = value.endsWith(u'*');
            if (prefix)
                value.chop(1);
            Node node = MakeNode(prefix ? Op::TextPrefix : Op::TextEquals, field);
            node.folded = FoldAsciiCase(value);
            node.text = std::move(value);
            return Add(std::move(node));
        }
        if (AtKeyword("true") || AtKeyword("false")) {
            if (type != FieldType::Boolean)
                Fail(QStringLiteral("'%1' is not a boolean field").arg(m_fields.At(field).name));
            const bool value = AtKeyword("true");
            Advance();
            Node node = MakeNode(Op::NumberEquals, field);
            node.number = value ? 1 : 0;
            return Add(std::move(node));
        }
        if (type != FieldType::Integer)
            Fail(QStringLiteral("'%1' is not a number field").arg(m_fields.At(field).name));
        Node node = MakeNode(Op::NumberEquals, field);
        node.number = ParseInteger();
        return Add(std::move(node));
    }

    QStringView m_text;
    const FieldList& m_fields;
    RecordFilter& m_out;
    static constexpr int kMaxDepth = 200;

    qsizetype m_pos = 0;
    int m_depth = 0;
    Token m_tok;
};

QString RecordFilter::Quoted(QStringView value)
{
    QString text = value.toString();
    text.replace(u'\'', QStringLiteral("''"));
    return u'\'' + text + u'\'';
}

RecordFilter RecordFilter::Parse(QStringView text, const FieldList& fields)
{
    RecordFilter filter;
    if (text.trimmed().isEmpty())
        return filter;
    FilterParser(text, fields, filter).Run();
    for (const Node& node : filter.m_nodes)
        if ((node.op == Op::TextEquals || node.op == Op::TextPrefix || node.op == Op::Like) &&
            std::find(filter.m_textFields.begin(), filter.m_textFields.end(), node.field) ==
                filter.m_textFields.end())
            filter.m_textFields.push_back(node.field);
    return filter;
}

bool RecordFilter::Matches(RecordView record, bool caseInsensitive) const
{
    return m_root < 0 || Eval(m_root, record, caseInsensitive);
}

bool RecordFilter::Eval(int index, RecordView record, bool fold) const
{
    const Node& node = m_nodes[size_t(index)];
    switch (node.op) {
    case Op::Or:
        for (int operand : node.operands)
            if (Eval(operand, record, fold))
                return true;
        return false;
    case Op::And:
        for (int operand : node.operands)
            if (!Eval(operand, record, fold))
                return false;
        return true;
    case Op::Not:
        return !Eval(node.operands.front(), record, fold);
    default:
        break;
    }
    // A comparison on a field without a value is false.
    const Cell& cell = record[size_t(node.field)];
    if (cell.IsNull())
        return false;
    switch (node.op) {
    case Op::NumberEquals:
        return cell.IsNumber() && cell.Number() == node.number;
    case Op::NumberIn:
        return cell.IsNumber() &&
               std::binary_search(node.numbers.begin(), node.numbers.end(), cell.Number());
    case Op::TextEquals:
        return fold ? EqualFolded(cell.Text(), node.folded) : cell.Text() == node.text;
    case Op::TextPrefix:
        return fold ? StartsWithFolded(cell.Text(), node.folded)
                    : cell.Text().startsWith(node.text);
    case Op::Like:
        return LikeMatches(cell.Text(), fold ? node.foldedParts : node.parts, fold);
    case Op::MonthEquals:
        return QDate::fromJulianDay(cell.Number()).month() == node.number;
    case Op::DayEquals:
        return QDate::fromJulianDay(cell.Number()).day() == node.number;
    default:
        return false;
    }
}
