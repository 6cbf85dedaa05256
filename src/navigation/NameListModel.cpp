// The entry list's item model over the working entry view.
#include "navigation/NameListModel.h"

#include <QPointer>

#include "storage/TableView.h"

NameListModel::NameListModel(TableView& entries, QObject* parent)
    : QAbstractTableModel(parent), m_entries(entries)
{
    // A change of the listed rows or their values redraws the list; long loops suspend
    // this through the view and are shown once at their end. The view may outlive the
    // model and the model the view, so neither is touched once the other has gone.
    m_entries.SetOnDataChanged([model = QPointer<NameListModel>(this)] {
        if (!model)
            return;
        model->beginResetModel();
        model->endResetModel();
    });
}

NameListModel::~NameListModel() = default;

int NameListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_entries.RecordCount();
}

int NameListModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : 1;
}

QVariant NameListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= m_entries.RecordCount())
        return {};
    const RecordView record = m_entries.RowRecord(index.row());
    if (role == Qt::DisplayRole) {
        const int name = m_entries.FieldIndex(u"Name");
        return name >= 0 ? record[size_t(name)].Text().toString() : QString();
    }
    return {};
}

QVariant NameListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role == Qt::DisplayRole && orientation == Qt::Horizontal && section == 0)
        return QStringLiteral("Name");
    return {};
}
