// CKEVAWindowsClientDlg, the console window: the program's one window and the owner of its
// run-time state.
//
// The road of an incoming message:
//   socket    the CTCP posts a SocketNotifyEvent to this window for every readyRead, close
//             and error of the current connection;
//   receive   event() hands it to receivePath_ (ReceivePath), which reads chunks of at most
//             4096 bytes, queues them and feeds them in order to the connection's JsonReader;
//   dispatch  each complete top-level object goes to ServerLink::Dispatch with messageTable_,
//             which checks the envelope and picks the handler by "Message";
//   handler   Station::HandleConfiguration / HandleState / HandleRotators / HandleRotation
//             update the descriptions and rotator records ...
//   buttons   ... and call back through StationView (below), which labels, shows and repaints
//             the buttons at once.
// The road of a command: a click handler computes the codes and calls a sender of the
// ServerLink (SendAntenna, ...), which goes through outgoingLink_ to the CTCP; a failed send
// shows a box and asks for a reconnection. Every lost link ends in RequestReconnect, which posts
// one ConnectServerEvent per loss; OnConnectServer then resets the console and connects again.
//
// Message boxes and dialogs run nested event loops, in which all of this can happen again:
// nothing here holds a pointer into the station's records across a send or a report.
#pragma once

#include <QDialog>
#include <array>
#include <string>

#include "console/color_scheme.h"
#include "json/report.h"
#include "link/connection_control.h"
#include "link/core/dispatch.h"
#include "link/core/receive_path.h"
#include "link/core/server_link.h"
#include "link/message_box.h"
#include "link/socket_receive_host.h"
#include "link/tcp_outgoing_link.h"
#include "model/station.h"
#include "model/station_view.h"

class CAntFuncButton;
class CTCP;
class CColorsDialog;
class CRotatorButton;
class CRotatorWindow;
class CTRButton;
class QLabel;
class QMenuBar;
class SocketNotifyEvent;

class CKEVAWindowsClientDlg : public QDialog, public StationView, public ConnectionConsole {
    Q_OBJECT
public:
    // `tcp` and `serverLink` live for the whole run, longer than the window; `settings` is the
    // settings file of this console.
    CKEVAWindowsClientDlg(CTCP& tcp, ServerLink& serverLink, SettingsLocation settings,
                          QWidget* parent = nullptr);
    ~CKEVAWindowsClientDlg() override;

    // Loads the colours, empties the console and posts the first connection request.
    void OnInitDialog();
    // A command of the console menu (IdSys*), compared after masking with 0xFFF0.
    void OnSysCommand(int command);
    // Puts the console back into its empty look: buttons hidden, rotators gone, labels empty,
    // mode buttons disarmed.
    void ResetConsole() override;
    // Posts one connection request if the link has not asked for one since the last connect.
    void RequestReconnect();
    void OnConnectServer();
    void OnSocketNotify(const SocketNotifyEvent& notification);

    void OnAntFuncClicked(int id);
    void OnAntFuncDoubleClicked(int id);
    void OnRotatorButtonClicked(int id);
    void OnTxModeClicked();
    void OnRxModeClicked();

    // StationView
    void ShowGridButton(int slot, const std::string& label) override;
    void HideGridButton(int slot) override;
    void SetGridButtonState(int slot, const GridButtonState& state) override;
    void ShowRotatorButton(int index, const std::string& label) override;
    void SetRotatorButton(int index, const std::string& label, bool onGrid, bool inUse) override;
    void RotationChanged(int index) override;
    void SetLongNameLines(const std::string& tx, const std::string& rx) override;
    void SetWindowTitle(const std::string& title) override;
    void DisarmModeButtons() override;

    // ConnectionConsole
    QWidget* consoleWidget() override { return this; }
    const std::string& baseTitle() const override { return baseTitle_; }
    void DiscardReader() override;
    void SetConnectedTitle(const std::string& title) override;
    void ArmReconnect() override { reconnectArmed_ = true; }
    std::optional<ServerValues> AskForServer(const ServerValues& held) override;
    const SettingsLocation& settings() const override { return settings_; }

    // For tests and the menu.
    Station& station() { return station_; }
    const ReceivePath& receivePath() const { return receivePath_; }
    bool reconnectArmed() const { return reconnectArmed_; }
    QWidget* control(int id) const;  // the control with this id, or none
    QWidget* face() const { return face_; }
    QMenuBar* menuBar() const { return menuBar_; }
    CRotatorWindow* openRotatorWindow() const { return openRotatorWindow_; }

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void CreateControls();
    void CreateMenu();
    std::vector<QWidget*> ButtonsInOrder() const;

    CTCP& tcp_;
    ServerLink& serverLink_;
    const SettingsLocation settings_;
    // The colours every console button is painted in, loaded once at the start.
    ColorScheme colorScheme_;
    // Every report of the reader, the envelope and the handlers, shown in a message box.
    Reporter reporter_{[](const std::string& text) { ShowMessageBox(text); }};
    Station station_;
    std::array<CAntFuncButton*, GridSlots> antFuncButtons_{};
    std::array<CRotatorButton*, MaxRotators> rotatorButtons_{};
    CTRButton* txModeButton_ = nullptr;
    CTRButton* rxModeButton_ = nullptr;
    QLabel* txLabel_ = nullptr;
    QLabel* rxLabel_ = nullptr;
    QWidget* face_ = nullptr;
    QMenuBar* menuBar_ = nullptr;
    std::string baseTitle_;
    CColorsDialog* colorsDialog_ = nullptr;
    bool reconnectArmed_ = false;

    MessageTable messageTable_;
    SocketReceiveHost receiveHost_;
    ReceivePath receivePath_;
    TcpOutgoingLink outgoingLink_;

    // The rotator window running modally from its button, if any, and its rotator's index.
    CRotatorWindow* openRotatorWindow_ = nullptr;
    int openRotatorIndex_ = -1;
};
