// A small book for the edit window tests, built in code: three orgs (the default one among
// them), two entries and the sample category tree, with the edit model attached as after a
// book load, and helpers that read what the tables hold.
#pragma once

#include <QVariant>
#include <optional>
#include <ostream>

#include "editing/UEditMT.h"
#include "storage/CardDataMod.h"
#include "support/TreeShape.h"

struct EditBook
{
    static constexpr int kAcme = 2001;
    static constexpr int kGlobex = 2002;

    TCardData data;
    CTreeMT tree;
    SampleTree nodes;
    CEditMT model;

    EditBook()
    {
        nodes = MakeSampleTree(tree);
        AddOrg(0, QStringLiteral("Unknown Org"));
        AddOrg(kAcme, QStringLiteral("Acme"));
        AddOrg(kGlobex, QStringLiteral("Globex"));
        AddEntry(2001, QStringLiteral("Anna Smith"), QStringLiteral("Smith"),
                 QStringLiteral("Anna"), kAcme, nodes.family->Number());
        AddEntry(2002, QStringLiteral("Bob Jones"), QStringLiteral("Jones"), QStringLiteral("Bob"),
                 0, CTreeMT::RootNumber);
        data.MakeLookupViews();
        data.NameDataSet.First();
        model.SetTree(tree);
        model.AttachEntryTable(data.NameDataSet);
        model.AttachOrgTable(data.AgentDataSet);
        model.RebuildInitials();
    }

    void AddOrg(int id, const QString& company)
    {
        TableView& orgs = data.AgentDataSet;
        orgs.Append();
        orgs.FieldByName(u"CoID").SetValue(id);
        orgs.FieldByName(u"Company").SetValue(company);
        orgs.Post();
    }

    void AddEntry(int id, const QString& name, const QString& surname, const QString& given,
                  int org, int group1)
    {
        TableView& entries = data.NameDataSet;
        entries.Append();
        entries.FieldByName(u"ClientID").SetValue(id);
        entries.FieldByName(u"Name").SetValue(name);
        entries.FieldByName(u"SurName").SetValue(surname);
        entries.FieldByName(u"GivenName").SetValue(given);
        entries.FieldByName(u"OrgID").SetValue(org);
        entries.FieldByName(u"Yellow").SetValue(false);
        entries.FieldByName(u"Group1").SetValue(group1);
        for (const char16_t* slot : {u"Group2", u"Group3", u"Group4"})
            entries.FieldByName(slot).SetValue(CTreeMT::RootNumber);
        entries.Post();
    }

    // The 1-based row of the listed entry with that name, for EditEntry.
    int RowOf(const QString& name)
    {
        TableView& entries = data.NameDataSet;
        const int field = entries.FieldIndex(u"Name");
        for (int row = 0; row < entries.RecordCount(); ++row)
            if (entries.RowRecord(row)[size_t(field)].Text() == name)
                return row + 1;
        return 0;
    }

    int EntryCount() const { return data.NameDataSet.Store()->LiveCount(); }
    int OrgCount() const { return data.AgentDataSet.Store()->LiveCount(); }

    // A field of the stored entry (or org) whose key field holds the value; nothing when no
    // such record is stored.
    static std::optional<QVariant> Stored(const TableView& table, QStringView key,
                                          const QVariant& value, QStringView field)
    {
        const RecordStore& store = *table.Store();
        const int keyField = store.Fields().IndexOf(key);
        const int valueField = store.Fields().IndexOf(field);
        const FieldType type = store.Fields().At(valueField).type;
        for (RecordIndex i = 0; i < store.SlotCount(); ++i) {
            if (!store.IsLive(i))
                continue;
            const QVariant keyValue =
                store.At(i)[size_t(keyField)].ToVariant(store.Fields().At(keyField).type);
            if (keyValue == value)
                return store.At(i)[size_t(valueField)].ToVariant(type);
        }
        return std::nullopt;
    }
    std::optional<QVariant> Entry(const QString& name, QStringView field) const
    {
        return Stored(data.NameDataSet, u"Name", name, field);
    }
    std::optional<QVariant> Org(const QString& company, QStringView field) const
    {
        return Stored(data.AgentDataSet, u"Company", company, field);
    }
};

// Readable failure messages for texts and values.
inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}
inline void PrintTo(const QVariant& value, std::ostream* out)
{
    *out << (value.isValid() ? value.toString().toStdString() : std::string("(null)"));
}
