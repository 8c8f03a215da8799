// List boxes (sorted or not) and drop-down selectors, with the selection rules built in once.
#pragma once

#include "forms/control.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace fenlark {

// What changed in a list control, for a shell that mirrors it row by row.
struct ListChange {
    enum class Kind {
        Cleared,        // all entries removed; the current position is -1
        Inserted,       // one entry now stands at `index`
        Appended,       // an entry was added whose place is not settled yet (a sorted list being
                        // rebuilt); re-read the whole list when convenient
        CurrentChanged, // the current position is now `index` (-1 for none)
        TopChanged,     // the top visible row is now `index`
        TextChanged,    // the typed text of an editable selector changed
    };
    Kind kind;
    int index = -1;
};

using ListObserver = std::function<void(const ListChange&)>;

// The entries and current position shared by list boxes and drop-down selectors.
class ListControl : public Control, public HandlerSlot {
public:
    using Control::Control;

    int count() const;
    // The entry at position i; an empty text for a position outside the list (the position equal
    // to the number of entries reads as empty text).
    const std::string& list(int i) const;
    int listIndex() const { return m_index; }
    // The current entry's text, empty when there is none.
    std::string text() const { return list(m_index); }
    // The first position whose entry equals `entry` exactly, or -1.
    int indexOf(std::string_view entry) const;

    void addItem(std::string_view entry);
    // Puts an entry at position `index` (0 to count()) of an unsorted list, the current entry
    // staying current; a sorted list places it in order, as addItem does.
    void insertItem(int index, std::string_view entry);
    // Empties the list; the current position becomes -1 without running the handler.
    void clear();

    void setListObserver(ListObserver observer) { m_listObserver = std::move(observer); }

protected:
    void notify(ListChange::Kind kind, int index) const
    {
        if (m_listObserver)
            m_listObserver(ListChange{kind, index});
    }
    void setIndexQuietly(int index);
    bool sorted() const { return m_sorted; }
    void makeSorted() { m_sorted = true; }
    // Where the last added entry landed (sorted lists settle it lazily).
    int lastAddedIndex() const;
    int top() const { return m_top; }
    void setTopIndexQuietly(int index);

private:
    void settle() const;

    bool m_sorted = false;
    int m_index = -1;
    // Sorted lists rebuilt from scratch collect their entries in m_pending and sort them once, at
    // the first read; a single entry added to a settled list goes straight to its place.
    mutable std::vector<std::string> m_items;
    mutable std::vector<std::string> m_pending;
    mutable int m_newIndex = -1;
    int m_top = 0;
    ListObserver m_listObserver;
};

// A list box. Setting the current position, from code or by the operator, runs the handler only
// when the position changes.
class ListBox : public ListControl {
public:
    enum class Order { Unsorted, Sorted };
    ListBox(std::string name, Order order = Order::Unsorted);

    // Positions from -1 to count() - 1; anything else is ignored.
    void setListIndex(int index);
    // Marking an entry selected is the same as making it current.
    void setSelected(int index) { setListIndex(index); }
    // The operator's click on entry `index`: makes it current and runs the handler, also when it
    // was current already (choosing the shown message again shows it again). Only the operator's
    // actions choose; code sets positions.
    void choose(int index);
    // True while a choice runs its handler and whatever that runs in turn.
    bool choosing() const { return m_choosing; }
    // The position at which the last added entry was placed.
    int newIndex() const { return lastAddedIndex(); }
    // The entry scrolled into the top visible row.
    int topIndex() const { return top(); }
    void setTopIndex(int index) { setTopIndexQuietly(index); }
    bool isSorted() const { return sorted(); }

private:
    bool m_choosing = false;
};

// A drop-down selector. Setting its position to an entry runs the handler even when the position
// does not change; setting it to -1 clears the choice and runs nothing. An editable selector also
// holds a typed text, which choosing an entry replaces.
class DropDown : public ListControl {
public:
    enum class Style { List, Editable };
    DropDown(std::string name, Style style = Style::List);

    void setListIndex(int index);
    bool editable() const { return m_editable; }
    // The typed text of an editable selector, else the current entry's text.
    std::string text() const { return m_editable ? m_typed : ListControl::text(); }
    // Types a text into an editable selector (runs nothing); ignored by a plain selector.
    void setText(std::string text);

private:
    bool m_editable;
    std::string m_typed;
};

} // namespace fenlark
