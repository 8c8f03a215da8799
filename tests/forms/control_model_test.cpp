// The control model's selection rules and the order of sorted lists.
#include "forms/command_controls.h"
#include "forms/entry_sort.h"
#include "forms/list_controls.h"
#include "support/test_program.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

namespace fenlark {
namespace {

using test::listState;

template <typename List> void fill(List& list, const std::vector<std::string>& entries)
{
    for (const std::string& entry : entries)
        list.addItem(entry);
}

TEST(SelectionRules, DropDownRunsForEveryEntryListBoxOnlyOnAChangeAClickAlways)
{
    // From position `start`, position `set` is given to a drop-down, to a list box from code and
    // to a list box by the operator's click; each outcome is "handler runs@position afterwards".
    struct Case {
        int start;
        int set;
        const char* drop;
        const char* box;
        const char* click;
    };
    const Case cases[] = {
        {-1, 0, "1@0", "1@0", "1@0"},     {0, 0, "1@0", "0@0", "1@0"},
        {0, 2, "1@2", "1@2", "1@2"},      {2, -1, "0@-1", "1@-1", "0@2"},
        {-1, -1, "0@-1", "0@-1", "0@-1"}, {1, 3, "0@1", "0@1", "0@1"},
        {1, -2, "0@1", "0@1", "0@1"},
    };
    auto outcome = [](auto&& list, int start, const auto& set) {
        fill(list, {"ZA01", "AB12", "NE05"});
        list.setListIndex(start);
        int runs = 0;
        list.setHandler([&runs] { ++runs; });
        set(list);
        return std::to_string(runs) + "@" + std::to_string(list.listIndex());
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("from " + std::to_string(c.start) + " set " + std::to_string(c.set));
        auto setIndex = [&c](auto& list) { list.setListIndex(c.set); };
        EXPECT_EQ(outcome(DropDown("NavAreaList"), c.start, setIndex), c.drop);
        EXPECT_EQ(outcome(ListBox("MessageList"), c.start, setIndex), c.box);
        EXPECT_EQ(outcome(ListBox("MessageList"), c.start, [&c](ListBox& b) { b.choose(c.set); }),
                  c.click);
    }
}

TEST(SelectionRules, EmptyingAListRunsNothingAndLeavesNothingToChoose)
{
    ListBox box("MessageList");
    fill(box, {"ZA01", "AB12"});
    box.setListIndex(1);
    int runs = 0;
    box.setHandler([&runs] { ++runs; });
    box.clear();
    box.setListIndex(0);
    EXPECT_EQ(runs, 0);
    EXPECT_EQ(std::to_string(box.listIndex()) + "/" + std::to_string(box.count()) + box.text(),
              "-1/0");
}

TEST(SelectionRules, OptionCheckBoxTimerAndButton)
{
    OptionGroup group;
    OptionButton last("Option3", "Last", group);
    OptionButton chosen("Option5", "Selected", group);
    CheckBox box("autosave", "Autosave");
    Timer timer("Timer1", 32000);
    Button button("Command1", "&Save");
    std::vector<int> runs(5);
    last.setHandler([&runs] { ++runs[0]; });
    chosen.setHandler([&runs] { ++runs[1]; });
    box.setHandler([&runs] { ++runs[2]; });
    timer.setHandler([&runs] { ++runs[3]; });
    button.setHandler([&runs] { ++runs[4]; });
    last.setValueQuietly(true);
    chosen.choose();
    chosen.choose(); // choosing the chosen button runs it again
    box.setValue(0); // unchanged: runs nothing
    box.click();
    box.setValue(1);
    box.click();
    timer.tick();
    button.click();
    timer.setEnabled(false);
    button.setEnabled(false);
    timer.tick();
    button.click();
    EXPECT_EQ(std::to_string(last.value()) + std::to_string(chosen.value()) +
                  std::to_string(box.value()),
              "010");
    EXPECT_EQ(runs, (std::vector<int>{0, 2, 2, 1, 1}));
}

TEST(SortedList, AgreesWithAStableByteSortForRandomEntries)
{
    // Small alphabets make equal entries and shared prefixes; the bytes include 0 and 0xFF, and
    // some rounds have entries longer than eight bytes, which are sorted another way.
    const std::string alphabet = std::string("09AZaz ~\x7f\x80\xff") + std::string(1, '\0');
    std::mt19937 random(20261206);
    for (int round = 0; round < 200; ++round) {
        const std::size_t maxLength = round % 3 == 0 ? 12 : 8;
        std::vector<std::string> entries(random() % (round % 4 == 0 ? 3 : 200));
        for (std::string& e : entries) {
            e.resize(random() % (maxLength + 1));
            for (char& c : e)
                c = alphabet[random() % alphabet.size()];
        }
        std::vector<std::string> expected = entries;
        std::stable_sort(expected.begin(), expected.end());
        ListBox list("MessageList2", ListBox::Order::Sorted);
        fill(list, entries);
        std::vector<std::string> listed;
        for (int i = 0; i < list.count(); ++i)
            listed.push_back(list.list(i));
        sortEntries(entries);
        ASSERT_EQ(entries, expected) << "round " << round;
        ASSERT_EQ(listed, expected) << "round " << round;
    }
}

TEST(SortedList, NewIndexIsWhereTheLastAddedEntryLanded)
{
    struct Case {
        std::vector<std::string> settled; // added and read before the others
        std::vector<std::string> added;   // the last one is asked for
        int newIndex;
        ListBox::Order order = ListBox::Order::Sorted;
    };
    const std::vector<Case> cases = {
        {{"AB12", "ZA01"}, {"NE05"}, 1},   // a single insert into a settled list
        {{"AB12", "ZA01"}, {"ZZ99"}, 2},   // ... at the end
        {{"NE05"}, {"NE05"}, 1},           // ... after an equal entry
        {{}, {"ZA01", "AB12", "NE05"}, 1}, // a rebuild from empty
        {{}, {"NE05", "AB12", "NE05"}, 2}, // ... the last of equal entries
        {{}, {"NE05"}, 0},
        {{"ZA01"}, {"AB12", "NE05"}, 2, ListBox::Order::Unsorted},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("last added " + c.added.back() + " after " + std::to_string(c.settled.size()) +
                     " settled entries");
        ListBox list("MessageList2", c.order);
        fill(list, c.settled);
        (void)list.list(0);
        fill(list, c.added);
        EXPECT_EQ(list.newIndex(), c.newIndex);
        EXPECT_EQ(list.list(c.newIndex), c.added.back());
    }
}

TEST(SortedList, AnInsertKeepsTheCurrentEntryCurrentWithoutRunningTheHandler)
{
    const std::pair<std::string, std::string> cases[] = {
        {"AA00", "AA00 AB12 [NE05] ZA01"},
        {"NE05", "AB12 [NE05] NE05 ZA01"}, // an equal entry lands after it
        {"ZZ99", "AB12 [NE05] ZA01 ZZ99"},
    };
    for (const auto& [inserted, expected] : cases) {
        SCOPED_TRACE("inserted " + inserted);
        ListBox list("MessageList2", ListBox::Order::Sorted);
        fill(list, {"ZA01", "AB12", "NE05"});
        list.setListIndex(1);
        list.setHandler([] { ADD_FAILURE() << "the handler ran"; });
        list.addItem(inserted);
        EXPECT_EQ(listState(list), expected);
    }
}

} // namespace
} // namespace fenlark
