// The search dialog's controls: the layout, the button rule and what each button records
// before the dialog closes.
#include "search/SearchForm.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

constexpr int kFieldColumns = 3;
constexpr int kFieldRows = 8;
constexpr int kFieldColumnWidth = 110;
constexpr int kDialogTopOffset = 65;

QPushButton* Button(const char* name, const QString& caption, const QString& hint, QWidget* parent)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setToolTip(hint);
    // Enter belongs to the box it was typed in, never to whichever button is the default.
    button->setAutoDefault(false);
    return button;
}

QPushButton* GoButton(const char* name, QWidget* parent)
{
    return Button(name, QStringLiteral("Go"), {}, parent);
}

QLineEdit* TextBox(const char* name, const QString& hint, QWidget* parent)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setToolTip(hint);
    return edit;
}

} // namespace

TSearchFm::TSearchFm(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("SearchFm"));
    setWindowTitle(QStringLiteral("Search"));

    m_edit1 = TextBox("Edit1", {}, this);

    auto* logic = new QGroupBox(QStringLiteral("Logic"), this);
    logic->setObjectName(QStringLiteral("RadioGroup1"));
    m_and = new QRadioButton(QStringLiteral("AND"), logic);
    m_or = new QRadioButton(QStringLiteral("OR"), logic);
    m_and->setChecked(true);
    auto* logicLayout = new QVBoxLayout(logic);
    logicLayout->addWidget(m_and);
    logicLayout->addWidget(m_or);
    logicLayout->addStretch();

    // Three columns filled top to bottom.
    m_fieldListBox = new QListWidget(this);
    m_fieldListBox->setObjectName(QStringLiteral("FieldListBox"));
    m_fieldListBox->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_fieldListBox->setFlow(QListView::TopToBottom);
    m_fieldListBox->setWrapping(true);
    m_fieldListBox->setUniformItemSizes(true);
    const int rowHeight = m_fieldListBox->fontMetrics().height() + 4;
    m_fieldListBox->setGridSize(QSize(kFieldColumnWidth, rowHeight));
    m_fieldListBox->setFixedSize(kFieldColumns * kFieldColumnWidth + 6, kFieldRows * rowHeight + 6);
    connect(m_fieldListBox, &QListWidget::itemSelectionChanged, this, &TSearchFm::ApplyButtonRule);

    m_searchBn = Button("SearchBn", QStringLiteral("&Start Search"),
                        QStringLiteral("Search with new conditions"), this);
    m_cancelBn = Button("CancelBn", QStringLiteral("&Cancel"), {}, this);
    m_searchAndBn = Button("SearchAndBn", QStringLiteral("Contin&ue to Search"),
                           QStringLiteral("Continue to search with previous results"), this);
    m_bitBtn1 = new QToolButton(this);
    m_bitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    m_bitBtn1->setToolTip(QStringLiteral("Quick Searchs"));
    m_bitBtn1->setArrowType(Qt::DownArrow);
    connect(m_searchBn, &QPushButton::clicked, this, [this] { Record(SearchResult::Ok); });
    connect(m_searchAndBn, &QPushButton::clicked, this, [this] { Record(SearchResult::Retry); });
    connect(m_cancelBn, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_bitBtn1, &QToolButton::clicked, this,
            [this] { SetQuickSearchOpen(!m_quickSearchOpen); });

    m_groupBox1 = new QGroupBox(QStringLiteral("Quick Search"), this);
    m_groupBox1->setObjectName(QStringLiteral("GroupBox1"));
    m_monthComboBox = new QComboBox(m_groupBox1);
    m_monthComboBox->setObjectName(QStringLiteral("MonthComboBox"));
    const QLocale locale;
    for (int month = 1; month <= 12; ++month)
        m_monthComboBox->addItem(locale.monthName(month, QLocale::ShortFormat));
    m_dayComboBox = new QComboBox(m_groupBox1);
    m_dayComboBox->setObjectName(QStringLiteral("DayComboBox"));
    m_dayComboBox->setToolTip(QStringLiteral("Select zero to find people born in the same month"));
    for (int day = 0; day <= 31; ++day)
        m_dayComboBox->addItem(QString::number(day));
    m_monthComboBox->installEventFilter(this);
    m_dayComboBox->installEventFilter(this);
    m_birthdayBn = GoButton("BirthdayBn", m_groupBox1);
    m_placeEd = TextBox("PlaceEd", QStringLiteral("Input a portion of the address"), m_groupBox1);
    m_placeBn = GoButton("PlaceBn", m_groupBox1);
    m_phoneEd =
        TextBox("PhoneEd", QStringLiteral("Input a portion of the phone number"), m_groupBox1);
    m_phoneBn = GoButton("PhoneBn", m_groupBox1);
    connect(m_birthdayBn, &QPushButton::clicked, this, &TSearchFm::BirthdayBnClick);
    connect(m_placeBn, &QPushButton::clicked, this, [this] {
        QuickFieldSearch({5, 14, 15}, m_placeEd);
    });
    connect(m_phoneBn, &QPushButton::clicked, this, [this] {
        QuickFieldSearch({8, 9, 10, 11, 13, 17, 18}, m_phoneEd);
    });
    connect(m_placeEd, &QLineEdit::returnPressed, m_placeBn, &QPushButton::click);
    connect(m_phoneEd, &QLineEdit::returnPressed, m_phoneBn, &QPushButton::click);

    auto* quick = new QVBoxLayout(m_groupBox1);
    quick->addWidget(new QLabel(QStringLiteral("For people  born on the same day or in same month"),
                                m_groupBox1));
    auto* birthday = new QHBoxLayout;
    birthday->addWidget(new QLabel(QStringLiteral("Month"), m_groupBox1));
    birthday->addWidget(m_monthComboBox);
    birthday->addWidget(new QLabel(QStringLiteral("Day"), m_groupBox1));
    birthday->addWidget(m_dayComboBox);
    birthday->addStretch();
    birthday->addWidget(m_birthdayBn);
    quick->addLayout(birthday);
    quick->addWidget(new QLabel(
        QStringLiteral("To find people living or working in the same place"), m_groupBox1));
    auto* place = new QHBoxLayout;
    place->addWidget(m_placeEd, 1);
    place->addWidget(m_placeBn);
    quick->addLayout(place);
    quick->addWidget(new QLabel(QStringLiteral("To find whose phone it is"), m_groupBox1));
    auto* phone = new QHBoxLayout;
    phone->addWidget(m_phoneEd, 1);
    phone->addWidget(m_phoneBn);
    quick->addLayout(phone);

    auto* buttons = new QVBoxLayout;
    buttons->addWidget(m_searchBn);
    buttons->addWidget(m_searchAndBn);
    buttons->addWidget(m_cancelBn);
    buttons->addStretch();
    buttons->addWidget(m_bitBtn1, 0, Qt::AlignRight);

    auto* fields = new QVBoxLayout;
    fields->addWidget(new QLabel(QStringLiteral("Content to search"), this));
    fields->addWidget(m_edit1);
    fields->addWidget(new QLabel(QStringLiteral("Which field to search:"), this));
    fields->addWidget(m_fieldListBox);

    auto* top = new QHBoxLayout;
    top->addWidget(logic);
    top->addLayout(fields);
    top->addLayout(buttons);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(m_groupBox1);
    // A fixed dialog: its size follows its contents, with or without the quick searches.
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void TSearchFm::SetFields(const QStringList& labels)
{
    m_fieldListBox->clear();
    m_fieldListBox->addItems(labels);
    if (!labels.isEmpty())
        m_fieldListBox->selectionModel()->setCurrentIndex(m_fieldListBox->model()->index(0, 0),
                                                          QItemSelectionModel::NoUpdate);
    ApplyButtonRule();
}

void TSearchFm::PlaceBeside(const QWidget& window, const QWidget* rightPanel)
{
    const int panelLeft = rightPanel ? rightPanel->mapTo(&window, QPoint(0, 0)).x() : 0;
    move(window.x() + panelLeft, window.y() + kDialogTopOffset);
}

void TSearchFm::SetQuickSearchOpen(bool open)
{
    m_quickSearchOpen = open;
    m_groupBox1->setVisible(open);
    m_bitBtn1->setArrowType(open ? Qt::UpArrow : Qt::DownArrow);
}

SearchRequest TSearchFm::Run()
{
    exec();
    return Request();
}

SearchRequest TSearchFm::Request() const
{
    SearchRequest request = m_request;
    request.result = SearchResult(result());
    for (int row = 0; row < m_fieldListBox->count(); ++row)
        if (m_fieldListBox->item(row)->isSelected())
            request.fields << m_fieldListBox->item(row)->text();
    return request;
}

void TSearchFm::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    ApplyButtonRule();
    m_edit1->setFocus();
}

bool TSearchFm::eventFilter(QObject* watched, QEvent* event)
{
    if ((watched == m_monthComboBox || watched == m_dayComboBox) &&
        event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            m_birthdayBn->click();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TSearchFm::ApplyButtonRule()
{
    const auto selected = m_fieldListBox->selectedItems().size();
    m_searchBn->setEnabled(selected >= 1);
    m_searchAndBn->setEnabled(selected == 1);
    if (selected >= 2)
        m_or->setChecked(true);
}

void TSearchFm::Record(SearchResult result)
{
    m_request.logic = m_or->isChecked() ? CSearchMT::Logic::Or : CSearchMT::Logic::And;
    m_request.text = m_edit1->text().trimmed();
    done(int(result));
}

void TSearchFm::BirthdayBnClick()
{
    m_request.month = m_monthComboBox->currentIndex() + 1;
    m_request.day = m_dayComboBox->currentIndex();
    done(int(SearchResult::Birthday));
}

void TSearchFm::QuickFieldSearch(std::initializer_list<int> positions, const QLineEdit* text)
{
    // With fewer fields listed than the search names, it takes the ones there are.
    for (int position : positions)
        if (QListWidgetItem* item = m_fieldListBox->item(position))
            item->setSelected(true);
    m_request.logic = CSearchMT::Logic::Or;
    m_request.text = text->text().trimmed();
    done(int(SearchResult::Ok));
}
