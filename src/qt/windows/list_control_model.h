// A list model over a core list control (list box or drop-down), for QListView and QComboBox.
#pragma once

#include "forms/list_controls.h"

#include <QAbstractListModel>

#include <functional>
#include <string>

namespace fenlark::qt {

// Mirrors the entries of one ListControl. The rows the views know are counted here; the texts are
// read from the control when a view asks. A rebuild (clear and thousands of additions inside one
// handler) makes the model stale: it shows no rows and ignores the additions until refresh() reads
// the whole list once. A single entry added to a settled list is inserted as one row.
class ListControlModel : public QAbstractListModel {
public:
    explicit ListControlModel(const ListControl &list, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;

    // Applies a change of entries (Cleared, Inserted, Appended); other kinds are ignored here.
    void apply(const ListChange &change);
    bool stale() const { return m_stale; }
    // Re-reads the whole list when stale (which also settles a sorted list's order).
    void refresh();

    // Entries for which `emphasized` holds are drawn bold (the font role); the others in the
    // view's own font.
    void setEmphasis(std::function<bool(const std::string &)> emphasized);
    // Which entries are emphasized may have changed: the views draw every row again.
    void emphasisChanged();

private:
    void resetTo(int rows);

    const ListControl &m_list;
    int m_rows = 0;
    bool m_stale = false;
    std::function<bool(const std::string &)> m_emphasized;
};

} // namespace fenlark::qt
