// A table control shown in a QTableView: the model reads the control's rows as they are shown,
// the headings' sort mark follows the control's order, and the operator's clicks go to the
// control (a heading sorts, a row becomes current, a double-click or Return activates it).
#pragma once

#include <QAbstractTableModel>

class QTableView;

namespace fenlark {
class TableControl;
}

namespace fenlark::qt {

class TableControlModel : public QAbstractTableModel {
public:
    TableControlModel(TableControl& control, QObject* parent);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // The control's rows changed: they are read afresh.
    void reset();

private:
    TableControl& m_control;
};

// Binds the view to the control; the view's object name becomes the control's name.
TableControlModel& bind(QTableView& view, TableControl& control);

} // namespace fenlark::qt
