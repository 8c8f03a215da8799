#include "qt/windows/table_control_model.h"

#include "forms/table_control.h"
#include "qt/latin1.h"

#include <QHeaderView>
#include <QItemSelectionModel>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTableView>

namespace fenlark::qt {

TableControlModel::TableControlModel(TableControl& control, QObject* parent)
    : QAbstractTableModel(parent), m_control(control)
{
}

int TableControlModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_control.rowCount();
}

int TableControlModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_control.columns().size());
}

QVariant TableControlModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= m_control.rowCount())
        return {};
    const auto column = static_cast<std::size_t>(index.column());
    if (role == Qt::DisplayRole)
        return toQString(m_control.row(index.row()).cells[column]);
    if (role == Qt::TextAlignmentRole && m_control.columns()[column].numeric)
        return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    return {};
}

QVariant TableControlModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole ||
        section >= static_cast<int>(m_control.columns().size()))
        return QAbstractTableModel::headerData(section, orientation, role);
    return toQString(m_control.columns()[static_cast<std::size_t>(section)].heading);
}

void TableControlModel::reset()
{
    beginResetModel();
    endResetModel();
}

TableControlModel& bind(QTableView& view, TableControl& control)
{
    view.setObjectName(toQString(control.name()));
    auto* model = new TableControlModel(control, &view);
    view.setModel(model);
    view.setSelectionBehavior(QAbstractItemView::SelectRows);
    view.setSelectionMode(QAbstractItemView::SingleSelection);
    view.setEditTriggers(QAbstractItemView::NoEditTriggers);
    view.horizontalHeader()->setSortIndicatorShown(true);
    view.horizontalHeader()->setSectionsClickable(true);
    view.verticalHeader()->hide();
    // The control's state written to the view: its rows (keeping the scroll position), the sort
    // mark and the current row, with the view's signals blocked.
    auto write = [&view, &control, model](TableChange change) {
        const QSignalBlocker blockSelection(view.selectionModel());
        if (change == TableChange::Reset) {
            const int scrolled = view.verticalScrollBar()->value();
            model->reset();
            view.verticalScrollBar()->setValue(scrolled);
            const QSignalBlocker blockHeader(view.horizontalHeader());
            view.horizontalHeader()->setSortIndicator(control.sortColumn(),
                                                      control.descending() ? Qt::DescendingOrder
                                                                           : Qt::AscendingOrder);
        }
        if (control.currentRow() < 0)
            view.selectionModel()->clearSelection();
        else
            view.selectionModel()->setCurrentIndex(model->index(control.currentRow(), 0),
                                                   QItemSelectionModel::ClearAndSelect |
                                                       QItemSelectionModel::Rows);
    };
    control.setTableObserver(write);
    write(TableChange::Reset);
    QObject::connect(&view, &QObject::destroyed, [&control] { control.setTableObserver({}); });
    QObject::connect(view.horizontalHeader(), &QHeaderView::sectionClicked, model,
                     [&control](int section) { control.sortBy(section); });
    QObject::connect(view.selectionModel(), &QItemSelectionModel::currentRowChanged, model,
                     [&control](const QModelIndex& current) {
                         control.setCurrentRow(current.isValid() ? current.row() : -1);
                     });
    QObject::connect(&view, &QAbstractItemView::activated, model,
                     [&control](const QModelIndex& index) { control.activate(index.row()); });
    return *model;
}

} // namespace fenlark::qt
