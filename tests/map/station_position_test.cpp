#include "map/station_position.h"

#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <string_view>

namespace fenlark {
namespace {

struct NumberCase {
    std::string_view text;
    double value;
};

std::ostream &operator<<(std::ostream &os, const NumberCase &c) {
    return os << '"' << c.text << "\" -> " << c.value;
}

class LeadingNumber : public testing::TestWithParam<NumberCase> {};

TEST_P(LeadingNumber, ReadsDigitsWithAnOptionalDecimalPoint) {
    EXPECT_DOUBLE_EQ(leadingNumber(GetParam().text), GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(Texts, LeadingNumber,
                         testing::Values(NumberCase{"50", 50}, NumberCase{"001", 1},
                                         NumberCase{"12.5", 12.5}, NumberCase{"  7", 7},
                                         NumberCase{"35N", 35}, NumberCase{".5", 0.5},
                                         NumberCase{"3.", 3}, NumberCase{"4.2.1", 4.2},
                                         NumberCase{"", 0}, NumberCase{"N", 0}, NumberCase{"-5", 0},
                                         NumberCase{"x12", 0}, NumberCase{" .", 0}));

struct PositionCase {
    std::string_view text;
    double latitudeMinutes;
    double longitudeX;
};

std::ostream &operator<<(std::ostream &os, const PositionCase &c) {
    return os << '"' << c.text << '"';
}

class PositionText : public testing::TestWithParam<PositionCase> {};

TEST_P(PositionText, ReadsAsLatitudeAndAsLongitude) {
    EXPECT_DOUBLE_EQ(latitudeMinutes(GetParam().text), GetParam().latitudeMinutes);
    EXPECT_DOUBLE_EQ(longitudeX(GetParam().text), GetParam().longitudeX);
}

// Each text read both ways: only "S" turns a latitude south and only "W" a longitude west.
INSTANTIATE_TEST_SUITE_P(
    Texts, PositionText,
    testing::Values(PositionCase{"50 35 N", 3035, 13835}, PositionCase{"001 18 W", 78, 10722},
                    PositionCase{"33 55 S", -2035, 12835}, PositionCase{"013 40 E", 820, 11620},
                    PositionCase{"00 45 S", -45, 10845}, PositionCase{"50 35 s", 3035, 13835},
                    PositionCase{"50 35 SW", 3035, 13835}, PositionCase{"12.5 30 S", -780, 11580},
                    PositionCase{"10 30.5 W", 630.5, 10169.5},
                    // a double blank gives an empty part: "35" becomes the hemisphere part
                    PositionCase{"50  35 S", 3000, 13800}, PositionCase{"50 35  S", 3035, 13835},
                    // missing parts read 0; the hemisphere is exactly the third part
                    PositionCase{"50", 3000, 13800}, PositionCase{"50 35", 3035, 13835},
                    PositionCase{"", 0, 10800}, PositionCase{"1 2 W extra", 62, 10738}));

TEST(StationPoint, PlacesAStationAtItsLongitudeAndLatitude) {
    const auto niton = stationPoint("50 35 N", "001 18 W");
    ASSERT_TRUE(niton.has_value());
    EXPECT_DOUBLE_EQ(niton->x, 10722);
    EXPECT_DOUBLE_EQ(niton->y, 3035);

    const auto capeTown = stationPoint("33 41 S", "018 43 E");
    ASSERT_TRUE(capeTown.has_value());
    EXPECT_DOUBLE_EQ(capeTown->x, 11923);
    EXPECT_DOUBLE_EQ(capeTown->y, -2021);
}

TEST(StationPoint, HasNoPlaceForShortLatitudesOrTextsOfFewerThanThreeParts) {
    EXPECT_EQ(stationPoint("", ""), std::nullopt);
    EXPECT_EQ(stationPoint("12", "001 18 W"), std::nullopt);
    EXPECT_EQ(stationPoint("5 N", "001 18 W"), std::nullopt);
    EXPECT_EQ(stationPoint("50 35", "001 18 W"), std::nullopt);
    EXPECT_EQ(stationPoint("50 35 N", "001 18"), std::nullopt);
    EXPECT_EQ(stationPoint("50 35 N", ""), std::nullopt);
    // Three characters and three parts are enough, even if they read as 0 minutes.
    const auto sparse = stationPoint("  N", "  W");
    ASSERT_TRUE(sparse.has_value());
    EXPECT_DOUBLE_EQ(sparse->x, 10800);
    EXPECT_DOUBLE_EQ(sparse->y, 0);
    EXPECT_TRUE(stationPoint("50  35 N", "001 18 W").has_value());
}

} // namespace
} // namespace fenlark
