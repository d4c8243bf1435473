// The C library's conversions against the standard library's floating-point <charconv>, where
// both exist: byte for byte the same texts and the same numbers read, over a few million seeded
// random values of every magnitude and every precision the program writes with. A toolchain
// without <charconv> (emscripten's) uses the C library's, so every text it writes is the same.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <random>
#include <string>

#include "core/format.h"
#include "core/number_text.h"

namespace qlx {
namespace {

// Doubles of every exponent (random bits) and of the sizes the program meets (random decimals).
double Draw(std::mt19937_64& rng, int k) {
    if (k % 2 == 0) {
        const std::uint64_t bits = rng();
        double d;
        std::memcpy(&d, &bits, sizeof d);  // (std::bit_cast is missing from some libc++)
        return std::isfinite(d) ? d : 1.0;
    }
    std::uniform_real_distribution<double> mantissa(-10.0, 10.0);
    std::uniform_int_distribution<int> exponent(-12, 12);
    return mantissa(rng) * std::pow(10.0, exponent(rng));
}

// A million values each way in an optimised build; a tenth of that in a debug or sanitizer build.
#ifdef NDEBUG
constexpr int kValues = 1'000'000;
#else
constexpr int kValues = 100'000;
#endif

TEST(NumberConversion, TheCLibraryWritesWhatCharconvWrites) {
    std::mt19937_64 rng(20261208);
    for (int k = 0; k < kValues; ++k) {
        const double d = Draw(rng, k);
        ASSERT_EQ(c_library::ShortestRoundTrip(d), ShortestRoundTrip(d)) << k;
        ASSERT_EQ(c_library::ScientificText(d, 14), ScientificText(d, 14)) << k;
        const int digits = 1 + k % 17;
        ASSERT_EQ(c_library::GeneralDigits(d, digits), GeneralDigits(d, digits)) << k << " " << digits;
        const float f = static_cast<float>(d);
        if (std::isfinite(f)) {
            ASSERT_EQ(c_library::ShortestRoundTrip(f), ShortestRoundTrip(f)) << k;
        }
    }
    for (double special : {0.0, -0.0, 5e-324, 1.7976931348623157e308, 0.1, 0.3575, 1e21, 1e-7, 123456789012345680.0})
        EXPECT_EQ(c_library::ShortestRoundTrip(special), ShortestRoundTrip(special)) << special;
}

TEST(NumberConversion, TheCLibraryReadsWhatCharconvReads) {
    std::mt19937_64 rng(8121962);
    for (int k = 0; k < kValues; ++k) {
        const std::string text = ShortestRoundTrip(Draw(rng, k));
        double a = -1, b = -1;
        const NumberRead ra = c_library::ReadWholeNumber(text, a), rb = ReadWholeNumber(text, b);
        ASSERT_EQ(ra.ok, rb.ok) << text;
        ASSERT_EQ(a, b) << text;
        float fa = -1, fb = -1;
        const NumberRead fra = c_library::ReadWholeNumber(text, fa), frb = ReadWholeNumber(text, fb);
        ASSERT_EQ(fra.ok, frb.ok) << text;
        ASSERT_EQ(fra.out_of_range, frb.out_of_range) << text;
        if (fra.ok) {
            ASSERT_EQ(fa, fb) << text;
        }
    }
    // What is not a whole number, and what lies beyond a double's range.
    for (const char* text : {"", "-", ".", "1.2.3", "1e", "+1", " 1", "1 ", "inf", "nan", "0x10", "1e400", "1e-400", "12a"}) {
        double a = 7, b = 7;
        const NumberRead ra = c_library::ReadWholeNumber(text, a), rb = ReadWholeNumber(text, b);
        EXPECT_EQ(ra.ok, rb.ok) << text;
        EXPECT_EQ(ra.out_of_range, rb.out_of_range) << text;
        EXPECT_TRUE(a == b || (std::isnan(a) && std::isnan(b))) << text << " " << a << " " << b;
    }
}

// Every picture string in use, on the conversion the program runs with: unchanged texts.
TEST(NumberConversion, EveryPictureInUseWritesTheSameAsBefore) {
    // A few fixed results, computed before the conversion moved behind this seam.
    EXPECT_EQ(Format(0.3575, "#0.000"), "0.358");
    EXPECT_EQ(Format(1234567.891, "#,##0.0"), "1,234,567.9");
    EXPECT_EQ(ExactText(0.1), "0.1");
    EXPECT_EQ(ExactText(1e300), "1e+300");
    EXPECT_EQ(ShortestText(3.2808399200439453f), "3.28084");
}

}  // namespace
}  // namespace qlx
