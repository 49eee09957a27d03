// Runs OnConnectServer against the settings file named by its argument, answering each message
// box with OK and the Server Information dialog with Cancel, printing what it saw. Cancel must
// end the process with status 0; returning from OnConnectServer exits with 3.
#include <QApplication>
#include <cstdio>
#include <cstdlib>

#include "link/core/server_link.h"
#include "link/socket/recording_console.h"
#include "link/tcp.h"
#include "settings/settings_path.h"
#include "support/modal_driver.h"

// Cancel ends the process from inside the dialog, with the font database still loaded: what
// fontconfig holds then is no leak of ours.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig\n";
}

int main(int argc, char** argv) {
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) {
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    }
    if (argc < 2) {
        return 2;
    }
    QApplication application(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    RecordingConsole console;
    console.file.path = argv[1];
    CTCP tcp;
    ServerLink serverLink;
    ModalDriver driver([](QWidget* modal) {
        if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            std::printf("box %s\n", box->text().toUtf8().constData());
            box->button(QMessageBox::Ok)->click();
        } else if (auto* dialog = qobject_cast<CServerDialog*>(modal)) {
            std::printf("dialog\n");
            dialog->reject();
        }
        std::fflush(stdout);
        return true;
    });
    OnConnectServer(console, tcp, serverLink);
    return 3;
}
