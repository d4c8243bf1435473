// frmTuner on the screen: the network choice and the tuner settings; and frmCompare, every
// network for the line side by side.
#pragma once

#include <QWidget>

namespace qlx {
class TunerWindow;
namespace tuner {
class CompareWindow;
}
}  // namespace qlx

namespace qlx::ui {

class TunerView : public QWidget {
public:
    explicit TunerView(TunerWindow& model, QWidget* parent = nullptr);
};

class CompareView : public QWidget {
public:
    explicit CompareView(tuner::CompareWindow& model, QWidget* parent = nullptr);
};

}  // namespace qlx::ui
