// The search dialog TSearchFm: the text, the logic and the fields of a search, its three
// buttons, and the group of quick searches by birthday, place and phone. It records what
// the user chose; SearchController does the searching once it has closed.
#pragma once

#include <QDialog>
#include <initializer_list>

#include "search/SearchController.h"

class QComboBox;
class QGroupBox;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QToolButton;

class TSearchFm : public QDialog
{
    Q_OBJECT

public:
    explicit TSearchFm(QWidget* parent = nullptr);

    // The labels of the searchable fields, in order; none is selected and the caret is on
    // the first. The texts typed before stay.
    void SetFields(const QStringList& labels);
    // Left edge at the right panel's left edge within the window, top 65 below the window's.
    void PlaceBeside(const QWidget& window, const QWidget* rightPanel);

    bool QuickSearchOpen() const { return m_quickSearchOpen; }
    void SetQuickSearchOpen(bool open);

    // Shows the dialog modally and returns what the user asked for.
    SearchRequest Run();
    // What the dialog recorded at its last closing.
    SearchRequest Request() const;

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Start Search and Continue to Search: enabled by how many fields are selected.
    void ApplyButtonRule();
    void Record(SearchResult result);
    void BirthdayBnClick();
    // The place and phone searches: the fields at these positions join the selection and
    // the text comes from the quick search's own box.
    void QuickFieldSearch(std::initializer_list<int> positions, const QLineEdit* text);

    QLineEdit* m_edit1 = nullptr;
    QRadioButton* m_and = nullptr;
    QRadioButton* m_or = nullptr;
    QListWidget* m_fieldListBox = nullptr;
    QPushButton* m_searchBn = nullptr;
    QPushButton* m_cancelBn = nullptr;
    QPushButton* m_searchAndBn = nullptr;
    QToolButton* m_bitBtn1 = nullptr;
    QGroupBox* m_groupBox1 = nullptr;
    QComboBox* m_monthComboBox = nullptr;
    QComboBox* m_dayComboBox = nullptr;
    QPushButton* m_birthdayBn = nullptr;
    QLineEdit* m_placeEd = nullptr;
    QPushButton* m_placeBn = nullptr;
    QLineEdit* m_phoneEd = nullptr;
    QPushButton* m_phoneBn = nullptr;

    bool m_quickSearchOpen = true;
    SearchRequest m_request;
};
