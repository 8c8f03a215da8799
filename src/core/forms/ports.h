// The platform ports: the only ways the core reaches the clock, the operator's message boxes, the
// printer and the serial line. Shells and tests implement them.
#pragma once

#include "common/date_time.h"
#include "common/message_figures.h"

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

namespace fenlark {

class Clock {
public:
    virtual ~Clock() = default;
    // The date and time now, in UTC.
    virtual DateTime now() = 0;
};

// How the operator left a question box: by one of its buttons, or by dismissing it (Escape or
// the box's close control).
enum class Answer { Yes, No, Dismissed };

class Dialogs {
public:
    virtual ~Dialogs() = default;
    // A question box with Yes and No buttons.
    virtual Answer question(const std::string& question) = 0;
    // The question where a dismissal may count as No: true for Yes only.
    bool ask(const std::string& q) { return question(q) == Answer::Yes; }
    // A question whose default button is No, so that Return does not say Yes to it.
    virtual Answer questionDefaultNo(const std::string& q) { return question(q); }
    // A notice with one OK button.
    virtual void notice(const std::string& text) = 0;
    // A notice raised by reception: it must not hold reception up, so a shell shows it without
    // an event loop of its own, once the receive event has returned.
    virtual void report(const std::string& text) { notice(text); }
    // A notice about the receiver's input (a line or a connection lost, an input out of reach),
    // raised as reports are: at most one is open at a time, a new one taking its place.
    virtual void inputNotice(const std::string& text) { report(text); }
    // The input is back: the input notice, if one is open, goes.
    virtual void inputBack() {}
    // A file dialog titled `title` for a file to read: the name of the file chosen, empty when
    // none was. Shells without one choose none.
    virtual std::string chooseFile(const std::string& /*title*/) { return {}; }
};

class Printer {
public:
    virtual ~Printer() = default;
    virtual void setFontSize(int points) = 0;
    // Prints one text and ends the line; a CR LF inside the text also starts a new line.
    virtual void print(const std::string& text) = 0;
    // Ends the document and hands it to the printer.
    virtual void endDoc() = 0;
};

// Line settings of a serial port, as the text "9600,n,8,1" gives them.
struct LineSettings {
    int baud = 9600;
    char parity = 'n';
    int dataBits = 8;
    std::string stopBits = "1";
    friend bool operator==(const LineSettings&, const LineSettings&) = default;
};

// Where the bytes a serial device returns next come from. A serial line or a network input has one
// stream, channel 0, of unknown frequency; a device with several streams (a decoder's channels:
// 490 and 518 kHz from one SDR) tags each with a channel of its own. Each channel is framed apart
// from every other: its own line ends, half line, message in progress and error count, and its
// messages are filed with its frequency. NRX sentences within a channel are framed apart again,
// and name their frequency themselves.
struct InputSource {
    int channel = 0;
    // kHz as the station files are named: 424, 490, 518, 4209 (4209.5 kHz); 0 when not known.
    int frequency = 0;
    // How often the channel's stream has started afresh (a new connection, a line back after an
    // outage). Bytes of a later start never continue the half line or the message in progress
    // of an earlier one; that message is told as not filed.
    unsigned start = 0;
    friend bool operator==(const InputSource&, const InputSource&) = default;
};

// A serial device behind the serial port control. Every method that can fail returns the reason
// as text, empty on success.
//
// A device with channels (a decoder) keeps its received bytes in an InputBuffer and hands them
// over tagged (InputBuffer::append with a channel and its frequency; restart when a channel's
// stream starts afresh; setFigures for a message's own figures), forwards source() and figures()
// to it, and calls inputArrived() when bytes were added.
class SerialDevice {
public:
    virtual ~SerialDevice() = default;
    // The device's name for port number `port`, for messages to the operator.
    virtual std::string deviceName(int port) const = 0;
    // Whether the device can use port number `port` / these settings at all.
    virtual std::string checkPort(int port) = 0;
    virtual std::string checkSettings(const LineSettings& settings) = 0;
    // A device may open while its line is away (unplugged, not plugged in yet): it then tries
    // again by itself and input arrives once the line is back.
    virtual std::string open(int port, const LineSettings& settings) = 0;
    // Closes the line; input that had arrived but was not read is lost.
    virtual void close() = 0;
    virtual bool isOpen() const = 0;
    // Number of received bytes waiting to be read.
    virtual std::size_t waiting() const = 0;
    // Removes and returns up to `max` waiting bytes, all of one source: a read never returns bytes
    // of two channels, or of two starts of a channel, at once.
    virtual std::string read(std::size_t max) = 0;
    // The source of the bytes the next read() returns.
    virtual InputSource source() const { return {}; }
    // The latest figures the channel gave before the bytes read so far, for the message that its
    // next end line files; none when it gives none.
    virtual MessageFigures figures(int /*channel*/) const { return {}; }

    // How the open device's line stands, as the status bar tells it: by its line settings (a
    // serial line), connected, listening, not connected (a network input that is away), or no
    // receiver at all (no device for this port number).
    enum class LineState { Settings, Connected, Listening, Down, None };
    virtual LineState lineState(int /*port*/) const { return LineState::Settings; }

    // The device calls this when input arrives (on the user-interface thread).
    void setInputListener(std::function<void()> listener) { m_listener = std::move(listener); }

protected:
    void inputArrived()
    {
        if (m_listener)
            m_listener();
    }

private:
    std::function<void()> m_listener;
};

} // namespace fenlark

namespace fenlark {

struct Rgb {
    unsigned char r = 0;
    unsigned char g = 0;
    unsigned char b = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

// A drawing surface with a user coordinate system, drawn once and kept (it survives being covered).
class Canvas {
public:
    virtual ~Canvas() = default;
    // Fills the surface with the background colour; the current point becomes (0, 0).
    virtual void clear() = 0;
    // The user coordinates of the surface's left, top, right and bottom edges.
    virtual void setScale(double left, double top, double right, double bottom) = 0;
    virtual void setForeColor(Rgb color) = 0;
    virtual void setFillColor(Rgb color) = 0;
    // Solid: circles are filled with the fill colour; otherwise they are drawn as outlines only.
    virtual void setFillSolid(bool solid) = 0;
    // Plots one point in the foreground colour; it becomes the current point.
    virtual void pset(double x, double y) = 0;
    // A line in the foreground colour from the current point; (x, y) becomes the current point.
    virtual void lineTo(double x, double y) = 0;
    // A circle round on the screen, its radius in horizontal user units; the centre becomes the
    // current point.
    virtual void circle(double x, double y, double radius, Rgb outline) = 0;
    // A text with its top-left corner at the current point, in the foreground colour.
    virtual void print(const std::string& text) = 0;
};

} // namespace fenlark

namespace fenlark {

// The input the program reads its receiver from: the port number of the port settings, a serial
// device named for every port number, a TCP server or UDP datagrams.
struct InputChoice {
    enum class Kind { PortSettings, Serial, Tcp, Udp };
    static constexpr int kNmeaPort = 10110;
    Kind kind = Kind::PortSettings;
    std::string device; // Serial
    std::string host;   // Tcp
    int port = kNmeaPort; // Tcp and Udp
    friend bool operator==(const InputChoice&, const InputChoice&) = default;
};

// A serial device present on the machine, as the operator recognises it.
struct PresentDevice {
    std::string name;        // the name to open (a /dev/serial/by-id name where there is one)
    std::string description; // its device, description, maker and serial number
};

// The receiver's inputs as a shell provides them.
class ReceiverInputs {
public:
    virtual ~ReceiverInputs() = default;
    virtual std::vector<PresentDevice> presentDevices() = 0;
    // Reads from `choice` from now on and keeps it for the next start. The serial port must be
    // closed meanwhile, so that it opens on the new input.
    virtual void use(const InputChoice& choice) = 0;
};

} // namespace fenlark
