// The edit model CEditMT: the one door through which entries and orgs are created, changed
// and removed. Edit transactions over both tables, the name rule, org linking, the number
// counters, category slots, deletions, isolated orgs, the initials and compound surnames.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <array>
#include <optional>
#include <vector>

#include "navigation/URecListMT.h"
#include "navigation/Utreemt.h"
#include "storage/TableView.h"

class RowSelection;

// The outcome of an edit transaction; the numbers are the stored ones.
enum class EditMode
{
    Adding = 0,
    Editing,
    Cancelled,
    AddNext,
    ReviewDuplicates,
    Done
};

// How LinkOrg linked the entry; the numbers are the stored ones.
enum class OrgLink
{
    NewOrg = 0,      // an org of that name was created
    ExistingOrg = 1, // an org of that name (letter case ignored) was found
    DefaultOrg = 3,  // the name was blank: the default org
};

// The parts of a name as SplitName gives them.
struct NameParts
{
    QString surName;
    QString givenName;
    QString midName;

    bool operator==(const NameParts&) const = default;
};

class CEditMT
{
public:
    static constexpr qint32 kFirstCounter = 2000;
    static constexpr qint32 kEmptySlot = CTreeMT::RootNumber;
    static constexpr int kDefaultOrg = 0;
    // The delimiters of the name rule.
    static inline const QString kNameDelimiters = QStringLiteral(" .,");
    // The entry's four category slots, in the order they are filled.
    static inline const std::array<QString, 4> kCategorySlots = {
        QStringLiteral("Group1"), QStringLiteral("Group2"), QStringLiteral("Group3"),
        QStringLiteral("Group4")};

    CEditMT();
    CEditMT(const CEditMT&) = delete;
    CEditMT& operator=(const CEditMT&) = delete;

    void SetTree(CTreeMT& tree) { m_tree = &tree; }
    CTreeMT* Tree() const { return m_tree; }

    // Attaching after a book load: each counter starts again at 2000 and is raised to the
    // highest number of the table.
    void AttachEntryTable(TableView& entries);
    void AttachOrgTable(TableView& orgs);
    TableView* EntryTable() const { return m_entries; }
    TableView* OrgTable() const { return m_orgs; }
    qint32 EntryCounter() const { return m_entryCounter; }
    qint32 OrgCounter() const { return m_orgCounter; }

    // Reads the compound surnames (one per line) from the file, replacing the list; false,
    // with the message in `error` and the list as it was, when the file cannot be read.
    bool LoadCompoundSurnames(const QString& path, QString* error = nullptr);
    // Writes the list back exactly as it was read; false, with the message in `error`, when
    // the file cannot be written.
    bool SaveCompoundSurnames(const QString& path, QString* error = nullptr) const;
    const QStringList& CompoundSurnames() const { return m_compounds; }
    // The file's bytes as read, which a save writes back.
    const QByteArray& CompoundSurnameFile() const { return m_compoundFile; }
    // Replaces the list; without `file` it is written as UTF-8 lines ending in CR LF.
    void SetCompoundSurnames(const QStringList& compounds, const QByteArray& file = {});

    // Forwarded to the tree.
    const QStringList& CategoryPaths();
    std::optional<qint32> NumberAtIndex(int index) const;
    int IndexOfNumber(qint32 number) const;

    ::EditMode EditMode() const { return m_editMode; }
    void SetEditMode(::EditMode mode) { m_editMode = mode; }

    bool HasYellowEntries() const { return m_initials.HasYellowEntries(); }
    void SetHasYellowEntries(bool on) { m_initials.SetHasYellowEntries(on); }

    const QStringList& InitialsList() const { return m_initials.List(); }
    const SurnameInitials& Initials() const { return m_initials; }
    // Rebuilds the initials and the has-yellow flag from every entry of the book.
    bool RebuildInitials();
    // Adds the surname's initial when the surname is not blank; true when the list grew.
    bool AddInitial(QStringView surname) { return m_initials.AddSurname(surname); }

    // Edit transactions over both tables, undone as a whole by Rollback.
    void NewEntry();
    // rowNumber: the 1-based row of the entry among the listed entries.
    void EditEntry(int rowNumber);
    void Rollback();
    void CommitEntry();

    // Keeps the entry's Name and its parts consistent: splits a changed name into the parts
    // or joins changed parts into the name (which is returned in `name`; the caller decides
    // whether to write it to Name). Names of four or more words keep the typed name.
    void ApplyNameRule(QString& name, bool& nameChanged, bool& partsChanged);
    // Result code 1 for a wide-character name, 0 when words remain after the third,
    // otherwise 2.
    static int SplitName(QStringView name, QStringView delimiters, const QStringList& compounds,
                         NameParts& parts);
    static QString JoinName(const QString& surName, const QString& givenName,
                            const QString& midName);
    const QString& LastName() const { return m_lastName; }

    // Links the current entry to the org of that name, creating it when there is none.
    OrgLink LinkOrg(const QString& orgName);
    // Appends and commits an org of that name and links the entry to it; the org is left in
    // edit state. Returns its CoID.
    int NewOrg(const QString& orgName);

    // Category slots of the current entry. A slot holding 1000 is empty; a null slot is taken.
    bool SetCategorySlot(int slot, qint32 number);
    // Puts the number into the first empty slot; false when all four are taken.
    bool AssignCategory(qint32 number);
    // Empties the first slot holding the number.
    bool RemoveCategory(qint32 number);
    bool RemoveCategoryFromSelected(qint32 number, RowSelection& selection);
    // Whether any entry of the book, listed or not, holds the category in a slot.
    bool CategoryInUse(qint32 number) const;
    // Deletes the node when it has no child nodes and no entry holds its number.
    CTreeMT::DeleteOutcome CanDeleteCategory(CTreeNode* node);

    // Delete the current entry or the selected ones and move to the first listed entry;
    // false when the table refused (nothing listed, for instance).
    bool DeleteCurrentEntry();
    bool DeleteSelectedEntries(RowSelection& selection);

    // The orgs other than the default org that no entry of the book uses, whatever the
    // tables' filters.
    const std::vector<Bookmark>& FindIsolatedOrgs();
    int IsolatedOrgCount() const { return int(m_isolatedOrgs.size()); }
    // Deletes the orgs found by the last scan.
    bool DeleteIsolatedOrgs();

private:
    // False when no entry is current (an empty listing).
    bool PutEntryInEditState();

    CTreeMT* m_tree = nullptr;
    TableView* m_entries = nullptr;
    TableView* m_orgs = nullptr;
    qint32 m_entryCounter = kFirstCounter;
    qint32 m_orgCounter = kFirstCounter;
    QStringList m_compounds;
    QByteArray m_compoundFile; // the file as read, written back unchanged
    SurnameInitials m_initials;
    ::EditMode m_editMode = ::EditMode::Done;
    QString m_lastName;
    int m_entrySavePoint = -1;
    int m_orgSavePoint = -1;
    std::vector<Bookmark> m_isolatedOrgs;
};
