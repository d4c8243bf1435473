// A host that shows, asks and prints nothing: for window models that run with no one watching
// (the station plan's own tuner window, the benchmarks). A message is answered OK; a window
// shown is only marked visible.
#pragma once

#include <string>

#include "form/form.h"

namespace qlx::form {

class SilentHost : public Host {
public:
    explicit SilentHost(char mark = '.') : mark_(mark) {}
    Answer ShowMessage(const std::string&, const std::string&, Buttons) override { return Answer::Ok; }
    void ShowModal(Window&) override {}
    void ShowModeless(Window& w) override { w.SetVisible(true); }
    bool PrintWindow(Window&) override { return false; }
    OpenResult OpenDocument(const std::string&) override { return OpenResult::NoViewer; }
    float ScreenWidthTwips() override { return 19200; }  // a 1280 x 1024 desktop
    float ScreenHeightTwips() override { return 15360; }
    std::string ProgramDirectory() override { return "."; }
    char DecimalMark() override { return mark_; }
    void Quit() override {}

private:
    char mark_;
};

}  // namespace qlx::form
