// A Host that plays a script instead of showing anything: it answers message boxes from a
// queue, runs a scripted action when a window is shown modally, and records what happened.
#pragma once

#include <deque>
#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "form/form.h"

namespace qlx::testing {

class ScriptedHost : public form::Host {
public:
    struct Message {
        std::string text;
        std::string title;
        form::Buttons buttons;
    };

    form::Answer ShowMessage(const std::string& text, const std::string& title,
                             form::Buttons buttons) override {
        messages.push_back({text, title, buttons});
        if (!answers.empty()) {
            const form::Answer a = answers.front();
            answers.pop_front();
            return a;
        }
        switch (buttons) {
            case form::Buttons::Ok: return form::Answer::Ok;
            case form::Buttons::YesNo: return form::Answer::No;
            case form::Buttons::CancelTryAgainContinue: return form::Answer::Continue;
        }
        return form::Answer::Ok;
    }
    void ShowModal(form::Window& w) override {
        modal_shown.push_back(w.name());
        w.SetVisible(true);
        if (auto it = on_modal.find(w.name()); it != on_modal.end()) it->second(w);
        w.SetVisible(false);
    }
    // A host that cannot wait inside an event (a browser page): with `defer_modal`, a modal
    // window is shown and its follow-up kept until SettleModals finds the window closed.
    void ShowModalThen(form::Window& w, std::function<void()> closed) override {
        if (!defer_modal) {
            form::Host::ShowModalThen(w, std::move(closed));
            return;
        }
        modal_shown.push_back(w.name());
        w.SetVisible(true);
        deferred.push_back({&w, std::move(closed)});
    }
    void SettleModals() {
        while (!deferred.empty() && !deferred.back().first->visible()) {
            auto closed = std::move(deferred.back().second);
            deferred.pop_back();
            if (closed) closed();
        }
    }
    void ShowModeless(form::Window& w) override {
        modeless_shown.push_back(w.name());
        w.SetVisible(true);
    }
    bool PrintWindow(form::Window& w) override {
        printed.push_back(w.name());
        if (on_print) on_print(w);
        return print_ok;
    }
    form::OpenResult OpenDocument(const std::string& path) override {
        opened.push_back(path);
        return open_result;
    }
    float ScreenWidthTwips() override { return screen_width; }
    float ScreenHeightTwips() override { return screen_height; }
    std::string ProgramDirectory() override { return program_dir; }
    char DecimalMark() override { return mark; }
    void Quit() override { ++quits; }

    // Titles of the message boxes shown, in order.
    std::vector<std::string> Titles() const {
        std::vector<std::string> t;
        for (const auto& m : messages) t.push_back(m.title);
        return t;
    }

    bool defer_modal = false;
    std::vector<std::pair<form::Window*, std::function<void()>>> deferred;
    std::deque<form::Answer> answers;
    std::vector<Message> messages;
    std::map<std::string, std::function<void(form::Window&)>> on_modal;
    std::vector<std::string> modal_shown;
    std::vector<std::string> modeless_shown;
    std::function<void(form::Window&)> on_print;
    std::vector<std::string> printed;
    bool print_ok = true;
    form::OpenResult open_result = form::OpenResult::Opened;
    std::vector<std::string> opened;
    float screen_width = 19200;   // 1280 pixels at 15 twips each
    float screen_height = 15360;  // 1024 pixels
    std::string program_dir = "/opt/qlx";
    char mark = '.';
    int quits = 0;
};

}  // namespace qlx::testing
