// The rotator window as a real modal dialog, with every turn or stop it asks for.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <memory>
#include <tuple>

#include "console/compass.h"
#include "console/rotator_window.h"
#include "console_test_support.h"

namespace {

using Request = std::tuple<int32_t, int32_t, bool>;  // rotator, bearing, stop

std::vector<Request> Requests(const QSignalSpy& spy) {
    std::vector<Request> requests;
    for (const QList<QVariant>& args : spy) {
        requests.emplace_back(args[0].toInt(), args[1].toInt(), args[2].toBool());
    }
    return requests;
}

TEST(RotatorWindow, ButtonsPresetsAndCompassAskForDirections) {
    CRotator rotator;
    rotator.number = 7;
    rotator.hasStop = true;
    CRotatorWindow window(rotator, nullptr);
    QSignalSpy spy(&window, &CRotatorWindow::directionRequested);
    const struct {
        int id;  // a button, or 0 for a press on the compass at `at`
        const char* typed;
        QPoint at;
        Request asked;
    } rows[] = {
        // clang-format off
        {1004, "", {}, {7, 45, false}}, {1005, "", {}, {7, 90, false}},
        {1006, "", {}, {7, 180, false}}, {1007, "", {}, {7, 270, false}},
        {1008, "", {}, {7, 330, false}}, {1003, "45deg", {}, {7, 45, false}},
        {1003, "-30", {}, {7, -30, false}}, {1003, "", {}, {7, 0, false}},
        {1003, "  +12x", {}, {7, 12, false}}, {1009, "", {}, {7, 0, true}},
        // A press on the compass: its bearing from the centre, with the written constants.
        {0, "straight above, a hair below 360", {180, 80}, {7, 360, false}},
        {0, "right of north", {181, 80}, {7, 1, false}}, {0, "left of north", {179, 80}, {7, 359, false}},
        {0, "the centre", {180, 180}, {7, 90, false}}, {0, "down", {180, 280}, {7, 180, false}},
        {0, "left", {80, 180}, {7, 270, false}}, {0, "corner", {1, 1}, {7, 315, false}},
        {0, "below the rose", {0, 360}, {7, 225, false}},
        // clang-format on
    };
    for (const auto& row : rows) {
        spy.clear();
        window.bearingEdit()->setText(row.id != 0 ? QString::fromLatin1(row.typed) : QString());
        row.id != 0 ? window.button(row.id)->click()
                    : QTest::mouseClick(window.compass(), Qt::LeftButton, {}, row.at);
        EXPECT_EQ(Requests(spy), std::vector<Request>{row.asked}) << row.id << row.typed;
    }
}

// The window run modally, as it opens and, once detached, with its records deleted: the title
// and the stop follow the record, and a changed rotation repaints the compass at once.
TEST(RotatorWindow, ModalFlows) {
    for (bool detach : {false, true}) {
        auto rotator = std::make_unique<CRotator>();
        rotator->number = 7;
        rotator->shortName = detach ? "Beam" : "";
        rotator->hasStop = detach;
        CRotatorWindow window(*rotator, nullptr);
        QSignalSpy spy(&window, &CRotatorWindow::directionRequested);
        WhenModal<CRotatorWindow>([&](CRotatorWindow& running) {
            ASSERT_TRUE(QTest::qWaitForWindowExposed(&running));
            EXPECT_EQ(running.windowTitle(), detach ? "Rotator - Beam" : "Rotator");
            EXPECT_EQ(running.size(), QSize(381, 533));
            EXPECT_EQ(running.compass()->geometry(), QRect(11, 11, 360, 390));
            EXPECT_EQ(running.button(1009)->isVisible(), detach);
            EXPECT_EQ(running.button(1009)->isEnabled(), detach);
            PaintLog counter;
            running.compass()->installEventFilter(&counter);
            rotator->relativePosition = 90;
            running.RotationChanged();
            EXPECT_EQ(counter.painted.size(), 1u);
            running.compass()->removeEventFilter(&counter);
            if (detach) {  // the console deletes the records right after: nothing may touch them
                running.CloseAndDetach();
                rotator.reset();
                EXPECT_EQ(running.rotator(), nullptr);
                running.RotationChanged();
                RenderAt(*running.compass());
                for (int id : {1004, 1009, 1003})
                    running.button(id)->click();
                QTest::mouseClick(running.compass(), Qt::LeftButton, {}, QPoint(10, 10));
                return;
            }
            // No button is or looks like the default, wherever the focus goes; Enter on a
            // focused button clicks it (Shift+Return is not Enter), and in the edit closes
            // without asking.
            QWidget* const focused[] = {running.bearingEdit(), running.button(1004),
                                        running.button(1003)};
            for (QWidget* focus : focused) {
                focus->setFocus(Qt::TabFocusReason);
                EXPECT_TRUE(QTest::qWaitFor([&] { return focus->hasFocus(); }, 10000));
                for (int id = 1003; id <= 1009; ++id)
                    EXPECT_FALSE(running.button(id)->isDefault());
            }
            QTest::keyClick(running.button(1003), Qt::Key_Return);
            QTest::keyClick(running.button(1003), Qt::Key_Return, Qt::ShiftModifier);
            EXPECT_TRUE(running.isVisible());
            running.bearingEdit()->setFocus(Qt::TabFocusReason);
            QTest::keyClicks(running.bearingEdit(), QStringLiteral("90"));
            QTest::keyClick(running.bearingEdit(), Qt::Key_Return);
        });
        EXPECT_EQ(window.exec(), detach ? QDialog::Rejected : QDialog::Accepted);
        EXPECT_EQ(Requests(spy),
                  (detach ? std::vector<Request>{} : std::vector<Request>{{7, 0, false}}));
    }
}

}  // namespace
