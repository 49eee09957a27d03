// Helpers of the console's widget tests: driving a modal dialog from inside its exec(), and
// pixels of grabbed or rendered widgets.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QImage>
#include <QTimer>
#include <QWidget>
#include <vector>

// Runs `action` on the active modal widget as soon as it is a T, from the event loop (so from
// inside a running exec(), nested ones included). Gives up after about ten seconds, rejecting
// whatever dialog is modal then so that the test cannot hang.
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
struct PaintLog : QObject {
    std::vector<QObject*> painted;
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            painted.push_back(watched);
        }
        return false;
    }
};

inline QRgb Pixel(const QImage& image, int x, int y) {
    return image.pixel(x, y) & 0xFFFFFFu;
}

// The widget as on a screen of pixel ratio `ratio`: grabbed at 1, rendered at 2.
inline QImage RenderAt(QWidget& widget, int ratio = 1) {
    if (ratio == 1) {
        return widget.grab().toImage().convertToFormat(QImage::Format_RGB32);
    }
    QImage image(widget.size() * ratio, QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::black);
    widget.render(&image);
    return image;
}

// Whether every device pixel of logical pixel (x, y) passes `test`.
template <class Test>
bool AllOfBlock(const QImage& image, int ratio, int x, int y, Test test) {
    for (int d = 0; d < ratio * ratio; ++d) {
        if (!test(Pixel(image, ratio * x + d % ratio, ratio * y + d / ratio))) {
            return false;
        }
    }
    return true;
}
