#include "forms/list_controls.h"

#include "common/text.h"
#include "forms/entry_sort.h"

#include <algorithm>

namespace fenlark {
namespace {
const std::string kEmpty;
}

void ListControl::settle() const
{
    if (m_pending.empty())
        return;
    // The last added entry follows every equal entry added before it; where it lands is kept for
    // newIndex(), whoever reads the list first.
    const std::string last = m_pending.back();
    if (m_items.empty()) {
        sortEntriesInto(m_pending, m_items);
    } else {
        sortEntries(m_pending);
        std::vector<std::string> merged;
        merged.reserve(m_items.size() + m_pending.size());
        std::merge(std::make_move_iterator(m_items.begin()), std::make_move_iterator(m_items.end()),
                   std::make_move_iterator(m_pending.begin()),
                   std::make_move_iterator(m_pending.end()), std::back_inserter(merged));
        m_items.swap(merged);
        m_pending.clear();
    }
    const auto it = std::upper_bound(m_items.begin(), m_items.end(), last);
    m_newIndex = static_cast<int>(it - m_items.begin()) - 1;
}

int ListControl::count() const
{
    return static_cast<int>(m_items.size() + m_pending.size());
}

const std::string& ListControl::list(int i) const
{
    settle();
    if (i < 0 || i >= static_cast<int>(m_items.size()))
        return kEmpty;
    return m_items[static_cast<std::size_t>(i)];
}

int ListControl::indexOf(std::string_view entry) const
{
    settle();
    if (m_sorted) {
        const auto it = std::lower_bound(m_items.begin(), m_items.end(), entry);
        return it != m_items.end() && *it == entry ? static_cast<int>(it - m_items.begin()) : -1;
    }
    const auto it = std::find_if(m_items.begin(), m_items.end(),
                                 [entry](const std::string& item) { return sameText(item, entry); });
    return it != m_items.end() ? static_cast<int>(it - m_items.begin()) : -1;
}

void ListControl::addItem(std::string_view entry)
{
    if (!m_sorted) {
        m_items.emplace_back(entry);
        m_newIndex = static_cast<int>(m_items.size()) - 1;
        notify(ListChange::Kind::Inserted, m_newIndex);
        return;
    }
    if (m_items.empty() || !m_pending.empty()) {
        // A list being filled from empty: sort once when it is first read.
        m_pending.emplace_back(entry);
        m_newIndex = -1;
        notify(ListChange::Kind::Appended, -1);
        return;
    }
    // Equal entries keep the order in which they were added.
    const auto it = std::upper_bound(m_items.begin(), m_items.end(), entry);
    const int at = static_cast<int>(it - m_items.begin());
    m_items.insert(it, std::string(entry));
    m_newIndex = at;
    if (m_index >= at)
        ++m_index;
    notify(ListChange::Kind::Inserted, at);
}

void ListControl::insertItem(int index, std::string_view entry)
{
    if (m_sorted || index < 0 || index >= count()) {
        addItem(entry);
        return;
    }
    m_items.insert(m_items.begin() + index, std::string(entry));
    m_newIndex = index;
    if (m_index >= index)
        ++m_index;
    notify(ListChange::Kind::Inserted, index);
}

int ListControl::lastAddedIndex() const
{
    settle();
    return m_newIndex;
}

void ListControl::clear()
{
    m_items.clear();
    m_pending.clear();
    m_newIndex = -1;
    m_index = -1;
    m_top = 0;
    notify(ListChange::Kind::Cleared, -1);
}

void ListControl::setIndexQuietly(int index)
{
    settle(); // a position always refers to the settled order
    m_index = index;
    notify(ListChange::Kind::CurrentChanged, index);
}

ListBox::ListBox(std::string name, Order order) : ListControl(std::move(name))
{
    if (order == Order::Sorted)
        makeSorted();
}

void ListBox::setListIndex(int index)
{
    if (index < -1 || index >= count() || index == listIndex())
        return;
    setIndexQuietly(index);
    runHandler();
}

void ListBox::choose(int index)
{
    if (index < 0 || index >= count())
        return;
    const FlagScope scope(m_choosing);
    if (index != listIndex())
        setListIndex(index);
    else
        runHandler();
}

void ListControl::setTopIndexQuietly(int index)
{
    if (index < 0 || index >= count() || index == m_top)
        return;
    m_top = index;
    notify(ListChange::Kind::TopChanged, index);
}

DropDown::DropDown(std::string name, Style style)
    : ListControl(std::move(name)), m_editable(style == Style::Editable)
{
}

void DropDown::setListIndex(int index)
{
    if (index < -1 || index >= count())
        return;
    if (index == -1) {
        if (listIndex() != -1)
            setIndexQuietly(-1);
        return;
    }
    if (index != listIndex())
        setIndexQuietly(index);
    if (m_editable && m_typed != list(index)) {
        m_typed = list(index);
        notify(ListChange::Kind::TextChanged, index);
    }
    runHandler();
}

void DropDown::setText(std::string text)
{
    if (!m_editable || m_typed == text)
        return;
    m_typed = std::move(text);
    notify(ListChange::Kind::TextChanged, listIndex());
}

} // namespace fenlark
