// The console's buttons from the keyboard: Space clicks a focused button as the mouse does, and
// Shift+Space on a grid button gives what a mouse double click gives.
#include <gtest/gtest.h>

#include <QTest>
#include <functional>
#include <string>
#include <vector>

#include "console/ant_func_button.h"
#include "console/rotator_button.h"
#include "console_test_support.h"

namespace {

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

    // The signals that `input` gives with `button` focused.
    std::vector<std::string> SignalsOf(QWidget& button, const std::function<void()>& input) {
        button.setFocus(Qt::TabFocusReason);
        EXPECT_TRUE(QTest::qWaitFor([&] { return button.hasFocus(); }, 10000));
        signals_.clear();
        input();
        return signals_;
    }

    QWidget face_;
    CAntFuncButton grid_{5, &face_};
    CRotatorButton rotator_{20, &face_};
    std::vector<std::string> signals_;
};

using Signals = std::vector<std::string>;

TEST_F(Keyboard, SpaceAndShiftSpaceGiveWhatTheMouseGives) {
    const Signals mouseClick = SignalsOf(grid_, [&] { QTest::mouseClick(&grid_, Qt::LeftButton); });
    const Signals mouseDoubleClick = SignalsOf(grid_, [&] {
        QTest::mouseClick(&grid_, Qt::LeftButton);
        QTest::mouseDClick(&grid_, Qt::LeftButton);
    });
    EXPECT_EQ(mouseClick, Signals{"grid clicked"});
    EXPECT_EQ(mouseDoubleClick, (Signals{"grid clicked", "grid doubleClicked"}));

    EXPECT_EQ(SignalsOf(grid_, [&] { QTest::keyClick(&grid_, Qt::Key_Space); }), mouseClick);
    EXPECT_EQ(SignalsOf(grid_, [&] { QTest::keyClick(&grid_, Qt::Key_Space, Qt::ShiftModifier); }),
              mouseDoubleClick);
    // Shift held only while Space went down still counts; Shift on the release alone does not.
    EXPECT_EQ(SignalsOf(grid_,
                        [&] {
                            QTest::keyPress(&grid_, Qt::Key_Space, Qt::ShiftModifier);
                            QTest::keyRelease(&grid_, Qt::Key_Space, Qt::NoModifier);
                        }),
              mouseDoubleClick);
    EXPECT_EQ(SignalsOf(grid_,
                        [&] {
                            QTest::keyPress(&grid_, Qt::Key_Space, Qt::NoModifier);
                            QTest::keyRelease(&grid_, Qt::Key_Space, Qt::ShiftModifier);
                        }),
              mouseClick);
    // Other keys click nothing.
    EXPECT_EQ(SignalsOf(grid_, [&] { QTest::keyClick(&grid_, Qt::Key_A); }), Signals{});
}

TEST_F(Keyboard, SpaceClicksARotatorButtonOnceWithOrWithoutShift) {
    EXPECT_EQ(SignalsOf(rotator_, [&] { QTest::keyClick(&rotator_, Qt::Key_Space); }),
              Signals{"rotator clicked"});
    EXPECT_EQ(
        SignalsOf(rotator_, [&] { QTest::keyClick(&rotator_, Qt::Key_Space, Qt::ShiftModifier); }),
        Signals{"rotator clicked"});
}

TEST_F(Keyboard, NoDoubleClickWhenTheClickHidesOrDisablesTheButton) {
    // As between the two presses of a mouse double click, the click's handler may reset the
    // console (hiding and disabling the grid) in a nested loop.
    for (bool hide : {true, false}) {
        const QMetaObject::Connection reset =
            QObject::connect(&grid_, &QAbstractButton::clicked,
                             [&, hide] { hide ? grid_.hide() : grid_.setEnabled(false); });
        EXPECT_EQ(
            SignalsOf(grid_, [&] { QTest::keyClick(&grid_, Qt::Key_Space, Qt::ShiftModifier); }),
            Signals{"grid clicked"})
            << hide;
        QObject::disconnect(reset);
        grid_.show();
        grid_.setEnabled(true);
    }
}

}  // namespace
