// The list views over the core's list controls: a rebuild of thousands is read once, a single
// entry is one inserted row, the current entry is selected; and the selectors.
#include "qt/windows/binders.h"
#include "shell_program.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QLineEdit>
#include <QListView>

#include <gtest/gtest.h>

namespace fenlark::test {
namespace {

TEST(ListBinding, ARebuildIsOneResetLaterAndOneNewEntryOneRowInItsPlace)
{
    ListBox box("MessageList2", ListBox::Order::Sorted);
    QListView view;
    qt::bind(view, box);
    int resets = 0;
    std::vector<int> inserted;
    QObject::connect(view.model(), &QAbstractItemModel::modelReset, [&] { ++resets; });
    QObject::connect(view.model(), &QAbstractItemModel::rowsInserted,
                     [&](const QModelIndex &, int first, int) { inserted.push_back(first); });
    for (int round = 0; round < 3; ++round) {
        box.clear();
        for (int i = 0; i < 3000; ++i)
            box.addItem(std::string(1, static_cast<char>('A' + i * 7 % 26)) + std::to_string(i));
    }
    box.setListIndex(2990);
    EXPECT_EQ(view.model()->rowCount(), 0) << "nothing is read while the list is rebuilt";
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(resets, 1);
    ASSERT_EQ(view.model()->rowCount(), 3000);
    EXPECT_EQ(view.model()->index(2999, 0).data().toString().toStdString(), box.list(2999));
    auto inView = [&view](int row) {
        return view.viewport()->rect().contains(view.visualRect(view.model()->index(row, 0)));
    };
    EXPECT_TRUE(view.selectionModel()->isRowSelected(2990, {}));
    EXPECT_TRUE(inView(2990));

    // One entry added to the settled list: one row, and the current entry moves down with it.
    box.addItem("0");
    EXPECT_EQ(inserted, std::vector<int>{0});
    EXPECT_EQ(resets, 1);
    QCoreApplication::sendPostedEvents();
    EXPECT_TRUE(view.selectionModel()->isRowSelected(2991, {}));
    // Made current by the program, an entry far from the one in view is scrolled into view.
    box.setListIndex(5);
    QCoreApplication::sendPostedEvents();
    EXPECT_TRUE(inView(5));
    box.setListIndex(-1);
    QCoreApplication::sendPostedEvents();
    EXPECT_FALSE(view.selectionModel()->hasSelection());
}

TEST(ListBinding, ASelectorShowsNoEntryUntilOneIsChosenAndAnEditableOneTakesTypedText)
{
    DropDown list("Combo1", DropDown::Style::Editable);
    QComboBox combo;
    qt::bind(combo, list);
    for (const char *entry : {"~ (default)", "#", "&H7F "})
        list.addItem(entry);
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(rows(*combo.model()), "~ (default) # &H7F ");
    EXPECT_EQ(combo.currentIndex(), -1) << "a combo box makes its first entry current by itself";
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
