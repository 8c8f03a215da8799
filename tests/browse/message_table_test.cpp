// The message table window: its rows and columns, sorting, the search and the main window's
// selectors, following the table live, and showing a row's message in the main window.
#include "support/test_program.h"

#include <gtest/gtest.h>

namespace fenlark {
namespace {

using test::TestProgram;

// The identifiers of the rows, as shown.
std::string shownIds(const TableControl& table)
{
    std::string ids;
    for (int i = 0; i < table.rowCount(); ++i)
        ids += (i ? " " : "") + table.row(i).key;
    return ids;
}

TEST(MessageTableForm, ShowsSortsAndNarrowsTheRecordsAndFollowsTheTable)
{
    TestProgram p;
    p.receiveMessage("GA12", {"GALE WARNING"});
    p.clock.advance(60);
    p.serial.sendOn(1, 490, "ZCZC EE05\r\nFOG ~ BANKS\r\nNNNN\r\n");
    p.clock.advance(60);
    p.receiveMessage("AB01", {"ICE"});
    p.clock.advance(60);
    p.receiveMessage("GA12", {"GALE WARNING"}); // a repeat
    p.form().mnutable.click();
    MessageTableForm& window = p.app.messageTable();
    const TableControl& table = window.Messages;
    EXPECT_EQ(shownIds(table), "AB01 EE05 GA12"); // newest first
    // EE05's station is the one of the frequency it came on, whichever frequency is chosen.
    EXPECT_EQ(table.row(1).cells,
              (std::vector<std::string>{"EE05", "Station E of area 1 (490)", "Weather Forecast",
                                        "490 kHz", "05/12/2026 12:41:01", "05/12/2026 12:41:01",
                                        "1", "92", "NEW"}));
    EXPECT_EQ(window.Count.caption(), "3 messages");

    // Sorted by any column, again the other way; equal rows keep the order of the table.
    const std::pair<int, const char*> sorts[] = {
        {MessageTableForm::Times, "EE05 AB01 GA12"},
        {MessageTableForm::Times, "GA12 EE05 AB01"},
        {MessageTableForm::Copy, "EE05 GA12 AB01"},
        {MessageTableForm::Id, "AB01 EE05 GA12"},
    };
    for (const auto& [column, ids] : sorts) {
        p.app.messageTable().Messages.sortBy(column);
        EXPECT_EQ(shownIds(table), ids) << column;
    }
    // The search looks in the texts and identifiers, in any case; the selectors narrow it when
    // asked.
    window.Search.setText("gale");
    EXPECT_EQ(shownIds(table), "GA12");
    EXPECT_EQ(window.Count.caption(), "1 of 3 messages");
    window.Search.setText("");
    window.FollowSelectors.click();
    p.form().MessageTypeList.setListIndex(p.form().MessageTypeList.indexOf("E - Weather Forecast"));
    EXPECT_EQ(shownIds(table), "EE05");
    // A station of the chosen 518 kHz has not sent EE05, heard on 490 kHz.
    p.form().StationList.setListIndex(5);
    EXPECT_EQ(shownIds(table), "");
    p.form().Frequency[1].choose();
    EXPECT_EQ(shownIds(table), "EE05");
    window.FollowSelectors.click();

    // Live: a new message, a delete. A row shown in the main window is shown there as a choice
    // in its lists does, and the main window's lists keep their own order.
    p.receiveMessage("ZZ99");
    EXPECT_EQ(shownIds(table), "AB01 EE05 GA12 ZZ99");
    p.app.messageTable().Messages.activate(table.indexOf("AB01"));
    EXPECT_EQ(p.form().Text6.text(), "Message AB01");
    EXPECT_EQ(table.row(table.indexOf("AB01")).cells.back(), ""); // seen: no longer new
    p.dialogs.queue(true);
    p.form().Delmsg.click();
    EXPECT_EQ(shownIds(table), "EE05 GA12 ZZ99");
    EXPECT_EQ(test::listState(p.form().MessageList), "[GA12] EE05 ZZ99");
}

} // namespace
} // namespace fenlark
