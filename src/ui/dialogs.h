// The modal dialogs of the main window: the noise bridge, the analyser and the user-defined
// line, each bound to its logic.
#pragma once

#include <QDialog>

namespace qlx {
class NoiseBridgeDialog;
class AnalyserDialog;
struct UserLineDialog;
namespace form {
class Window;
class Button;
}
}  // namespace qlx

namespace qlx::ui {

// A dialog that closes when its logic hides its window (OK, Cancel).
class ModelDialog : public QDialog {
public:
    ModelDialog(form::Window& window, QWidget* parent);
    // Escape and the title bar's close: what `cancel` does, where the dialog has a Cancel.
    void reject() override;

protected:
    form::Button* cancel_ = nullptr;
};

class NoiseBridgeView : public ModelDialog {
public:
    NoiseBridgeView(NoiseBridgeDialog& model, QWidget* parent);
};

class AnalyserView : public ModelDialog {
public:
    AnalyserView(AnalyserDialog& model, QWidget* parent);
};

class UserLineView : public ModelDialog {
public:
    UserLineView(UserLineDialog& model, QWidget* parent);
};

}  // namespace qlx::ui
