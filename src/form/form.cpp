#include "form/form.h"

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

#include "core/format.h"

namespace qlx::form {

const char* StatusMark(Status s) {
    switch (s) {
        case Status::Warning: return "\u26A0";     // a warning sign
        case Status::Impossible: return "\u2716";  // a heavy cross
        case Status::Normal: break;
    }
    return "";
}

namespace {

// The relative luminance of a plain colour (sRGB, as WCAG defines it).
double Luminance(Colour c) {
    auto channel = [](unsigned v) {
        const double s = v / 255.0;
        return s <= 0.04045 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel((c >> 16) & 0xFF) + 0.7152 * channel((c >> 8) & 0xFF) + 0.0722 * channel(c & 0xFF);
}

}  // namespace

double Contrast(Colour a, Colour b) {
    const double la = Luminance(a), lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

Control::Control(Window& owner, std::string name) : name_(std::move(name)) { owner.AddControl(*this); }

void TextField::SetText(std::string text) {
    // A field holds one line: a pasted line break or other control character would join two
    // numbers into one ("50" and "75" into 5075) and break the defaults file's lines.
    std::erase_if(text, IsControl);
    if (text.size() > kMaxTextLength) {
        // Cut at a character's first byte, never inside a character.
        std::size_t end = kMaxTextLength;
        while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) --end;
        text.resize(end);
    }
    if (text == text_) return;
    text_ = std::move(text);
    Changed();
    if (on_change) on_change();
}

void Option::Select() {
    if (selected_) return;
    if (group_) {
        for (Option* other : group_->options_) {
            if (other != this && other->selected_) {
                other->selected_ = false;
                other->Changed();
            }
        }
    }
    selected_ = true;
    Changed();
    if (on_click) on_click();
}

void OptionGroup::Add(Option& option) {
    option.group_ = this;
    option.selected_ = options_.empty() && start_ == Start::FirstSelected;
    options_.push_back(&option);
}

void ListBox::AddItem(std::string item) {
    items_.push_back(std::move(item));
    Changed();
}

void ListBox::SetPosition(int position) {
    if (position == position_) return;
    position_ = position;
    Changed();
    if (on_click) on_click();
}

void ListBox::Choose(int position) {
    if (position != position_) {
        position_ = position;
        Changed();
    }
    if (on_click) on_click();
}

void Window::SetCaption(std::string c) {
    if (c == caption_) return;
    caption_ = std::move(c);
    Changed();
}

void Window::Unload() {
    created_ = false;
    visible_ = false;
    Changed();
}

void Window::SetVisible(bool v) {
    if (v) created_ = true;
    if (v == visible_) return;
    visible_ = v;
    Changed();
}

void Window::Move(float left, float top) {
    created_ = true;
    left_ = left;
    top_ = top;
    Changed();
}

void Window::SetGeometry(float left, float top, float height, float width) {
    created_ = true;
    left_ = left;
    top_ = top;
    height_ = height;
    width_ = width;
    Changed();
}

void Window::TakeGeometryFromView(float left, float top, float height, float width) {
    left_ = left;
    top_ = top;
    height_ = height;
    width_ = width;
}

void Window::SetBack(Colour c) {
    if (c == back_) return;
    back_ = c;
    Changed();
}

bool ConfirmPrint(Host& host) {
    return host.ShowMessage("Are you sure you want to print? ", kProgramTitle, Buttons::YesNo) == Answer::Yes;
}

void PrintOrReport(Host& host, Window& window) {
    // The caller goes on with its next step whatever the answer; only Try Again and Save as PDF
    // ask for more here.
    while (!host.PrintWindow(window)) {
        const Answer a = host.ShowMessage("Printer problem. ", kProgramTitle, Buttons::CancelTryAgainContinue);
        if (a == Answer::SavePdf && host.SaveWindowAsPdf(window)) return;
        if (a != Answer::TryAgain && a != Answer::SavePdf) return;
    }
}

void PrintOnWhite(Host& host, Window& window, bool whiten_tagged, Control* also_white) {
    // Each colour goes back to what it was, whatever the printer answered: a print leaves the
    // window as it found it.
    std::vector<std::pair<Control*, Colour>> before;
    for (Control* c : window.controls()) before.emplace_back(c, c->back());
    const Colour window_before = window.back();
    for (Control* c : window.controls())
        if (whiten_tagged || c->tag() != "1") c->SetBack(kWhite);
    window.SetBack(kWhite);
    if (also_white) also_white->SetBack(kWhite);
    PrintOrReport(host, window);
    for (const auto& [c, colour] : before) c->SetBack(colour);
    window.SetBack(window_before);
}

void PlaceLarge(Host& host, Window& window, float width, float height, float height_share) {
    const float w = std::min(width, host.ScreenWidthTwips() * 0.95f);
    const float h = std::min(height, host.ScreenHeightTwips() * height_share);
    window.SetGeometry(std::max(0.0f, (host.ScreenWidthTwips() - w) / 2), 300.0f, h, w);
}

}  // namespace qlx::form
