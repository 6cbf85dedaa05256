// The memo viewer TViewTextForm: one memo field of the current entry or org in a larger
// window, read-only or edited in place. It is made for each use and freed when it closes.
#pragma once

#include <QDialog>

class QFont;
class QPlainTextEdit;
class QPushButton;
class TableView;

class TViewTextForm : public QDialog
{
    Q_OBJECT

public:
    // Shows the field of the view's current record. Editable, every change is written
    // straight into the field (the view is put in edit state when it browses).
    TViewTextForm(TableView& view, const QString& field, bool readOnly, const QFont& font,
                  QWidget* parent = nullptr);

    // Makes a viewer, shows it modally and frees it again.
    static void ShowField(TableView& view, const QString& field, bool readOnly, const QFont& font,
                          QWidget* parent = nullptr);

private:
    void TextChanged();

    TableView& m_view;
    int m_field;
    QPlainTextEdit* m_memo = nullptr;
    QPushButton* m_ok = nullptr;
};
