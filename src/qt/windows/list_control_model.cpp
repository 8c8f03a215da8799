#include "qt/windows/list_control_model.h"

#include "qt/latin1.h"

#include <QFont>

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
    if (!index.isValid() || index.row() >= m_rows)
        return {};
    if (role == Qt::FontRole && m_emphasized && m_emphasized(m_list.list(index.row()))) {
        QFont bold; // only the weight is set: the rest comes from the view's font
        bold.setBold(true);
        return bold;
    }
    if (role != Qt::DisplayRole && role != Qt::EditRole)
        return {};
    return toQString(m_list.list(index.row()));
}

void ListControlModel::setEmphasis(std::function<bool(const std::string &)> emphasized)
{
    m_emphasized = std::move(emphasized);
    emphasisChanged();
}

void ListControlModel::emphasisChanged()
{
    if (m_rows > 0)
        emit dataChanged(index(0), index(m_rows - 1), {Qt::FontRole});
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
