#include "headless/script_values.h"

#include "headless/script_runner.h"

#include <iterator>

namespace fenlark::headless {
namespace {

// Every window the driver reaches, by its name.
struct WindowName {
    Window window;
    const char* name;
};
constexpr WindowName kWindowNames[] = {
    {Window::Form1, "Form1"},
    {Window::ComPortForm, "ComPortForm"},
    {Window::Form2, "Form2"},
    {Window::Alarms, "Alarms"},
    {Window::EarlierLogs, "EarlierLogs"},
    {Window::Welcome, "Welcome"},
    {Window::MessageTable, "MessageTable"},
};
static_assert(std::size(kWindowNames) == kWindowCount);

} // namespace

std::optional<Window> windowNamed(const std::string& name)
{
    for (const WindowName& w : kWindowNames)
        if (name == w.name)
            return w.window;
    return std::nullopt;
}

const char* windowName(Window window)
{
    for (const WindowName& w : kWindowNames)
        if (window == w.window)
            return w.name;
    return "?";
}

const char* windowCaption(Window window)
{
    switch (window) {
    case Window::Form1:
        return Form1::kCaption;
    case Window::ComPortForm:
        return ComPortForm::kCaption;
    case Window::Form2:
        return Form2::kCaption;
    case Window::Alarms:
        return Alarms::kCaption;
    case Window::EarlierLogs:
        return EarlierLogs::kCaption;
    case Window::Welcome:
        return Welcome::kCaption;
    case Window::MessageTable:
        return MessageTableForm::kCaption;
    }
    return "?";
}

namespace {

// The text `get` prints for a control and property.
struct ValueText {
    const std::string& property;

    [[noreturn]] std::string unknown(const std::string& kind) const
    {
        throw ScriptError(kind + " has no property \"" + property + "\"");
    }
    bool is(const char* name) const { return property == name; }

    std::string operator()(TextBox* c) const
    {
        if (property.empty() || is("Text"))
            return c->text();
        return common(*c, "a text box");
    }
    std::string operator()(Label* c) const
    {
        if (property.empty() || is("Caption"))
            return c->caption();
        return common(*c, "a label");
    }
    std::string operator()(Frame* c) const
    {
        if (property.empty() || is("Caption"))
            return c->caption();
        return common(*c, "a frame");
    }
    std::string operator()(Button* c) const
    {
        if (property.empty() || is("Caption"))
            return c->caption();
        return common(*c, "a button");
    }
    std::string operator()(OptionButton* c) const
    {
        if (property.empty() || is("Value"))
            return boolText(c->value());
        if (is("Caption"))
            return c->caption();
        return common(*c, "an option button");
    }
    std::string operator()(CheckBox* c) const
    {
        if (property.empty() || is("Value"))
            return std::to_string(c->value());
        if (is("Caption"))
            return c->caption();
        return common(*c, "a check box");
    }
    std::string operator()(Timer* c) const
    {
        if (property.empty() || is("Enabled"))
            return boolText(c->enabled());
        if (is("Interval"))
            return std::to_string(c->interval());
        return unknown("a timer");
    }
    std::string operator()(ListBox* c) const
    {
        if (is("TopIndex"))
            return std::to_string(c->topIndex());
        if (is("NewIndex"))
            return std::to_string(c->newIndex());
        return listValue(*c, c->text(), "a list box");
    }
    std::string operator()(DropDown* c) const { return listValue(*c, c->text(), "a selector"); }
    std::string operator()(TableControl* c) const
    {
        if (property.empty() || is("Text"))
            return c->currentKey();
        if (is("ListIndex"))
            return std::to_string(c->currentRow());
        if (is("ListCount"))
            return std::to_string(c->rowCount());
        return common(*c, "a table");
    }
    std::string operator()(MSComm* c) const
    {
        if (is("PortOpen"))
            return boolText(c->portOpen());
        if (is("CommPort"))
            return std::to_string(c->commPort());
        if (is("Settings"))
            return c->settings();
        if (is("Handshaking"))
            return std::to_string(c->handshaking());
        if (is("InputMode"))
            return std::to_string(c->inputMode());
        if (is("RThreshold"))
            return std::to_string(c->rThreshold());
        if (is("InputLen"))
            return std::to_string(c->inputLen());
        return unknown("the serial port control");
    }

    std::string listValue(const ListControl& c, const std::string& text, const char* kind) const
    {
        if (property.empty() || is("Text"))
            return text;
        if (is("ListIndex"))
            return std::to_string(c.listIndex());
        if (is("ListCount"))
            return std::to_string(c.count());
        return common(c, kind);
    }
    std::string common(const Control& c, const std::string& kind) const
    {
        if (is("Enabled"))
            return boolText(c.enabled());
        if (is("Visible"))
            return boolText(c.visible());
        if (is("ToolTipText"))
            return c.toolTip();
        return unknown(kind);
    }
};

} // namespace

std::string valueText(const ControlRef& control, const std::string& property)
{
    return std::visit(ValueText{property}, control);
}

std::string boolText(bool on)
{
    return on ? "True" : "False";
}

} // namespace fenlark::headless
