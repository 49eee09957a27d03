#include "console/compass.h"

#include <QMouseEvent>
#include <QPainter>

#include "console/compass_drawing.h"
#include "console/compass_geometry.h"
#include "console/rotator_window.h"

CCompass::CCompass(CRotatorWindow& window) : QWidget(&window), window_(window) {
    setFocusPolicy(Qt::NoFocus);
}

void CCompass::DrawItem(QPainter& painter) {
    const CRotator* rotator = window_.rotator();
    if (rotator == nullptr) {
        DrawCompassRose(painter);
        return;
    }
    DrawCompassFace(painter, rotator->ccwLimit, rotator->rotation, rotator->relativePosition);
}

void CCompass::OnLButtonDown(const QPoint& point) {
    window_.OnCompassPressed(BearingFromPoint(point.x(), point.y()));
}

void CCompass::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    DrawItem(painter);
}

void CCompass::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        event->ignore();
        return;
    }
    event->accept();
    OnLButtonDown(event->position().toPoint());
}

void CCompass::mouseDoubleClickEvent(QMouseEvent* event) {
    // The second press of a double click is a double click, not another press.
    event->accept();
}
