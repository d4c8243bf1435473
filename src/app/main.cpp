// qlx: the desktop program.
#include <QApplication>
#include <QStandardPaths>

#include "mainwin/defaults_file.h"
#include "mainwin/main_window.h"
#include "core/settings_file.h"
#include "ui/dialogs.h"
#include "ui/graph_view.h"
#include "ui/main_window_view.h"
#include "ui/own_cable_view.h"
#include "ui/plan_view.h"
#include "ui/qt_host.h"
#include "ui/sweep_view.h"
#include "ui/tuner_page_view.h"
#include "ui/tuner_view.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("QLX");
    QApplication::setDesktopFileName("org.qlx.QLX");

    qlx::ui::QtHost host;
    // TL.DEF lives beside the program; where that directory is read-only, with the user's
    // configuration.
    const std::string program_dir = QCoreApplication::applicationDirPath().toStdString();
    const std::string config_dir = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation).toStdString();
    qlx::FileDefaultsStore store(program_dir, config_dir);
    // The user's own cables, beside TL.DEF under the same rules.
    qlx::FileDefaultsStore cables(program_dir, config_dir, std::string(qlx::kCablesFileName));
    // What else a restart finds again, beside TL.DEF under the same rules.
    qlx::FileDefaultsStore settings(program_dir, config_dir, std::string(qlx::kSettingsFileName));

    qlx::MainWindow model(host, store, &cables, &settings);
    qlx::ui::MainWindowView view(model);
    host.SetParent(&view);
    host.Register(model.window.name(), &view);
    qlx::ui::NoiseBridgeView bridge(model.frmNB, &view);
    qlx::ui::AnalyserView analyser(model.frmAutek, &view);
    qlx::ui::UserLineView user_line(model.frmOtrCable, &view);
    host.Register(model.frmNB.window.name(), &bridge);
    host.Register(model.frmAutek.window.name(), &analyser);
    host.Register(model.frmOtrCable.window.name(), &user_line);
    qlx::ui::OwnCableView own_cable(model.frmOwnCable, &user_line);
    host.Register(model.frmOwnCable.window.name(), &own_cable);
    qlx::ui::GraphView graph(model.frmVolt);
    qlx::ui::TunerView tuner(model.frmTuner);
    host.Register(model.frmVolt.window.name(), &graph);
    host.Register(model.frmTuner.window.name(), &tuner);
    qlx::ui::TunerPageView page1(model.frmTuner.frmTuner1);
    qlx::ui::TunerPageView page2(model.frmTuner.frmTuner2);
    host.Register(model.frmTuner.frmTuner1.window.name(), &page1);
    host.Register(model.frmTuner.frmTuner2.window.name(), &page2);
    qlx::ui::CompareView compare(model.frmTuner.frmCompare);
    host.Register(model.frmTuner.frmCompare.window.name(), &compare);
    qlx::ui::SweepView sweep(model.frmSweep);
    host.Register(model.frmSweep.window.name(), &sweep);
    qlx::ui::PlanView plan(model.frmPlan);
    host.Register(model.frmPlan.window.name(), &plan);
    model.Load();
    view.show();
    return app.exec();
}
