// What assistive technology reads from the console's controls, and the events that tell it of
// each change (and of nothing else), as Qt's accessibility interfaces give them.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QAccessibleValueInterface>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <climits>
#include <vector>

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
const Types Value = {QAccessible::ValueChanged};
const Types Both = {QAccessible::ValueChanged, QAccessible::DescriptionChanged};

struct Told {
    QAccessible::Event type;
    QObject* object;
    bool checkedChanged;  // StateChanged: the checked state is what changed
    QVariant value;       // ValueChanged: the new value
};
std::vector<Told> recorded;

void Record(QAccessibleEvent* event) {
    Told told{event->type(), event->object(), false, QVariant()};
    if (event->type() == QAccessible::StateChanged) {
        told.checkedChanged =
            static_cast<QAccessibleStateChangeEvent*>(event)->changedStates().checked;
    }
    if (event->type() == QAccessible::ValueChanged) {
        told.value = static_cast<QAccessibleValueChangeEvent*>(event)->value();
    }
    recorded.push_back(told);
}

QAccessibleInterface* Iface(QObject* object) {
    return QAccessible::queryAccessibleInterface(object);
}

class Accessibility : public testing::Test {
protected:
    void SetUp() override {
        recorded.clear();
        previous_ = SetAccessibilityObserver(&Record);
    }
    void TearDown() override { SetAccessibilityObserver(previous_); }

    // The event types told about `object` since the last call.
    static Types TakeTypes(QObject* object) {
        Types types;
        for (const Told& told : recorded) {
            if (told.object == object) {
                types.push_back(told.type);
            }
        }
        recorded.clear();
        return types;
    }

    const ColorScheme scheme_;
    CRotator rotator_;

private:
    AccessibilityObserver previous_ = nullptr;
};

TEST_F(Accessibility, GridButtonNamesItsLabelAndTellsEachChangeOfItsDescriptionOnce) {
    CAntFuncButton button(5, scheme_, nullptr);
    button.setText(QStringLiteral("&Beam && Co"));
    EXPECT_EQ(Iface(&button)->role(), QAccessible::Button);
    EXPECT_EQ(Iface(&button)->text(QAccessible::Name), QStringLiteral("Beam & Co"));
    TakeTypes(&button);
    const DescriptionKind A = DescriptionKind::Antenna, F = DescriptionKind::Function;
    const struct {
        const char* behaviour;
        DescriptionKind kind;
        GridButtonState state;
        Types told;
        const char* words;
    } rows[] = {
        // clang-format off
        {"as it starts", A, {0, 0, false}, None, "TX unavailable, RX unavailable"},
        {"TX selected", A, {2, 0, false}, Description, "TX selected, RX unavailable"},
        {"the same again", A, {2, 0, false}, None, "TX selected, RX unavailable"},
        {"RX selected only", A, {0, 2, false}, Description, "TX unavailable, RX selected"},
        {"highlight set", A, {0, 2, true}, Description, "TX unavailable, RX selected, highlighted"},
        {"both available", A, {1, 1, true}, Description, "TX available, RX available, highlighted"},
        {"codes outside 0..2 read as available", A, {3, -5, true}, None,
         "TX available, RX available, highlighted"},
        {"now a function", F, {3, -5, true}, Description, "available, highlighted"},
        {"a function's RX state is not read", F, {3, 1, true}, None, "available, highlighted"},
        {"function selected", F, {2, 2, false}, Description, "selected"},
        {"function unavailable", F, {0, 0, false}, Description, "unavailable"},
        {"function with an unknown code", F, {7, 7, false}, Description, "available"},
        {"the same kind again", F, {7, 7, false}, None, "available"},
        // clang-format on
    };
    for (const auto& row : rows) {
        button.SetKind(row.kind);
        button.SetState(row.state);
        EXPECT_EQ(TakeTypes(&button), row.told) << row.behaviour;
        EXPECT_EQ(Iface(&button)->text(QAccessible::Description), row.words) << row.behaviour;
    }
}

TEST_F(Accessibility, RotatorButtonSaysItsBearingAndMarks) {
    CRotatorButton button(20, scheme_, nullptr);
    EXPECT_EQ(Iface(&button)->text(QAccessible::Description), QString());
    const struct {
        const char* label;
        bool onGrid, inUse;
        Types told;
        const char *name, *description;
        bool asANewRotator = false;  // a new rotator's button gets its label by text and redraw
    } rows[] = {
        // clang-format off
        {"Beam\n225", true, true, Description, "Beam 225", "bearing 225 degrees, on the grid, in use"},
        {"Beam\n225", true, true, None, "Beam 225", "bearing 225 degrees, on the grid, in use"},
        {"Beam", true, false, Description, "Beam", "on the grid"},
        {"Beam", false, false, Description, "Beam", ""},
        {"Beam\n360", false, true, Description, "Beam 360", "bearing 360 degrees, in use"},
        {"A&B\n0", false, false, Description, "A&B 0", "bearing 0 degrees"},  // '&' as itself
        {"&Beam", false, false, Description, "Beam", ""},  // one line: mnemonic rules
        {"\n", false, false, None, " ", ""},
        {"Beam\nnorth", false, false, None, "Beam north", ""},
        {"Beam\n10", false, false, Description, "Beam 10", "bearing 10 degrees", true},
        // clang-format on
    };
    for (const auto& row : rows) {
        if (row.asANewRotator) {
            button.setText(QString::fromUtf8(row.label));
            button.Redraw();
        } else {
            button.SetLabelAndMarks(row.label, row.onGrid, row.inUse);
        }
        EXPECT_EQ(Iface(&button)->text(QAccessible::Name), row.name) << row.label;
        EXPECT_EQ(Iface(&button)->text(QAccessible::Description), row.description) << row.label;
        EXPECT_EQ(TakeTypes(&button), row.told) << row.label;
    }
}

TEST_F(Accessibility, ModeButtonIsCheckableAndCheckedWhileArmedAndOffersItsClick) {
    CTRButton button(1009, scheme_, nullptr);
    button.setText(QStringLiteral("TX"));
    QAccessibleInterface* iface = Iface(&button);
    EXPECT_EQ(iface->role(), QAccessible::Button);
    EXPECT_EQ(iface->text(QAccessible::Name), QStringLiteral("TX"));
    EXPECT_TRUE(iface->state().checkable);
    // Armed in turn, and whether that is told as a change of the checked state.
    const std::pair<bool, bool> rows[] = {
        {false, false}, {true, true}, {true, false}, {false, true}, {false, false}};
    for (auto [armed, told] : rows) {
        button.SetArmed(armed);
        EXPECT_EQ(iface->state().checked, armed);
        EXPECT_EQ(!recorded.empty() && recorded[0].checkedChanged, told) << armed;
        EXPECT_EQ(TakeTypes(&button), told ? Types{QAccessible::StateChanged} : None) << armed;
    }
    // Both kinds of button offer their click as an action, a grid button only while enabled.
    CAntFuncButton grid(5, scheme_, nullptr);
    QSignalSpy gridClicks(&grid, &QAbstractButton::clicked);
    QSignalSpy modeClicks(&button, &QAbstractButton::clicked);
    QAccessibleActionInterface* gridActions = Iface(&grid)->actionInterface();
    ASSERT_NE(gridActions, nullptr);
    ASSERT_NE(iface->actionInterface(), nullptr);
    EXPECT_TRUE(iface->actionInterface()->actionNames().contains(
        QAccessibleActionInterface::toggleAction()));
    gridActions->doAction(QAccessibleActionInterface::pressAction());
    iface->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
    EXPECT_TRUE(QTest::qWaitFor([&] { return gridClicks.count() + modeClicks.count() == 2; }));
    EXPECT_TRUE(gridActions->actionNames().contains(QAccessibleActionInterface::pressAction()));
    grid.setEnabled(false);
    EXPECT_FALSE(gridActions->actionNames().contains(QAccessibleActionInterface::pressAction()));
}

TEST_F(Accessibility, CompassReadsTheNeedlesBearingAndTheReachableRange) {
    CRotatorWindow window(rotator_, nullptr);
    QSignalSpy asked(&window, &CRotatorWindow::directionRequested);
    CCompass* compass = window.compass();
    QAccessibleInterface* iface = Iface(compass);
    EXPECT_EQ(iface->role(), QAccessible::Dial);
    EXPECT_EQ(iface->text(QAccessible::Name), QStringLiteral("Compass"));
    ASSERT_NE(iface->valueInterface(), nullptr);
    const char* const noLimit = "no limit";
    const char* const from180 = "reachable from 180 clockwise through 450 degrees";
    const struct {
        const char* behaviour;
        int32_t ccwLimit, rotation, position;
        Types told;
        const char *value, *range;
    } rows[] = {
        // clang-format off
        {"as it opens", 0, 360, NoPosition, None, "no position", noLimit},
        {"a bearing and a range", 180, 270, 225, Both, "225 degrees", from180},
        {"the same record again", 180, 270, 225, None, "225 degrees", from180},
        {"the bearing only", 180, 270, 230, Value, "230 degrees", from180},
        {"the range only: no limit", 180, 450, 230, Description, "230 degrees", noLimit},
        {"no position", 180, 450, NoPosition, Value, "no position", noLimit},
        {"20000 draws no needle either", 180, 450, 20000, None, "no position", noLimit},
        {"rotation 0 reaches one bearing", 123, 0, 0, Both, "0 degrees",
         "reachable from 123 clockwise through 123 degrees"},
        {"the sum is taken in 64 bits", INT32_MAX, 359, 360, Both, "360 degrees",
         "reachable from 2147483647 clockwise through 2147484006 degrees"},
        {"the lowest server values", INT32_MIN, -1, INT32_MIN, Both, "-2147483648 degrees",
         "reachable from -2147483648 clockwise through -2147483649 degrees"},
        // clang-format on
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.behaviour);
        rotator_.ccwLimit = row.ccwLimit;
        rotator_.rotation = row.rotation;
        rotator_.relativePosition = row.position;
        window.RotationChanged();
        RenderAt(*compass);  // drawn at the extremes too, for the sanitizers
        const QVariant needle = row.position < 20000 ? QVariant(row.position) : QVariant();
        if (row.told.size() > 0 && row.told[0] == QAccessible::ValueChanged) {
            EXPECT_EQ(recorded[0].value, needle);
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

// Tab runs through the template's order, skips a hidden grid button (invisible and disabled to
// assistive technology) and ends on the compass, which then shows a focus rectangle.
TEST_F(Accessibility, TabOrderFocusAndTheCompassFocusRectangle) {
    QWidget face;
    CAntFuncButton first(5, scheme_, &face), hidden(6, scheme_, &face), last(7, scheme_, &face);
    hidden.move(0, 50);
    last.move(0, 100);
    hidden.setEnabled(false);
    hidden.hide();
    face.show();
    face.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&face));
    first.setFocus(Qt::TabFocusReason);
    ASSERT_TRUE(QTest::qWaitFor([&] { return first.hasFocus(); }));
    EXPECT_TRUE(Iface(&hidden)->state().invisible && Iface(&hidden)->state().disabled);
    EXPECT_FALSE(Iface(&first)->state().invisible);
    EXPECT_TRUE(Iface(&first)->state().focused);
    QTest::keyClick(&first, Qt::Key_Tab);
    EXPECT_TRUE(last.hasFocus());

    rotator_.hasStop = true;
    CRotatorWindow window(rotator_, nullptr);
    QSignalSpy asked(&window, &CRotatorWindow::directionRequested);
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    EXPECT_EQ(window.focusWidget(), window.bearingEdit());
    EXPECT_EQ(Iface(window.bearingEdit())->text(QAccessible::Name), QStringLiteral("Bearing"));
    std::vector<QWidget*> order = {window.bearingEdit()}, expected = order;
    for (int id = 1003; id <= 1009; ++id) {
        expected.push_back(window.button(id));
    }
    expected.push_back(window.compass());
    const QImage unfocused = RenderAt(*window.compass());
    for (int i = 0; i < 8; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        order.push_back(QApplication::focusWidget());
    }
    ASSERT_EQ(order, expected);
    // Dotted on the rose's border: pixels whose x + y is even are inverted.
    const QImage focused = RenderAt(*window.compass());
    for (QPoint p : {QPoint(0, 0), QPoint(2, 0), QPoint(0, 180), QPoint(359, 359), QPoint(1, 0),
                     QPoint(0, 1), QPoint(1, 1), QPoint(180, 180)}) {
        const bool border = p.x() == 0 || p.y() == 0 || p.x() == 359 || p.y() == 359;
        const bool dotted = border && (p.x() + p.y()) % 2 == 0;
        EXPECT_EQ(Pixel(focused, p.x(), p.y()),
                  Pixel(unfocused, p.x(), p.y()) ^ (dotted ? 0xFFFFFFu : 0u))
            << p.x() << "," << p.y();
    }
    // A press turns the rotator and leaves the focus where it is.
    window.bearingEdit()->setFocus(Qt::TabFocusReason);
    QTest::mouseClick(window.compass(), Qt::LeftButton, Qt::NoModifier, QPoint(280, 180));
    EXPECT_EQ(asked.count(), 1);
    EXPECT_TRUE(window.bearingEdit()->hasFocus());
    EXPECT_EQ(RenderAt(*window.compass()), unfocused);
}

}  // namespace
