// What assistive technology reads from the console's controls and the events that tell it of each
// change (and of nothing else); the keyboard giving what the mouse gives.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QAccessibleValueInterface>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <climits>

#include "console/ant_func_button.h"
#include "console/color_scheme.h"
#include "console/compass.h"
#include "console/console_accessibility.h"
#include "console/rotator_button.h"
#include "console/rotator_window.h"
#include "console/tr_button.h"
#include "console_test_support.h"

namespace {

using Types = std::vector<QAccessible::Event>;
const Types None, Description = {QAccessible::DescriptionChanged};
const Types Value = {QAccessible::ValueChanged}, State = {QAccessible::StateChanged};
const Types Both = {QAccessible::ValueChanged, QAccessible::DescriptionChanged};

// Every event told; `detail` is whether the checked state changed, or the new value.
struct Told {
    QAccessible::Event type;
    QObject* object;
    QVariant detail;
};
std::vector<Told> recorded;

QAccessibleInterface* Iface(QObject* object) {
    return QAccessible::queryAccessibleInterface(object);
}

template <typename Widget>
void Watch(Widget* widget) {
    QObject::connect(widget, &Widget::announced, [](QAccessibleEvent* e) {
        const auto* state = dynamic_cast<QAccessibleStateChangeEvent*>(e);
        const auto* value = dynamic_cast<QAccessibleValueChangeEvent*>(e);
        recorded.push_back({e->type(), e->object(),
                            state ? QVariant(state->changedStates().checked)
                                  : (value ? value->value() : QVariant())});
    });
}

// The event types told about `object` since the last call.
Types TakeTypes(QObject* object) {
    Types types;
    for (const Told& told : recorded) {
        if (told.object == object)
            types.push_back(told.type);
    }
    recorded.clear();
    return types;
}

// Each row sets one button's state; the events told, and then what is read, follow.
TEST(Accessibility, ButtonsReadTheirLabelTheirColoursInWordsAndTellOnlyChanges) {
    const ColorScheme scheme;
    recorded.clear();
    CAntFuncButton grid(5, scheme, nullptr);
    CRotatorButton rotator(20, scheme, nullptr);
    CTRButton mode(1009, scheme, nullptr);
    Watch<OwnerDrawButton>(&grid);
    Watch<OwnerDrawButton>(&rotator);
    Watch<OwnerDrawButton>(&mode);
    grid.setText(QStringLiteral("&Beam && Co"));
    mode.setText(QStringLiteral("&T\nX"));  // a line feed reads as a blank
    EXPECT_EQ(Iface(&rotator)->text(QAccessible::Description), QString());
    TakeTypes(&grid);
    const DescriptionKind A = DescriptionKind::Antenna, F = DescriptionKind::Function;
    enum Widget { Grid, Rotator, Mode };
    // clang-format off
    // Grid rows set kind and state; Mode rows arm by state.txState; Rotator rows set the label
    // with onGrid and inUse ("new": by text and Redraw).
    const struct { const char* behaviour; Widget widget; DescriptionKind kind; GridButtonState state; const char* label;
        bool onGrid, inUse; Types told; const char *name, *description; bool checked = false; } rows[] = {
        {"grid as it starts", Grid, A, {0, 0, false}, "", 0, 0, None, "Beam & Co", "TX unavailable, RX unavailable"},
        {"TX selected", Grid, A, {2, 0, false}, "", 0, 0, Description, "Beam & Co", "TX selected, RX unavailable"},
        {"RX selected only", Grid, A, {0, 2, false}, "", 0, 0, Description, "Beam & Co", "TX unavailable, RX selected"},
        {"highlight set", Grid, A, {0, 2, true}, "", 0, 0, Description, "Beam & Co", "TX unavailable, RX selected, highlighted"},
        {"both available", Grid, A, {1, 1, true}, "", 0, 0, Description, "Beam & Co", "TX available, RX available, highlighted"},
        {"now a function", Grid, F, {3, -5, true}, "", 0, 0, Description, "Beam & Co", "available, highlighted"},
        {"a function's RX state is not read", Grid, F, {3, 1, true}, "", 0, 0, None, "Beam & Co", "available, highlighted"},
        {"function selected", Grid, F, {2, 2, false}, "", 0, 0, Description, "Beam & Co", "selected"},
        {"function unavailable", Grid, F, {0, 0, false}, "", 0, 0, Description, "Beam & Co", "unavailable"},
        {"function with an unknown code", Grid, F, {7, 7, false}, "", 0, 0, Description, "Beam & Co", "available"},
        {"rotator in use", Rotator, A, {}, "Beam\n225", 1, 1, Description, "Beam 225", "bearing 225 degrees, on the grid, in use"},
        {"one line on the grid", Rotator, A, {}, "Beam", 1, 0, Description, "Beam", "on the grid"},
        {"neither mark", Rotator, A, {}, "Beam", 0, 0, Description, "Beam", ""},
        {"in use off the grid", Rotator, A, {}, "Beam\n360", 0, 1, Description, "Beam 360", "bearing 360 degrees, in use"},
        {"two lines: '&' as itself", Rotator, A, {}, "A&B\n0", 0, 0, Description, "A&B 0", "bearing 0 degrees"},
        {"one line: the mnemonic is not read", Rotator, A, {}, "&Beam", 0, 0, Description, "Beam", ""},
        {"one line: a doubled mark is one ampersand", Rotator, A, {}, "A&&B", 0, 0, None, "A&B", ""},
        {"one line: a last lone mark is dropped", Rotator, A, {}, "Beam&", 0, 0, None, "Beam", ""},
        {"one line: a doubled mark then a mnemonic", Rotator, A, {}, "&&&x", 0, 0, None, "&x", ""},
        {"UTF-8 passes unharmed", Rotator, A, {}, "\xC3\xA9t\xC3\xA9 &1", 0, 0, None, "\xC3\xA9t\xC3\xA9 1", ""},
        {"empty", Rotator, A, {}, "", 0, 0, None, "", ""},
        {"a line feed alone", Rotator, A, {}, "\n", 0, 0, None, " ", ""},
        {"no bearing in the second line", Rotator, A, {}, "Beam\nnorth", 0, 0, None, "Beam north", ""},
        {"a new rotator's label", Rotator, A, {}, "new", 0, 0, Description, "Beam 10", "bearing 10 degrees"},
        {"mode not armed", Mode, A, {0}, "", 0, 0, None, "T X", "", false},
        {"mode armed", Mode, A, {1}, "", 0, 0, State, "T X", "", true},
        {"mode disarmed", Mode, A, {0}, "", 0, 0, State, "T X", "", false},
    };
    // clang-format on
    for (const auto& row : rows) {
        SCOPED_TRACE(row.behaviour);
        QWidget* widget = row.widget == Grid   ? static_cast<QWidget*>(&grid)
                          : row.widget == Mode ? static_cast<QWidget*>(&mode)
                                               : &rotator;
        if (row.widget == Grid) {
            grid.SetKind(row.kind);
            grid.SetState(row.state);
        } else if (row.widget == Mode) {
            mode.SetArmed(row.state.txState != 0);
        } else if (std::string(row.label) == "new") {
            rotator.setText(QStringLiteral("Beam\n10"));
            rotator.Redraw();
        } else {
            rotator.SetLabelAndMarks(row.label, row.onGrid, row.inUse);
        }
        EXPECT_EQ(!recorded.empty() && recorded[0].detail == QVariant(true), row.told == State);
        EXPECT_EQ(TakeTypes(widget), row.told);
        EXPECT_EQ(Iface(widget)->role(), QAccessible::Button);
        EXPECT_EQ(Iface(widget)->text(QAccessible::Name), row.name);
        EXPECT_EQ(Iface(widget)->text(QAccessible::Description), row.description);
        EXPECT_EQ(Iface(widget)->state().checkable, row.widget == Mode);
        EXPECT_EQ(Iface(widget)->state().checked, row.checked);
    }
    // Both kinds of button offer their click as an action, a grid button only while enabled.
    QSignalSpy gridClicks(&grid, &QAbstractButton::clicked),
        modeClicks(&mode, &QAbstractButton::clicked);
    QAccessibleActionInterface* gridActions = Iface(&grid)->actionInterface();
    QAccessibleActionInterface* modeActions = Iface(&mode)->actionInterface();
    ASSERT_TRUE(gridActions != nullptr && modeActions != nullptr);
    EXPECT_TRUE(modeActions->actionNames().contains(QAccessibleActionInterface::toggleAction()));
    gridActions->doAction(QAccessibleActionInterface::pressAction());
    modeActions->doAction(QAccessibleActionInterface::toggleAction());
    EXPECT_TRUE(QTest::qWaitFor([&] { return gridClicks.count() + modeClicks.count() == 2; }));
    EXPECT_TRUE(gridActions->actionNames().contains(QAccessibleActionInterface::pressAction()));
    grid.setEnabled(false);
    EXPECT_FALSE(gridActions->actionNames().contains(QAccessibleActionInterface::pressAction()));
}

TEST(Accessibility, CompassReadsTheNeedlesBearingAndTheReachableRange) {
    CRotator rotator;
    recorded.clear();
    CRotatorWindow window(rotator, nullptr);
    QSignalSpy asked(&window, &CRotatorWindow::directionRequested);
    CCompass* compass = window.compass();
    Watch(compass);
    QAccessibleInterface* iface = Iface(compass);
    EXPECT_EQ(iface->role(), QAccessible::Dial);
    EXPECT_EQ(iface->text(QAccessible::Name), QStringLiteral("Compass"));
    ASSERT_NE(iface->valueInterface(), nullptr);
    const char *const noLimit = "no limit", *const from180 =
                                                "reachable from 180 clockwise through 450 degrees";
    // clang-format off
    const struct { const char* behaviour; int32_t ccwLimit, rotation, position; Types told; const char *value, *range; } rows[] = {
        {"as it opens", 0, 360, NoPosition, None, "no position", noLimit},
        {"a bearing and a range", 180, 270, 225, Both, "225 degrees", from180},
        {"the bearing only", 180, 270, 230, Value, "230 degrees", from180},
        {"the range only: no limit", 180, 450, 230, Description, "230 degrees", noLimit},
        {"no position", 180, 450, NoPosition, Value, "no position", noLimit},
        {"20000 draws no needle either", 180, 450, 20000, None, "no position", noLimit},
        {"rotation 0 reaches one bearing", 123, 0, 0, Both, "0 degrees", "reachable from 123 clockwise through 123 degrees"},
        {"the sum is taken in 64 bits", INT32_MAX, 359, 360, Both, "360 degrees", "reachable from 2147483647 clockwise through 2147484006 degrees"},
        {"the lowest server values", INT32_MIN, -1, INT32_MIN, Both, "-2147483648 degrees", "reachable from -2147483648 clockwise through -2147483649 degrees"},
    };
    // clang-format on
    for (const auto& row : rows) {
        SCOPED_TRACE(row.behaviour);
        rotator.ccwLimit = row.ccwLimit;
        rotator.rotation = row.rotation;
        rotator.relativePosition = row.position;
        window.RotationChanged();
        RenderAt(*compass);  // drawn at the extremes too, for the sanitizers
        const QVariant needle = row.position < 20000 ? QVariant(row.position) : QVariant();
        if (!row.told.empty() && row.told[0] == QAccessible::ValueChanged) {
            EXPECT_EQ(recorded[0].detail, needle);
        }
        EXPECT_EQ(TakeTypes(compass), row.told);
        EXPECT_EQ(iface->text(QAccessible::Value), row.value);
        EXPECT_EQ(iface->valueInterface()->currentValue(), needle);
        EXPECT_EQ(iface->text(QAccessible::Description), row.range);
    }
    // Setting the value from outside turns nothing and asks for nothing.
    iface->valueInterface()->setCurrentValue(90);
    EXPECT_EQ(asked.count(), 0);
    EXPECT_TRUE(iface->state().readOnly);
}

// Tab in the rotator window runs from the edit through the buttons to the compass, which then shows
// a dotted focus rectangle (pixels with x + y even inverted on the rose's border).
TEST(Accessibility, TabOrderFocusAndTheCompassFocusRectangle) {
    CRotator rotator;
    rotator.hasStop = true;
    CRotatorWindow window(rotator, nullptr);
    QSignalSpy asked(&window, &CRotatorWindow::directionRequested);
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    EXPECT_EQ(window.focusWidget(), window.bearingEdit());
    EXPECT_EQ(Iface(window.bearingEdit())->text(QAccessible::Name), QStringLiteral("Bearing"));
    std::vector<QWidget*> order = {window.bearingEdit()}, expected = order;
    for (int id = 1003; id <= 1010; ++id)
        expected.push_back(id < 1010 ? static_cast<QWidget*>(window.button(id)) : window.compass());
    const QImage unfocused = RenderAt(*window.compass());
    for (int i = 0; i < 8; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        order.push_back(QApplication::focusWidget());
    }
    ASSERT_EQ(order, expected);
    const QImage focused = RenderAt(*window.compass());
    // clang-format off
    const struct { int x, y; bool dotted; } probes[] = {{0, 0, true}, {2, 0, true}, {0, 180, true}, {359, 359, true}, {1, 0, false}, {0, 1, false}, {1, 1, false}, {180, 180, false}};
    // clang-format on
    for (const auto& p : probes) {
        EXPECT_EQ(Pixel(focused, p.x, p.y),
                  Pixel(unfocused, p.x, p.y) ^ (p.dotted ? 0xFFFFFFu : 0u))
            << p.x << "," << p.y;
    }
    // A press turns the rotator and leaves the focus where it is.
    window.bearingEdit()->setFocus(Qt::TabFocusReason);
    QTest::mouseClick(window.compass(), Qt::LeftButton, Qt::NoModifier, QPoint(280, 180));
    EXPECT_EQ(asked.count(), 1);
    EXPECT_TRUE(window.bearingEdit()->hasFocus());
    EXPECT_EQ(RenderAt(*window.compass()), unfocused);
}

// The second press of a double click gives a double click only; Space clicks a focused button as
// the mouse does, and Shift+Space on a grid button gives what a mouse double click gives.
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
    // A key going down or up (auto-repeated or not), or a mouse press, release or double click.
    struct Step {
        QEvent::Type type;
        Qt::KeyboardModifiers modifiers = Qt::NoModifier;
        bool repeat = false;
        Qt::Key key = Qt::Key_Space;
    };
    const Qt::KeyboardModifiers Shift = Qt::ShiftModifier;
    const Step down{QEvent::KeyPress}, up{QEvent::KeyRelease}, shiftDown{QEvent::KeyPress, Shift},
        shiftUp{QEvent::KeyRelease, Shift}, repeatUp{QEvent::KeyRelease, Shift, true},
        repeatDown{QEvent::KeyPress, Shift, true}, press{QEvent::MouseButtonPress},
        release{QEvent::MouseButtonRelease}, doublePress{QEvent::MouseButtonDblClick};
    const std::vector<std::string> click = {"grid clicked"};
    const std::vector<std::string> doubleClick = {"grid clicked", "grid doubleClicked"};
    enum OnClick { Nothing, Hide, Disable };  // what the click's handler does to the button
    // clang-format off
    const struct { const char* behaviour; bool onGrid; std::vector<Step> steps; std::vector<std::string> given; OnClick onClick = Nothing; } rows[] = {
        {"mouse click", true, {press, release}, click},
        {"mouse double click: the second press gives a double click only", true, {press, release, doublePress, release}, doubleClick},
        {"Space", true, {down, up}, click},
        {"Shift+Space", true, {shiftDown, shiftUp}, doubleClick},
        {"Shift held only while Space went down still counts", true, {shiftDown, up}, doubleClick},
        {"Shift let go before Space still counts, once", true, {shiftDown, {QEvent::KeyRelease, {}, false, Qt::Key_Shift}, up}, doubleClick},
        {"held with auto-repeat: one double click on the last release", true, {shiftDown, repeatUp, repeatDown, repeatUp, repeatDown, shiftUp}, doubleClick},
        {"Shift+Space then Space: the second is a click only", true, {shiftDown, shiftUp, down, up}, {"grid clicked", "grid doubleClicked", "grid clicked"}},
        {"Shift on the release alone does not count", true, {down, shiftUp}, click},
        {"Ctrl+Shift+Space is a click only", true, {{QEvent::KeyPress, Shift | Qt::ControlModifier}, shiftUp}, click},
        {"other keys click nothing", true, {{QEvent::KeyPress, {}, false, Qt::Key_A}, {QEvent::KeyRelease, {}, false, Qt::Key_A}}, {}},
        {"no double click when the click hides the button", true, {shiftDown, shiftUp}, click, Hide},
        {"no double click when the click disables it", true, {shiftDown, shiftUp}, click, Disable},
        {"Space on a rotator button", false, {down, up}, {"rotator clicked"}},
        {"Shift+Space on a rotator button", false, {shiftDown, shiftUp}, {"rotator clicked"}},
    };
    // clang-format on
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
