#include "e2e/modal_watch.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <cstdio>
#include <cstdlib>

#include "console/server_dialog.h"

namespace {

constexpr int PollMs = 10;
// A server that stays away makes the console ask again after every failed attempt.
constexpr int ServerDialogsBeforeGivingUp = 5;

std::string Describe(const QWidget* modal) {
    return std::string(modal->metaObject()->className()) + " \"" +
           modal->windowTitle().toStdString() + "\"";
}

}  // namespace

ModalWatch::ModalWatch() {
    timer_.setInterval(PollMs);
    QObject::connect(&timer_, &QTimer::timeout, [this] { Poll(); });
    timer_.start();
}

void ModalWatch::Poll() {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal == nullptr || modal == answered_.data()) {
        return;
    }
    if (claimed_ && claimed_(modal)) {
        return;
    }
    answered_ = modal;
    if (auto* box = qobject_cast<QMessageBox*>(modal)) {
        boxTexts_.push_back(box->text().toStdString());
        box->button(QMessageBox::Ok)->click();
        return;
    }
    unexpected_.push_back(Describe(modal));
    if (auto* server = qobject_cast<CServerDialog*>(modal)) {
        if (++serverDialogs_ >= ServerDialogsBeforeGivingUp) {
            std::fprintf(stderr, "The Server Information dialog came %d times: no server.\n",
                         serverDialogs_);
            for (const std::string& text : boxTexts_) {
                std::fprintf(stderr, "  box: %s\n", text.c_str());
            }
            std::abort();
        }
        server->accept();
        return;
    }
    if (auto* dialog = qobject_cast<QDialog*>(modal)) {
        dialog->reject();
    } else {
        modal->close();
    }
}
