// A table: rows of texts under column headings, shown sorted by one column, one row current.
#pragma once

#include "forms/control.h"

#include <functional>
#include <string>
#include <vector>

namespace fenlark {

struct TableRow {
    std::string key;                // what the row stands for (an identifier)
    std::vector<std::string> cells; // the texts shown, one per column
    std::vector<double> order;      // per column, the value it sorts by where it is a number
};

// What changed in a table, for a shell that mirrors it.
enum class TableChange {
    Reset,          // the rows or their order: read them afresh
    CurrentChanged, // the current row moved
};

class TableControl : public Control, public HandlerSlot {
public:
    struct Column {
        std::string heading;
        bool numeric = false; // sorted by TableRow::order rather than by its text
    };

    // Sorted by `sortColumn` until the operator chooses another.
    TableControl(std::string name, std::vector<Column> columns, int sortColumn = 0,
                 bool descending = false);

    const std::vector<Column>& columns() const { return m_columns; }
    int rowCount() const { return static_cast<int>(m_rows.size()); }
    // The row at position `i` in the order shown.
    const TableRow& row(int i) const { return m_rows[static_cast<std::size_t>(i)]; }
    // The position of the row for `key`, or -1.
    int indexOf(const std::string& key) const;

    // Replaces every row, sorted as chosen; the current row stays on its key while it is there.
    void setRows(std::vector<TableRow> rows);

    // The operator's click on a column heading: sorts by that column, ascending; a second click
    // on the same column reverses the order. Equal rows keep the order they were given in.
    void sortBy(int column);
    int sortColumn() const { return m_sortColumn; }
    bool descending() const { return m_descending; }

    // -1 when no row is current.
    int currentRow() const { return m_current; }
    std::string currentKey() const { return m_current < 0 ? std::string() : row(m_current).key; }
    // Makes a row current (the operator's click); runs nothing.
    void setCurrentRow(int i);
    // The operator's double-click or Return on a row: makes it current and runs the handler.
    void activate(int i);

    void setTableObserver(std::function<void(TableChange)> observer)
    {
        m_tableObserver = std::move(observer);
    }

private:
    void sortRows();
    void tell(TableChange change) const
    {
        if (m_tableObserver)
            m_tableObserver(change);
    }

    std::vector<Column> m_columns;
    std::vector<TableRow> m_given; // as setRows gave them
    std::vector<TableRow> m_rows;  // as shown
    int m_sortColumn = 0;
    bool m_descending = false;
    int m_current = -1;
    std::function<void(TableChange)> m_tableObserver;
};

} // namespace fenlark
