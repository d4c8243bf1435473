// What the main window promises about TL.DEF: a pasted line break never splits a line, an
// unreadable file is never replaced, odd line ends and marks are read, a damaged line damages only
// itself, the length comes back as it went, and no window size or number that cannot be used is
// written.
#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "support/started_window.h"

namespace qlx {
namespace {

std::string DefaultFileText() {
    std::vector<std::string> lines(DefaultDefaultsLines().begin(), DefaultDefaultsLines().end());
    return JoinDefaultsLines(lines);
}

std::vector<std::string> DefaultLines() { return {DefaultDefaultsLines().begin(), DefaultDefaultsLines().end()}; }

struct Session : testing::StartedWindow {
    explicit Session(std::optional<std::string> file = DefaultFileText(), char mark = '.', bool unreadable = false)
        : StartedWindow(std::move(file), mark, unreadable) {}
    // The window's own close control: the state is saved.
    std::vector<std::string> CloseAndRead() {
        win->CloseRequest(true);
        return SplitDefaultsText(store.content.value_or(""));
    }
};

TEST(DefaultsPromises, APastedLineBreakNeverSplitsALine) {
    Session s;
    s.win->txtResistance.SetText("50\n75");  // a paste of two lines
    EXPECT_EQ(s.win->txtResistance.text(), "5075");
    s.win->txtReactance.SetText("1\r\n2\t\x01");
    EXPECT_EQ(s.win->txtReactance.text(), "12");
    const auto lines = s.CloseAndRead();
    ASSERT_EQ(lines.size(), 17u);
    EXPECT_EQ(lines[15], "5075");
    EXPECT_EQ(lines[16], "12");
    // The next start finds its reactance where it belongs.
    Session next(s.store.content);
    EXPECT_EQ(next.win->txtReactance.text(), "12");
}

TEST(DefaultsPromises, AnUnreadableFileIsNeverReplaced) {
    const std::string own = "F\r\n300\r\n-1\r\n0.1\r\n.8\r\n5000\r\n14\r\n";  // the user's own line
    Session s(own, '.', true);
    EXPECT_EQ(s.win->txtFreq.text(), "3.5");  // working from the built-in values
    s.win->txtFreq.SetText("7");
    s.win->CloseRequest(true);
    EXPECT_EQ(s.store.content, own);
    EXPECT_EQ(s.store.writes, 0);
}

TEST(DefaultsPromises, OddLineEndsAndAByteOrderMarkAreRead) {
    std::string mac;
    for (const auto& l : DefaultLines()) mac += l + "\r";
    mac.replace(0, 1, "M");
    mac.replace(mac.find("449.9"), 5, "300");
    for (const std::string& file : {mac, "\xEF\xBB\xBF" + DefaultFileText()}) {
        Session s(file);
        const bool meters = file[0] == 'M';
        EXPECT_EQ(s.win->optMeters.selected(), meters);
        EXPECT_EQ(s.win->txtFreq.text(), "3.5");
        const auto lines = s.CloseAndRead();
        ASSERT_EQ(lines.size(), 17u);
        EXPECT_EQ(lines[1], meters ? "300" : "449.9");  // the user's record is kept as it was
    }
}

TEST(DefaultsPromises, ADamagedLineDamagesOnlyItself) {
    auto lines = DefaultLines();
    lines[1] = "300";
    lines[7] = std::string(70000, '9');  // the main window's position
    lines[14] = "14";
    std::string text;
    for (const auto& l : lines) text += l + "\r\n";
    Session s(text);
    const auto saved = s.CloseAndRead();
    ASSERT_EQ(saved.size(), 17u);
    EXPECT_EQ(saved[1], "300");  // the user's record survives the damaged line after it
}

TEST(DefaultsPromises, TheLengthComesBackAsItWent) {
    struct Case {
        char mark;
        bool meters;
        const char* typed;
        const char* line13;
        const char* shown_again;
    };
    const Case cases[] = {
        {',', false, "11,592", "11.592", "11,592"},
        {'.', false, "11.592", "11.592", "11.592"},
        {',', true, "3,533", "11.59121", "3,533"},
        {'.', true, "3.533", "11.59121", "3.533"},
    };
    for (const Case& c : cases) {
        Session s(DefaultFileText(), c.mark);
        if (c.meters) s.win->optMeters.Select();
        s.win->txtLength.SetText(c.typed);
        std::optional<std::string> file;
        for (int start = 0; start < 3; ++start) {  // save and start again, three times over
            const auto lines = s.CloseAndRead();
            EXPECT_EQ(lines[12], c.line13) << c.typed;
            file = s.store.content;
            s.win = std::make_unique<MainWindow>(s.host, s.store);
            s.win->Load();
            EXPECT_EQ(s.win->txtLength.text(), c.shown_again) << c.typed << " start " << start;
        }
    }
}

TEST(DefaultsPromises, NoUnusableWindowSizeOrNumberIsWritten) {
    const std::string graph_default(DefaultDefaultsLines()[8]);
    struct Case {
        const char* what;
        std::size_t line;
        const char* text;
        std::size_t check;
        std::string expected;
    };
    const Case cases[] = {
        // Loading ends at a position that is not a number; the window stays where it was created.
        {"not a number", 8, "nan;nan:6456,8484", 7, "0;0:6456,8484"},
        {"graph height beyond the screen", 9, "6825;-15:1E+09,8484", 8, graph_default},
        {"graph of no size", 9, "0;0:0,0", 8, graph_default},
        {"graph of negative size", 9, "0;0:-10,8484", 8, graph_default},
        {"loading stopped before the graph line", 8, "damaged", 8, graph_default},
        // An entry line that holds no number ends loading: the field keeps its built-in value.
        {"a frequency line that is no number", 15, "nan;0:x,32", 14, "3.5"},
        {"a resistance line that is no number", 16, "inf", 15, "50"},
    };
    for (const Case& c : cases) {
        auto lines = DefaultLines();
        lines[c.line - 1] = c.text;
        std::string text;
        for (const auto& l : lines) text += l + "\r\n";
        Session s(text);
        const auto saved = s.CloseAndRead();
        ASSERT_EQ(saved.size(), 17u) << c.what;
        EXPECT_EQ(saved[c.check], c.expected) << c.what;
        for (const std::string& l : saved) {
            EXPECT_EQ(l.find("nan"), std::string::npos) << c.what;
            EXPECT_EQ(l.find("inf"), std::string::npos) << c.what;
        }
    }
}

}  // namespace
}  // namespace qlx
