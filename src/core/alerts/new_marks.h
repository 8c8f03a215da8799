// The marks on new messages: which messages filed as new in this run the operator has not seen
// yet. A mark lasts until the operator sees the message or 24 hours after its first reception.
#pragma once

#include "common/date_time.h"

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <string_view>

namespace fenlark {

class Clock;

class NewMarks {
public:
    static constexpr std::int64_t kLifetimeSeconds = 24 * 60 * 60;

    // Ages are read from the program's clock.
    explicit NewMarks(Clock& clock) : m_clock(clock) {}

    // A message filed as new; a mark the identifier had before is replaced.
    void mark(const std::string& msgid, DateTime firstrx);
    // The operator has seen the message: its mark goes.
    void seen(std::string_view msgid);
    // No message is new any more (the table was replaced by the log's).
    void clear();
    // Drops the marks of identifiers that `filed` no longer knows.
    void keepOnly(const std::function<bool(const std::string&)>& filed);
    // Drops the marks that have lasted 24 hours; the observer hears of it when any went.
    void expire();

    // Marked and younger than 24 hours by the clock now.
    bool isNew(std::string_view msgid) const;
    // How many messages are new now.
    int count() const;

    // Told after every change of the marks (not when one merely outlives its 24 hours: expire()
    // tells of those).
    void setObserver(std::function<void()> observer) { m_observer = std::move(observer); }

private:
    bool current(DateTime firstrx) const;
    void changed() const
    {
        if (m_observer)
            m_observer();
    }

    Clock& m_clock;
    std::map<std::string, DateTime, std::less<>> m_marks;
    std::function<void()> m_observer;
};

} // namespace fenlark
