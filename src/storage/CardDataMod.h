// The data module TCardData: the Name table of entries and the Agent table of orgs, the
// nine views over them with their settings, and the handler that keeps the org view on
// the current entry's org.
#pragma once

#include "storage/TableView.h"

class TCardData
{
public:
    TCardData();
    TCardData(const TCardData&) = delete;
    TCardData& operator=(const TCardData&) = delete;

    // Field definitions of the two tables, in table order.
    static FieldList NameTableFields();
    static FieldList AgentTableFields();

    // After the table files were loaded into the reading copies: the working views onto
    // their stores, each keeping its own settings.
    void MakeWorkingViews();
    // The lookup views onto the stores, each taking over the reading copy's settings.
    void MakeLookupViews();
    // The print views from the working views, taking over their settings.
    void MakePrintViews();

    // Keeps AgentDataSet on the org of NameDataSet's current entry, else on the default
    // org (CoID 0), else where it is.
    void NameDataSetAfterScroll();

    TableView NameReadDataSet{QStringLiteral("NameReadDataSet")};
    TableView NameDataSet{QStringLiteral("NameDataSet")};
    TableView NameLookDataset{QStringLiteral("NameLookDataset")};
    TableView NameLookDataSet2{QStringLiteral("NameLookDataSet2")};
    TableView NamePrDataset{QStringLiteral("NamePrDataset")};
    TableView AgentReadDataSet{QStringLiteral("AgentReadDataSet")};
    TableView AgentDataSet{QStringLiteral("AgentDataSet")};
    TableView AgentLookDataSet{QStringLiteral("AgentLookDataSet")};
    TableView AgentPrDataset{QStringLiteral("AgentPrDataset")};
};
