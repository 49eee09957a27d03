#include "console/compass.h"

#include <QAccessible>
#include <QMouseEvent>
#include <QPainter>

#include "console/accessible_texts.h"
#include "console/button_painting.h"
#include "console/compass_drawing.h"
#include "console/compass_geometry.h"
#include "console/console_accessibility.h"
#include "console/rotator_window.h"

namespace {

QString FromUtf8(const std::string& words) {
    return QString::fromUtf8(words.data(), static_cast<qsizetype>(words.size()));
}

}  // namespace

CCompass::CCompass(CRotatorWindow& window) : QWidget(&window), window_(window) {
    EnsureConsoleAccessibility();
    // Reached by Tab only: a press turns the rotator and leaves the focus where it was.
    setFocusPolicy(Qt::TabFocus);
    toldBearing_ = SpokenBearing();
    toldRange_ = SpokenRange();
}

void CCompass::DrawItem(QPainter& painter) {
    const CRotator* rotator = window_.rotator();
    if (rotator == nullptr) {
        DrawCompassRose(painter);
    } else {
        DrawCompassFace(painter, rotator->ccwLimit, rotator->rotation, rotator->relativePosition);
    }
    if (hasFocus()) {
        DrawFocusRectangle(painter, QRect(0, 0, CompassSize, CompassSize));
    }
}

void CCompass::OnLButtonDown(const QPoint& point) {
    window_.OnCompassPressed(BearingFromPoint(point.x(), point.y()));
}

QString CCompass::SpokenBearing() const {
    const CRotator* rotator = window_.rotator();
    return FromUtf8(CompassValueText(rotator != nullptr ? rotator->relativePosition : NoPosition));
}

QVariant CCompass::BearingValue() const {
    const CRotator* rotator = window_.rotator();
    if (rotator == nullptr || !NeedleVisible(rotator->relativePosition)) {
        return {};
    }
    return rotator->relativePosition;
}

QString CCompass::SpokenRange() const {
    // Without a record the rose is drawn alone, unshaded.
    const CRotator* rotator = window_.rotator();
    return rotator != nullptr ? FromUtf8(CompassRangeText(rotator->ccwLimit, rotator->rotation))
                              : FromUtf8(CompassRangeText(0, 360));
}

void CCompass::AnnounceChanges() {
    QString bearing = SpokenBearing();
    if (bearing != toldBearing_) {
        toldBearing_ = std::move(bearing);
        QAccessibleValueChangeEvent event(this, BearingValue());
        Announce(event);
        emit announced(&event);
    }
    QString range = SpokenRange();
    if (range != toldRange_) {
        toldRange_ = std::move(range);
        QAccessibleEvent event(this, QAccessible::DescriptionChanged);
        Announce(event);
        emit announced(&event);
    }
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
