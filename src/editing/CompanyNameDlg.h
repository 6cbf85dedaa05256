// The org name popup TCompanyNameDlg: one box for the new name of an org; Cancel puts back
// the name it was opened with.
#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;

class TCompanyNameDlg : public QDialog
{
    Q_OBJECT

public:
    explicit TCompanyNameDlg(QWidget* parent = nullptr);

    // Shown modally with the name in its box; true when confirmed.
    bool Execute(const QString& name);
    QString Text() const;
    bool Confirmed() const { return m_confirmed; }

private:
    QLineEdit* m_companyName = nullptr;
    QPushButton* m_okBn = nullptr;
    QPushButton* m_cancelBn = nullptr;
    QString m_openedWith;
    bool m_confirmed = false;
};
