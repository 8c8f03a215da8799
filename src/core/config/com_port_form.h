// The port settings dialog, ComPortForm: serial port, line settings and the receiver's error
// character, written to the settings file.
#pragma once

#include "forms/command_controls.h"
#include "forms/list_controls.h"
#include "forms/text_controls.h"

#include <optional>
#include <string>

namespace fenlark {

class Application;
class ControlRegistry;

class ComPortForm {
public:
    explicit ComPortForm(Application& app);
    ComPortForm(const ComPortForm&) = delete;
    ComPortForm& operator=(const ComPortForm&) = delete;

    static constexpr const char* kCaption = "FenLark - Com Port Settings";

    void resetToDesign();
    void registerControls(ControlRegistry& registry);

    Label Label1{"Label1", "COM Port"};
    DropDown comportcombo{"comportcombo"};
    Label Label2{"Label2", "Baud Rate"};
    DropDown BaudRatecombo{"BaudRatecombo"};
    Label Label3{"Label3", "Data Bits"};
    DropDown DataBitsCombo{"DataBitsCombo"};
    Label Label4{"Label4", "Stop Bits"};
    DropDown StopBitsCombo{"StopBitsCombo"};
    Label errcharlabel{"errcharlabel", "Error character"};
    DropDown Combo1{"Combo1", DropDown::Style::Editable}; // the error character, chosen or typed
    OptionGroup parityGroup;
    OptionButton ParityNo{"ParityNo", "No Parity", parityGroup};
    OptionButton ParityEven{"ParityEven", "Even Parity", parityGroup};
    OptionButton ParityOdd{"ParityOdd", "Odd Parity", parityGroup};
    Label Label5{"Label5"}; // the settings file's current values
    Button setnsave{"setnsave", "&Set'n'Save"};
    Button LeaveAlone{"LeaveAlone", "Leave Unchanged"};

    // The parity letter chosen by the option buttons: "n", "e" or "o".
    const std::string& parity() const { return m_parity; }

    // handlers (config/com_port_form.cpp)
    void Form_Load();
    void ParityNo_Click();
    void ParityEven_Click();
    void ParityOdd_Click();
    void setnsave_Click();
    void LeaveAlone_Click();
    // The window's close control: the same as "Leave Unchanged", so the main window comes back;
    // after a failed save of the settings in this dialog it asks whether to end the program, and
    // No leaves the dialog open.
    void closeRequested();

private:
    void wireHandlers();

    Application& m_app;
    std::string m_parity = "n";
    bool m_saveFailed = false; // a save of the settings failed since the dialog opened
};

// The error character the dialog stores for a chosen or typed text: its first character, except
// that a text beginning with "&" is a character code ("&H7F " is code 127). Nothing when such a
// code is not a number from 0 to 255.
std::optional<std::string> errorCharacterFromChoice(const std::string& text);

} // namespace fenlark
