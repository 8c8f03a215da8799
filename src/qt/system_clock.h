// The local clock of the desktop program.
#pragma once

#include "forms/ports.h"

namespace fenlark::qt {

class SystemClock : public Clock {
public:
    DateTime now() override;
};

} // namespace fenlark::qt
