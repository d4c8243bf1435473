// The bindings outlive no widget: a change made by the logic after a view is destroyed reaches
// nothing (under AddressSanitizer this was a write into freed memory).
#include <gtest/gtest.h>

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
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

}  // namespace
}  // namespace qlx
