// The entry edit window's logic over the edit model.
#include "editing/EditFormController.h"

#include <algorithm>

#include "app/Prompter.h"

namespace {

bool PositionBefore(const QString& a, const QString& b)
{
    const int order = QString::compare(a, b, Qt::CaseInsensitive);
    return order != 0 ? order < 0 : a < b;
}

QVariant TextValue(const QString& text)
{
    return text.isEmpty() ? QVariant() : QVariant(text);
}

} // namespace

EditFormController::EditFormController(CEditMT& model, Prompter& prompter)
    : m_model(model), m_prompter(prompter)
{}

void EditFormController::Prepare()
{
    m_nameChanged = false;
    m_partsChanged = false;
    m_completionSuppressed = false;
    m_ended = false;
    m_adding = m_model.EditMode() == EditMode::Adding;
    TableView& entries = Entries();
    if (m_adding) {
        m_categoryIndex.fill(0);
        for (int slot = 1; slot <= kCategoryBoxes; ++slot)
            m_model.SetCategorySlot(slot, CEditMT::kEmptySlot);
        SetEntryField(u"Yellow", false);
    } else {
        for (int box = 0; box < kCategoryBoxes; ++box) {
            const FieldRef slot = entries.FieldByName(CEditMT::kCategorySlots[size_t(box)]);
            m_categoryIndex[size_t(box)] =
                slot.IsNull() ? kUnknownCategory : m_model.IndexOfNumber(slot.AsInteger());
        }
    }

    TableView& orgs = Orgs();
    m_orgBoxText.clear();
    const bool hasOrg = orgs.State() != ViewState::Browse || !orgs.IsEmpty();
    // A new entry starts with the default org; when the book has none the box is empty.
    if (hasOrg && (!m_adding || orgs.FieldByName(u"CoID").AsInteger() == CEditMT::kDefaultOrg))
        m_orgBoxText = orgs.FieldByName(u"Company").AsString();
}

QString EditFormController::CategoryText(int box)
{
    const int index = m_categoryIndex[size_t(box)];
    return index < 0 ? QString() : m_model.CategoryPaths().value(index);
}

bool EditFormController::IsYellowEntry() const
{
    return Entries().FieldByName(u"Yellow").AsBoolean();
}

QString EditFormController::EntryName() const
{
    return Entries().FieldByName(u"Name").AsString();
}

void EditFormController::SetEntryField(QStringView field, const QVariant& value)
{
    TableView& entries = Entries();
    if (entries.State() == ViewState::Browse)
        entries.Edit();
    entries.FieldByName(field).SetValue(value);
}

void EditFormController::NameLeft(const QString& text)
{
    if (!m_ended && m_nameChanged && !IsYellowEntry())
        NameCommit(text);
}

void EditFormController::NamePartsClosed(bool confirmed)
{
    if (confirmed) {
        m_partsChanged = true;
        m_nameChanged = true;
    } else {
        m_partsChanged = false;
    }
}

void EditFormController::NameCommit(const QString& text)
{
    QString name = text;
    m_model.ApplyNameRule(name, m_nameChanged, m_partsChanged);
    SetEntryField(u"Name", TextValue(name));
    if (!NameInUse(name))
        return;
    if (m_prompter.Message(kSameNameQuestion, Prompter::Icon::Information,
                           Prompter::Buttons::YesNo) == Prompter::Answer::Yes) {
        m_model.SetEditMode(EditMode::ReviewDuplicates);
        m_model.Rollback();
        m_ended = true;
    }
}

// Among the stored entries: the one being edited counts under the name it was stored with.
bool EditFormController::NameInUse(const QString& name) const
{
    const auto& store = Entries().Store();
    return !store->Matching(Entries().FieldIndex(u"Name"), Cell::FromText(name)).empty();
}

bool EditFormController::CompanyInUse(const QString& company) const
{
    const auto& store = Orgs().Store();
    return !store->Matching(Orgs().FieldIndex(u"Company"), Cell::FromText(company)).empty();
}

std::optional<QString> EditFormController::CompletePosition(const QString& typed)
{
    // An emptied box (cut, for instance) completes nothing.
    if (m_completionSuppressed || typed.isEmpty())
        return std::nullopt;
    for (const QString& position : m_positions)
        if (position.startsWith(typed, Qt::CaseSensitive)) {
            m_completionSuppressed = true;
            return position;
        }
    return std::nullopt;
}

QString EditFormController::PositionLeft(const QString& text)
{
    const QString position = text.trimmed();
    if (!m_ended)
        SetEntryField(u"Position", TextValue(position));
    if (!position.isEmpty() && !m_positions.contains(position)) {
        m_positions.insert(
            std::lower_bound(m_positions.begin(), m_positions.end(), position, PositionBefore),
            position);
    }
    return position;
}

OrgLink EditFormController::OrgLeft(const QString& text)
{
    return m_model.LinkOrg(text);
}

std::optional<QString> EditFormController::OrgToRename()
{
    TableView& orgs = Orgs();
    if (orgs.State() == ViewState::Browse && orgs.IsEmpty())
        return std::nullopt;
    const QString company = orgs.FieldByName(u"Company").AsString();
    if (orgs.FieldByName(u"CoID").AsInteger() == CEditMT::kDefaultOrg) {
        m_prompter.Message(company + kDefaultOrgNotice, Prompter::Icon::Information,
                           Prompter::Buttons::Ok);
        return std::nullopt;
    }
    return company;
}

QString EditFormController::OrgRenamed(const QString& text)
{
    TableView& orgs = Orgs();
    const QString company = text.trimmed();
    // A blank name would leave the org, and every entry of it, without a name.
    if (company.isEmpty())
        return orgs.FieldByName(u"Company").AsString();
    if (!CompanyInUse(company)) {
        if (orgs.State() == ViewState::Browse)
            orgs.Edit();
        orgs.FieldByName(u"Company").SetValue(company);
        // Stored at once, so that linking by the new name on leaving the box finds this org;
        // the edit transaction still undoes it.
        orgs.Post();
        orgs.Edit();
    }
    return company;
}

QString EditFormController::CategoryChanged(int box, std::optional<int> pickerChosen)
{
    if (pickerChosen) {
        int index = *pickerChosen;
        for (int other = 0; other < kCategoryBoxes; ++other)
            if (other != box && m_categoryIndex[size_t(other)] == index)
                index = 0;
        m_categoryIndex[size_t(box)] = index;
    }
    return CategoryText(box);
}

void EditFormController::Commit(EditMode outcome, const QString& nameText, const QString& orgText)
{
    if (m_ended)
        return;
    QString name = nameText;
    if (m_nameChanged && (outcome == EditMode::AddNext || !IsYellowEntry())) {
        NameCommit(nameText);
        if (m_ended)
            return;
        name = EntryName();
    }

    TableView& entries = Entries();
    const bool yellow = IsYellowEntry();
    if (name.trimmed().isEmpty() || yellow) {
        if (entries.FieldByName(u"OrgID").AsInteger() == CEditMT::kDefaultOrg) {
            Cancel();
            return;
        }
        SetEntryField(u"Name", TextValue(orgText));
        SetEntryField(u"SurName", TextValue(orgText));
        SetEntryField(u"GivenName", QString());
        SetEntryField(u"MidName", QString());
        SetEntryField(u"Yellow", true);
    }

    if (IsYellowEntry())
        m_model.SetHasYellowEntries(true);
    else
        m_model.AddInitial(entries.FieldByName(u"SurName").AsString());

    for (int box = 0; box < kCategoryBoxes; ++box) {
        const int index = m_categoryIndex[size_t(box)];
        if (index == kUnknownCategory)
            continue;
        m_model.SetCategorySlot(box + 1,
                                m_model.NumberAtIndex(index).value_or(CEditMT::kEmptySlot));
    }
    m_model.CommitEntry();
    m_model.SetEditMode(outcome);
    m_ended = true;
}

void EditFormController::Cancel()
{
    if (m_ended)
        return;
    m_model.Rollback();
    m_model.SetEditMode(EditMode::Cancelled);
    TableView& entries = Entries();
    if (!entries.IsEmpty())
        Orgs().Locate(u"CoID", entries.FieldByName(u"OrgID").AsInteger());
    m_ended = true;
}
