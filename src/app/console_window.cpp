#include "app/console_window.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QVBoxLayout>

#include "app/console_layout.h"
#include "console/ant_func_button.h"
#include "console/color_scheme.h"
#include "console/colors_dialog.h"
#include "console/dialog_units.h"
#include "console/long_name_line.h"
#include "console/rotator_button.h"
#include "console/rotator_window.h"
#include "console/server_dialog.h"
#include "console/tr_button.h"
#include "link/console_events.h"
#include "link/message_box.h"
#include "link/tcp.h"
#include "protocol/names.h"

namespace {

QString FromBytes(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QRect ItemRect(int id) {
    const DialogItem item = ConsoleItem(id);
    return DialogRect(item.x, item.y, item.width, item.height);
}

template <typename Button>
Button* PlaceButton(Button* button, const char* text) {
    button->setObjectName(QStringLiteral("control%1").arg(button->controlId()));
    button->setGeometry(ItemRect(button->controlId()));
    button->setText(QString::fromLatin1(text));
    return button;
}

QLabel* PlaceLabel(QWidget* face, int id, const char* text) {
    QLabel* label = new LongNameLine(QString::fromLatin1(text), face);
    label->setObjectName(QStringLiteral("control%1").arg(id));
    label->setTextFormat(Qt::PlainText);
    label->setGeometry(ItemRect(id));
    return label;
}

}  // namespace

CKEVAWindowsClientDlg::CKEVAWindowsClientDlg(CTCP& tcp, ServerLink& serverLink,
                                             SettingsLocation settings, QWidget* parent)
    : QDialog(parent),
      tcp_(tcp),
      serverLink_(serverLink),
      settings_(std::move(settings)),
      station_(*this, reporter_),
      receiveHost_(tcp, [this] { RequestReconnect(); }),
      receivePath_(
          receiveHost_,
          [this](const JsonNode* root) { serverLink_.Dispatch(messageTable_, root, reporter_); },
          reporter_),
      outgoingLink_(tcp, [this] { RequestReconnect(); }) {
    setWindowTitle(QStringLiteral("KEVA Windows Client"));
    CreateMenu();
    CreateControls();
    colorsDialog_ = new CColorsDialog(colorScheme_, settings_, this);

    messageTable_ = {
        {MessageName::Configuration,
         [this](const JsonNode* p) { station_.HandleConfiguration(p); }},
        {MessageName::State, [this](const JsonNode* p) { station_.HandleState(p); }},
        {MessageName::Rotators, [this](const JsonNode* p) { station_.HandleRotators(p); }},
        {MessageName::Rotation, [this](const JsonNode* p) { station_.HandleRotation(p); }},
    };
    serverLink_.SetOutgoingLink(&outgoingLink_);
    OnInitDialog();
}

CKEVAWindowsClientDlg::~CKEVAWindowsClientDlg() {
    serverLink_.SetOutgoingLink(nullptr);
}

// The face below the menu bar keeps the template's client size, 557 x 330 px. Controls are
// created in tab order, which Qt takes as the focus chain.
void CKEVAWindowsClientDlg::CreateControls() {
    face_ = new QWidget(this);
    face_->setObjectName(QStringLiteral("consoleFace"));
    face_->setFixedSize(DialogUnitsToPixelsX(ConsoleWidthDu),
                        DialogUnitsToPixelsY(ConsoleHeightDu));
    layout()->addWidget(face_);

    for (int id : ConsoleTabOrder()) {
        if (id >= FirstGridButtonId && id < FirstGridButtonId + GridSlots) {
            auto* button =
                PlaceButton(new CAntFuncButton(id, colorScheme_, face_), "Not initialized");
            antFuncButtons_[id - FirstGridButtonId] = button;
            connect(button, &CAntFuncButton::clicked, this, [this, id] { OnAntFuncClicked(id); });
            connect(button, &CAntFuncButton::doubleClicked, this,
                    [this, id] { OnAntFuncDoubleClicked(id); });
        } else if (id >= FirstRotatorButtonId && id < FirstRotatorButtonId + MaxRotators) {
            auto* button =
                PlaceButton(new CRotatorButton(id, colorScheme_, face_), "Not initialized");
            rotatorButtons_[id - FirstRotatorButtonId] = button;
            connect(button, &CRotatorButton::clicked, this,
                    [this, id] { OnRotatorButtonClicked(id); });
        } else if (id == TxLabelId) {
            txLabel_ = PlaceLabel(face_, id, "TX");
        } else if (id == RxLabelId) {
            rxLabel_ = PlaceLabel(face_, id, "RX");
        } else if (id == TxModeButtonId) {
            txModeButton_ = PlaceButton(new CTRButton(id, colorScheme_, face_), "TX");
            connect(txModeButton_, &CTRButton::clicked, this, [this] { OnTxModeClicked(); });
        } else if (id == RxModeButtonId) {
            rxModeButton_ = PlaceButton(new CTRButton(id, colorScheme_, face_), "RX");
            connect(rxModeButton_, &CTRButton::clicked, this, [this] { OnRxModeClicked(); });
        }
    }
}

void CKEVAWindowsClientDlg::OnInitDialog() {
    baseTitle_ = windowTitle().toUtf8().toStdString();
    colorScheme_ = LoadColorScheme(settings_);
    ResetConsole();
    reconnectArmed_ = true;
    RequestReconnect();
}

QWidget* CKEVAWindowsClientDlg::control(int id) const {
    if (id >= FirstGridButtonId && id < FirstGridButtonId + GridSlots) {
        return antFuncButtons_[id - FirstGridButtonId];
    }
    if (id >= FirstRotatorButtonId && id < FirstRotatorButtonId + MaxRotators) {
        return rotatorButtons_[id - FirstRotatorButtonId];
    }
    switch (id) {
        case TxLabelId:
            return txLabel_;
        case RxLabelId:
            return rxLabel_;
        case TxModeButtonId:
            return txModeButton_;
        case RxModeButtonId:
            return rxModeButton_;
        default:
            return nullptr;
    }
}

void CKEVAWindowsClientDlg::ResetConsole() {
    for (int id = FirstGridButtonId; id < FirstRotatorButtonId + MaxRotators; ++id) {
        QWidget* button = control(id);
        button->setEnabled(false);
        button->hide();
    }
    // The window shows a record that is about to go.
    if (openRotatorWindow_ != nullptr) {
        CRotatorWindow* window = openRotatorWindow_;
        openRotatorWindow_ = nullptr;
        openRotatorIndex_ = -1;
        window->CloseAndDetach();
    }
    station_.ClearRotators();
    txLabel_->clear();
    rxLabel_->clear();
    DisarmModeButtons();
}

void CKEVAWindowsClientDlg::RequestReconnect() {
    if (!reconnectArmed_) {
        return;
    }
    reconnectArmed_ = false;
    QCoreApplication::postEvent(this, new QEvent(ConnectServerEvent));
}

void CKEVAWindowsClientDlg::OnConnectServer() {
    ::OnConnectServer(*this, tcp_, serverLink_);
}

void CKEVAWindowsClientDlg::OnSocketNotify(const SocketNotifyEvent& notification) {
    if (tcp_.Accept(notification)) {
        receivePath_.OnSocketNotify(notification.event(), notification.errorCode());
    }
}

std::optional<ServerValues> CKEVAWindowsClientDlg::AskForServer(const ServerValues& held) {
    CServerDialog dialog(this);
    dialog.addressText = held.address;
    dialog.portText = held.portText;
    dialog.stationText = held.stationText;
    dialog.radioText = held.radioText;
    if (dialog.DoModal() != CServerDialog::IdOk) {
        return std::nullopt;
    }
    return ServerValues{dialog.addressText, dialog.portText, dialog.stationText, dialog.radioText};
}

void CKEVAWindowsClientDlg::DiscardReader() {
    receivePath_.DiscardReader();
}

void CKEVAWindowsClientDlg::SetConnectedTitle(const std::string& title) {
    station_.SetConnectedTitle(title);
    SetWindowTitle(title);
}

bool CKEVAWindowsClientDlg::event(QEvent* event) {
    if (event->type() == ConnectServerEvent) {
        OnConnectServer();
        return true;
    }
    if (event->type() == SocketNotifyEventType) {
        OnSocketNotify(static_cast<const SocketNotifyEvent&>(*event));
        return true;
    }
    return QDialog::event(event);
}

// Enter is the dialog's OK command, which ends the console as Escape and the close box do.
void CKEVAWindowsClientDlg::keyPressEvent(QKeyEvent* event) {
    if (event->modifiers() == Qt::NoModifier || event->modifiers() == Qt::KeypadModifier) {
        if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
            accept();
            return;
        }
    }
    QDialog::keyPressEvent(event);
}

// StationView

void CKEVAWindowsClientDlg::ShowGridButton(int slot, const std::string& label) {
    CAntFuncButton* button = antFuncButtons_[static_cast<std::size_t>(slot)];
    // The kind decides how a screen reader words the button's state.
    if (const AntFuncDescription* description = station_.DescriptionOnSlot(slot)) {
        button->SetKind(description->kind);
    }
    button->setEnabled(true);
    button->show();
    button->setText(FromBytes(label));
    button->Redraw();
}

void CKEVAWindowsClientDlg::HideGridButton(int slot) {
    CAntFuncButton* button = antFuncButtons_[static_cast<std::size_t>(slot)];
    button->setEnabled(false);
    button->hide();
}

void CKEVAWindowsClientDlg::SetGridButtonState(int slot, const GridButtonState& state) {
    antFuncButtons_[static_cast<std::size_t>(slot)]->SetState(state);
}

void CKEVAWindowsClientDlg::ShowRotatorButton(int index, const std::string& label) {
    CRotatorButton* button = rotatorButtons_[static_cast<std::size_t>(index)];
    button->setEnabled(true);
    button->show();
    button->setText(FromBytes(label));
    button->Redraw();
}

void CKEVAWindowsClientDlg::SetRotatorButton(int index, const std::string& label, bool onGrid,
                                             bool inUse) {
    rotatorButtons_[static_cast<std::size_t>(index)]->SetLabelAndMarks(label, onGrid, inUse);
}

void CKEVAWindowsClientDlg::RotationChanged(int index) {
    if (openRotatorWindow_ != nullptr && openRotatorIndex_ == index) {
        openRotatorWindow_->RotationChanged();
    }
}

void CKEVAWindowsClientDlg::SetLongNameLines(const std::string& tx, const std::string& rx) {
    txLabel_->setText(FromBytes(tx));
    rxLabel_->setText(FromBytes(rx));
}

void CKEVAWindowsClientDlg::SetWindowTitle(const std::string& title) {
    setWindowTitle(FromBytes(title));
}

void CKEVAWindowsClientDlg::DisarmModeButtons() {
    rxModeButton_->SetArmed(false);
    txModeButton_->SetArmed(false);
}
