// What the commands of qlx-cli share: the session (the main window as at a first start), typing
// the line options into it, and printing fields, values and messages.
#pragma once

#include <initializer_list>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include <nlohmann/json.hpp>

#include "cli/cli_host.h"
#include "cli/options.h"
#include "mainwin/defaults_file.h"
#include "mainwin/main_window.h"

namespace qlx::cli {

// Objects keep the order in which the windows show their fields.
using json = nlohmann::ordered_json;
using FieldList = std::vector<std::pair<std::string, std::string>>;
using Args = std::vector<std::string_view>;

inline constexpr int kExitOk = 0;
inline constexpr int kExitDesignFailed = 1;  // also: the output could not be written
inline constexpr int kExitBadInput = 2;

extern const char* const kLineOptionsHelp;
extern const char* const kUsage;

// Reports a bad command line on standard error; returns the exit status of bad input.
int Fail(const Failure& f, const char* usage);

// Where qlx-cli keeps the user's own cables: the file QLX_CABLES_FILE names (for scripts and tests
// that must leave the user's alone), else QLX cables.txt where the program keeps it (beside the
// program, or in the user's configuration folder where that folder cannot be written).
std::unique_ptr<DefaultsStore> UserCablesStore();

// The main window as at a first start: the user's TL.DEF is never read or written; the user's
// own cables are listed after the catalogue.
struct Session {
    Session() {
        w.Load();
        // What starting said of the cables file went to standard error: it is no result's message.
        host.messages.clear();
    }
    CliHost host;
    MemoryDefaultsStore store;
    std::unique_ptr<DefaultsStore> cables = UserCablesStore();
    MainWindow w{host, store, cables.get()};
};

// Types a text into a field and leaves it, as a user does.
void Type(form::TextField& field, const std::string& text);

// The line options every line command takes, their check, and typing them into the window.
// ApplyLine is false when the options are wrong or an entry rule rejected a value (its message
// is then on standard error already).
// The valued line options, with those of a command.
std::set<std::string> LineOptionsAnd(std::initializer_list<const char*> more);
bool CheckLineOptions(const Options& o, Failure& failure);
bool ApplyLine(Session& s, const Options& o, Failure& failure);

// The main window's fields in reading order, and the numbers behind them.
FieldList LineFields(MainWindow& w);
json LineValues(const MainWindow& w);

// The fields as "name: text" lines, or one JSON object with the values, any extra members
// (the graph's points, a tuner's design) and the messages shown.
int Print(const Session& s, const FieldList& fields, const json& values, bool as_json,
          const json& extra = json::object());

// The transmitter power typed into the set-up window: 0 to 5 MW, its range ("Up to 5 MW").
bool CheckPower(const Options& o, const TunerWindow& tuner, Failure& failure);


// Runs the command the arguments name (the first of them); returns the exit status.
int Dispatch(std::vector<std::string_view> args);

int Cables(const Args& args);
int Cable(const Args& args);
int Line(const Args& args);
int Graph(const Args& args);
int Bridge(const Args& args);
int Analyser(const Args& args);
int Tuner(const Args& args);
int Plan(const Args& args);

// The tuner window's settings as options, each typed into its field as a user would; their check
// (the window's own rules and messages); and a one-port file read as an antenna.
struct SettingOption {
    const char* name;
    form::TextField TunerWindow::*field;
};
extern const SettingOption kTunerSettings[8];
bool CheckTunerSettings(const Options& o, Failure& failure);
std::optional<tuner::MeasuredAntenna> ReadAntennaFile(Session& s, const std::string& file, bool at_load,
                                                      Failure& failure);
int Sweep(const Args& args);

}  // namespace qlx::cli
