// The compass of a rotator window (control 1010, 360 x 390 px): the rose, the unreachable range
// darkened and a red needle at the rotator's position. A press anywhere in it asks the server
// to turn the rotator to the bearing pressed.
#pragma once

#include <QWidget>

class CRotatorWindow;
class QPainter;

class CCompass : public QWidget {
    Q_OBJECT
public:
    explicit CCompass(CRotatorWindow& window);

    void DrawItem(QPainter& painter);
    void OnLButtonDown(const QPoint& point);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    CRotatorWindow& window_;
};
