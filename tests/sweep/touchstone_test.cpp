// Touchstone one-port files: every option-line form, comments, values across lines, version 2.0,
// the writer read back, and each refusal with its line. Expected impedances are worked out by
// hand from the file's numbers.
#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <numbers>
#include <string>
#include <variant>

#include "core/format.h"
#include "sweep/touchstone.h"

namespace qlx::sweep {
namespace {

using cd = std::complex<double>;

OnePort Read(const std::string& text) {
    const auto r = ReadTouchstone(text);
    if (const auto* e = std::get_if<TouchstoneError>(&r)) {
        ADD_FAILURE() << "refused at line " << e->line << ": " << e->reason << "\n" << text;
        return {};
    }
    return std::get<OnePort>(r);
}

TEST(Touchstone, OptionLineFormsAndValues) {
    const double deg = std::numbers::pi / 180.0;
    struct Case {
        const char* what;
        std::string text;
        double f_mhz;
        cd z;
    };
    const Case cases[] = {
        // S = 0.2 + j0.1 against 50: Z = 50 (1.2 + j0.1) / (0.8 - j0.1).
        {"S RI in MHz", "# MHz S RI R 50\n14 0.2 0.1\n", 14, 50.0 * cd(1.2, 0.1) / cd(0.8, -0.1)},
        // The defaults: GHz, S, MA, R 50. |S| 0.5 at 90 degrees: S = j0.5.
        {"defaults", "#\n0.014 0.5 90\n", 14, 50.0 * cd(1, 0.5) / cd(1, -0.5)},
        {"any order, kHz", "# ri R 75 khz s\n14000 0 0\n", 14, cd(75, 0)},
        {"Hz and DB", "# Hz S DB R 50\n14000000 -6.020599913 180\n", 14,
         50.0 * (1.0 + std::polar(0.5, 180 * deg)) / (1.0 - std::polar(0.5, 180 * deg))},
        // Z in 1.1 is normalised: 1 + j1 against 50 is 50 + j50.
        {"Z RI normalised", "# MHz Z RI R 50\n7.1 1 1\n", 7.1, cd(50, 50)},
        // Y normalised: y = 0.5 against 50 is 100 ohms.
        {"Y MA normalised", "# MHz Y MA R 50\n7.1 0.5 0\n", 7.1, cd(100, 0)},
        {"comments and values across lines",
         "! a dipole\n! measured\n# MHz Z RI R 1 ! in ohms\n14 ! the frequency\n36.5 42.5\n", 14, cd(36.5, 42.5)},
        // Version 2.0: Z in ohms, [Reference] overrides R.
        {"version 2.0 Z", "[Version] 2.0\n# MHz Z RI R 50\n[Number of Ports] 1\n[Network Data]\n3.5 73 42.5\n[End]\n",
         3.5, cd(73, 42.5)},
        {"version 2.0 S with [Reference]",
         "[Version] 2.0\n# MHz S RI\n[Number of Ports] 1\n[Reference] 75\n[Network Data]\n3.5 0 0\n[End]\n", 3.5,
         cd(75, 0)},
        {"CR LF line ends", "# MHz S RI R 50\r\n14 0 0\r\n", 14, cd(50, 0)},
    };
    for (const Case& c : cases) {
        const OnePort p = Read(c.text);
        ASSERT_EQ(p.f_mhz.size(), 1u) << c.what;
        EXPECT_NEAR(p.f_mhz[0], c.f_mhz, 1e-9) << c.what;
        EXPECT_NEAR(p.z[0].real(), c.z.real(), 1e-6) << c.what;
        EXPECT_NEAR(p.z[0].imag(), c.z.imag(), 1e-6) << c.what;
    }
}

TEST(Touchstone, WhatTheWriterWritesReadsBack) {
    const std::vector<double> f{1.8, 3.5, 14.2, 1296.0};
    const std::vector<cd> z{cd(50, 0), cd(200, -100), cd(0.5, 3000), cd(1e4, -1e4)};
    for (const double ref : {50.0, 75.0}) {
        const std::string text = WriteTouchstone(f, z, ref, "a test\nof two lines");
        EXPECT_EQ(text.rfind("! a test\n! of two lines\n# MHz S RI R ", 0), 0u) << text;
        const OnePort back = Read(text);
        ASSERT_EQ(back.f_mhz.size(), f.size());
        for (std::size_t k = 0; k < f.size(); ++k) {
            EXPECT_EQ(back.f_mhz[k], f[k]);
            EXPECT_NEAR(back.z[k].real(), z[k].real(), 1e-9 * std::abs(z[k]) + 1e-9);
            EXPECT_NEAR(back.z[k].imag(), z[k].imag(), 1e-9 * std::abs(z[k]) + 1e-9);
        }
    }
}

TEST(Touchstone, RefusalsNameTheirLine) {
    struct Case {
        std::string text;
        int line;
        const char* part;
    };
    const Case cases[] = {
        {"# MHz S RI R\n14 0 0\n", 1, "R without"},
        {"# MHz S RI R 50\n14 0 0 0.1 0.2 0 0 0 0\n", 2, "more than three values"},
        {"[Version] 2.0\n[Number of Ports] 2\n", 2, "2 ports"},
        {"# MHz S RI R 50\n14 0 x\n", 2, "\"x\" is not a number"},
        {"# MHz S RI R 50\n14 0 0\n7 0 0\n", 3, "out of order"},
        {"# MHz S RI R 50\n! nothing\n", 2, "no data"},
        {"14 0 0\n", 1, "before the option line"},
        {"# MHz H RI R 50\n14 0 0\n", 1, "only S, Y or Z"},
        {"# MHz S RI R 50\n14 1 0\n", 2, "open circuit"},
        // Beyond what the line can be solved for (the main window refuses such an entry too):
        // 1E+300 ohms in Z, and S = 1 + j1E-31, so near 1 that Z = 50 x 2 / (-j1E-31) = j1E+33 ohms.
        {"# MHz Z RI R 1\n14 0 0\n14.1 1e300 -1e300\n", 3, "beyond the 1E+30 ohms"},
        {"# MHz S RI R 50\n14 1 1e-31\n", 2, "an impedance of"},
        {"# MHz S RI R 50\n14 0\n", 2, "without both of its values"},
        {"[Version] 2.0\n# MHz S RI\n3.5 0 0\n", 3, "before [Network Data]"},
    };
    for (const Case& c : cases) {
        const auto r = ReadTouchstone(c.text);
        const auto* e = std::get_if<TouchstoneError>(&r);
        ASSERT_NE(e, nullptr) << c.text;
        EXPECT_EQ(e->line, c.line) << c.text << e->reason;
        EXPECT_NE(e->reason.find(c.part), std::string::npos) << c.text << "\n" << e->reason;
    }
}

}  // namespace
// Files as instruments write them: points outside the Smith chart, overflowing frequencies and
// malformed option lines are refused at their line; a byte-order mark, lone CR line ends and a
// [Reference] with its value on the next line are read.
TEST(Touchstone, InstrumentsFilesRefusedAtTheirLineOrRead) {
    struct Refused {
        std::string text;
        int line;
        const char* part;
    } const refused[] = {
        {"# MHz S MA R 50\n3.5 1.06 -30\n", 2, "outside the Smith chart"},  // beyond any calibration's overshoot
        {"# MHz S DB R 50\n3.5 6 45\n", 2, "outside the Smith chart"},
        {"# MHz S MA R 50\n3.5 1 360\n", 2, "open circuit"},  // 360 degrees is 0, not beside it
        {"# MHz Z RI R 50\n3.5 -0.5 1\n", 2, "negative resistance"},
        {"# GHz S RI R 50\n1e308 0 0\n", 2, "beyond any number"},
        {"# MHz S MA R 50\n3.5 -0.5 10\n", 2, "negative magnitude"},
        {"# MHz GHz S RI R 50\n3.5 0 0\n", 1, "second frequency unit"},
        {"# MHz S RI MA R 50\n3.5 0 0\n", 1, "second data format"},
        {"[Version] 2.0\n# MHz S RI\n[Number of Ports] 1\n[Reference] 75 50 25\n[Network Data]\n3.5 0 0\n", 4,
         "one resistance"},
        {"[Version] 2.0\n# MHz S RI\n[Number of Ports] 1\n[Number of Frequencies] 3\n[Network Data]\n3.5 0 0\n"
         "3.6 0 0\n[End]\n",
         4, "says 3, the file holds 2"},
        {"# MHz S RI R 50\n3.5 0 \x1b[31mred\n", 2, "\\x1B[31mred"},  // no escape reaches a terminal
        {"", 0, "empty"},
        {"\n \n", 0, "empty"},
    };
    for (const Refused& c : refused) {
        const auto r = ReadTouchstone(c.text);
        const auto* e = std::get_if<TouchstoneError>(&r);
        ASSERT_NE(e, nullptr) << c.text;
        EXPECT_EQ(e->line, c.line) << c.text << e->reason;
        EXPECT_NE(e->reason.find(c.part), std::string::npos) << c.text << "\n" << e->reason;
        for (unsigned char ch : e->reason) EXPECT_GE(ch, 0x20) << e->reason;
    }
    const std::string read[] = {
        "\xEF\xBB\xBF# MHz S RI R 50\n3.5 0 0\n3.6 0.2 0.1\n",
        "# MHz S RI R 50\r3.5 0 0\r3.6 0.2 0.1\r",
        "[Version] 2.0\n# MHz S RI\n[Number of Ports] 1\n[Reference]\n50\n[Number of Frequencies] 2\n"
        "[Network Data]\n3.5 0 0\n3.6 0.2 0.1\n[End]\n",
    };
    for (const std::string& text : read) {
        const auto r = ReadTouchstone(text);
        const auto* port = std::get_if<OnePort>(&r);
        ASSERT_NE(port, nullptr) << text << std::get<TouchstoneError>(r).reason;
        ASSERT_EQ(port->f_mhz.size(), 2u) << text;
        EXPECT_NEAR(port->z[0].real(), 50.0, 1e-9) << text;
    }
}

// Files as a calibration leaves them: a lossless delay-short (|S| = 1 within rounding, as a
// calibration kit's model writes it) is a pure reactance on the rim of the Smith chart, and a
// point a little outside it is read and told; beyond 1.05 nothing is a measurement.
TEST(Touchstone, ADelayShortIsOnTheRimAndAnOvershootIsReadAndTold) {
    // A short behind 50 ohms of lossless line, 2 ns each way: S = -exp(-j 2 w tau), in RI.
    std::string delay_short = "! lossless delay-short\n# MHz S RI R 50\n";
    const double tau = 2e-9;
    for (int k = 0; k < 20; ++k) {
        const double f = 10.0 + 0.37 * k;
        const cd s = -std::exp(cd(0.0, -2.0 * 2.0 * std::numbers::pi * f * 1e6 * tau));
        delay_short += ExactText(f) + " " + ExactText(s.real()) + " " + ExactText(s.imag()) + "\n";
    }
    const OnePort rim = Read(delay_short);
    ASSERT_EQ(rim.z.size(), 20u);
    for (std::size_t k = 0; k < rim.z.size(); ++k) {
        // Z = j 50 tan(w tau) for a short behind a line of delay tau.
        const double x = 50.0 * std::tan(2.0 * std::numbers::pi * rim.f_mhz[k] * 1e6 * tau);
        EXPECT_EQ(rim.z[k].real(), 0.0) << rim.f_mhz[k];
        EXPECT_NEAR(rim.z[k].imag(), x, 1e-6 * std::abs(x) + 1e-9) << rim.f_mhz[k];
    }
    EXPECT_EQ(rim.overshoot_points, 0u);
    EXPECT_EQ(OvershootWarning(rim), "");

    // Overshoots of 1.002 and 1.05 are kept with their negative resistance and counted.
    const OnePort over = Read("# MHz S MA R 50\n14.0 0.5 10\n14.1 1.002 20\n14.2 1.05 30\n14.3 0.7 40\n");
    ASSERT_EQ(over.z.size(), 4u);
    const cd s1 = std::polar(1.002, 20.0 * std::numbers::pi / 180.0);
    const cd z1 = 50.0 * (1.0 + s1) / (1.0 - s1);
    EXPECT_NEAR(over.z[1].real(), z1.real(), 1e-9);
    EXPECT_LT(over.z[1].real(), 0.0);
    EXPECT_EQ(over.overshoot_points, 2u);
    EXPECT_DOUBLE_EQ(over.largest_reflection, 1.05);
    EXPECT_EQ(OvershootWarning(over),
              "2 points of the file reflect more than they receive (|S| up to 1.05), a calibration's overshoot: kept "
              "outside the Smith chart with a negative resistance; no tuner is designed there.");
    // Just beyond 1.05 the file is refused at that point's line.
    const auto beyond = ReadTouchstone("# MHz S MA R 50\n14.0 0.5 10\n14.1 1.0501 20\n");
    ASSERT_TRUE(std::holds_alternative<TouchstoneError>(beyond));
    EXPECT_EQ(std::get<TouchstoneError>(beyond).line, 3);
}

}  // namespace qlx::sweep

namespace qlx::sweep {
namespace {

// A file of more points than a sweep may hold is refused as its next point is read: what follows
// (here a line that is no data) is never reached, and the reason is the points' limit.
TEST(Touchstone, ReadingStopsAtThePointLimit) {
    std::string text = "# MHz S RI R 50\n";
    for (int k = 1; k <= 12; ++k) text += std::to_string(k) + " 0.1 0.2\n";
    text += "not a point\n";
    const auto r = ReadTouchstone(text, 10);
    const auto* e = std::get_if<TouchstoneError>(&r);
    ASSERT_NE(e, nullptr);
    EXPECT_EQ(e->line, 0);
    EXPECT_EQ(e->reason, "holds more than 10 points, more than a sweep may hold");
    // At the limit itself the file is read to its end (and its bad line found).
    const auto whole = ReadTouchstone(text, 12);
    ASSERT_NE(std::get_if<TouchstoneError>(&whole), nullptr);
    EXPECT_EQ(std::get<TouchstoneError>(whole).line, 14);
}

}  // namespace
}  // namespace qlx::sweep

namespace qlx::sweep {
namespace {

TEST(Touchstone, WindowsDeviceNamesAreKnownWhateverFollowsADot) {
    const std::pair<const char*, bool> cases[] = {{"CON", true},      {"con.s1p", true},  {"NUL ", true},
                                                  {"COM1", true},     {"lpt9.txt", true}, {"COM0", false},
                                                  {"CONSOLE", false}, {"dipole.s1p", false}, {"", false}};
    for (const auto& [name, device] : cases) EXPECT_EQ(IsWindowsDeviceName(name), device) << name;
}

}  // namespace
}  // namespace qlx::sweep
