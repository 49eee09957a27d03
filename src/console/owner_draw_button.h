// A push button that paints itself: paintEvent hands the whole rectangle and the pressed flag to
// DrawItem. A double click behaves as on the classic owner-drawn buttons: the first press is an
// ordinary click, the second press gives doubleClicked() only (no second clicked()).
#pragma once

#include <QAbstractButton>

class QPainter;

class OwnerDrawButton : public QAbstractButton {
    Q_OBJECT
public:
    OwnerDrawButton(int controlId, QWidget* parent);

    int controlId() const { return controlId_; }

    // Paints now, before returning (a text change or a state change must show at once).
    void Redraw();

    // Paints the button on `rect`, its own coordinates (0, 0) to (W, H).
    virtual void DrawItem(QPainter& painter, const QRect& rect, bool pressed) = 0;

signals:
    void doubleClicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    int controlId_;
};
