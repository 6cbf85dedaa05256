// Address books written for tests: the tables of a data module saved as a package the way
// the program saves a book, with a two-node tree and no compound surnames.
#pragma once

#include <QDir>
#include <QFileInfo>
#include <QString>

#include "storage/BookState.h"
#include "storage/CardDataMod.h"
#include "storage/OptionType.h"
#include "storage/PackageController.h"
#include "support/MemberKeepingHost.h"
#include "support/ScriptedPrompter.h"

// scratch: a folder for the settings and the working files the save needs.
inline bool SaveTestBook(TCardData& data, const QString& path, const QString& scratch)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    OptionType options(scratch + QStringLiteral("/scratch.ini"));
    BookState state;
    state.WorkFolder = scratch + QStringLiteral("/make/");
    MemberKeepingHost host;
    ScriptedPrompter prompter;
    return PackageController(data, options, state, host, prompter).SavePackage(path);
}

// A book of white page entries of these names, each name its own surname, all of the
// default org "Unknown Org".
inline bool SaveNamesBook(const QString& path, const QStringList& names, const QString& scratch)
{
    TCardData data;
    data.AgentDataSet.AppendRecord({0, QStringLiteral("Unknown Org")});
    TableView& entries = data.NameDataSet;
    int id = 2001;
    for (const QString& name : names) {
        QVariantList values(entries.FieldCount());
        values[entries.FieldIndex(u"ClientID")] = id++;
        values[entries.FieldIndex(u"Name")] = name;
        values[entries.FieldIndex(u"SurName")] = name;
        values[entries.FieldIndex(u"OrgID")] = 0;
        entries.AppendRecord(values);
    }
    return SaveTestBook(data, path, scratch);
}
