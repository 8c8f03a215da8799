// The receiver's inputs of the desktop program: the serial devices present, and the input chosen
// in the first start's welcome, kept in Qt's per-user settings and switched to at once.
#pragma once

#include "forms/ports.h"

class QSettings;

namespace fenlark::qt {

class ReceiverInput;

// The serial devices present, each by its /dev/serial/by-id name where it has one, with its device,
// description, maker and serial number.
std::vector<PresentDevice> presentSerialDevices();

class DesktopInputs : public ReceiverInputs {
public:
    DesktopInputs(ReceiverInput &input, QSettings &settings) : m_input(input), m_settings(settings)
    {
    }
    std::vector<PresentDevice> presentDevices() override { return presentSerialDevices(); }
    void use(const InputChoice &choice) override;

private:
    ReceiverInput &m_input;
    QSettings &m_settings;
};

} // namespace fenlark::qt
