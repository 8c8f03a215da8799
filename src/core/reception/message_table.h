// Operations on the message table: look-up by identifier and compaction.
#pragma once

#include "app/state.h"

#include <functional>
#include <string_view>

namespace fenlark {

// The first slot in use whose identifier equals `id` exactly, or -1.
int findMessage(const State& state, std::string_view id);

// Moves the records to keep down over the gaps, keeping their order; msgcount becomes the number
// kept. Returns how many were dropped.
int compactTable(State& state, const std::function<bool(const MessageRecord&)>& keep);

} // namespace fenlark
