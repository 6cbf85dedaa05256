// The about window TAboutFm: the product's texts and a link to its home page. At start-up it
// serves as the splash screen, shown without its OK button.
#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

class TAboutFm : public QDialog
{
    Q_OBJECT

public:
    explicit TAboutFm(QWidget* parent = nullptr);

    // Hides or shows the OK button (hidden while the window is the splash screen).
    void SetOkButtonVisible(bool visible);
    // The address the link label shows and opens.
    QString LinkText() const;

private:
    QPushButton* m_okButton = nullptr;
    QLabel* m_link = nullptr;
};
