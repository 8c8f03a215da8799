// The first-start dialog, Welcome: where the receiver connects (a serial device with the kind of
// receiver, a TCP server, UDP datagrams, or no receiver yet). It writes the settings file and the
// receiver's input; leaving it writes nothing and the program runs without a receiver.
#pragma once

#include "forms/command_controls.h"
#include "forms/list_controls.h"
#include "forms/ports.h"
#include "forms/text_controls.h"

#include <optional>
#include <vector>

namespace fenlark {

class Application;
class ControlRegistry;
struct PortSettings;

class Welcome {
public:
    static constexpr const char* kCaption = "Welcome to FenLark";

    explicit Welcome(Application& app);
    Welcome(const Welcome&) = delete;
    Welcome& operator=(const Welcome&) = delete;

    void registerControls(ControlRegistry& registry);

    Label Question{"Question", "Where does your receiver connect?"};
    OptionGroup whereGroup;
    OptionButton SerialInput{"SerialInput", "A &serial device:", whereGroup};
    DropDown SerialDevices{"SerialDevices", DropDown::Style::Editable}; // the devices present
    Label DeviceDetails{"DeviceDetails"}; // the chosen device's description
    OptionGroup receiverGroup;
    OptionButton NrxReceiver{"NrxReceiver", "NMEA (NRX) receiver", receiverGroup};
    OptionButton PlainReceiver{"PlainReceiver", "plain text receiver", receiverGroup};
    OptionButton TcpInput{"TcpInput", "A &TCP server:", whereGroup};
    TextBox TcpHost{"TcpHost"}; // host name or address
    TextBox TcpPort{"TcpPort"};
    OptionButton UdpInput{"UdpInput", "&UDP datagrams on port:", whereGroup};
    TextBox UdpPort{"UdpPort"};
    OptionButton NoReceiver{"NoReceiver", "&No receiver yet", whereGroup};
    Label Problem{"Problem"}; // why "Continue" cannot go on
    Button Continue{"Continue", "&Continue"};

    // handlers (config/welcome.cpp)
    void Form_Load();           // lists the devices present; a serial NRX receiver is chosen
    void SerialDevices_Click(); // shows the device's description and chooses the serial device
    void Continue_Click();      // writes the settings and the input, and starts receiving
    // The window's close control (and Escape): no receiver yet, and nothing written.
    void closeRequested();

private:
    // The settings and input chosen; nothing (and Problem says why) when a field is missing.
    std::optional<std::pair<PortSettings, InputChoice>> chosen();

    Application& m_app;
    std::vector<PresentDevice> m_devices;
};

} // namespace fenlark
