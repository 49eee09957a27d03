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

namespace {

// A key going down or up (auto-repeated or not), or a mouse press, release or double click.
struct Step {
    QEvent::Type type;
    Qt::KeyboardModifiers modifiers = Qt::NoModifier;
    bool repeat = false;
    Qt::Key key = Qt::Key_Space;
};

TEST(Keyboard, SpaceAndShiftSpaceGiveWhatTheMouseGives) {
    const ColorScheme scheme;
    QWidget face;
    CAntFuncButton grid(5, scheme, &face);
    CRotatorButton rotator(20, scheme, &face);
    rotator.move(0, 50);
    std::vector<std::string> given;
    for (auto [button, name] :
         {std::pair<OwnerDrawButton*, std::string>{&grid, "grid "}, {&rotator, "rotator "}}) {
        QObject::connect(button, &QAbstractButton::clicked,
                         [&, name] { given.push_back(name + "clicked"); });
        QObject::connect(button, &OwnerDrawButton::doubleClicked,
                         [&, name] { given.push_back(name + "doubleClicked"); });
    }
    face.show();
    face.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&face));

    const Qt::KeyboardModifiers Shift = Qt::ShiftModifier;
    const Step down{QEvent::KeyPress}, up{QEvent::KeyRelease}, shiftDown{QEvent::KeyPress, Shift},
        shiftUp{QEvent::KeyRelease, Shift}, repeatUp{QEvent::KeyRelease, Shift, true},
        repeatDown{QEvent::KeyPress, Shift, true}, press{QEvent::MouseButtonPress},
        release{QEvent::MouseButtonRelease}, doublePress{QEvent::MouseButtonDblClick};
    const std::vector<std::string> click = {"grid clicked"};
    const std::vector<std::string> doubleClick = {"grid clicked", "grid doubleClicked"};
    enum OnClick { Nothing, Hide, Disable };
    const struct {
        const char* behaviour;
        bool onGrid;  // else the rotator button
        std::vector<Step> steps;
        std::vector<std::string> given;
        OnClick onClick = Nothing;  // what the click's handler does to the button
    } rows[] = {
        // clang-format off
        {"mouse click", true, {press, release}, click},
        {"mouse double click: the second press gives a double click only", true, {press, release, doublePress, release}, doubleClick},
        {"Space", true, {down, up}, click},
        {"Shift+Space", true, {shiftDown, shiftUp}, doubleClick},
        {"Shift held only while Space went down still counts", true, {shiftDown, up}, doubleClick},
        {"Shift let go before Space still counts, once", true,
         {shiftDown, {QEvent::KeyRelease, {}, false, Qt::Key_Shift}, up}, doubleClick},
        {"held with auto-repeat: one double click on the last release", true,
         {shiftDown, repeatUp, repeatDown, repeatUp, repeatDown, shiftUp}, doubleClick},
        {"Shift+Space then Space: the second is a click only", true,
         {shiftDown, shiftUp, down, up}, {"grid clicked", "grid doubleClicked", "grid clicked"}},
        {"Shift on the release alone does not count", true, {down, shiftUp}, click},
        {"Ctrl+Shift+Space is a click only", true,
         {{QEvent::KeyPress, Shift | Qt::ControlModifier}, shiftUp}, click},
        {"other keys click nothing", true, {{QEvent::KeyPress, {}, false, Qt::Key_A}, {QEvent::KeyRelease, {}, false, Qt::Key_A}}, {}},
        {"no double click when the click hides the button", true, {shiftDown, shiftUp}, click, Hide},
        {"no double click when the click disables it", true, {shiftDown, shiftUp}, click, Disable},
        {"Space on a rotator button", false, {down, up}, {"rotator clicked"}},
        {"Shift+Space on a rotator button", false, {shiftDown, shiftUp}, {"rotator clicked"}},
        // clang-format on
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.behaviour);
        QWidget& button = row.onGrid ? static_cast<QWidget&>(grid) : rotator;
        button.setFocus(Qt::TabFocusReason);
        ASSERT_TRUE(QTest::qWaitFor([&] { return button.hasFocus(); }));
        // As between the two presses of a mouse double click, the click's handler may reset the
        // console (hiding and disabling the grid) in a nested loop.
        const auto reset = QObject::connect(&grid, &QAbstractButton::clicked, [&] {
            row.onClick == Hide ? grid.hide() : grid.setEnabled(row.onClick != Disable);
        });
        given.clear();
        for (const Step& step : row.steps) {
            const bool mouse = step.type != QEvent::KeyPress && step.type != QEvent::KeyRelease;
            const Qt::MouseButtons held(step.type == QEvent::MouseButtonRelease ? 0 : 1);
            QMouseEvent click(step.type, QPointF(10, 10), button.mapToGlobal(QPointF(10, 10)),
                              Qt::LeftButton, held, {});
            QKeyEvent key(step.type, step.key, step.modifiers, QString(), step.repeat);
            QApplication::sendEvent(&button, mouse ? static_cast<QEvent*>(&click) : &key);
        }
        EXPECT_EQ(given, row.given);
        QObject::disconnect(reset);
        grid.show();
        grid.setEnabled(true);
    }
}

}  // namespace
