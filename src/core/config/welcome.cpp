#include "config/welcome.h"

#include "app/application.h"
#include "common/file_io.h"
#include "config/settings_file.h"
#include "forms/control_registry.h"

#include <charconv>

namespace fenlark {
namespace {

// An NMEA receiver sends 4800 baud, 8 data bits, no parity and 1 stop bit, and marks what it
// could not decode with "*" ("^2A" in a sentence); a plain text receiver gets the port settings
// dialog's own defaults. Network inputs need no serial port.
const PortSettings kNrxSettings{1, "4800", "n", "8", "1", "*"};
const PortSettings kPlainSettings{1, "9600", "n", "7", "1", "~"};
const PortSettings kNetworkSettings{0, "4800", "n", "8", "1", "*"};
const PortSettings kNoReceiverSettings{0, "9600", "n", "7", "1", "~"};

std::optional<int> networkPort(const std::string& text)
{
    int port = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), port);
    if (ec != std::errc() || end != text.data() + text.size() || port < 1 || port > 65535)
        return std::nullopt;
    return port;
}

} // namespace

Welcome::Welcome(Application& app) : m_app(app)
{
    SerialDevices.setHandler([this] { SerialDevices_Click(); });
    Continue.setHandler([this] { Continue_Click(); });
}

void Welcome::registerControls(ControlRegistry& r)
{
    r.add(Question), r.add(SerialInput), r.add(SerialDevices), r.add(DeviceDetails);
    r.add(NrxReceiver), r.add(PlainReceiver), r.add(TcpInput), r.add(TcpHost), r.add(TcpPort);
    r.add(UdpInput), r.add(UdpPort), r.add(NoReceiver), r.add(Problem), r.add(Continue);
}

void Welcome::Form_Load()
{
    ReceiverInputs* inputs = m_app.receiverInputs();
    m_devices = inputs ? inputs->presentDevices() : std::vector<PresentDevice>{};
    SerialDevices.clear();
    for (const PresentDevice& device : m_devices)
        SerialDevices.addItem(device.name);
    TcpHost.setText({});
    TcpPort.setText(std::to_string(InputChoice::kNmeaPort));
    UdpPort.setText(std::to_string(InputChoice::kNmeaPort));
    Problem.setCaption({});
    DeviceDetails.setCaption({});
    NrxReceiver.setValueQuietly(true);
    PlainReceiver.setValueQuietly(false);
    if (!m_devices.empty())
        SerialDevices.setListIndex(0);
    else
        NoReceiver.setValueQuietly(true);
}

void Welcome::SerialDevices_Click()
{
    const int i = SerialDevices.listIndex();
    if (i < 0 || i >= static_cast<int>(m_devices.size()))
        return;
    DeviceDetails.setCaption(m_devices[static_cast<std::size_t>(i)].description);
    SerialInput.choose();
}

std::optional<std::pair<PortSettings, InputChoice>> Welcome::chosen()
{
    using Kind = InputChoice::Kind;
    auto missing = [this](const char* why) {
        Problem.setCaption(why);
        return std::nullopt;
    };
    if (SerialInput.value()) {
        if (SerialDevices.text().empty())
            return missing("Choose or type a serial device.");
        return std::pair{NrxReceiver.value() ? kNrxSettings : kPlainSettings,
                         InputChoice{Kind::Serial, SerialDevices.text(), {}, InputChoice::kNmeaPort}};
    }
    if (TcpInput.value()) {
        const auto port = networkPort(TcpPort.text());
        if (TcpHost.text().empty() || !port)
            return missing("Type the TCP server's host name or address and a port from 1 to "
                           "65535.");
        return std::pair{kNetworkSettings, InputChoice{Kind::Tcp, {}, TcpHost.text(), *port}};
    }
    if (UdpInput.value()) {
        const auto port = networkPort(UdpPort.text());
        if (!port)
            return missing("Type a UDP port from 1 to 65535.");
        return std::pair{kNetworkSettings, InputChoice{Kind::Udp, {}, {}, *port}};
    }
    return std::pair{kNoReceiverSettings, InputChoice{}};
}

void Welcome::Continue_Click()
{
    const auto choice = chosen();
    if (!choice)
        return;
    if (const std::string why = replaceFile(kSettingsFileName, formatSettings(choice->first));
        !why.empty()) {
        Problem.setCaption(std::string("The settings could not be saved to \"") +
                           kSettingsFileName + "\": " + why + ".");
        return;
    }
    if (ReceiverInputs* inputs = m_app.receiverInputs())
        inputs->use(choice->second);
    m_app.closeWindow(Window::Welcome);
    m_app.form1().startReceiving();
}

void Welcome::closeRequested() { m_app.closeWindow(Window::Welcome); }

} // namespace fenlark
