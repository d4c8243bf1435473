#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "core/cables.h"

namespace qlx {
namespace {

// Published derived columns of the catalogue: R0 to 0.1 ohm and the matched loss in dB per
// 100 feet at 1, 10 and 100 MHz to 0.001 dB.
struct Derived {
    double r0, at1, at10, at100;
};
constexpr Derived kTable[kCatalogueRows] = {
    {75.1, 0.350, 1.057, 3.191},  {50.0, 0.116, 0.386, 1.277},  {49.2, 0.106, 0.369, 1.280},
    {52.2, 0.165, 0.587, 2.081},  {50.6, 0.210, 0.614, 1.796},  {50.0, 0.223, 0.739, 2.447},
    {50.2, 0.273, 1.024, 3.850},  {75.3, 0.135, 0.459, 1.554},  {75.1, 0.183, 0.656, 2.353},
    {50.0, 0.317, 1.025, 3.316},  {49.2, 0.368, 1.336, 4.850},  {50.0, 0.407, 1.546, 5.877},
    {75.3, 0.449, 1.296, 3.737},  {75.1, 0.522, 1.438, 3.960},  {89.7, 0.257, 0.831, 2.688},
    {50.1, 0.350, 1.186, 4.018},  {50.0, 1.391, 3.831, 10.552}, {50.0, 0.183, 0.648, 2.300},
    {52.2, 0.091, 0.300, 0.995},  {50.0, 0.090, 0.297, 0.985},  {50.5, 0.069, 0.232, 0.787},
    {50.0, 0.033, 0.113, 0.393},  {50.2, 0.061, 0.226, 0.839},  {75.2, 0.061, 0.226, 0.839},
    {50.2, 0.027, 0.128, 0.598},  {75.2, 0.027, 0.128, 0.598},  {50.0, 0.051, 0.183, 0.654},
    {50.1, 0.030, 0.105, 0.375},  {49.9, 0.020, 0.078, 0.295},  {300.0, 0.087, 0.308, 1.088},
    {404.9, 0.022, 0.082, 0.300}, {599.9, 0.016, 0.057, 0.206},
};

double RoundTo(double v, double step) { return std::round(v / step) * step; }

TEST(Catalogue, DerivedImpedanceAndLossOfEveryRowMatchThePublishedTable) {
    for (int pos = 0; pos < kCatalogueRows; ++pos) {
        const CableSpec& c = Catalogue()[static_cast<std::size_t>(pos)];
        const Derived& d = kTable[pos];
        SCOPED_TRACE(std::string(c.list_text));
        EXPECT_NEAR(RoundTo(R0(c), 0.1), d.r0, 1e-9);
        EXPECT_NEAR(RoundTo(Atten100(c, 1.0f), 0.001), d.at1, 1e-9);
        EXPECT_NEAR(RoundTo(Atten100(c, 10.0f), 0.001), d.at10, 1e-9);
        EXPECT_NEAR(RoundTo(Atten100(c, 100.0f), 0.001), d.at100, 1e-9);
    }
}

TEST(Catalogue, ListOrderAndTheUserDefinedEntry) {
    const std::string first[] = {" RG-6 (Belden 8215)", " RG-8 Type, TMS LMR400"};
    EXPECT_EQ(ListText(0), first[0]);
    EXPECT_EQ(ListText(1), first[1]);
    EXPECT_EQ(ListText(3), " RG-8A (Belden 8237)");
    EXPECT_EQ(ListText(16), " RG-174 (Belden 8216)");
    EXPECT_EQ(ListText(31), " 600-Ohm Open-Wire Ladder Line");
    EXPECT_EQ(ListText(32), " User-Defined Transmission Line");
    EXPECT_EQ(ListText(33), "");
    EXPECT_EQ(ListText(-1), "");
    for (int pos = 0; pos < kListEntries; ++pos) EXPECT_EQ(ListText(pos).substr(0, 1), " ") << pos;
}

TEST(Catalogue, TwinRowsShareTheLossLawButNotTheImpedance) {
    for (float f : {0.5f, 3.5f, 28.0f, 432.0f}) {
        EXPECT_EQ(Atten100(Catalogue()[22], f), Atten100(Catalogue()[23], f));
        EXPECT_EQ(Atten100(Catalogue()[24], f), Atten100(Catalogue()[25], f));
    }
    EXPECT_NE(R0(Catalogue()[22]), R0(Catalogue()[23]));
}

}  // namespace
}  // namespace qlx
