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

std::string Turn(int sequence, int rotator, int bearing) {
    return "{ \"Message\" : \"Direction\", \"Sequence\" : " + std::to_string(sequence) +
           ", \"Version\": 1, \"Parameters\" : { \"Rotator\" : " + std::to_string(rotator) +
           ", \"Direction\" : " + std::to_string(bearing) + "} }";
}

std::string Stop(int sequence, int rotator) {
    return "{ \"Message\" : \"Direction\", \"Sequence\" : " + std::to_string(sequence) +
           ", \"Version\": 1, \"Parameters\" : { \"Rotator\" : " + std::to_string(rotator) +
           ", \"Stop\" : true} }";
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

TEST_F(RotatorWindowTest, TitleFollowsTheShortName) {
    EXPECT_EQ(CRotatorWindow(*rotator_, nullptr).windowTitle(), QStringLiteral("Rotator - Beam"));
    rotator_->shortName.clear();
    CRotatorWindow untitled(*rotator_, nullptr);
    EXPECT_EQ(untitled.windowTitle(), QStringLiteral("Rotator"));
    EXPECT_EQ(untitled.size(), QSize(381, 533));
    EXPECT_EQ(untitled.compass()->geometry(), QRect(11, 11, 360, 390));
}

TEST_F(RotatorWindowTest, StopIsHiddenAndDisabledWithoutOne) {
    rotator_->hasStop = false;
    CRotatorWindow window(*rotator_, nullptr);
    window.show();
    EXPECT_FALSE(window.button(1009)->isVisible());
    EXPECT_FALSE(window.button(1009)->isEnabled());

    rotator_->hasStop = true;
    CRotatorWindow withStop(*rotator_, nullptr);
    withStop.show();
    EXPECT_TRUE(withStop.button(1009)->isVisible());
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
        expected.push_back(Turn(41 + static_cast<int>(expected.size()), 7, row.bearing));
    }
    window.button(1009)->click();
    expected.push_back(Stop(50, 7));
    QTest::mouseClick(window.compass(), Qt::LeftButton, Qt::NoModifier, QPoint(180, 80));
    expected.push_back(Turn(51, 7, 360));
    QTest::mouseClick(window.compass(), Qt::LeftButton, Qt::NoModifier, QPoint(0, 360));
    expected.push_back(Turn(52, 7, 225));
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

// Counts the compass's paint events.
class PaintCounter : public QObject {
public:
    int paints = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        paints += event->type() == QEvent::Paint;
        return false;
    }
};

TEST_F(RotatorWindowTest, RotationChangedRepaintsTheOpenCompassAtOnce) {
    CRotatorWindow window(*rotator_, nullptr);
    PaintCounter counter;
    window.compass()->installEventFilter(&counter);
    WhenModal<CRotatorWindow>([&](CRotatorWindow& running) {
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&running));
        const int before = counter.paints;
        rotator_->relativePosition = 90;
        running.RotationChanged();
        EXPECT_EQ(counter.paints, before + 1);
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
