#include "qt/list_control_model.h"

#include "qt/latin1.h"

namespace fenlark::qt {

ListControlModel::ListControlModel(const ListControl &list, QObject *parent)
    : QAbstractListModel(parent), m_list(list), m_rows(list.count())
{
}

int ListControlModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_rows;
}

QVariant ListControlModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_rows ||
        (role != Qt::DisplayRole && role != Qt::EditRole))
        return {};
    return toQString(m_list.list(index.row()));
}

void ListControlModel::apply(const ListChange &change)
{
    using Kind = ListChange::Kind;
    switch (change.kind) {
    case Kind::Cleared:
        // Whatever follows a clear is read in one go by refresh().
        resetTo(0);
        m_stale = true;
        break;
    case Kind::Appended:
        if (!m_stale) {
            resetTo(0);
            m_stale = true;
        }
        break;
    case Kind::Inserted:
        if (m_stale)
            break;
        if (change.index < 0 || change.index > m_rows) {
            resetTo(0);
            m_stale = true;
            break;
        }
        beginInsertRows({}, change.index, change.index);
        ++m_rows;
        endInsertRows();
        break;
    case Kind::CurrentChanged:
    case Kind::TopChanged:
    case Kind::TextChanged:
        break;
    }
}

void ListControlModel::refresh()
{
    if (!m_stale)
        return;
    m_stale = false;
    resetTo(m_list.count());
}

void ListControlModel::resetTo(int rows)
{
    if (rows == 0 && m_rows == 0)
        return;
    beginResetModel();
    m_rows = rows;
    endResetModel();
}

} // namespace fenlark::qt
