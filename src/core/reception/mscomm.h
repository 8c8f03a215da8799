// The serial port control of the main window: port number, line settings, open state and the
// receive event, over a serial device.
#pragma once

#include "forms/control.h"
#include "forms/ports.h"
#include "reception/line_ends.h"

#include <optional>
#include <stdexcept>
#include <string>

namespace fenlark {

// A port operation the control or its device refused; what() is the reason.
class PortError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Reads "9600,n,8,1"; nothing when the text is not of that form.
std::optional<LineSettings> parseLineSettings(const std::string& text);
std::string lineSettingsText(const LineSettings& settings);

class MSComm : public Control, public HandlerSlot {
public:
    MSComm(std::string name, SerialDevice& device);
    ~MSComm() override;

    int commPort() const { return m_port; }
    // Fails (PortError) while the port is open, for a number outside 1-16, or when the device
    // refuses the number.
    void setCommPort(int port);
    std::string settings() const { return lineSettingsText(m_settings); }
    // Fails (PortError) when the text is not baud,parity,data bits,stop bits or the device refuses.
    void setSettings(const std::string& text);
    int handshaking() const { return m_handshaking; }
    void setHandshaking(int mode);
    int inputMode() const { return m_inputMode; }
    void setInputMode(int mode) { m_inputMode = mode; }
    // The receive threshold and read length: one character per event, one character per read.
    int rThreshold() const { return 1; }
    int inputLen() const { return 1; }

    bool portOpen() const { return m_open; }
    // Opening can fail (PortError with the device's reason); closing drops unread input.
    void setPortOpen(bool open);

    // Returns and removes the waiting input: one character, or empty when nothing waits.
    std::string input();

    // Where the lines of the stream end; it starts afresh each time the port opens.
    LineEnds& lineEnds() { return m_lineEnds; }

    // The device's name for the current port number, for messages.
    std::string deviceName() const;

    // Runs the receive event once for every character waiting, while the port is open. A nested
    // call (from inside a handler) returns at once; the outer loop reads what arrived meanwhile.
    void deliver();

private:
    SerialDevice& m_device;
    int m_port = 1;
    LineSettings m_settings;
    int m_handshaking = 0;
    int m_inputMode = 0;
    bool m_open = false;
    bool m_delivering = false;
    LineEnds m_lineEnds;
};

} // namespace fenlark
