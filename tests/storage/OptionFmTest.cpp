// The options dialog offscreen: its tabs, texts and hints, the values it shows, clicks on the
// areas, the font and folder buttons, "&Set Password..." and what OK and Cancel leave behind.
#include "storage/OptionFm.h"

#include "storage/BookState.h"
#include "storage/OptionType.h"
#include "support/ScriptedPrompter.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

#include <memory>
#include <ostream>

void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}

namespace {

using Font = OptionsController::AreaFont;

// Should a scripted step fail, the modal chooser would wait for ever; this closes it.
void CloseStrayDialogLater()
{
    QTimer::singleShot(3000, [] {
        if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
            dialog->reject();
    });
}

class OptionFmTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_options.TreeFontname = QStringLiteral("Tree Sans");
        m_options.TreeFontSize = 9;
        m_options.TreeFontColor = 0x0000ff; // red
        m_options.RecListFontSize = 11;
        m_options.ConfirmDeletion = false;
        m_options.CheckOrgSameName = true;
        m_options.ToSaveSize = false;
        m_options.SetEmailer(2);
        m_options.DataDir = QStringLiteral("/srv/books/");
        m_state.ProgramFolder = QStringLiteral("/home/ann/Quillvane/");
        m_form.SetFolderChooser([this](const QString& initial, QWidget*) {
            m_folderAskedWith = initial;
            return m_folderAnswer;
        });
        m_form.SetFontChooser([this](const Font& initial, QWidget*) {
            m_fontAskedWith = initial;
            return m_fontAnswer;
        });
    }
    void TearDown() override { m_form.hide(); }

    template <typename T> T* Find(const char* name) const
    {
        T* widget = m_form.findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }
    QRadioButton* Radio(const QString& text) const
    {
        for (QRadioButton* button : m_form.findChildren<QRadioButton*>())
            if (button->text() == text)
                return button;
        ADD_FAILURE() << text.toStdString();
        return nullptr;
    }
    // Near the left edge: a check box or radio button wider than its text takes clicks only on
    // its indicator and text.
    void Click(QAbstractButton* button)
    {
        QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
    }
    // Opens a page as the user would before using its controls.
    void OnTab(const char* title) const
    {
        auto* tabs = Find<QTabWidget>("Tabs");
        for (int i = 0; i < tabs->count(); ++i)
            if (tabs->tabText(i) == QLatin1String(title))
                tabs->setCurrentIndex(i);
        QApplication::processEvents(); // lays the page out
    }

    OptionType m_options{QStringLiteral("/nonexistent/aa.ini")};
    BookState m_state;
    ScriptedPrompter m_prompter;
    OptionsController m_controller{m_options, m_state, m_prompter};
    TOptionFm m_form{m_controller};
    QString m_folderAnswer;
    QString m_folderAskedWith;
    std::optional<Font> m_fontAnswer;
    std::optional<Font> m_fontAskedWith;
};

TEST_F(OptionFmTest, ShowsTheTabsTextsAndHints)
{
    m_form.show();
    EXPECT_EQ(m_form.windowTitle(), "Options");
    auto* tabs = Find<QTabWidget>("Tabs");
    ASSERT_EQ(tabs->count(), 3);
    EXPECT_EQ(tabs->tabText(0), "General");
    EXPECT_EQ(tabs->tabText(1), "Layout");
    EXPECT_EQ(tabs->tabText(2), "File");

    struct Text
    {
        const char* object;
        const char* text;
        const char* hint;
    };
    const Text texts[] = {
        {"ConfirmDeletionBox", "Confirm on &deleting entries", ""},
        {"CheckOrgSameNameBox", "Check &imported org with the same name as the existing",
         "Check imported org with the same name to ensure org info consistency"},
        {"FontButton", "&Font...", ""},
        {"KeepSizesBox", "&Keep the sizes of areas", ""},
        {"SaveWithPasswordBox", "Save with password", ""},
        {"SetPasswordButton", "&Set Password...", ""},
        {"FolderButton", "...",
         "Select a path.\r\nThe new setting will take effect after restarting the program."},
        {"OkButton", "&OK", "Confirm the modification of settings"},
        {"CancelButton", "&Cancel", "Cancel the modification of settings"},
    };
    for (const Text& t : texts) {
        SCOPED_TRACE(t.object);
        auto* button = Find<QAbstractButton>(t.object);
        ASSERT_NE(button, nullptr);
        EXPECT_EQ(button->text(), QString::fromUtf8(t.text));
        EXPECT_EQ(button->toolTip(), QString::fromUtf8(t.hint));
    }
    EXPECT_TRUE(Find<QPushButton>("OkButton")->isDefault());
    EXPECT_EQ(Find<QLineEdit>("SampleBox")->text(), "Sample Here");
    EXPECT_TRUE(Find<QLineEdit>("DataFolderBox")->isReadOnly());

    auto* areas = Find<QGroupBox>("AreasGroup");
    EXPECT_EQ(areas->title(), "Fonts of Areas");
    EXPECT_EQ(areas->toolTip(), "Check one to define font");
    QStringList radios;
    for (QRadioButton* button : areas->findChildren<QRadioButton*>())
        radios << button->text();
    EXPECT_EQ(radios, (QStringList{"Navigation &Tree", "Entry &List", "&Edit Window"}));

    auto* emailer = Find<QComboBox>("EmailerList");
    ASSERT_EQ(emailer->count(), 2);
    EXPECT_EQ(emailer->itemText(0), "Default Emailer");
    EXPECT_EQ(emailer->itemText(1), "MS-Outlook");

    QStringList labels;
    for (QLabel* label : m_form.findChildren<QLabel*>())
        labels << label->text();
    EXPECT_TRUE(labels.contains("Emailer:"));
    EXPECT_TRUE(labels.contains("Default path of address books"));
    QStringList groups;
    for (QGroupBox* group : m_form.findChildren<QGroupBox*>())
        groups << group->title();
    EXPECT_TRUE(groups.contains("Confirmation"));
}

TEST_F(OptionFmTest, ShowingFillsTheControlsFromTheSettings)
{
    m_state.SaveWithPassword = false;
    m_form.show();
    EXPECT_FALSE(Find<QCheckBox>("ConfirmDeletionBox")->isChecked());
    EXPECT_TRUE(Find<QCheckBox>("CheckOrgSameNameBox")->isChecked());
    EXPECT_FALSE(Find<QCheckBox>("KeepSizesBox")->isChecked());
    EXPECT_FALSE(Find<QCheckBox>("SaveWithPasswordBox")->isChecked());
    EXPECT_EQ(Find<QComboBox>("EmailerList")->currentIndex(), 1);
    EXPECT_EQ(Find<QLineEdit>("DataFolderBox")->text(), "/srv/books/");
    for (QRadioButton* button : m_form.findChildren<QRadioButton*>())
        EXPECT_FALSE(button->isChecked()) << button->text().toStdString();
}

TEST_F(OptionFmTest, OkTakesTheControlsIntoTheSettings)
{
    m_form.show();
    Click(Find<QCheckBox>("ConfirmDeletionBox"));
    QTest::keyClick(Find<QComboBox>("EmailerList"), Qt::Key_Up);
    OnTab("Layout");
    Click(Find<QCheckBox>("KeepSizesBox"));
    Click(Radio("Navigation &Tree"));
    m_fontAnswer = Font{"Chosen", 12, 0x00ff00};
    Click(Find<QPushButton>("FontButton"));
    OnTab("File");
    Click(Find<QCheckBox>("SaveWithPasswordBox"));
    m_folderAnswer = QStringLiteral("/media/usb");
    Click(Find<QToolButton>("FolderButton"));

    Click(Find<QPushButton>("OkButton"));

    EXPECT_EQ(m_form.result(), QDialog::Accepted);
    EXPECT_FALSE(m_form.isVisible());
    EXPECT_TRUE(m_options.ConfirmDeletion);
    EXPECT_TRUE(m_options.ToSaveSize);
    EXPECT_EQ(m_options.WhichEmailer(), 1);
    EXPECT_FALSE(m_state.SaveWithPassword);
    EXPECT_EQ(m_options.DataDir, "/media/usb/");
    EXPECT_EQ(m_options.TreeFontname, "Chosen");
    EXPECT_EQ(m_options.TreeFontSize, 12);
    EXPECT_EQ(m_options.TreeFontColor, 0x00ff00);
}

TEST_F(OptionFmTest, CancelLeavesTheSettingsAndRestoresTheFileTab)
{
    m_form.show();
    Click(Find<QCheckBox>("ConfirmDeletionBox"));
    OnTab("File");
    Click(Find<QCheckBox>("SaveWithPasswordBox"));
    m_folderAnswer = QStringLiteral("/media/usb");
    Click(Find<QToolButton>("FolderButton"));
    ASSERT_EQ(Find<QLineEdit>("DataFolderBox")->text(), "/media/usb/");

    Click(Find<QPushButton>("CancelButton"));

    EXPECT_EQ(m_form.result(), QDialog::Rejected);
    EXPECT_FALSE(m_options.ConfirmDeletion);
    EXPECT_TRUE(m_state.SaveWithPassword);
    EXPECT_EQ(m_options.DataDir, "/srv/books/");
    EXPECT_TRUE(Find<QCheckBox>("SaveWithPasswordBox")->isChecked());
    EXPECT_EQ(Find<QLineEdit>("DataFolderBox")->text(), "/srv/books/");
}

TEST_F(OptionFmTest, SampleShowsTheSelectedAreaAndTheChosenFont)
{
    m_form.show();
    OnTab("Layout");
    auto* sample = Find<QLineEdit>("SampleBox");
    Click(Radio("Navigation &Tree"));
    EXPECT_EQ(sample->font().family(), "Tree Sans");
    EXPECT_EQ(sample->font().pointSize(), 9);
    EXPECT_EQ(sample->palette().color(QPalette::Text), QColor(255, 0, 0));
    Click(Radio("Entry &List"));
    EXPECT_EQ(sample->font().pointSize(), 11);

    // The font dialog first opens with its own starting font, later with its last answer.
    m_fontAnswer = Font{"Picked", 8, 0xff0000};
    Click(Find<QPushButton>("FontButton"));
    ASSERT_TRUE(m_fontAskedWith);
    EXPECT_EQ(m_fontAskedWith->name, "MS Sans Serif");
    EXPECT_EQ(sample->font().family(), "Picked");
    EXPECT_EQ(sample->palette().color(QPalette::Text), QColor(0, 0, 255));
    m_fontAnswer.reset();
    Click(Find<QPushButton>("FontButton"));
    EXPECT_EQ(m_fontAskedWith, (Font{"Picked", 8, 0xff0000}));
    EXPECT_EQ(sample->font().family(), "Picked");
}

TEST_F(OptionFmTest, FolderButtonShowsTheNoticeOnlyForAChoice)
{
    m_form.show();
    OnTab("File");
    Click(Find<QToolButton>("FolderButton"));
    EXPECT_EQ(m_folderAskedWith, "/srv/books/");
    EXPECT_TRUE(m_prompter.shown.empty());
    EXPECT_EQ(Find<QLineEdit>("DataFolderBox")->text(), "/srv/books/");

    m_folderAnswer = QStringLiteral("/media/usb");
    Click(Find<QToolButton>("FolderButton"));
    EXPECT_EQ(Find<QLineEdit>("DataFolderBox")->text(), "/media/usb/");
    ASSERT_EQ(m_prompter.shown.size(), 1u);
    EXPECT_EQ(m_prompter.shown[0].icon, Prompter::Icon::Information);
}

TEST_F(OptionFmTest, SetPasswordButtonChangesThePasswordAtOnce)
{
    m_prompter.passwords = {QStringLiteral("secret"), QStringLiteral("secret")};
    m_form.show();
    OnTab("File");
    Click(Find<QPushButton>("SetPasswordButton"));
    EXPECT_EQ(m_options.CurrentPassword, "secret");
    Click(Find<QPushButton>("CancelButton"));
    EXPECT_EQ(m_options.CurrentPassword, "secret");
}

TEST(FontChooserTest, OffersOnlySizesEightToTwelve)
{
    std::optional<Font> chosen;
    bool sawLimits = false;
    QTimer::singleShot(0, [&] {
        QWidget* dialog = QApplication::activeModalWidget();
        ASSERT_NE(dialog, nullptr);
        auto* size = dialog->findChild<QSpinBox*>(QStringLiteral("FontSize"));
        ASSERT_NE(size, nullptr);
        sawLimits = size->minimum() == 8 && size->maximum() == 12;
        // A starting size outside the range is offered at the nearest limit.
        EXPECT_EQ(size->value(), 12);
        size->setValue(30);
        auto* buttons = dialog->findChild<QDialogButtonBox*>();
        ASSERT_NE(buttons, nullptr);
        buttons->button(QDialogButtonBox::Ok)->click();
    });
    CloseStrayDialogLater();
    chosen = TOptionFm::ChooseFont({QStringLiteral("Serif"), 20, 0x808080}, nullptr);
    EXPECT_TRUE(sawLimits);
    ASSERT_TRUE(chosen);
    EXPECT_EQ(chosen->size, 12);
    EXPECT_EQ(chosen->color, 0x808080);
}

TEST(FontChooserTest, CancelReturnsNothing)
{
    QTimer::singleShot(0, [] {
        if (QWidget* dialog = QApplication::activeModalWidget())
            QTest::keyClick(dialog, Qt::Key_Escape);
    });
    CloseStrayDialogLater();
    EXPECT_FALSE(TOptionFm::ChooseFont({QStringLiteral("Serif"), 10, 0}, nullptr));
}

} // namespace
