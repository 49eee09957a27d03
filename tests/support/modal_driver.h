// Hands each new QApplication::activeModalWidget() to the test's handler; records box texts.
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
    // Returns false to leave the modal open for now (it is offered again).
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

    const std::vector<std::string>& boxTexts() const { return boxTexts_; }
    const std::vector<std::string>& dismissed() const { return dismissed_; }

    static bool CloseBoxes(QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        if (box != nullptr) {
            box->button(QMessageBox::Ok)->click();
        }
        return box != nullptr;
    }

    // Boxes get OK; dialogs are recorded and rejected, but the Server Information dialog's
    // Cancel would end the test program, so it gets OK.
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
