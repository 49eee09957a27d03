#include "console/about_dialog.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <algorithm>

#include "console/dialog_units.h"

namespace {
constexpr int IconSize = 32;
}

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("About KEVA Windows Client"));
    setFixedSize(DialogUnitsToPixelsX(235), DialogUnitsToPixelsY(55));
    // The program icon is the application's window icon, set by the application at start-up.
    icon_ = new QLabel(this);
    icon_->setGeometry(QRect(DialogRect(11, 17, 20, 20).topLeft(), QSize(IconSize, IconSize)));
    icon_->setPixmap(QApplication::windowIcon().pixmap(IconSize, IconSize));
    version_ = new QLabel(QString::fromLatin1(AboutVersionText), this);
    // Keeps its template place but grows to its text, which the template's width cuts in a
    // font wider than the one it was measured in.
    const QRect versionRect = DialogRect(40, 10, 119, 8);
    version_->setGeometry(versionRect);
    version_->resize(std::max(versionRect.width(), version_->sizeHint().width()),
                     versionRect.height());
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setGeometry(DialogRect(178, 7, 50, 16));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &CAboutDlg::accept);
}
