// Clicks on the console's buttons. A click never changes what a button shows: it sends a
// request, and the server's next "State" redraws. Every send can show a box, so a description
// is read before the send and looked up again afterwards if needed.
#include "app/console_layout.h"
#include "app/console_window.h"
#include "console/rotator_window.h"
#include "console/tr_button.h"
#include "link/core/server_link.h"
#include "model/click_codes.h"

void CKEVAWindowsClientDlg::OnAntFuncClicked(int id) {
    const bool txArmed = txModeButton_->armed();
    const bool rxArmed = rxModeButton_->armed();
    if (const AntFuncDescription* description =
            station_.DescriptionOnSlot(id - FirstGridButtonId)) {
        const int32_t number = description->number;
        if (description->kind == DescriptionKind::Antenna) {
            const AntennaCodes codes = AntennaClickCodes(*description, txArmed, rxArmed);
            // A failed send then asks for a new connection.
            reconnectArmed_ = true;
            serverLink_.SendAntenna(codes.tx, number, codes.rx);
        } else {
            serverLink_.SendFunction(FunctionClickState(*description), number);
        }
    }
    // An armed mode lasts for one click on the grid, whether or not anything was sent.
    station_.lastClickTxArmed = txModeButton_->armed();
    station_.lastClickRxArmed = rxModeButton_->armed();
    DisarmModeButtons();
}

void CKEVAWindowsClientDlg::OnAntFuncDoubleClicked(int id) {
    if (const AntFuncDescription* description =
            station_.DescriptionOnSlot(id - FirstGridButtonId)) {
        const int32_t number = description->number;
        if (description->kind == DescriptionKind::Antenna) {
            const AntennaCodes codes =
                AntennaDoubleClickCodes(station_.lastClickTxArmed, station_.lastClickRxArmed);
            serverLink_.SendAntenna(codes.tx, number, codes.rx);
        } else {
            serverLink_.SendFunction(FunctionDoubleClickState(*description), number);
        }
    }
    station_.lastClickTxArmed = false;
    station_.lastClickRxArmed = false;
}

// The window runs modally; a reconnection meanwhile closes it before its record goes.
void CKEVAWindowsClientDlg::OnRotatorButtonClicked(int id) {
    const int index = id - FirstRotatorButtonId;
    const CRotator* rotator = station_.RotatorAt(index);
    if (rotator == nullptr) {
        return;
    }
    CRotatorWindow window(*rotator, this);
    connect(&window, &CRotatorWindow::directionRequested, this,
            [this](int32_t number, int32_t bearing, bool stop) {
                serverLink_.SendDirection(number, bearing, stop);
            });
    openRotatorWindow_ = &window;
    openRotatorIndex_ = index;
    window.exec();
    if (openRotatorWindow_ == &window) {
        openRotatorWindow_ = nullptr;
        openRotatorIndex_ = -1;
    }
}

void CKEVAWindowsClientDlg::OnTxModeClicked() {
    txModeButton_->SetArmed(!txModeButton_->armed());
    rxModeButton_->SetArmed(false);
}

void CKEVAWindowsClientDlg::OnRxModeClicked() {
    rxModeButton_->SetArmed(!rxModeButton_->armed());
    txModeButton_->SetArmed(false);
}
