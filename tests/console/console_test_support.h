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
#include <utility>
#include <vector>

// Runs `action` on the active modal widget once it is a T (nested exec()s too); after about ten
// seconds rejects whatever is modal, so that the test cannot hang.
template <class T, class Action>
void WhenModal(Action action, int triesLeft = 2000) {
    QTimer::singleShot(triesLeft == 2000 ? 0 : 5, [action, triesLeft]() mutable {
        QWidget* modal = QApplication::activeModalWidget();
        if (T* widget = qobject_cast<T*>(modal)) {
            action(*widget);
        } else if (triesLeft > 0) {
            WhenModal<T>(std::move(action), triesLeft - 1);
        } else if (auto* dialog = qobject_cast<QDialog*>(modal)) {
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
            auto* state = dynamic_cast<QAccessibleStateChangeEvent*>(e);
            auto* value = dynamic_cast<QAccessibleValueChangeEvent*>(e);
            told.emplace_back(e->type(), e->object(),
                              state ? QVariant(state->changedStates().checked)
                                    : (value ? value->value() : QVariant()));
        });
    }
    Types Take(QObject* object) {  // the types told about `object` since the last call
        Types types;
        for (const auto& [type, about, detail] : std::exchange(told, {}))
            about == object ? types.push_back(type) : void();
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
    for (int d = 0; d < ratio * ratio; ++d)
        if (!test(Pixel(image, ratio * x + d % ratio, ratio * y + d / ratio)))
            return false;
    return true;
}
