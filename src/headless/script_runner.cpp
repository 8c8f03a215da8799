#include "headless/script_runner.h"

#include "headless/escapes.h"
#include "headless/script_values.h"

#include <charconv>
#include <iterator>
#include <sstream>

namespace fenlark::headless {
namespace {

int parseNumber(const std::string& text)
{
    int value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || ec != std::errc() || end != text.data() + text.size())
        throw ScriptError("\"" + text + "\" is not a number");
    return value;
}

std::string unescaped(const std::string& text)
{
    const auto out = unescape(text);
    if (!out)
        throw ScriptError("malformed escape in \"" + text + "\"");
    return *out;
}

std::vector<std::string> splitWords(const std::string& line, std::size_t maxWords)
{
    // The first maxWords - 1 words end at a blank; the last word is the rest of the line.
    std::vector<std::string> words;
    std::size_t pos = 0;
    while (pos < line.size() && words.size() + 1 < maxWords) {
        while (pos < line.size() && line[pos] == ' ')
            ++pos;
        if (pos >= line.size())
            break;
        const std::size_t end = line.find(' ', pos);
        words.push_back(line.substr(pos, end == std::string::npos ? std::string::npos : end - pos));
        pos = end == std::string::npos ? line.size() : end + 1;
    }
    if (pos < line.size() && words.size() + 1 == maxWords)
        words.push_back(line.substr(pos));
    return words;
}

} // namespace

ScriptRunner::ScriptRunner(Application& app, ScriptPorts ports, std::ostream& out)
    : m_app(app), m_ports(ports), m_out(out)
{
    app.form1().registerControls(controls(Window::Form1));
    app.comPortForm().registerControls(controls(Window::ComPortForm));
    app.form2().registerControls(controls(Window::Form2));
    app.alarms().registerControls(controls(Window::Alarms));
    app.earlierLogs().registerControls(controls(Window::EarlierLogs));
    app.welcome().registerControls(controls(Window::Welcome));
    app.messageTable().registerControls(controls(Window::MessageTable));
    app.alarms().setAlarmObserver([this](const Alarm& alarm) {
        m_out << "alarm: " << escape(alarm.msgid)
              << (alarm.typeText.empty() ? "" : " " + escape(alarm.typeText)) << '\n';
    });
}

ScriptRunner::Target ScriptRunner::resolve(const std::string& name) const
{
    std::vector<std::string> parts;
    std::stringstream in(name);
    for (std::string part; std::getline(in, part, '.');)
        parts.push_back(part);
    if (parts.empty() || parts.size() > 3)
        throw ScriptError("\"" + name + "\" is not a control name");
    Target target{Window::Form1, nullptr, {}, name};
    std::size_t next = 0;
    if (const auto window = windowNamed(parts[0])) {
        target.window = *window;
        next = 1;
    }
    if (next == parts.size())
        throw ScriptError("\"" + name + "\" names a window, not a control");
    target.control = m_controls[static_cast<std::size_t>(target.window)].find(parts[next]);
    if (!target.control) {
        if (next == 1 && parts.size() == 2 &&
            (parts[1] == "Visible" || parts[1] == "Caption")) {
            target.property = parts[1];
            return target;
        }
        throw ScriptError("unknown control \"" + parts[next] + "\" in " +
                          windowName(target.window));
    }
    if (next + 1 < parts.size())
        target.property = parts[next + 1];
    if (next + 2 < parts.size())
        throw ScriptError("\"" + name + "\" is not a control name");
    return target;
}

void ScriptRunner::requireLoaded(const Target& target) const
{
    if (!m_app.isLoaded(target.window))
        throw ScriptError(std::string(windowName(target.window)) + " is not open");
}

int ScriptRunner::run(std::istream& script, const std::string& scriptName, std::ostream& err)
{
    std::string line;
    int number = 0;
    while (!m_app.ended() && std::getline(script, line)) {
        ++number;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        const std::size_t first = line.find_first_not_of(" \t");
        if (first == std::string::npos || line[first] == '#')
            continue;
        try {
            execute(line.substr(first));
        } catch (const ScriptError& e) {
            m_out.flush();
            err << "fenlark: " << scriptName << ":" << number << ": " << e.what() << "\n  in: "
                << line << '\n';
            return 2;
        } catch (const UnansweredQuestion& e) {
            m_out.flush();
            err << "fenlark: " << scriptName << ":" << number
                << ": a question was asked with no answer queued: " << escape(e.what())
                << "\n  in: " << line << '\n';
            return 3;
        }
        if (m_app.ended()) {
            m_out << "ended\n";
            break;
        }
    }
    m_out.flush();
    return 0;
}

void ScriptRunner::execute(const std::string& line)
{
    const auto words = splitWords(line, 2);
    const std::string& command = words[0];
    const std::string rest = words.size() > 1 ? words[1] : std::string();
    auto need = [&](std::size_t count, const char* usage) {
        auto args = splitWords(rest, count);
        if (args.size() != count || args.back().empty())
            throw ScriptError(std::string("usage: ") + usage);
        return args;
    };
    if (command == "get")
        get(need(1, "get NAME")[0]);
    else if (command == "list")
        list(need(1, "list NAME")[0]);
    else if (command == "click")
        click(need(1, "click NAME")[0]);
    else if (command == "select") {
        const auto args = need(2, "select NAME N");
        select(args[0], args[1]);
    } else if (command == "type") {
        auto args = splitWords(rest, 2);
        if (args.empty() || args[0].empty())
            throw ScriptError("usage: type NAME TEXT");
        type(args[0], args.size() > 1 ? unescaped(args[1]) : std::string());
    } else if (command == "receive") {
        if (rest.empty())
            throw ScriptError("usage: receive TEXT");
        if (!m_ports.serial)
            throw ScriptError("receive is for the scripted receiver; this run reads " +
                              m_app.form1().MSComm1.deviceName());
        m_ports.serial->receive(unescaped(rest));
    } else if (command == "answer" && rest.starts_with("file ")) {
        m_ports.dialogs.queueFile(unescaped(need(2, "answer file NAME")[1]));
    } else if (command == "answer") {
        const std::string answer = need(1, "answer yes|no|dismiss")[0];
        if (answer != "yes" && answer != "no" && answer != "dismiss")
            throw ScriptError("usage: answer yes|no|dismiss or answer file NAME");
        m_ports.dialogs.queueAnswer(answer == "yes"  ? Answer::Yes
                                    : answer == "no" ? Answer::No
                                                     : Answer::Dismissed);
    } else if (command == "sort") {
        const auto args = need(2, "sort NAME COLUMN");
        sort(args[0], args[1]);
    } else if (command == "tick")
        tick(need(1, "tick NAME")[0]);
    else if (command == "clock")
        clock(rest);
    else if (command == "wait")
        wait(need(1, "wait SECONDS")[0]);
    else if (command == "close")
        close(need(1, "close WINDOW")[0]);
    else if (command == "snapshot") {
        const auto args = need(2, "snapshot WINDOW FILE");
        snapshot(args[0], args[1]);
    } else
        throw ScriptError("unknown command \"" + command + "\"");
}

void ScriptRunner::get(const std::string& name)
{
    const Target t = resolve(name);
    std::string value;
    if (!t.control) {
        value = t.property == "Visible" ? boolText(m_app.isLoaded(t.window))
                                        : std::string(windowCaption(t.window));
    } else {
        value = valueText(*t.control, t.property);
    }
    m_out << name << '=' << escape(value) << '\n';
}

void ScriptRunner::sort(const std::string& name, const std::string& column)
{
    const Target t = resolve(name);
    auto* table = t.control ? std::get_if<TableControl*>(t.control) : nullptr;
    if (!table || !t.property.empty())
        throw ScriptError("\"" + name + "\" is not a table");
    requireLoaded(t);
    const int c = parseNumber(column);
    if (c < 0 || c >= static_cast<int>((*table)->columns().size()))
        throw ScriptError("bad column " + column + ": " + name + " has " +
                          std::to_string((*table)->columns().size()) + " columns");
    (*table)->sortBy(c);
}

void ScriptRunner::listTable(const std::string& name, const TableControl& table)
{
    m_out << name << ".count=" << table.rowCount() << '\n'
          << name << ".index=" << table.currentRow() << '\n';
    auto line = [](const std::vector<std::string>& cells) {
        std::string joined;
        for (const std::string& cell : cells)
            joined += (joined.empty() ? "" : " | ") + escape(cell);
        return joined;
    };
    std::vector<std::string> headings;
    for (const TableControl::Column& column : table.columns())
        headings.push_back(column.heading);
    m_out << name << ".columns=" << line(headings) << '\n';
    for (int i = 0; i < table.rowCount(); ++i)
        m_out << name << '[' << i << "]=" << line(table.row(i).cells) << '\n';
}

void ScriptRunner::list(const std::string& name)
{
    // The message table is listed by its window's name alone: its rows, as shown.
    if (windowNamed(name) == Window::MessageTable) {
        listTable(name, m_app.messageTable().Messages);
        return;
    }
    // The alarm window is listed by its name alone: its list of alarms.
    const Target t = resolve(windowNamed(name) == Window::Alarms ? "Alarms.AlarmList" : name);
    const ListControl* list = nullptr;
    if (t.control) {
        if (auto* box = std::get_if<ListBox*>(t.control))
            list = *box;
        else if (auto* drop = std::get_if<DropDown*>(t.control))
            list = *drop;
    }
    if (!list || !t.property.empty())
        throw ScriptError("\"" + name + "\" is not a list");
    m_out << name << ".count=" << list->count() << '\n'
          << name << ".index=" << list->listIndex() << '\n';
    for (int i = 0; i < list->count(); ++i)
        m_out << name << '[' << i << "]=" << escape(list->list(i)) << '\n';
    const Form1& form = m_app.form1();
    if (list == &form.MessageList || list == &form.MessageList2) {
        m_out << name << ".new=";
        const char* separator = "";
        for (int i = 0; i < list->count(); ++i)
            if (m_app.newMarks().isNew(list->list(i))) {
                m_out << separator << escape(list->list(i));
                separator = " ";
            }
        m_out << '\n';
    }
}

void ScriptRunner::click(const std::string& name)
{
    const Target t = resolve(name);
    if (!t.control || !t.property.empty())
        throw ScriptError("\"" + name + "\" cannot be clicked");
    requireLoaded(t);
    if (auto* button = std::get_if<Button*>(t.control))
        (*button)->click();
    else if (auto* option = std::get_if<OptionButton*>(t.control))
        (*option)->choose();
    else if (auto* check = std::get_if<CheckBox*>(t.control))
        (*check)->click();
    else
        throw ScriptError("\"" + name + "\" cannot be clicked");
}

void ScriptRunner::select(const std::string& name, const std::string& number)
{
    const Target t = resolve(name);
    const int n = parseNumber(number);
    if (!t.control || !t.property.empty())
        throw ScriptError("\"" + name + "\" is not a list");
    requireLoaded(t);
    if (auto* box = std::get_if<ListBox*>(t.control)) {
        if (n < 0 || n >= (*box)->count())
            throw ScriptError("bad number " + number + ": " + name + " has " +
                              std::to_string((*box)->count()) + " entries");
        // purgeage is read by the entry scrolled to its top row.
        (*box)->setTopIndex(n);
        (*box)->choose(n);
    } else if (auto* table = std::get_if<TableControl*>(t.control)) {
        if (n < 0 || n >= (*table)->rowCount())
            throw ScriptError("bad number " + number + ": " + name + " has " +
                              std::to_string((*table)->rowCount()) + " rows");
        (*table)->setCurrentRow(n);
    } else if (auto* drop = std::get_if<DropDown*>(t.control)) {
        if (n < 0 || n >= (*drop)->count())
            throw ScriptError("bad number " + number + ": " + name + " has " +
                              std::to_string((*drop)->count()) + " entries");
        (*drop)->setListIndex(n);
    } else {
        throw ScriptError("\"" + name + "\" is not a list");
    }
}

void ScriptRunner::type(const std::string& name, const std::string& text)
{
    const Target t = resolve(name);
    if (!t.control || !t.property.empty())
        throw ScriptError("\"" + name + "\" does not take typed text");
    requireLoaded(t);
    if (auto* box = std::get_if<TextBox*>(t.control))
        (*box)->setText(text);
    else if (auto* drop = std::get_if<DropDown*>(t.control); drop && (*drop)->editable())
        (*drop)->setText(text);
    else
        throw ScriptError("\"" + name + "\" does not take typed text");
}

void ScriptRunner::tick(const std::string& name)
{
    const Target t = resolve(name);
    auto* timer = t.control ? std::get_if<Timer*>(t.control) : nullptr;
    if (!timer || !t.property.empty())
        throw ScriptError("\"" + name + "\" is not a timer");
    if (m_app.isLoaded(t.window))
        (*timer)->tick();
}

void ScriptRunner::clock(const std::string& argument)
{
    if (!argument.empty() && argument[0] == '+') {
        m_ports.clock.advance(parseNumber(argument.substr(1)));
        return;
    }
    // "YYYY-MM-DD HH:MM:SS"
    int y, mo, d, h, mi, s;
    char tail;
    if (std::sscanf(argument.c_str(), "%4d-%2d-%2d %2d:%2d:%2d%c", &y, &mo, &d, &h, &mi, &s,
                    &tail) != 6)
        throw ScriptError("usage: clock YYYY-MM-DD HH:MM:SS or clock +SECONDS");
    char text[32];
    std::snprintf(text, sizeof text, "%02d/%02d/%04d %02d:%02d:%02d", d, mo, y, h, mi, s);
    const auto t = DateTime::parse(text);
    if (!t)
        throw ScriptError("\"" + argument + "\" is not a date and time");
    m_ports.clock.set(*t);
}

void ScriptRunner::wait(const std::string& seconds)
{
    double value = 0;
    const auto [end, ec] = std::from_chars(seconds.data(), seconds.data() + seconds.size(), value);
    if (ec != std::errc() || end != seconds.data() + seconds.size() || !(value >= 0) ||
        value > 86400)
        throw ScriptError("usage: wait SECONDS (from 0 to 86400, such as 2 or 0.5)");
    if (!m_ports.wait)
        throw ScriptError("this run has no event loop to wait in");
    m_ports.wait(value);
}

void ScriptRunner::close(const std::string& window)
{
    const auto w = windowNamed(window);
    if (!w)
        throw ScriptError("unknown window \"" + window + "\"");
    if (!m_app.isLoaded(*w))
        throw ScriptError(window + " is not open");
    switch (*w) {
    case Window::Form1:
        m_app.form1().Quitbutton_Click();
        break;
    case Window::ComPortForm:
        m_app.comPortForm().closeRequested();
        break;
    case Window::Form2:
        m_app.form2().closemap_Click();
        break;
    case Window::Alarms:
        break; // its close control is refused: alarms go only when acknowledged
    case Window::EarlierLogs:
        m_app.earlierLogs().Cancel_Click();
        break;
    case Window::Welcome:
        m_app.welcome().closeRequested();
        break;
    case Window::MessageTable:
        m_app.messageTable().CloseTable_Click();
        break;
    }
}

void ScriptRunner::snapshot(const std::string& window, const std::string& path)
{
    const auto w = windowNamed(window);
    if (!w)
        throw ScriptError("unknown window \"" + window + "\"");
    if (!m_app.isLoaded(*w))
        throw ScriptError(window + " is not open");
    if (!m_snapshot)
        throw ScriptError("this run cannot take pictures of windows");
    if (const std::string why = m_snapshot(*w, path); !why.empty())
        throw ScriptError("snapshot " + window + ": " + why);
    m_out << "snapshot: " << window << " -> " << path << '\n';
}

} // namespace fenlark::headless
