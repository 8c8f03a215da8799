// The base of every control of the control model: its window name and the shell's change observer.
#pragma once

#include <functional>
#include <string>
#include <utility>

namespace fenlark {

class Control {
public:
    explicit Control(std::string name) : m_name(std::move(name)) {}
    virtual ~Control() = default;
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    // The control's name in its window (`Text12`, `Frequency(2)`); shells use it as the object name.
    const std::string& name() const { return m_name; }

    bool enabled() const { return m_enabled; }
    void setEnabled(bool on);
    bool visible() const { return m_visible; }
    void setVisible(bool on);
    // The pop-up hint shown when the pointer rests on the control.
    const std::string& toolTip() const { return m_toolTip; }
    void setToolTip(std::string tip) { m_toolTip = std::move(tip); }

    // The shell's mirror: told after every change of the control's own state (not of list entries,
    // which list controls report through their list observer).
    void setObserver(std::function<void()> observer) { m_observer = std::move(observer); }

protected:
    void changed() const
    {
        if (m_observer)
            m_observer();
    }

private:
    std::string m_name;
    bool m_enabled = true;
    bool m_visible = true;
    std::string m_toolTip;
    std::function<void()> m_observer;
};

inline void Control::setEnabled(bool on)
{
    if (m_enabled != on) {
        m_enabled = on;
        changed();
    }
}

inline void Control::setVisible(bool on)
{
    if (m_visible != on) {
        m_visible = on;
        changed();
    }
}

// A control that runs one handler when its event happens.
class HandlerSlot {
public:
    void setHandler(std::function<void()> handler) { m_handler = std::move(handler); }

protected:
    void runHandler() const
    {
        if (m_handler)
            m_handler();
    }

private:
    std::function<void()> m_handler;
};

// Sets a flag for its own lifetime, then puts back what the flag was (also when a handler throws).
class FlagScope {
public:
    explicit FlagScope(bool& flag) : m_flag(flag), m_was(flag) { m_flag = true; }
    ~FlagScope() { m_flag = m_was; }
    FlagScope(const FlagScope&) = delete;
    FlagScope& operator=(const FlagScope&) = delete;

private:
    bool& m_flag;
    bool m_was;
};

} // namespace fenlark
