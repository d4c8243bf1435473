// main() of the widget tests: an application on the offscreen platform, then GoogleTest. A
// watchdog closes any modal dialog or message box that stays open longer than a test can need,
// and fails the test, so that no Qt test can hang on a modal loop nobody answers.
#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <cstdio>

int main(int argc, char** argv) {
    // The offscreen platform, as given (with a configuration file: the high-DPI screen) or plain.
    if (!qgetenv("QT_QPA_PLATFORM").startsWith("offscreen")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // A run meant for a high-DPI screen checks that it got one.
    if (const QByteArray dpr = qgetenv("QLX_EXPECT_DPR"); !dpr.isEmpty() && app.devicePixelRatio() != dpr.toDouble()) {
        std::fprintf(stderr, "device pixel ratio %g, not %s\n", app.devicePixelRatio(), dpr.constData());
        return 1;
    }
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
