#include "console/owner_draw_button.h"

#include <QAccessible>
#include <QMouseEvent>
#include <QPainter>

#include "console/accessible_texts.h"
#include "console/console_accessibility.h"

OwnerDrawButton::OwnerDrawButton(int controlId, const ColorScheme& scheme, QWidget* parent)
    : QAbstractButton(parent), controlId_(controlId), scheme_(scheme) {
    EnsureConsoleAccessibility();
    setFocusPolicy(Qt::StrongFocus);
}

void OwnerDrawButton::Redraw() {
    repaint();
    AnnounceDescription();
}

QString OwnerDrawButton::SpokenName() const {
    return Spoken(LabelAsShown(text().toStdString()));
}

QString OwnerDrawButton::Spoken(const std::string& words) {
    return QString::fromUtf8(words.data(), static_cast<qsizetype>(words.size()));
}

void OwnerDrawButton::RememberDescription() {
    toldDescription_ = SpokenDescription();
}

void OwnerDrawButton::AnnounceDescription() {
    QString description = SpokenDescription();
    if (description == toldDescription_) {
        return;
    }
    toldDescription_ = std::move(description);
    QAccessibleEvent event(this, QAccessible::DescriptionChanged);
    Announce(event);
    emit announced(&event);
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
