#include "config/com_port_form.h"

#include "app/application.h"
#include "common/file_io.h"
#include "common/text.h"
#include "config/settings_file.h"
#include "forms/control_registry.h"

namespace fenlark {

ComPortForm::ComPortForm(Application& app) : m_app(app)
{
    wireHandlers();
    resetToDesign();
}

void ComPortForm::wireHandlers()
{
    ParityNo.setHandler([this] { ParityNo_Click(); });
    ParityEven.setHandler([this] { ParityEven_Click(); });
    ParityOdd.setHandler([this] { ParityOdd_Click(); });
    setnsave.setHandler([this] { setnsave_Click(); });
    LeaveAlone.setHandler([this] { LeaveAlone_Click(); });
}

void ComPortForm::resetToDesign()
{
    auto fill = [](DropDown& box, std::initializer_list<const char*> items) {
        box.clear();
        for (const char* item : items)
            box.addItem(item);
    };
    fill(comportcombo, {"0", "1", "2", "3", "4", "5", "6"});
    fill(BaudRatecombo, {"50", "110", "300", "600", "1200", "2400", "4800", "9600", "19200",
                         "38400", "57600", "115200"});
    fill(DataBitsCombo, {"5", "7", "8"});
    fill(StopBitsCombo, {"1", "1.5", "2"});
    fill(Combo1, {"~ (default)", "#", "*", "?", "&H7F "});
    Combo1.setText({});
    ParityNo.setValueQuietly(false);
    ParityEven.setValueQuietly(false);
    ParityOdd.setValueQuietly(false);
    Label5.setCaption({});
    m_parity = "n";
    m_saveFailed = false;
}

void ComPortForm::registerControls(ControlRegistry& r)
{
    r.add(Label1), r.add(comportcombo), r.add(Label2), r.add(BaudRatecombo), r.add(Label3);
    r.add(DataBitsCombo), r.add(Label4), r.add(StopBitsCombo), r.add(errcharlabel), r.add(Combo1);
    r.add(ParityNo), r.add(ParityEven), r.add(ParityOdd), r.add(Label5), r.add(setnsave);
    r.add(LeaveAlone);
}

namespace {

// Chooses `value` in the list; a value the list lacks (a hand-edited file) is added to it, so
// that it is shown as it stands and written back unless the operator changes it.
void chooseValue(DropDown& list, const std::string& value)
{
    if (list.indexOf(value) < 0)
        list.addItem(value);
    list.setListIndex(list.indexOf(value));
}

// How the error character stands in the editable choice: as its entry, as itself when it can be
// typed, or as its code ("&H26" for "&", which would read as a code).
void showErrorCharacter(DropDown& choice, const std::string& errchar)
{
    for (int i = 0; i < choice.count(); ++i)
        if (errorCharacterFromChoice(choice.list(i)) == errchar) {
            choice.setListIndex(i);
            return;
        }
    const unsigned char c = errchar.empty() ? 0 : static_cast<unsigned char>(errchar[0]);
    if (errchar.empty() || (c > ' ' && c < 127 && c != '&')) {
        choice.setText(errchar);
        return;
    }
    static constexpr char kHex[] = "0123456789ABCDEF";
    choice.setText(std::string("&H") + kHex[c >> 4] + kHex[c & 15]);
}

} // namespace

void ComPortForm::Form_Load()
{
    m_app.unloadForm1();
    ParityNo.choose();
    const SettingsRead read = readSettingsFile();
    // The dialog opens on the settings in use; without a readable file, on its own defaults.
    const PortSettings s = read.settings.value_or(PortSettings{1, "9600", "n", "7", "1", "~"});
    if (read.settings) {
        m_app.state().errchar = s.errchar;
        Label5.setCaption("Current setting: " + std::to_string(s.port) + ", " + s.baud + ", " +
                          s.parity + ", " + s.dataBits + ", " + s.stopBits + ",  " + s.errchar);
    } else {
        Label5.setCaption(std::string("Current setting: none (\"") + kSettingsFileName + "\": " +
                          read.problem + ")");
    }
    chooseValue(comportcombo, std::to_string(s.port));
    chooseValue(BaudRatecombo, s.baud);
    chooseValue(DataBitsCombo, s.dataBits);
    chooseValue(StopBitsCombo, s.stopBits);
    showErrorCharacter(Combo1, s.errchar);
    if (s.parity == "e")
        ParityEven.choose();
    else if (s.parity == "o")
        ParityOdd.choose();
    else if (s.parity != "n") {
        // A letter of no button (a hand-edited file) is kept unless a button is chosen.
        ParityNo.setValueQuietly(false);
        m_parity = s.parity;
    }
}

void ComPortForm::ParityNo_Click() { m_parity = "n"; }
void ComPortForm::ParityEven_Click() { m_parity = "e"; }
void ComPortForm::ParityOdd_Click() { m_parity = "o"; }

std::optional<std::string> errorCharacterFromChoice(const std::string& text)
{
    if (text.empty() || text[0] != '&')
        return text.substr(0, 1);
    int base = 0;
    if (text.size() > 1 && (text[1] == 'H' || text[1] == 'h'))
        base = 16;
    else if (text.size() > 1 && (text[1] == 'O' || text[1] == 'o'))
        base = 8;
    if (base == 0)
        return std::nullopt;
    int code = 0;
    std::size_t i = 2;
    for (; i < text.size(); ++i) {
        const int v = hexDigit(text[i]);
        if (v < 0 || v >= base)
            break; // the number ends at its first non-digit ("&H7F " is 127)
        code = code * base + v;
        if (code > 255)
            return std::nullopt;
    }
    if (i == 2)
        return std::nullopt;
    return std::string(1, static_cast<char>(code));
}

namespace {

// What makes an error character unfit for the settings file, which would not read it back: a
// double quote opens a quoted field, a comma ends the field, leading blanks are skipped and CR or
// LF end the line. Empty when it is fit.
std::string unreadableErrorCharacter(const std::string& errchar)
{
    switch (errchar.empty() ? 'x' : errchar[0]) {
    case '"':
        return "a double quote";
    case ',':
        return "a comma";
    case ' ':
        return "a blank";
    case '\r':
        return "a carriage return";
    case '\n':
        return "a line feed";
    default:
        return {};
    }
}

} // namespace

void ComPortForm::setnsave_Click()
{
    const auto errchar = errorCharacterFromChoice(Combo1.text());
    if (!errchar) {
        m_app.platform().dialogs.notice("The error character \"" + Combo1.text() +
                                        "\" is not a character code from &H0 to &HFF. "
                                        "Nothing was saved.");
        return;
    }
    if (const std::string what = unreadableErrorCharacter(*errchar); !what.empty()) {
        m_app.platform().dialogs.notice("The error character cannot be " + what + ": \"" +
                                        kSettingsFileName +
                                        "\" would not give it back. Nothing was saved.");
        return;
    }
    PortSettings s;
    s.port = std::atoi(comportcombo.text().c_str());
    s.baud = BaudRatecombo.text();
    s.parity = m_parity;
    s.dataBits = DataBitsCombo.text();
    s.stopBits = StopBitsCombo.text();
    s.errchar = *errchar;
    m_app.state().errchar = s.errchar;
    if (const std::string why = replaceFile(kSettingsFileName, formatSettings(s)); !why.empty()) {
        m_app.platform().dialogs.notice(std::string("The settings could not be saved to \"") +
                                        kSettingsFileName + "\": " + why + ".");
        m_saveFailed = true;
        return;
    }
    m_app.closeComPortForm();
    m_app.loadForm1();
}

void ComPortForm::LeaveAlone_Click()
{
    m_app.closeComPortForm();
    m_app.loadForm1();
}

void ComPortForm::closeRequested()
{
    // After a failed save, leaving may only bring the dialog back (the settings file that cannot
    // be read opens it again), so the operator may end the program here instead.
    if (m_saveFailed) {
        if (m_app.platform().dialogs.ask("The settings could not be saved. Quit FenLark?"))
            m_app.end();
        return;
    }
    LeaveAlone_Click();
}

} // namespace fenlark
