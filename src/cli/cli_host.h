// The Host of qlx-cli: no windows. Every message box goes to standard error as "title: text"
// and is kept for the JSON output; it is answered as a user who wants to go on would answer it.
#pragma once

#include <functional>
#include <iostream>
#include <string>
#include <vector>

#include "form/form.h"

namespace qlx::cli {

class CliHost : public form::Host {
public:
    struct Message {
        std::string title;
        std::string text;
    };

    form::Answer ShowMessage(const std::string& text, const std::string& title,
                             form::Buttons buttons) override {
        messages.push_back({title, text});
        std::cerr << title << ": " << text << "\n";
        switch (buttons) {
            case form::Buttons::Ok: return form::Answer::Ok;
            case form::Buttons::YesNo: return form::Answer::Yes;
            case form::Buttons::CancelTryAgainContinue: return form::Answer::Continue;
        }
        return form::Answer::Ok;
    }
    void ShowModal(form::Window& window) override {
        window.SetVisible(true);
        if (on_modal) on_modal(window);
        window.SetVisible(false);
    }
    void ShowModeless(form::Window& window) override { window.SetVisible(true); }
    bool PrintWindow(form::Window&) override { return false; }
    form::OpenResult OpenDocument(const std::string&) override { return form::OpenResult::NoViewer; }
    float ScreenWidthTwips() override { return 1e9f; }
    float ScreenHeightTwips() override { return 1e9f; }
    std::string ProgramDirectory() override { return "."; }
    char DecimalMark() override { return '.'; }
    void Quit() override {}

    std::vector<Message> messages;
    // What a modal window does while it is shown (the dialogs that commands fill in).
    std::function<void(form::Window&)> on_modal;
};

}  // namespace qlx::cli
