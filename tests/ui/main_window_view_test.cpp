// The main window on an offscreen display: widgets carry their captions and tool tips, typing
// reaches the logic and its results reach the widgets, and nothing echoes.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSet>
#include <QTest>

#include "mainwin/main_window.h"
#include "support/scripted_host.h"
#include "ui/main_window_view.h"

namespace qlx {
namespace {

struct ViewFixture : ::testing::Test {
    ViewFixture() : model(host, store), view(model) {
        model.Load();
        view.show();
        view.activateWindow();
        // Focus changes only reach an active window.
        EXPECT_TRUE(QTest::qWaitForWindowActive(&view, 2000));
    }
    template <class W>
    W* Find(const char* name) {
        W* w = view.findChild<W*>(name);
        EXPECT_NE(w, nullptr) << name;
        return w;
    }

    testing::ScriptedHost host;  // answers every box itself: nothing modal can block a test
    MemoryDefaultsStore store;
    MainWindow model;
    ui::MainWindowView view;
};

TEST_F(ViewFixture, WidgetsCarryTheirCaptionsAndToolTips) {
    // With QLX_SCREENSHOT_DIR set, the window at start-up is saved there for the documentation.
    if (const QByteArray dir = qgetenv("QLX_SCREENSHOT_DIR"); !dir.isEmpty())
        view.grab().save(QString::fromUtf8(dir) + "/main-window.png");
    EXPECT_EQ(view.windowTitle(), "QLX");
    EXPECT_EQ(Find<QPushButton>("cmdGraph")->text(), "&Graph");
    EXPECT_EQ(Find<QPushButton>("cmdQuit")->toolTip(), "Return to Desktop");
    EXPECT_EQ(Find<QRadioButton>("optNoiseBridge")->text(), "Noise Bridge");
    EXPECT_EQ(Find<QLineEdit>("txtFreq")->toolTip(),
              "Double click to highlight, then enter Frequency, up to 4999 MHz");
    EXPECT_EQ(Find<QLabel>("lblZ0")->text(), "&Characteristic Z0: ");  // its access key marked
    EXPECT_EQ(Find<QLabel>("LblWarning")->isVisible(), false);
    EXPECT_EQ(Find<QComboBox>("cboPickCable")->count(), 33);
    EXPECT_EQ(Find<QComboBox>("cboPickCable")->currentText(), " RG-8A (Belden 8237)");
    EXPECT_TRUE(Find<QLineEdit>("txtMLPer")->isReadOnly());
    // Results in blue; the polar fields on light grey.
    EXPECT_EQ(Find<QLineEdit>("txtLoadSWR")->palette().color(QPalette::Text), QColor(0, 0, 255));
    EXPECT_EQ(Find<QLineEdit>("txtPolarZ")->palette().color(QPalette::Base), QColor(0xC0, 0xC0, 0xC0));
}

TEST_F(ViewFixture, TypingReachesTheLogicAndTheResultsReachTheWidgets) {
    QLineEdit* freq = Find<QLineEdit>("txtFreq");
    freq->selectAll();
    QTest::keyClicks(freq, "10");
    EXPECT_EQ(model.txtFreq.text(), "10");
    // RG-8A at 10 MHz: 0.587 dB per 100 feet.
    EXPECT_EQ(Find<QLineEdit>("txtMLPer")->text(), "0.587");

    // A rejected entry is put back in the widget as well.
    freq->selectAll();
    QTest::keyClicks(freq, "6000");
    EXPECT_EQ(host.Titles(), std::vector<std::string>{"Bad Frequency!"});
    EXPECT_EQ(freq->text(), "3.5");

    // Choosing a cable and an option from the widgets.
    QComboBox* cable = Find<QComboBox>("cboPickCable");
    cable->setCurrentIndex(17);
    emit cable->activated(17);
    EXPECT_EQ(model.cboPickCable.position(), 17);
    EXPECT_EQ(Find<QLineEdit>("txtVoltage")->text(), "3700");
    QTest::mouseClick(Find<QRadioButton>("optMeters"), Qt::LeftButton);
    EXPECT_TRUE(model.optMeters.selected());
    EXPECT_EQ(Find<QLineEdit>("txtLength")->text(), "30.480");
    EXPECT_EQ(Find<QLabel>("lblUnit")->text(), "Meters");
    EXPECT_FALSE(Find<QRadioButton>("optFeet")->isChecked());

    // Leaving an emptied field applies its lost-focus rule.
    QLineEdit* reactance = Find<QLineEdit>("txtReactance");
    reactance->setFocus();
    reactance->selectAll();
    QTest::keyClick(reactance, Qt::Key_Delete);
    EXPECT_EQ(model.txtReactance.text(), "");
    Find<QLineEdit>("txtResistance")->setFocus();
    EXPECT_EQ(reactance->text(), "0");
}

TEST_F(ViewFixture, AProgramChangeDoesNotEchoBackIntoTheLogic) {
    int changes = 0;
    auto handler = model.txtReactance.on_change;
    model.txtReactance.on_change = [&] {
        ++changes;
        handler();
    };
    const int runs = model.compute_runs();
    model.txtReactance.SetText("-25");
    EXPECT_EQ(Find<QLineEdit>("txtReactance")->text(), "-25");
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(model.compute_runs(), runs + 1);

    // A model-side selection shows in the radio buttons without clicking anything.
    model.optInput.Select();
    EXPECT_TRUE(Find<QRadioButton>("optInput")->isChecked());
    EXPECT_FALSE(Find<QRadioButton>("optLoad")->isChecked());
    EXPECT_EQ(Find<QLabel>("lblRho")->text().remove('&'), "Rho at Input: ");
}

TEST_F(ViewFixture, TheNoiseBridgeOptionSnapsBackToNormal) {
    QTest::mouseClick(Find<QRadioButton>("optNoiseBridge"), Qt::LeftButton);
    EXPECT_EQ(host.modal_shown, std::vector<std::string>{"frmNB"});
    EXPECT_TRUE(Find<QRadioButton>("optNormal")->isChecked());
    EXPECT_FALSE(Find<QRadioButton>("optNoiseBridge")->isChecked());
}

TEST_F(ViewFixture, AClosingByTheProgramSavesNothing) {
    // Only the window system's close request (the title bar) saves and ends the program.
    const int writes = store.writes;
    view.close();
    EXPECT_EQ(store.writes, writes);
    EXPECT_EQ(host.quits, 0);
}

// The manual's first example: RG-213 at 14 MHz, 100 feet, 200 - j100 ohms at the load.
TEST_F(ViewFixture, TheManualsFirstExample) {
    QTest::keyClicks(Find<QLineEdit>("txtFreq"), "");
    model.txtFreq.SetText("14");
    model.txtFreq.LoseFocus();
    model.cboPickCable.Choose(17);
    model.txtResistance.SetText("200");
    model.txtReactance.SetText("-100");
    EXPECT_EQ(Find<QLineEdit>("txtTotalLoss")->text(), "1.703");
    EXPECT_EQ(Find<QLineEdit>("txtImpedIn")->text(), "17.53 - j 23.78");
    EXPECT_EQ(Find<QLineEdit>("txtLoadSWR")->text(), "5.03");
    if (const QByteArray dir = qgetenv("QLX_SCREENSHOT_DIR"); !dir.isEmpty())
        view.grab().save(QString::fromUtf8(dir) + "/main-window-rg213.png");
}

// The window's width does not depend on the unit or the end chosen.
TEST_F(ViewFixture, TheLayoutDoesNotDependOnTheUnit) {
    view.adjustSize();
    const int feet = view.width();
    QTest::mouseClick(Find<QRadioButton>("optMeters"), Qt::LeftButton);
    QTest::mouseClick(Find<QRadioButton>("optInput"), Qt::LeftButton);
    view.adjustSize();
    EXPECT_EQ(view.width(), feet);
    QTest::mouseClick(Find<QRadioButton>("optFeet"), Qt::LeftButton);
    view.adjustSize();
    EXPECT_EQ(view.width(), feet);
}

// No result box hides part of its number: an SWR of 1000000000.00 shows every digit.
TEST_F(ViewFixture, NoFieldHidesPartOfItsNumber) {
    model.txtReactance.SetText("1e29");
    ASSERT_EQ(model.txtLoadSWR.text(), "1000000000.00");
    for (const char* name : {"txtLoadSWR", "txtInputSWR", "txtRho", "txtImpedIn", "txtPolarZ", "txtTotalLoss"}) {
        QLineEdit* e = Find<QLineEdit>(name);
        const int room = e->width() - e->textMargins().left() - e->textMargins().right() - 4;
        EXPECT_LE(QFontMetrics(e->font()).horizontalAdvance(e->text()), room) << name << " " << e->text().toStdString();
    }
}

// A label's access key (Alt and the letter underlined) takes the keyboard to its field, and no
// two controls of the window share a key.
TEST_F(ViewFixture, AnAccessKeyOnALabelTakesTheKeyboardToItsField) {
    QSet<QChar> keys;
    for (QLabel* l : view.findChildren<QLabel*>()) {
        if (!l->property("qlxKey").isValid()) continue;
        EXPECT_FALSE(keys.contains(l->property("qlxKey").toChar())) << l->objectName().toStdString();
        keys.insert(l->property("qlxKey").toChar());
    }
    EXPECT_GT(keys.size(), 10);
    for (const char* name : {"lblFreq", "lblLength", "lblReactance", "lblCable"}) {
        QLabel* l = Find<QLabel>(name);
        ASSERT_NE(l->buddy(), nullptr) << name;
        ASSERT_TRUE(l->property("qlxKey").isValid()) << name << " " << l->text().toStdString();
        Find<QPushButton>("cmdGraph")->setFocus();
        QTest::keyClick(&view, l->property("qlxKey").toChar().toLatin1(), Qt::AltModifier);
        EXPECT_EQ(QApplication::focusWidget(), l->buddy()) << name << " " << l->text().toStdString();
    }
}

// Enter finishes an entry as leaving it does (the tidy-up runs) and moves to the next one.
TEST_F(ViewFixture, EnterFinishesTheEntryAndMovesOn) {
    QLineEdit* freq = Find<QLineEdit>("txtFreq");
    freq->setFocus();
    freq->selectAll();
    QTest::keyClicks(freq, "14");
    QTest::keyClick(freq, Qt::Key_Return);
    EXPECT_EQ(model.txtFreq.text(), "14.0");
    EXPECT_FALSE(freq->hasFocus());
}

}  // namespace
}  // namespace qlx
