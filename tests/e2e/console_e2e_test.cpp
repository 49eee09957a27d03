// The console window, offscreen in this process, against keva-sim in a child process over
// loopback TCP. The simulator plays examples/station.json; Station 1 Radio 1 is tuned to
// 14025 kHz, where the Tribander is usable.
#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <fstream>

#include "app/console_menu.h"
#include "app/console_window.h"
#include "console/ant_func_button.h"
#include "console/button_geometry.h"
#include "console/rotator_button.h"
#include "link/core/server_link.h"
#include "link/tcp.h"
#include "settings/settings_path.h"
#include "support/modal_driver.h"
#include "support/sim_process.h"
#include "support/temp_folder.h"

namespace {

constexpr int Tribander = 5 + 6;  // grid button id: row 1, column 1; antenna 5, rotator 1
constexpr int TowerButton = 20;   // rotator 1
const QColor AvailableFace(0, 0, 255);
const QColor SelectedBar(255, 0, 0);

class ConsoleEndToEnd : public testing::Test {
protected:
    ~ConsoleEndToEnd() override {
        console.reset();
        tcp.Close();
    }

    void SetUp() override {
        std::string error;
        ASSERT_TRUE(sim.Start({}, 0, error)) << error;
        std::ofstream(settings.path)
            << "[Server]\nAddress=127.0.0.1\nPort=" << sim.port() << "\nStation=1\nRadio=1\n";
        console = std::make_unique<CKEVAWindowsClientDlg>(tcp, serverLink, settings);
        console->show();
        ASSERT_TRUE(WaitFor([this] {
            return console->windowTitle() ==
                       "[1800-29700] KEVA Windows Client - Station 1 Radio 1" &&
                   Sides(Tribander) == "1 1" && Button(Tribander)->text() == "Tribander" &&
                   !console->control(TowerButton)->isHidden();
        })) << sim.log();
    }
    void TearDown() override {
        EXPECT_EQ(driver.boxTexts(), std::vector<std::string>{});
        EXPECT_EQ(driver.dismissed(), std::vector<std::string>{});
    }

    static bool WaitFor(const std::function<bool()>& condition, int timeoutMs = 20000) {
        return QTest::qWaitFor(condition, timeoutMs);
    }
    CAntFuncButton* Button(int id) const {
        return qobject_cast<CAntFuncButton*>(console->control(id));
    }
    std::string Sides(int id) const {
        return std::to_string(Button(id)->txState()) + " " + std::to_string(Button(id)->rxState());
    }
    // The pixels of a grid button's TX and RX selection bars, left of any label.
    std::pair<QColor, QColor> Bars(int id) const {
        const QImage image = Button(id)->grab().toImage();
        const QSize size = Button(id)->size();
        return {image.pixelColor(TopBarRect(size).topLeft() + QPoint(2, 1)),
                image.pixelColor(BottomBarRect(size).topLeft() + QPoint(2, 1))};
    }
    TempFolder folder;
    const SettingsLocation settings{(folder.path() / "keva-client.ini").string()};
    SimProcess sim;
    ModalDriver driver;
    CTCP tcp;
    ServerLink serverLink;
    std::unique_ptr<CKEVAWindowsClientDlg> console;
};

TEST_F(ConsoleEndToEnd, AGridClickSelectsTheAntennaAndTheNextStatePaintsIt) {
    EXPECT_EQ(Bars(Tribander), std::make_pair(AvailableFace, AvailableFace));
    QTest::mouseClick(Button(Tribander), Qt::LeftButton);
    ASSERT_TRUE(WaitFor([this] { return Sides(Tribander) == "2 2"; }));
    EXPECT_EQ(
        sim.CountLogged("Antenna for station 1 radio 1: TX 1 on antenna 5, RX 1 on antenna 5"), 1)
        << sim.log();
    EXPECT_EQ(Bars(Tribander), std::make_pair(SelectedBar, SelectedBar));
    // The same name on both sides goes on the TX line alone, after four blanks.
    EXPECT_EQ(qobject_cast<QLabel*>(console->control(1007))->text(),
              "    20/15/10 m Tribander (tower)");
    EXPECT_TRUE(qobject_cast<CRotatorButton*>(console->control(TowerButton))->inUse());
}

}  // namespace
