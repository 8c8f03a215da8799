// The main window, Form1: every control, handler and procedure of the window. Each subsystem's
// handlers are defined in its own folder (see the section headings).
#pragma once

#include "browse/station_table.h"
#include "forms/command_controls.h"
#include "forms/list_controls.h"
#include "forms/text_controls.h"
#include "nmea/sentence_decoder.h"
#include "reception/message_record.h"
#include "reception/mscomm.h"

#include <array>
#include <map>
#include <string>

namespace fenlark {

class Application;
struct State;
class ControlRegistry;
struct ReceivedStream;

class Form1 {
public:
    static constexpr const char* kCaption = "FENLARK Navtex Message Display";

    explicit Form1(Application& app);
    Form1(const Form1&) = delete;
    Form1& operator=(const Form1&) = delete;

    // Puts every control back to its design-time state, as a freshly loaded window has it.
    void resetToDesign();
    // Lists every control by its name, for the shells and the headless driver.
    void registerControls(ControlRegistry& registry);

    // controls outside the frames: message view (view/form1_view.cpp)
    TextBox Text1{"Text1"};   // body of the shown message
    TextBox Text6{"Text6"};   // "Message " and the shown identifier; empty: nothing shown
    Label Label6{"Label6"};   // type, station name and call of the shown message
    Label Label15{"Label15"}; // position and transmission times of the shown message's station
    Button print_message{"print_message", "&Print Msg"};
    Button Delmsg{"Delmsg", " &Delete Msg"};
    Button Quitbutton{"Quitbutton", "&Quit"};
    Button Mapbutton{"Mapbutton", "M&ap"}; // Alt+M is the Message menu

    // controls: reception (reception/form1_reception.cpp)
    Label Label1{"Label1"};   // reception status
    TextBox Text9{"Text9"};   // echo of the line being received
    TextBox Text11{"Text11"}; // "Last new: " and the last new identifier
    MSComm MSComm1;           // the receiver's serial port

    // controls: the status bar (view/form1_status.cpp)
    Label StatusNote{"StatusNote"};         // what the last save, purge or delete did
    Label StatusReceiver{"StatusReceiver"}; // the receiver's input and how it stands
    Label StatusNew{"StatusNew"};           // how many messages are new
    // Writes the receiver's state and the count of new messages afresh.
    void refreshStatus();

    // controls: display mode, Frame5
    Frame Frame5{"Frame5", "Display"};
    OptionGroup displayGroup;
    OptionButton Option3{"Option3", "Last", displayGroup};
    OptionButton Option4{"Option4", "Last New", displayGroup};
    OptionButton Option5{"Option5", "Selected", displayGroup};

    // controls: message history, Frame4
    Frame Frame4{"Frame4", "Selected Message History"};
    TextBox Text5{"Text5"};   // how often received
    TextBox Text2{"Text2"};   // copy quality
    Label Label9{"Label9", "First received "};
    TextBox Text10{"Text10"}; // age of the first reception
    TextBox Text3{"Text3"};   // date of the first reception
    Label Label10{"Label10", "at"};
    TextBox Text4{"Text4"};   // time of the first reception
    Label Label11{"Label11", "UTC"};
    Label Label12{"Label12", "Last updated"};
    TextBox Text13{"Text13"}; // age of the last reception
    TextBox Text7{"Text7"};   // date of the last reception
    Label Label13{"Label13", "at"};
    TextBox Text8{"Text8"};   // time of the last reception
    Label Label14{"Label14", "UTC"};

    // controls: message lists, Frame3 (browse/form1_browse.cpp)
    Frame Frame3{"Frame3", "Message List - Click to View"};
    ListBox MessageList2{"MessageList2", ListBox::Order::Sorted}; // identifiers in identifier order
    ListBox MessageList{"MessageList"};                         // identifiers in order of filing
    Label Label17{"Label17",
                  "               ordered by                Msg ID              Rx Time"};

    // controls: message log, purge and autosave, Frame2 (storage/)
    Frame Frame2{"Frame2", "Logged Messages"};
    Button purge{"purge", "Purge"};
    Label Label7{"Label7", "messages from list older than"};
    ListBox purgeage{"purgeage"}; // "1" to "7"; the entry in the top row is the purge age
    Label Label8{"Label8", "days"};
    Button Command1{"Command1", "&Save"};
    Button Command2{"Command2", "&Load"};
    TextBox Text12{"Text12"}; // number of messages and " logged"
    CheckBox autosave{"autosave", "Autosave"};
    Timer Timer1{"Timer1", 32000};

    // controls: selectors, Frame1 (browse/)
    Frame Frame1{"Frame1", "Message List Selector"};
    Label Label2{"Label2", "Type"};
    DropDown MessageTypeList{"MessageTypeList"};
    Label Label3{"Label3", "Station"};
    DropDown StationList{"StationList"};
    Label Label5{"Label5"};       // call and position of the chosen station
    Label TxTimeslabel{"TxTimeslabel"}; // transmission times of the chosen station
    Label Label4{"Label4", "Navarea"};
    DropDown NavAreaList{"NavAreaList"};

    // controls: frequency, Frame6
    Frame Frame6{"Frame6", "Frequency"};
    OptionGroup frequencyGroup;
    std::array<OptionButton, 4> Frequency{{
        {"Frequency(0)", "424 kHz", frequencyGroup},
        {"Frequency(1)", "490 kHz", frequencyGroup},
        {"Frequency(2)", "518 kHz", frequencyGroup},
        {"Frequency(3)", "4209.5 kHz", frequencyGroup},
    }};

    // menus
    MenuTitle mnufile{"mnufile", "&File"};
    MenuItem mnusave{"mnusave", "&Save messages"};
    MenuItem mnuload{"mnuload", "&Load messages"};
    MenuItem mnuearlier{"mnuearlier", "Open &earlier log..."};
    MenuItem mnucapture{"mnucapture", "&Capture file load"};
    MenuItem mnuQuit{"mnuQuit", "&Quit"};
    MenuTitle mnumessage{"mnumessage", "&Message"};
    MenuItem mnuprint_msg{"mnuprint_msg", "&Print"};
    MenuItem mnudel_msg{"mnudel_msg", "&Delete"};
    MenuItem mnutable{"mnutable", "Message &Table"};
    MenuTitle mnuconfiguration{"mnuconfiguration", "&Configure"};
    MenuItem mnuComPort{"mnuComPort", "ComPort"};
    MenuTitle mnuhelp{"mnuhelp", "&Help"};
    MenuItem mnuAbout{"mnuAbout", "&About"};
    MenuItem mnuhelpmsg{"mnuhelpmsg", "&Help"};

    // handlers: reception (reception/form1_reception.cpp)
    void MSComm1_OnComm();
    void getmsg();
    void check_quality(const std::string& z);
    void captureload();
    void mnucapture_Click();

    // handlers: start-up and port settings (config/form1_config.cpp)
    void Form_Load();
    void portsetup();
    void mnuComPort_Click();
    // Applies the settings file to the port and opens it (the first start's welcome, answered).
    void startReceiving();

    // handlers: message log, autosave, purge, delete, quit (storage/)
    void Command1_Click();
    void navtexload();
    void Command2_Click();
    void mnusave_Click();
    void mnuload_Click();
    void mnuearlier_Click();
    // Loads a log kept from an earlier run (after the Load button's question) in place of the
    // table; the next save keeps "navtex.txt" first, as its messages are not in the table.
    void loadEarlierLog(const std::string& name);
    void autosave_Click();
    void Timer1_Timer();
    void purge_Click();
    void Delmsg_Click();
    void mnudel_msg_Click();
    void Quitbutton_Click();
    void mnuQuit_Click();
    void mnuhelpmsg_Click();
    void mnuAbout_Click();

    // handlers: browsing (browse/form1_browse.cpp)
    void NavAreaList_Click();
    void Frequency_Click(int Index);
    void StationList_Click();
    void MessageTypeList_Click();
    void clearlists();
    void MessageList_click();
    void MessageList2_click();
    // The stations a message on `kHz` was sent from, in the chosen NAVAREA: the station table
    // shown when `kHz` is the chosen frequency or not known (0); else that frequency's station
    // file, read once until the NAVAREA or frequency changes (no stations when it cannot be read).
    const StationTable& stationsOn(int kHz) const;
    // Whether the lists show the message under the station and type chosen (a station of the
    // chosen frequency does not list messages known to have come on another).
    bool listsMessage(const MessageRecord& r) const;

    // handlers: message view and printing (view/)
    void showmsg();
    void clearmsg();
    void Option3_Click();
    void Option4_Click();
    void Option5_Click();
    void print_message_Click();
    void mnuprint_msg_Click();
    void mnutable_Click(); // opens the message table
    // Shows a filed message as the operator's click on it in the lists does, in the display mode
    // "Selected"; station and type go back to all when they hide it. Nothing for an identifier
    // that is not filed.
    void chooseMessage(const std::string& msgid);

    // handlers: map (map/)
    void Mapbutton_Click();

private:
    void wireHandlers();
    // The index of the Frequency button chosen.
    std::size_t chosenFrequency() const;
    State& state();
    // Files a completed message whose identifier is not in the table yet.
    void fileNewMessage();
    // Hands the received line over to filing, as a sentence or as text, and empties the echo.
    void endLine(ReceivedStream& stream, const InputSource& source);
    // Appends the printable `rxchar` to the line being received and to its echo.
    void keepCharacter(ReceivedStream& stream, const InputSource& source);
    // Opens the serial port when it is not open; a port that cannot be opened is told and the
    // program goes on without it.
    void openPort();
    // Follows the stream's starts: a new one drops the half line and the unfinished messages.
    void followStart(ReceivedStream& stream, const InputSource& source);
    // Files the messages that sentences completed, and tells those not filed.
    void fileSentences(ReceivedStream& stream, const InputSource& source,
                       nmea::SentenceDecoder::Output& out);
    // Shows one record in the view fields (the record part of showmsg).
    void showRecord(int slot);
    // Clears the view and shows the message of the display mode the operator chose.
    void showChosenMode();
    // Whether the operator's choice of a message or a display mode is running: what the lists
    // and the view show meanwhile counts as seen. Filing and loading move the lists from code.
    bool operatorChoosing() const;
    // Saving and loading with their outcome, for the callers that must not go on after a failure.
    bool saveTable();
    bool loadTable(const std::string& path);
    // Loads the log of the last run, once in a run, before the port first opens.
    void loadLogAtStart();
    // Compaction and reload shared by purge and delete: save, then load back so that table, log
    // and lists agree; after a failed save the table is kept and only the lists are rebuilt.
    void saveAndReload();
    // The status bar's note after a save, a purge of messages older than `days`, a delete.
    void tellSaved();
    void tellPurged(int purged, long long days);
    void tellDeleted(const std::string& msgid);

    Application& m_app;
    bool m_tableFullNoticeShown = false;
    bool m_modeChosen = false; // a display mode chosen by the operator is being shown
    bool m_logLoadTried = false; // the start has loaded the log of the last run, or tried
    int m_echoChannel = 0;     // the channel whose line in progress Text9 shows
    bool m_replaying = false;  // a capture file is being replayed
    mutable std::map<int, StationTable> m_stationsOn; // stationsOn's files of other frequencies
};

} // namespace fenlark
