// The rotator window as a real modal dialog, with the bytes of every "Direction" it sends.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <memory>

#include "console/compass.h"
#include "console/rotator_window.h"
#include "console_test_support.h"

namespace {

// A "Direction" for rotator 7: `tail` is `"Direction" : <bearing>` or `"Stop" : true`.
std::string Direction(int sequence, const std::string& tail) {
    return "{ \"Message\" : \"Direction\", \"Sequence\" : " + std::to_string(sequence) +
           ", \"Version\": 1, \"Parameters\" : { \"Rotator\" : 7, " + tail + "} }";
}
std::string Turn(int sequence, int bearing) {
    return Direction(sequence, "\"Direction\" : " + std::to_string(bearing));
}

class RotatorWindowTest : public testing::Test {
protected:
    void SetUp() override {
        g_lastSequenceSent = 40;
        rotator_->number = 7;
        rotator_->shortName = "Beam";
        rotator_->hasStop = true;
    }

    std::unique_ptr<CRotator> rotator_ = std::make_unique<CRotator>();
    RecordingLink link_;
};

TEST_F(RotatorWindowTest, TitleAndStopFollowTheRecord) {
    const struct {
        const char* shortName;
        bool hasStop;
        const char* title;
    } rows[] = {{"Beam", true, "Rotator - Beam"}, {"", false, "Rotator"}};
    for (const auto& row : rows) {
        rotator_->shortName = row.shortName;
        rotator_->hasStop = row.hasStop;
        CRotatorWindow window(*rotator_, nullptr);
        window.show();
        EXPECT_EQ(window.windowTitle(), QString::fromUtf8(row.title));
        EXPECT_EQ(window.size(), QSize(381, 533));
        EXPECT_EQ(window.compass()->geometry(), QRect(11, 11, 360, 390));
        EXPECT_EQ(window.button(1009)->isVisible(), row.hasStop) << row.title;
        EXPECT_EQ(window.button(1009)->isEnabled(), row.hasStop) << row.title;
    }
}

TEST_F(RotatorWindowTest, ButtonsPresetsAndCompassSendDirections) {
    CRotatorWindow window(*rotator_, nullptr);
    const struct {
        int id;
        const char* typed;
        int bearing;
    } rows[] = {{1004, "", 45},     {1005, "", 90},  {1006, "", 180},
                {1007, "", 270},    {1008, "", 330}, {1003, "45deg", 45},
                {1003, "-30", -30}, {1003, "", 0},   {1003, "  +12x", 12}};
    std::vector<std::string> expected;
    for (const auto& row : rows) {
        window.bearingEdit()->setText(QString::fromLatin1(row.typed));
        window.button(row.id)->click();
        expected.push_back(Turn(41 + static_cast<int>(expected.size()), row.bearing));
    }
    window.button(1009)->click();
    expected.push_back(Direction(50, "\"Stop\" : true"));
    QTest::mouseClick(window.compass(), Qt::LeftButton, Qt::NoModifier, QPoint(180, 80));
    expected.push_back(Turn(51, 360));
    QTest::mouseClick(window.compass(), Qt::LeftButton, Qt::NoModifier, QPoint(0, 360));
    expected.push_back(Turn(52, 225));
    EXPECT_EQ(link_.sent, expected);
}

TEST_F(RotatorWindowTest, EnterInTheEditClosesWithoutSendingAndEachOpeningStartsEmpty) {
    {
        CRotatorWindow window(*rotator_, nullptr);
        WhenModal<CRotatorWindow>([](CRotatorWindow& running) {
            EXPECT_TRUE(QTest::qWaitFor([&] { return running.bearingEdit()->hasFocus(); }, 10000));
            QTest::keyClicks(running.bearingEdit(), QStringLiteral("90"));
            QTest::keyClick(running.bearingEdit(), Qt::Key_Return);
        });
        EXPECT_EQ(window.exec(), QDialog::Accepted);
    }
    CRotatorWindow again(*rotator_, nullptr);
    EXPECT_TRUE(again.bearingEdit()->text().isEmpty());
    WhenModal<CRotatorWindow>(
        [](CRotatorWindow& running) { QTest::keyClick(running.bearingEdit(), Qt::Key_Escape); });
    EXPECT_EQ(again.exec(), QDialog::Rejected);
    EXPECT_TRUE(link_.sent.empty());
}

// No button is or looks like the default, wherever the focus goes; Enter on a focused button
// clicks it, and anywhere else closes the window.
TEST_F(RotatorWindowTest, NoButtonIsTheDefaultAndEnterKeepsItsMeaning) {
    CRotatorWindow window(*rotator_, nullptr);
    WhenModal<CRotatorWindow>([](CRotatorWindow& running) {
        for (QWidget* focus : std::initializer_list<QWidget*>{
                 running.bearingEdit(), running.button(1004), running.button(1003)}) {
            focus->setFocus(Qt::TabFocusReason);
            EXPECT_TRUE(QTest::qWaitFor([&] { return focus->hasFocus(); }, 10000));
            for (int id = 1003; id <= 1009; ++id) {
                EXPECT_FALSE(running.button(id)->isDefault()) << id;
            }
        }
        QTest::keyClick(running.button(1003), Qt::Key_Return);
        EXPECT_TRUE(running.isVisible());
        running.bearingEdit()->setFocus(Qt::TabFocusReason);
        QTest::keyClick(running.bearingEdit(), Qt::Key_Return);
    });
    EXPECT_EQ(window.exec(), QDialog::Accepted);
    EXPECT_EQ(link_.sent, std::vector<std::string>{Turn(41, 0)});
}

TEST_F(RotatorWindowTest, RotationChangedRepaintsTheOpenCompassAtOnce) {
    CRotatorWindow window(*rotator_, nullptr);
    PaintLog counter;
    window.compass()->installEventFilter(&counter);
    WhenModal<CRotatorWindow>([&](CRotatorWindow& running) {
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&running));
        const std::size_t before = counter.painted.size();
        rotator_->relativePosition = 90;
        running.RotationChanged();
        EXPECT_EQ(counter.painted.size(), before + 1);
        running.reject();
    });
    window.exec();
}

TEST_F(RotatorWindowTest, CloseAndDetachEndsTheLoopAndNeverTouchesTheRecordAgain) {
    CRotatorWindow window(*rotator_, nullptr);
    WhenModal<CRotatorWindow>([this](CRotatorWindow& running) {
        running.CloseAndDetach();
        rotator_.reset();  // the console deletes the records right after
        EXPECT_EQ(running.rotator(), nullptr);
        running.RotationChanged();
        running.compass()->repaint();
        running.button(1004)->click();
        running.button(1009)->click();
        QTest::mouseClick(running.compass(), Qt::LeftButton, Qt::NoModifier, QPoint(10, 10));
    });
    EXPECT_EQ(window.exec(), QDialog::Rejected);
    EXPECT_TRUE(link_.sent.empty());
}

}  // namespace
