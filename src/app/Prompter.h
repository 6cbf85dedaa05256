// The controllers' only way to the user: message boxes with fixed buttons, the input
// and password boxes, file choices and the hourglass cursor. The windows answer it with
// real dialogs; tests answer it from a script.
#pragma once

#include <QString>
#include <QStringList>
#include <optional>

class Prompter
{
public:
    enum class Icon
    {
        None,
        Information,
        Warning,
        Confirmation,
        Error
    };
    enum class Buttons
    {
        Ok,
        YesNo,
        YesNoCancel,
        OkAbort
    };
    enum class Answer
    {
        Ok,
        Yes,
        No,
        Cancel,
        Abort
    };

    struct FileChoice
    {
        QString caption;
        QString filter;           // e.g. "QV Package (*.qvp)|*.qvp"
        QString defaultExtension; // without the dot
        QString initialFolder;
        QString fileName;
        bool confirmOverwrite = false;
    };

    virtual ~Prompter() = default;

    virtual Answer Message(const QString& text, Icon icon, Buttons buttons) = 0;
    // The entered text, or nothing when the user cancelled.
    virtual std::optional<QString> Input(const QString& caption, const QString& prompt,
                                         const QString& initial) = 0;
    virtual std::optional<QString> Password(const QString& label) = 0;
    virtual std::optional<QString> OpenFile(const FileChoice& choice) = 0;
    virtual std::optional<QString> SaveFile(const FileChoice& choice) = 0;
    // Shows the hourglass until the matching EndWait; calls nest.
    virtual void BeginWait() = 0;
    virtual void EndWait() = 0;
    // The progress window: a caption and a range, then positions, then closed.
    virtual void BeginProgress(const QString& caption, int minimum, int maximum) = 0;
    virtual void SetProgress(int position) = 0;
    virtual void EndProgress() = 0;

    // A plain message with an OK button.
    void Show(const QString& text) { Message(text, Icon::None, Buttons::Ok); }
};

// Shows the hourglass for the lifetime of the object, so every way out restores the cursor.
class WaitCursor
{
public:
    explicit WaitCursor(Prompter& prompter) : m_prompter(prompter) { m_prompter.BeginWait(); }
    ~WaitCursor() { m_prompter.EndWait(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

private:
    Prompter& m_prompter;
};
