// A push button that paints itself: paintEvent hands the whole rectangle and the pressed flag to
// DrawItem. A double click behaves as on the classic owner-drawn buttons: the first press is an
// ordinary click, the second press gives doubleClicked() only (no second clicked()).
//
// What the face shows is also told to assistive technology: the label as shown is the
// accessible name, and what the colours show, in words, the accessible description. Whenever
// the description changes, DescriptionChanged is announced (never when it stays the same).
#pragma once

#include <QAbstractButton>
#include <QString>
#include <string>

struct ColorScheme;
class QAccessibleEvent;
class QPainter;

class OwnerDrawButton : public QAbstractButton {
    Q_OBJECT
public:
    // `scheme` is the console's colour scheme in use; it outlives the button.
    OwnerDrawButton(int controlId, const ColorScheme& scheme, QWidget* parent);

    int controlId() const { return controlId_; }

    // Paints now, before returning (a text change or a state change must show at once), and
    // announces a changed description.
    void Redraw();

    // Paints the button on `rect`, its own coordinates (0, 0) to (W, H).
    virtual void DrawItem(QPainter& painter, const QRect& rect, bool pressed) = 0;

    // The label as the face shows it.
    virtual QString SpokenName() const;
    // What the face shows in colours, in words; empty when the colours say nothing.
    virtual QString SpokenDescription() const { return {}; }

signals:
    void doubleClicked();
    // Each event told to assistive technology, as it is told.
    void announced(QAccessibleEvent* event);

protected:
    const ColorScheme& scheme() const { return scheme_; }
    // Words, UTF-8 bytes, as Qt's text.
    static QString Spoken(const std::string& words);
    // Takes the current description as the one already told; each class calls it at the end
    // of its constructor.
    void RememberDescription();
    // Announces DescriptionChanged when the description differs from the one last told.
    void AnnounceDescription();

    void paintEvent(QPaintEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    int controlId_;
    const ColorScheme& scheme_;
    QString toldDescription_;
};
