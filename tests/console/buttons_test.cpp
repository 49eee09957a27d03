// The console's owner-drawn buttons on pixels, to assistive technology and from the keyboard.
#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTest>
#include <array>

#include "console/ant_func_button.h"
#include "console/color_scheme.h"
#include "console/console_accessibility.h"
#include "console/rotator_button.h"
#include "console/tr_button.h"
#include "console_test_support.h"

namespace {

const QRgb U = 0x8080FF, A = 0x0000FF, S = 0xFF0000;  // unavailable, available, selected
const QRgb I = A ^ 0xFFFFFFu, Green = 0x00FF00, Dark = 0x696969, Shadow = 0xA0A0A0;

// Each row sets one button's state and size; then its face at ratios 1 and 2 (probes in logical
// pixels), the events told about it and what is read.
TEST(Buttons, FacesAndWhatTheyReadAndTell) {
    ColorScheme scheme;
    CAntFuncButton grid(5, scheme, nullptr);
    CRotatorButton rotator(20, scheme, nullptr);
    CTRButton mode(1009, scheme, nullptr);
    Announced announced;
    const std::array<OwnerDrawButton*, 3> widgets{&grid, &rotator, &mode};
    for (OwnerDrawButton* button : widgets)
        announced.Watch(button);
    grid.setText(QStringLiteral("&Beam && Co"));
    mode.setText(QStringLiteral("&T\nX"));  // a line feed reads as a blank
    EXPECT_EQ(QAccessible::queryAccessibleInterface(&rotator)->text(QAccessible::Description), "");
    announced.Take(&grid);
    // clang-format off
    const Types None, Description = {QAccessible::DescriptionChanged}, State = {QAccessible::StateChanged};
    const DescriptionKind Ant = DescriptionKind::Antenna, Fn = DescriptionKind::Function;
    enum Widget { Grid, Rotator, Mode };
    struct Probe { int x, y; QRgb colour; };
    // Mode rows arm by state.txState; the rotator's "new" label is set by text and Redraw.
    const struct { const char* behaviour; Widget widget; DescriptionKind kind; GridButtonState state; const char* label; bool onGrid, inUse;
        Types told; const char *name, *description; std::vector<Probe> probes = {}; bool checked = false, down = false, green = false; QSize size = {95, 41}; } rows[] = {
        {"grid as it starts; raised edge on the bottom and right", Grid, Ant, {0, 0, false}, "", 0, 0, None, "Beam & Co",
            "TX unavailable, RX unavailable", {{94, 20, Dark}, {93, 20, Shadow}, {40, 40, Dark}, {40, 39, Shadow}, {0, 20, U}, {40, 0, U}}},
        {"sunken edge on the top and left when pressed", Grid, Ant, {0, 0, false}, "", 0, 0, None, "Beam & Co", "TX unavailable, RX unavailable",
            {{0, 20, Shadow}, {1, 20, Dark}, {40, 0, Shadow}, {40, 1, Dark}, {94, 20, U}, {40, 40, U}}, false, true},
        {"odd height: rows 20..40 first, then rows 0..20 (the middle row is TX's)", Grid, Ant, {1, 0, false}, "", 0, 0, Description,
            "Beam & Co", "TX available, RX unavailable", {{5, 0, A}, {5, 20, A}, {5, 21, U}, {5, 37, U}}},
        {"even height: rows 0..19 TX, 20..39 RX", Grid, Ant, {0, 1, false}, "", 0, 0, Description,
            "Beam & Co", "TX unavailable, RX available", {{5, 19, U}, {5, 20, A}}, false, false, false, {95, 40}},
        {"bars on rows 6..8 and H-9..H-7, from x 10 to W-11", Grid, Ant, {2, 2, false}, "", 0, 0, Description, "Beam & Co",
            "TX selected, RX selected", {{10, 6, S}, {84, 8, S}, {10, 32, S}, {84, 34, S}, {9, 7, A},
            {85, 33, A}, {40, 5, A}, {40, 9, A}, {40, 31, A}, {40, 35, A}}},
        {"the colours are the given scheme's", Grid, Ant, {1, 2, false}, "", 0, 0, Description, "Beam & Co", "TX available, RX selected",
            {{5, 5, Green}, {5, 30, Green}, {40, 33, S}}, false, false, true},
        {"TX selected", Grid, Ant, {2, 0, false}, "", 0, 0, Description, "Beam & Co", "TX selected, RX unavailable"},
        {"RX selected only", Grid, Ant, {0, 2, false}, "", 0, 0, Description, "Beam & Co", "TX unavailable, RX selected"},
        {"highlight set", Grid, Ant, {0, 2, true}, "", 0, 0, Description, "Beam & Co", "TX unavailable, RX selected, highlighted"},
        {"both available; highlight dotted (x + y even) and inverted, three pixels inside",
            Grid, Ant, {1, 1, true}, "", 0, 0, Description, "Beam & Co", "TX available, RX available, highlighted",
            {{3, 11, I}, {3, 12, A}, {2, 11, A}, {4, 11, A}, {41, 3, I}, {41, 2, A}, {91, 11, I}, {92, 11, A}, {41, 37, I}, {41, 38, A}}},
        {"now a function", Grid, Fn, {3, -5, true}, "", 0, 0, Description, "Beam & Co", "available, highlighted"},
        {"a function's RX state is not read", Grid, Fn, {3, 1, true}, "", 0, 0, None, "Beam & Co", "available, highlighted"},
        {"function selected", Grid, Fn, {2, 2, false}, "", 0, 0, Description, "Beam & Co", "selected"},
        {"function unavailable", Grid, Fn, {0, 0, false}, "", 0, 0, Description, "Beam & Co", "unavailable"},
        {"function with an unknown code", Grid, Fn, {7, 7, false}, "", 0, 0, Description, "Beam & Co", "available"},
        {"rotator in use", Rotator, Ant, {}, "Beam\n225", 1, 1, Description, "Beam 225", "bearing 225 degrees, on the grid, in use"},
        {"one line on the grid, not in use: no bars", Rotator, Ant, {}, "Beam", 1, 0, Description, "Beam", "on the grid", {{5, 20, A}, {12, 7, A}}},
        {"neither mark", Rotator, Ant, {}, "Beam", 0, 0, Description, "Beam", ""},
        {"in use off the grid: bars", Rotator, Ant, {}, "Beam\n360", 0, 1, Description, "Beam 360", "bearing 360 degrees, in use", {{5, 20, U}, {12, 7, S}, {12, 33, S}}},
        {"two lines: '&' as itself", Rotator, Ant, {}, "A&B\n0", 0, 0, Description, "A&B 0", "bearing 0 degrees"},
        {"one line: the mnemonic is not read", Rotator, Ant, {}, "&Beam", 0, 0, Description, "Beam", ""},
        {"one line: a doubled mark is one ampersand", Rotator, Ant, {}, "A&&B", 0, 0, None, "A&B", ""},
        {"one line: a last lone mark is dropped", Rotator, Ant, {}, "Beam&", 0, 0, None, "Beam", ""},
        {"one line: a doubled mark then a mnemonic", Rotator, Ant, {}, "&&&x", 0, 0, None, "&x", ""},
        {"UTF-8 passes unharmed", Rotator, Ant, {}, "\xC3\xA9t\xC3\xA9 &1", 0, 0, None, "\xC3\xA9t\xC3\xA9 1", ""},
        {"empty", Rotator, Ant, {}, "", 0, 0, None, "", ""},
        {"a line feed alone", Rotator, Ant, {}, "\n", 0, 0, None, " ", ""},
        {"no bearing in the second line", Rotator, Ant, {}, "Beam\nnorth", 0, 0, None, "Beam north", ""},
        {"a new rotator's label", Rotator, Ant, {}, "new", 0, 0, Description, "Beam 10", "bearing 10 degrees"},
        {"mode not armed", Mode, Ant, {0}, "", 0, 0, None, "T X", ""},
        {"mode armed", Mode, Ant, {1}, "", 0, 0, State, "T X", "", {{3, 3, S}, {3, 20, S}}, true, false, false, {50, 41}},
        {"mode disarmed", Mode, Ant, {0}, "", 0, 0, State, "T X", ""},
    };
    // clang-format on
    for (const auto& row : rows) {
        SCOPED_TRACE(row.behaviour);
        OwnerDrawButton* widget = widgets[row.widget];
        QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(widget);
        scheme = row.green ? ColorScheme{.availableColor = Green} : ColorScheme{};
        widget->resize(row.size);
        widget->setDown(row.down);
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
        for (int ratio : {1, 2}) {
            const QImage image = RenderAt(*widget, ratio);
            ASSERT_EQ(image.size(), row.size * ratio);
            for (const Probe& p : row.probes) {
                EXPECT_TRUE(
                    AllOfBlock(image, ratio, p.x, p.y, [&](QRgb c) { return c == p.colour; }))
                    << "ratio " << ratio << ": " << p.x << "," << p.y;
            }
        }
        EXPECT_EQ(!announced.told.empty() && std::get<2>(announced.told[0]) == QVariant(true),
                  row.told == State);
        EXPECT_EQ(announced.Take(widget), row.told);
        EXPECT_EQ(iface->role(), QAccessible::Button);
        EXPECT_EQ(iface->text(QAccessible::Name), row.name);
        EXPECT_EQ(iface->text(QAccessible::Description), row.description);
        EXPECT_EQ(iface->state().checkable, row.widget == Mode);
        EXPECT_EQ(iface->state().checked, row.checked);
    }
    // Both kinds of button offer their click as an action, a grid button only while enabled.
    QSignalSpy gridClicks(&grid, &QAbstractButton::clicked),
        modeClicks(&mode, &QAbstractButton::clicked);
    auto* gridActions = QAccessible::queryAccessibleInterface(&grid)->actionInterface();
    auto* modeActions = QAccessible::queryAccessibleInterface(&mode)->actionInterface();
    ASSERT_TRUE(gridActions && modeActions &&
                modeActions->actionNames().contains(QAccessibleActionInterface::toggleAction()));
    gridActions->doAction(QAccessibleActionInterface::pressAction());
    modeActions->doAction(QAccessibleActionInterface::toggleAction());
    EXPECT_TRUE(QTest::qWaitFor([&] { return gridClicks.count() + modeClicks.count() == 2; }));
    EXPECT_TRUE(gridActions->actionNames().contains(QAccessibleActionInterface::pressAction()));
    grid.setEnabled(false);
    EXPECT_FALSE(gridActions->actionNames().contains(QAccessibleActionInterface::pressAction()));
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
    const auto tell = [&given](const char* what) {
        return [&given, what] { given.push_back(what); };
    };
    QObject::connect(&grid, &QAbstractButton::clicked, tell("grid clicked"));
    QObject::connect(&grid, &OwnerDrawButton::doubleClicked, tell("grid doubleClicked"));
    QObject::connect(&rotator, &QAbstractButton::clicked, tell("rotator clicked"));
    QObject::connect(&rotator, &OwnerDrawButton::doubleClicked, tell("rotator doubleClicked"));
    face.show();
    face.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&face));
    // clang-format off
    struct Step { QEvent::Type type; Qt::KeyboardModifiers modifiers = Qt::NoModifier; bool repeat = false; Qt::Key key = Qt::Key_Space; };
    const Qt::KeyboardModifiers Shift = Qt::ShiftModifier;
    const Step down{QEvent::KeyPress}, up{QEvent::KeyRelease}, shiftDown{QEvent::KeyPress, Shift}, shiftUp{QEvent::KeyRelease, Shift},
        repeatUp{QEvent::KeyRelease, Shift, true}, repeatDown{QEvent::KeyPress, Shift, true}, press{QEvent::MouseButtonPress},
        release{QEvent::MouseButtonRelease}, doublePress{QEvent::MouseButtonDblClick};
    const std::vector<std::string> click = {"grid clicked"}, doubleClick = {"grid clicked", "grid doubleClicked"};
    enum OnClick { Nothing, Hide, Disable };  // what the click's handler does to the button
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
        // As the console's reset may, between the two presses of a double click.
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
