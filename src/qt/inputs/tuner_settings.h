// How an SDR (through SoapySDR or an rtl_tcp server) is tuned for NAVTEX.
#pragma once

#include <optional>

namespace fenlark::qt {

struct TunerSettings {
    // Near 504 kHz, 250 kS/s take in 490 and 518 kHz at once.
    static constexpr double kDefaultCentreHz = 504000;
    static constexpr double kDefaultRateHz = 250000;

    double centreHz = kDefaultCentreHz;
    double sampleRateHz = kDefaultRateHz;
    std::optional<double> gainDb; // none: the device's automatic gain
    int ppm = 0;                  // the frequency correction of the device's clock
    friend bool operator==(const TunerSettings &, const TunerSettings &) = default;
};

} // namespace fenlark::qt
