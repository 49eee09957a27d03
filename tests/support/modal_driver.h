// Drives the real modal dialogs and message boxes of a test: a short repeating timer looks at
// QApplication::activeModalWidget() and hands each new one to the test's handler, which
// answers it (clicks OK, fills a field, ...). Message box texts are recorded on the way.
#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>
#include <functional>
#include <string>
#include <vector>

class ModalDriver {
public:
    // The handler gets each new modal widget once; it returns false to leave it open for now
    // (it is then offered again).
    using Handler = std::function<bool(QWidget* modal)>;

    explicit ModalDriver(Handler handler = {}) : handler_(std::move(handler)) {
        timer_.setInterval(5);
        QObject::connect(&timer_, &QTimer::timeout, [this] { Poll(); });
        timer_.start();
    }

    void setHandler(Handler handler) { handler_ = std::move(handler); }

    // Texts of every message box seen, in order.
    const std::vector<std::string>& boxTexts() const { return boxTexts_; }

    // A handler that closes every message box with OK.
    static bool CloseBoxes(QWidget* modal) {
        if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            box->button(QMessageBox::Ok)->click();
            return true;
        }
        return false;
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
        if (handler_ && handler_(modal)) {
            handled_ = modal;
        }
    }

    Handler handler_;
    QTimer timer_;
    QPointer<QWidget> handled_;
    QPointer<QWidget> seen_;
    std::vector<std::string> boxTexts_;
};
