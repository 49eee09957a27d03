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
const Types None = {};
const Types Description = {QAccessible::DescriptionChanged};
const Types Value = {QAccessible::ValueChanged};
const Types Both = {QAccessible::ValueChanged, QAccessible::DescriptionChanged};

struct Told {
    QAccessible::Event type;
    QObject* object;
    bool checkedChanged;  // StateChanged: the checked state is what changed
    QVariant value;       // ValueChanged: the new value
};

std::vector<Told>& Recorded() {
    static std::vector<Told> events;
    return events;
}

void Record(QAccessibleEvent* event) {
    Told told{event->type(), event->object(), false, QVariant()};
    if (event->type() == QAccessible::StateChanged) {
        told.checkedChanged =
            static_cast<QAccessibleStateChangeEvent*>(event)->changedStates().checked;
    }
    if (event->type() == QAccessible::ValueChanged) {
        told.value = static_cast<QAccessibleValueChangeEvent*>(event)->value();
    }
    Recorded().push_back(told);
}

class Accessibility : public testing::Test {
protected:
    void SetUp() override {
        Recorded().clear();
        previous_ = SetAccessibilityObserver(&Record);
    }
    void TearDown() override { SetAccessibilityObserver(previous_); }

    // The event types told about `object` since the last call.
    static Types TakeTypes(QObject* object) {
        Types types;
        for (const Told& told : Recorded()) {
            if (told.object == object) {
                types.push_back(told.type);
            }
        }
        Recorded().clear();
        return types;
    }

    static QAccessibleInterface* Iface(QObject* object) {
        QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(object);
        EXPECT_NE(iface, nullptr);
        return iface;
    }

    const ColorScheme scheme_;
    CRotator rotator_;

private:
    AccessibilityObserver previous_ = nullptr;
};

TEST_F(Accessibility, GridButtonNamesItsLabelAndTellsEachChangeOfItsDescriptionOnce) {
    CAntFuncButton button(5, scheme_, nullptr);
    button.setText(QStringLiteral("&Beam && Co"));
    QAccessibleInterface* iface = Iface(&button);
    EXPECT_EQ(iface->role(), QAccessible::Button);
    EXPECT_EQ(iface->text(QAccessible::Name), QStringLiteral("Beam & Co"));
    TakeTypes(&button);
    using K = DescriptionKind;
    const struct {
        const char* behaviour;
        DescriptionKind kind;
        GridButtonState state;
        Types told;
        const char* words;
    } rows[] = {
        {"the state it starts with",
         K::Antenna,
         {0, 0, false},
         None,
         "TX unavailable, RX unavailable"},
        {"TX selected", K::Antenna, {2, 0, false}, Description, "TX selected, RX unavailable"},
        {"the same again", K::Antenna, {2, 0, false}, None, "TX selected, RX unavailable"},
        {"RX selected only", K::Antenna, {0, 2, false}, Description, "TX unavailable, RX selected"},
        {"highlight set",
         K::Antenna,
         {0, 2, true},
         Description,
         "TX unavailable, RX selected, highlighted"},
        {"both available",
         K::Antenna,
         {1, 1, true},
         Description,
         "TX available, RX available, highlighted"},
        {"codes outside 0..2 read as available",
         K::Antenna,
         {3, -5, true},
         None,
         "TX available, RX available, highlighted"},
        {"now a function", K::Function, {3, -5, true}, Description, "available, highlighted"},
        {"a function's RX state is not read",
         K::Function,
         {3, 1, true},
         None,
         "available, highlighted"},
        {"function selected", K::Function, {2, 2, false}, Description, "selected"},
        {"function unavailable", K::Function, {0, 0, false}, Description, "unavailable"},
        {"function with an unknown code", K::Function, {7, 7, false}, Description, "available"},
        {"the same kind again", K::Function, {7, 7, false}, None, "available"},
    };
    for (const auto& row : rows) {
        button.SetKind(row.kind);
        button.SetState(row.state);
        EXPECT_EQ(TakeTypes(&button), row.told) << row.behaviour;
        EXPECT_EQ(iface->text(QAccessible::Description), QString::fromUtf8(row.words))
            << row.behaviour;
    }
}

TEST_F(Accessibility, HiddenGridButtonIsInvisibleAndSkippedByTab) {
    QWidget face;
    CAntFuncButton first(5, scheme_, &face), hidden(6, scheme_, &face), last(7, scheme_, &face);
    first.setGeometry(0, 0, 95, 41);
    hidden.setGeometry(0, 50, 95, 41);
    last.setGeometry(0, 100, 95, 41);
    hidden.setEnabled(false);
    hidden.hide();
    face.show();
    face.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&face));
    first.setFocus(Qt::TabFocusReason);
    ASSERT_TRUE(QTest::qWaitFor([&] { return first.hasFocus(); }, 10000));
    EXPECT_TRUE(Iface(&hidden)->state().invisible);
    EXPECT_TRUE(Iface(&hidden)->state().disabled);
    EXPECT_FALSE(Iface(&first)->state().invisible);
    EXPECT_TRUE(Iface(&first)->state().focused);
    QTest::keyClick(&first, Qt::Key_Tab);
    EXPECT_TRUE(last.hasFocus());
}

TEST_F(Accessibility, RotatorButtonSaysItsBearingAndMarks) {
    CRotatorButton button(20, scheme_, nullptr);
    QAccessibleInterface* iface = Iface(&button);
    EXPECT_EQ(iface->text(QAccessible::Description), QString());
    const struct {
        const char* label;
        bool onGrid, inUse;
        bool asANewRotator;  // the label set as a new rotator's button gets one: text, redraw
        Types told;
        const char *name, *description;
    } rows[] = {
        {"Beam\n225", true, true, false, Description, "Beam 225",
         "bearing 225 degrees, on the grid, in use"},
        {"Beam\n225", true, true, false, None, "Beam 225",
         "bearing 225 degrees, on the grid, in use"},
        {"Beam", true, false, false, Description, "Beam", "on the grid"},
        {"Beam\n10", true, false, true, Description, "Beam 10", "bearing 10 degrees, on the grid"},
    };
    for (const auto& row : rows) {
        if (row.asANewRotator) {
            button.setText(QString::fromUtf8(row.label));
            button.Redraw();
        } else {
            button.SetLabelAndMarks(row.label, row.onGrid, row.inUse);
        }
        EXPECT_EQ(iface->text(QAccessible::Name), QString::fromUtf8(row.name));
        EXPECT_EQ(iface->text(QAccessible::Description), QString::fromUtf8(row.description));
        EXPECT_EQ(TakeTypes(&button), row.told) << row.label;
    }
}

TEST_F(Accessibility, ModeButtonIsCheckableAndCheckedWhileArmed) {
    CTRButton button(1009, scheme_, nullptr);
    button.setText(QStringLiteral("TX"));
    QAccessibleInterface* iface = Iface(&button);
    EXPECT_EQ(iface->role(), QAccessible::Button);
    EXPECT_EQ(iface->text(QAccessible::Name), QStringLiteral("TX"));
    EXPECT_TRUE(iface->state().checkable);
    EXPECT_FALSE(iface->state().checked);
    // Armed in turn, and whether that is told as a change of the checked state.
    const std::pair<bool, bool> rows[] = {
        {false, false}, {true, true}, {true, false}, {false, true}, {false, false}};
    for (auto [armed, told] : rows) {
        button.SetArmed(armed);
        EXPECT_EQ(iface->state().checked, armed);
        EXPECT_EQ(!Recorded().empty() && Recorded()[0].checkedChanged, told) << armed;
        EXPECT_EQ(TakeTypes(&button), told ? Types{QAccessible::StateChanged} : None) << armed;
    }
}

TEST_F(Accessibility, ButtonsOfferTheirClickAsAnAction) {
    CAntFuncButton grid(5, scheme_, nullptr);
    CTRButton mode(1009, scheme_, nullptr);
    QSignalSpy gridClicks(&grid, &QAbstractButton::clicked);
    QSignalSpy modeClicks(&mode, &QAbstractButton::clicked);
    QAccessibleActionInterface* gridActions = Iface(&grid)->actionInterface();
    QAccessibleActionInterface* modeActions = Iface(&mode)->actionInterface();
    ASSERT_NE(gridActions, nullptr);
    ASSERT_NE(modeActions, nullptr);
    EXPECT_TRUE(gridActions->actionNames().contains(QAccessibleActionInterface::pressAction()));
    EXPECT_TRUE(modeActions->actionNames().contains(QAccessibleActionInterface::toggleAction()));
    gridActions->doAction(QAccessibleActionInterface::pressAction());
    modeActions->doAction(QAccessibleActionInterface::toggleAction());
    EXPECT_TRUE(QTest::qWaitFor([&] { return gridClicks.count() == 1; }, 10000));
    EXPECT_TRUE(QTest::qWaitFor([&] { return modeClicks.count() == 1; }, 10000));
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
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.behaviour);
        rotator_.ccwLimit = row.ccwLimit;
        rotator_.rotation = row.rotation;
        rotator_.relativePosition = row.position;
        window.RotationChanged();
        RenderAt(*compass);  // drawn at the extremes too, for the sanitizers
        const bool needle = row.position < 20000;
        if (!row.told.empty() && row.told[0] == QAccessible::ValueChanged) {
            EXPECT_EQ(Recorded()[0].value, needle ? QVariant(row.position) : QVariant());
        }
        EXPECT_EQ(TakeTypes(compass), row.told);
        EXPECT_EQ(iface->text(QAccessible::Value), QString::fromUtf8(row.value));
        EXPECT_EQ(iface->valueInterface()->currentValue(),
                  needle ? QVariant(row.position) : QVariant());
        EXPECT_EQ(iface->text(QAccessible::Description), QString::fromUtf8(row.range));
    }
    // Setting the value from outside turns nothing and asks for nothing.
    iface->valueInterface()->setCurrentValue(90);
    EXPECT_EQ(asked.count(), 0);
    EXPECT_TRUE(iface->state().readOnly);
}

TEST_F(Accessibility, TabOrderFollowsTheTemplateAndEndsOnTheCompass) {
    rotator_.hasStop = true;
    CRotatorWindow window(rotator_, nullptr);
    window.show();
    std::vector<QWidget*> order;
    QWidget* widget = window.bearingEdit();
    do {
        if ((widget->focusPolicy() & Qt::TabFocus) && widget->isVisible()) {
            order.push_back(widget);
        }
        widget = widget->nextInFocusChain();
    } while (widget != window.bearingEdit() && order.size() < 20);
    std::vector<QWidget*> expected = {window.bearingEdit()};
    for (int id = 1003; id <= 1009; ++id) {
        expected.push_back(window.button(id));
    }
    expected.push_back(window.compass());
    EXPECT_EQ(order, expected);
    EXPECT_EQ(window.focusWidget(), window.bearingEdit());
    EXPECT_EQ(Iface(window.bearingEdit())->text(QAccessible::Name), QStringLiteral("Bearing"));
}

TEST_F(Accessibility, CompassShowsAFocusRectangleOnlyWhileFocused) {
    rotator_.hasStop = true;
    CRotatorWindow window(rotator_, nullptr);
    QSignalSpy asked(&window, &CRotatorWindow::directionRequested);
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    const QImage unfocused = RenderAt(*window.compass());
    window.button(1009)->setFocus(Qt::TabFocusReason);
    QTest::keyClick(window.button(1009), Qt::Key_Tab);
    ASSERT_TRUE(window.compass()->hasFocus());
    const QImage focused = RenderAt(*window.compass());
    // Dotted on the rose's border: pixels whose x + y is even are inverted.
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
