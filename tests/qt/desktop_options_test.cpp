// The program's command line, and how the desktop program tells that there is no display.
#include "qt/program_main.h"
#include "qt/program_options.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>

namespace fenlark::test {
namespace {

// The options read, in short: the fields that differ from their defaults.
std::string summary(const qt::ProgramOptions &o)
{
    std::string text;
    auto add = [&](bool set, const std::string &item) { text += set ? item + " " : ""; };
    auto ports = [](const std::vector<int> &list) {
        std::string joined;
        for (int port : list)
            joined += (joined.empty() ? "" : ",") + std::to_string(port);
        return joined;
    };
    add(o.help, "help");
    add(o.headless, "headless");
    add(o.userFolder, "user-folder");
    add(!o.dir.empty(), "dir=" + o.dir);
    add(!o.serial.empty(), "serial=" + o.serial);
    add(!o.simulate.empty(), "simulate=" + o.simulate);
    add(o.simulateCps, "cps=" + std::to_string(o.simulateCps));
    add(o.driver.script != "-", "script=" + o.driver.script);
    add(o.windows, "windows");
    add(o.driver.printText, "print-text");
    add(!o.driver.refusedPorts.empty(), "refuse=" + ports(o.driver.refusedPorts));
    add(!o.driver.busyPorts.empty(), "busy=" + ports(o.driver.busyPorts));
    return text;
}

TEST(ProgramOptions, AreReadOrRefusedWithAReason)
{
    const std::string kCpsError =
        "--simulate-cps needs a number of characters per second (1 or more)";
    // Arguments, and the options read or the message that refuses them.
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases{
        {{}, ""},
        {{"--dir", "/tmp/x", "--simulate", "cap.txt", "--simulate-cps", "500"},
         "dir=/tmp/x simulate=cap.txt cps=500 "},
        {{"--serial", "/dev/ttyUSB0", "-h"}, "help serial=/dev/ttyUSB0 "},
        {{"--user-folder", "--script", "s", "--windows", "--print-text", "--refuse-port", "3",
          "--busy-port", "1", "--refuse-port=4", "--headless"},
         "headless user-folder script=s windows print-text refuse=3,4 busy=1 "},
        {{"--dir"}, "--dir needs a folder"},
        {{"--dir", ""}, "--dir needs a folder"},
        {{"--simulate-cps", "0", "--simulate", "c"}, kCpsError},
        {{"--simulate-cps", "9x", "--simulate", "c"}, kCpsError},
        {{"--simulate-cps", "50"}, "--simulate-cps goes with --simulate FILE"},
        {{"--serial", "/dev/ttyS0", "--simulate", "c"},
         "--serial and --simulate cannot be used together"},
        {{"--user-folder", "--dir", "d"}, "--user-folder and --dir cannot be used together"},
        {{"--script", "-"}, "--script goes with --headless"},
        {{"--headless", "--simulate", "c"}, "--simulate is not an option of --headless"},
        {{"--headless", "--busy-port", "x"}, "--busy-port needs a port number"},
        {{"--windows=1", "--headless"}, "unexpected value after '--windows'"},
        {{"--dir", "d", "--bogus"}, "unknown option \"--bogus\""},
        {{"stray"}, "unexpected argument \"stray\""},
    };
    for (const auto &[args, expected] : cases) {
        std::string line;
        for (const std::string &arg : args)
            line += " " + arg;
        SCOPED_TRACE("fenlark" + line);
        qt::ProgramOptions options;
        const std::string why = qt::parseProgramOptions(args, options);
        EXPECT_EQ(why.empty() ? summary(options) : why, expected);
    }
}

// Sets or removes environment variables for the life of the object.
class Environment {
public:
    void set(const char *name, const char *value)
    {
        remember(name);
        if (value)
            setenv(name, value, 1);
        else
            unsetenv(name);
    }
    ~Environment()
    {
        for (const auto &[name, value] : m_saved)
            if (value)
                setenv(name.c_str(), value->c_str(), 1);
            else
                unsetenv(name.c_str());
    }

private:
    void remember(const char *name)
    {
        for (const auto &saved : m_saved)
            if (saved.first == name)
                return;
        const char *value = std::getenv(name);
        m_saved.emplace_back(name, value ? std::optional<std::string>(value) : std::nullopt);
    }
    std::vector<std::pair<std::string, std::optional<std::string>>> m_saved;
};

TEST(DesktopDisplay, IsMissingOnlyWithoutDisplayWaylandAndAChosenPlatform)
{
    Environment env;
    env.set("QT_QPA_PLATFORM", nullptr);
    env.set("DISPLAY", nullptr);
    env.set("WAYLAND_DISPLAY", nullptr);
    EXPECT_NE(qt::missingDisplay().find("neither DISPLAY nor WAYLAND_DISPLAY is set"),
              std::string::npos);
    env.set("DISPLAY", ":99");
    EXPECT_EQ(qt::missingDisplay(), "");
    env.set("DISPLAY", "");
    env.set("WAYLAND_DISPLAY", "wayland-0");
    EXPECT_EQ(qt::missingDisplay(), "");
    env.set("WAYLAND_DISPLAY", nullptr);
    env.set("QT_QPA_PLATFORM", "offscreen");
    EXPECT_EQ(qt::missingDisplay(), "");
}

} // namespace
} // namespace fenlark::test
