// The name parts popup: three boxes on a pale blue panel, sized from the popup's width each
// time it is shown, editing the entry's name parts directly.
#include "editing/NameEditDlg.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "editing/PopupPanel.h"
#include "storage/TableView.h"

namespace {

constexpr int kHeight = 81;
constexpr int kLeft = 6;
constexpr int kLabelTop = 4;
constexpr int kEditTop = 20;
constexpr int kSecondRowTop = 52;

} // namespace

TNameEditDlg::TNameEditDlg(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("NameEditDlg"));
    MakePopupPanel(*this);
    auto* givenLabel = new QLabel(QStringLiteral("Givenname"), this);
    givenLabel->move(kLeft, kLabelTop);
    m_surnameLabel = new QLabel(QStringLiteral("Surname"), this);
    auto* midLabel = new QLabel(QStringLiteral("Midname"), this);
    midLabel->setObjectName(QStringLiteral("MidnameLabel"));

    m_givenName = new QLineEdit(this);
    m_givenName->setObjectName(QStringLiteral("GivenNameEd"));
    m_surname = new QLineEdit(this);
    m_surname->setObjectName(QStringLiteral("SurnameEd"));
    m_addName = new QLineEdit(this);
    m_addName->setObjectName(QStringLiteral("AddNameEd"));
    m_confirmBn = MakePopupButton(this, QStringLiteral("ConfirmBn"), QStringLiteral("\u2714"),
                                  QStringLiteral("Confirm the changes"));
    m_confirmBn->setDefault(true);
    m_cancelBn = MakePopupButton(this, QStringLiteral("CancelBn"), QStringLiteral("\u2716"),
                                 QStringLiteral("Cancle the changes"));
    setTabOrder(m_givenName, m_surname);
    setTabOrder(m_surname, m_addName);
    setTabOrder(m_addName, m_confirmBn);
    setTabOrder(m_confirmBn, m_cancelBn);

    m_parts[0] = {m_givenName, u"GivenName", {}};
    m_parts[1] = {m_surname, u"SurName", {}};
    m_parts[2] = {m_addName, u"MidName", {}};
    for (const Part& part : m_parts)
        connect(part.edit, &QLineEdit::textEdited, this,
                [this, &part](const QString& text) { Write(part, text); });

    connect(m_confirmBn, &QPushButton::clicked, this, &TNameEditDlg::Confirm);
    connect(m_cancelBn, &QPushButton::clicked, this, &QDialog::reject);
    connect(this, &QDialog::rejected, this, &TNameEditDlg::CancelChanges);
    resize(279, kHeight);
}

bool TNameEditDlg::ShowUnder(QWidget* box)
{
    setFont(box->font());
    resize(box->width(), kHeight);
    move(box->mapToGlobal(QPoint(0, box->height())));
    m_confirmed = false;
    exec();
    return m_confirmed;
}

void TNameEditDlg::showEvent(QShowEvent* event)
{
    const int given = width() / 2 - 20;
    const int editHeight = m_givenName->sizeHint().height();
    m_givenName->setGeometry(kLeft, kEditTop, given, editHeight);
    m_surname->setGeometry(kLeft + given + 12, kEditTop, given - 12, editHeight);
    m_surnameLabel->move(m_surname->x(), kLabelTop);
    auto* midLabel = findChild<QLabel*>(QStringLiteral("MidnameLabel"));
    midLabel->adjustSize();
    midLabel->move(kLeft, kSecondRowTop + (editHeight - midLabel->height()) / 2);
    m_addName->setGeometry(kLeft + midLabel->width() + 6, kSecondRowTop, given, editHeight);
    m_cancelBn->move(width() - kLeft - m_cancelBn->width(), kSecondRowTop);
    m_confirmBn->move(m_cancelBn->x() - 4 - m_confirmBn->width(), kSecondRowTop);

    for (Part& part : m_parts) {
        part.remembered = m_entries ? m_entries->FieldByName(part.field).AsString() : QString();
        part.edit->setText(part.remembered);
    }
    m_givenName->setFocus();
    QDialog::showEvent(event);
}

void TNameEditDlg::Write(const Part& part, const QString& text)
{
    if (!m_entries)
        return;
    if (m_entries->State() == ViewState::Browse)
        m_entries->Edit();
    m_entries->FieldByName(part.field).SetValue(text.isEmpty() ? QVariant() : QVariant(text));
}

void TNameEditDlg::Confirm()
{
    m_confirmed = true;
    accept();
}

void TNameEditDlg::CancelChanges()
{
    m_confirmed = false;
    for (const Part& part : m_parts) {
        Write(part, part.remembered);
        part.edit->setText(part.remembered);
    }
}
