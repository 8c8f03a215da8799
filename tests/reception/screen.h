// A picture of every control of the main window, which tests compare before and after an event.
#pragma once

#include "forms/control_registry.h"
#include "support/test_program.h"
#include "view/form1.h"

#include <map>
#include <string>
#include <type_traits>
#include <variant>

namespace fenlark::test {

// Every control of the main window by name, with what it shows (texts, captions, values, list
// entries with the current one in brackets).
inline std::map<std::string, std::string> screen(Form1& form)
{
    ControlRegistry registry;
    form.registerControls(registry);
    std::map<std::string, std::string> out;
    for (const std::string& name : registry.names()) {
        const ControlRef* ref = registry.find(name);
        out[name] = std::visit(
            [](auto* control) -> std::string {
                using T = std::remove_pointer_t<decltype(control)>;
                if constexpr (std::is_same_v<T, TextBox>)
                    return control->text();
                else if constexpr (std::is_same_v<T, Label> || std::is_same_v<T, Frame> ||
                                   std::is_same_v<T, Button>)
                    return control->caption();
                else if constexpr (std::is_same_v<T, OptionButton>)
                    return control->value() ? "chosen" : "-";
                else if constexpr (std::is_same_v<T, CheckBox>)
                    return std::to_string(control->value());
                else if constexpr (std::is_same_v<T, Timer>)
                    return control->enabled() ? "enabled" : "disabled";
                else if constexpr (std::is_same_v<T, ListBox> || std::is_same_v<T, DropDown>)
                    return std::to_string(control->listIndex()) + ": " + listState(*control);
                else if constexpr (std::is_same_v<T, TableControl>)
                    return control->currentKey();
                else
                    return control->portOpen() ? "open" : "closed";
            },
            *ref);
    }
    return out;
}

} // namespace fenlark::test
