// The rows of a lookup box's drop-down as a Qt item model: one field of every record a view
// lists, in the view's order. It copies no data and follows the view's changes.
#pragma once

#include <QAbstractListModel>

class TableView;

class LookupListModel : public QAbstractListModel
{
public:
    LookupListModel(TableView& view, QString field, QObject* parent = nullptr);
    ~LookupListModel() override;

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

private:
    TableView& m_view;
    QString m_field;
};
