// A BookHost for tests of opening and saving books: it keeps the tree and surname members
// as the book had them, as the tree and edit models do, and records the hand-over calls.
#pragma once

#include <QFile>
#include <QMap>
#include <QStringList>

#include "storage/BookHost.h"
#include "storage/Package.h"

// Keeps the tree and surname members as the book had them, as the tree and edit models do.
class MemberKeepingHost : public BookHost
{
public:
    QMap<QString, QByteArray> members{
        {QStringLiteral("tree.dff"), "All\r\n\tSearch\r\n"},
        {QStringLiteral("treeno.dff"), "1000\r\n101\r\n"},
        {QStringLiteral("surname.dff"), "\xe6\xac\xa7\xe9\x98\xb3\r\n"}};
    QStringList calls;

    void AttachTables(TCardData&) override { calls << QStringLiteral("AttachTables"); }
    QString LoadMembers(const QString& folder) override
    {
        QMap<QString, QByteArray> read;
        for (const QString& name : members.keys()) {
            QFile file(Package::MemberFilePath(folder, name));
            if (!file.open(QIODevice::ReadOnly))
                return QStringLiteral("Cannot open file \"%1\"").arg(file.fileName());
            read.insert(name, file.readAll());
        }
        members = read;
        calls << QStringLiteral("LoadMembers");
        return {};
    }
    QString SaveMembers(const QString& folder) override
    {
        for (auto it = members.cbegin(); it != members.cend(); ++it) {
            QFile file(folder + it.key());
            if (!file.open(QIODevice::WriteOnly) || file.write(it.value()) != it.value().size())
                return QStringLiteral("Cannot write \"%1\"").arg(file.fileName());
        }
        return {};
    }
    void BookOpened() override { calls << QStringLiteral("BookOpened"); }
    void BookSaved() override { calls << QStringLiteral("BookSaved"); }
    void PasswordChanged() override { calls << QStringLiteral("PasswordChanged"); }
};
