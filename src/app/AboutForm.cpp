// The about window: four text labels, the link label that opens the home page in the
// desktop's browser, and the OK button.
#include "app/AboutForm.h"

#include <QDesktopServices>
#include <QLabel>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

namespace {

const QString kHomePage = QStringLiteral("https://quillvane.example.org/");

} // namespace

TAboutFm::TAboutFm(QWidget* parent) : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("AboutFm"));
    setWindowTitle(QStringLiteral("About Quillvane"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 18, 24, 18);
    const QStringList texts = {QStringLiteral("Quillvane"), QStringLiteral("Address book manager"),
                               QStringLiteral("Version 0.1"),
                               QStringLiteral("Keeps people, their organizations and categories")};
    for (int i = 0; i < texts.size(); ++i) {
        auto* label = new QLabel(texts.at(i), this);
        label->setObjectName(QStringLiteral("Label%1").arg(i + 1));
        label->setAlignment(Qt::AlignCenter);
        layout->addWidget(label);
    }
    m_link = new QLabel(QStringLiteral("<a href=\"%1\">%1</a>").arg(kHomePage), this);
    m_link->setObjectName(QStringLiteral("LinkLabel"));
    m_link->setAlignment(Qt::AlignCenter);
    m_link->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    connect(m_link, &QLabel::linkActivated, this,
            [](const QString& link) { QDesktopServices::openUrl(QUrl(link)); });
    layout->addWidget(m_link);
    m_okButton = new QPushButton(QStringLiteral("OK"), this);
    m_okButton->setObjectName(QStringLiteral("OKButton"));
    m_okButton->setDefault(true);
    connect(m_okButton, &QPushButton::clicked, this, &QDialog::accept);
    layout->addWidget(m_okButton, 0, Qt::AlignHCenter);
}

void TAboutFm::SetOkButtonVisible(bool visible)
{
    m_okButton->setVisible(visible);
}

QString TAboutFm::LinkText() const
{
    return kHomePage;
}
