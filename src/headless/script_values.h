// What the headless driver prints for a control's property, and the windows it reaches by name.
#pragma once

#include "app/application.h"
#include "forms/control_registry.h"

#include <optional>
#include <string>

namespace fenlark::headless {

// "True" or "False", as `get` prints a yes-or-no property.
std::string boolText(bool on);

// The window of that name in a script ("Form1", "MessageTable"), or nothing.
std::optional<Window> windowNamed(const std::string& name);
const char* windowName(Window window);
const char* windowCaption(Window window);

// The text `get` prints for a control's property (its main value when `property` is empty);
// throws ScriptError for a property the control has not got.
std::string valueText(const ControlRef& control, const std::string& property);

} // namespace fenlark::headless
