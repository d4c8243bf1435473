// The tuner's result page on an offscreen display: "&Draw Tuner" shows it with its schematic and
// every box; "&Cancel" and "&Main Screen" hide what they should; a missing picture leaves the
// values readable.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <vector>
#include <QScrollArea>

#include "mainwin/main_window.h"
#include "support/scripted_host.h"
#include "ui/main_window_view.h"
#include "ui/tuner_page_view.h"
#include "ui/tuner_view.h"

namespace qlx {
namespace {

// Whether all of a page's lines and picture are in view, nothing left to scroll to.
bool ShowsWhole(const QWidget& page) {
    const auto* area = page.findChild<QScrollArea*>();
    const QSize wanted = area->widget()->sizeHint();
    return area->viewport()->height() >= wanted.height() && area->viewport()->width() >= wanted.width();
}

class TunerPageViewTest : public ::testing::Test {
protected:
    TunerPageViewTest()
        : model(host, store),
          view(model),
          tuner(model.frmTuner),
          page(model.frmTuner.frmTuner1),
          tee_page(model.frmTuner.frmTuner2) {
        // The schematics are drawn into the build's program directory, beside this test.
        host.program_dir = QCoreApplication::applicationDirPath().toStdString();
        model.Load();
        view.show();
        QTest::mouseClick(view.findChild<QPushButton*>("cmdTuner"), Qt::LeftButton);
        tuner.show();
    }
    // Types the line input, picks the low-pass L and presses "&Draw Tuner" as a user does.
    void Draw(const char* r, const char* x) {
        model.optInput.Select();
        model.txtResistance.SetText(r);
        model.txtReactance.SetText(x);
        DrawLowPassL();
    }
    void DrawLowPassL() {
        QTest::mouseClick(tuner.findChild<QRadioButton*>("optLNet2"), Qt::LeftButton);
        QTest::mouseClick(tuner.findChild<QPushButton*>("cmdDrawTuner"), Qt::LeftButton);
        if (model.frmTuner.frmTuner1.window.visible()) page.show();  // the scripted host shows nothing
    }
    QLineEdit* Box(const char* name) { return page.findChild<QLineEdit*>(name); }
    void Snapshot(const char* name) {
        const QByteArray dir = qgetenv("QLX_SCREENSHOT_DIR");
        // The page grows to a longer design once the window's layout has followed it.
        EXPECT_TRUE(QTest::qWaitFor([this] { return ShowsWhole(page); }, 5000)) << name;
        if (!dir.isEmpty()) page.grab().save(QString::fromUtf8(dir) + "/" + name + ".png");
    }

    testing::ScriptedHost host;
    MemoryDefaultsStore store;
    MainWindow model;
    ui::MainWindowView view;
    ui::TunerView tuner;
    ui::TunerPageView page;
    ui::TunerPageView tee_page;
};

TEST_F(TunerPageViewTest, EscapeIsThePagesCancel) {
    Draw("200", "0");
    ASSERT_TRUE(page.isVisible());
    QTest::keyClick(Box("txtFreq"), Qt::Key_Escape);  // from a result box inside the page
    EXPECT_FALSE(model.frmTuner.frmTuner1.window.visible());
    EXPECT_FALSE(page.isVisible());
    EXPECT_TRUE(model.frmTuner.window.visible());  // back on the tuner window, as Cancel goes
}

TEST_F(TunerPageViewTest, DrawTunerShowsThePageWithItsPictureAndEveryBox) {
    Draw("200", "0");
    ASSERT_TRUE(page.isVisible());
    EXPECT_EQ(page.windowTitle(), "Low-Pass L-Network");
    EXPECT_FALSE(page.schematic()->pixmap().isNull());
    EXPECT_EQ(Box("TxtMidX")->text(), "3.92 uH");
    EXPECT_EQ(Box("txtRightX")->text(), "386.3 pF");  // what to fit beside the 10 pF stray
    EXPECT_TRUE(Box("TxtMidX")->isVisible());
    EXPECT_FALSE(Box("txtLeftX")->isVisible());
    EXPECT_FALSE(Box("txtPwr4")->isVisible());
    EXPECT_EQ(Box("txtPwr2")->text(), "L1");
    EXPECT_TRUE(Box("txtSWRLine")->text().startsWith("Eff. Q = "));
    EXPECT_TRUE(Box("txtSWRLine")->isReadOnly());
    // Each value box lies over the picture, within its bounds.
    for (const char* name : {"TxtMidX", "txtRightX", "txtInputR", "txtLoadZ"}) {
        const QRect r = Box(name)->geometry();
        EXPECT_TRUE(page.schematic()->geometry().contains(r)) << name;
    }

    Draw("20", "0");
    EXPECT_TRUE(Box("txtLeftX")->isVisible());
    EXPECT_EQ(Box("txtRightX")->text(), " 10 pF");
}

// The two lines of the README: the start-up line (the load-side shunt) and RG-213 at 14 MHz,
// 100 feet, 200 - j100 ohms at the load (the input-side shunt).
TEST_F(TunerPageViewTest, TheStartUpLineAndAMismatchedOne) {
    DrawLowPassL();
    ASSERT_TRUE(page.isVisible());
    EXPECT_EQ(Box("txtLoadZ")->text(), "50.64 + j 0.86 Ohms");
    EXPECT_EQ(Box("txtPwr2")->text(), "L1");
    Snapshot("tuner-low-pass-l-start-up-line");
    model.txtFreq.SetText("14");
    model.cboPickCable.Choose(17);
    model.txtResistance.SetText("200");
    model.txtReactance.SetText("-100");
    DrawLowPassL();
    EXPECT_EQ(Box("txtLoadZ")->text(), "17.53 - j 23.78 Ohms");
    EXPECT_EQ(Box("txtPwr2")->text(), "C1");
    EXPECT_EQ(Box("txtLeftX")->text(), "315.9 pF");
    Snapshot("tuner-low-pass-l-rg213");
}

// The builder's comparison for RG-213, 14 MHz, 100 feet, 200 - j100 ohms: the window's rows, a
// row's button drawing its page, and that page's swept line.
TEST_F(TunerPageViewTest, TheComparisonListsEveryNetworkAndARowDrawsItsPage) {
    ui::CompareView compare(model.frmTuner.frmCompare);
    model.txtFreq.SetText("14");
    model.cboPickCable.Choose(17);
    model.txtResistance.SetText("200");
    model.txtReactance.SetText("-100");
    QTest::mouseClick(tuner.findChild<QPushButton*>("cmdCompare"), Qt::LeftButton);
    compare.show();
    ASSERT_TRUE(model.frmTuner.frmCompare.window.visible());
    auto* first = compare.findChild<QPushButton*>("cmdRow0");
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->text(), "Low-Pass L-Network");
    EXPECT_TRUE(compare.findChild<QLabel*>("lblRow0")->text().contains("2:1 SWR"));
    EXPECT_TRUE(compare.findChild<QLineEdit*>("txtSummary")->text().startsWith("Lowest loss"));
    const QByteArray dir = qgetenv("QLX_SCREENSHOT_DIR");
    if (!dir.isEmpty()) compare.grab().save(QString::fromUtf8(dir) + "/tuner-compare.png");
    QTest::mouseClick(first, Qt::LeftButton);
    page.show();
    EXPECT_EQ(page.windowTitle(), "Low-Pass L-Network");
    EXPECT_TRUE(Box("txtBand")->isVisible());
    EXPECT_TRUE(Box("txtBand")->text().startsWith("Tuner fixed, load held at 200.0 - j 100.0 ohms"));
    Snapshot("tuner-low-pass-l-swept");
}

TEST_F(TunerPageViewTest, CancelAndMainScreenHideWhatTheyShould) {
    Draw("200", "0");
    QTest::mouseClick(page.findChild<QPushButton*>("cmdBack"), Qt::LeftButton);
    EXPECT_FALSE(page.isVisible());
    EXPECT_TRUE(tuner.isVisible());
    Draw("200", "0");
    ASSERT_TRUE(page.isVisible());
    QTest::mouseClick(page.findChild<QPushButton*>("cmdContinue"), Qt::LeftButton);
    EXPECT_FALSE(page.isVisible());
    EXPECT_FALSE(tuner.isVisible());
    EXPECT_TRUE(view.isVisible());
}

TEST_F(TunerPageViewTest, AFailedDesignHidesThePage) {
    Draw("200", "0");
    ASSERT_TRUE(page.isVisible());
    Draw("50", "-50");  // "Can't match this."
    EXPECT_FALSE(page.isVisible());
    ASSERT_FALSE(host.messages.empty());
    EXPECT_EQ(host.messages.back().text, "Can't match this.");
}

TEST_F(TunerPageViewTest, AMissingPictureLeavesTheValuesReadable) {
    host.program_dir = "/nonexistent";
    Draw("200", "0");
    ASSERT_TRUE(page.isVisible());
    EXPECT_TRUE(page.schematic()->pixmap().isNull());
    EXPECT_TRUE(Box("TxtMidX")->isVisible());
    EXPECT_EQ(Box("TxtMidX")->text(), "3.92 uH");
}

// Each network on its page: the picture loaded, every value box over it, the table filled.
TEST_F(TunerPageViewTest, EveryNetworkDrawsACompletePage) {
    struct Case {
        const char* option;
        const char* r;
        const char* x;
        const char* freq;
        const char* shot;
        int columns;
        bool stray_beyond;  // the stray drawn beyond the right element, with its own box
    };
    const Case cases[] = {
        {"optLNet1", "200", "0", "3.5", "tuner-high-pass-l-a", 2, false},
        {"optLNet1", "20", "0", "3.5", "tuner-high-pass-l-b", 2, false},
        {"optLNet2", "200", "0", "3.5", "tuner-low-pass-l-load-shunt", 2, true},
        {"optPiNet", "200", "0", "3.5", "tuner-pi", 3, true},
        {"optTeeNet", "20", "0", "14", "tuner-tee", 3, true},
    };
    for (const Case& c : cases) {
        model.txtFreq.SetText(c.freq);
        model.optInput.Select();
        model.txtResistance.SetText(c.r);
        model.txtReactance.SetText(c.x);
        QTest::mouseClick(tuner.findChild<QRadioButton*>(c.option), Qt::LeftButton);
        host.messages.clear();
        QTest::mouseClick(tuner.findChild<QPushButton*>("cmdDrawTuner"), Qt::LeftButton);
        EXPECT_TRUE(host.messages.empty()) << c.shot;
        const bool tee = std::string(c.option) == "optTeeNet";
        ui::TunerPageView& v = tee ? tee_page : page;
        ASSERT_TRUE((tee ? model.frmTuner.frmTuner2 : model.frmTuner.frmTuner1).window.visible()) << c.shot;
        v.show();
        // The page, already open for the case before, grows to this design's lines: on this
        // screen all of it shows, nothing to scroll.
        EXPECT_TRUE(QTest::qWaitFor([&v] { return ShowsWhole(v); }, 5000)) << c.shot;
        EXPECT_FALSE(v.schematic()->pixmap().isNull()) << c.shot;
        for (const char* name : {"txtInputR", "txtLoadZ", "TxtMidX", "txtRightX"}) {
            const QLineEdit* box = v.findChild<QLineEdit*>(name);
            EXPECT_TRUE(box->isVisible()) << c.shot << " " << name;
            EXPECT_TRUE(v.schematic()->geometry().contains(box->geometry())) << c.shot << " " << name;
            EXPECT_FALSE(box->text().isEmpty()) << c.shot << " " << name;
        }
        EXPECT_EQ(v.findChild<QLineEdit*>("txtPwr4")->isVisible(), c.columns == 3) << c.shot;
        EXPECT_EQ(v.findChild<QLineEdit*>("txtCStray")->isVisible(), c.stray_beyond) << c.shot;
        // No value hides another.
        std::vector<const QLineEdit*> shown;
        for (const char* name : {"txtInputR", "txtLoadZ", "txtLeftX", "TxtMidX", "txtRightX", "txtCStray"})
            if (const auto* box = v.findChild<QLineEdit*>(name); box->isVisible()) shown.push_back(box);
        for (std::size_t i = 0; i < shown.size(); ++i)
            for (std::size_t j = i + 1; j < shown.size(); ++j)
                EXPECT_FALSE(shown[i]->geometry().intersects(shown[j]->geometry()))
                    << c.shot << ": " << shown[i]->objectName().toStdString() << " over "
                    << shown[j]->objectName().toStdString();
        const QByteArray dir = qgetenv("QLX_SCREENSHOT_DIR");
        if (!dir.isEmpty()) v.grab().save(QString::fromUtf8(dir) + "/" + c.shot + ".png");
    }
}


// On a laptop's 1366 x 768 screen with a panel, the whole page, a notes line shown, is on the
// screen wherever it was left: the buttons in view, the picture and its values reached by
// scrolling inside the page.
TEST_F(TunerPageViewTest, TheWholePageFitsALaptopScreen) {
    model.txtFreq.SetText("28.5");
    Draw("600", "300");
    ASSERT_TRUE(page.findChild<QLineEdit*>("txtNotes")->isVisible());
    QCoreApplication::processEvents();  // the fit to the test's own screen, when shown, is done
    const QRect work_area(0, 0, 1366, 768 - 30);
    constexpr int kTitleBar = 30;
    for (const QPoint left_at : {QPoint(0, 0), QPoint(900, 500), QPoint(-200, -50)}) {
        page.move(left_at);
        page.FitInto(work_area, kTitleBar);
        const QRect outer(page.pos(), QSize(page.width(), page.height() + kTitleBar));
        EXPECT_TRUE(work_area.contains(outer)) << left_at.x() << "," << left_at.y();
        for (const char* name : {"cmdPrint", "cmdBack", "cmdContinue"}) {
            const auto* b = page.findChild<QPushButton*>(name);
            ASSERT_NE(b, nullptr) << name;
            EXPECT_TRUE(page.rect().contains(QRect(b->mapTo(&page, QPoint(0, 0)), b->size()))) << name;
        }
    }
    // The picture and the value boxes over it are reached by scrolling, not cut off.
    auto* area = page.findChild<QScrollArea*>();
    ASSERT_NE(area, nullptr);
    area->ensureWidgetVisible(Box("txtLoadZ"), 0, 0);
    QCoreApplication::processEvents();
    const QRect visible(area->viewport()->mapTo(&page, QPoint(0, 0)), area->viewport()->size());
    const QLineEdit* load_box = Box("txtLoadZ");
    EXPECT_TRUE(visible.contains(QRect(load_box->mapTo(&page, QPoint(0, 0)), load_box->size())));
}
}  // namespace
}  // namespace qlx
