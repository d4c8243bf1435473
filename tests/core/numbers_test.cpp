#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "core/numbers.h"

namespace qlx {
namespace {

struct TextCase {
    std::string text;
    double expected;
};

TEST(ParseNumber, ReadsPointAndCommaDecimalMarks) {
    const TextCase cases[] = {
        {"", 0.0},          {",", 0.000001},   {"-,", -0.000001}, {",5", 0.5},
        {"-,5", -0.5},      {"3,5", 3.5},      {"-0,25", -0.25},  {"12.5", 12.5},
        {"1,234,5", 1.234}, {"1.000,5", 1.0},  {"7MHz", 7.0},     {"abc", 0.0},
        {"1 000", 1000.0},  {"2E3", 2000.0},   {"3.5", 3.5},      {"0,05", 0.05},
        {"0.", 0.0},        {"0,", 0.0},       {"-", 0.0},        {" ,", 0.0},
        {"2,5E1", 25.0},    {"1.5.5", 1.5},    {"-12,25", -12.25}, {"+4", 4.0},
    };
    for (const auto& c : cases) EXPECT_DOUBLE_EQ(ParseNumber(c.text), c.expected) << "'" << c.text << "'";
}

TEST(LeadingNumber, StopsAtTheFirstCharacterThatDoesNotContinueTheNumber) {
    const TextCase cases[] = {
        {"1000 V", 1000.0}, {"12,5", 12.0},   {"\t 4 2", 42.0},  {"1e-3x", 0.001},
        {"1D2", 100.0},     {"5E", 5.0},      {"5E+", 5.0},      {"- 7", -7.0},
        {".5", 0.5},        {"-.25", -0.25},  {"1E-999", 0.0},   {"", 0.0},
    };
    for (const auto& c : cases) EXPECT_DOUBLE_EQ(LeadingNumber(c.text), c.expected) << "'" << c.text << "'";
    // Beyond the double range a number stays a huge number of its sign, so range checks still
    // reject it instead of reading 0 or infinity.
    EXPECT_EQ(LeadingNumber("1E999"), std::numeric_limits<double>::max());
    EXPECT_EQ(LeadingNumber("-9E400"), -std::numeric_limits<double>::max());
}

TEST(ComplexAngle, CoversAllFourQuadrantsWithTheSinglePrecisionTurns) {
    const double half = 3.1415929794311523, quarter = 1.5707964897155762;
    struct Case {
        double r, x, expected;
    } const cases[] = {
        {0, 0, 0.0},
        {0, 5, quarter},
        {0, -5, -quarter},
        {-1, 0, -half},
        {-1, 1, std::atan(-1.0) + half},
        {-1, -1, std::atan(1.0) - half},
        {1, -1, std::atan(-1.0)},
        {1, 1, std::atan(1.0)},
        {2, 0, 0.0},
    };
    for (const auto& c : cases)
        EXPECT_DOUBLE_EQ(ComplexAngle(c.r, c.x), c.expected) << c.r << ", " << c.x;
}

TEST(SeriesParallel, ConvertsBothWaysAndKeepsDivisionsByZeroDefined) {
    struct Case {
        double r, x, rp, xp;
    } const to_parallel[] = {
        {0, 0, 0, 1e7},
        {50, 0, 50, 1e7},
        {3, 4, 25.0 / 3.0, 6.25},
        {-3, 4, 25.0 / 3.0, 6.25},
        {3, -4, 25.0 / 3.0, -6.25},
        {0, 10, 1e7, 10},  // a pure reactance: infinite parallel resistance
    };
    for (const auto& c : to_parallel) {
        const ParallelForm p = SeriesToParallel(c.r, c.x);
        EXPECT_DOUBLE_EQ(p.rp, c.rp) << c.r << ", " << c.x;
        EXPECT_DOUBLE_EQ(p.xp, c.xp) << c.r << ", " << c.x;
    }

    const SeriesForm back = ParallelToSeries(25.0 / 3.0, 6.25);
    EXPECT_NEAR(back.r, 3.0, 1e-12);
    EXPECT_NEAR(back.x, 4.0, 1e-12);
    // 50 ohms in parallel with the "infinite" reactance: R = 50 Xp^2/(2500 + Xp^2), X = 2500/Xp.
    const SeriesForm nearly = ParallelToSeries(50.0, 1e7);
    EXPECT_LT(nearly.r, 50.0);
    EXPECT_NEAR(nearly.r, 50.0 - 1.25e-9, 1e-12);
    EXPECT_NEAR(nearly.x, 0.00025, 1e-13);
    const SeriesForm shorted = ParallelToSeries(0.0, 0.0);
    EXPECT_EQ(shorted.r, 0.0);
    EXPECT_EQ(shorted.x, 0.0);
}

TEST(SeriesParallel, RoundTripRestoresTheSeriesImpedance) {
    const double pairs[][2] = {{12.5, -300}, {1000, 7}, {0.3, 0.4}, {75, 75}, {-20, 35}};
    for (const auto& p : pairs) {
        const ParallelForm par = SeriesToParallel(p[0], p[1]);
        const SeriesForm ser = ParallelToSeries(par.rp, par.xp);
        EXPECT_NEAR(ser.r, std::fabs(p[0]), 1e-9 * std::fabs(p[0]));
        EXPECT_NEAR(ser.x, p[1], 1e-9 * std::fabs(p[1]));
    }
}

TEST(Numbers, IsNumberTextTakesOnePlainNumber) {
    for (const char* yes : {"3.5", " 14,2 ", "-25", "+.5", "5.", "1E-05", "2d3", "0"})
        EXPECT_TRUE(IsNumberText(yes)) << yes;
    for (const char* no : {"", ".", "-", "nan", "inf", "1e", "3.5.1", "1,2,3", "0x10", "50\t75 1", "1e5x", "e5"})
        EXPECT_FALSE(IsNumberText(no)) << no;
}

}  // namespace
// Beyond a double's range the reading goes by where the first significant digit stands, not by
// the exponent's sign: a tiny number written without an exponent is tiny, a huge one with a
// negative exponent huge.
TEST(LeadingNumber, BeyondTheRangeOfADoubleTheRightWayRound) {
    EXPECT_EQ(LeadingNumber("0." + std::string(330, '0') + "1"), 0.0);
    EXPECT_EQ(LeadingNumber("1" + std::string(400, '0') + "e-10"), std::numeric_limits<double>::max());
    EXPECT_EQ(LeadingNumber("-1e400"), -std::numeric_limits<double>::max());
    EXPECT_EQ(LeadingNumber("1e-400"), 0.0);
    EXPECT_EQ(LeadingNumber("0.0001e-400"), 0.0);
    EXPECT_EQ(LeadingNumber("12345e-3"), 12.345);
}

}  // namespace qlx
