// frmQLX2 on the screen: the widgets of the main window, bound to its logic.
#pragma once

#include <QWidget>

namespace qlx {
class MainWindow;
}

namespace qlx::ui {

class MainWindowView : public QWidget {
public:
    explicit MainWindowView(MainWindow& model, QWidget* parent = nullptr);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    MainWindow& model_;
};

}  // namespace qlx::ui
