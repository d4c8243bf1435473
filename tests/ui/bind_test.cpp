// The bindings outlive no widget: a change made by the logic after a view is destroyed reaches
// nothing (under AddressSanitizer this was a write into freed memory).
#include <gtest/gtest.h>

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTest>
#include <QWidget>

#include "form/form.h"
#include "ui/bind.h"

namespace qlx {
namespace {

TEST(Bind, AChangeAfterTheWidgetIsGoneReachesNothing) {
    form::Window window("frmTest", "Test");
    form::TextField text{window, "txtText"};
    form::Label label{window, "lblLabel"};
    form::Label frame{window, "fraFrame"};
    form::Button button{window, "cmdButton"};
    form::Option option{window, "optOption"};
    form::ListBox list{window, "cboList"};
    list.AddItem("one");
    list.AddItem("two");
    {
        auto* top = new QWidget;
        ui::Bind(new QLineEdit(top), text);
        ui::Bind(new QLabel(top), label);
        ui::Bind(new QGroupBox(top), frame);
        ui::Bind(new QPushButton(top), button);
        ui::Bind(new QRadioButton(top), option);
        ui::Bind(new QComboBox(top), list);
        ui::BindWindow(top, window, false);
        text.SetText("bound");
        EXPECT_EQ(top->findChild<QLineEdit*>()->text(), "bound");
        delete top;
    }
    // Every kind of change, with the widgets gone.
    text.SetText("after");
    label.SetCaption("after");
    frame.SetCaption("after");
    button.SetCaption("after");
    option.Select();
    list.SetPosition(1);
    window.SetCaption("after");
    window.Move(100, 100);
    EXPECT_EQ(text.text(), "after");
    EXPECT_EQ(list.position(), 1);
}

// A status shows as ink, mark and tip together, and goes away whole; the text a user copies
// stays the number alone.
TEST(Bind, AStatusShowsAMarkAnInkAndItsReason) {
    form::Window window("frmTest", "Test");
    form::ResultField text{window, "txtText"};
    form::Label label{window, "lblLabel"};
    QWidget top;
    auto* edit = new QLineEdit(&top);
    auto* shown = new QLabel(&top);
    ui::Bind(edit, text);
    ui::Bind(shown, label);
    text.SetText("-942.19");
    text.SetFore(form::kRed);
    text.SetToolTip("SWR");
    label.SetCaption("Above the rating.");
    const QColor ink(0xB0, 0, 0);
    for (form::Status s : {form::Status::Impossible, form::Status::Warning, form::Status::Normal}) {
        text.SetStatus(s, "why");
        label.SetStatus(s, "why");
        const bool marked = s != form::Status::Normal;
        EXPECT_EQ(edit->text(), "-942.19");
        EXPECT_EQ(edit->actions().size(), marked ? 1 : 0);
        EXPECT_EQ(edit->toolTip(), marked ? "why" : "SWR");
        EXPECT_EQ(edit->palette().color(QPalette::Text), marked ? ink : QColor(Qt::red));
        EXPECT_EQ(shown->text().startsWith(QString::fromUtf8(form::StatusMark(s))), true);
        EXPECT_EQ(shown->text().endsWith("Above the rating."), true);
        EXPECT_EQ(shown->text().size() > 17, marked);
    }
    // The window face the ink is drawn on.
    const QColor face = shown->palette().color(QPalette::Window);
    EXPECT_GE(form::Contrast(form::kStatusInk, static_cast<form::Colour>(face.rgb() & 0xFFFFFF)), 4.5);
}

TEST(Bind, AWindowOpensWithItsTitleBarOnTheScreen) {
    // Positions in twips as TL.DEF keeps them: above and left of the screen, beyond its far
    // corner, and one well on it, which is kept as it is.
    struct Case {
        float left, top;
        bool kept;
    } const cases[] = {{-30, -300, false}, {-15000, 2000, false}, {300000, 300000, false}, {1500, 1500, true}};
    for (const Case& c : cases) {
        form::Window window("frmTest", "Test");
        QWidget top;
        top.resize(300, 200);
        ui::BindWindow(&top, window, false, true);
        window.Move(c.left, c.top);
        window.SetVisible(true);
        top.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&top));
        QTest::qWait(10);
        const QRect avail = top.screen()->availableGeometry();
        const QRect frame = top.frameGeometry();
        EXPECT_GE(frame.top(), avail.top()) << c.left << ";" << c.top;
        EXPECT_GE(frame.left(), avail.left()) << c.left << ";" << c.top;
        EXPECT_LT(frame.top() + 20, avail.bottom()) << c.left << ";" << c.top;
        EXPECT_LT(frame.left() + 40, avail.right()) << c.left << ";" << c.top;
        if (c.kept) {
            const double k = ui::TwipsPerPixel(&top);
            EXPECT_NEAR(frame.left() * k, c.left, k);
            EXPECT_NEAR(frame.top() * k, c.top, k);
        }
    }
}

TEST(Bind, AColourOrCaptionChangeNeverMovesOrResizesAWindow) {
    // A window manager frames a window and places it where it will; the model hears of that late
    // or not at all. A print's colours and a new caption must leave the window where it is.
    form::Window window("frmTest", "Test");
    QWidget top;
    ui::BindWindow(&top, window, true, true);
    window.SetGeometry(1500, 1500, 3000, 4500);  // twips: 100, 100 px; 300 x 200 px
    window.SetVisible(true);
    top.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&top));
    top.hide();
    top.move(top.pos() + QPoint(0, 20));  // placed by someone else while the model looked away
    top.resize(top.size() + QSize(0, 20));
    top.show();
    const QPoint at = top.pos();
    const QSize size = top.size();
    window.SetBack(form::kWhite);
    window.SetCaption("Printing");
    window.SetBack(form::kButtonFace);
    EXPECT_EQ(top.pos(), at);
    EXPECT_EQ(top.size(), size);
    // A position the program sets is still applied.
    window.Move(3000, 3000);
    EXPECT_NEAR(top.frameGeometry().left() * ui::TwipsPerPixel(&top), 3000, 2 * ui::TwipsPerPixel(&top));
}

}  // namespace
}  // namespace qlx
