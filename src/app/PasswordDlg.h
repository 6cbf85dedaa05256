// The password window TPasswordDlg: a label set by the caller and a masked line, emptied
// and focused each time the window is shown.
#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;

class TPasswordDlg : public QDialog
{
    Q_OBJECT

public:
    explicit TPasswordDlg(QWidget* parent = nullptr);

    void SetLabel(const QString& text);
    QString Password() const;

protected:
    void showEvent(QShowEvent* event) override;

private:
    QLabel* m_label = nullptr;
    QLineEdit* m_password = nullptr;
};
