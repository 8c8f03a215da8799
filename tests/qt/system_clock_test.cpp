// The program's clock reads UTC whatever the machine's time zone.
#include "headless/script_ports.h"
#include "qt/system_clock.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>

namespace fenlark::test {
namespace {

TEST(ProgramClock, ReadsUtcWhateverTheMachinesTimeZone)
{
    const char *saved = std::getenv("TZ");
    const std::string previous = saved ? saved : "";
    setenv("TZ", "America/New_York", 1);
    tzset();
    const std::time_t t = std::time(nullptr);
    std::tm local{};
    localtime_r(&t, &local);
    const std::int64_t utc = DateTime::fromCivil({1970, 1, 1}).plusSeconds(t).totalSeconds();
    const std::int64_t desktop = qt::SystemClock().now().totalSeconds();
    const std::int64_t headless = headless::systemNow().totalSeconds();
    saved ? setenv("TZ", previous.c_str(), 1) : unsetenv("TZ");
    tzset();
    ASSERT_NE(local.tm_gmtoff, 0) << "the time zone did not take effect";
    // Read right after one another: a few seconds apart at most, where a time zone is hours.
    EXPECT_LE(std::llabs(desktop - utc), 5);
    EXPECT_LE(std::llabs(headless - utc), 5);
}

} // namespace
} // namespace fenlark::test
