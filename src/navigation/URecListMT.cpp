// The entry list model: the filter of each listing, the surname initial rule, the sorted
// initials list and the initial grid's layout.
#include "navigation/URecListMT.h"

#include <QSet>

#include <algorithm>
#include <numeric>

#include "storage/Collation.h"
#include "storage/FieldDef.h"
#include "storage/TableView.h"

namespace {

bool IsBlank(QStringView text)
{
    return std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() <= u' '; });
}

// The first character of a non-blank surname as a code point, a to z upper-cased.
char32_t InitialCodePoint(QStringView surname)
{
    char32_t first = surname.front().unicode();
    if (QChar::isHighSurrogate(first) && surname.size() > 1 && surname[1].isLowSurrogate())
        first = QChar::surrogateToUcs4(surname[0], surname[1]);
    if (first >= U'a' && first <= U'z')
        first -= U'a' - U'A';
    return first;
}

// The initials are shown in the order of the user's locale, like the names in the list.
const Collation& InitialOrder()
{
    static const Collation collation;
    return collation;
}

// Orders folded initials: by the locale's collation, and where it sees no difference, by
// code unit, so that only equal folded texts count as the same initial.
bool KeyLess(const QString& a, const QString& b)
{
    const int order = InitialOrder().Compare(a, b);
    if (order != 0)
        return order < 0;
    return a < b;
}

// Keeps the view's displays quiet while its filter settings change, so that they are told
// once, and leaves the filtered switch on whatever happened.
class FilterChange
{
public:
    explicit FilterChange(TableView& view) : m_view(view) { m_view.DisableControls(); }
    ~FilterChange()
    {
        m_view.SetFiltered(true);
        m_view.EnableControls();
    }
    FilterChange(const FilterChange&) = delete;
    FilterChange& operator=(const FilterChange&) = delete;

private:
    TableView& m_view;
};

} // namespace

void CRecListMT::AttachTables(TableView& entries, TableView& orgs)
{
    m_entries = &entries;
    m_orgs = &orgs;
}

bool CRecListMT::ListAll()
{
    return Apply(QString(), false);
}

bool CRecListMT::ListCategory(qint32 category)
{
    return Apply(CategoryFilter(category), false);
}

bool CRecListMT::ListByInitial(const QString& initial, bool includeYellow)
{
    return Apply(InitialFilter(initial, includeYellow), !initial.isEmpty());
}

bool CRecListMT::ListOrgContacts()
{
    return Apply(OrgContactsFilter(), false);
}

bool CRecListMT::RefreshList()
{
    if (!m_entries)
        return false;
    const QString current = m_entries->Filter();
    return Apply(current, false);
}

QString CRecListMT::CategoryFilter(qint32 category)
{
    const QString n = QString::number(category);
    return QStringLiteral("Group1=") + n + QStringLiteral(" OR Group2=") + n +
           QStringLiteral(" OR Group3=") + n + QStringLiteral(" OR Group4=") + n;
}

QString CRecListMT::InitialFilter(const QString& initial, bool includeYellow)
{
    if (initial.isEmpty())
        return includeYellow ? QString() : QStringLiteral("not (Yellow=true)");
    QString filter = QStringLiteral("Surname=") + RecordFilter::Quoted(initial + u'*');
    if (!includeYellow)
        filter += QStringLiteral(" and (not (Yellow=true))");
    return filter;
}

bool CRecListMT::Apply(const QString& filter, bool setCaseInsensitive)
{
    if (!m_entries)
        return false;
    TableView& view = *m_entries;
    FilterChange change(view);
    // The option stays set for later listings: only the initial listings change it. With the
    // filter off meanwhile, the rows are filtered once, with the final settings.
    if (setCaseInsensitive && !view.FilterCaseInsensitive()) {
        view.SetFiltered(false);
        view.SetFilterCaseInsensitive(true);
    }
    view.SetFilter(filter);
    return true;
}

QString SurnameInitial(QStringView surname)
{
    if (IsBlank(surname))
        return {};
    const char32_t first = InitialCodePoint(surname);
    return QString::fromUcs4(&first, 1);
}

void SurnameInitials::Clear()
{
    m_list.clear();
    m_keys.clear();
    m_hasYellowEntries = false;
}

bool SurnameInitials::Rebuild(const TableView& entries)
{
    Clear();
    const RecordStore& store = *entries.Store();
    const int surnameField = store.Fields().IndexOf(u"SurName");
    const int yellowField = store.Fields().IndexOf(u"Yellow");
    if (surnameField < 0)
        return true;

    // The records are read straight from the store, so the listing the user sees is not
    // disturbed, and the initials are gathered as code points before any text is made.
    QSet<char32_t> initials;
    const RecordIndex slotCount = store.SlotCount();
    for (RecordIndex index = 0; index < slotCount; ++index) {
        if (!store.IsLive(index))
            continue;
        const RecordView record = store.At(index);
        if (yellowField >= 0 && record[size_t(yellowField)].Number() != 0) {
            m_hasYellowEntries = true;
            continue;
        }
        const QStringView surname = record[size_t(surnameField)].Text();
        if (!IsBlank(surname))
            initials.insert(InitialCodePoint(surname));
    }

    std::vector<char32_t> points(initials.begin(), initials.end());
    QStringList keys;
    keys.reserve(qsizetype(points.size()));
    for (char32_t point : points)
        keys << FoldAsciiCase(QString::fromUcs4(&point, 1));
    std::vector<size_t> order(points.size());
    std::iota(order.begin(), order.end(), size_t(0));
    std::sort(order.begin(), order.end(),
              [&](size_t a, size_t b) { return KeyLess(keys[qsizetype(a)], keys[qsizetype(b)]); });
    m_list.reserve(qsizetype(points.size()));
    m_keys.reserve(qsizetype(points.size()));
    for (size_t i : order) {
        m_list << QString::fromUcs4(&points[i], 1);
        m_keys << keys[qsizetype(i)];
    }
    return true;
}

bool SurnameInitials::Add(const QString& initial)
{
    if (initial.isEmpty())
        return false;
    const QString key = FoldAsciiCase(initial);
    const auto at = std::lower_bound(m_keys.begin(), m_keys.end(), key, KeyLess);
    if (at != m_keys.end() && *at == key)
        return false;
    const qsizetype position = at - m_keys.begin();
    m_keys.insert(position, key);
    m_list.insert(position, initial);
    return true;
}

int SurnameGridColumns(int leftPanelWidth, int defaultColumnWidth)
{
    constexpr int kMinimum = 4;
    if (defaultColumnWidth <= 0)
        return kMinimum;
    return std::max(kMinimum, (leftPanelWidth - 22) / defaultColumnWidth);
}

SurnameGridLayout LayOutSurnameGrid(const QStringList& initials, int columns)
{
    SurnameGridLayout layout;
    layout.columns = std::max(1, columns);
    // The tree cell and the initials fill whole rows but the last, which holds at least one
    // of them.
    const int filled = int(initials.size()) + 1;
    layout.rows = (filled + layout.columns - 1) / layout.columns;
    layout.cells.assign(size_t(layout.rows) * size_t(layout.columns), QString());
    for (int i = 0; i < int(initials.size()); ++i)
        layout.cells[size_t(i) + 1] = initials[i];
    return layout;
}
