// The desktop program's clock: the system clock in UTC, as NAVTEX and the window's times are.
#pragma once

#include "forms/ports.h"

namespace fenlark::qt {

class SystemClock : public Clock {
public:
    DateTime now() override;
};

} // namespace fenlark::qt
