// A book opened or written by qvtool: the tables, the category tree and the compound
// surname list, loaded and saved through the same package controller as the application,
// with the user's side played by the command line.
#pragma once

#include <QTemporaryDir>
#include <memory>

#include "app/BookMembers.h"
#include "app/Prompter.h"
#include "editing/UEditMT.h"
#include "navigation/Utreemt.h"
#include "storage/BookHost.h"
#include "storage/CardDataMod.h"
#include "storage/OptionType.h"
#include "storage/PackageController.h"

// Answers the password request with the password given on the command line, once: a
// second request means it was wrong. Messages go to the error stream; the first failure
// message is kept for the exit report.
class CommandLinePrompter : public Prompter
{
public:
    explicit CommandLinePrompter(QString password) : m_password(std::move(password)) {}

    Answer Message(const QString& text, Icon icon, Buttons buttons) override;
    std::optional<QString> Input(const QString&, const QString&, const QString&) override
    {
        return {};
    }
    std::optional<QString> Password(const QString& label) override;
    std::optional<QString> OpenFile(const FileChoice&) override { return {}; }
    std::optional<QString> SaveFile(const FileChoice&) override { return {}; }
    void BeginWait() override {}
    void EndWait() override {}
    void BeginProgress(const QString&, int, int) override {}
    void SetProgress(int) override {}
    void EndProgress() override {}

private:
    QString m_password;
    bool m_asked = false;
};

class ToolBook : public BookHost
{
public:
    explicit ToolBook(const QString& password = {});

    // Opens the package; false when it did not open (the reason has been printed).
    bool Open(const QString& path);
    // Writes the package, encrypted with the password given at construction if any.
    bool Save(const QString& path);

    TCardData& Data() { return m_data; }
    CTreeMT& Tree() { return m_tree; }
    OptionType& Options() { return m_options; }
    CEditMT& Edit() { return m_edit; }

    void AttachTables(TCardData& data) override;
    QString LoadMembers(const QString& folder) override;
    QString SaveMembers(const QString& folder) override;
    void BookOpened() override {}
    void BookSaved() override {}
    void PasswordChanged() override {}

private:
    QTemporaryDir m_scratch;
    TCardData m_data;
    CTreeMT m_tree;
    CEditMT m_edit;
    BookMembers m_members{m_tree, m_edit};
    OptionType m_options;
    BookState m_state;
    CommandLinePrompter m_prompter;
    PackageController m_controller;
    QString m_password;
};
