// The name parts popup TNameEditDlg: the given name, surname and middle name of the entry
// being edited, written straight into its fields; Cancel puts back what they held.
#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;
class TableView;

class TNameEditDlg : public QDialog
{
    Q_OBJECT

public:
    explicit TNameEditDlg(QWidget* parent = nullptr);

    // The entry table whose current (pending) record the popup edits.
    void SetEntryTable(TableView& entries) { m_entries = &entries; }
    // Shown modally just below the box, with its font and width; true when confirmed.
    bool ShowUnder(QWidget* box);
    bool Confirmed() const { return m_confirmed; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    struct Part
    {
        QLineEdit* edit;
        const char16_t* field;
        QString remembered;
    };
    void Confirm();
    void CancelChanges();
    void Write(const Part& part, const QString& text);

    TableView* m_entries = nullptr;
    QLabel* m_surnameLabel = nullptr;
    QLineEdit* m_givenName = nullptr;
    QLineEdit* m_surname = nullptr;
    QLineEdit* m_addName = nullptr;
    QPushButton* m_confirmBn = nullptr;
    QPushButton* m_cancelBn = nullptr;
    Part m_parts[3];
    bool m_confirmed = false;
};
