// The memo viewer: a memo filling the window above an OK button, centred on the screen.
#include "editing/ViewTextForm.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include "storage/TableView.h"

TViewTextForm::TViewTextForm(TableView& view, const QString& field, bool readOnly,
                             const QFont& font, QWidget* parent)
    : QDialog(parent), m_view(view), m_field(view.FieldIndex(field))
{
    setObjectName(QStringLiteral("ViewTextForm"));
    setWindowTitle(QStringLiteral("Text"));
    resize(500, 360);

    m_memo = new QPlainTextEdit(this);
    m_memo->setObjectName(QStringLiteral("DBMemo1"));
    m_memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_memo->setFont(font);
    if (m_field >= 0 && (view.State() != ViewState::Browse || !view.IsEmpty()))
        m_memo->setPlainText(FieldRef(view, m_field).AsString());
    m_memo->setReadOnly(readOnly);

    m_ok = new QPushButton(QStringLiteral("&OK"), this);
    m_ok->setObjectName(QStringLiteral("OKBn"));
    m_ok->setDefault(true);
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_ok);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(5, 5, 5, 5);
    layout->addWidget(m_memo, 1);
    layout->addLayout(buttons);

    if (!readOnly && m_field >= 0)
        connect(m_memo, &QPlainTextEdit::textChanged, this, &TViewTextForm::TextChanged);

    if (const QScreen* screen = parent ? parent->screen() : QGuiApplication::primaryScreen()) {
        QRect frame(QPoint(), size());
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
}

void TViewTextForm::TextChanged()
{
    if (m_view.State() == ViewState::Browse) {
        // Nothing to edit when no record is current: an edit would append one.
        if (m_view.IsEmpty())
            return;
        m_view.Edit();
    }
    FieldRef(m_view, m_field).SetValue(m_memo->toPlainText());
}

void TViewTextForm::ShowField(TableView& view, const QString& field, bool readOnly,
                              const QFont& font, QWidget* parent)
{
    TViewTextForm viewer(view, field, readOnly, font, parent);
    viewer.exec();
}
