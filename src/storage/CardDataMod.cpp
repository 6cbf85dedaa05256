// The data module: table definitions, view settings and the org-following handler.
#include "storage/CardDataMod.h"

namespace {

FieldDef Text(const char* name, int size)
{
    return {QString::fromLatin1(name), FieldType::Text, size};
}

FieldDef Of(const char* name, FieldType type)
{
    return {QString::fromLatin1(name), type, 0};
}

} // namespace

FieldList TCardData::NameTableFields()
{
    return {
        Of("ClientID", FieldType::Integer),
        Text("Name", 50),
        Text("SurName", 30),
        Text("MidName", 10),
        Text("GivenName", 30),
        Text("Position", 50),
        Text("Address", 255),
        Text("Zip", 10),
        Text("EMail", 100),
        Text("Phone", 100),
        Text("Fax", 50),
        Text("Mobile", 30),
        Text("Pager", 30),
        Of("Birthday", FieldType::Date),
        Of("Memo", FieldType::Memo),
        Of("Update", FieldType::Date),
        Of("OrgID", FieldType::Integer),
        Of("Cardtemplete", FieldType::Integer),
        Of("Group1", FieldType::Integer),
        Of("Group2", FieldType::Integer),
        Of("Group3", FieldType::Integer),
        Of("Group4", FieldType::Integer),
        Text("ICQ", 50),
        Of("Searched", FieldType::Boolean),
        Text("DPhone", 80),
        Text("URL", 80),
        Of("Yellow", FieldType::Boolean),
        Of("NID", FieldType::Integer),
        Text("CID", 50),
    };
}

FieldList TCardData::AgentTableFields()
{
    return {
        Of("CoID", FieldType::Integer),
        Text("Company", 100),
        Text("CAddress", 255),
        Text("CZip", 10),
        Text("CPhone", 100),
        Text("CFax", 50),
        Text("CEMail", 100),
        Of("CMemo", FieldType::Memo),
        Of("CUpdate", FieldType::Date),
        Text("CURL", 100),
    };
}

TCardData::TCardData()
{
    for (TableView* view : {&NameReadDataSet, &NameDataSet}) {
        view->AddIndexDef(QStringLiteral("NameIndex"), QStringLiteral("Yellow;Name"));
        view->SetIndexName(QStringLiteral("NameIndex"));
        view->SetFiltered(true);
        view->SetAfterScroll([this](TableView&) { NameDataSetAfterScroll(); });
    }
    for (TableView* view : {&AgentReadDataSet, &AgentDataSet}) {
        view->AddIndexDef(QStringLiteral("CompanyID"), QStringLiteral("Company"));
        view->SetIndexName(QStringLiteral("CompanyID"));
        view->SetFiltered(true);
    }
    NameReadDataSet.CreateDataSet(NameTableFields());
    AgentReadDataSet.CreateDataSet(AgentTableFields());
    MakeWorkingViews();
}

void TCardData::MakeWorkingViews()
{
    NameDataSet.MakeViewFrom(NameReadDataSet, true);
    AgentDataSet.MakeViewFrom(AgentReadDataSet, true);
}

void TCardData::MakeLookupViews()
{
    NameLookDataset.MakeViewFrom(NameReadDataSet, false);
    NameLookDataSet2.MakeViewFrom(NameReadDataSet, false);
    AgentLookDataSet.MakeViewFrom(AgentReadDataSet, false);
}

void TCardData::MakePrintViews()
{
    NamePrDataset.MakeViewFrom(NameDataSet, false);
    AgentPrDataset.MakeViewFrom(AgentDataSet, false);
}

void TCardData::NameDataSetAfterScroll()
{
    const int orgField = NameDataSet.FieldIndex(u"OrgID");
    if (orgField < 0 || AgentDataSet.FieldIndex(u"CoID") < 0)
        return;
    const QVariant orgId = NameDataSet.FieldByName(u"OrgID").Value();
    if (orgId.isValid() && AgentDataSet.Locate(u"CoID", orgId))
        return;
    AgentDataSet.Locate(u"CoID", 0);
}
