// The link against keva-sim: a simulator that dies and comes back on the same port, and the
// simulator's fault modes. Each lost link gives exactly one new connection.
#include <QTest>

#include "console/ant_func_button.h"
#include "console/compass.h"
#include "console/rotator_window.h"
#include "e2e/console_e2e_fixture.h"

namespace {

using LinkEndToEnd = ConsoleEndToEnd;

// The window titles as they are set.
class TitleRecorder : public QObject {
public:
    explicit TitleRecorder(QWidget* window) : window_(window) { window->installEventFilter(this); }
    const std::vector<std::string>& titles() const { return titles_; }

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::WindowTitleChange) {
            titles_.push_back(window_->windowTitle().toStdString());
        }
        return false;
    }

private:
    QWidget* window_;
    std::vector<std::string> titles_;
};

// The simulator is killed and started again while the console's event loop stands still, so the
// console meets the new simulator at its first attempt.
TEST_F(LinkEndToEnd, ASimulatorRestartedOnTheSamePortGetsOneReconnection) {
    ASSERT_NO_FATAL_FAILURE(Start());
    const int requestsBefore = connectRequests;
    TitleRecorder titles(console.get());
    const quint16 port = sim.port();
    sim.Kill();
    std::string error;
    ASSERT_TRUE(sim.Start({}, port, error)) << error;

    ASSERT_TRUE(WaitFor([this] { return sim.CountLogged(ConsoleHello) == 1; })) << sim.log();
    ASSERT_TRUE(WaitFor([this] { return StationShown(); }))
        << "title: " << console->windowTitle().toStdString();
    ClickSlot(TribanderSlot);
    ASSERT_TRUE(WaitFor([this] { return SidesOfSlot(TribanderSlot) == Sides{2, 2}; }));
    EXPECT_EQ(sim.CountLogged(ConsoleHello), 1) << sim.log();
    EXPECT_EQ(connectRequests - requestsBefore, 1);
    const std::vector<std::string> expectedTitles = {
        "KEVA Windows Client - Station 1 Radio 1 (Disconnected)",
        "KEVA Windows Client - Station 1 Radio 1",
        FullTitle(),
    };
    EXPECT_EQ(titles.titles(), expectedTitles);
}

// A reconnection discards the rotator records: the open rotator window is closed first and
// forgets its record, and the console goes on with the new simulator's rotators.
TEST_F(LinkEndToEnd, ARestartWhileARotatorWindowIsOpenClosesTheWindowFirst) {
    ASSERT_NO_FATAL_FAILURE(Start());
    WithRotatorWindow(TowerRotator, [this](CRotatorWindow& window) {
        const quint16 port = sim.port();
        sim.Kill();
        std::string error;
        ASSERT_TRUE(sim.Start({}, port, error)) << error;
        ASSERT_TRUE(WaitFor([&] { return !window.isVisible(); }));
        EXPECT_EQ(window.rotator(), nullptr);
        window.compass()->grab();  // paints without a record
    });
    ASSERT_TRUE(WaitFor([this] { return StationShown(); }))
        << "title: " << console->windowTitle().toStdString();
    EXPECT_EQ(sim.CountLogged(ConsoleHello), 1) << sim.log();
    WithRotatorWindow(TowerRotator, [](CRotatorWindow& window) {
        ASSERT_NE(window.rotator(), nullptr);
        EXPECT_EQ(window.rotator()->relativePosition, 45);
    });
}

struct FaultRow {
    const char* name;
    QStringList options;
    // The boxes the console shows after the click, in order.
    std::vector<std::string> boxes;
    int reconnections;
};

void PrintTo(const FaultRow& row, std::ostream* out) {
    *out << row.name;
}

class FaultEndToEnd : public ConsoleEndToEnd, public testing::WithParamInterface<FaultRow> {};

// The station comes up whole; a click's answer (the connection's seventh message) arrives, and
// then the fault, if any, takes the link down and the console connects once more.
TEST_P(FaultEndToEnd, TheConsoleCopesAndReconnectsOnceWhenTheLinkFails) {
    const FaultRow& row = GetParam();
    expectedBoxes = row.boxes;
    ASSERT_NO_FATAL_FAILURE(Start(row.options));
    const int requestsBefore = connectRequests;
    ClickSlot(TribanderSlot);
    ASSERT_TRUE(WaitFor([this] { return SidesOfSlot(TribanderSlot) == Sides{2, 2}; }));
    if (row.reconnections > 0) {
        ASSERT_TRUE(WaitFor([this] { return sim.CountLogged(ConsoleHello) == 2; })) << sim.log();
        ASSERT_TRUE(WaitFor([this] { return StationShown(); }))
            << "title: " << console->windowTitle().toStdString();
    }
    ASSERT_TRUE(WaitFor([&] { return watch.boxTexts().size() >= row.boxes.size(); }));
    EXPECT_EQ(connectRequests - requestsBefore, row.reconnections);
    EXPECT_EQ(sim.CountLogged(ConsoleHello), 1 + row.reconnections) << sim.log();
    EXPECT_EQ(SidesOfSlot(TribanderSlot), (Sides{2, 2}));
}

INSTANTIATE_TEST_SUITE_P(
    Faults, FaultEndToEnd,
    testing::Values(FaultRow{"EveryByteAWriteOfItsOwn", {"--chunk", "1"}, {}, 0},
                    FaultRow{"ABadByteAfterTheClicksAnswer",
                             {"--bad-byte-after", "7"},
                             {"JSON: Unexpected control character 0x1 in object at line 2     ",
                              "Got bad message from server"},
                             1},
                    FaultRow{
                        "AClosedConnectionAfterTheClicksAnswer", {"--close-after", "7"}, {}, 1}),
    [](const testing::TestParamInfo<FaultRow>& info) { return std::string(info.param.name); });

}  // namespace
