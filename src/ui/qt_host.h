// The Host of the desktop program: real message boxes, dialogs, printing and the desktop's
// document viewer.
#pragma once

#include <QString>
#include <functional>
#include <map>
#include <string>

#include "form/form.h"

class QWidget;
class QDialog;

namespace qlx::ui {

class QtHost : public form::Host {
public:
    // Message boxes are centred over `parent` (the main window once it exists).
    void SetParent(QWidget* parent) { parent_ = parent; }
    // The Qt window that shows a model window, for modal showing and printing.
    void Register(const std::string& name, QWidget* widget) { views_[name] = widget; }
    // Prints into this PDF file instead of on the default printer (the tests' paper: no test may
    // reach a real printer). An empty name prints on the default printer.
    void PrintToFile(const std::string& pdf) { print_file_ = pdf; }
    // Where "Save as PDF..." asks for its file: a save dialog over `over`; an empty name cancels.
    // The tests answer in place of the dialog.
    std::function<QString(QWidget* over, const QString& suggested)> choose_pdf;

    form::Answer ShowMessage(const std::string& text, const std::string& title,
                             form::Buttons buttons) override;
    void ShowModal(form::Window& window) override;
    void ShowModeless(form::Window& window) override;
    bool PrintWindow(form::Window& window) override;
    bool CanSaveAsPdf() override { return true; }
    bool SaveWindowAsPdf(form::Window& window) override;
    form::OpenResult OpenDocument(const std::string& path) override;
    float ScreenWidthTwips() override;
    float ScreenHeightTwips() override;
    std::string ProgramDirectory() override;
    char DecimalMark() override;
    void Quit() override;

private:
    QWidget* parent_ = nullptr;
    std::map<std::string, QWidget*> views_;
    std::string print_file_;
};

}  // namespace qlx::ui
