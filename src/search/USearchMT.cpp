// The search model CSearchMT: filter expressions built by concatenation, so that a
// continued search can extend whatever filter was built last.
#include "search/USearchMT.h"

#include "storage/TableView.h"

void CSearchMT::SetTables(TableView& entryTable, TableView& orgLookupTable)
{
    m_entryTable = &entryTable;
    m_orgLookup = &orgLookupTable;
}

void CSearchMT::ClearConditions()
{
    m_entryFilter.clear();
    m_orgFilter.clear();
}

QString CSearchMT::Joiner() const
{
    return m_logic == Logic::And ? QStringLiteral(" AND ") : QStringLiteral(" OR ");
}

void CSearchMT::Apply(const QString& filter)
{
    if (!m_entryTable)
        return;
    m_entryTable->SetFilter(filter);
    m_entryTable->SetFiltered(true);
}

namespace {

QString LikeCondition(const QString& field, const QString& text)
{
    return field + QStringLiteral(" LIKE ") +
           RecordFilter::Quoted(QLatin1Char('%') + text + QLatin1Char('%'));
}

} // namespace

bool CSearchMT::Extending() const
{
    return m_continueMode && !m_entryFilter.isEmpty();
}

void CSearchMT::StartEntryFilter(const QString& filter)
{
    m_entryFilter = filter;
    m_orgFilter.clear();
}

void CSearchMT::AddEntryCondition(const QString& field, const QString& text)
{
    const QString condition = LikeCondition(field, text);
    if (Extending())
        m_entryFilter += Joiner() + condition;
    else
        StartEntryFilter(condition);
}

bool CSearchMT::AddOrgCondition(const QString& field, const QString& text, bool caseSensitive)
{
    // The org conditions belong to the entry filter they extend: a search that starts a new
    // entry filter starts a new org filter too, so that orgs found by a search that has
    // since been replaced do not slip into the new result.
    const QString condition = LikeCondition(field, text);
    if (Extending() && !m_orgFilter.isEmpty())
        m_orgFilter += Joiner() + condition;
    else
        m_orgFilter = condition;
    const QString part = MatchingOrgs(caseSensitive);
    if (part.isEmpty()) {
        if (m_logic == Logic::And)
            m_entryFilter = kNoEntries;
        return false;
    }
    if (Extending())
        m_entryFilter += Joiner() + part;
    else
        m_entryFilter = part;
    return true;
}

QString CSearchMT::MatchingOrgs(bool caseSensitive) const
{
    if (!m_orgLookup)
        return {};
    TableView& orgs = *m_orgLookup;
    const int coId = orgs.FieldIndex(u"CoID");
    orgs.SetFiltered(true);
    orgs.SetFilterCaseInsensitive(!caseSensitive);
    orgs.SetFilter(m_orgFilter);
    orgs.First();
    QString part;
    const int count = coId < 0 ? 0 : orgs.RecordCount();
    for (int row = 0; row < count; ++row) {
        part += row == 0 ? QStringLiteral("(OrgID=") : QStringLiteral(" OR OrgID=");
        part += QString::number(orgs.RowRecord(row)[size_t(coId)].Number());
    }
    if (!part.isEmpty())
        part += QLatin1Char(')');
    orgs.SetFiltered(false);
    return part;
}

void CSearchMT::SearchEntryField(const QString& field, const QString& text, bool caseSensitive)
{
    AddEntryCondition(field, text);
    if (m_entryTable)
        m_entryTable->SetFilterCaseInsensitive(!caseSensitive);
    Apply(m_entryFilter);
}

void CSearchMT::SearchOrgField(const QString& field, const QString& text, bool caseSensitive)
{
    // Only a condition joined by OR to an existing filter may find no org and leave the
    // filter as it was; a search of its own that finds no org lists nobody rather than
    // showing the previous result again.
    const bool extending = Extending();
    if (!AddOrgCondition(field, text, caseSensitive) && !extending)
        m_entryFilter = kNoEntries;
    Apply(m_entryFilter);
}

void CSearchMT::ApplySearch()
{
    Apply(m_entryFilter.isEmpty() ? kNoEntries : m_entryFilter);
}

void CSearchMT::FilterByOrg(int orgNumber)
{
    m_continueMode = false;
    StartEntryFilter(QStringLiteral("OrgID=") + QString::number(orgNumber));
    Apply(m_entryFilter);
}

void CSearchMT::FilterByBirthday(int month, int day)
{
    m_continueMode = false;
    StartEntryFilter(QStringLiteral("Month(Birthday)=") + QString::number(month) +
                     QStringLiteral(" AND Day(Birthday)=") + QString::number(day));
    Apply(m_entryFilter);
}

void CSearchMT::FilterByBirthMonth(int month)
{
    m_continueMode = false;
    StartEntryFilter(QStringLiteral("Month(Birthday)=") + QString::number(month));
    Apply(m_entryFilter);
}

void CSearchMT::FilterByName(const QString& name)
{
    m_continueMode = false;
    StartEntryFilter(QStringLiteral("Name=") + RecordFilter::Quoted(name));
    Apply(m_entryFilter);
}

void CSearchMT::FilterByNamePrefix(const QString& prefix)
{
    m_continueMode = false;
    StartEntryFilter(QStringLiteral("Name=") + RecordFilter::Quoted(prefix + QLatin1Char('*')) +
                     QStringLiteral(" and (not (Yellow=true))"));
    if (m_entryTable)
        m_entryTable->SetFilterCaseInsensitive(true);
    Apply(m_entryFilter);
}
