// The Prompter of the windows: message boxes, the input box, the password window, the
// open and save file dialogs, the hourglass cursor and the progress window, all modal to
// the main window.
#pragma once

#include "app/Prompter.h"

#include <memory>

class QWidget;
class TPasswordDlg;
class THProgressDialog;

class QtPrompter : public Prompter
{
public:
    explicit QtPrompter(QWidget* parent = nullptr);
    ~QtPrompter() override;

    Answer Message(const QString& text, Icon icon, Buttons buttons) override;
    std::optional<QString> Input(const QString& caption, const QString& prompt,
                                 const QString& initial) override;
    std::optional<QString> Password(const QString& label) override;
    std::optional<QString> OpenFile(const FileChoice& choice) override;
    std::optional<QString> SaveFile(const FileChoice& choice) override;
    void BeginWait() override;
    void EndWait() override;
    void BeginProgress(const QString& caption, int minimum, int maximum) override;
    void SetProgress(int position) override;
    void EndProgress() override;

    // "Description|pattern;pattern|..." as the file dialogs take it:
    // "Description (pattern pattern)", one filter per pair.
    static QStringList ToQtFilters(const QString& filter);

    TPasswordDlg& PasswordDlg() { return *m_passwordDlg; }
    THProgressDialog& ProgressDlg() { return *m_progressDlg; }
    int WaitDepth() const { return m_waitDepth; }

private:
    std::optional<QString> ChooseFile(const FileChoice& choice, bool save);

    QWidget* m_parent;
    std::unique_ptr<TPasswordDlg> m_passwordDlg;
    std::unique_ptr<THProgressDialog> m_progressDlg;
    int m_waitDepth = 0;
};
