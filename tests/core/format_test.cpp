#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>

#include <string>

#include "core/format.h"
#include "core/numbers.h"

namespace qlx {
namespace {

struct FormatCase {
    double value;
    const char* picture;
    const char* point;  // expected with the decimal point
    const char* comma;  // expected with the decimal comma
};

TEST(Format, PictureStringsWithBothDecimalMarks) {
    const FormatCase cases[] = {
        {3.5, "###0.0# MHz", "3.5 MHz", "3,5 MHz"},
        {0.58650, "#0.0##", "0.587", "0,587"},
        {0.5, "#0.0##", "0.5", "0,5"},
        {12.0, "#0.0##", "12.0", "12,0"},
        {1.92437, "#0.000", "1.924", "1,924"},
        {52.216, "##0.0", "52.2", "52,2"},
        {0.3643, "##0.00", "0.36", "0,36"},
        {1.5405, "0.000", "1.541", "1,541"},   // read as 1.5405, as a person reads it, not its binary value
        {0.0, "0.000", "0.000", "0,000"},
        {0.05, "####.000", ".050", ",050"},
        {1.0, "####.00", "1.00", "1,00"},
        {25.456, "####.00", "25.46", "25,46"},
        {0.004, "####.##", "", ""},           // rounds to zero, no "0" in the picture
        {0.0, "#", "", ""},
        {-0.004, "####.##", "", ""},
        {0.004, "####.00", ".00", ",00"},
        {12.0, "####.##", "12.", "12,"},
        {0.005, "####.00", ".01", ",01"},
        {51.0, "####0.00", "51.00", "51,00"},
        {-3.14159, "####0.00", "-3.14", "-3,14"},
        {-0.001, "#0.000", "-0.001", "-0,001"},
        {123456.789, "####0.00", "123456.79", "123456,79"},
        {1234567.25, "#,##0.0", "1,234,567.3", "1.234.567,3"},
        {999.96, "#,##0.0", "1,000.0", "1.000,0"},
        {12.0, "#,##0.0", "12.0", "12,0"},
        {45.678, "###0.00 deg.", "45.68 deg.", "45,68 deg."},
        {14.0, "###0.0##", "14.0", "14,0"},
        {7.12345, "###0.0##", "7.123", "7,123"},
        {9.9996, "#0.000", "10.000", "10,000"},
        {0.125, "0.00", "0.13", "0,13"},       // an exact binary half rounds away from zero
        {-0.125, "0.00", "-0.13", "-0,13"},
        {2.5, "#0", "3", "3"},
        {10.0, "#0 pF", "10 pF", "10 pF"},
        {1e9, "####.00", "1000000000.00", "1000000000,00"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Format(c.value, c.picture, '.'), c.point) << c.value << " " << c.picture;
        EXPECT_EQ(Format(c.value, c.picture, ','), c.comma) << c.value << " " << c.picture;
    }
}

// A tie is rounded as a person rounds the figure they read: half away from zero on the value's
// 15-digit decimal text, whichever side of the half its binary value falls.
TEST(Format, TiesRoundHalfAwayFromZeroOnTheDecimalText) {
    struct Case {
        double value;
        const char* picture;
        const char* text;
    } const cases[] = {
        {0.3575, "#0.000", "0.358"},   // 0.715 x 0.5: stored as 0.35749999999999998
        {1.8855, "#0.000", "1.886"},   // 1.257 x 1.5
        {2.5, "0", "3"},
        {-2.5, "0", "-3"},
        {0.0005, "#0.000", "0.001"},
        {-0.0005, "#0.000", "-0.001"},
        {1.0005, "0.000", "1.001"},    // stored above the half
        {2.675, "0.00", "2.68"},       // stored below the half
        {0.00049999999999, "#0.000", "0.000"},
        {1234.5, "#,##0", "1,235"},
        {999.95, "##0.0", "1000.0"},
    };
    for (const Case& c : cases) EXPECT_EQ(Format(c.value, c.picture), c.text) << c.value << " " << c.picture;
    // Both binary neighbours of a tie read as the tie.
    for (double tie : {0.3575, 1.8855, 0.0005, 2.675}) {
        const std::string at = Format(tie, "#0.000");
        EXPECT_EQ(Format(std::nextafter(tie, 0.0), "#0.000"), at) << tie;
        EXPECT_EQ(Format(std::nextafter(tie, 1e9), "#0.000"), at) << tie;
    }
}

// Format's quick road gives the digits of the 15-digit decimal text, for values of every size
// and every number of decimals, the ties and their neighbours included.
TEST(Format, TheQuickRoundingEqualsTheRoundingByText) {
    std::mt19937_64 rng(1208);
    std::uniform_real_distribution<double> mantissa(0.0, 10.0);
    std::uniform_int_distribution<int> exponent(-12, 14);
    for (int k = 0; k < 300'000; ++k) {
        const int decimals = k % 10;
        double v = mantissa(rng) * std::pow(10.0, exponent(rng));
        if (k % 3 == 0) {  // a tie at this many decimals, and its binary neighbours
            v = (std::floor(v * std::pow(10.0, decimals)) + 0.5) / std::pow(10.0, decimals);
            if (k % 2) v = std::nextafter(v, k % 4 ? 0.0 : 1e300);
        } else if (k % 3 == 1) {  // a value shown exactly at this many decimals, and its neighbours
            v = std::floor(v * std::pow(10.0, decimals)) / std::pow(10.0, decimals);
            if (k % 2) v = std::nextafter(v, k % 4 ? 0.0 : 1e300);
        }
        std::string ip, fp;
        detail::RoundedDigitsByText(v, decimals, ip, fp);
        const std::size_t nz = ip.find_first_not_of('0');
        std::string expected = nz == std::string::npos ? "0" : ip.substr(nz);
        if (decimals > 0) expected += "." + fp;
        const std::string picture = decimals > 0 ? "0." + std::string(static_cast<std::size_t>(decimals), '0') : "0";
        ASSERT_EQ(Format(v, picture), expected) << v << " " << picture;
    }
}

TEST(Format, ExtremeValuesAndPicturesStayWithinBounds) {
    EXPECT_EQ(Format(1.7976931348623157e308, "0.00").size(), 309u + 3u);
    EXPECT_EQ(Format(-1e300, "####.##").substr(0, 2), "-1");
    EXPECT_EQ(Format(1.0 / 3.0, "0." + std::string(60, '0')).size(), 2u + 30u);
}

TEST(Format, AValueRoundingToZeroShowsNoMinusSign) {
    EXPECT_EQ(Format(-0.0004, "#0.000"), "0.000");
    EXPECT_EQ(Format(-0.0004, "##0.00"), "0.00");
    EXPECT_EQ(Format(-1e-9, "0.00000"), "0.00000");
}

TEST(Format, WrittenTextsReadBackThroughParseNumber) {
    const double values[] = {0.58650, 1234.5678, 0.05, 99.999, 3.5};
    for (double v : values) {
        for (char mark : {'.', ','}) {
            const std::string t = Format(v, "###0.000", mark);
            EXPECT_NEAR(ParseNumber(t), v, 0.0005) << t;
        }
    }
}

TEST(ShortestText, SinglePrecisionValuesInAtMostSevenDigits) {
    struct Case {
        float value;
        const char* point;
        const char* comma;
    } const cases[] = {
        {0.66f, "0.66", "0,66"},
        {3700.0f, "3700", "3700"},
        {0.695f, "0.695", "0,695"},
        {52.21617f, "52.21617", "52,21617"},
        {1.0f / 3.0f, "0.3333333", "0,3333333"},
        {-50.0f, "-50", "-50"},
        {0.0f, "0", "0"},
        {0.00001f, "1E-05", "1E-05"},
        {12000.0f, "12000", "12000"},
        {3.5f, "3.5", "3,5"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ShortestText(c.value, '.'), c.point) << c.value;
        EXPECT_EQ(ShortestText(c.value, ','), c.comma) << c.value;
        // Whatever the mark, the text reads back to the value it shows.
        EXPECT_FLOAT_EQ(static_cast<float>(ParseNumber(ShortestText(c.value, ','))),
                        std::stof(c.point)) << c.point;
    }
}

TEST(NumberText, LeadingBlankForNonNegativeAndNoZeroBeforeThePoint) {
    struct Case {
        double value;
        const char* expected;
    } const cases[] = {
        {25.0, " 25"},        {25.5, " 25.5"},    {0.5, " .5"},   {-12.25, "-12.25"},
        {0.0, " 0"},          {-0.5, "-.5"},      {50.0, " 50"},  {0.1 + 0.2, " .3"},
        {1234567.0, " 1234567"},
    };
    for (const auto& c : cases) EXPECT_EQ(NumberText(c.value), c.expected) << c.value;
    // After a picture fixed the rounding the trailing zeros go again.
    EXPECT_EQ(NumberText(ParseNumber(Format(25.0, "####.00"))), " 25");
    EXPECT_EQ(NumberText(ParseNumber(Format(25.456, "####.00"))), " 25.46");
}

}  // namespace
}  // namespace qlx
