// The progress window THProgressDialog: stays on top of the other windows while a long
// operation runs and shows its caption and how far it got.
#pragma once

#include <QDialog>

class QProgressBar;

class THProgressDialog : public QDialog
{
    Q_OBJECT

public:
    explicit THProgressDialog(QWidget* parent = nullptr);

    void SetCaption(const QString& caption);
    void SetRange(int minimum, int maximum);
    // Moves the bar and repaints at once, since the operation blocks the event loop.
    void SetPosition(int position);
    int Position() const;
    int Minimum() const;
    int Maximum() const;

private:
    QProgressBar* m_bar = nullptr;
};
