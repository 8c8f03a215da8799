// The serial port control of the main window: port number, line settings, open state and the
// receive event, over a serial device.
#pragma once

#include "forms/control.h"
#include "forms/ports.h"

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

    // 0: no serial port (a network or simulated input reads without one).
    int commPort() const { return m_port; }
    // Fails (PortError) while the port is open, for a number outside 0-16, or when the device
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
    // Where the character `input` returned last came from.
    const InputSource& inputSource() const { return m_source; }
    // The channel's figures for its message in progress, as of the characters read.
    MessageFigures figures(int channel) const { return m_device.figures(channel); }
    // How often the port has been opened: each opening starts the streams' line ends afresh.
    unsigned openings() const { return m_openings; }

    // The device's name for the current port number, for messages.
    std::string deviceName() const;
    // How the device's line stands for the current port number.
    SerialDevice::LineState lineState() const { return m_device.lineState(m_port); }
    const LineSettings& lineSettings() const { return m_settings; }

    // Runs the receive event once for every character waiting, while the port is open. A nested
    // call (from inside a handler) returns at once; the outer loop reads what arrived meanwhile.
    // A handler that reads nothing costs one character, so that the loop cannot spin; bytes that
    // arrive while a handler runs never count as its own.
    void deliver();

private:
    SerialDevice& m_device;
    int m_port = 0;
    LineSettings m_settings;
    int m_handshaking = 0;
    int m_inputMode = 0;
    bool m_open = false;
    bool m_delivering = false;
    unsigned m_openings = 0;
    unsigned long long m_reads = 0; // characters `input` has returned
    InputSource m_source;
};

} // namespace fenlark
