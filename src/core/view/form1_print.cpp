// Form1's printing: the shown message with its reception summary, on the default printer.
#include "app/application.h"
#include "view/form1.h"

namespace fenlark {
namespace {
// Text6 names the shown message after this.
constexpr std::string_view kShownPrefix = "Message ";
} // namespace

void Form1::print_message_Click()
{
    if (Text6.text().empty())
        return;
    Printer& printer = m_app.platform().printer;
    printer.setFontSize(12);
    printer.print("\r\n");
    printer.print("\r\n");
    printer.print(Text6.text() + " " + Text5.text() + " on " + Text3.text() + " at " +
                  Text4.text());
    printer.print("Last replaced on " + Text7.text() + " at " + Text8.text() + " " +
                  Text2.text());
    printer.print("\r\n");
    printer.print(Text1.text());
    printer.endDoc();
    // The message printed is the one the printout names.
    if (Text6.text().starts_with(kShownPrefix))
        m_app.newMarks().seen(std::string_view(Text6.text()).substr(kShownPrefix.size()));
}

void Form1::mnuprint_msg_Click() { print_message_Click(); }

} // namespace fenlark
