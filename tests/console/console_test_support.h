// Helpers of the console's widget tests: a recording outgoing link, a driver for modal dialogs
// and pixel access on grabbed or rendered widgets.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QImage>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "support/recording_link.h"

// Runs `action` on the active modal widget as soon as it is a T, from the event loop (so from
// inside a running exec()). Gives up after about ten seconds, rejecting whatever dialog is
// modal then so that the test cannot hang.
template <class T, class Action>
void WhenModal(Action action, int attemptsLeft = 2000) {
    QTimer::singleShot(attemptsLeft == 2000 ? 0 : 5, [action, attemptsLeft]() mutable {
        if (T* widget = qobject_cast<T*>(QApplication::activeModalWidget())) {
            action(*widget);
        } else if (attemptsLeft > 0) {
            WhenModal<T>(std::move(action), attemptsLeft - 1);
        } else {
            ADD_FAILURE() << "the expected modal dialog did not appear";
            if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
                dialog->reject();
            }
        }
    });
}

// Records the objects it filters in the order they paint.
class PaintLog : public QObject {
public:
    std::vector<QObject*> painted;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            painted.push_back(watched);
        }
        return false;
    }
};

inline QImage Grab(QWidget& widget) {
    return widget.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

inline QRgb Rgb(int r, int g, int b) {
    return qRgb(r, g, b) & 0xFFFFFFu;
}
inline QRgb Pixel(const QImage& image, int x, int y) {
    return image.pixel(x, y) & 0xFFFFFFu;
}

// The widget rendered as on a screen of pixel ratio `ratio`.
inline QImage RenderAt(QWidget& widget, int ratio) {
    QImage image(widget.size() * ratio, QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::black);
    widget.render(&image);
    return image;
}

// Whether every device pixel of logical pixel (x, y) passes `test`.
inline bool AllOfBlock(const QImage& image, int ratio, int x, int y,
                       const std::function<bool(QRgb)>& test) {
    for (int dy = 0; dy < ratio; ++dy) {
        for (int dx = 0; dx < ratio; ++dx) {
            if (!test(Pixel(image, ratio * x + dx, ratio * y + dy))) {
                return false;
            }
        }
    }
    return true;
}
