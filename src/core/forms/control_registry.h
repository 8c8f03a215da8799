// A window's controls by name, so that shells and the headless driver can find them.
#pragma once

#include "forms/command_controls.h"
#include "forms/list_controls.h"
#include "forms/table_control.h"
#include "forms/text_controls.h"

#include <map>
#include <string>
#include <variant>
#include <vector>

namespace fenlark {

class MSComm;

using ControlRef = std::variant<TextBox*, Label*, Frame*, Button*, OptionButton*, CheckBox*,
                                Timer*, ListBox*, DropDown*, MSComm*, TableControl*>;

class ControlRegistry {
public:
    template <typename T> void add(T& control) { addRef(control.name(), ControlRef(&control)); }
    // The control of that name ("Frequency(2)" for a member of a control array), or nothing.
    const ControlRef* find(const std::string& name) const;
    const std::vector<std::string>& names() const { return m_order; }

private:
    void addRef(const std::string& name, ControlRef ref);
    std::map<std::string, ControlRef> m_controls;
    std::vector<std::string> m_order;
};

// The name of the control behind a reference.
const std::string& controlName(const ControlRef& ref);

} // namespace fenlark
