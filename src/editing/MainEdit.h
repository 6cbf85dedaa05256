// The entry edit window TEditFm: the name, position, work, home and category boxes of the
// entry being edited and of its org, bound to the current rows of the two tables, with its
// popups. Its logic lives in EditFormController; the window forwards its events there.
#pragma once

#include <QDialog>
#include <QList>
#include <QPointer>
#include <memory>
#include <vector>

#include "editing/EditFormController.h"
#include "editing/EntryEditWindow.h"

class QAction;
class QComboBox;
class QDateEdit;
class QGroupBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class TCategoryListDlg;
class TCompanyNameDlg;
class TNameEditDlg;

class TEditFm : public QDialog, public EntryEditWindow
{
    Q_OBJECT

public:
    explicit TEditFm(QWidget* parent = nullptr);
    ~TEditFm() override;

    // After every book load (and once before the first use).
    void SetEditModel(CEditMT& model, Prompter& prompter);
    // The window is placed beside this panel of the main window, as wide as it.
    void SetPlacement(QWidget* mainWindow, QWidget* rightPanel);

    // Prepares, places and shows the window modally; returns once the transaction ended.
    void ShowEditWindow(const QString& caption) override;
    // Prepares, places and shows the window without waiting for it to close.
    void Open(const QString& caption);

    EditFormController& Controller() { return *m_controller; }
    TCategoryListDlg& CategoryPicker() { return *m_picker; }
    TNameEditDlg& NameParts() { return *m_nameParts; }
    TCompanyNameDlg& CompanyName() { return *m_companyName; }

    // Key preview: Enter that a focused drop-down list keeps moves on to the next control.
    bool eventFilter(QObject* watched, QEvent* event) override;

public Q_SLOTS:
    void reject() override;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    struct Binding
    {
        QLineEdit* edit;
        bool org; // a field of the org table, else of the entry table
        QString field;
    };

    void CreateControls();
    QLineEdit* AddText(class QGridLayout* grid, int row, int column, const QString& label,
                       const QString& name, bool org, const QString& field, int span = 1);
    QPlainTextEdit* AddMemo(class QGridLayout* grid, int row, const QString& label,
                            const QString& name, const QString& hint);
    void SetTabOrder();

    void Prepare();
    void LoadEntryFields();
    void LoadOrgFields();
    void RefillOrgList();
    void RefillPositions();
    void LayoutCategoryBoxes();
    void Write(TableView& view, const QString& field, const QVariant& value);
    TableView& Entries() const;
    TableView& Orgs() const;

    void NameEdLeft();
    void NameEdButtonClick();
    void PositionEdLeft();
    void PositionEdEdited(const QString& typed);
    void CompanyLkLeft();
    void CompanyLkDblClick();
    void MemoDblClick(QPlainTextEdit* memo, bool org, const QString& field);
    void OpenCategoryPicker(int box);
    void CategoryEdChange(int box);
    void UpdateCategoryHint(QLineEdit* box);
    void LeaveFocusedBox();
    void MoveFocusOn(QWidget* from);
    void CommitWith(EditMode outcome);
    void FinishIfEnded();

    std::unique_ptr<EditFormController> m_controller;
    QPointer<QWidget> m_mainWindow;
    QPointer<QWidget> m_rightPanel;
    TCategoryListDlg* m_picker = nullptr;
    TNameEditDlg* m_nameParts = nullptr;
    TCompanyNameDlg* m_companyName = nullptr;
    // The org box's list, in name order, and the store and version it was filled from.
    TableView m_orgList{QStringLiteral("EditOrgList")};
    std::weak_ptr<RecordStore> m_orgListStore;
    quint64 m_orgListVersion = 0;

    QGroupBox* m_nameGroup = nullptr;
    QGroupBox* m_workGroup = nullptr;
    QGroupBox* m_homeGroup = nullptr;
    QGroupBox* m_categoryGroup = nullptr;
    QLineEdit* m_nameEd = nullptr;
    QAction* m_nameEdButton = nullptr;
    QComboBox* m_positionEd = nullptr;
    QComboBox* m_companyLk = nullptr;
    QPlainTextEdit* m_cMemoEd = nullptr;
    QPlainTextEdit* m_dbMemo1 = nullptr;
    QDateEdit* m_birthday = nullptr;
    QLineEdit* m_categoryEd[EditFormController::kCategoryBoxes] = {};
    QPushButton* m_okBn = nullptr;
    QPushButton* m_cancelBn = nullptr;
    QPushButton* m_addNextBn = nullptr;
    std::vector<Binding> m_bindings;
    QList<QWidget*> m_tabOrder;
    // Set while the window itself fills its boxes, so that only the user's changes count.
    bool m_loading = false;
};
