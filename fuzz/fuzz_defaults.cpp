// The TL.DEF loader: any file content at start-up, then the save at exit. Invariants: the saved
// file has its 17 lines, no control character and no non-finite number, and the user's record
// (lines 2 to 7) that could be read is kept as it was read.
#include <cstdint>
#include <string>
#include <vector>

#include "core/format.h"
#include "invariants.h"
#include "mainwin/main_window.h"
#include "support/scripted_host.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string file(reinterpret_cast<const char*>(data), size);
    qlx::testing::ScriptedHost host;
    qlx::MemoryDefaultsStore store(file);
    {
        qlx::MainWindow w(host, store);
        w.Load();
        for (const qlx::form::TextField* t : {&w.txtImpedIn, &w.txtZ0, &w.txtLoadSWR, &w.txtInputSWR,
                                               &w.txtTotalLoss, &w.txtPolarZ, &w.txtPolarDegree})
            qlx::fuzz::RequireNumberText(t->text(), "a result after loading");
        w.CloseRequest(true);
    }
    const std::vector<std::string> read = qlx::SplitDefaultsText(file);
    const std::vector<std::string> saved = qlx::SplitDefaultsText(store.content.value_or(""));
    qlx::fuzz::Require(saved.size() == qlx::kDefaultsLineCount, "17 lines saved", store.content.value_or(""));
    for (const std::string& line : saved) {
        for (const char c : line) qlx::fuzz::Require(!qlx::IsControl(c), "no control character", line);
    }
    for (std::size_t i = 7; i < saved.size(); ++i) qlx::fuzz::RequireNumberText(saved[i], "a state line");
    // The record is kept; a control character in it is the only thing the writer drops.
    for (std::size_t i = 1; i < 7 && i < read.size(); ++i) {
        std::string expected;
        for (const char c : read[i])
            if (!qlx::IsControl(c)) expected += c;
        qlx::fuzz::Require(saved[i] == expected, "the record is kept", saved[i]);
    }
    return 0;
}
