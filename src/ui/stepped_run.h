// Long work (a sweep, a plan's length scan) run in steps from the event loop, so that its window
// answers while it works, with a progress bar that shows once the work has lasted a moment.
#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <functional>

class QProgressBar;
class QTimer;
class QWidget;

namespace qlx::ui {

class SteppedRun : public QObject {
public:
    // `step` does a few milliseconds of work and answers true when the work is done (or was
    // ended); `progress` is the share done, 0 to 1. The bar, made here, reads `format`.
    SteppedRun(QWidget* owner, const QString& format, std::function<bool()> step, std::function<double()> progress);
    void Start();
    QProgressBar* bar() const { return bar_; }
    // How long the work goes before its progress shows (a tenth of a second; tests set less).
    void SetQuietTime(qint64 ms) { quiet_ms_ = ms; }

private:
    void Tick();

    std::function<bool()> step_;
    std::function<double()> progress_;
    QProgressBar* bar_;
    QTimer* timer_;
    QElapsedTimer elapsed_;
    qint64 quiet_ms_ = 100;
};

}  // namespace qlx::ui
