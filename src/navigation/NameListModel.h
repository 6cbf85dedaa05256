// The entry list's rows as a Qt item model: one column, "Name", of the entries the working
// entry view lists, in its order. It copies no data and follows the view's changes.
#pragma once

#include <QAbstractTableModel>

class TableView;

class NameListModel : public QAbstractTableModel
{
public:
    explicit NameListModel(TableView& entries, QObject* parent = nullptr);
    ~NameListModel() override;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    TableView& m_entries;
};
