// The console's menu and its commands.
#include <QAbstractButton>
#include <QContextMenuEvent>
#include <QMenu>
#include <QMenuBar>
#include <QVBoxLayout>

#include "app/console_layout.h"
#include "app/console_menu.h"
#include "app/console_window.h"
#include "base/atol_value.h"
#include "console/about_dialog.h"
#include "console/colors_dialog.h"
#include "console/frequency_dialog.h"
#include "console/relative_dialog.h"

void CKEVAWindowsClientDlg::CreateMenu() {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    menuBar_ = new QMenuBar(this);
    QMenu* menu = menuBar_->addMenu(QStringLiteral("&Console"));
    AddConsoleCommands(*menu);
    connect(menu, &QMenu::triggered, this,
            [this](QAction* action) { OnSysCommand(action->data().toInt()); });
    layout->setMenuBar(menuBar_);
}

// A right click on the background or the menu key; a right click on a button is not the
// background.
void CKEVAWindowsClientDlg::contextMenuEvent(QContextMenuEvent* event) {
    if (event->reason() == QContextMenuEvent::Mouse &&
        qobject_cast<QAbstractButton*>(childAt(event->pos())) != nullptr) {
        event->ignore();
        return;
    }
    QMenu menu(this);
    AddConsoleCommands(menu);
    const QPoint where =
        event->reason() == QContextMenuEvent::Mouse ? event->globalPos() : mapToGlobal(QPoint());
    if (const QAction* chosen = menu.exec(where)) {
        OnSysCommand(chosen->data().toInt());
    }
}

void CKEVAWindowsClientDlg::OnSysCommand(int command) {
    switch (command & SysCommandMask) {
        case IdSysServer:
            // Always posts, even while a request is armed, and leaves the flag cleared until
            // the new connection is made.
            reconnectArmed_ = true;
            RequestReconnect();
            break;
        case IdSysFrequency: {
            CFrequencyDlg dialog(this);
            if (dialog.exec() == QDialog::Accepted) {
                serverLink_.SendRadio(AtolValue(dialog.frequencyText));
            }
            break;
        }
        case IdSysRelative: {
            CRelative relative(this);
            connect(&relative, &CRelative::antennaRequested, this,
                    [this](int32_t txCode, int32_t antenna, int32_t rxCode) {
                        serverLink_.SendAntenna(txCode, antenna, rxCode);
                    });
            relative.exec();
            break;
        }
        case IdSysColors:
            OpenColorsDialog(*colorsDialog_, ButtonsInOrder());
            break;
        case IdSysAbout: {
            CAboutDlg about(this);
            about.exec();
            break;
        }
        default:
            break;
    }
}

// Grid buttons 5 to 19, rotator buttons 20 to 29, then TX and RX mode buttons.
std::vector<QWidget*> CKEVAWindowsClientDlg::ButtonsInOrder() const {
    std::vector<QWidget*> buttons;
    for (int id = FirstGridButtonId; id < FirstRotatorButtonId + MaxRotators; ++id) {
        buttons.push_back(control(id));
    }
    buttons.push_back(control(TxModeButtonId));
    buttons.push_back(control(RxModeButtonId));
    return buttons;
}
