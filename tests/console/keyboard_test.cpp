// The console's buttons from the mouse and the keyboard: the second press of a double click
// gives a double click only, Space clicks a focused button as the mouse does, and Shift+Space on
// a grid button gives what a mouse double click gives.
#include <gtest/gtest.h>

#include <QMouseEvent>
#include <QTest>
#include <string>
#include <vector>

#include "console/ant_func_button.h"
#include "console/rotator_button.h"
#include "console_test_support.h"

namespace {

using Signals = std::vector<std::string>;

// A window with one grid button and one rotator button, recording their signals in order.
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

    static constexpr int MouseClick = 0, MouseDoubleClick = 1;

    // The signals given with `button` focused by `key` pressed with `down` held and released with
    // `up`, or by a mouse click or double click.
    Signals SignalsOf(QWidget& button, int key, Qt::KeyboardModifier down = Qt::NoModifier,
                      Qt::KeyboardModifier up = Qt::NoModifier) {
        button.setFocus(Qt::TabFocusReason);
        EXPECT_TRUE(QTest::qWaitFor([&] { return button.hasFocus(); }, 10000));
        signals_.clear();
        if (key == MouseClick) {
            QTest::mouseClick(&button, Qt::LeftButton);
        } else if (key == MouseDoubleClick) {
            // Press, release, double click, release.
            const QPointF at(10, 10);
            for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease,
                                      QEvent::MouseButtonDblClick, QEvent::MouseButtonRelease}) {
                const bool held = type != QEvent::MouseButtonRelease;
                QMouseEvent event(type, at, button.mapToGlobal(at), Qt::LeftButton,
                                  held ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
                QApplication::sendEvent(&button, &event);
            }
        } else {
            QTest::keyPress(&button, Qt::Key(key), down);
            QTest::keyRelease(&button, Qt::Key(key), up);
        }
        return signals_;
    }

    QWidget face_;
    CAntFuncButton grid_{5, &face_};
    CRotatorButton rotator_{20, &face_};
    Signals signals_;
};

TEST_F(Keyboard, SpaceAndShiftSpaceGiveWhatTheMouseGives) {
    const Signals click = {"grid clicked"}, doubleClick = {"grid clicked", "grid doubleClicked"};
    const Signals rotatorClick = {"rotator clicked"};
    constexpr Qt::KeyboardModifier No = Qt::NoModifier, Shift = Qt::ShiftModifier;
    const struct {
        const char* behaviour;
        QWidget* button;
        int key;  // a key pressed with `down` held and released with `up`, or the mouse
        Qt::KeyboardModifier down, up;
        Signals given;
    } rows[] = {
        {"mouse click", &grid_, MouseClick, No, No, click},
        {"mouse double click: the second press gives a double click only", &grid_, MouseDoubleClick,
         No, No, doubleClick},
        {"Space", &grid_, Qt::Key_Space, No, No, click},
        {"Shift+Space", &grid_, Qt::Key_Space, Shift, Shift, doubleClick},
        {"Shift held only while Space went down still counts", &grid_, Qt::Key_Space, Shift, No,
         doubleClick},
        {"Shift on the release alone does not", &grid_, Qt::Key_Space, No, Shift, click},
        {"other keys click nothing", &grid_, Qt::Key_A, No, No, {}},
        {"Space on a rotator button", &rotator_, Qt::Key_Space, No, No, rotatorClick},
        {"Shift+Space on a rotator button", &rotator_, Qt::Key_Space, Shift, Shift, rotatorClick},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(SignalsOf(*row.button, row.key, row.down, row.up), row.given) << row.behaviour;
    }
}

TEST_F(Keyboard, NoDoubleClickWhenTheClickHidesOrDisablesTheButton) {
    // As between the two presses of a mouse double click, the click's handler may reset the
    // console (hiding and disabling the grid) in a nested loop.
    for (bool hide : {true, false}) {
        const QMetaObject::Connection reset =
            QObject::connect(&grid_, &QAbstractButton::clicked,
                             [&, hide] { hide ? grid_.hide() : grid_.setEnabled(false); });
        EXPECT_EQ(SignalsOf(grid_, Qt::Key_Space, Qt::ShiftModifier, Qt::ShiftModifier),
                  Signals{"grid clicked"})
            << hide;
        QObject::disconnect(reset);
        grid_.show();
        grid_.setEnabled(true);
    }
}

}  // namespace
