// The options dialog's controls and the font chooser: building the three tabs, showing the
// controller's state and handing each click, choice and the closing buttons to it.
#include "storage/OptionFm.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFontComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QShowEvent>
#include <QSpinBox>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include <array>

namespace {

using Area = OptionsController::FontArea;
using AreaFont = OptionsController::AreaFont;

// Settings colours keep red in the lowest byte, then green, then blue.
QColor ToQColor(std::int32_t color)
{
    const auto bits = static_cast<std::uint32_t>(color);
    return QColor(static_cast<int>(bits & 0xff), static_cast<int>((bits >> 8) & 0xff),
                  static_cast<int>((bits >> 16) & 0xff));
}

void ShowFont(QWidget* widget, const AreaFont& font)
{
    QFont qfont(font.name);
    qfont.setPointSize(font.size > 0 ? font.size : 10);
    widget->setFont(qfont);
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Text, ToQColor(font.color));
    palette.setColor(QPalette::WindowText, ToQColor(font.color));
    widget->setPalette(palette);
}

struct NamedColor
{
    const char* name;
    std::int32_t color;
};

// The sixteen plain colours a font choice offers.
constexpr std::array<NamedColor, 16> FontColors{{
    {"Black", 0x000000},
    {"Maroon", 0x000080},
    {"Green", 0x008000},
    {"Olive", 0x008080},
    {"Navy", 0x800000},
    {"Purple", 0x800080},
    {"Teal", 0x808000},
    {"Gray", 0x808080},
    {"Silver", 0xc0c0c0},
    {"Red", 0x0000ff},
    {"Lime", 0x00ff00},
    {"Yellow", 0x00ffff},
    {"Blue", 0xff0000},
    {"Fuchsia", 0xff00ff},
    {"Aqua", 0xffff00},
    {"White", 0xffffff},
}};

QIcon Swatch(std::int32_t color)
{
    QPixmap pixmap(16, 16);
    pixmap.fill(ToQColor(color));
    return QIcon(pixmap);
}

} // namespace

TOptionFm::TOptionFm(OptionsController& controller, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      m_controller(controller), m_fontChooser(&TOptionFm::ChooseFont),
      m_folderChooser([](const QString& initial, QWidget* owner) {
          return QFileDialog::getExistingDirectory(owner, QString(), initial);
      })
{
    setWindowTitle(QStringLiteral("Options"));

    auto* tabs = new QTabWidget(this);
    tabs->setObjectName(QStringLiteral("Tabs"));
    BuildGeneralTab(tabs);
    BuildLayoutTab(tabs);
    BuildFileTab(tabs);

    m_ok = new QPushButton(QStringLiteral("&OK"), this);
    m_ok->setObjectName(QStringLiteral("OkButton"));
    m_ok->setToolTip(QStringLiteral("Confirm the modification of settings"));
    m_ok->setDefault(true);
    m_cancel = new QPushButton(QStringLiteral("&Cancel"), this);
    m_cancel->setObjectName(QStringLiteral("CancelButton"));
    m_cancel->setToolTip(QStringLiteral("Cancel the modification of settings"));
    connect(m_ok, &QPushButton::clicked, this, &TOptionFm::accept);
    connect(m_cancel, &QPushButton::clicked, this, &TOptionFm::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_ok);
    buttons->addWidget(m_cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs);
    layout->addLayout(buttons);
    // A fixed frame: the dialog keeps the size its controls need.
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void TOptionFm::BuildGeneralTab(QTabWidget* tabs)
{
    auto* page = new QWidget;
    auto* confirmation = new QGroupBox(QStringLiteral("Confirmation"), page);
    m_confirmDeletion = new QCheckBox(QStringLiteral("Confirm on &deleting entries"));
    m_confirmDeletion->setObjectName(QStringLiteral("ConfirmDeletionBox"));
    m_checkOrgSameName =
        new QCheckBox(QStringLiteral("Check &imported org with the same name as the existing"));
    m_checkOrgSameName->setObjectName(QStringLiteral("CheckOrgSameNameBox"));
    m_checkOrgSameName->setToolTip(
        QStringLiteral("Check imported org with the same name to ensure org info consistency"));
    auto* confirmationLayout = new QVBoxLayout(confirmation);
    confirmationLayout->addWidget(m_confirmDeletion);
    confirmationLayout->addWidget(m_checkOrgSameName);

    m_emailer = new QComboBox;
    m_emailer->setObjectName(QStringLiteral("EmailerList"));
    m_emailer->addItems({QStringLiteral("Default Emailer"), QStringLiteral("MS-Outlook")});
    auto* emailerLabel = new QLabel(QStringLiteral("Emailer:"));
    emailerLabel->setBuddy(m_emailer);
    auto* emailerRow = new QHBoxLayout;
    emailerRow->addWidget(emailerLabel);
    emailerRow->addWidget(m_emailer);
    emailerRow->addStretch();

    auto* layout = new QVBoxLayout(page);
    layout->addWidget(confirmation);
    layout->addLayout(emailerRow);
    layout->addStretch();
    tabs->addTab(page, QStringLiteral("General"));

    connect(m_confirmDeletion, &QCheckBox::toggled, this,
            [this](bool on) { m_controller.SetConfirmDeletion(on); });
    connect(m_checkOrgSameName, &QCheckBox::toggled, this,
            [this](bool on) { m_controller.SetCheckOrgSameName(on); });
    connect(m_emailer, &QComboBox::activated, this,
            [this](int index) { m_controller.SetEmailerIndex(index); });
}

void TOptionFm::BuildLayoutTab(QTabWidget* tabs)
{
    auto* page = new QWidget;
    m_fontButton = new QPushButton(QStringLiteral("&Font..."));
    m_fontButton->setObjectName(QStringLiteral("FontButton"));
    m_sample = new QLineEdit(QStringLiteral("Sample Here"));
    m_sample->setObjectName(QStringLiteral("SampleBox"));
    auto* fontRow = new QHBoxLayout;
    fontRow->addWidget(m_fontButton);
    fontRow->addWidget(m_sample);

    auto* areas = new QGroupBox(QStringLiteral("Fonts of Areas"));
    areas->setObjectName(QStringLiteral("AreasGroup"));
    areas->setToolTip(QStringLiteral("Check one to define font"));
    m_areas = new QButtonGroup(this);
    auto* areasLayout = new QVBoxLayout(areas);
    const std::array<std::pair<QString, Area>, 3> choices{{
        {QStringLiteral("Navigation &Tree"), Area::Tree},
        {QStringLiteral("Entry &List"), Area::RecList},
        {QStringLiteral("&Edit Window"), Area::RecView},
    }};
    for (const auto& [text, area] : choices) {
        auto* button = new QRadioButton(text);
        m_areas->addButton(button, static_cast<int>(area));
        areasLayout->addWidget(button);
    }

    m_keepSizes = new QCheckBox(QStringLiteral("&Keep the sizes of areas"));
    m_keepSizes->setObjectName(QStringLiteral("KeepSizesBox"));

    auto* layout = new QVBoxLayout(page);
    layout->addLayout(fontRow);
    layout->addWidget(areas);
    layout->addWidget(m_keepSizes);
    layout->addStretch();
    tabs->addTab(page, QStringLiteral("Layout"));

    connect(m_fontButton, &QPushButton::clicked, this, &TOptionFm::FontClick);
    connect(m_areas, &QButtonGroup::idClicked, this, [this](int id) {
        m_controller.SelectArea(static_cast<Area>(id));
        ShowSample();
    });
    connect(m_keepSizes, &QCheckBox::toggled, this,
            [this](bool on) { m_controller.SetToSaveSize(on); });
}

void TOptionFm::BuildFileTab(QTabWidget* tabs)
{
    auto* page = new QWidget;
    m_saveWithPassword = new QCheckBox(QStringLiteral("Save with password"));
    m_saveWithPassword->setObjectName(QStringLiteral("SaveWithPasswordBox"));
    m_saveWithPassword->setChecked(true);
    m_setPassword = new QPushButton(QStringLiteral("&Set Password..."));
    m_setPassword->setObjectName(QStringLiteral("SetPasswordButton"));
    auto* passwordRow = new QHBoxLayout;
    passwordRow->addWidget(m_saveWithPassword);
    passwordRow->addStretch();
    passwordRow->addWidget(m_setPassword);

    m_dataFolder = new QLineEdit;
    m_dataFolder->setObjectName(QStringLiteral("DataFolderBox"));
    m_dataFolder->setReadOnly(true);
    m_dataFolder->setMinimumWidth(280);
    m_folderButton = new QToolButton;
    m_folderButton->setObjectName(QStringLiteral("FolderButton"));
    m_folderButton->setText(QStringLiteral("..."));
    m_folderButton->setToolTip(QStringLiteral(
        "Select a path.\r\nThe new setting will take effect after restarting the program."));
    auto* folderLabel = new QLabel(QStringLiteral("Default path of address books"));
    folderLabel->setBuddy(m_dataFolder);
    auto* folderRow = new QHBoxLayout;
    folderRow->addWidget(m_dataFolder);
    folderRow->addWidget(m_folderButton);

    auto* layout = new QVBoxLayout(page);
    layout->addLayout(passwordRow);
    layout->addWidget(folderLabel);
    layout->addLayout(folderRow);
    layout->addStretch();
    tabs->addTab(page, QStringLiteral("File"));

    connect(m_saveWithPassword, &QCheckBox::toggled, this,
            [this](bool on) { m_controller.SetSaveWithPassword(on); });
    connect(m_setPassword, &QPushButton::clicked, this, [this] { m_controller.SetPassword(); });
    connect(m_folderButton, &QToolButton::clicked, this, &TOptionFm::FolderClick);
}

void TOptionFm::showEvent(QShowEvent* event)
{
    // A window restored by the desktop is not a new showing of the dialog.
    if (!event->spontaneous()) {
        m_controller.Begin();
        ShowState();
        if (const QScreen* screen = this->screen()) {
            QRect frame = frameGeometry();
            frame.moveCenter(screen->availableGeometry().center());
            move(frame.topLeft());
        }
    }
    QDialog::showEvent(event);
}

void TOptionFm::ShowState()
{
    m_confirmDeletion->setChecked(m_controller.ConfirmDeletion());
    m_checkOrgSameName->setChecked(m_controller.CheckOrgSameName());
    m_keepSizes->setChecked(m_controller.ToSaveSize());
    m_emailer->setCurrentIndex(m_controller.EmailerIndex());
    m_saveWithPassword->setChecked(m_controller.SaveWithPassword());
    m_dataFolder->setText(m_controller.FolderText());

    const Area area = m_controller.Area();
    if (area == Area::None) {
        // An exclusive group never unchecks its last button by itself.
        m_areas->setExclusive(false);
        for (QAbstractButton* button : m_areas->buttons())
            button->setChecked(false);
        m_areas->setExclusive(true);
    } else {
        m_areas->button(static_cast<int>(area))->setChecked(true);
        ShowSample();
    }
}

void TOptionFm::ShowSample()
{
    ShowFont(m_sample, m_controller.SampleFont());
}

void TOptionFm::FontClick()
{
    if (const std::optional<AreaFont> chosen = m_fontChooser(m_controller.FontDialogFont(), this)) {
        m_controller.TakeChosenFont(*chosen);
        ShowSample();
    }
}

void TOptionFm::FolderClick()
{
    const QString folder = m_folderChooser(m_dataFolder->text().trimmed(), this);
    if (folder.isEmpty())
        return;
    m_controller.TakeChosenFolder(folder);
    m_dataFolder->setText(m_controller.FolderText());
}

void TOptionFm::accept()
{
    m_controller.Accept();
    QDialog::accept();
}

void TOptionFm::reject()
{
    m_controller.Cancel();
    m_saveWithPassword->setChecked(m_controller.SaveWithPassword());
    m_dataFolder->setText(m_controller.FolderText());
    QDialog::reject();
}

std::optional<TOptionFm::AreaFont> TOptionFm::ChooseFont(const AreaFont& initial, QWidget* parent)
{
    QDialog dialog(parent);
    dialog.setWindowTitle(QStringLiteral("Font"));

    auto* name = new QFontComboBox(&dialog);
    name->setObjectName(QStringLiteral("FontName"));
    name->setCurrentFont(QFont(initial.name));
    auto* size = new QSpinBox(&dialog);
    size->setObjectName(QStringLiteral("FontSize"));
    size->setRange(MinFontSize, MaxFontSize);
    size->setValue(initial.size);
    auto* color = new QComboBox(&dialog);
    color->setObjectName(QStringLiteral("FontColor"));
    for (const NamedColor& named : FontColors)
        color->addItem(Swatch(named.color), QString::fromLatin1(named.name), named.color);
    int colorIndex = color->findData(initial.color);
    if (colorIndex < 0) {
        color->addItem(Swatch(initial.color), QStringLiteral("Custom"), initial.color);
        colorIndex = color->count() - 1;
    }
    color->setCurrentIndex(colorIndex);

    auto* sample = new QLabel(QStringLiteral("AaBbYyZz"), &dialog);
    sample->setObjectName(QStringLiteral("FontSample"));
    sample->setMinimumHeight(40);
    const auto showSample = [=] {
        ShowFont(sample, {name->currentFont().family(), size->value(),
                          color->currentData().value<std::int32_t>()});
    };
    connect(name, &QFontComboBox::currentFontChanged, &dialog, showSample);
    connect(size, &QSpinBox::valueChanged, &dialog, showSample);
    connect(color, &QComboBox::currentIndexChanged, &dialog, showSample);
    showSample();

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);

    auto* form = new QFormLayout(&dialog);
    form->addRow(QStringLiteral("&Font:"), name);
    form->addRow(QStringLiteral("&Size:"), size);
    form->addRow(QStringLiteral("&Colour:"), color);
    form->addRow(sample);
    form->addRow(buttons);

    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return AreaFont{name->currentFont().family(), size->value(),
                    color->currentData().value<std::int32_t>()};
}
