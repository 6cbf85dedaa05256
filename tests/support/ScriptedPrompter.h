// A Prompter for controller tests: it records everything the user would be shown and
// answers from a script, so every message text and answer path is checked without a display.
#pragma once

#include <QStringList>
#include <deque>
#include <gtest/gtest.h>

#include "app/Prompter.h"

class ScriptedPrompter : public Prompter
{
public:
    struct Shown
    {
        QString text;
        Icon icon;
        Buttons buttons;
    };

    // Answers for the next message boxes, in order; a box without a scripted answer gets
    // the first button (OK or Yes).
    std::deque<Answer> answers;
    // Answers for the next password and input boxes; nullopt cancels.
    std::deque<std::optional<QString>> passwords;
    std::deque<std::optional<QString>> inputs;
    std::deque<std::optional<QString>> files;

    std::vector<Shown> shown;
    QStringList passwordLabels;
    QStringList progressCaptions;
    std::vector<int> progressPositions;
    int waitDepth = 0;
    int maxWaitDepth = 0;
    int progressOpen = 0;

    QStringList Texts() const
    {
        QStringList texts;
        for (const Shown& s : shown)
            texts << s.text;
        return texts;
    }

    Answer Message(const QString& text, Icon icon, Buttons buttons) override
    {
        shown.push_back({text, icon, buttons});
        if (!answers.empty()) {
            const Answer answer = answers.front();
            answers.pop_front();
            return answer;
        }
        return buttons == Buttons::YesNo || buttons == Buttons::YesNoCancel ? Answer::Yes
                                                                            : Answer::Ok;
    }
    std::optional<QString> Input(const QString&, const QString&, const QString&) override
    {
        return Next(inputs);
    }
    std::optional<QString> Password(const QString& label) override
    {
        passwordLabels << label;
        return Next(passwords);
    }
    std::optional<QString> OpenFile(const FileChoice&) override { return Next(files); }
    std::optional<QString> SaveFile(const FileChoice&) override { return Next(files); }
    void BeginWait() override { maxWaitDepth = std::max(maxWaitDepth, ++waitDepth); }
    void EndWait() override { --waitDepth; }
    void BeginProgress(const QString& caption, int minimum, int maximum) override
    {
        progressCaptions << QStringLiteral("%1 [%2..%3]").arg(caption).arg(minimum).arg(maximum);
        ++progressOpen;
    }
    void SetProgress(int position) override { progressPositions.push_back(position); }
    void EndProgress() override { --progressOpen; }

private:
    static std::optional<QString> Next(std::deque<std::optional<QString>>& queue)
    {
        if (queue.empty())
            return std::nullopt;
        std::optional<QString> value;
        value.swap(queue.front());
        queue.pop_front();
        return value;
    }
};
