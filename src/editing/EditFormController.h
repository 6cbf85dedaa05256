// The logic of the entry edit window: preparing it for the edit transaction the edit model
// has begun, the name commit with its same-name question, position completion, linking and
// renaming the org, the category boxes' change rule, and ending the transaction with a
// commit or a rollback. It talks to the user only through the Prompter.
#pragma once

#include <QString>
#include <QStringList>
#include <array>
#include <optional>

#include "editing/UEditMT.h"

class Prompter;

class EditFormController
{
public:
    static inline const QString kSameNameQuestion =
        QStringLiteral("Entries with the same name in the address book. Would you review them?");
    static inline const QString kDefaultOrgNotice =
        QStringLiteral(" is default org name for those you don't know the work place. It is "
                       "unnecessary to edit.");
    static constexpr int kCategoryBoxes = 4;
    // A category box whose slot holds a number no tree node carries: the slot keeps it.
    static constexpr int kUnknownCategory = -1;

    EditFormController(CEditMT& model, Prompter& prompter);

    CEditMT& Model() { return m_model; }

    // Each time the window is shown: clears the flags, reads the boxes' categories (or, for a
    // new entry, empties its slots and makes it a white page entry) and the org box's text.
    void Prepare();
    bool Adding() const { return m_adding; }
    // True once the transaction was committed or rolled back: the window closes and nothing
    // else of the current command runs.
    bool Ended() const { return m_ended; }
    QString OrgBoxText() const { return m_orgBoxText; }
    int CategoryIndex(int box) const { return m_categoryIndex[size_t(box)]; }
    QString CategoryText(int box);

    // The name box.
    void NameEdited() { m_nameChanged = true; }
    bool NameChanged() const { return m_nameChanged; }
    bool PartsChanged() const { return m_partsChanged; }
    bool IsYellowEntry() const;
    // Leaving the name box: runs the name commit when the name changed on a white page entry.
    void NameLeft(const QString& text);
    // The name parts popup closed; it opens only for white page entries.
    void NamePartsClosed(bool confirmed);
    // The entry's Name as it stands now, for the box to show after a commit.
    QString EntryName() const;

    // The position box. The completion of the typed text, when there is one.
    std::optional<QString> CompletePosition(const QString& typed);
    // Delete and Backspace suppress completion, any other key lifts the suppression.
    void PositionKeyPressed(bool deletes) { m_completionSuppressed = deletes; }
    bool CompletionSuppressed() const { return m_completionSuppressed; }
    // Leaving the box: the trimmed text (written to Position), now among the offered ones
    // when not blank.
    QString PositionLeft(const QString& text);
    // Sorted, letter case ignored.
    const QStringList& Positions() const { return m_positions; }

    // The org box. Leaving it links the entry to the org of that name.
    OrgLink OrgLeft(const QString& text);
    // The name to offer for renaming the linked org; nothing (after a notice for the default
    // org) when it cannot be renamed.
    std::optional<QString> OrgToRename();
    // The popup was confirmed with this text: renames the linked org unless an org has that
    // name already; the text the org box shows now.
    QString OrgRenamed(const QString& text);

    // The change rule of category box 0..3. pickerChosen: the picker's chosen index when the
    // picker has been opened for some box since the window was shown. The box's new text.
    QString CategoryChanged(int box, std::optional<int> pickerChosen);

    // OK (outcome Done) and Add Next (outcome AddNext), with the texts of the name and org
    // boxes.
    void Commit(EditMode outcome, const QString& nameText, const QString& orgText);
    // Cancel and Esc: the whole transaction is undone.
    void Cancel();

private:
    void NameCommit(const QString& text);
    bool NameInUse(const QString& name) const;
    bool CompanyInUse(const QString& company) const;
    void SetEntryField(QStringView field, const QVariant& value);
    TableView& Entries() const { return *m_model.EntryTable(); }
    TableView& Orgs() const { return *m_model.OrgTable(); }

    CEditMT& m_model;
    Prompter& m_prompter;
    bool m_adding = false;
    bool m_ended = false;
    bool m_nameChanged = false;
    bool m_partsChanged = false;
    bool m_completionSuppressed = false;
    QString m_orgBoxText;
    std::array<int, kCategoryBoxes> m_categoryIndex{};
    QStringList m_positions;
};
