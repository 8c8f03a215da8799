// The desktop program's command line, and how it tells that there is no display.
#include "qt/program_main.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>

namespace fenlark::test {
namespace {

struct OptionCase {
    std::vector<std::string> args;
    std::string error; // empty: accepted
    std::string dir, serial, simulate;
    int cps = 0;
};

TEST(DesktopOptions, AreReadOrRefusedWithAReason)
{
    const std::string kCpsError =
        "--simulate-cps needs a number of characters per second (1 or more)";
    // Arguments, error, and when accepted: folder, serial device, file to play, its pace.
    const std::vector<OptionCase> cases{
        {{}, "", "", "", "", 0},
        {{"--dir", "/tmp/x", "--simulate", "cap.txt", "--simulate-cps", "500"},
         "",
         "/tmp/x",
         "",
         "cap.txt",
         500},
        {{"--serial", "/dev/ttyUSB0"}, "", "", "/dev/ttyUSB0", "", 0},
        {{"--dir"}, "--dir needs a folder", "", "", "", 0},
        {{"--simulate-cps", "0", "--simulate", "c"}, kCpsError, "", "", "", 0},
        {{"--simulate-cps", "9x", "--simulate", "c"}, kCpsError, "", "", "", 0},
        {{"--simulate-cps", "50"}, "--simulate-cps goes with --simulate FILE", "", "", "", 0},
        {{"--serial", "/dev/ttyS0", "--simulate", "c"},
         "--serial and --simulate cannot be used together",
         "",
         "",
         "",
         0},
        {{"--script", "-"}, "unknown option \"--script\"", "", "", "", 0},
    };
    for (const OptionCase &c : cases) {
        std::string line;
        for (const std::string &arg : c.args)
            line += " " + arg;
        SCOPED_TRACE("fenlark" + line);
        qt::DesktopOptions options;
        EXPECT_EQ(qt::parseDesktopOptions(c.args, options), c.error);
        if (!c.error.empty())
            continue;
        EXPECT_EQ(options.dir, c.dir);
        EXPECT_EQ(options.serial, c.serial);
        EXPECT_EQ(options.simulate, c.simulate);
        EXPECT_EQ(options.simulateCps, c.cps);
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
