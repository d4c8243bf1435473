// frmTuner1 and frmTuner2 on the screen: the header, the component table and the schematic with
// the value boxes laid over it, and the three buttons.
#pragma once

#include <QWidget>

class QLabel;
class QLineEdit;
class QScrollArea;

namespace qlx::tuner {
class TunerPage;
}

namespace qlx::ui {

class TunerPageView : public QWidget {
public:
    explicit TunerPageView(tuner::TunerPage& model, QWidget* parent = nullptr);

    QLabel* schematic() const { return picture_; }

    // Puts the whole page inside `work_area` (a screen's, without its panels), its title bar
    // `title_bar` pixels high: moved up and left as far as it must, and, when it is still taller,
    // shortened so that the header, table and picture scroll inside it while the buttons stay.
    void FitInto(const QRect& work_area, int title_bar);

protected:
    void showEvent(QShowEvent* event) override;
    // A design with more lines (a notes line, a fourth column) grows the page to show them.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Loads the page's schematic and puts the value boxes beside its elements.
    void ShowSchematic();
    // FitInto the screen the page is on; with `grow_only`, only when the page needs more room.
    void FitToScreen(bool grow_only);

    tuner::TunerPage& model_;
    QLabel* picture_;
    QLineEdit* left_;
    QLineEdit* mid_;
    QLineEdit* right_;
    QLineEdit* stray_;
    QScrollArea* scroll_;
};

}  // namespace qlx::ui
