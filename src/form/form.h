// The window model: text fields, options, lists, labels, buttons and windows with the event
// semantics the window logic is written against, and the Host through which the logic reaches
// what a toolkit supplies. No toolkit header may appear here; the Qt layer binds widgets to
// these objects and implements Host.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace qlx::form {

class Window;

// The program's titles: of its message boxes that carry no title of their own, of the questions
// and reports every window shares, and of the tuner's settings checks.
inline constexpr const char* kAppTitle = "QLX3";
inline constexpr const char* kProgramTitle = "QLX";
inline constexpr const char* kTunerTitle = "QLX, Tuner";

// 0xRRGGBB, or kButtonFace: a reference to the system's colour for button faces.
using Colour = std::uint32_t;
inline constexpr Colour kBlack = 0x000000;
inline constexpr Colour kWhite = 0xFFFFFF;
inline constexpr Colour kRed = 0xFF0000;
inline constexpr Colour kBlue = 0x0000FF;
inline constexpr Colour kLightGrey = 0xC0C0C0;
inline constexpr Colour kDarkRed = 0xB00000;  // a warning readable on white and on a window's face
inline constexpr Colour kButtonFace = 0x8000000F;
inline constexpr Colour kWindowText = 0x80000008;  // the system's text colour

// What a result says beyond its number: normal, a warning (the figure holds but asks for care:
// a rating exceeded, a figure typed at another frequency), or impossible (no passive line and
// load give it: a negative SWR or resistance). A status is never told by colour alone: every
// host draws it in kStatusInk with a mark beside it, and shows the reason as the tip.
enum class Status { Normal, Warning, Impossible };
inline constexpr Colour kStatusInk = kDarkRed;
// The mark beside a result of that status ("" for a normal one).
const char* StatusMark(Status s);
// Curves are told apart without colour too: every other curve of a chart (the second, the
// fourth...) is drawn in a second line style, dashed, in every host and every chart.
inline constexpr bool DashedCurve(std::size_t index) { return index % 2 == 1; }

// The WCAG contrast ratio (1 to 21) of two plain colours: the hosts' inks and curves are chosen
// to reach 4.5:1 for text and 3:1 for a curve against the faces they are drawn on.
double Contrast(Colour a, Colour b);

// What every control has. A view registers an observer to refresh its widget after any change
// of state made by the logic.
class Control {
public:
    explicit Control(std::string name) : name_(std::move(name)) {}
    // A control of a window joins the window's list of controls, in declaration order; printing
    // recolours the window through that list.
    Control(Window& owner, std::string name);
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;
    virtual ~Control() = default;

    const std::string& name() const { return name_; }
    bool visible() const { return visible_; }
    void SetVisible(bool v) { Set(visible_, v); }
    bool enabled() const { return enabled_; }
    void SetEnabled(bool v) { Set(enabled_, v); }
    Colour fore() const { return fore_; }
    void SetFore(Colour c) { Set(fore_, c); }
    Colour back() const { return back_; }
    void SetBack(Colour c) { Set(back_, c); }
    const std::string& tool_tip() const { return tool_tip_; }
    void SetToolTip(std::string t) { Set(tool_tip_, std::move(t)); }
    Status status() const { return status_; }
    // Why the status is what it is; a host shows it as the tip in place of the control's own.
    const std::string& status_reason() const { return status_reason_; }
    void SetStatus(Status s, std::string reason = {}) {
        if (s == Status::Normal) reason.clear();
        if (status_ == s && status_reason_ == reason) return;
        status_ = s;
        status_reason_ = std::move(reason);
        Changed();
    }
    // The tip a host shows: the status's reason, else the control's own tip.
    const std::string& shown_tip() const { return status_reason_.empty() ? tool_tip_ : status_reason_; }
    // The ink a host draws the text in: a result with a status in the one ink that reads on
    // every face, never in the bright red of the model (2.6:1 on a window's face).
    Colour shown_fore() const { return status_ == Status::Normal ? fore_ : kStatusInk; }
    // "1" marks the controls whose colours printing leaves alone.
    const std::string& tag() const { return tag_; }
    void SetTag(std::string t) { tag_ = std::move(t); }

    void SetObserver(std::function<void()> observer) { observer_ = std::move(observer); }

protected:
    void Changed() {
        if (observer_) observer_();
    }
    template <class T>
    void Set(T& field, T value) {
        if (field == value) return;
        field = std::move(value);
        Changed();
    }

private:
    std::string name_;
    bool visible_ = true;
    bool enabled_ = true;
    Colour fore_ = kWindowText;
    Colour back_ = kButtonFace;
    std::string tool_tip_;
    Status status_ = Status::Normal;
    std::string status_reason_;
    std::string tag_;
    std::function<void()> observer_;
};

// The longest text a field takes, in bytes: far beyond any entry's number, short enough for every
// window to show and every file to keep. A longer paste is cut there, and the host says so in
// these words.
inline constexpr std::size_t kMaxTextLength = 1000;
inline constexpr const char* kTextCutMessage = "A field holds at most 1000 characters: the rest of the text was left out.";

// Assigning a different text runs the change handler, whether the program or the user typed
// it; handlers may assign texts again (they re-enter). Control characters (line breaks, tabs,
// anything below a blank) never enter a field: they are dropped as they are typed or pasted.
class TextField : public Control {
public:
    using Control::Control;
    const std::string& text() const { return text_; }
    void SetText(std::string text);
    void LoseFocus() {
        if (on_lost_focus) on_lost_focus();
    }
    std::function<void()> on_change;
    std::function<void()> on_lost_focus;
    // A result the program writes and the user only reads (and copies): every view shows it so.
    bool read_only() const { return read_only_; }

protected:
    bool read_only_ = false;

private:
    std::string text_;
};

// A text field the program fills with a result.
class ResultField : public TextField {
public:
    ResultField(Window& owner, std::string name) : TextField(owner, std::move(name)) { read_only_ = true; }
};

class Label : public Control {
public:
    using Control::Control;
    const std::string& caption() const { return caption_; }
    void SetCaption(std::string c) { Set(caption_, std::move(c)); }

private:
    std::string caption_;
};

class Button : public Control {
public:
    using Control::Control;
    const std::string& caption() const { return caption_; }
    void SetCaption(std::string c) { Set(caption_, std::move(c)); }
    void Click() {
        if (on_click) on_click();
    }
    std::function<void()> on_click;

private:
    std::string caption_;
};

// A picture box showing a bitmap file; an empty path shows nothing. A file that cannot be read
// shows nothing either: the view leaves the box empty.
class Picture : public Control {
public:
    using Control::Control;
    const std::string& path() const { return path_; }
    void Load(std::string path) { Set(path_, std::move(path)); }

private:
    std::string path_;
};

class OptionGroup;

// Selecting an option clears the others of its group and runs its click handler only when the
// selection changes, from the program and from the user alike.
class Option : public Control {
public:
    using Control::Control;
    const std::string& caption() const { return caption_; }
    void SetCaption(std::string c) { Set(caption_, std::move(c)); }
    bool selected() const { return selected_; }
    void Select();
    std::function<void()> on_click;

private:
    friend class OptionGroup;
    std::string caption_;
    bool selected_ = false;
    OptionGroup* group_ = nullptr;
};

class OptionGroup {
public:
    // A group starts with its first option selected (without running its handler), unless it
    // is made to start with none.
    enum class Start { FirstSelected, NoneSelected };
    explicit OptionGroup(Start start = Start::FirstSelected) : start_(start) {}
    void Add(Option& option);
    const std::vector<Option*>& options() const { return options_; }

private:
    friend class Option;
    Start start_;
    std::vector<Option*> options_;
};

// A drop-down list. Setting the position from the program runs the click handler when it
// changes; a user's choice runs it always (choosing the same entry again is meaningful).
class ListBox : public Control {
public:
    using Control::Control;
    const std::vector<std::string>& items() const { return items_; }
    void AddItem(std::string item);
    int position() const { return position_; }
    void SetPosition(int position);
    void Choose(int position);
    std::function<void()> on_click;

private:
    std::vector<std::string> items_;
    int position_ = -1;
};

// A window: created on first use, afterwards only hidden and shown. Positions in twips.
class Window {
public:
    // A dialog is shown modally (its owner waits for OK or Cancel); a window stands beside the rest.
    enum class Kind { Window, Dialog };
    explicit Window(std::string name, std::string caption = {}, Kind kind = Kind::Window)
        : name_(std::move(name)), caption_(std::move(caption)), kind_(kind) {}
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    const std::string& name() const { return name_; }
    const std::string& caption() const { return caption_; }
    void SetCaption(std::string c);
    bool dialog() const { return kind_ == Kind::Dialog; }

    bool created() const { return created_; }
    void Create() { created_ = true; }
    void Unload();
    bool visible() const { return visible_; }
    void SetVisible(bool v);

    float left() const { return left_; }
    float top() const { return top_; }
    float width() const { return width_; }
    float height() const { return height_; }
    // Positioning a window that does not exist yet creates it, hidden.
    void Move(float left, float top);
    void SetGeometry(float left, float top, float height, float width);
    // A view reports where the user moved or sized the window, without notifying back.
    void TakeGeometryFromView(float left, float top, float height, float width);

    Colour back() const { return back_; }
    void SetBack(Colour c);

    const std::vector<Control*>& controls() const { return controls_; }
    void AddControl(Control& c) { controls_.push_back(&c); }
    void SetObserver(std::function<void()> observer) { observer_ = std::move(observer); }

private:
    void Changed() {
        if (observer_) observer_();
    }
    std::string name_;
    std::string caption_;
    Kind kind_;
    bool created_ = false;
    bool visible_ = false;
    float left_ = 0, top_ = 0, width_ = 0, height_ = 0;
    Colour back_ = kButtonFace;
    std::vector<Control*> controls_;
    std::function<void()> observer_;
};

// CancelTryAgainContinue also offers "Save as PDF..." (Answer::SavePdf) where the host can save
// a window as a PDF file.
enum class Buttons { Ok, YesNo, CancelTryAgainContinue };
enum class Answer { Ok, Yes, No, Cancel, TryAgain, Continue, SavePdf };
enum class OpenResult { Opened, FileNotFound, NoViewer };

// Everything the logic needs from the toolkit and the desktop.
class Host {
public:
    virtual ~Host() = default;
    // A modal message box without icon; returns the button pressed.
    virtual Answer ShowMessage(const std::string& text, const std::string& title, Buttons buttons) = 0;
    // Shows a window modally; returns when it has been hidden.
    virtual void ShowModal(Window& window) = 0;
    // Shows a window modally and runs `closed` once it has been hidden. A host that can wait (a
    // desktop's nested event loop, a test's script) shows it and runs `closed` before returning;
    // a browser page, which cannot wait inside an event, runs `closed` when the user closes it.
    virtual void ShowModalThen(Window& window, std::function<void()> closed) {
        ShowModal(window);
        if (closed) closed();
    }
    virtual void ShowModeless(Window& window) = 0;
    // Prints the window's image on the default printer; false when that failed.
    virtual bool PrintWindow(Window& window) = 0;
    // Saves the window's picture as a PDF file the user names: the way out where no printer is
    // ready. False when the user cancels or the file cannot be written; a host without files
    // says it cannot.
    virtual bool CanSaveAsPdf() { return false; }
    virtual bool SaveWindowAsPdf(Window&) { return false; }
    virtual OpenResult OpenDocument(const std::string& path) = 0;
    virtual float ScreenWidthTwips() = 0;
    virtual float ScreenHeightTwips() = 0;
    // The directory of the program, without a trailing separator.
    virtual std::string ProgramDirectory() = 0;
    // The user's decimal mark, '.' or ','.
    virtual char DecimalMark() = 0;
    // Ends the program at once.
    virtual void Quit() = 0;
};

// A large window's first place: the size it wants (twips), less on a smaller screen (at most 95 %
// of its width and `height_share` of its height), centred across and near the top, so that a
// laptop's panel hides none of it.
void PlaceLarge(Host& host, Window& window, float width, float height, float height_share);

// The print flow every window shares: the question "Are you sure you want to print? " (true on
// Yes), and printing the window with "Printer problem. " when that fails: Try Again prints
// again, Save as PDF... saves the window instead, Cancel and Continue go on.
bool ConfirmPrint(Host& host);
void PrintOrReport(Host& host, Window& window);
// Prints a window on white paper: its controls (those tagged "1" too, when `whiten_tagged`),
// `also_white` and the window turn white, the window is printed, and every colour returns to
// what it was before, whether the print succeeded or not.
void PrintOnWhite(Host& host, Window& window, bool whiten_tagged, Control* also_white = nullptr);

}  // namespace qlx::form
