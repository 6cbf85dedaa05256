// The entry edit window: its controls and their bindings to the two tables, the key
// preview, the popups' placement, and the events handed to its controller.
#include "editing/MainEdit.h"

#include <QAbstractItemView>
#include <QAction>
#include <QCalendarWidget>
#include <QComboBox>
#include <QDateEdit>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <QToolTip>
#include <QVBoxLayout>

#include "editing/CategoryListDlg.h"
#include "editing/CompanyNameDlg.h"
#include "editing/NameEditDlg.h"
#include "editing/ViewTextForm.h"
#include "navigation/FocusChange.h"

namespace {

constexpr int kClientWidth = 410;
constexpr int kClientHeight = 451;
constexpr int kMinimumWidth = 388;
constexpr int kPickerMinimumWidth = 140;
// The day the date box shows blank: the table's "no date".
const QDate kNoDate(1899, 12, 30);

QIcon GlyphIcon(const QString& glyph)
{
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    QFont font = painter.font();
    font.setBold(true);
    font.setPixelSize(12);
    painter.setFont(font);
    painter.setPen(Qt::darkBlue);
    painter.drawText(pixmap.rect(), Qt::AlignCenter, glyph);
    return QIcon(pixmap);
}

QLabel* MakeLabel(const QString& text, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    QFont font(QStringLiteral("Arial Narrow"));
    font.setStretch(QFont::SemiCondensed);
    label->setFont(font);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, QColor(0, 0, 128)); // navy
    label->setPalette(palette);
    return label;
}

QGridLayout* MakeGrid(QGroupBox* group)
{
    auto* grid = new QGridLayout(group);
    grid->setContentsMargins(4, 2, 4, 2);
    grid->setHorizontalSpacing(4);
    grid->setVerticalSpacing(1);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);
    return grid;
}

bool IsEnter(const QEvent* event)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    const int key = static_cast<const QKeyEvent*>(event)->key();
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

// Leaving a box counts when the focus goes to another control of the window, not when a
// popup, a message box or another window takes it for a while.
bool IsLeaving(const QEvent* event)
{
    return event->type() == QEvent::FocusOut &&
           ControlFocusChange(*static_cast<const QFocusEvent*>(event));
}

} // namespace

TEditFm::TEditFm(QWidget* parent)
    : QDialog(parent,
              Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("EditFm"));
    CreateControls();
    setMinimumWidth(kMinimumWidth);
    resize(kClientWidth, kClientHeight);
    m_nameParts = new TNameEditDlg(this);
    m_companyName = new TCompanyNameDlg(this);
}

TEditFm::~TEditFm() = default;

void TEditFm::CreateControls()
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 2, 0, 4);
    layout->setSpacing(2);

    m_nameGroup = new QGroupBox(this);
    m_nameGroup->setObjectName(QStringLiteral("NameGroup"));
    auto* nameGrid = MakeGrid(m_nameGroup);
    m_nameEd = new QLineEdit(m_nameGroup);
    m_nameEd->setObjectName(QStringLiteral("NameEd"));
    m_nameEdButton =
        m_nameEd->addAction(GlyphIcon(QStringLiteral("\u2026")), QLineEdit::TrailingPosition);
    m_nameEdButton->setObjectName(QStringLiteral("NameEdButton"));
    m_nameEdButton->setToolTip(QStringLiteral("Define surname and givenname manually"));
    nameGrid->addWidget(MakeLabel(QStringLiteral("Name"), m_nameGroup), 0, 0);
    nameGrid->addWidget(m_nameEd, 0, 1, 1, 3);
    m_positionEd = new QComboBox(m_nameGroup);
    m_positionEd->setObjectName(QStringLiteral("PositionEd"));
    m_positionEd->setEditable(true);
    m_positionEd->setInsertPolicy(QComboBox::NoInsert);
    m_positionEd->setCompleter(nullptr);
    nameGrid->addWidget(MakeLabel(QStringLiteral("Position"), m_nameGroup), 1, 0);
    nameGrid->addWidget(m_positionEd, 1, 1, 1, 3);
    m_tabOrder << m_nameEd << m_positionEd;
    layout->addWidget(m_nameGroup);

    m_workGroup = new QGroupBox(QStringLiteral("Work"), this);
    m_workGroup->setObjectName(QStringLiteral("WorkGroup"));
    auto* work = MakeGrid(m_workGroup);
    m_companyLk = new QComboBox(m_workGroup);
    m_companyLk->setObjectName(QStringLiteral("CompanyLk"));
    m_companyLk->setEditable(true);
    m_companyLk->setInsertPolicy(QComboBox::NoInsert);
    m_companyLk->setCompleter(nullptr);
    m_companyLk->setMaxVisibleItems(11);
    m_companyLk->setToolTip(QStringLiteral("Type the name for new org;\nor drop down the list to "
                                           "select an existing one;\nor double-click to edit "
                                           "the name"));
    work->addWidget(MakeLabel(QStringLiteral("Org"), m_workGroup), 0, 0);
    work->addWidget(m_companyLk, 0, 1, 1, 3);
    m_tabOrder << m_companyLk;
    AddText(work, 1, 0, QStringLiteral("Address"), QStringLiteral("CAddressEd"), true,
            QStringLiteral("CAddress"), 3);
    AddText(work, 2, 0, QStringLiteral("Zip"), QStringLiteral("CZipEd"), true,
            QStringLiteral("CZip"));
    AddText(work, 2, 2, QStringLiteral("Phone"), QStringLiteral("CphoneEd"), true,
            QStringLiteral("CPhone"));
    AddText(work, 3, 0, QStringLiteral("Direct"), QStringLiteral("DirectEd"), false,
            QStringLiteral("DPhone"));
    AddText(work, 3, 2, QStringLiteral("Fax"), QStringLiteral("CFaxEd"), true,
            QStringLiteral("CFax"));
    AddText(work, 4, 0, QStringLiteral("E-Mail"), QStringLiteral("CEMailEd"), true,
            QStringLiteral("CEMail"), 3);
    m_cMemoEd = AddMemo(work, 5, QStringLiteral("Memo"), QStringLiteral("CMemoEd"),
                        QStringLiteral("Double-click to view and edit"));
    layout->addWidget(m_workGroup);

    m_homeGroup = new QGroupBox(QStringLiteral("Home"), this);
    m_homeGroup->setObjectName(QStringLiteral("HomeGroup"));
    auto* home = MakeGrid(m_homeGroup);
    AddText(home, 0, 0, QStringLiteral("Address"), QStringLiteral("AddressEd"), false,
            QStringLiteral("Address"), 3);
    AddText(home, 1, 0, QStringLiteral("Zip"), QStringLiteral("ZipEd"), false,
            QStringLiteral("Zip"));
    AddText(home, 1, 2, QStringLiteral("Phone"), QStringLiteral("PhoneEd"), false,
            QStringLiteral("Phone"));
    AddText(home, 2, 0, QStringLiteral("Fax"), QStringLiteral("FaxEd"), false,
            QStringLiteral("Fax"));
    AddText(home, 2, 2, QStringLiteral("Mobile"), QStringLiteral("MobileEd"), false,
            QStringLiteral("Mobile"));
    AddText(home, 3, 0, QStringLiteral("BP"), QStringLiteral("PageEd"), false,
            QStringLiteral("Pager"));
    AddText(home, 3, 2, QStringLiteral("E-Mail"), QStringLiteral("EMailEd"), false,
            QStringLiteral("EMail"));
    m_birthday = new QDateEdit(m_homeGroup);
    m_birthday->setObjectName(QStringLiteral("DBDateEdit1"));
    m_birthday->setCalendarPopup(true);
    m_birthday->calendarWidget()->setFirstDayOfWeek(Qt::Sunday);
    m_birthday->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    m_birthday->setMinimumDate(kNoDate);
    m_birthday->setSpecialValueText(QStringLiteral(" "));
    home->addWidget(MakeLabel(QStringLiteral("Birthday"), m_homeGroup), 4, 0);
    home->addWidget(m_birthday, 4, 1);
    m_tabOrder << m_birthday;
    connect(m_birthday, &QDateEdit::dateChanged, this, [this](const QDate& date) {
        if (!m_loading)
            Write(Entries(), QStringLiteral("Birthday"), date == kNoDate ? QVariant() : date);
    });
    m_dbMemo1 = AddMemo(home, 5, QStringLiteral("Memo"), QStringLiteral("DBMemo1"),
                        QStringLiteral("Double-click to view and Edit"));
    layout->addWidget(m_homeGroup);

    m_categoryGroup = new QGroupBox(QStringLiteral("Category"), this);
    m_categoryGroup->setObjectName(QStringLiteral("CategoryGroup"));
    for (int box = 0; box < EditFormController::kCategoryBoxes; ++box) {
        auto* edit = new QLineEdit(m_categoryGroup);
        edit->setObjectName(QStringLiteral("CategoryEd%1").arg(box + 1));
        QAction* button =
            edit->addAction(GlyphIcon(QStringLiteral("\u2026")), QLineEdit::TrailingPosition);
        button->setObjectName(QStringLiteral("CategoryEd%1Button").arg(box + 1));
        button->setToolTip(QStringLiteral("Click to select a category"));
        connect(button, &QAction::triggered, this, [this, box] { OpenCategoryPicker(box); });
        connect(edit, &QLineEdit::textChanged, this, [this, box] { CategoryEdChange(box); });
        edit->installEventFilter(this);
        m_categoryEd[box] = edit;
        m_tabOrder << edit;
    }
    m_categoryGroup->setFixedHeight(m_categoryEd[0]->sizeHint().height() +
                                    m_categoryGroup->fontMetrics().height() + 8);
    layout->addWidget(m_categoryGroup);

    auto* buttons = new QHBoxLayout;
    buttons->setContentsMargins(4, 0, 4, 0);
    buttons->addStretch();
    m_okBn = new QPushButton(QStringLiteral("&OK"), this);
    m_okBn->setObjectName(QStringLiteral("OKBn"));
    m_okBn->setToolTip(QStringLiteral("Confirm the changes"));
    m_okBn->setDefault(true);
    m_cancelBn = new QPushButton(QStringLiteral("&Cancel"), this);
    m_cancelBn->setObjectName(QStringLiteral("CancelBn"));
    m_cancelBn->setToolTip(QStringLiteral("Cancel the changes"));
    m_addNextBn = new QPushButton(QStringLiteral("&Add Next"), this);
    m_addNextBn->setObjectName(QStringLiteral("AddNextBn"));
    for (QPushButton* button : {m_okBn, m_cancelBn, m_addNextBn}) {
        buttons->addWidget(button);
        m_tabOrder << button;
    }
    layout->addLayout(buttons);

    connect(m_okBn, &QPushButton::clicked, this, [this] { CommitWith(EditMode::Done); });
    connect(m_addNextBn, &QPushButton::clicked, this, [this] { CommitWith(EditMode::AddNext); });
    connect(m_cancelBn, &QPushButton::clicked, this, &TEditFm::reject);

    connect(m_nameEd, &QLineEdit::textEdited, this, [this](const QString& text) {
        m_controller->NameEdited();
        Write(Entries(), QStringLiteral("Name"), text.isEmpty() ? QVariant() : text);
    });
    connect(m_nameEdButton, &QAction::triggered, this, &TEditFm::NameEdButtonClick);
    m_nameEd->installEventFilter(this);
    m_positionEd->installEventFilter(this);
    m_positionEd->lineEdit()->installEventFilter(this);
    connect(m_positionEd->lineEdit(), &QLineEdit::textEdited, this, &TEditFm::PositionEdEdited);
    m_companyLk->installEventFilter(this);
    m_companyLk->lineEdit()->installEventFilter(this);
    for (QComboBox* combo : {m_positionEd, m_companyLk})
        combo->view()->installEventFilter(this);
    m_birthday->calendarWidget()->installEventFilter(this);
    SetTabOrder();
}

QLineEdit* TEditFm::AddText(QGridLayout* grid, int row, int column, const QString& label,
                            const QString& name, bool org, const QString& field, int span)
{
    QWidget* group = grid->parentWidget();
    auto* edit = new QLineEdit(group);
    edit->setObjectName(name);
    grid->addWidget(MakeLabel(label, group), row, column);
    grid->addWidget(edit, row, column + 1, 1, span);
    m_bindings.push_back({edit, org, field});
    m_tabOrder << edit;
    connect(edit, &QLineEdit::textEdited, this, [this, org, field](const QString& text) {
        Write(org ? Orgs() : Entries(), field, text.isEmpty() ? QVariant() : text);
    });
    return edit;
}

QPlainTextEdit* TEditFm::AddMemo(QGridLayout* grid, int row, const QString& label,
                                 const QString& name, const QString& hint)
{
    QWidget* group = grid->parentWidget();
    auto* memo = new QPlainTextEdit(group);
    memo->setObjectName(name);
    memo->setToolTip(hint);
    memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    memo->setTabChangesFocus(true);
    QLabel* caption = MakeLabel(label, group);
    caption->setAlignment(Qt::AlignRight | Qt::AlignTop);
    grid->addWidget(caption, row, 0);
    grid->addWidget(memo, row, 1, 1, 3);
    m_tabOrder << memo;
    const bool org = name == QStringLiteral("CMemoEd");
    const QString field = org ? QStringLiteral("CMemo") : QStringLiteral("Memo");
    connect(memo, &QPlainTextEdit::textChanged, this, [this, memo, org, field] {
        if (!m_loading)
            Write(org ? Orgs() : Entries(), field, memo->toPlainText());
    });
    memo->viewport()->installEventFilter(this);
    return memo;
}

void TEditFm::SetTabOrder()
{
    for (int i = 1; i < m_tabOrder.size(); ++i)
        setTabOrder(m_tabOrder[i - 1], m_tabOrder[i]);
}

void TEditFm::SetEditModel(CEditMT& model, Prompter& prompter)
{
    if (!m_controller || &m_controller->Model() != &model)
        m_controller = std::make_unique<EditFormController>(model, prompter);
    if (!m_picker && model.Tree())
        m_picker = new TCategoryListDlg(*model.Tree(), this);
}

void TEditFm::SetPlacement(QWidget* mainWindow, QWidget* rightPanel)
{
    m_mainWindow = mainWindow;
    m_rightPanel = rightPanel;
}

TableView& TEditFm::Entries() const
{
    return *m_controller->Model().EntryTable();
}

TableView& TEditFm::Orgs() const
{
    return *m_controller->Model().OrgTable();
}

void TEditFm::ShowEditWindow(const QString& caption)
{
    Open(caption);
    exec();
    // Closed in some other way than its buttons: the transaction must not stay open.
    if (!m_controller->Ended())
        m_controller->Cancel();
}

void TEditFm::Open(const QString& caption)
{
    setWindowTitle(caption);
    if (m_mainWindow && m_rightPanel) {
        const QRect main = m_mainWindow->frameGeometry();
        resize(std::max(kMinimumWidth, m_rightPanel->width()), height());
        move(main.left() + main.width() - m_rightPanel->width() - 20, main.top());
    }
    Prepare();
    setModal(true);
    show();
    raise();
    activateWindow();
    m_nameEd->setFocus();
}

void TEditFm::Prepare()
{
    m_nameParts->SetEntryTable(Entries());
    m_controller->Prepare();
    if (m_picker) {
        m_picker->Rebuild();
        m_picker->ForgetBox();
        m_picker->hide();
    }
    m_addNextBn->setVisible(m_controller->Adding());
    LoadEntryFields();
    LoadOrgFields();
    RefillOrgList();
    RefillPositions();
    m_loading = true;
    m_companyLk->setEditText(m_controller->OrgBoxText());
    for (int box = 0; box < EditFormController::kCategoryBoxes; ++box) {
        m_categoryEd[box]->setText(m_controller->CategoryText(box));
        m_categoryEd[box]->setCursorPosition(0);
    }
    m_loading = false;
    // Two lines of the memos, in the font the window has now.
    for (QPlainTextEdit* memo : {m_cMemoEd, m_dbMemo1})
        memo->setFixedHeight(memo->fontMetrics().lineSpacing() * 2 + 2 * memo->frameWidth() + 6);
    LayoutCategoryBoxes();
    for (QLineEdit* box : m_categoryEd)
        UpdateCategoryHint(box);
    if (m_picker) {
        m_picker->setFont(m_categoryEd[0]->font());
        m_picker->resize(std::max(kPickerMinimumWidth, m_categoryEd[0]->width() + 18),
                         m_picker->height());
    }
    m_nameEd->setFocus();
}

void TEditFm::LoadEntryFields()
{
    TableView& entries = Entries();
    m_loading = true;
    m_nameEd->setText(entries.FieldByName(u"Name").AsString());
    m_positionEd->setEditText(entries.FieldByName(u"Position").AsString());
    for (const Binding& binding : m_bindings)
        if (!binding.org) {
            binding.edit->setText(entries.FieldByName(binding.field).AsString());
            binding.edit->setCursorPosition(0);
        }
    const FieldRef birthday = entries.FieldByName(u"Birthday");
    m_birthday->setDate(birthday.IsNull() ? kNoDate : birthday.AsDate());
    m_dbMemo1->setPlainText(entries.FieldByName(u"Memo").AsString());
    m_loading = false;
}

void TEditFm::LoadOrgFields()
{
    TableView& orgs = Orgs();
    const bool hasOrg = orgs.State() != ViewState::Browse || !orgs.IsEmpty();
    m_loading = true;
    for (const Binding& binding : m_bindings)
        if (binding.org) {
            binding.edit->setText(hasOrg ? orgs.FieldByName(binding.field).AsString() : QString());
            binding.edit->setCursorPosition(0);
        }
    m_cMemoEd->setPlainText(hasOrg ? orgs.FieldByName(u"CMemo").AsString() : QString());
    m_loading = false;
}

// The drop-down lists every org's Company in name order.
void TEditFm::RefillOrgList()
{
    // Refilled only when the stored orgs changed or another book's orgs are shown.
    const std::shared_ptr<RecordStore>& store = Orgs().Store();
    if (m_orgListStore.lock() == store && store->Version() == m_orgListVersion)
        return;
    m_orgListStore = store;
    m_orgListVersion = store->Version();
    m_orgList.MakeViewFrom(Orgs(), true);
    if (m_orgList.IndexDefs().empty()) {
        m_orgList.AddIndexDef(QStringLiteral("CompanyID"), QStringLiteral("Company"));
        m_orgList.SetIndexName(QStringLiteral("CompanyID"));
    }
    const int company = m_orgList.FieldIndex(u"Company");
    QStringList names;
    for (int row = 0; row < m_orgList.RecordCount(); ++row)
        names << m_orgList.RowRecord(row)[size_t(company)].Text().toString();
    m_loading = true;
    const QString text = m_companyLk->currentText();
    m_companyLk->clear();
    m_companyLk->addItems(names);
    m_companyLk->setEditText(text);
    m_loading = false;
}

void TEditFm::RefillPositions()
{
    m_loading = true;
    const QString text = m_positionEd->currentText();
    m_positionEd->clear();
    m_positionEd->addItems(m_controller->Positions());
    m_positionEd->setEditText(text);
    m_loading = false;
}

void TEditFm::LayoutCategoryBoxes()
{
    const int boxWidth = width() / 4 - 4;
    const int top = m_categoryGroup->fontMetrics().height() + 2;
    int left = 2;
    for (QLineEdit* box : m_categoryEd) {
        box->setGeometry(left, top, boxWidth, box->sizeHint().height());
        left += boxWidth + 2;
    }
}

void TEditFm::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    LayoutCategoryBoxes();
}

void TEditFm::Write(TableView& view, const QString& field, const QVariant& value)
{
    if (m_loading || !m_controller || m_controller->Ended())
        return;
    if (view.State() == ViewState::Browse) {
        // Without a current record an edit would append one.
        if (view.IsEmpty())
            return;
        view.Edit();
    }
    view.FieldByName(field).SetValue(value);
}

void TEditFm::NameEdLeft()
{
    m_controller->NameLeft(m_nameEd->text());
    FinishIfEnded();
    if (m_controller->Ended())
        return;
    m_loading = true;
    m_nameEd->setText(m_controller->EntryName());
    m_loading = false;
}

void TEditFm::NameEdButtonClick()
{
    if (m_controller->IsYellowEntry())
        return;
    m_nameParts->setFont(m_nameEd->font());
    m_controller->NamePartsClosed(m_nameParts->ShowUnder(m_nameEd));
    activateWindow();
    // The focus moves on to the position box, and leaving the name box so builds the name
    // from the parts. The popup had the focus last, so the name box's own focus-out was
    // spent on it: the box is left here.
    NameEdLeft();
    if (!m_controller->Ended())
        m_positionEd->setFocus(Qt::TabFocusReason);
}

void TEditFm::PositionEdEdited(const QString& typed)
{
    const std::optional<QString> position = m_controller->CompletePosition(typed);
    if (position) {
        QLineEdit* edit = m_positionEd->lineEdit();
        edit->setText(*position);
        edit->setSelection(int(typed.size()), int(position->size() - typed.size()));
    }
}

void TEditFm::PositionEdLeft()
{
    const QString position = m_controller->PositionLeft(m_positionEd->currentText());
    RefillPositions();
    m_loading = true;
    m_positionEd->setEditText(position);
    m_loading = false;
}

void TEditFm::CompanyLkLeft()
{
    m_controller->OrgLeft(m_companyLk->currentText());
    LoadOrgFields();
    RefillOrgList();
}

void TEditFm::CompanyLkDblClick()
{
    const std::optional<QString> company = m_controller->OrgToRename();
    if (!company)
        return;
    m_companyName->setFont(m_companyLk->font());
    m_companyName->resize(m_companyLk->width(), m_companyName->height());
    const QPoint groupTop = m_workGroup->mapToGlobal(QPoint(0, 0));
    const QPoint boxLeft = m_companyLk->mapToGlobal(QPoint(0, 0));
    m_companyName->move(boxLeft.x(), groupTop.y() - m_companyName->height() + 8);
    const bool confirmed = m_companyName->Execute(*company);
    activateWindow();
    if (!confirmed)
        return;
    const QString shown = m_controller->OrgRenamed(m_companyName->Text());
    m_loading = true;
    m_companyLk->setEditText(shown);
    m_loading = false;
    m_companyLk->setFocus();
}

void TEditFm::MemoDblClick(QPlainTextEdit* memo, bool org, const QString& field)
{
    TableView& view = org ? Orgs() : Entries();
    TViewTextForm::ShowField(view, field, false, memo->font(), this);
    activateWindow();
    m_loading = true;
    const bool hasRecord = view.State() != ViewState::Browse || !view.IsEmpty();
    memo->setPlainText(hasRecord ? view.FieldByName(field).AsString() : QString());
    m_loading = false;
}

void TEditFm::OpenCategoryPicker(int box)
{
    if (m_picker)
        m_picker->OpenFor(m_categoryEd[box], m_controller->CategoryIndex(box));
}

void TEditFm::CategoryEdChange(int box)
{
    if (m_loading || !m_controller)
        return;
    std::optional<int> chosen;
    if (m_picker && m_picker->Box())
        chosen = m_picker->ChosenIndex();
    const QString text = m_controller->CategoryChanged(box, chosen);
    m_loading = true;
    m_categoryEd[box]->setText(text);
    // A path wider than the box shows its beginning.
    m_categoryEd[box]->setCursorPosition(0);
    m_loading = false;
    UpdateCategoryHint(m_categoryEd[box]);
}

void TEditFm::UpdateCategoryHint(QLineEdit* box)
{
    const QString text = box->text();
    if (fontMetrics().horizontalAdvance(text) > box->width() - 20) {
        box->setToolTip(text);
        if (box->isVisible())
            QToolTip::showText(box->mapToGlobal(QPoint(0, box->height())), text, box);
    } else {
        box->setToolTip(QString());
    }
}

// Enter presses OK without moving the focus, so the box being typed in is left first.
void TEditFm::LeaveFocusedBox()
{
    QWidget* focused = focusWidget();
    if (focused == m_nameEd)
        NameEdLeft();
    else if (focused == m_positionEd || focused == m_positionEd->lineEdit())
        PositionEdLeft();
    else if (focused == m_companyLk || focused == m_companyLk->lineEdit())
        CompanyLkLeft();
}

void TEditFm::MoveFocusOn(QWidget* from)
{
    const qsizetype at = m_tabOrder.indexOf(from);
    if (at < 0 || at + 1 >= m_tabOrder.size())
        return;
    activateWindow();
    m_tabOrder[at + 1]->setFocus(Qt::TabFocusReason);
}

void TEditFm::CommitWith(EditMode outcome)
{
    if (m_controller->Ended())
        return;
    LeaveFocusedBox();
    m_controller->Commit(outcome, m_nameEd->text(), m_companyLk->currentText());
    FinishIfEnded();
}

void TEditFm::reject()
{
    if (m_controller && !m_controller->Ended())
        m_controller->Cancel();
    FinishIfEnded();
}

void TEditFm::FinishIfEnded()
{
    if (!m_controller->Ended())
        return;
    if (m_picker)
        m_picker->hide();
    done(QDialog::Accepted);
}

bool TEditFm::eventFilter(QObject* watched, QEvent* event)
{
    if (!m_controller || m_controller->Ended())
        return QDialog::eventFilter(watched, event);

    if (watched == m_nameEd && IsLeaving(event))
        NameEdLeft();
    else if (watched == m_positionEd && IsLeaving(event))
        PositionEdLeft();
    else if (watched == m_companyLk && IsLeaving(event))
        CompanyLkLeft();
    else if (watched == m_positionEd->lineEdit() && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        m_controller->PositionKeyPressed(key == Qt::Key_Delete || key == Qt::Key_Backspace);
    } else if (watched == m_companyLk->lineEdit() && event->type() == QEvent::MouseButtonDblClick) {
        CompanyLkDblClick();
        return true;
    } else if (watched == m_cMemoEd->viewport() && event->type() == QEvent::MouseButtonDblClick) {
        MemoDblClick(m_cMemoEd, true, QStringLiteral("CMemo"));
        return true;
    } else if (watched == m_dbMemo1->viewport() && event->type() == QEvent::MouseButtonDblClick) {
        MemoDblClick(m_dbMemo1, false, QStringLiteral("Memo"));
        return true;
    } else if (event->type() == QEvent::KeyPress &&
               static_cast<QKeyEvent*>(event)->key() == Qt::Key_F4) {
        for (int box = 0; box < EditFormController::kCategoryBoxes; ++box)
            if (watched == m_categoryEd[box]) {
                OpenCategoryPicker(box);
                return true;
            }
    } else if (IsEnter(event)) {
        // An open list takes the Enter for its choice; the focus then moves on from its box.
        QWidget* box = nullptr;
        if (watched == m_positionEd->view())
            box = m_positionEd;
        else if (watched == m_companyLk->view())
            box = m_companyLk;
        else if (watched == m_birthday->calendarWidget())
            box = m_birthday;
        if (box)
            QTimer::singleShot(0, this, [this, box] { MoveFocusOn(box); });
    }
    return QDialog::eventFilter(watched, event);
}
