// frmTuner on the screen: the network choice and the tuner settings.
#pragma once

#include <QWidget>

namespace qlx {
class TunerWindow;
}

namespace qlx::ui {

class TunerView : public QWidget {
public:
    explicit TunerView(TunerWindow& model, QWidget* parent = nullptr);
};

}  // namespace qlx::ui
