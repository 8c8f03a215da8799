#include "forms/control_registry.h"

#include "reception/mscomm.h"

namespace fenlark {

void ControlRegistry::addRef(const std::string& name, ControlRef ref)
{
    if (m_controls.emplace(name, ref).second)
        m_order.push_back(name);
}

const ControlRef* ControlRegistry::find(const std::string& name) const
{
    const auto it = m_controls.find(name);
    return it == m_controls.end() ? nullptr : &it->second;
}

const std::string& controlName(const ControlRef& ref)
{
    return std::visit([](auto* control) -> const std::string& { return control->name(); }, ref);
}

} // namespace fenlark
