// The options dialog's rules: what the dialog shows when it opens, which working copy a font
// choice changes, what OK applies and Cancel restores, and the password change.
#include "storage/OptionsController.h"

#include "app/Prompter.h"
#include "storage/BookState.h"
#include "storage/FieldDef.h"
#include "storage/OptionType.h"

namespace {

constexpr int EmailerCount = 2;

OptionsController::AreaFont FontOf(const QString& name, std::int32_t size, std::int32_t color)
{
    return {name, size, color};
}

std::size_t Slot(OptionsController::FontArea area)
{
    return static_cast<std::size_t>(area) - 1;
}

} // namespace

OptionsController::OptionsController(OptionType& options, BookState& state, Prompter& prompter)
    : m_options(options), m_state(state), m_prompter(prompter)
{}

void OptionsController::Begin()
{
    Working(FontArea::Tree) =
        FontOf(m_options.TreeFontname, m_options.TreeFontSize, m_options.TreeFontColor);
    Working(FontArea::RecList) =
        FontOf(m_options.RecListFontname, m_options.RecListFontSize, m_options.RecListFontColor);
    Working(FontArea::RecView) =
        FontOf(m_options.RecViewFontname, m_options.RecViewFontSize, m_options.RecViewFontColor);
    // The radio group keeps its choice between showings; the sample must then show the fresh
    // copy, not a font left over from a cancelled showing.
    if (m_area != FontArea::None)
        m_sample = Working(m_area);

    m_confirmDeletion = m_options.ConfirmDeletion;
    m_checkOrgSameName = m_options.CheckOrgSameName;
    m_toSaveSize = m_options.ToSaveSize;
    const int which = m_options.WhichEmailer();
    m_emailerIndex = which >= 1 && which <= EmailerCount ? which - 1 : -1;

    // The check box mirrors the book state's flag; reading it back keeps the two in step
    // should anything else change the flag.
    m_saveWithPassword = m_state.SaveWithPassword;
    m_folderText = m_options.DataDir;
    m_shownSaveWithPassword = m_saveWithPassword;
    m_shownFolderText = m_folderText;
}

void OptionsController::SetEmailerIndex(int index)
{
    if (index >= 0 && index < EmailerCount)
        m_emailerIndex = index;
}

void OptionsController::SelectArea(FontArea area)
{
    m_area = area;
    if (area != FontArea::None)
        m_sample = Working(area);
}

const OptionsController::AreaFont& OptionsController::WorkingFont(FontArea area) const
{
    return m_working.at(Slot(area));
}

OptionsController::AreaFont& OptionsController::Working(FontArea area)
{
    return m_working.at(Slot(area));
}

void OptionsController::TakeChosenFont(const AreaFont& font)
{
    m_fontDialogFont = font;
    m_sample = font;
    if (m_area != FontArea::None)
        Working(m_area) = font;
}

void OptionsController::TakeChosenFolder(const QString& folder)
{
    // A root folder already ends with the separator; a second one would make a different
    // text for the same folder.
    m_folderText = folder.endsWith(u'/') ? folder : folder + u'/';
    m_prompter.Message(QStringLiteral("After exiting the program, please move the address book "
                                      "files (*.qvp) to the new location."),
                       Prompter::Icon::Information, Prompter::Buttons::Ok);
}

void OptionsController::Accept()
{
    const AreaFont& tree = Working(FontArea::Tree);
    m_options.TreeFontname = tree.name;
    m_options.TreeFontSize = tree.size;
    m_options.TreeFontColor = tree.color;
    const AreaFont& recList = Working(FontArea::RecList);
    m_options.RecListFontname = recList.name;
    m_options.RecListFontSize = recList.size;
    m_options.RecListFontColor = recList.color;
    const AreaFont& recView = Working(FontArea::RecView);
    m_options.RecViewFontname = recView.name;
    m_options.RecViewFontSize = recView.size;
    m_options.RecViewFontColor = recView.color;

    m_options.ConfirmDeletion = m_confirmDeletion;
    m_options.CheckOrgSameName = m_checkOrgSameName;
    m_options.ToSaveSize = m_toSaveSize;
    // A stored choice the list does not offer stays as it is unless the user picks one.
    m_options.SetEmailer(m_emailerIndex >= 0 ? m_emailerIndex + 1 : m_options.WhichEmailer());

    m_state.SaveWithPassword = m_saveWithPassword;
    // The program folder is never taken as the data folder; the new folder is used from the
    // next start, the open book's folder stays for this run.
    const QString newDataFolder = m_folderText.trimmed();
    if (FoldAsciiCase(newDataFolder) != FoldAsciiCase(m_state.ProgramFolder))
        m_options.DataDir = newDataFolder;
}

void OptionsController::Cancel()
{
    m_saveWithPassword = m_shownSaveWithPassword;
    m_folderText = m_shownFolderText;
}

void OptionsController::SetPassword()
{
    QString oldPassword;
    if (!m_options.CurrentPassword.isEmpty()) {
        const std::optional<QString> entered =
            m_prompter.Password(QStringLiteral("Enter the old password"));
        if (!entered)
            return;
        oldPassword = *entered;
    }
    // A wrong old password ends the change without telling why.
    if (oldPassword != m_options.CurrentPassword)
        return;

    const std::optional<QString> newPassword =
        m_prompter.Password(QStringLiteral("Enter Password for addressbook "));
    if (!newPassword)
        return;
    const std::optional<QString> confirmation =
        m_prompter.Password(QStringLiteral("Re-enter password"));
    if (!confirmation)
        return;
    if (*confirmation != *newPassword) {
        m_prompter.Show(QStringLiteral("Confirmation of the new password is invalid."));
        return;
    }
    m_options.CurrentPassword = *newPassword;
}
