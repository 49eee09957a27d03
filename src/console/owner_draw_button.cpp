#include "console/owner_draw_button.h"

#include <QMouseEvent>
#include <QPainter>

OwnerDrawButton::OwnerDrawButton(int controlId, QWidget* parent)
    : QAbstractButton(parent), controlId_(controlId) {
    setFocusPolicy(Qt::StrongFocus);
}

void OwnerDrawButton::Redraw() {
    repaint();
}

void OwnerDrawButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    DrawItem(painter, rect(), isDown());
}

void OwnerDrawButton::mouseDoubleClickEvent(QMouseEvent* event) {
    // The second press of a double click: no press, so no second clicked().
    if (event->button() == Qt::LeftButton) {
        event->accept();
        emit doubleClicked();
    } else {
        event->ignore();
    }
}
