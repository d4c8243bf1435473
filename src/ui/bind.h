// Binds Qt widgets to the window model: a user's edit calls the model, a model change updates
// the widget, and an update made by the program never echoes back into the model.
#pragma once

#include <QColor>
#include <QString>
#include <functional>
#include <initializer_list>
#include <string>

#include "form/form.h"

class QComboBox;
class QObject;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QWidget;

namespace qlx::ui {

// A widget named like the control it shows, so tests and style sheets find it by that name.
template <class W>
W* MakeNamed(QWidget* parent, const std::string& name) {
    auto* w = new W(parent);
    w->setObjectName(QString::fromStdString(name));
    return w;
}

// A model observer that runs only while `widget` lives: a change made by the logic after a view
// is gone never reaches freed memory.
std::function<void()> WhileAlive(QObject* widget, std::function<void()> observer);

// The model's colour as a Qt colour; the system references map to the palette's colours.
QColor ToQColor(form::Colour colour, const QWidget* widget, bool background);

// While a message box is up: the focus it takes from a field is not the user leaving the field.
class MessageScope {
public:
    MessageScope() { ++open_; }
    ~MessageScope() { --open_; }
    MessageScope(const MessageScope&) = delete;
    MessageScope& operator=(const MessageScope&) = delete;
    static bool Open() { return open_ > 0; }

private:
    static int open_;
};

void Bind(QLineEdit* widget, form::TextField& field);
// Ties each label to the field after it in its row (the field's name for a screen reader, and
// where the label's access key, where it has one, sends the keyboard) and names every field no
// label names. Every
// bound window does it as it shows.
void TieLabels(QWidget* window);
// A read-only result box that never hides part of its number: when its text is wider than the
// box, the font shrinks until every character shows.
void FitTextToWidth(QLineEdit* widget);
void Bind(QLabel* widget, form::Label& label);
void Bind(QGroupBox* widget, form::Label& frame);
void Bind(QPushButton* widget, form::Button& button);
void Bind(QRadioButton* widget, form::Option& option);
void Bind(QComboBox* widget, form::ListBox& list);

// A widget named like its control and bound to it: a label, an entry, an option, a button.
template <class W, class C>
W* MakeBound(QWidget* parent, C& control) {
    W* w = MakeNamed<W>(parent, control.name());
    Bind(w, control);
    return w;
}
// An entry as wide as `chars` digits, bound to its field.
QLineEdit* MakeEntry(QWidget* parent, form::TextField& field, int chars);
// A frame under the label's caption holding the widgets side by side (a group of options).
QGroupBox* MakeGroup(QWidget* parent, form::Label& caption, std::initializer_list<QWidget*> widgets);

// The box of a result field. A result box (every field the model makes a result) is read-only
// and takes the focus on a click (to select and copy) but is passed over by Tab.
QLineEdit* MakeResultBox(QWidget* parent, form::ResultField& field);

// Escape in the window (wherever the focus is, when nothing inside takes the key) presses its
// Close or Cancel: a window closes from the keyboard as a dialog does.
void CloseOnEscape(QWidget* window, form::Button& close);

// Window positions are kept in twips (1/1440 inch); the screen counts pixels.
double TwipsPerPixel(const QWidget* widget);
// Moves a top-level widget where the model window says, and reports the user's moves back.
// With `follow_visibility`, the widget hides when its logic hides the window, and a window the
// user closes is hidden in the logic too.
void BindWindow(QWidget* widget, form::Window& window, bool apply_size, bool follow_visibility = false);

}  // namespace qlx::ui
