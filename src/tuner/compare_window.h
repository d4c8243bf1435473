// frmCompare: every network designed for the line at once, lowest loss first, each with its
// parts, its stresses, how wide it matches with the tuner left alone, or why it cannot match. A
// row's button draws that network's page.
#pragma once

#include <array>
#include <functional>
#include <string>

#include "form/form.h"

namespace qlx::tuner {

class CompareWindow {
public:
    // The rows a comparison can fill: the low-pass L, both high-pass L topologies, the Pi, the Tee.
    static constexpr std::size_t kRows = 5;

    CompareWindow();
    CompareWindow(const CompareWindow&) = delete;
    CompareWindow& operator=(const CompareWindow&) = delete;

    form::Window window{"frmCompare", "Tuner Networks Compared, QLX"};
    form::ResultField txtLine{window, "txtLine"};        // the line and load compared for
    form::ResultField txtSummary{window, "txtSummary"};  // which to build, or that no tuner is needed
    std::array<form::Button, kRows> cmdRow{form::Button{window, "cmdRow0"}, form::Button{window, "cmdRow1"},
                                           form::Button{window, "cmdRow2"}, form::Button{window, "cmdRow3"},
                                           form::Button{window, "cmdRow4"}};
    // Each row's parts, loss, stresses and band, or why it cannot match (a label: it wraps).
    std::array<form::Label, kRows> lblRow{form::Label{window, "lblRow0"}, form::Label{window, "lblRow1"},
                                          form::Label{window, "lblRow2"}, form::Label{window, "lblRow3"},
                                          form::Label{window, "lblRow4"}};
    form::Button cmdClose{window, "cmdClose"};

    // A row's button: the tuner window draws that row's design.
    std::function<void(std::size_t row)> on_row;
};

}  // namespace qlx::tuner
