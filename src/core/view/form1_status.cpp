#include "app/application.h"
#include "view/form1.h"

#include <cctype>

namespace fenlark {
namespace {

std::string counted(long long n, const char* thing)
{
    return std::to_string(n) + " " + thing + (n == 1 ? "" : "s");
}

// "4800 8N1": the line settings as a receiver's manual writes them.
std::string settingsText(const LineSettings& s)
{
    return std::to_string(s.baud) + " " + std::to_string(s.dataBits) +
           static_cast<char>(std::toupper(static_cast<unsigned char>(s.parity))) + s.stopBits;
}

} // namespace

void Form1::refreshStatus()
{
    using State = SerialDevice::LineState;
    const State line = MSComm1.lineState();
    std::string receiver = "no receiver";
    if (MSComm1.portOpen() && line != State::None) {
        receiver = MSComm1.deviceName() + " ";
        switch (line) {
        case State::Settings:
            receiver += settingsText(MSComm1.lineSettings());
            break;
        case State::Connected:
            receiver += "connected";
            break;
        case State::Listening:
            receiver += "listening";
            break;
        default:
            receiver += "not connected";
            break;
        }
    }
    StatusReceiver.setCaption(receiver);
    const int fresh = m_app.newMarks().count();
    StatusNew.setCaption(fresh == 0 ? "no new message" : counted(fresh, "new message"));
}

void Form1::tellSaved()
{
    StatusNote.setCaption("Saved " + counted(state().msgcount, "message"));
}

void Form1::tellPurged(int purged, long long days)
{
    const std::string age = "older than " + counted(days, "day");
    StatusNote.setCaption(purged == 0 ? "No message " + age
                                      : "Purged " + counted(purged, "message") + " " + age);
}

void Form1::tellDeleted(const std::string& msgid)
{
    StatusNote.setCaption("Deleted " + msgid);
}

} // namespace fenlark
