// Drives the real modal dialogs and message boxes of a test: a short repeating timer looks at
// QApplication::activeModalWidget() and hands each new one to the test's handler, which answers
// it (clicks OK, fills a field, waits inside it for something, ...). Box texts are recorded.
#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>
#include <functional>
#include <string>
#include <vector>

class ModalDriver {
public:
    // Gets each new modal widget; returns false to leave it open for now (it is offered again).
    using Handler = std::function<bool(QWidget* modal)>;

    explicit ModalDriver(Handler handler = {}) : handler_(std::move(handler)) {
        if (!handler_) {
            handler_ = [this](QWidget* modal) { return Dismiss(modal); };
        }
        timer_.setInterval(5);
        QObject::connect(&timer_, &QTimer::timeout, [this] { Poll(); });
        timer_.start();
    }

    void setHandler(Handler handler) { handler_ = std::move(handler); }

    // Texts of every message box seen, in order.
    const std::vector<std::string>& boxTexts() const { return boxTexts_; }
    // Class names of the dialogs Dismiss answered, in order.
    const std::vector<std::string>& dismissed() const { return dismissed_; }

    static bool CloseBoxes(QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        if (box != nullptr) {
            box->button(QMessageBox::Ok)->click();
        }
        return box != nullptr;
    }

    // What a test does not drive itself: a box gets OK; any dialog is recorded and rejected,
    // except the Server Information dialog, which gets OK as filled, since its Cancel would end
    // the test program with status 0.
    bool Dismiss(QWidget* modal) {
        if (CloseBoxes(modal)) {
            return true;
        }
        dismissed_.push_back(modal->metaObject()->className());
        if (auto* dialog = qobject_cast<QDialog*>(modal)) {
            dismissed_.back() == "CServerDialog" ? dialog->accept() : dialog->reject();
        } else {
            modal->close();
        }
        return true;
    }

private:
    void Poll() {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal == nullptr || modal == handled_.data()) {
            return;
        }
        if (auto* box = qobject_cast<QMessageBox*>(modal); box != nullptr && modal != seen_) {
            boxTexts_.push_back(box->text().toStdString());
        }
        seen_ = modal;
        if (handler_(modal)) {
            handled_ = modal;
        }
    }

    Handler handler_;
    QTimer timer_;
    QPointer<QWidget> handled_;
    QPointer<QWidget> seen_;
    std::vector<std::string> boxTexts_;
    std::vector<std::string> dismissed_;
};
