#include "forms/table_control.h"

#include <algorithm>

namespace fenlark {

TableControl::TableControl(std::string name, std::vector<Column> columns, int sortColumn,
                           bool descending)
    : Control(std::move(name)), m_columns(std::move(columns)), m_sortColumn(sortColumn),
      m_descending(descending)
{
}

int TableControl::indexOf(const std::string& key) const
{
    for (int i = 0; i < rowCount(); ++i)
        if (row(i).key == key)
            return i;
    return -1;
}

void TableControl::sortRows()
{
    const std::string current = currentKey();
    const std::size_t c = static_cast<std::size_t>(m_sortColumn);
    const bool numeric = m_columns[c].numeric;
    const bool descending = m_descending;
    m_rows = m_given;
    std::stable_sort(m_rows.begin(), m_rows.end(),
                     [c, numeric, descending](const TableRow& a, const TableRow& b) {
                         const TableRow& x = descending ? b : a;
                         const TableRow& y = descending ? a : b;
                         return numeric ? x.order[c] < y.order[c] : x.cells[c] < y.cells[c];
                     });
    m_current = current.empty() ? -1 : indexOf(current);
    tell(TableChange::Reset);
}

void TableControl::setRows(std::vector<TableRow> rows)
{
    m_given = std::move(rows);
    sortRows();
}

void TableControl::sortBy(int column)
{
    if (column < 0 || column >= static_cast<int>(m_columns.size()))
        return;
    m_descending = column == m_sortColumn && !m_descending;
    m_sortColumn = column;
    sortRows();
}

void TableControl::setCurrentRow(int i)
{
    const int next = i >= 0 && i < rowCount() ? i : -1;
    if (next == m_current)
        return;
    m_current = next;
    tell(TableChange::CurrentChanged);
}

void TableControl::activate(int i)
{
    if (i < 0 || i >= rowCount())
        return;
    setCurrentRow(i);
    runHandler();
}

} // namespace fenlark
