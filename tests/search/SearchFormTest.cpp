// The search dialog offscreen: its controls and texts, the button rule under real clicks,
// what each button records, the three quick searches and what stays between uses.
#include "search/SearchForm.h"

#include "storage/OptionType.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using ::testing::IsEmpty;

namespace {

class SearchForm : public ::testing::Test
{
protected:
    void SetUp() override
    {
        QTemporaryDir dir;
        OptionType options(dir.filePath(QStringLiteral("aa.ini")));
        options.ReadAll();
        m_labels = SearchController::SearchableLabels(options);
        ASSERT_GE(m_labels.size(), 19);
        Open();
    }

    void Open()
    {
        m_form.SetFields(m_labels);
        m_form.open();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&m_form));
    }

    template <typename T> T* Find(const char* name)
    {
        T* widget = m_form.findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }

    QListWidget* List() { return Find<QListWidget>("FieldListBox"); }
    QPushButton* Bn(const char* name) { return Find<QPushButton>(name); }

    // A real click on the field at this position, with Ctrl to add it to the selection.
    void ClickField(int position, Qt::KeyboardModifiers modifiers = {})
    {
        QListWidget* list = List();
        const QRect rect = list->visualItemRect(list->item(position));
        ASSERT_TRUE(list->viewport()->rect().contains(rect.center())) << position;
        QTest::mouseClick(list->viewport(), Qt::LeftButton, modifiers, rect.center());
    }

    bool OrChecked()
    {
        for (QRadioButton* radio : m_form.findChildren<QRadioButton*>())
            if (radio->text() == QStringLiteral("OR"))
                return radio->isChecked();
        ADD_FAILURE() << "no OR";
        return false;
    }

    QStringList Labels(std::initializer_list<int> positions) const
    {
        QStringList labels;
        for (int position : positions)
            labels << m_labels[position];
        return labels;
    }

    QStringList m_labels;
    TSearchFm m_form;
};

TEST_F(SearchForm, ShowsItsControlsWithTheirTexts)
{
    EXPECT_EQ(m_form.windowTitle(), QStringLiteral("Search"));
    EXPECT_EQ(Bn("SearchBn")->text(), QStringLiteral("&Start Search"));
    EXPECT_EQ(Bn("SearchBn")->toolTip(), QStringLiteral("Search with new conditions"));
    EXPECT_EQ(Bn("SearchAndBn")->text(), QStringLiteral("Contin&ue to Search"));
    EXPECT_EQ(Bn("SearchAndBn")->toolTip(),
              QStringLiteral("Continue to search with previous results"));
    EXPECT_EQ(Bn("CancelBn")->text(), QStringLiteral("&Cancel"));
    EXPECT_EQ(Find<QToolButton>("BitBtn1")->toolTip(), QStringLiteral("Quick Searchs"));
    EXPECT_EQ(Find<QGroupBox>("GroupBox1")->title(), QStringLiteral("Quick Search"));
    EXPECT_EQ(Find<QGroupBox>("RadioGroup1")->title(), QStringLiteral("Logic"));
    EXPECT_FALSE(OrChecked()) << "AND preselected";
    EXPECT_EQ(Find<QLineEdit>("PlaceEd")->toolTip(),
              QStringLiteral("Input a portion of the address"));
    EXPECT_EQ(Find<QLineEdit>("PhoneEd")->toolTip(),
              QStringLiteral("Input a portion of the phone number"));

    QComboBox* months = Find<QComboBox>("MonthComboBox");
    ASSERT_EQ(months->count(), 12);
    for (int month = 1; month <= 12; ++month)
        EXPECT_EQ(months->itemText(month - 1), QLocale().monthName(month, QLocale::ShortFormat));
    EXPECT_EQ(months->currentIndex(), 0);
    QComboBox* days = Find<QComboBox>("DayComboBox");
    ASSERT_EQ(days->count(), 32);
    EXPECT_EQ(days->itemText(0), QStringLiteral("0"));
    EXPECT_EQ(days->itemText(31), QStringLiteral("31"));
    EXPECT_EQ(days->currentText(), QStringLiteral("0"));
    EXPECT_EQ(days->toolTip(), QStringLiteral("Select zero to find people born in the same month"));

    QListWidget* list = List();
    ASSERT_EQ(list->count(), m_labels.size());
    EXPECT_EQ(list->item(0)->text(), m_labels[0]);
    EXPECT_THAT(list->selectedItems(), IsEmpty());
    EXPECT_EQ(list->currentRow(), 0) << "the caret on the first field";
    EXPECT_GT(list->visualItemRect(list->item(16)).left(),
              list->visualItemRect(list->item(0)).left())
        << "the fields fill several columns";
    EXPECT_TRUE(Find<QLineEdit>("Edit1")->hasFocus());
}

TEST_F(SearchForm, ButtonsFollowTheNumberOfSelectedFields)
{
    EXPECT_FALSE(Bn("SearchBn")->isEnabled());
    EXPECT_FALSE(Bn("SearchAndBn")->isEnabled());

    ClickField(2);
    EXPECT_TRUE(Bn("SearchBn")->isEnabled());
    EXPECT_TRUE(Bn("SearchAndBn")->isEnabled());
    EXPECT_FALSE(OrChecked());

    ClickField(4, Qt::ControlModifier);
    EXPECT_TRUE(Bn("SearchBn")->isEnabled());
    EXPECT_FALSE(Bn("SearchAndBn")->isEnabled());
    EXPECT_TRUE(OrChecked()) << "several fields switch the logic to OR";

    ClickField(4, Qt::ControlModifier);
    EXPECT_TRUE(Bn("SearchAndBn")->isEnabled());
    ClickField(2, Qt::ControlModifier);
    EXPECT_FALSE(Bn("SearchBn")->isEnabled());
    EXPECT_FALSE(Bn("SearchAndBn")->isEnabled());
}

TEST_F(SearchForm, SearchButtonsRecordTheTrimmedTextAndTheLogic)
{
    struct Case
    {
        const char* button;
        std::vector<int> fields;
        SearchResult result;
        CSearchMT::Logic logic;
    };
    const Case cases[] = {
        {"SearchBn", {0}, SearchResult::Ok, CSearchMT::Logic::And},
        {"SearchAndBn", {3}, SearchResult::Retry, CSearchMT::Logic::And},
        {"SearchBn", {1, 6}, SearchResult::Ok, CSearchMT::Logic::Or},
    };
    for (const Case& c : cases) {
        if (!m_form.isVisible())
            Open();
        for (QRadioButton* radio : m_form.findChildren<QRadioButton*>())
            if (radio->text() == QStringLiteral("AND"))
                radio->setChecked(true);
        Find<QLineEdit>("Edit1")->setText(QStringLiteral("  smith "));
        for (size_t i = 0; i < c.fields.size(); ++i)
            ClickField(c.fields[i], i == 0 ? Qt::NoModifier : Qt::ControlModifier);
        QTest::mouseClick(Bn(c.button), Qt::LeftButton);
        EXPECT_FALSE(m_form.isVisible());
        const SearchRequest request = m_form.Request();
        EXPECT_EQ(request.result, c.result) << c.button;
        EXPECT_EQ(request.logic, c.logic) << c.button;
        EXPECT_EQ(request.text, QStringLiteral("smith"));
        QStringList labels;
        for (int position : c.fields)
            labels << m_labels[position];
        EXPECT_EQ(request.fields, labels);
    }
}

TEST_F(SearchForm, CancelAndEscapeCloseWithCancel)
{
    ClickField(0);
    QTest::mouseClick(Bn("CancelBn"), Qt::LeftButton);
    EXPECT_EQ(m_form.Request().result, SearchResult::Cancel);
    Open();
    QTest::keyClick(Find<QLineEdit>("Edit1"), Qt::Key_Escape);
    EXPECT_FALSE(m_form.isVisible());
    EXPECT_EQ(m_form.Request().result, SearchResult::Cancel);
}

TEST_F(SearchForm, BirthdaySearchRecordsMonthAndDay)
{
    Find<QComboBox>("MonthComboBox")->setCurrentIndex(3);
    QTest::mouseClick(Bn("BirthdayBn"), Qt::LeftButton);
    SearchRequest request = m_form.Request();
    EXPECT_EQ(request.result, SearchResult::Birthday);
    EXPECT_EQ(request.month, 4);
    EXPECT_EQ(request.day, 0);

    Open();
    Find<QComboBox>("MonthComboBox")->setCurrentIndex(11);
    QComboBox* days = Find<QComboBox>("DayComboBox");
    days->setCurrentIndex(31);
    days->setFocus();
    QTest::keyClick(days, Qt::Key_Return);
    EXPECT_FALSE(m_form.isVisible()) << "Enter in the day list presses the go button";
    request = m_form.Request();
    EXPECT_EQ(request.result, SearchResult::Birthday);
    EXPECT_EQ(request.month, 12);
    EXPECT_EQ(request.day, 31);
}

TEST_F(SearchForm, PlaceAndPhoneSearchesAddTheirFieldsAndSwitchToOr)
{
    struct Case
    {
        const char* box;
        const char* button;
        bool byEnter;
        QStringList fields;
    };
    const Case cases[] = {
        {"PlaceEd", "PlaceBn", false, Labels({0, 5, 14, 15})},
        {"PlaceEd", "PlaceBn", true, Labels({0, 5, 14, 15})},
        {"PhoneEd", "PhoneBn", false, Labels({0, 8, 9, 10, 11, 13, 17, 18})},
        {"PhoneEd", "PhoneBn", true, Labels({0, 8, 9, 10, 11, 13, 17, 18})},
    };
    for (const Case& c : cases) {
        if (!m_form.isVisible())
            Open();
        ClickField(0);
        QLineEdit* box = Find<QLineEdit>(c.box);
        box->setText(QStringLiteral(" Leeds  "));
        Find<QLineEdit>("Edit1")->setText(QStringLiteral("other"));
        if (c.byEnter)
            QTest::keyClick(box, Qt::Key_Return);
        else
            QTest::mouseClick(Bn(c.button), Qt::LeftButton);
        EXPECT_FALSE(m_form.isVisible()) << c.button;
        const SearchRequest request = m_form.Request();
        EXPECT_EQ(request.result, SearchResult::Ok) << c.button;
        EXPECT_EQ(request.logic, CSearchMT::Logic::Or);
        EXPECT_EQ(request.text, QStringLiteral("Leeds"));
        EXPECT_EQ(request.fields, c.fields) << c.button;
    }
}

TEST_F(SearchForm, AShortFieldListTakesTheFieldsThereAre)
{
    m_form.SetFields(m_labels.mid(0, 10));
    QTest::mouseClick(Bn("PhoneBn"), Qt::LeftButton);
    EXPECT_EQ(m_form.Request().fields, Labels({8, 9}));
}

TEST_F(SearchForm, ReopeningKeepsTheTextsAndClearsTheSelection)
{
    Find<QLineEdit>("Edit1")->setText(QStringLiteral("smith"));
    Find<QLineEdit>("PlaceEd")->setText(QStringLiteral("Leeds"));
    Find<QLineEdit>("PhoneEd")->setText(QStringLiteral("555"));
    ClickField(1);
    ClickField(2, Qt::ControlModifier);
    QTest::mouseClick(Bn("SearchBn"), Qt::LeftButton);

    Open();
    EXPECT_EQ(Find<QLineEdit>("Edit1")->text(), QStringLiteral("smith"));
    EXPECT_EQ(Find<QLineEdit>("PlaceEd")->text(), QStringLiteral("Leeds"));
    EXPECT_EQ(Find<QLineEdit>("PhoneEd")->text(), QStringLiteral("555"));
    EXPECT_THAT(List()->selectedItems(), IsEmpty());
    EXPECT_FALSE(Bn("SearchBn")->isEnabled());
    EXPECT_FALSE(Bn("SearchAndBn")->isEnabled());
}

TEST_F(SearchForm, TheToggleShowsAndHidesTheQuickSearches)
{
    QGroupBox* group = Find<QGroupBox>("GroupBox1");
    EXPECT_TRUE(m_form.QuickSearchOpen());
    EXPECT_TRUE(group->isVisible());
    const int openHeight = m_form.height();
    QTest::mouseClick(Find<QToolButton>("BitBtn1"), Qt::LeftButton);
    EXPECT_FALSE(m_form.QuickSearchOpen());
    EXPECT_FALSE(group->isVisible());
    QTest::qWait(0);
    EXPECT_LT(m_form.height(), openHeight) << "the dialog shrinks to its contents";
    QTest::mouseClick(Find<QToolButton>("BitBtn1"), Qt::LeftButton);
    EXPECT_TRUE(m_form.QuickSearchOpen());
    EXPECT_TRUE(group->isVisible());

    TSearchFm closed;
    closed.SetQuickSearchOpen(false);
    closed.SetFields(m_labels);
    closed.open();
    EXPECT_FALSE(closed.findChild<QGroupBox*>(QStringLiteral("GroupBox1"))->isVisible());
    EXPECT_FALSE(closed.QuickSearchOpen()) << "hidden at start-up stays hidden";
    closed.reject();
}

TEST_F(SearchForm, SitsBesideTheRightPanel)
{
    QWidget window;
    window.resize(800, 600);
    window.move(40, 30);
    auto* panel = new QWidget(&window);
    panel->setGeometry(300, 50, 400, 500);
    window.show();
    m_form.PlaceBeside(window, panel);
    EXPECT_EQ(m_form.pos(), QPoint(window.x() + 300, window.y() + 65));
}

} // namespace
