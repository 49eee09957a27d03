// What assistive technology reads from the console's controls, and the events that tell it of
// each change (and of nothing else), as Qt's accessibility interfaces give them.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QAccessibleValueInterface>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <vector>

#include "console/ant_func_button.h"
#include "console/compass.h"
#include "console/console_accessibility.h"
#include "console/rotator_button.h"
#include "console/rotator_window.h"
#include "console/tr_button.h"
#include "console_test_support.h"

namespace {

struct Told {
    QAccessible::Event type;
    QObject* object;
    bool checkedChanged = false;  // StateChanged: the checked state is what changed
    QVariant value;               // ValueChanged: the new value
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
    static std::vector<QAccessible::Event> TakeTypes(QObject* object) {
        std::vector<QAccessible::Event> types;
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

private:
    AccessibilityObserver previous_ = nullptr;
};

using Types = std::vector<QAccessible::Event>;
const Types DescriptionOnly = {QAccessible::DescriptionChanged};

TEST_F(Accessibility, GridButtonNamesItsLabelAndDescribesItsFace) {
    CAntFuncButton button(5, nullptr);
    button.setText(QStringLiteral("&Beam && Co"));
    QAccessibleInterface* iface = Iface(&button);
    EXPECT_EQ(iface->role(), QAccessible::Button);
    EXPECT_EQ(iface->text(QAccessible::Name), QStringLiteral("Beam & Co"));
    EXPECT_EQ(iface->text(QAccessible::Description),
              QStringLiteral("TX unavailable, RX unavailable"));

    button.SetState({2, 1, true});
    EXPECT_EQ(iface->text(QAccessible::Description),
              QStringLiteral("TX selected, RX available, highlighted"));
    button.SetKind(DescriptionKind::Function);
    button.SetState({1, 1, false});
    EXPECT_EQ(iface->text(QAccessible::Description), QStringLiteral("available"));
}

TEST_F(Accessibility, GridButtonTellsEachChangeOfItsDescriptionOnce) {
    CAntFuncButton button(5, nullptr);
    using K = DescriptionKind;
    const struct {
        const char* behaviour;
        DescriptionKind kind;
        GridButtonState state;
        Types told;
    } rows[] = {
        {"the state it starts with", K::Antenna, {0, 0, false}, {}},
        {"TX selected", K::Antenna, {2, 0, false}, DescriptionOnly},
        {"the same again", K::Antenna, {2, 0, false}, {}},
        {"highlight set", K::Antenna, {2, 0, true}, DescriptionOnly},
        {"both available", K::Antenna, {1, 1, true}, DescriptionOnly},
        {"other codes that read the same", K::Antenna, {3, -5, true}, {}},
        {"now a function", K::Function, {3, -5, true}, DescriptionOnly},
        {"a function's RX state is not read", K::Function, {3, 1, true}, {}},
        {"function selected", K::Function, {2, 2, true}, DescriptionOnly},
    };
    for (const auto& row : rows) {
        button.SetKind(row.kind);
        button.SetState(row.state);
        EXPECT_EQ(TakeTypes(&button), row.told) << row.behaviour;
    }
    button.SetKind(DescriptionKind::Function);
    EXPECT_EQ(TakeTypes(&button), Types{}) << "the same kind again";
}

TEST_F(Accessibility, HiddenGridButtonIsInvisibleAndSkippedByTab) {
    QWidget face;
    CAntFuncButton first(5, &face), hidden(6, &face), last(7, &face);
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
    CRotatorButton button(20, nullptr);
    QAccessibleInterface* iface = Iface(&button);
    EXPECT_EQ(iface->text(QAccessible::Description), QString());

    button.SetLabelAndMarks("Beam\n225", true, true);
    EXPECT_EQ(iface->text(QAccessible::Name), QStringLiteral("Beam 225"));
    EXPECT_EQ(iface->text(QAccessible::Description),
              QStringLiteral("bearing 225 degrees, on the grid, in use"));
    EXPECT_EQ(TakeTypes(&button), DescriptionOnly);

    button.SetLabelAndMarks("Beam\n225", true, true);
    EXPECT_EQ(TakeTypes(&button), Types{}) << "nothing changed";

    button.SetLabelAndMarks("Beam", true, false);
    EXPECT_EQ(iface->text(QAccessible::Name), QStringLiteral("Beam"));
    EXPECT_EQ(iface->text(QAccessible::Description), QStringLiteral("on the grid"));
    EXPECT_EQ(TakeTypes(&button), DescriptionOnly);

    // A new label set the way a new rotator's button gets one: text, then a redraw.
    button.setText(QStringLiteral("Beam\n10"));
    button.Redraw();
    EXPECT_EQ(iface->text(QAccessible::Description),
              QStringLiteral("bearing 10 degrees, on the grid"));
    EXPECT_EQ(TakeTypes(&button), DescriptionOnly);
}

TEST_F(Accessibility, ModeButtonIsCheckableAndCheckedWhileArmed) {
    CTRButton button(1009, nullptr);
    button.setText(QStringLiteral("TX"));
    QAccessibleInterface* iface = Iface(&button);
    EXPECT_EQ(iface->role(), QAccessible::Button);
    EXPECT_EQ(iface->text(QAccessible::Name), QStringLiteral("TX"));
    EXPECT_TRUE(iface->state().checkable);
    EXPECT_FALSE(iface->state().checked);

    const struct {
        bool armed;
        int told;
    } rows[] = {{false, 0}, {true, 1}, {true, 0}, {false, 1}, {false, 0}};
    for (const auto& row : rows) {
        button.SetArmed(row.armed);
        EXPECT_EQ(iface->state().checked, row.armed);
        int checkedChanges = 0;
        for (const Told& told : Recorded()) {
            checkedChanges += told.object == &button && told.type == QAccessible::StateChanged &&
                              told.checkedChanged;
        }
        EXPECT_EQ(checkedChanges, row.told) << row.armed;
        EXPECT_EQ(TakeTypes(&button).size(), static_cast<std::size_t>(row.told)) << row.armed;
    }
}

TEST_F(Accessibility, ButtonsOfferTheirClickAsAnAction) {
    CAntFuncButton grid(5, nullptr);
    CTRButton mode(1009, nullptr);
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

class CompassAccessibility : public Accessibility {
protected:
    CRotator rotator_;
};

TEST_F(CompassAccessibility, ReadsTheNeedlesBearingAndTheReachableRange) {
    CRotatorWindow window(rotator_, nullptr);
    CCompass* compass = window.compass();
    QAccessibleInterface* iface = Iface(compass);
    EXPECT_EQ(iface->role(), QAccessible::Dial);
    EXPECT_EQ(iface->text(QAccessible::Name), QStringLiteral("Compass"));
    EXPECT_EQ(iface->text(QAccessible::Value), QStringLiteral("no position"));
    EXPECT_EQ(iface->text(QAccessible::Description), QStringLiteral("no limit"));
    ASSERT_NE(iface->valueInterface(), nullptr);
    EXPECT_FALSE(iface->valueInterface()->currentValue().isValid());

    rotator_.ccwLimit = 180;
    rotator_.rotation = 270;
    rotator_.relativePosition = 225;
    window.RotationChanged();
    EXPECT_EQ(iface->text(QAccessible::Value), QStringLiteral("225 degrees"));
    EXPECT_EQ(iface->valueInterface()->currentValue(), QVariant(225));
    EXPECT_EQ(iface->text(QAccessible::Description),
              QStringLiteral("reachable from 180 clockwise through 450 degrees"));
    ASSERT_EQ(Recorded().size(), 2u);
    EXPECT_EQ(Recorded()[0].value, QVariant(225));
    EXPECT_EQ(TakeTypes(compass),
              (Types{QAccessible::ValueChanged, QAccessible::DescriptionChanged}));

    window.RotationChanged();
    EXPECT_EQ(TakeTypes(compass), Types{}) << "the same record again";

    rotator_.relativePosition = 230;
    window.RotationChanged();
    EXPECT_EQ(TakeTypes(compass), Types{QAccessible::ValueChanged});

    rotator_.rotation = 450;
    window.RotationChanged();
    EXPECT_EQ(iface->text(QAccessible::Description), QStringLiteral("no limit"));
    EXPECT_EQ(TakeTypes(compass), DescriptionOnly);

    rotator_.relativePosition = NoPosition;
    window.RotationChanged();
    EXPECT_EQ(iface->text(QAccessible::Value), QStringLiteral("no position"));
    EXPECT_EQ(TakeTypes(compass), Types{QAccessible::ValueChanged});

    // Setting the value from outside turns nothing and sends nothing.
    RecordingLink link;
    iface->valueInterface()->setCurrentValue(90);
    EXPECT_TRUE(link.sent.empty());
    EXPECT_TRUE(iface->state().readOnly);
}

TEST_F(CompassAccessibility, TabOrderFollowsTheTemplateAndEndsOnTheCompass) {
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

TEST_F(CompassAccessibility, ShowsAFocusRectangleOnlyWhileFocused) {
    rotator_.hasStop = true;
    CRotatorWindow window(rotator_, nullptr);
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    const QImage unfocused = Grab(*window.compass());

    window.button(1009)->setFocus(Qt::TabFocusReason);
    QTest::keyClick(window.button(1009), Qt::Key_Tab);
    ASSERT_TRUE(window.compass()->hasFocus());
    const QImage focused = Grab(*window.compass());
    // Dotted on the rose's border: pixels whose x + y is even are inverted.
    for (QPoint p : {QPoint(0, 0), QPoint(2, 0), QPoint(0, 180), QPoint(359, 359)}) {
        EXPECT_EQ(Pixel(focused, p.x(), p.y()), Pixel(unfocused, p.x(), p.y()) ^ 0xFFFFFFu)
            << p.x();
    }
    for (QPoint p : {QPoint(1, 0), QPoint(0, 1), QPoint(1, 1), QPoint(180, 180)}) {
        EXPECT_EQ(Pixel(focused, p.x(), p.y()), Pixel(unfocused, p.x(), p.y())) << p.x();
    }

    // A press turns the rotator and leaves the focus where it is.
    window.bearingEdit()->setFocus(Qt::TabFocusReason);
    RecordingLink link;
    QTest::mouseClick(window.compass(), Qt::LeftButton, Qt::NoModifier, QPoint(280, 180));
    EXPECT_EQ(link.sent.size(), 1u);
    EXPECT_TRUE(window.bearingEdit()->hasFocus());
    EXPECT_EQ(Grab(*window.compass()), unfocused);
}

}  // namespace
