// The larger org lookup popup.
#include "navigation/OrgLkDlg.h"

#include <QCompleter>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QToolButton>

TOrgLkDlg::TOrgLkDlg(QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint), m_orgLk(new QLineEdit(this)),
      m_speedButton2(new QToolButton(this))
{
    setObjectName(QStringLiteral("OrgLkDlg"));
    setFixedSize(kWidth, kHeight);
    m_orgLk->setObjectName(QStringLiteral("OrgLk"));
    m_speedButton2->setObjectName(QStringLiteral("SpeedButton2"));
    m_speedButton2->setText(QStringLiteral("..."));
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(1);
    layout->addWidget(m_orgLk, 1);
    layout->addWidget(m_speedButton2);
    connect(m_orgLk, &QLineEdit::returnPressed, this, &TOrgLkDlg::RunLookup);
    connect(m_speedButton2, &QToolButton::clicked, this, &TOrgLkDlg::RunLookup);
}

void TOrgLkDlg::Popup(QLineEdit* orgBox)
{
    setFont(orgBox->font());
    // The same drop-down as the main box.
    m_orgLk->setCompleter(orgBox->completer());
    m_orgLk->setText(orgBox->text());
    orgBox->setFocus(Qt::OtherFocusReason);
    move(orgBox->mapToGlobal(QPoint(0, 0)) - QPoint(0, 2));
    show();
    raise();
    activateWindow();
    m_orgLk->setFocus(Qt::OtherFocusReason);
}

void TOrgLkDlg::RunLookup()
{
    const QString text = m_orgLk->text();
    m_orgLk->clear();
    close();
    emit LookupRequested(text);
}

bool TOrgLkDlg::event(QEvent* event)
{
    if (event->type() == QEvent::WindowDeactivate && isVisible())
        close();
    return QWidget::event(event);
}

void TOrgLkDlg::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}
