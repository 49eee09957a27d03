// The console's buttons from the mouse and the keyboard: the second press of a double click
// gives a double click only, Space clicks a focused button as the mouse does, and Shift+Space on
// a grid button gives what a mouse double click gives.
#include <gtest/gtest.h>

#include <QKeyEvent>
#include <QMouseEvent>
#include <QTest>
#include <string>
#include <vector>

#include "console/ant_func_button.h"
#include "console/color_scheme.h"
#include "console/rotator_button.h"
#include "console_test_support.h"

namespace {

using Signals = std::vector<std::string>;

// One input event: a key going down or up (auto-repeated or not), or a mouse click or double
// click (press, release, double click, release).
struct Step {
    enum Kind { Down, Up, RepeatDown, RepeatUp, MouseClick, MouseDoubleClick } kind;
    Qt::Key key = Qt::Key_Space;
    Qt::KeyboardModifiers modifiers = Qt::NoModifier;
};

void Send(QWidget& button, const Step& step) {
    if (step.kind == Step::MouseClick || step.kind == Step::MouseDoubleClick) {
        const QPointF at(10, 10);
        for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease,
                                  QEvent::MouseButtonDblClick, QEvent::MouseButtonRelease}) {
            const bool held = type != QEvent::MouseButtonRelease;
            QMouseEvent event(type, at, button.mapToGlobal(at), Qt::LeftButton,
                              held ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
            QApplication::sendEvent(&button, &event);
            if (step.kind == Step::MouseClick && type == QEvent::MouseButtonRelease) {
                return;
            }
        }
        return;
    }
    const bool down = step.kind == Step::Down || step.kind == Step::RepeatDown;
    const bool repeat = step.kind == Step::RepeatDown || step.kind == Step::RepeatUp;
    QKeyEvent event(down ? QEvent::KeyPress : QEvent::KeyRelease, step.key, step.modifiers,
                    QString(), repeat);
    QApplication::sendEvent(&button, &event);
}

class Keyboard : public testing::Test {
protected:
    void SetUp() override {
        grid_.setGeometry(0, 0, 95, 41);
        rotator_.setGeometry(0, 50, 95, 41);
        for (OwnerDrawButton* button :
             {static_cast<OwnerDrawButton*>(&grid_), static_cast<OwnerDrawButton*>(&rotator_)}) {
            const std::string name = button == &grid_ ? "grid " : "rotator ";
            QObject::connect(button, &QAbstractButton::clicked,
                             [this, name] { signals_.push_back(name + "clicked"); });
            QObject::connect(button, &OwnerDrawButton::doubleClicked,
                             [this, name] { signals_.push_back(name + "doubleClicked"); });
        }
        face_.show();
        face_.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&face_));
    }

    ColorScheme scheme_;
    QWidget face_;
    CAntFuncButton grid_{5, scheme_, &face_};
    CRotatorButton rotator_{20, scheme_, &face_};
    Signals signals_;
};

TEST_F(Keyboard, SpaceAndShiftSpaceGiveWhatTheMouseGives) {
    const Signals click = {"grid clicked"}, doubleClick = {"grid clicked", "grid doubleClicked"};
    const Qt::KeyboardModifiers No = Qt::NoModifier, Shift = Qt::ShiftModifier;
    const Qt::Key Space = Qt::Key_Space;
    enum OnClick { Nothing, Hide, Disable };
    const struct {
        const char* behaviour;
        bool onGrid;  // else the rotator button
        std::vector<Step> steps;
        Signals given;
        OnClick onClick = Nothing;  // what the click's handler does to the button
    } rows[] = {
        {"mouse click", true, {{Step::MouseClick}}, click},
        {"mouse double click: the second press gives a double click only",
         true,
         {{Step::MouseDoubleClick}},
         doubleClick},
        {"Space", true, {{Step::Down}, {Step::Up}}, click},
        {"Shift+Space", true, {{Step::Down, Space, Shift}, {Step::Up, Space, Shift}}, doubleClick},
        {"Shift held only while Space went down still counts",
         true,
         {{Step::Down, Space, Shift}, {Step::Up, Space, No}},
         doubleClick},
        {"Shift let go before Space still counts, once",
         true,
         {{Step::Down, Space, Shift}, {Step::Up, Qt::Key_Shift, No}, {Step::Up, Space, No}},
         doubleClick},
        {"Shift+Space held down with auto-repeat: one double click on the last release",
         true,
         {{Step::Down, Space, Shift},
          {Step::RepeatUp, Space, Shift},
          {Step::RepeatDown, Space, Shift},
          {Step::RepeatUp, Space, Shift},
          {Step::RepeatDown, Space, Shift},
          {Step::Up, Space, Shift}},
         doubleClick},
        {"Shift+Space then Space: the second is a click only",
         true,
         {{Step::Down, Space, Shift}, {Step::Up, Space, Shift}, {Step::Down}, {Step::Up}},
         {"grid clicked", "grid doubleClicked", "grid clicked"}},
        {"Shift on the release alone does not",
         true,
         {{Step::Down, Space, No}, {Step::Up, Space, Shift}},
         click},
        {"Ctrl+Shift+Space is a click only",
         true,
         {{Step::Down, Space, Shift | Qt::ControlModifier}, {Step::Up, Space, Shift}},
         click},
        {"other keys click nothing", true, {{Step::Down, Qt::Key_A}, {Step::Up, Qt::Key_A}}, {}},
        {"no double click when the click hides the button",
         true,
         {{Step::Down, Space, Shift}, {Step::Up, Space, Shift}},
         click,
         Hide},
        {"no double click when the click disables the button",
         true,
         {{Step::Down, Space, Shift}, {Step::Up, Space, Shift}},
         click,
         Disable},
        {"Space on a rotator button", false, {{Step::Down}, {Step::Up}}, {"rotator clicked"}},
        {"Shift+Space on a rotator button",
         false,
         {{Step::Down, Space, Shift}, {Step::Up, Space, Shift}},
         {"rotator clicked"}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.behaviour);
        QWidget& button = row.onGrid ? static_cast<QWidget&>(grid_) : rotator_;
        button.setFocus(Qt::TabFocusReason);
        ASSERT_TRUE(QTest::qWaitFor([&] { return button.hasFocus(); }, 10000));
        // As between the two presses of a mouse double click, the click's handler may reset the
        // console (hiding and disabling the grid) in a nested loop.
        const QMetaObject::Connection reset =
            QObject::connect(&grid_, &QAbstractButton::clicked, [&] {
                row.onClick == Hide      ? grid_.hide()
                : row.onClick == Disable ? grid_.setEnabled(false)
                                         : void();
            });
        signals_.clear();
        for (const Step& step : row.steps) {
            Send(button, step);
        }
        EXPECT_EQ(signals_, row.given);
        QObject::disconnect(reset);
        grid_.show();
        grid_.setEnabled(true);
    }
}

}  // namespace
