// The three modal dialogs opened from the main window on an offscreen display, driven with
// keyboard and mouse, with the real Qt host (the Qt tests' watchdog closes a dialog left open).
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <QFile>
#include <QFileInfo>
#include <complex>
#include <fstream>
#include <functional>

#include "../support/complex_tanh.h"
#include "../support/temp_dir.h"

#include "core/entry_rules.h"
#include "core/numbers.h"
#include "mainwin/main_window.h"
#include "ui/dialogs.h"
#include "ui/own_cable_view.h"
#include "ui/main_window_view.h"
#include "ui/qt_host.h"
#include "ui/sweep_view.h"

namespace qlx {
namespace {

class DialogFixture : public ::testing::Test {
protected:
    DialogFixture()
        : model(host, store, &cables), view(model), bridge(model.frmNB, &view), analyser(model.frmAutek, &view),
          user_line(model.frmOtrCable, &view), own_cable(model.frmOwnCable, &user_line) {
        host.SetParent(&view);
        host.Register("frmQLX2", &view);
        host.Register("frmNB", &bridge);
        host.Register("frmAutek", &analyser);
        host.Register("frmOtrCable", &user_line);
        host.Register("frmOwnCable", &own_cable);
        model.Load();
        view.show();
    }

    // Runs `act` on the dialog once it is up, while `open` waits in its modal loop.
    void WhileModal(const char* expected, const std::function<void(QDialog*)>& act,
                    const std::function<void()>& open) {
        bool seen = false;
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            EXPECT_EQ(dialog->objectName(), expected);
            seen = true;
            act(dialog);
        });
        open();  // a dialog left open is closed, and the test failed, by the Qt tests' watchdog
        EXPECT_TRUE(seen) << expected;
        EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    }

    static void Type(QDialog* d, const char* name, const char* text) {
        auto* e = d->findChild<QLineEdit*>(name);
        ASSERT_NE(e, nullptr) << name;
        e->selectAll();
        QTest::keyClicks(e, text);
    }
    static void Press(QDialog* d, const char* name) {
        auto* b = d->findChild<QPushButton*>(name);
        ASSERT_NE(b, nullptr) << name;
        QTest::mouseClick(b, Qt::LeftButton);
    }
    // With QLX_SCREENSHOT_DIR set, the dialog as shown is saved there for the documentation.
    static void Snapshot(QDialog* d) {
        const QByteArray dir = qgetenv("QLX_SCREENSHOT_DIR");
        if (!dir.isEmpty()) d->grab().save(QString::fromUtf8(dir) + "/" + d->objectName() + ".png");
    }
    QRadioButton* Radio(const char* name) { return view.findChild<QRadioButton*>(name); }

    ui::QtHost host;
    MemoryDefaultsStore store, cables;
    MainWindow model;
    ui::MainWindowView view;
    ui::NoiseBridgeView bridge;
    ui::AnalyserView analyser;
    ui::UserLineView user_line;
    ui::OwnCableView own_cable;
};

TEST_F(DialogFixture, NoiseBridgeOkPutsTheImpedanceAtTheLineInput) {
    model.txtFreq.SetText("14");
    WhileModal("frmNB",
               [&](QDialog* d) {
                   EXPECT_EQ(d->windowTitle(), "Input from Parallel-Form Noise Bridge ");
                   EXPECT_EQ(d->findChild<QLineEdit*>("txtExtender")->text(), "0");
                   Type(d, "txtResist", "100");
                   Type(d, "txtReact", "100");
                   EXPECT_EQ(d->findChild<QLineEdit*>("txtCompZ")->text(), "56.38 - j 49.59");
                   Snapshot(d);
                   Press(d, "cmdOK");
               },
               [&] { QTest::mouseClick(Radio("optNoiseBridge"), Qt::LeftButton); });
    EXPECT_EQ(view.findChild<QLineEdit*>("txtResistance")->text(), "56.38");
    EXPECT_EQ(view.findChild<QLineEdit*>("txtReactance")->text(), "-49.59");
    EXPECT_TRUE(Radio("optInput")->isChecked());
    EXPECT_TRUE(Radio("optNormal")->isChecked());
}

TEST_F(DialogFixture, EscapeAndTheCloseControlCancelAnInstrumentDialog) {
    // The impedance at the input first, then each way out of each instrument dialog that is not
    // OK: every one leaves it at the input, as Cancel does, and selects Normal.
    const std::function<void(QDialog*)> leave[] = {
        [](QDialog* d) { Press(d, "cmdCancel"); },
        [](QDialog* d) { QTest::keyClick(d, Qt::Key_Escape); },
        [](QDialog* d) { d->close(); },
    };
    for (const char* source : {"optNoiseBridge", "optAutek"})
        for (std::size_t way = 0; way < 3; ++way) {
            model.optInput.Select();
            ASSERT_TRUE(Radio("optInput")->isChecked());
            WhileModal(std::string(source) == "optAutek" ? "frmAutek" : "frmNB", leave[way],
                       [&] { QTest::mouseClick(Radio(source), Qt::LeftButton); });
            EXPECT_TRUE(Radio("optInput")->isChecked()) << source << " way " << way;
            EXPECT_TRUE(Radio("optNormal")->isChecked()) << source << " way " << way;
        }
}

TEST_F(DialogFixture, AnalyserOkAndCancelReachTheMainWindow) {
    WhileModal("frmAutek",
               [&](QDialog* d) {
                   Type(d, "txtAutekZ", "100");
                   QTest::mouseClick(d->findChild<QRadioButton*>("optNegative"), Qt::LeftButton);
                   Type(d, "txtAutekSWR", "2.5");
                   EXPECT_EQ(d->findChild<QLineEdit*>("txtMinSWR")->text(), "2.0");
                   EXPECT_EQ(d->findChild<QLineEdit*>("txtCalcZ")->text(), "86.2 +/- j 50.7");
                   Snapshot(d);
                   Press(d, "cmdOK");
               },
               [&] { QTest::mouseClick(Radio("optAutek"), Qt::LeftButton); });
    EXPECT_EQ(model.txtResistance.text(), "86.21");
    EXPECT_EQ(model.txtReactance.text(), "-50.68");
    EXPECT_TRUE(Radio("optInput")->isChecked());

    WhileModal("frmAutek", [&](QDialog* d) { Press(d, "cmdCancel"); },
               [&] { QTest::mouseClick(Radio("optAutek"), Qt::LeftButton); });
    EXPECT_TRUE(Radio("optInput")->isChecked());
    EXPECT_TRUE(Radio("optNormal")->isChecked());
    EXPECT_EQ(model.txtResistance.text(), "86.21");
}

TEST_F(DialogFixture, UserDefinedLineOkStoresTheLineAndClosingKeepsIt) {
    auto* list = view.findChild<QComboBox*>("cboPickCable");
    WhileModal("frmOtrCable",
               [&](QDialog* d) {
                   EXPECT_EQ(d->windowTitle(), "User-Defined Transmission Line");
                   EXPECT_EQ(d->findChild<QLineEdit*>("txtR0")->text(), "449.900");
                   EXPECT_EQ(d->findChild<QLabel*>("lblSX0")->text(), "-0.949");
                   Snapshot(d);
                   Type(d, "txtR0", "300");
                   Press(d, "cmdCompute");
                   EXPECT_EQ(d->findChild<QLineEdit*>("txtX0")->text(), "-0.633");
                   Press(d, "cmdOK");
               },
               [&] {
                   list->setCurrentIndex(32);
                   emit list->activated(32);
               });
    EXPECT_EQ(view.findChild<QLineEdit*>("txtZ0")->text(), "300.0 - j 0.63");
    const auto lines = SplitDefaultsText(*store.content);
    EXPECT_EQ(lines.at(1), " 300 ");
    EXPECT_EQ(lines.at(13), " 32 ");

    // Closed with its own close control: nothing is written.
    const std::string file = *store.content;
    WhileModal("frmOtrCable",
               [&](QDialog* d) {
                   Type(d, "txtR0", "75");
                   d->reject();
               },
               [&] { emit list->activated(32); });
    EXPECT_EQ(*store.content, file);
    EXPECT_EQ(model.frmOtrCable.txtR0.text(), "300.000");
}

// Fit… and Measure… from the user-defined line's dialog: a maker's table and a sample's two files
// give a cable that is kept in QLX cables.txt and listed after the user-defined line.
TEST_F(DialogFixture, FitAndMeasureKeepACableOfYourOwnInTheList) {
    auto* list = view.findChild<QComboBox*>("cboPickCable");
    // A sample of 10 m of a line with Z0 = 50 - j0.3, velocity factor 0.70 and 0.5 dB/100 ft at
    // 10 MHz growing with the root of the frequency, open and shorted: the textbook's
    // Zin = Z0 coth(γl) and Z0 tanh(γl), written as Touchstone Z parameters (normalised to 50 ohms).
    const testing::TempDir dir("qlx-own-cable-");
    std::string open_text = "# MHz Z RI R 50\n", short_text = open_text;
    {
        const std::complex<double> z0(50.0, -0.3);
        for (double f = 1.0; f <= 30.0; f += 0.5) {
            const double alpha = 0.5 * std::sqrt(f / 10.0) / 100.0 / 8.685889638 * kFeetPerMeterDouble;  // Np/m
            const double beta = 2.0 * 3.14159265358979 * f * 1e6 / (0.70 * 299792458.0);
            const std::complex<double> t = TextbookTanh(std::complex<double>(alpha, beta) * 10.0);
            const std::complex<double> zo = z0 / t / 50.0, zs = z0 * t / 50.0;
            open_text += std::to_string(f) + " " + std::to_string(zo.real()) + " " + std::to_string(zo.imag()) + "\n";
            short_text += std::to_string(f) + " " + std::to_string(zs.real()) + " " + std::to_string(zs.imag()) + "\n";
        }
    }
    const std::string open_file = dir.Write("open.s1p", open_text), short_file = dir.Write("short.s1p", short_text);
    const auto fit = [&](QDialog* own) {
        EXPECT_EQ(own->windowTitle(), "Cable of Your Own");
        Type(own, "txtName", "LMR-400 of mine");
        Type(own, "txtCableR0", "50");
        Type(own, "txtCableVF", "0.85");
        Type(own, "txtPoints", "900:3.9,2500:6.76");
        Press(own, "cmdCalculate");
        // 3.90 and 6.76 dB/100 ft at 900 and 2500 MHz: 30 k1 + 900 k2 = 3.9 and 50 k1 + 2500 k2 = 6.76
        // give k2 = 0.26 / 1000 and k1 = (3.9 - 0.234) / 30.
        EXPECT_EQ(own->findChild<QLineEdit*>("txtK1")->text(), "0.1222");
        EXPECT_EQ(own->findChild<QLineEdit*>("txtK2")->text(), "0.00026");
        QApplication::processEvents();  // the chart lays out its axes
        Snapshot(own);
        Press(own, "cmdSave");
        EXPECT_TRUE(own->findChild<QLabel*>("lblStatus")->text().startsWith("Kept in QLX cables.txt"));
        Press(own, "cmdClose");
    };
    const auto measure = [&](QDialog* own) {
        Type(own, "txtName", "Sample");
        Type(own, "txtOpenFile", open_file.c_str());
        Type(own, "txtShortFile", short_file.c_str());
        Type(own, "txtSampleLength", "10");
        QTest::mouseClick(own->findChild<QRadioButton*>("optSampleMeters"), Qt::LeftButton);
        Press(own, "cmdCalculate");
        EXPECT_EQ(own->findChild<QLineEdit*>("txtCableVF")->text(), "0.700");
        EXPECT_EQ(own->findChild<QLineEdit*>("txtCableR0")->text(), "50.00");
        QApplication::processEvents();
        const QByteArray shots = qgetenv("QLX_SCREENSHOT_DIR");
        if (!shots.isEmpty()) own->grab().save(QString::fromUtf8(shots) + "/frmOwnCable-measure.png");
        Press(own, "cmdSave");
        Press(own, "cmdClose");
    };
    for (const auto& [button, act] : {std::pair{"cmdFit", std::function<void(QDialog*)>(fit)},
                                      std::pair{"cmdMeasure", std::function<void(QDialog*)>(measure)}}) {
        WhileModal("frmOtrCable",
                   [&, button = button, act = act](QDialog* d) {
                       QTimer::singleShot(0, [&] {
                           auto* own = qobject_cast<QDialog*>(QApplication::activeModalWidget());
                           ASSERT_NE(own, nullptr);
                           EXPECT_EQ(own->objectName(), "frmOwnCable");
                           act(own);
                       });
                       Press(d, button);
                       Press(d, "cmdOK");
                   },
                   [&] {
                       list->setCurrentIndex(32);
                       emit list->activated(32);
                   });
    }
    ASSERT_EQ(list->count(), 35);
    EXPECT_EQ(list->itemText(33), " LMR-400 of mine");
    EXPECT_EQ(list->itemText(34), " Sample");
    const auto kept = ReadOwnCables(SplitDefaultsText(*cables.content, kMaxCablesLines, kMaxCableLineLength));
    ASSERT_EQ(kept.cables.size(), 2u);
    EXPECT_NEAR(kept.cables[1].vf, 0.70, 1e-3);
    // Chosen, the measured cable gives the sample's velocity factor in the main window.
    list->setCurrentIndex(34);
    emit list->activated(34);
    EXPECT_EQ(view.findChild<QLineEdit*>("txtVF")->text().left(4), "0.7");
}

// Entries look like entries (white), Enter presses OK, and the analyser hands over only the
// impedance of the readings shown: a new |Z| recomputes it before OK.
TEST_F(DialogFixture, EntriesAreWhiteEnterPressesOkAndTheAnalyserNeverHandsOverAStaleResult) {
    const auto white = [](QDialog* d, const char* name) {
        auto* e = d->findChild<QLineEdit*>(name);
        return e && e->palette().color(QPalette::Base) == QColor(Qt::white);
    };
    WhileModal("frmAutek",
               [&](QDialog* d) {
                   EXPECT_TRUE(white(d, "txtAutekZ"));
                   EXPECT_TRUE(white(d, "txtAutekSWR"));
                   EXPECT_FALSE(white(d, "txtCalcZ"));  // a result stays on the face colour
                   Type(d, "txtAutekZ", "100");
                   Type(d, "txtAutekSWR", "2.5");
                   EXPECT_EQ(d->findChild<QLineEdit*>("txtCalcZ")->text(), "86.2 +/- j 50.7");
                   Type(d, "txtAutekZ", "80");  // the result follows the new |Z|
                   EXPECT_NE(d->findChild<QLineEdit*>("txtCalcZ")->text(), "86.2 +/- j 50.7");
                   QTest::keyClick(d->findChild<QLineEdit*>("txtAutekSWR"), Qt::Key_Return);
               },
               [&] { QTest::mouseClick(Radio("optAutek"), Qt::LeftButton); });
    const double r = model.frmAutek.AutekR;
    EXPECT_NEAR(ParseNumber(model.txtResistance.text()), r, 0.01);
    EXPECT_NEAR(r * r + model.frmAutek.AutekX * model.frmAutek.AutekX, 80.0 * 80.0, 1.0);
    WhileModal("frmNB",
               [&](QDialog* d) {
                   for (const char* name : {"txtResist", "txtReact", "txtExtender"}) EXPECT_TRUE(white(d, name)) << name;
                   model.txtFreq.SetText("14");
                   Type(d, "txtResist", "100");
                   Type(d, "txtReact", "100");
                   QTest::keyClick(d->findChild<QLineEdit*>("txtReact"), Qt::Key_Return);
               },
               [&] { QTest::mouseClick(Radio("optNoiseBridge"), Qt::LeftButton); });
    EXPECT_EQ(model.txtResistance.text(), "56.38");
}

TEST_F(DialogFixture, PrintAsksFirstAndReportsAMissingPrinterWithSaveAsPdf) {
    // The paper is a PDF file of this test's own; in a folder that does not exist it cannot be
    // written, as a printer that is missing cannot print. Then the message's "Save as PDF..."
    // saves the window where the user says.
    enum class Way { Paper, Continue, SavePdf };
    const std::string base = ::testing::TempDir() + "qlx-print-" + std::to_string(QCoreApplication::applicationPid());
    const QString saved = QString::fromStdString(base + "-saved.pdf");
    host.choose_pdf = [&](QWidget*, const QString& suggested) {
        EXPECT_TRUE(suggested.endsWith(".pdf"));
        return saved;
    };
    for (const Way way : {Way::Paper, Way::Continue, Way::SavePdf}) {
    const std::string pdf = way == Way::Paper ? base + ".pdf" : ::testing::TempDir() + "missing-folder/qlx.pdf";
    host.PrintToFile(pdf);
    // Answers each message box as it comes, recording its text.
    std::vector<std::string> boxes;
    std::function<void()> answer = [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) return;
        boxes.push_back(box->text().toStdString());
        const bool question = box->text().startsWith("Are you sure");
        const QString wanted = question ? "&Yes" : way == Way::SavePdf ? "Save as &PDF\u2026" : "&Continue";
        for (QAbstractButton* b : box->buttons())
            if (b->text() == wanted) {
                QTimer::singleShot(0, answer);  // the next box, if any, opens from this click
                b->click();
                return;
            }
        ADD_FAILURE() << "no button " << wanted.toStdString();
        box->close();
    };
    QTimer::singleShot(0, answer);
    QTest::mouseClick(view.findChild<QPushButton*>("cmdPrint"), Qt::LeftButton);
    ASSERT_FALSE(boxes.empty());
    EXPECT_EQ(boxes[0], "Are you sure you want to print? ");
    if (way == Way::Paper) {
        EXPECT_EQ(boxes.size(), 1u);  // printed without a word
        EXPECT_GT(QFileInfo(QString::fromStdString(pdf)).size(), 0) << pdf;
        QFile::remove(QString::fromStdString(pdf));
    } else {
        ASSERT_EQ(boxes.size(), 2u);
        EXPECT_EQ(boxes[1], "Printer problem. ");
        EXPECT_EQ(QFileInfo(saved).size() > 0, way == Way::SavePdf);
        QFile::remove(saved);
    }
    EXPECT_EQ(model.lblZ0.back(), form::kButtonFace);
    EXPECT_EQ(model.window.back(), form::kButtonFace);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    }
}

TEST_F(DialogFixture, AMessageOpensOverTheWindowThatRaisedItWithItsTitleWhole) {
    ui::SweepView sweep(model.frmSweep);
    host.Register("frmSweep", &sweep);
    model.cmdSweep.Click();
    sweep.show();
    sweep.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&sweep));
    ASSERT_TRUE(QTest::qWaitFor([this] { return !model.frmSweep.running(); }, 5000));
    model.frmSweep.txtPoints.SetText("1");
    QWidget* over = nullptr;
    QString title;
    int width = 0, title_width = 0;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) return;
        over = box->parentWidget() ? box->parentWidget()->window() : nullptr;
        title = box->windowTitle();
        width = box->width();
        title_width = box->fontMetrics().horizontalAdvance(title);
        box->close();
    });
    model.frmSweep.cmdSweep.Click();
    EXPECT_EQ(title, "Bad Number of Points!");
    EXPECT_EQ(over, &sweep);  // not the main window, which would come up over the sweep
    EXPECT_GT(width, title_width + 60);
}

// One message per event, whole: a refused entry typed in the window raises its box once (the box
// taking the focus is no "leaving the field"), and every box shows each word of its text, from a
// one-word note to the longest the program writes.
TEST_F(DialogFixture, AMessageComesOnceAndShowsEveryWord) {
    view.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&view));
    std::vector<QString> texts;
    QString clipped;
    std::function<void()> answer = [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) return;
        texts.push_back(box->text());
        auto* label = box->findChild<QLabel*>("qt_msgbox_label");
        // Each word within the label's width, and the wrapped text within its height.
        for (const QString& word : box->text().split(QRegularExpression("[\\s\\x{200B}]+"), Qt::SkipEmptyParts))
            if (label->fontMetrics().horizontalAdvance(word) > label->contentsRect().width()) clipped += word + " ";
        if (label->heightForWidth(label->width()) > label->height()) clipped += "(height) ";
        if (box->width() > box->screen()->availableGeometry().width()) clipped += "(wider than the screen) ";
        box->close();
    };
    QLineEdit* freq = view.findChild<QLineEdit*>("txtFreq");
    freq->setFocus();
    freq->selectAll();
    QTimer::singleShot(0, answer);
    QTest::keyClicks(freq, "6000");
    QApplication::processEvents();
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0], kBadFrequencyText);

    const std::string path = "/home/a-user-with-a-long-name/Documents/antennas/measurements/2026/" + std::string(120, 'x') + ".s1p";
    for (const std::string& text :
         {std::string("Printer problem. "), std::string("Are you sure you want to Exit?"), std::string(kBadFrequencyText),
          std::string(form::kTextCutMessage), "The file could not be read:\n" + path + "\nline 3: frequencies out of order"}) {
        texts.clear();
        QTimer::singleShot(0, answer);
        host.ShowMessage(text, "QLX", form::Buttons::YesNo);
        EXPECT_EQ(texts.size(), 1u);
    }
    EXPECT_EQ(clipped.toStdString(), "");
}

}  // namespace
}  // namespace qlx
