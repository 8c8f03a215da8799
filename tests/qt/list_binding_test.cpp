// The list views over the core's list controls: what the views are told, row by row or in one
// reset, while a list is rebuilt or grows by one entry.
#include "qt/binders.h"

#include <QAbstractItemModel>
#include <QComboBox>
#include <QCoreApplication>
#include <QLineEdit>
#include <QListView>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace fenlark::test {
namespace {

// Counts what a view's model tells its views.
struct ModelSignals {
    explicit ModelSignals(QAbstractItemModel *model)
    {
        QObject::connect(model, &QAbstractItemModel::modelReset, [this] { ++resets; });
        QObject::connect(model, &QAbstractItemModel::rowsInserted,
                         [this](const QModelIndex &, int first, int last) {
                             inserted.push_back({first, last});
                         });
    }
    int resets = 0;
    std::vector<std::pair<int, int>> inserted;
};

std::vector<std::string> rows(const QAbstractItemModel &model)
{
    std::vector<std::string> out;
    for (int i = 0; i < model.rowCount(); ++i)
        out.push_back(model.index(i, 0).data().toString().toStdString());
    return out;
}

std::string id(int i)
{
    std::string s = "A000";
    s[0] = static_cast<char>('A' + (i * 7) % 26);
    s[1] = static_cast<char>('0' + i / 100 % 10);
    s[2] = static_cast<char>('0' + i / 10 % 10);
    s[3] = static_cast<char>('0' + i % 10);
    return s;
}

TEST(ListBinding, ARebuildOfThousandsIsOneResetAtTheNextTurnOfTheEventLoop)
{
    ListBox box("MessageList2", ListBox::Order::Sorted);
    QListView view;
    qt::bind(view, box);
    EXPECT_EQ(view.objectName(), QStringLiteral("MessageList2"));
    ModelSignals seen(view.model());

    for (int round = 0; round < 3; ++round) {
        box.clear();
        for (int i = 0; i < 3000; ++i)
            box.addItem(id(i));
    }
    EXPECT_EQ(view.model()->rowCount(), 0) << "nothing is read while the list is rebuilt";
    QCoreApplication::sendPostedEvents();
    EXPECT_TRUE(seen.inserted.empty());
    EXPECT_EQ(seen.resets, 1) << "the list was empty before: one reset, to read it";
    ASSERT_EQ(view.model()->rowCount(), 3000);
    const std::vector<std::string> shown = rows(*view.model());
    EXPECT_TRUE(std::is_sorted(shown.begin(), shown.end()));
    EXPECT_EQ(shown.front(), box.list(0));
    EXPECT_EQ(shown.back(), box.list(2999));
}

TEST(ListBinding, OneEntryAddedToASettledListIsOneInsertedRowInItsPlace)
{
    ListBox box("MessageList2", ListBox::Order::Sorted);
    QListView view;
    qt::bind(view, box);
    for (const char *entry : {"AB12", "NE05", "ZA01"})
        box.addItem(entry);
    QCoreApplication::sendPostedEvents();
    box.setListIndex(1);
    QCoreApplication::sendPostedEvents();
    ModelSignals seen(view.model());

    box.addItem("GA84");
    EXPECT_EQ(seen.inserted, (std::vector<std::pair<int, int>>{{1, 1}}));
    EXPECT_EQ(seen.resets, 0);
    EXPECT_EQ(rows(*view.model()), (std::vector<std::string>{"AB12", "GA84", "NE05", "ZA01"}));
    // The current entry moved down with the insertion, in the model and on screen.
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(box.listIndex(), 2);
    EXPECT_EQ(view.selectionModel()->currentIndex().row(), 2);
    EXPECT_TRUE(view.selectionModel()->isRowSelected(2, {}));
}

TEST(ListBinding, TheCurrentEntryAfterARebuildIsSelectedOnceTheRowsAreRead)
{
    ListBox box("MessageList");
    QListView view;
    qt::bind(view, box);
    box.clear();
    for (int i = 0; i < 50; ++i)
        box.addItem(id(i));
    box.setListIndex(40);
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(view.selectionModel()->currentIndex().row(), 40);
    box.setListIndex(-1);
    QCoreApplication::sendPostedEvents();
    EXPECT_FALSE(view.selectionModel()->hasSelection());
}

TEST(ListBinding, ADropDownShowsNoEntryUntilOneIsChosen)
{
    DropDown list("StationList");
    QComboBox combo;
    qt::bind(combo, list);
    list.addItem(" All Stations");
    list.addItem("A - Station A");
    QCoreApplication::sendPostedEvents();
    // A combo box makes its first entry current by itself; the model has none.
    EXPECT_EQ(combo.count(), 2);
    EXPECT_EQ(combo.currentIndex(), -1);
    list.setListIndex(1);
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(combo.currentText(), QStringLiteral("A - Station A"));
}

TEST(ListBinding, AnEditableDropDownTakesTypedTextAndShowsTheChosenEntry)
{
    DropDown list("Combo1", DropDown::Style::Editable);
    QComboBox combo;
    qt::bind(combo, list);
    for (const char *entry : {"~ (default)", "#", "&H7F "})
        list.addItem(entry);
    list.setListIndex(0);
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(combo.currentText(), QStringLiteral("~ (default)"));

    emit combo.lineEdit()->textEdited(QStringLiteral("%"));
    EXPECT_EQ(list.text(), "%");
    emit combo.activated(2);
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(list.text(), "&H7F ");
    EXPECT_EQ(combo.currentText(), QStringLiteral("&H7F "));
}

} // namespace
} // namespace fenlark::test
