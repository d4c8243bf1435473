#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "mainwin/main_window.h"
#include "support/scripted_host.h"

namespace qlx {
namespace {

using form::Answer;
using testing::ScriptedHost;

std::string DefaultFileText() {
    return "F\r\n449.9\r\n-0.96\r\n0.045\r\n.91\r\n10000\r\n3.5\r\n-15;0:6456,8484\r\n"
           "6825;-15:6468,8484\r\n6345;540:6444,8460\r\n-75;4560:6444,8460\r\n"
           "6945;4635:6456,8460\r\n100.000\r\n3\r\n3.5\r\n50.000\r\n0.000\r\n";
}

// A started main window over a scripted host and a file in memory.
struct Fixture {
    explicit Fixture(std::optional<std::string> file = DefaultFileText(), char mark = '.') {
        host.mark = mark;
        store.content = std::move(file);
        win = std::make_unique<MainWindow>(host, store);
        win->Load();
    }
    // Types a text one character at a time, as a keyboard does.
    void Type(form::TextField& field, const std::string& text) {
        field.SetText("");
        for (std::size_t i = 1; i <= text.size(); ++i) field.SetText(text.substr(0, i));
    }
    std::vector<std::string> FileLines() { return SplitDefaultsText(store.content.value_or("")); }

    ScriptedHost host;
    MemoryDefaultsStore store;
    std::unique_ptr<MainWindow> win;
};

TEST(MainWindowStartUp, FirstStartWritesTheDefaultFileAndKeepsTheBuiltInEntries) {
    Fixture f(std::nullopt);
    ASSERT_TRUE(f.store.content.has_value());
    EXPECT_EQ(*f.store.content, DefaultFileText());
    MainWindow& w = *f.win;
    EXPECT_EQ(w.txtFreq.text(), "3.5");
    EXPECT_EQ(w.txtLength.text(), "100.000");
    EXPECT_EQ(w.txtResistance.text(), "50");
    EXPECT_EQ(w.txtReactance.text(), "0");
    EXPECT_EQ(w.cboPickCable.position(), 3);
    EXPECT_EQ(w.cboPickCable.items().size(), 33u);
    EXPECT_TRUE(w.optFeet.selected());
    EXPECT_TRUE(w.optLoad.selected());
    EXPECT_TRUE(w.optNormal.selected());
    EXPECT_TRUE(w.optVoltCurr.selected());
    EXPECT_EQ(w.window.left(), -15);
    EXPECT_EQ(w.frmVolt.window.width(), 8484);
    // RG-8A at 3.5 MHz: exp(0.55 ln 3.5 - 1.8) = 0.3292 dB per 100 feet.
    EXPECT_EQ(w.txtMLPer.text(), "0.329");
    EXPECT_EQ(w.txtMLTot.text(), "0.329");
    EXPECT_EQ(w.txtVF.text(), "0.66");
    EXPECT_EQ(w.txtVoltage.text(), "3700");
    EXPECT_EQ(w.txtLoadSWR.fore(), form::kBlue);
    EXPECT_TRUE(f.host.messages.empty());
}

TEST(MainWindowStartUp, LoaderAppliesTheFileAndSkipsOnlyADamagedLine) {
    auto with_lines = [](std::vector<std::string> lines) {
        std::string text;
        for (auto& l : lines) text += l + "\r\n";
        return text;
    };
    std::vector<std::string> lines = SplitDefaultsText(DefaultFileText());

    // Line 1: blanks and case do not matter; anything but F means meters.
    for (const auto& [unit, meters] : std::vector<std::pair<std::string, bool>>{
             {" m ", true}, {"x", true}, {"f", false}, {"F", false}}) {
        auto l = lines;
        l[0] = unit;
        Fixture f(with_lines(l));
        EXPECT_EQ(f.win->optMeters.selected(), meters) << "'" << unit << "'";
        EXPECT_EQ(f.win->Ft, meters ? "M" : "F");
    }
    {  // The stored length is in feet; a comma is read as a decimal mark, as a point is.
        auto l = lines;
        l[0] = "M";
        Fixture f(with_lines(l));
        EXPECT_EQ(f.win->txtLength.text(), "30.480");
        EXPECT_EQ(f.win->lblUnit.caption(), "Meters");
        l[0] = "F";
        l[12] = "30,5";
        Fixture g(with_lines(l));
        EXPECT_EQ(g.win->txtLength.text(), "30.500");
    }
    {  // All four numbers of the graph window are applied.
        auto l = lines;
        l[8] = "100;200:300,40000";
        Fixture f(with_lines(l));
        EXPECT_EQ(f.win->frmVolt.window.left(), 100);
        EXPECT_EQ(f.win->frmVolt.window.top(), 200);
        EXPECT_EQ(f.win->frmVolt.window.height(), 300);
        EXPECT_EQ(f.win->frmVolt.window.width(), 40000);
    }
    {  // Entries as typed, a list position with blanks.
        auto l = lines;
        l[13] = " 17 ";
        l[14] = "14,2";
        l[15] = "75";
        l[16] = "-25";
        Fixture f(with_lines(l), ',');
        EXPECT_EQ(f.win->cboPickCable.position(), 17);
        EXPECT_EQ(f.win->txtFreq.text(), "14,2");
        EXPECT_EQ(f.win->txtResistance.text(), "75");
        EXPECT_EQ(f.win->txtReactance.text(), "-25");
        EXPECT_EQ(f.win->txtLength.text(), "100,000");
    }
    {  // A file of 12 lines: positions applied, entries and cable as built in.
        auto l = lines;
        l.resize(12);
        l[7] = "300;450:6456,8484";
        l[0] = "M";
        Fixture f(with_lines(l));
        EXPECT_EQ(f.win->window.left(), 300);
        EXPECT_EQ(f.win->frmTuner.frmTuner2.window.left(), 6945);
        EXPECT_EQ(f.win->txtFreq.text(), "3.5");
        EXPECT_EQ(f.win->cboPickCable.position(), 3);
        EXPECT_TRUE(f.win->optMeters.selected());
        EXPECT_EQ(f.win->txtLength.text(), "30.480");
    }
    {  // A geometry line without its separators is skipped; the lines after it are read.
        auto l = lines;
        l[9] = "6345 540";
        l[14] = "7";
        Fixture f(with_lines(l));
        EXPECT_EQ(f.win->frmVolt.window.left(), 6825);
        EXPECT_FALSE(f.win->frmTuner.window.created());
        EXPECT_EQ(f.win->frmTuner.frmTuner2.window.left(), 6945);
        EXPECT_EQ(f.win->txtFreq.text(), "7");
    }
    {  // A list position outside the list is not applied.
        auto l = lines;
        l[13] = "40";
        l[14] = "7";
        Fixture f(with_lines(l));
        EXPECT_EQ(f.win->cboPickCable.position(), 3);
        EXPECT_EQ(f.win->txtFreq.text(), "7");
    }
    {  // Position 32 opens the user-defined line dialog during start-up.
        auto l = lines;
        l[13] = " 32 ";
        Fixture f(with_lines(l));
        EXPECT_EQ(f.win->cboPickCable.position(), 32);
        EXPECT_EQ(f.host.modal_shown, std::vector<std::string>{"frmOtrCable"});
        EXPECT_EQ(f.win->frmOtrCable.txtR0.text(), "449.900");
        EXPECT_EQ(f.win->txtZ0.text(), "449.9 - j 0.96");
    }
    {  // Hostile content: one enormous line without an end.
        Fixture f(std::string(10'000'000, '9'));
        EXPECT_EQ(f.win->txtFreq.text(), "3.5");
        EXPECT_EQ(f.win->cboPickCable.position(), 3);
    }
}

// A hand-edited or damaged line loses only itself: every other line is loaded, and the next save
// writes the field's own value into the damaged line and keeps the rest as the user left them.
TEST(MainWindowStartUp, ADamagedLineLosesNothingElseAtTheNextSave) {
    std::vector<std::string> good = SplitDefaultsText(DefaultFileText());
    good[13] = " 17 ";   // RG-213
    good[14] = "14";
    good[15] = "200";
    good[16] = "-100";
    good[12] = "123.400";
    struct Case {
        const char* what;
        std::size_t line;  // 1-based
        const char* damaged;
        const char* saved;  // what the next save writes there
    } const cases[] = {
        {"a resistance with its unit", 16, "75 ohms", "50"},
        {"a damaged main window position", 8, "-15;zero", "0;0:6456,8484"},  // where the window is
        {"an empty reactance", 17, "", "0"},
        {"a cable position that is no number", 14, "RG-213", " 3 "},
    };
    for (const Case& c : cases) {
        std::vector<std::string> l = good;
        l[c.line - 1] = c.damaged;
        std::string text;
        for (auto& x : l) text += x + "\r\n";
        Fixture f(text);
        MainWindow& w = *f.win;
        // Every other line is loaded.
        if (c.line != 14) {
            EXPECT_EQ(w.cboPickCable.position(), 17) << c.what;
        }
        if (c.line != 15) {
            EXPECT_EQ(w.txtFreq.text(), "14") << c.what;
        }
        if (c.line != 16) {
            EXPECT_EQ(w.txtResistance.text(), "200") << c.what;
        }
        if (c.line != 17) {
            EXPECT_EQ(w.txtReactance.text(), "-100") << c.what;
        }
        EXPECT_EQ(w.txtLength.text(), "123.400") << c.what;
        // The exit's save: the damaged line holds the field's value, the others are kept.
        w.CloseRequest(true);
        const auto saved = SplitDefaultsText(f.store.content.value_or(""));
        ASSERT_EQ(saved.size(), 17u) << c.what;
        for (std::size_t k = 0; k < 17; ++k) {
            if (k + 1 == c.line) {
                EXPECT_EQ(saved[k], c.saved) << c.what;
            } else if (k != 13) {
                EXPECT_EQ(saved[k], l[k]) << c.what << " line " << k + 1;
            }
        }
    }
}

TEST(MainWindowEntry, FrequencyTypedCharacterByCharacter) {
    Fixture f;
    MainWindow& w = *f.win;
    struct Step {
        const char* text;
        bool computes;
    };
    // 0, 0. and 0.0 are half-typed; 0.05 is a frequency.
    for (const Step& s : {Step{"0", false}, Step{"0.", false}, Step{"0.0", false}, Step{"0.05", true}}) {
        const int before = w.compute_runs();
        w.txtFreq.SetText(s.text);
        EXPECT_EQ(w.compute_runs() > before, s.computes) << s.text;
    }
    EXPECT_FLOAT_EQ(w.line().freq, 0.05f);

    // A leading decimal mark waits until the digits after it reach 2.5, without a range check.
    for (char mark : {'.', ','}) {
        const std::string m(1, mark);
        for (const Step& s : {Step{"1", false}, Step{"2", false}, Step{"3", true}, Step{"01", false},
                              Step{"015", true}}) {
            w.txtFreq.SetText("5");
            const int before = w.compute_runs();
            w.txtFreq.SetText(m + s.text);
            EXPECT_EQ(w.compute_runs() > before, s.computes) << m + s.text;
        }
    }
    EXPECT_FLOAT_EQ(w.line().freq, 0.015f);
    EXPECT_TRUE(f.host.messages.empty());
}

TEST(MainWindowEntry, FrequencyRangeAndTidyUp) {
    Fixture f;
    MainWindow& w = *f.win;
    for (const auto& [text, ok] : std::vector<std::pair<std::string, bool>>{
             {"5000", true}, {"0.02", true}, {"5000.1", false}, {"0.01", false}, {"-7", false}}) {
        f.host.messages.clear();
        w.txtFreq.SetText("3");
        w.txtFreq.SetText(text);
        if (ok) {
            EXPECT_TRUE(f.host.messages.empty()) << text;
            EXPECT_EQ(w.txtFreq.text(), text);
        } else {
            ASSERT_EQ(f.host.messages.size(), 1u) << text;
            EXPECT_EQ(f.host.messages[0].title, "Bad Frequency!");
            EXPECT_EQ(f.host.messages[0].text, "Enter frequency more than 20 kHz, less than 5000 MHz");
            EXPECT_EQ(w.txtFreq.text(), "3.5");
            EXPECT_FLOAT_EQ(w.line().freq, 3.5f);
        }
    }
    for (const auto& [typed, shown] : std::vector<std::pair<std::string, std::string>>{
             {"14", "14.0"}, {"7.12345", "7.123"}, {"", "3.5"}, {"0", "3.5"}}) {
        w.txtFreq.SetText(typed);
        w.txtFreq.LoseFocus();
        EXPECT_EQ(w.txtFreq.text(), shown) << "'" << typed << "'";
    }
    Fixture c(DefaultFileText(), ',');
    c.win->txtFreq.SetText("14");
    c.win->txtFreq.LoseFocus();
    EXPECT_EQ(c.win->txtFreq.text(), "14,0");
    c.win->txtFreq.SetText("0,01");
    EXPECT_EQ(c.win->txtFreq.text(), "3,5");
}

TEST(MainWindowEntry, LengthRules) {
    Fixture f;
    MainWindow& w = *f.win;
    // A quarter wave of RG-8A (VF 0.66) at 14 MHz: 0.25 x 983.571 x 0.66 / 14 = 11.592 feet,
    // 0.25 x 299.791848 x 0.66 / 14 = 3.533 meters.
    w.txtFreq.SetText("14");
    w.txtLength.SetText("0.25w");
    EXPECT_EQ(w.txtLength.text(), "11.592");
    w.optMeters.Select();
    w.txtLength.SetText("0.25W");
    EXPECT_EQ(w.txtLength.text(), "3.533");
    w.optFeet.Select();

    for (const char* bad : {"10000", "-5"}) {
        f.host.messages.clear();
        w.txtLength.SetText(bad);
        ASSERT_EQ(f.host.messages.size(), 1u) << bad;
        EXPECT_EQ(f.host.messages[0].title, "Bad Length!");
        EXPECT_EQ(f.host.messages[0].text, "Length should be < 9999");
        EXPECT_EQ(w.txtLength.text(), "9999");
    }
    // Half-typed fractions and an empty field wait; a plain 0 is a line of no length.
    for (const char* partial : {"0,", "0.", ""}) {
        w.txtLength.SetText("12");
        const int before = w.compute_runs();
        w.txtLength.SetText(partial);
        EXPECT_EQ(w.compute_runs(), before) << "'" << partial << "'";
    }
    w.txtLength.SetText("");
    w.txtLength.LoseFocus();
    EXPECT_EQ(w.txtLength.text(), "0");
    EXPECT_EQ(w.txtMLTot.text(), "0.000");
}

TEST(MainWindowEntry, UnitSwitchConvertsTheLengthOncePerSwitch) {
    Fixture f;
    MainWindow& w = *f.win;
    w.optMeters.Select();
    EXPECT_EQ(w.txtLength.text(), "30.480");
    EXPECT_EQ(w.lblUnit.caption(), "Meters");
    EXPECT_EQ(w.lbldBPer.caption(), "dB/100 Meters");
    w.optMeters.Select();  // already selected: no second conversion
    EXPECT_EQ(w.txtLength.text(), "30.480");
    w.optFeet.Select();
    EXPECT_EQ(w.txtLength.text(), "100.000");
    EXPECT_EQ(w.lbldBPer.caption(), "dB/100 Feet");
}

TEST(MainWindowEntry, ImpedanceEntriesAndEnds) {
    Fixture f;
    MainWindow& w = *f.win;
    w.txtResistance.SetText("-50");
    EXPECT_EQ(w.txtResistance.text(), "50");
    w.txtResistance.SetText("");
    w.txtResistance.LoseFocus();
    EXPECT_EQ(w.txtResistance.text(), "0.00001");
    w.txtReactance.SetText("");
    w.txtReactance.LoseFocus();
    EXPECT_EQ(w.txtReactance.text(), "0");

    w.optInput.Select();
    EXPECT_EQ(w.lblInputZ.caption(), "Impedance at Load: ");
    EXPECT_EQ(w.lblRho.caption(), "Rho at Input: ");
    w.optLoad.Select();
    EXPECT_EQ(w.lblInputZ.caption(), "Impedance at Input: ");
    EXPECT_EQ(w.lblRho.caption(), "Rho at Load: ");
}

TEST(MainWindowEntry, InstrumentSourcesAreMomentary) {
    Fixture f;
    MainWindow& w = *f.win;
    bool normal_during_dialog = true;
    f.host.on_modal["frmNB"] = [&](form::Window&) { normal_during_dialog = w.optNormal.selected(); };
    w.optNoiseBridge.Select();
    EXPECT_FALSE(normal_during_dialog);
    EXPECT_TRUE(w.optNormal.selected());
    EXPECT_TRUE(w.optLoad.selected());
    w.optAutek.Select();
    EXPECT_TRUE(w.optNormal.selected());
    EXPECT_EQ(f.host.modal_shown, (std::vector<std::string>{"frmNB", "frmAutek"}));
}

TEST(MainWindowExit, ConfirmedExitAndCloseSaveTheState) {
    {  // Meters and 30.48: the file keeps feet.
        Fixture f;
        f.win->optMeters.Select();
        f.win->txtLength.SetText("30.48");
        f.host.answers = {Answer::Yes};
        f.win->cmdQuit.Click();
        EXPECT_EQ(f.host.messages.at(0).text, "Are you sure you want to Exit?");
        EXPECT_EQ(f.host.quits, 1);
        const auto lines = f.FileLines();
        ASSERT_EQ(lines.size(), 17u);
        EXPECT_EQ(lines[0], "M");
        EXPECT_EQ(lines[12], "100.000");
        EXPECT_EQ(lines[13], " 3 ");
        EXPECT_FALSE(f.win->window.created());
    }
    {  // Feet: the length text as typed; the other entries as typed.
        Fixture f;
        f.win->txtLength.SetText("12.5");
        f.win->txtFreq.SetText("7.1");
        f.win->cboPickCable.Choose(17);
        f.win->window.Move(1200, 345);
        f.host.answers = {Answer::Yes};
        f.win->cmdQuit.Click();
        const auto lines = f.FileLines();
        EXPECT_EQ(lines[7], "1200;345:6456,8484");
        EXPECT_EQ(lines[12], "12.5");
        EXPECT_EQ(lines[13], " 17 ");
        EXPECT_EQ(lines[14], "7.1");
        EXPECT_EQ(lines[15], "50.000");
        EXPECT_EQ(lines[1], "449.9");  // the user-defined line is kept as it was
    }
    {  // No: nothing written, nothing ended.
        Fixture f;
        const int writes = f.store.writes;
        f.host.answers = {Answer::No};
        f.win->cmdQuit.Click();
        EXPECT_EQ(f.store.writes, writes);
        EXPECT_EQ(f.host.quits, 0);
    }
    {  // The title bar's close writes without a question; a graph window wider than the
       // screen is stored at its default place.
        Fixture f;
        f.win->frmVolt.window.SetGeometry(10, 20, 3000, 99999);
        EXPECT_TRUE(f.win->CloseRequest(true));
        EXPECT_TRUE(f.host.messages.empty());
        EXPECT_EQ(f.host.quits, 1);
        EXPECT_EQ(f.FileLines().at(8), "6825;-15:6468,8484");
    }
    {  // A close that the user did not ask for saves nothing.
        Fixture f;
        const int writes = f.store.writes;
        EXPECT_TRUE(f.win->CloseRequest(false));
        EXPECT_EQ(f.store.writes, writes);
    }
}

TEST(MainWindowExit, FailedWriteLosesNothingAndCarriesOn) {
    Fixture f;
    const std::string before = *f.store.content;
    f.store.fail_writes = true;
    f.win->txtFreq.SetText("21");
    EXPECT_TRUE(f.win->CloseRequest(true));
    EXPECT_EQ(*f.store.content, before);
    EXPECT_EQ(f.host.quits, 1);
    EXPECT_TRUE(f.host.messages.empty());

    // Without any file to take the user-defined line from, its defaults are written.
    Fixture g;
    g.store.content.reset();
    g.host.answers = {Answer::Yes};
    g.win->cmdQuit.Click();
    EXPECT_EQ(g.FileLines().at(1), "449.9");
    EXPECT_EQ(g.FileLines().at(6), "3.5");
}

TEST(MainWindowPrint, AnsweredNoChangesNothing) {
    Fixture f;
    f.win->txtZ0.SetBack(form::kLightGrey);
    f.win->cmdPrint.Click();
    EXPECT_EQ(f.host.messages.at(0).text, "Are you sure you want to print? ");
    EXPECT_TRUE(f.host.printed.empty());
    EXPECT_EQ(f.win->txtZ0.back(), form::kLightGrey);
    EXPECT_EQ(f.win->window.back(), form::kButtonFace);
}

TEST(MainWindowPrint, PrintsOnWhiteAndRestoresEvenWhenThePrinterFails) {
    for (bool printer_ok : {true, false}) {
        Fixture f;
        MainWindow& w = *f.win;
        form::Colour label_while_printing = 0, entry_while_printing = 0, window_while_printing = 0;
        f.host.on_print = [&](form::Window& win) {
            label_while_printing = w.lblZ0.back();
            entry_while_printing = w.txtFreq.back();
            window_while_printing = win.back();
        };
        f.host.print_ok = printer_ok;
        f.host.answers = {Answer::Yes, Answer::Cancel};
        // Every colour as it was before the print, the program's name and the polar boxes too.
        std::vector<form::Colour> before;
        for (form::Control* c : w.window.controls()) before.push_back(c->back());
        w.cmdPrint.Click();
        EXPECT_EQ(f.host.printed, std::vector<std::string>{"frmQLX2"});
        EXPECT_EQ(label_while_printing, form::kWhite);
        EXPECT_EQ(window_while_printing, form::kWhite);
        EXPECT_EQ(entry_while_printing, form::kWhite);  // an entry keeps its own colour
        std::size_t k = 0;
        for (form::Control* c : w.window.controls()) EXPECT_EQ(c->back(), before[k++]) << c->name();
        EXPECT_EQ(w.window.back(), form::kButtonFace);
        if (printer_ok) {
            EXPECT_EQ(f.host.messages.size(), 1u);
        } else {
            ASSERT_EQ(f.host.messages.size(), 2u);
            EXPECT_EQ(f.host.messages[1].text, "Printer problem. ");
            EXPECT_EQ(f.host.messages[1].title, "QLX");
            EXPECT_EQ(f.host.messages[1].buttons, form::Buttons::CancelTryAgainContinue);
        }
    }
}

// Try Again prints again; a host that cannot save a PDF treats that answer as one more try.
TEST(MainWindowPrint, TryAgainPrintsAgainUntilTheUserGoesOn) {
    Fixture f;
    f.host.print_ok = false;
    f.host.answers = {Answer::Yes, Answer::TryAgain, Answer::SavePdf, Answer::Continue};
    f.win->cmdPrint.Click();
    EXPECT_EQ(f.host.printed.size(), 3u);
    EXPECT_EQ(f.host.messages.size(), 4u);
}

TEST(MainWindowHelp, OpensTheManualOrSaysItIsNotAvailable) {
    Fixture f;
    f.win->cmdHelp.Click();
    EXPECT_EQ(f.host.opened, std::vector<std::string>{"/opt/qlx/QLX.PDF"});
    EXPECT_TRUE(f.host.messages.empty());
    f.host.open_result = form::OpenResult::FileNotFound;
    f.win->cmdHelp.Click();
    ASSERT_EQ(f.host.messages.size(), 1u);
    EXPECT_EQ(f.host.messages[0].text, "QLX.PDF or Adobe Reader not available.");
    EXPECT_EQ(f.host.messages[0].title, "QLX3");
    // The window stays usable.
    f.win->txtFreq.SetText("10");
    EXPECT_EQ(f.win->txtMLPer.text(), "0.587");
}

// A result the window marks carries its status and reason; the ink every host shows is the one
// that reads on white and on the window faces, and every chart's curves reach 3:1 on white.
TEST(MainWindowStatus, MarkedResultsCarryAStatusAndEveryInkIsReadable) {
    Fixture f;
    MainWindow& w = *f.win;
    struct Case {
        const char *r, *x;
        form::Status load;
    };
    // Near a pure reactance RG-8A's complex Z0 gives |rho| above 1 at the load (SWR -942.19).
    for (const Case& c : {Case{"0", "5", form::Status::Impossible}, Case{"50", "0", form::Status::Normal}}) {
        f.Type(w.txtResistance, c.r);
        f.Type(w.txtReactance, c.x);
        EXPECT_EQ(w.txtLoadSWR.status(), c.load) << w.txtLoadSWR.text();
        EXPECT_EQ(w.txtLoadSWR.shown_tip().empty(), c.load == form::Status::Normal);
        EXPECT_EQ(w.txtLoadSWR.shown_fore(), c.load == form::Status::Normal ? form::kBlue : form::kStatusInk);
        EXPECT_EQ(w.txtInputSWR.status(), form::Status::Normal) << w.txtInputSWR.text();
    }

    EXPECT_NEAR(form::Contrast(form::kBlack, form::kWhite), 21.0, 1e-9);
    EXPECT_NEAR(form::Contrast(0x777777, form::kWhite), 4.48, 0.01);  // the usual "just fails AA" grey
    for (form::Colour face : {form::kWhite, form::Colour{0xD4D0C8}, form::Colour{0xEFEFEF}})
        EXPECT_GE(form::Contrast(form::kStatusInk, face), 4.5) << std::hex << face;
    std::vector<std::pair<std::string, form::Colour>> curves{{"voltage", GraphWindow::Chart::kSeries0.line},
                                                             {"current", GraphWindow::Chart::kSeries1.line}};
    for (const sweep::SweepPlot& p : w.frmSweep.Plots())
        for (const sweep::SweepCurve& c : p.curves) curves.emplace_back(c.name, c.colour);
    for (const auto& [name, colour] : curves) EXPECT_GE(form::Contrast(colour, form::kWhite), 3.0) << name;
    EXPECT_NE(GraphWindow::Chart::kSeries0.dashed, GraphWindow::Chart::kSeries1.dashed);
}

}  // namespace
}  // namespace qlx

namespace qlx {
namespace {

// The cables file as the main window keeps it: a file that cannot be read is reported once and
// never written; a write that fails changes neither the file nor the list; a saved cable is
// listed, chosen is solved as a catalogue line is, and TL.DEF then keeps the catalogue's position
// chosen last (its lists end at 32).
TEST(MainWindowOwnCables, TheFileIsKeptAsTLDefIsAndTheListFollowsIt) {
    const OwnCable cable{"Mine", 75.0, 0.8, 0.0, 0.2, 0.001, "test", {}, {}};
    const struct {
        bool unreadable, fail_writes;
        const char* refused;  // the start of SaveOwnCable's reason, or nothing
    } cases[] = {{false, false, nullptr}, {true, false, "QLX cables.txt cannot be read"}, {false, true, "QLX cables.txt could not"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.refused ? c.refused : "saved");
        testing::ScriptedHost host;
        MemoryDefaultsStore store(DefaultFileText()),
            cables(std::string(kCablesHeader) + "\r\nOld\t50\t0.66\t0\t0.1\t0\r\nbroken\r\n");
        cables.unreadable = c.unreadable;
        cables.fail_writes = c.fail_writes;
        MainWindow w(host, store, &cables);
        w.Load();
        // One message at start: the line that is not a cable, or the file that cannot be read.
        ASSERT_EQ(host.messages.size(), 1u);
        const std::size_t listed = w.cboPickCable.items().size();
        EXPECT_EQ(listed, c.unreadable ? 33u : 34u);
        const auto refused = w.SaveOwnCable(cable);
        EXPECT_EQ(cables.writes, c.refused ? 0 : 1);
        if (c.refused) {
            ASSERT_TRUE(refused.has_value());
            EXPECT_EQ(refused->rfind(c.refused, 0), 0u) << *refused;
            EXPECT_EQ(w.cboPickCable.items().size(), listed);
            continue;
        }
        EXPECT_FALSE(refused.has_value());
        // Written back: the old cable, the damaged line as it stood, the new cable.
        EXPECT_NE(cables.content->find("Old\t50\t0.66\t0\t0.1\t0\r\nbroken\r\nMine\t75\t"), std::string::npos);
        ASSERT_EQ(w.cboPickCable.items().size(), 35u);
        EXPECT_EQ(w.cboPickCable.items()[34], " Mine");
        w.cboPickCable.Choose(34);
        EXPECT_EQ(w.txtZ0.text().substr(0, 8), "75.0 - j");
        EXPECT_EQ(w.txtVF.text(), "0.8");
        w.SaveDefaults();
        EXPECT_EQ(SplitDefaultsText(*store.content).at(13), " 3 ");
    }
}

}  // namespace
}  // namespace qlx

namespace qlx {
namespace {

// What a restart finds again, kept in QLX settings.ini while TL.DEF keeps its 17 lines: the graph's
// kind, the tuner's network and settings, the sweep's points, spacing and end, the plan's region
// and a cable of one's own; a line that is no setting is ignored, a key of a later version kept.
TEST(MainWindowSettings, ARestartFindsTheWindowsAsTheyWere) {
    testing::ScriptedHost host;
    MemoryDefaultsStore store(DefaultFileText()), cables(std::string(kCablesHeader) + "\r\nMine\t75\t0.8\t0\t0.2\t0\r\n"),
        settings("garbage without an equals sign\r\nlater.key=kept\r\nsweep.file=/gone/dipole.s1p\r\n");
    {
        MainWindow w(host, store, &cables, &settings);
        w.Load();
        w.optResisReac.Select();
        w.frmTuner.optPiNet.Select();
        w.frmTuner.txtTxPwr.SetText("400");
        w.frmPlan.optRegion2.Select();
        w.frmSweep.txtPoints.SetText("51");
        w.frmSweep.optLog.Select();
        w.cboPickCable.Choose(33);
        w.SaveDefaults();
    }
    const auto tl_def = SplitDefaultsText(*store.content);
    ASSERT_EQ(tl_def.size(), 17u);
    EXPECT_EQ(tl_def[13], " 3 ");  // the catalogue's position, as other programs read it
    EXPECT_NE(settings.content->find("later.key=kept"), std::string::npos);
    EXPECT_NE(settings.content->find("sweep.file=/gone/dipole.s1p"), std::string::npos);  // not opened yet: kept
    EXPECT_EQ(settings.content->find("garbage"), std::string::npos);

    MainWindow again(host, store, &cables, &settings);
    again.Load();
    EXPECT_TRUE(again.optResisReac.selected());
    EXPECT_TRUE(again.frmTuner.optPiNet.selected());
    EXPECT_EQ(again.frmTuner.txtTxPwr.text(), "400");
    EXPECT_TRUE(again.frmPlan.optRegion2.selected());
    EXPECT_EQ(again.frmSweep.txtPoints.text(), "51");
    EXPECT_TRUE(again.frmSweep.optLog.selected());
    EXPECT_EQ(again.cboPickCable.position(), 33);
    EXPECT_EQ(again.txtZ0.text().substr(0, 4), "75.0");
    // The last file is opened as the sweep window first opens; one that is gone is told.
    const std::size_t told = host.messages.size();
    again.cmdSweep.Click();
    ASSERT_EQ(host.messages.size(), told + 1);
    EXPECT_NE(host.messages.back().text.find("dipole.s1p does not exist"), std::string::npos) << host.messages.back().text;
}

}  // namespace
}  // namespace qlx

namespace qlx {
namespace {

// A stub's single reading in the window: 0.303 m of 300-ohm ribbon a quarter wave at 209 MHz is
// 0.3586 m long electrically, velocity factor 0.845 (299.792458 / 209 / 4 = 0.3586 m); no loss,
// so nothing to keep.
TEST(OwnCableWindowStub, AQuarterWaveReadingGivesTheVelocityFactor) {
    OwnCableWindow w;
    w.optStub.Select();
    EXPECT_FALSE(w.txtOpenFile.visible());
    EXPECT_TRUE(w.txtQuarterWave.visible());
    w.txtSampleLength.SetText("0.303");
    w.optSampleMeters.Select();
    w.txtQuarterWave.SetText("209");
    ASSERT_TRUE(w.Calculate());
    EXPECT_EQ(w.txtCableVF.text(), "0.845");
    EXPECT_NE(w.lblStatus.caption().find("Electrical length 0.3586 m"), std::string::npos) << w.lblStatus.caption();
    EXPECT_FALSE(w.cmdSave.enabled());
}

}  // namespace
}  // namespace qlx
