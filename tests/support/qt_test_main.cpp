// main() of the widget tests: an application on the offscreen platform, then GoogleTest. A
// watchdog closes any modal dialog or message box that stays open longer than a test can need,
// and fails the test, so that no Qt test can hang on a modal loop nobody answers.
#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QPointer>
#include <QTimer>
#include <QWidget>

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);

    QPointer<QWidget> seen;
    QElapsedTimer open_for;
    QTimer watchdog;
    QObject::connect(&watchdog, &QTimer::timeout, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal != seen) {
            seen = modal;
            open_for.start();
            return;
        }
        if (modal && open_for.elapsed() > 10'000) {
            ADD_FAILURE() << "a modal window stayed open: " << modal->objectName().toStdString() << " \""
                          << modal->windowTitle().toStdString() << "\"";
            modal->close();
            seen = nullptr;
        }
    });
    watchdog.start(200);
    return RUN_ALL_TESTS();
}
