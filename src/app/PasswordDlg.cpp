// The password window: label, masked line edit, "&OK" (the default button) and "&Cancel".
#include "app/PasswordDlg.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TPasswordDlg::TPasswordDlg(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("PasswordDlg"));
    setWindowTitle(QStringLiteral("Password Dialog"));
    auto* layout = new QVBoxLayout(this);
    m_label = new QLabel(this);
    m_label->setObjectName(QStringLiteral("Label1"));
    m_password = new QLineEdit(this);
    m_password->setObjectName(QStringLiteral("Password"));
    m_password->setEchoMode(QLineEdit::Password);
    m_label->setBuddy(m_password);
    layout->addWidget(m_label);
    layout->addWidget(m_password);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    auto* ok = new QPushButton(QStringLiteral("&OK"), this);
    ok->setObjectName(QStringLiteral("OKBtn"));
    ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("&Cancel"), this);
    cancel->setObjectName(QStringLiteral("CancelBtn"));
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);
}

void TPasswordDlg::SetLabel(const QString& text)
{
    m_label->setText(text);
}

QString TPasswordDlg::Password() const
{
    return m_password->text();
}

void TPasswordDlg::showEvent(QShowEvent* event)
{
    // A password typed for an earlier book is never offered again.
    m_password->clear();
    m_password->setFocus();
    QDialog::showEvent(event);
}
