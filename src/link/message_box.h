// The console's one kind of message box: title "KEVA Windows Client", one OK button, modal.
#pragma once

#include <string>

class QWidget;

// Runs the box with exec(), so it returns only after the operator has closed it. The nested
// event loop keeps delivering socket notifications and posted requests meanwhile.
void ShowMessageBox(const std::string& text, QWidget* parent = nullptr);
