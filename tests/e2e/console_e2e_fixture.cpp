#include "e2e/console_e2e_fixture.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <fstream>
#include <ostream>

#include "app/console_layout.h"
#include "app/console_menu.h"
#include "console/ant_func_button.h"
#include "console/button_geometry.h"
#include "console/frequency_dialog.h"
#include "console/rotator_button.h"
#include "console/rotator_window.h"
#include "link/console_events.h"
#include "link/core/dispatch.h"
#include "link/core/server_link.h"
#include "link/tcp.h"
#include "settings/settings_path.h"

namespace {

// Counts the connection requests the console handles.
class RequestCounter : public QObject {
public:
    explicit RequestCounter(int& count) : count_(count) {}

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == ConnectServerEvent) {
            ++count_;
        }
        return false;
    }

private:
    int& count_;
};

}  // namespace

const std::vector<PlacedItem> StationGrid = {
    {"160 Inv L", 0, 0, {0, 0}}, {"80 4-Sq", 0, 1, {0, 0}},   {"40 Yagi", 0, 2, {0, 0}},
    {"40 Dipole", 1, 0, {0, 0}}, {"Tribander", 1, 1, {1, 1}}, {"WARC Vert", 1, 2, {0, 0}},
    {"20 Mono", 2, 0, {1, 1}},   {"15 Mono", 2, 1, {0, 0}},   {"10 Mono", 2, 2, {0, 0}},
    {"Bev NE", 3, 0, {0, 0}},    {"Bev SW", 3, 1, {0, 0}},    {"Amp", 3, 2, {1, 1}},
    {"Tune", 4, 0, {1, 1}},      {"Stack", 4, 1, {1, 1}},
};

QPoint TopBarPixel(const QWidget* button) {
    return TopBarRect(button->size()).topLeft() + QPoint(2, 1);
}

QPoint BottomBarPixel(const QWidget* button) {
    return BottomBarRect(button->size()).topLeft() + QPoint(2, 1);
}

void PrintTo(const Sides& sides, std::ostream* out) {
    *out << "TX " << sides.tx << " RX " << sides.rx;
}

PaintRecorder::PaintRecorder(QWidget* widget, std::function<int32_t()> sample)
    : sample_(std::move(sample)) {
    values_.push_back(sample_());
    widget->installEventFilter(this);
}

bool PaintRecorder::eventFilter(QObject*, QEvent* event) {
    if (event->type() == QEvent::Paint) {
        const int32_t value = sample_();
        if (values_.back() != value) {
            values_.push_back(value);
        }
    }
    return false;
}

void ConsoleEndToEnd::SetUp() {
    ASSERT_TRUE(folder.isValid());
    savedSettingsPath_ = SettingsFilePath;
    SettingsFilePath = folder.filePath("keva-client.ini").toStdString();
    g_lastSequenceSent = 0;
    g_lastSequenceReceived = 0;
}

void ConsoleEndToEnd::TearDown() {
    console.reset();
    g_tcp.Close();
    sim.Kill();
    SettingsFilePath = savedSettingsPath_;
    EXPECT_EQ(watch.unexpected(), std::vector<std::string>{}) << "modal widgets nobody expected";
    EXPECT_EQ(watch.boxTexts(), expectedBoxes);
}

void ConsoleEndToEnd::Start(const QStringList& faults) {
    std::string error;
    ASSERT_TRUE(sim.Start(faults, 0, error)) << error;
    std::ofstream(SettingsFilePath)
        << "[Server]\nAddress=127.0.0.1\nPort=" << sim.port() << "\nStation=1\nRadio=1\n";
    console = std::make_unique<CKEVAWindowsClientDlg>();
    requestCounter_ = std::make_unique<RequestCounter>(connectRequests);
    console->installEventFilter(requestCounter_.get());
    console->show();
    ASSERT_TRUE(WaitFor([this] {
        return StationShown() && SidesOfSlot(TribanderSlot) == Sides{1, 1};
    })) << "title: "
        << console->windowTitle().toStdString() << "\nsimulator log:\n"
        << sim.log();
}

std::string ConsoleEndToEnd::FullTitle() {
    return "[1800-29700] KEVA Windows Client - Station 1 Radio 1";
}

bool ConsoleEndToEnd::StationShown() const {
    if (console->windowTitle().toStdString() != FullTitle()) {
        return false;
    }
    for (const PlacedItem& item : StationGrid) {
        const CAntFuncButton* button = ButtonOfSlot(Slot(item.row, item.column));
        if (button->isHidden() || button->text() != QString::fromUtf8(item.label)) {
            return false;
        }
    }
    return !RotatorButton(TowerRotator)->isHidden() && !RotatorButton(MastRotator)->isHidden() &&
           Bearing(TowerRotator) != NoPosition && Bearing(MastRotator) != NoPosition;
}

bool ConsoleEndToEnd::WaitFor(const std::function<bool()>& condition, int timeoutMs) {
    return QTest::qWaitFor(condition, timeoutMs);
}

CAntFuncButton* ConsoleEndToEnd::ButtonOfSlot(int slot) const {
    return qobject_cast<CAntFuncButton*>(console->control(FirstGridButtonId + slot));
}

Sides ConsoleEndToEnd::SidesOfSlot(int slot) const {
    const CAntFuncButton* button = ButtonOfSlot(slot);
    return {button->txState(), button->rxState()};
}

void ConsoleEndToEnd::ClickSlot(int slot) {
    ClickControl(FirstGridButtonId + slot);
}

void ConsoleEndToEnd::ClickControl(int id) {
    QWidget* control = console->control(id);
    ASSERT_NE(control, nullptr) << "no control " << id;
    QTest::mouseClick(control, Qt::LeftButton);
}

CRotatorButton* ConsoleEndToEnd::RotatorButton(int index) const {
    return qobject_cast<CRotatorButton*>(console->control(FirstRotatorButtonId + index));
}

const CRotator* ConsoleEndToEnd::Rotator(int index) const {
    return console->station().RotatorAt(index);
}

int32_t ConsoleEndToEnd::Bearing(int index) const {
    const CRotator* rotator = Rotator(index);
    return rotator == nullptr ? NoPosition : rotator->relativePosition;
}

std::string ConsoleEndToEnd::LineText(int id) const {
    return qobject_cast<QLabel*>(console->control(id))->text().toStdString();
}

void ConsoleEndToEnd::RunModal(const std::function<void()>& open,
                               const std::function<bool(QWidget*)>& isIt,
                               const std::function<void(QWidget&)>& drive) {
    watch.Claim(isIt);
    bool driven = false;
    // A timer object of this frame: should the dialog never open, it cannot fire later.
    QTimer inside;
    inside.setSingleShot(true);
    QObject::connect(&inside, &QTimer::timeout, [&] {
        QWidget* modal = nullptr;
        if (!WaitFor([&] {
                modal = QApplication::activeModalWidget();
                return modal != nullptr && isIt(modal);
            })) {
            return;
        }
        // The dialog lives on its opener's stack until this returns, whatever `drive` does.
        drive(*modal);
        driven = true;
        if (modal->isVisible()) {
            QTest::keyClick(modal, Qt::Key_Escape);
        }
        if (modal->isVisible()) {
            ADD_FAILURE() << "Escape left " << modal->metaObject()->className() << " open";
            qobject_cast<QDialog*>(modal)->reject();
        }
    });
    inside.start(0);
    open();
    watch.Claim({});
    EXPECT_TRUE(driven) << "the dialog did not open";
}

void ConsoleEndToEnd::WithRotatorWindow(int index,
                                        const std::function<void(CRotatorWindow&)>& drive) {
    WithModal<CRotatorWindow>([&] { QTest::mouseClick(RotatorButton(index), Qt::LeftButton); },
                              drive);
}

void ConsoleEndToEnd::ReportFrequency(const QString& text) {
    WithModal<CFrequencyDlg>([&] { console->OnSysCommand(IdSysFrequency); },
                             [&](CFrequencyDlg& dialog) {
                                 QTest::keyClicks(dialog.edit(), text);
                                 QTest::mouseClick(dialog.button(1), Qt::LeftButton);  // OK
                             });
}

QColor ConsoleEndToEnd::PixelOf(QWidget* widget, QPoint point) {
    return widget->grab().toImage().pixelColor(point);
}
