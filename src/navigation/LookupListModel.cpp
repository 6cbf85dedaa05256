// A lookup box's drop-down rows over a table view.
#include "navigation/LookupListModel.h"

#include <QPointer>

#include "storage/TableView.h"

LookupListModel::LookupListModel(TableView& view, QString field, QObject* parent)
    : QAbstractListModel(parent), m_view(view), m_field(std::move(field))
{
    // The view and the model may go in either order: neither is touched after the other.
    m_view.SetOnDataChanged([model = QPointer<LookupListModel>(this)] {
        if (!model)
            return;
        model->beginResetModel();
        model->endResetModel();
    });
}

LookupListModel::~LookupListModel() = default;

int LookupListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_view.RecordCount();
}

QVariant LookupListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= m_view.RecordCount() ||
        (role != Qt::DisplayRole && role != Qt::EditRole))
        return {};
    const int field = m_view.FieldIndex(m_field);
    if (field < 0)
        return QString();
    return m_view.RowRecord(index.row())[size_t(field)].Text().toString();
}
