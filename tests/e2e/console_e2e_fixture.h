// The console window, offscreen in this process, against keva-sim in a child process over
// loopback TCP. The settings file in a temporary folder names 127.0.0.1 and the simulator's
// port, so the console connects without asking; a ModalWatch closes the boxes it shows and
// records anything modal the test did not expect.
//
// The simulator plays examples/station.json; Station 1 Radio 1 is tuned to 14025 kHz, where
// only the Tribander and the 20 m monobander are usable.
#pragma once

#include <gtest/gtest.h>

#include <QColor>
#include <QEvent>
#include <QStringList>
#include <QTemporaryDir>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/console_window.h"
#include "e2e/modal_watch.h"
#include "support/sim_process.h"

class CAntFuncButton;
class CRotatorButton;
class CRotatorWindow;

// Grid slot of a row and column: slot r + 5c is the button with id 5 + r + 5c.
constexpr int Slot(int row, int column) {
    return row + 5 * column;
}

// Where the example station puts things.
inline constexpr int TribanderSlot = Slot(1, 1);   // antenna 5, 14000-14350 and more, rotator 1
inline constexpr int TwentyMonoSlot = Slot(2, 0);  // antenna 7, 14000-14350, rotator 2
inline constexpr int AmpSlot = Slot(3, 2);         // function 1
inline constexpr int TuneSlot = Slot(4, 0);        // function 2, momentary
inline constexpr int StackSlot = Slot(4, 1);       // function 3, alternate
inline constexpr int TowerRotator = 0;  // rotator 1: CCW limit 180, 450 degrees, a Stop, 6 deg/s
inline constexpr int MastRotator = 1;   // rotator 2: CCW limit 0, 360 degrees, no Stop, 4 deg/s

// A button's TX and RX states.
struct Sides {
    int32_t tx = 0;
    int32_t rx = 0;
    bool operator==(const Sides&) const = default;
};
void PrintTo(const Sides& sides, std::ostream* out);

// A grid button the example station fills, with its states at the first "State" for radio 1.
struct PlacedItem {
    const char* label;
    int row;
    int column;
    Sides first;
};
extern const std::vector<PlacedItem> StationGrid;
// The one slot the example station leaves empty.
inline constexpr int EmptySlot = Slot(4, 2);

// The console's colours with the default scheme.
inline const QColor UnavailableFace(128, 128, 255);
inline const QColor AvailableFace(0, 0, 255);
inline const QColor SelectedBar(255, 0, 0);

// Pixels of a grid button left of any label, on the rows of the TX and the RX selection bar.
QPoint TopBarPixel(const QWidget* button);
QPoint BottomBarPixel(const QWidget* button);

// Records a value each time a widget paints, when it differs from the last one recorded. The
// console repaints at once on every change, so this sees every state a message applied, even
// when several messages are handled between two looks of the test.
class PaintRecorder : public QObject {
public:
    PaintRecorder(QWidget* widget, std::function<int32_t()> sample);
    const std::vector<int32_t>& values() const { return values_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::function<int32_t()> sample_;
    std::vector<int32_t> values_;
};

class ConsoleEndToEnd : public testing::Test {
protected:
    static constexpr int Patience = 20000;  // ms; generous for a loaded machine and sanitizers
    static constexpr const char* ConsoleHello = "Hello for station 1 radio 1";

    void SetUp() override;
    void TearDown() override;

    // Starts keva-sim with `faults`, makes the console and waits until it shows the station.
    void Start(const QStringList& faults = {});
    // The labels, places, rotator bearings and title that the example station gives (whatever
    // the states).
    bool StationShown() const;
    // The connected title with the station's frequency range.
    static std::string FullTitle();

    bool WaitFor(const std::function<bool()>& condition, int timeoutMs = Patience);

    CAntFuncButton* ButtonOfSlot(int slot) const;
    Sides SidesOfSlot(int slot) const;
    void ClickSlot(int slot);
    void ClickControl(int id);  // a mode button or any other console control
    CRotatorButton* RotatorButton(int index) const;
    const CRotator* Rotator(int index) const;
    int32_t Bearing(int index) const;    // the record's relativePosition
    std::string LineText(int id) const;  // the TX (1007) or RX (1010) long-name line

    // Runs `open`, which shows a modal `Dialog` and returns when it closes. Meanwhile, from a
    // zero-delay timer inside the dialog's loop, waits for the dialog to be the active modal
    // widget and hands it to `drive`; then closes it with Escape if it is still open.
    template <typename Dialog>
    void WithModal(const std::function<void()>& open, const std::function<void(Dialog&)>& drive) {
        RunModal(
            open, [](QWidget* modal) { return qobject_cast<Dialog*>(modal) != nullptr; },
            [&drive](QWidget& modal) { drive(static_cast<Dialog&>(modal)); });
    }
    // Opens rotator `index`'s window from its button and drives it as above.
    void WithRotatorWindow(int index, const std::function<void(CRotatorWindow&)>& drive);
    // Runs the Frequency command with `text` typed into its dialog and OK.
    void ReportFrequency(const QString& text);

    // The colour of one pixel of the widget as painted now.
    static QColor PixelOf(QWidget* widget, QPoint point);

    // Boxes that the test expects the ModalWatch to have closed, checked at the end.
    std::vector<std::string> expectedBoxes;

    QTemporaryDir folder;
    SimProcess sim;
    ModalWatch watch;
    std::unique_ptr<CKEVAWindowsClientDlg> console;
    int connectRequests = 0;  // connection requests the console has handled

private:
    void RunModal(const std::function<void()>& open, const std::function<bool(QWidget*)>& isIt,
                  const std::function<void(QWidget&)>& drive);

    std::string savedSettingsPath_;
    std::unique_ptr<QObject> requestCounter_;
};
