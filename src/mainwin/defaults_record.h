// The record TL.DEF keeps, as one value: what each of its 17 lines holds, read by one parser and
// written by one writer, for the main window, the user-defined line, the sweep and qlx-cli.
//
//   1      the length unit, "F" or "M"
//   2-7    the user-defined line: R0, X0, loss in dB per 100 feet, velocity factor, maximum
//          voltage, and the frequency in MHz the loss was given at
//   8-12   window positions "left;top:height,width" in twips: the main window, the graph, the
//          tuner set-up window and its two result pages
//   13     the length, in feet, with a point as decimal mark
//   14     the cable's list position
//   15-17  frequency, resistance and reactance, as typed
#pragma once

#include <array>
#include <string>
#include <vector>

#include "mainwin/defaults_file.h"

namespace qlx {

// Lines 2 to 7 as they are stored: texts, which the dialog reads with its own rules (a damaged
// one is the dialog's to judge).
struct StoredUserLine {
    std::string r0, x0, atten100, vel_factor, vmax, at_mhz;
};

// The first start's values are FirstStartRecord()'s, read from the first start's lines.
struct DefaultsRecord {
    std::string unit;
    StoredUserLine user;
    // The main window, the graph, the tuner set-up window, frmTuner1, frmTuner2.
    std::array<Geometry, 5> windows{};
    std::string length_ft;
    int cable = 0;
    std::string freq, resistance, reactance;
};

// The record of a first start: the file written when there is none.
const DefaultsRecord& FirstStartRecord();

// What a file holds, line by line. A line that is missing or damaged (a position that is not
// four numbers, an entry that is not a plain number, a list position out of the list) leaves its
// field as the first start's and is marked not read: the window then keeps its own value for it,
// and the next save writes that value there. Every other line is still read.
struct ParsedDefaults {
    DefaultsRecord record;
    std::array<bool, kDefaultsLineCount> read{};  // read[0] is line 1
    // Whether each field's line was read.
    bool unit_read() const;
    bool vel_factor_read() const;
    bool window_read(std::size_t k) const;  // k as in DefaultsRecord::windows
    bool length_read() const;
    bool cable_read() const;
    bool freq_read() const;
    bool resistance_read() const;
    bool reactance_read() const;
};
ParsedDefaults ParseDefaults(const std::vector<std::string>& lines);

// The 17 lines of a record. The main window and the tuner windows keep only their position (the
// size part is the first start's); the graph window keeps its size too. A position that is not
// a finite number is written as the first start's.
std::vector<std::string> DefaultsLines(const DefaultsRecord& record, char mark);

}  // namespace qlx
