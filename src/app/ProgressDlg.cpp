// The progress window: a progress bar, 0 to 100 until a range is set.
#include "app/ProgressDlg.h"

#include <QCoreApplication>
#include <QProgressBar>
#include <QVBoxLayout>

#include <algorithm>

THProgressDialog::THProgressDialog(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("HProgressDialog"));
    auto* layout = new QVBoxLayout(this);
    m_bar = new QProgressBar(this);
    m_bar->setObjectName(QStringLiteral("ProgressBar1"));
    m_bar->setRange(0, 100);
    m_bar->setValue(0);
    m_bar->setMinimumWidth(280);
    layout->addWidget(m_bar);
}

void THProgressDialog::SetCaption(const QString& caption)
{
    setWindowTitle(caption);
}

void THProgressDialog::SetRange(int minimum, int maximum)
{
    m_bar->setRange(minimum, maximum);
    m_bar->setValue(minimum);
}

void THProgressDialog::SetPosition(int position)
{
    // Out-of-range positions would be ignored by the bar; they show as its ends instead.
    m_bar->setValue(std::clamp(position, m_bar->minimum(), m_bar->maximum()));
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

int THProgressDialog::Position() const
{
    return m_bar->value();
}

int THProgressDialog::Minimum() const
{
    return m_bar->minimum();
}

int THProgressDialog::Maximum() const
{
    return m_bar->maximum();
}
