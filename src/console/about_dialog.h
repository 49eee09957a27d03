// The About box: the program icon, the version line and OK.
#pragma once

#include <QDialog>

class QLabel;

// The version line shown.
inline constexpr const char* AboutVersionText = "KEVA Windows Client Version 0.2";

class CAboutDlg : public QDialog {
    Q_OBJECT
public:
    explicit CAboutDlg(QWidget* parent = nullptr);

    QLabel* iconLabel() const { return icon_; }
    QLabel* versionLabel() const { return version_; }

private:
    QLabel* icon_ = nullptr;
    QLabel* version_ = nullptr;
};
