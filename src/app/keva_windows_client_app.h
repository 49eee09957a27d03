// The application object: owns the QApplication and runs the console window modally.
#pragma once

#include <QApplication>

class CKEVAWindowsClientApp {
public:
    CKEVAWindowsClientApp(int& argc, char** argv);

    // Runs the console until it closes; returns false, as there is nothing to run after it.
    bool InitInstance();

private:
    QApplication application_;
};
