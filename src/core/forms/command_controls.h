// Buttons, menu entries, option buttons, the check box and the timer: controls whose events run
// their handler.
#pragma once

#include "forms/control.h"

#include <string>
#include <vector>

namespace fenlark {

// A push button or a menu entry: a click runs its handler (a disabled one ignores clicks).
class Button : public Control, public HandlerSlot {
public:
    Button(std::string name, std::string caption)
        : Control(std::move(name)), m_caption(std::move(caption))
    {
    }
    const std::string& caption() const { return m_caption; }
    void click()
    {
        if (enabled())
            runHandler();
    }

private:
    std::string m_caption;
};

using MenuItem = Button;

class OptionButton;

// The option buttons of one frame: choosing one clears the others.
class OptionGroup {
public:
    void add(OptionButton& member) { m_members.push_back(&member); }
    const std::vector<OptionButton*>& members() const { return m_members; }

private:
    std::vector<OptionButton*> m_members;
};

class OptionButton : public Control, public HandlerSlot {
public:
    OptionButton(std::string name, std::string caption, OptionGroup& group)
        : Control(std::move(name)), m_caption(std::move(caption)), m_group(group)
    {
        group.add(*this);
    }
    const std::string& caption() const { return m_caption; }
    bool value() const { return m_value; }

    // Choosing a button clears the others of its group and runs its handler, also when it was
    // already chosen (the operator's click on a chosen button runs it again).
    void choose()
    {
        for (OptionButton* other : m_group.members())
            if (other != this)
                other->setValueQuietly(false);
        setValueQuietly(true);
        runHandler();
    }
    // The window's design state: sets the value without running any handler.
    void setValueQuietly(bool on)
    {
        if (m_value != on) {
            m_value = on;
            changed();
        }
    }

private:
    std::string m_caption;
    OptionGroup& m_group;
    bool m_value = false;
};

// A check box with the values 0 (unchecked) and 1 (checked); a change of value runs its handler.
class CheckBox : public Control, public HandlerSlot {
public:
    CheckBox(std::string name, std::string caption)
        : Control(std::move(name)), m_caption(std::move(caption))
    {
    }
    const std::string& caption() const { return m_caption; }
    int value() const { return m_value; }
    void setValue(int value)
    {
        if (m_value != value) {
            m_value = value;
            changed();
            runHandler();
        }
    }
    void click() { setValue(m_value == 1 ? 0 : 1); }
    void setValueQuietly(int value)
    {
        if (m_value != value) {
            m_value = value;
            changed();
        }
    }

private:
    std::string m_caption;
    int m_value = 0;
};

// A periodic tick; the shell (or a script) calls tick() every interval, which runs the handler only
// while the timer is enabled.
class Timer : public Control, public HandlerSlot {
public:
    Timer(std::string name, int intervalMs) : Control(std::move(name)), m_interval(intervalMs) {}
    int interval() const { return m_interval; }
    void tick()
    {
        if (enabled())
            runHandler();
    }

private:
    int m_interval;
};

} // namespace fenlark
