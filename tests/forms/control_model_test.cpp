// The control model's selection rules, sorted list order and nested handler runs.
#include "forms/command_controls.h"
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

// Counts how often a control's handler runs.
struct RunCounter {
    int runs = 0;
    std::function<void()> handler()
    {
        return [this] { ++runs; };
    }
};

TEST(DropDownSelection, RunsHandlerForEveryEntryPositionButNotForMinusOne)
{
    struct Case {
        int start;   // position before the setting (-1: none)
        int set;     // position set from code
        int runs;    // handler runs expected
        int current; // position afterwards
    };
    const Case cases[] = {
        {-1, 0, 1, 0},   // a first choice
        {0, 0, 1, 0},    // the same position again still runs the handler
        {0, 2, 1, 2},    // a change
        {2, -1, 0, -1},  // clearing the choice runs nothing
        {-1, -1, 0, -1}, // nothing chosen stays so
        {1, 3, 0, 1},    // beyond the last entry: ignored
        {1, -2, 0, 1},   // below -1: ignored
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("from " + std::to_string(c.start) + " set " + std::to_string(c.set));
        DropDown drop("NavAreaList");
        fill(drop, {"one", "two", "three"});
        drop.setListIndex(c.start);
        RunCounter counter;
        drop.setHandler(counter.handler());
        drop.setListIndex(c.set);
        EXPECT_EQ(counter.runs, c.runs);
        EXPECT_EQ(drop.listIndex(), c.current);
    }
}

TEST(ListBoxSelection, RunsHandlerOnlyWhenTheCurrentEntryChanges)
{
    struct Case {
        int start;
        int set;
        int runs;
        int current;
    };
    const Case cases[] = {
        {-1, 0, 1, 0},   // a first choice
        {0, 0, 0, 0},    // setting the current entry again runs nothing
        {0, 2, 1, 2},    // a change
        {2, -1, 1, -1},  // leaving the list without a current entry is a change
        {-1, -1, 0, -1}, // no change
        {1, 3, 0, 1},    // beyond the last entry: ignored
        {1, -5, 0, 1},   // below -1: ignored
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("from " + std::to_string(c.start) + " set " + std::to_string(c.set));
        ListBox box("MessageList");
        fill(box, {"ZA01", "AB12", "NE05"});
        box.setListIndex(c.start);
        RunCounter counter;
        box.setHandler(counter.handler());
        box.setListIndex(c.set);
        EXPECT_EQ(counter.runs, c.runs);
        EXPECT_EQ(box.listIndex(), c.current);
    }
}

TEST(ListBoxSelection, MarkingAnEntrySelectedFollowsTheSameRule)
{
    ListBox box("MessageList");
    fill(box, {"ZA01", "AB12"});
    RunCounter counter;
    box.setHandler(counter.handler());
    box.setSelected(1);
    box.setSelected(1);
    EXPECT_EQ(counter.runs, 1);
    EXPECT_EQ(box.text(), "AB12");
}

TEST(ListBoxSelection, EmptyingTheListRunsNothingAndLeavesNoCurrentEntry)
{
    ListBox box("MessageList");
    fill(box, {"ZA01", "AB12"});
    box.setListIndex(1);
    RunCounter counter;
    box.setHandler(counter.handler());
    box.clear();
    EXPECT_EQ(counter.runs, 0);
    EXPECT_EQ(box.listIndex(), -1);
    EXPECT_EQ(box.count(), 0);
    box.setListIndex(0); // nothing to choose in an empty list
    EXPECT_EQ(counter.runs, 0);
    EXPECT_EQ(box.listIndex(), -1);
}

TEST(ListBoxEntries, ReadingThePositionAfterTheLastGivesEmptyText)
{
    ListBox box("MessageList");
    fill(box, {"ZA01", "AB12"});
    EXPECT_EQ(box.list(2), "");
    EXPECT_EQ(box.list(-1), "");
    EXPECT_EQ(box.text(), ""); // no current entry
    EXPECT_EQ(box.indexOf("AB12"), 1);
    EXPECT_EQ(box.indexOf("ab12"), -1); // exact comparison
}

TEST(OptionGroupChoice, ChoosingOneClearsTheOthersAndRunsOnlyItsHandler)
{
    OptionGroup group;
    OptionButton last("Option3", "Last", group);
    OptionButton lastNew("Option4", "Last New", group);
    OptionButton selected("Option5", "Selected", group);
    RunCounter lastRuns, newRuns, selectedRuns;
    last.setHandler(lastRuns.handler());
    lastNew.setHandler(newRuns.handler());
    selected.setHandler(selectedRuns.handler());
    last.setValueQuietly(true);

    selected.choose();
    EXPECT_FALSE(last.value());
    EXPECT_FALSE(lastNew.value());
    EXPECT_TRUE(selected.value());
    EXPECT_EQ(selectedRuns.runs, 1);
    EXPECT_EQ(lastRuns.runs + newRuns.runs, 0);

    selected.choose(); // choosing the chosen button runs it again
    EXPECT_EQ(selectedRuns.runs, 2);
    EXPECT_TRUE(selected.value());

    lastNew.choose();
    EXPECT_EQ(std::vector<bool>({last.value(), lastNew.value(), selected.value()}),
              std::vector<bool>({false, true, false}));
}

TEST(CheckBoxClick, RunsHandlerOnlyWhenTheValueChanges)
{
    CheckBox box("autosave", "Autosave");
    RunCounter counter;
    box.setHandler(counter.handler());
    box.setValue(0);
    EXPECT_EQ(counter.runs, 0);
    box.setValue(1);
    EXPECT_EQ(counter.runs, 1);
    box.setValue(1);
    EXPECT_EQ(counter.runs, 1);
    box.click();
    EXPECT_EQ(box.value(), 0);
    EXPECT_EQ(counter.runs, 2);
}

TEST(TimerTick, RunsHandlerOnlyWhileEnabled)
{
    Timer timer("Timer1", 32000);
    RunCounter counter;
    timer.setHandler(counter.handler());
    timer.tick();
    EXPECT_EQ(counter.runs, 1);
    timer.setEnabled(false);
    timer.tick();
    timer.tick();
    EXPECT_EQ(counter.runs, 1);
    timer.setEnabled(true);
    timer.tick();
    EXPECT_EQ(counter.runs, 2);
}

TEST(ButtonClick, ADisabledButtonIgnoresClicks)
{
    Button button("Command1", "&Save");
    RunCounter counter;
    button.setHandler(counter.handler());
    button.click();
    button.setEnabled(false);
    button.click();
    EXPECT_EQ(counter.runs, 1);
}

TEST(SortedListOrder, EntriesStandInAscendingByteOrder)
{
    struct Case {
        std::vector<std::string> added;
        std::string expected;
    };
    const std::vector<Case> cases = {
        {{"ZA01", "AB12", "NE05"}, "AB12 NE05 ZA01"},
        {{"A1", "1A", "Z9", "09"}, "09 1A A1 Z9"},         // digits before letters
        {{"ab", "AB", "Ab", "aB"}, "AB Ab aB ab"},         // upper case before lower
        {{"B", "BA", "A", "AAAA"}, "A AAAA B BA"},         // a prefix before its extensions
        {{"\xC4Z", "ZZ", "~", "\x7F"}, "ZZ ~ \x7F \xC4Z"}, // bytes of 128 and above last
        {{"NE05", "NE05", "AB12"}, "AB12 NE05 NE05"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("expected " + c.expected);
        ListBox rebuilt("MessageList2", ListBox::Order::Sorted);
        fill(rebuilt, c.added);
        EXPECT_EQ(listState(rebuilt), c.expected) << "filled from empty";

        // The same entries added one by one to a list that is read after each addition.
        ListBox grown("MessageList2", ListBox::Order::Sorted);
        for (const std::string& entry : c.added) {
            grown.addItem(entry);
            (void)grown.list(0);
        }
        EXPECT_EQ(listState(grown), c.expected) << "grown one entry at a time";
    }
}

TEST(SortedListOrder, MatchesAPlainSortForRandomEntries)
{
    // Identifiers are short, but entries of any length and byte value must sort the same way:
    // empty entries, NUL bytes, high bytes and entries longer than eight bytes included.
    for (const unsigned seed : {1u, 2u, 3u, 4u, 5u, 6u, 7u, 8u}) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        std::mt19937 random(seed);
        const std::string alphabet = std::string("0129ABZaz~ ") + '\0' + "\x7F\x80\xFF";
        std::vector<std::string> entries;
        const int count = 1 + static_cast<int>(random() % 300);
        const std::size_t maxLength = seed % 2 ? 8 : 12;
        for (int i = 0; i < count; ++i) {
            std::string entry(random() % (maxLength + 1), ' ');
            for (char& ch : entry)
                ch = alphabet[random() % alphabet.size()];
            entries.push_back(entry);
        }
        ListBox list("MessageList2", ListBox::Order::Sorted);
        fill(list, entries);
        std::vector<std::string> expected = entries;
        std::sort(expected.begin(), expected.end());
        std::vector<std::string> actual;
        for (int i = 0; i < list.count(); ++i)
            actual.push_back(list.list(i));
        EXPECT_EQ(actual, expected);
    }
}

TEST(SortedListNewIndex, GivesThePlaceOfTheLastAddedEntry)
{
    struct Case {
        std::vector<std::string> before;  // added and read before the last entry
        std::vector<std::string> pending; // added without reading, the last one is asked for
        int newIndex;
    };
    const std::vector<Case> cases = {
        {{"AB12", "ZA01"}, {"NE05"}, 1},   // a single insert into a settled list
        {{"AB12", "ZA01"}, {"00AA"}, 0},   // ... at the top
        {{"AB12", "ZA01"}, {"ZZ99"}, 2},   // ... at the end
        {{}, {"ZA01", "AB12", "NE05"}, 1}, // a rebuild from empty
        {{}, {"ZA01", "AB12", "AA00"}, 0}, // ... the last added sorts first
        {{}, {"NE05"}, 0},                 // ... a single entry
        {{}, {"NE05", "AB12", "NE05"}, 2}, // equal entries: the last added follows the others
        {{"NE05"}, {"NE05"}, 1},           // ... also when inserted into a settled list
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("last added " + c.pending.back() + " after " +
                     std::to_string(c.before.size()) + " settled entries");
        ListBox list("MessageList2", ListBox::Order::Sorted);
        fill(list, c.before);
        (void)list.list(0);
        fill(list, c.pending);
        EXPECT_EQ(list.newIndex(), c.newIndex);
        EXPECT_EQ(list.list(c.newIndex), c.pending.back());
    }
}

TEST(UnsortedListNewIndex, IsTheLastPosition)
{
    ListBox list("MessageList");
    fill(list, {"ZA01", "AB12", "NE05"});
    EXPECT_EQ(listState(list), "ZA01 AB12 NE05");
    EXPECT_EQ(list.newIndex(), 2);
}

TEST(SortedListInsert, TheCurrentEntryStaysCurrentWithoutRunningTheHandler)
{
    struct Case {
        std::string inserted;
        std::string expected;
    };
    const Case cases[] = {
        {"AA00", "AA00 AB12 [NE05] ZA01"}, // before the current entry
        {"NA00", "AB12 NA00 [NE05] ZA01"},
        {"NE05", "AB12 [NE05] NE05 ZA01"}, // equal: lands after it
        {"ZZ99", "AB12 [NE05] ZA01 ZZ99"}, // after it
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("inserted " + c.inserted);
        ListBox list("MessageList2", ListBox::Order::Sorted);
        fill(list, {"ZA01", "AB12", "NE05"});
        list.setListIndex(1);
        RunCounter counter;
        list.setHandler(counter.handler());
        list.addItem(c.inserted);
        EXPECT_EQ(listState(list), c.expected);
        EXPECT_EQ(list.text(), "NE05");
        EXPECT_EQ(counter.runs, 0);
    }
}

TEST(NestedHandlers, AHandlerSettingAnotherListRunsItsHandlerAtOnceToCompletion)
{
    std::vector<std::string> trace;
    ListBox first("MessageList");
    ListBox second("MessageList2", ListBox::Order::Sorted);
    DropDown third("MessageTypeList");
    fill(first, {"ZA01", "AB12"});
    fill(second, {"ZA01", "AB12"});
    fill(third, {" All Messages", "A - Navigation Warning"});

    first.setHandler([&] {
        trace.push_back("first begins, second at " + std::to_string(second.listIndex()));
        second.setListIndex(second.indexOf(first.text()));
        trace.push_back("first ends, third at " + std::to_string(third.listIndex()));
    });
    second.setHandler([&] {
        trace.push_back("second begins");
        third.setListIndex(0);
        trace.push_back("second ends");
    });
    third.setHandler([&] { trace.push_back("third"); });

    first.setListIndex(0);
    const std::vector<std::string> expected = {"first begins, second at -1", "second begins",
                                               "third", "second ends", "first ends, third at 0"};
    EXPECT_EQ(trace, expected);
}

TEST(SortedListNewIndex, SurvivesAReadOfTheListBeforeItIsAsked)
{
    ListBox list("MessageList2", ListBox::Order::Sorted);
    for (const char* id : {"ZA01", "AB12", "NE05"})
        list.addItem(id);
    ASSERT_EQ(list.indexOf("ZA01"), 2); // any read settles the order
    EXPECT_EQ(list.newIndex(), 1);      // NE05 stands at position 1
}

TEST(ListBoxChoose, TheOperatorsClickRunsTheHandlerAlsoOnTheCurrentEntry)
{
    ListBox list("MessageList");
    int runs = 0;
    list.setHandler([&] { ++runs; });
    for (const char* id : {"ZA01", "AB12"})
        list.addItem(id);
    list.choose(1);
    EXPECT_EQ(list.listIndex(), 1);
    list.choose(1);
    list.setListIndex(1); // from code, an unchanged position runs nothing
    list.choose(5);       // no such entry
    EXPECT_EQ(runs, 2);
}

} // namespace
} // namespace fenlark
