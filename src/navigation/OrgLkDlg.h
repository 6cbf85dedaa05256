// The larger org lookup box TOrgLkDlg: a borderless popup over the main window's org box
// with an org box of its own. Enter or its button looks the org up and closes it; Esc
// closes it, and so does losing the activation.
#pragma once

#include <QWidget>

class QLineEdit;
class QToolButton;

class TOrgLkDlg : public QWidget
{
    Q_OBJECT

public:
    static constexpr int kWidth = 428;
    static constexpr int kHeight = 24;

    explicit TOrgLkDlg(QWidget* parent = nullptr);

    // Shows the popup without making it modal: its left edge at the org box's left edge, its
    // top 2 pixels above the box's top, in the box's font and holding the box's text.
    void Popup(QLineEdit* orgBox);
    QLineEdit* OrgLk() const { return m_orgLk; }

signals:
    // The org of that name is to be listed.
    void LookupRequested(const QString& orgName);

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void RunLookup();

    QLineEdit* m_orgLk;
    QToolButton* m_speedButton2;
};
