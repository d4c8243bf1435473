// frmTuner1 and frmTuner2 on the screen: the header, the component table and the schematic with
// the value boxes laid over it, and the three buttons.
#pragma once

#include <QWidget>

class QLabel;
class QLineEdit;

namespace qlx::tuner {
class TunerPage;
}

namespace qlx::ui {

class TunerPageView : public QWidget {
public:
    explicit TunerPageView(tuner::TunerPage& model, QWidget* parent = nullptr);

    QLabel* schematic() const { return picture_; }

private:
    // Loads the page's schematic and puts the value boxes beside its elements.
    void ShowSchematic();

    tuner::TunerPage& model_;
    QLabel* picture_;
    QLineEdit* left_;
    QLineEdit* mid_;
    QLineEdit* right_;
    QLineEdit* stray_;
};

}  // namespace qlx::ui
