#include "reception/message_table.h"

#include "common/text.h"

namespace fenlark {

int findMessage(const State& state, std::string_view id)
{
    for (int i = 0; i < state.msgcount; ++i)
        if (sameText(state.MessageTable[static_cast<std::size_t>(i)].msgid, id))
            return i;
    return -1;
}

int compactTable(State& state, const std::function<bool(const MessageRecord&)>& keep)
{
    int j = 0;
    const int count = state.msgcount;
    for (int i = 0; i < count; ++i) {
        MessageRecord& record = state.MessageTable[static_cast<std::size_t>(i)];
        if (!keep(record))
            continue;
        if (i != j)
            state.MessageTable[static_cast<std::size_t>(j)] = std::move(record);
        ++j;
    }
    state.msgcount = static_cast<std::int16_t>(j);
    return count - j;
}

} // namespace fenlark
