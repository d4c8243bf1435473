#include "ui/stepped_run.h"

#include <QProgressBar>
#include <QTimer>
#include <QWidget>

namespace qlx::ui {

SteppedRun::SteppedRun(QWidget* owner, const QString& format, std::function<bool()> step,
                       std::function<double()> progress)
    : QObject(owner), step_(std::move(step)), progress_(std::move(progress)) {
    bar_ = new QProgressBar(owner);
    bar_->setObjectName("Progress");
    bar_->setRange(0, 1000);
    bar_->setTextVisible(true);
    bar_->setFormat(format);
    bar_->setFixedWidth(200);
    bar_->hide();
    timer_ = new QTimer(this);
    timer_->setInterval(0);
    QObject::connect(timer_, &QTimer::timeout, this, [this] { Tick(); });
}

void SteppedRun::Start() {
    elapsed_.start();
    timer_->start();
}

void SteppedRun::Tick() {
    if (step_()) {
        timer_->stop();
        bar_->hide();
        return;
    }
    if (elapsed_.elapsed() >= quiet_ms_) {
        bar_->setValue(static_cast<int>(progress_() * 1000));
        bar_->show();
    }
}

}  // namespace qlx::ui
