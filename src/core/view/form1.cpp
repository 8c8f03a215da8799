#include "view/form1.h"

#include "app/application.h"
#include "forms/control_registry.h"
#include "view/vocabulary.h"

namespace fenlark {

Form1::Form1(Application& app) : MSComm1("MSComm1", app.platform().serial), m_app(app)
{
    MessageList.setToolTip("Click on message ID to display");
    MessageList2.setToolTip("Click on message ID to display");
    autosave.setToolTip("automatic save at 00, 06, 12 and 18:57");
    MessageTypeList.setToolTip("click on one message type or select 'all'");
    NavAreaList.setToolTip("Select Navarea");
    wireHandlers();
    resetToDesign();
}

State& Form1::state() { return m_app.state(); }

// The event-to-handler table: every handler of the window is wired here and nowhere else.
void Form1::wireHandlers()
{
    MSComm1.setHandler([this] { MSComm1_OnComm(); });
    Option3.setHandler([this] { Option3_Click(); });
    Option4.setHandler([this] { Option4_Click(); });
    Option5.setHandler([this] { Option5_Click(); });
    MessageList.setHandler([this] { MessageList_click(); });
    MessageList2.setHandler([this] { MessageList2_click(); });
    NavAreaList.setHandler([this] { NavAreaList_Click(); });
    StationList.setHandler([this] { StationList_Click(); });
    MessageTypeList.setHandler([this] { MessageTypeList_Click(); });
    for (int i = 0; i < static_cast<int>(Frequency.size()); ++i)
        Frequency[static_cast<std::size_t>(i)].setHandler([this, i] { Frequency_Click(i); });
    print_message.setHandler([this] { print_message_Click(); });
    Delmsg.setHandler([this] { Delmsg_Click(); });
    Quitbutton.setHandler([this] { Quitbutton_Click(); });
    Mapbutton.setHandler([this] { Mapbutton_Click(); });
    purge.setHandler([this] { purge_Click(); });
    Command1.setHandler([this] { Command1_Click(); });
    Command2.setHandler([this] { Command2_Click(); });
    autosave.setHandler([this] { autosave_Click(); });
    Timer1.setHandler([this] { Timer1_Timer(); });
    mnusave.setHandler([this] { mnusave_Click(); });
    mnuload.setHandler([this] { mnuload_Click(); });
    mnuearlier.setHandler([this] { mnuearlier_Click(); });
    mnucapture.setHandler([this] { mnucapture_Click(); });
    mnuQuit.setHandler([this] { mnuQuit_Click(); });
    mnuprint_msg.setHandler([this] { mnuprint_msg_Click(); });
    mnudel_msg.setHandler([this] { mnudel_msg_Click(); });
    mnutable.setHandler([this] { mnutable_Click(); });
    mnuComPort.setHandler([this] { mnuComPort_Click(); });
    mnuAbout.setHandler([this] { mnuAbout_Click(); });
    mnuhelpmsg.setHandler([this] { mnuhelpmsg_Click(); });
}

void Form1::resetToDesign()
{
    for (TextBox* box : {&Text1, &Text2, &Text3, &Text4, &Text5, &Text6, &Text7, &Text8, &Text9,
                         &Text11, &Text12})
        box->setText({});
    Text10.setText("Text10");
    Text13.setText("Text13");
    Label6.setCaption("msg type");
    Label15.setCaption("Label15");
    Label1.setCaption("Incoming  Message");
    Label5.setCaption({});
    TxTimeslabel.setCaption({});

    Option3.setValueQuietly(true);
    Option4.setValueQuietly(false);
    Option5.setValueQuietly(false);
    for (std::size_t i = 0; i < Frequency.size(); ++i)
        Frequency[i].setValueQuietly(static_cast<int>(i) == kStartFrequency);

    MessageList.clear();
    MessageList2.clear();
    StationList.clear();
    MessageTypeList.clear();
    for (std::string_view entry : kMessageTypes)
        MessageTypeList.addItem(std::string(entry));
    NavAreaList.clear();
    for (std::string_view entry : kNavAreas)
        NavAreaList.addItem(std::string(entry));
    purgeage.clear();
    for (int days = 1; days <= 7; ++days)
        purgeage.addItem(std::to_string(days));

    autosave.setValueQuietly(1);
    Timer1.setEnabled(true);
}

void Form1::registerControls(ControlRegistry& r)
{
    r.add(Text1), r.add(Text6), r.add(Label6), r.add(Label15);
    r.add(print_message), r.add(Delmsg), r.add(Quitbutton), r.add(Mapbutton);
    r.add(Label1), r.add(Text9), r.add(Text11), r.add(MSComm1);
    r.add(StatusNote), r.add(StatusReceiver), r.add(StatusNew);
    r.add(Frame5), r.add(Option3), r.add(Option4), r.add(Option5);
    r.add(Frame4), r.add(Text5), r.add(Text2), r.add(Label9), r.add(Text10), r.add(Text3);
    r.add(Label10), r.add(Text4), r.add(Label11), r.add(Label12), r.add(Text13), r.add(Text7);
    r.add(Label13), r.add(Text8), r.add(Label14);
    r.add(Frame3), r.add(MessageList2), r.add(MessageList), r.add(Label17);
    r.add(Frame2), r.add(purge), r.add(Label7), r.add(purgeage), r.add(Label8);
    r.add(Command1), r.add(Command2), r.add(Text12), r.add(autosave), r.add(Timer1);
    r.add(Frame1), r.add(Label2), r.add(MessageTypeList), r.add(Label3), r.add(StationList);
    r.add(Label5), r.add(TxTimeslabel), r.add(Label4), r.add(NavAreaList);
    r.add(Frame6);
    for (OptionButton& button : Frequency)
        r.add(button);
    r.add(mnufile), r.add(mnusave), r.add(mnuload), r.add(mnuearlier), r.add(mnucapture), r.add(mnuQuit);
    r.add(mnumessage), r.add(mnuprint_msg), r.add(mnudel_msg), r.add(mnutable);
    r.add(mnuconfiguration), r.add(mnuComPort);
    r.add(mnuhelp), r.add(mnuAbout), r.add(mnuhelpmsg);
}

} // namespace fenlark
