// Form1's start-up and port settings: loading the window, applying the settings file to the serial
// port, and the way into the port settings dialog.
#include "app/application.h"
#include "config/settings_file.h"
#include "view/form1.h"

namespace fenlark {

void Form1::Form_Load()
{
    StationList.clear();
    NavAreaList.setListIndex(0);
    StationList.setListIndex(0);
    MessageTypeList.setListIndex(0);
    portsetup();
    // A failed set-up has opened the port settings dialog, which closed this window; the port
    // is opened when the dialog brings the window back.
    if (!m_app.isLoaded(Window::Form1))
        return;
    // The table is emptied only at the program's first start: a reload after the port settings
    // dialog keeps every message received. The log of the last run is loaded once, before the
    // port opens, so that what arrives next is filed against it.
    if (m_app.firstLoad())
        state().msgcount = 0;
    loadLogAtStart();
    // At the first start the welcome asks where the receiver connects; the port opens when it is
    // answered.
    if (!m_app.isLoaded(Window::Welcome))
        openPort();
    MSComm1.setInputMode(0);
}

void Form1::openPort()
{
    if (MSComm1.portOpen())
        return;
    try {
        MSComm1.setPortOpen(true);
        refreshStatus();
    } catch (const PortError& e) {
        m_app.platform().dialogs.notice("The serial port " + std::to_string(MSComm1.commPort()) +
                                        " (" + MSComm1.deviceName() + ") cannot be opened: " +
                                        e.what() +
                                        ". FenLark goes on without the receiver; choose another "
                                        "port with Configure, ComPort.");
    }
}

void Form1::startReceiving()
{
    portsetup();
    if (m_app.isLoaded(Window::Form1) && !m_app.isLoaded(Window::ComPortForm))
        openPort();
}

void Form1::portsetup()
{
    // Any failure opens the port settings dialog, where the operator can choose and save working
    // settings. A settings file that cannot be read explains itself in the dialog; a port that
    // refuses the settings is reported first, so the operator knows why the dialog came up.
    const SettingsRead read = readSettingsFile();
    if (!read.settings) {
        // Without a settings file the first start welcomes the operator, and a later start goes
        // on without a receiver (the port has no number) until the port settings are saved.
        if (!read.missing)
            m_app.showComPortForm();
        else if (m_app.firstLoad())
            m_app.showWindow(Window::Welcome);
        return;
    }
    const PortSettings& s = *read.settings;
    state().errchar = s.errchar;
    const std::string port =
        std::to_string(s.port) + " (" + m_app.platform().serial.deviceName(s.port) + ")";
    std::string refusal; // what the notice says when the step under way fails
    try {
        // Port number 0 is no serial port: the line settings stay as they were.
        if (s.port != 0) {
            refusal = "The serial port " + port + " refused the settings " + s.lineSettings();
            MSComm1.setSettings(s.lineSettings());
        }
        refusal = "The port number " + port + " was refused";
        MSComm1.setCommPort(s.port);
        MSComm1.setHandshaking(0);
    } catch (const PortError& e) {
        m_app.platform().dialogs.notice(refusal + ": " + e.what() + ".");
        m_app.showComPortForm();
    }
}

void Form1::mnuComPort_Click()
{
    MSComm1.setPortOpen(false);
    refreshStatus();
    m_app.unloadForm1();
    m_app.showComPortForm();
}

} // namespace fenlark
