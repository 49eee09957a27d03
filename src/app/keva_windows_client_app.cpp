#include "app/keva_windows_client_app.h"

#include <QFile>
#include <QFont>
#include <QIcon>

#include "app/console_window.h"
#include "settings/settings_path.h"

namespace {

constexpr const char* IconResource = ":/keva-client.svg";

// The dialog font the console's layout is measured in: the default sans-serif at 8 points.
QFont DialogFont() {
    QFont font(QStringLiteral("Sans Serif"), 8);
    font.setStyleHint(QFont::SansSerif);
    return font;
}

}  // namespace

CKEVAWindowsClientApp::CKEVAWindowsClientApp(int& argc, char** argv) : application_(argc, argv) {}

void CKEVAWindowsClientApp::InitInstance() {
    QApplication::setFont(DialogFont());
    if (QFile::exists(QString::fromLatin1(IconResource))) {
        QApplication::setWindowIcon(QIcon(QString::fromLatin1(IconResource)));
    }
    // The console's modal run is the program's only event loop: a message box that closes
    // while the console is not yet shown must not end it.
    QApplication::setQuitOnLastWindowClosed(false);
    CKEVAWindowsClientDlg console(tcp_, serverLink_, CurrentSettingsLocation());
    console.exec();
}
