// The compass of a rotator window (control 1010, 360 x 390 px): the rose, the unreachable range
// darkened and a red needle at the rotator's position. A press anywhere in it asks the server
// to turn the rotator to the bearing pressed.
//
// To assistive technology it is a read-only dial named "Compass": its value is the needle's
// bearing and its description the range the rotator reaches. It takes the focus from the
// keyboard only (Tab), after the window's other controls, and shows a focus rectangle while
// it has it (QWidget repaints on focus changes).
#pragma once

#include <QString>
#include <QVariant>
#include <QWidget>

class CRotatorWindow;
class QAccessibleEvent;
class QPainter;

class CCompass : public QWidget {
    Q_OBJECT
public:
    explicit CCompass(CRotatorWindow& window);

    void DrawItem(QPainter& painter);
    void OnLButtonDown(const QPoint& point);

    // "225 degrees" or "no position"; the bearing as a number, or none without a needle.
    QString SpokenBearing() const;
    QVariant BearingValue() const;
    // "reachable from 180 clockwise through 450 degrees" or "no limit".
    QString SpokenRange() const;
    // Announces ValueChanged and DescriptionChanged for what differs from what was last told.
    void AnnounceChanges();

signals:
    // Each event told to assistive technology, as it is told.
    void announced(QAccessibleEvent* event);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    CRotatorWindow& window_;
    QString toldBearing_;
    QString toldRange_;
};
