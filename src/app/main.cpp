// keva-client: the operator's console for a KEVA antenna-switching server.
#include "app/keva_windows_client_app.h"
#include "settings/settings_path.h"

int main(int argc, char** argv) {
    // From the name it was started by and the executable's own path, before the application
    // object exists.
    ComputeSettingsPath();
    CKEVAWindowsClientApp app(argc, argv);
    app.InitInstance();
    return 0;
}
