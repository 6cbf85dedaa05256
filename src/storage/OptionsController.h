// The options dialog's state and rules without its widgets: working copies of the area fonts,
// the check boxes, the mailer choice, the data folder and "Save with password", applied by OK
// and dropped by Cancel; and the password change, which takes effect at once.
#pragma once

#include <QString>

#include <array>
#include <cstdint>

class OptionType;
class Prompter;
struct BookState;

class OptionsController
{
public:
    // The areas whose font the dialog sets; None while no radio button is checked.
    enum class FontArea
    {
        None,
        Tree,
        RecList,
        RecView
    };

    // A font as the settings keep it. Colours are signed 32-bit values: lowest byte red,
    // then green, then blue.
    struct AreaFont
    {
        QString name;
        std::int32_t size = 10;
        std::int32_t color = 0;

        bool operator==(const AreaFont&) const = default;
    };

    OptionsController(OptionType& options, BookState& state, Prompter& prompter);

    // Fills the dialog from the settings when it is shown.
    void Begin();

    bool ConfirmDeletion() const { return m_confirmDeletion; }
    void SetConfirmDeletion(bool on) { m_confirmDeletion = on; }
    bool CheckOrgSameName() const { return m_checkOrgSameName; }
    void SetCheckOrgSameName(bool on) { m_checkOrgSameName = on; }
    bool ToSaveSize() const { return m_toSaveSize; }
    void SetToSaveSize(bool on) { m_toSaveSize = on; }
    bool SaveWithPassword() const { return m_saveWithPassword; }
    void SetSaveWithPassword(bool on) { m_saveWithPassword = on; }

    // Position in the mailer list: 0 the default e-mail program, 1 Outlook; -1 when the
    // stored choice is neither.
    int EmailerIndex() const { return m_emailerIndex; }
    void SetEmailerIndex(int index);

    FontArea Area() const { return m_area; }
    // Selects the area whose working copy the sample shows and the font choice changes.
    void SelectArea(FontArea area);
    // The font the sample box shows.
    const AreaFont& SampleFont() const { return m_sample; }
    // The working copy of an area; area must not be None.
    const AreaFont& WorkingFont(FontArea area) const;
    // The font the font dialog opens with: the one it last returned.
    const AreaFont& FontDialogFont() const { return m_fontDialogFont; }
    // The font dialog was confirmed with font.
    void TakeChosenFont(const AreaFont& font);

    // The text of the read-only folder box.
    const QString& FolderText() const { return m_folderText; }
    // The folder picker was closed with folder chosen.
    void TakeChosenFolder(const QString& folder);

    // OK: the settings and the book state take the dialog's values.
    void Accept();
    // Cancel: "Save with password" and the folder box return to their state when shown.
    void Cancel();

    // "&Set Password...": asks for the old password (when there is one) and the new one
    // twice; the settings' password changes at once, whatever the dialog does afterwards.
    void SetPassword();

private:
    AreaFont& Working(FontArea area);

    OptionType& m_options;
    BookState& m_state;
    Prompter& m_prompter;

    std::array<AreaFont, 3> m_working; // tree, entry list, right panel
    FontArea m_area = FontArea::None;
    AreaFont m_sample{QStringLiteral("MS Sans Serif")};
    AreaFont m_fontDialogFont{QStringLiteral("MS Sans Serif")};

    bool m_confirmDeletion = true;
    bool m_checkOrgSameName = true;
    bool m_toSaveSize = true;
    int m_emailerIndex = 0;

    // The check box and the folder box keep their state between showings, like the window.
    bool m_saveWithPassword = true;
    QString m_folderText;
    bool m_shownSaveWithPassword = true;
    QString m_shownFolderText;
};
