// The org name popup: its box and its two buttons on a pale blue panel.
#include "editing/CompanyNameDlg.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>

#include "editing/PopupPanel.h"

TCompanyNameDlg::TCompanyNameDlg(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("CompanyNameDlg"));
    MakePopupPanel(*this);
    m_companyName = new QLineEdit(this);
    m_companyName->setObjectName(QStringLiteral("CompanyNameEd"));
    m_okBn = MakePopupButton(this, QStringLiteral("OkBn"), QStringLiteral("\u2714"),
                             QStringLiteral("Confirm the changes"));
    m_okBn->setDefault(true);
    m_cancelBn = MakePopupButton(this, QStringLiteral("CancelBn"), QStringLiteral("\u2716"),
                                 QStringLiteral("Cancel the changes"));
    connect(m_okBn, &QPushButton::clicked, this, [this] {
        m_confirmed = true;
        accept();
    });
    // Esc comes here too, through reject().
    connect(m_cancelBn, &QPushButton::clicked, this, &QDialog::reject);
    connect(this, &QDialog::rejected, this, [this] {
        m_confirmed = false;
        m_companyName->setText(m_openedWith);
    });

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addWidget(m_companyName, 1);
    layout->addWidget(m_okBn);
    layout->addWidget(m_cancelBn);
    resize(346, 61);
}

bool TCompanyNameDlg::Execute(const QString& name)
{
    m_openedWith = name;
    m_confirmed = false;
    m_companyName->setText(name);
    m_companyName->setFocus();
    exec();
    return m_confirmed;
}

QString TCompanyNameDlg::Text() const
{
    return m_companyName->text();
}
