// Helpers of the console's widget tests: modal dialogs, accessibility events, and pixels.
#pragma once

#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QDialog>
#include <QImage>
#include <QTimer>
#include <QWidget>
#include <tuple>
#include <vector>

// Runs `action` on the active modal widget once it is a T (nested exec()s too); after about ten
// seconds rejects whatever is modal, so that the test cannot hang.
template <class T, class Action>
void WhenModal(Action action, int attemptsLeft = 2000) {
    QTimer::singleShot(attemptsLeft == 2000 ? 0 : 5, [action, attemptsLeft]() mutable {
        if (T* widget = qobject_cast<T*>(QApplication::activeModalWidget())) {
            action(*widget);
        } else if (attemptsLeft > 0) {
            WhenModal<T>(std::move(action), attemptsLeft - 1);
        } else if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
            ADD_FAILURE() << "the expected modal dialog did not appear";
            dialog->reject();
        }
    });
}

// Records the objects it filters in the order they paint.
struct PaintLog : QObject {
    std::vector<QObject*> painted;
    bool eventFilter(QObject* watched, QEvent* event) override {
        event->type() == QEvent::Paint ? painted.push_back(watched) : void();
        return false;
    }
};

using Types = std::vector<QAccessible::Event>;

// Announced events; the detail is whether the checked state changed, or the new value.
struct Announced {
    std::vector<std::tuple<QAccessible::Event, QObject*, QVariant>> told;
    template <typename Widget>
    void Watch(Widget* widget) {
        QObject::connect(widget, &Widget::announced, [this](QAccessibleEvent* e) {
            const auto* state = dynamic_cast<QAccessibleStateChangeEvent*>(e);
            const auto* value = dynamic_cast<QAccessibleValueChangeEvent*>(e);
            told.emplace_back(e->type(), e->object(),
                              state ? QVariant(state->changedStates().checked)
                                    : (value ? value->value() : QVariant()));
        });
    }
    // The event types told about `object` since the last call.
    Types Take(QObject* object) {
        Types types;
        for (const auto& [type, about, detail] : told) {
            if (about == object)
                types.push_back(type);
        }
        told.clear();
        return types;
    }
};

inline QRgb Pixel(const QImage& image, int x, int y) {
    return image.pixel(x, y) & 0xFFFFFFu;
}

// The widget as on a screen of pixel ratio `ratio`.
inline QImage RenderAt(QWidget& widget, int ratio = 1) {
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
        if (!test(Pixel(image, ratio * x + d % ratio, ratio * y + d / ratio)))
            return false;
    }
    return true;
}
