#include "alerts/new_marks.h"

#include "forms/ports.h"

namespace fenlark {

bool NewMarks::current(DateTime firstrx) const
{
    return m_clock.now().totalSeconds() - firstrx.totalSeconds() < kLifetimeSeconds;
}

void NewMarks::mark(const std::string& msgid, DateTime firstrx)
{
    m_marks[msgid] = firstrx;
    changed();
}

void NewMarks::seen(std::string_view msgid)
{
    if (const auto it = m_marks.find(msgid); it != m_marks.end()) {
        m_marks.erase(it);
        changed();
    }
}

void NewMarks::clear()
{
    if (!m_marks.empty()) {
        m_marks.clear();
        changed();
    }
}

void NewMarks::keepOnly(const std::function<bool(const std::string&)>& filed)
{
    if (std::erase_if(m_marks, [&](const auto& mark) { return !filed(mark.first); }) > 0)
        changed();
}

void NewMarks::expire()
{
    if (std::erase_if(m_marks, [this](const auto& mark) { return !current(mark.second); }) > 0)
        changed();
}

bool NewMarks::isNew(std::string_view msgid) const
{
    const auto it = m_marks.find(msgid);
    return it != m_marks.end() && current(it->second);
}

int NewMarks::count() const
{
    int n = 0;
    for (const auto& mark : m_marks)
        n += current(mark.second) ? 1 : 0;
    return n;
}

} // namespace fenlark
