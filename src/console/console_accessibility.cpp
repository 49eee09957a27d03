#include "console/console_accessibility.h"

#include <QAccessible>
#include <QAccessibleValueInterface>
#include <QAccessibleWidget>
#include <QKeySequence>

#include "console/compass.h"
#include "console/owner_draw_button.h"
#include "console/tr_button.h"

namespace {

// A text set on the widget by code takes precedence, as for every Qt widget.
QString Preferring(const QString& setByCode, const QString& ours) {
    return setByCode.isEmpty() ? ours : setByCode;
}

class AccessibleOwnerDrawButton : public QAccessibleWidget {
public:
    explicit AccessibleOwnerDrawButton(OwnerDrawButton* button)
        : QAccessibleWidget(button, QAccessible::Button) {}

    QString text(QAccessible::Text type) const override {
        switch (type) {
            case QAccessible::Name:
                return Preferring(widget()->accessibleName(), button()->SpokenName());
            case QAccessible::Description:
                return Preferring(widget()->accessibleDescription(), button()->SpokenDescription());
            case QAccessible::Accelerator:
                return button()->shortcut().toString(QKeySequence::NativeText);
            default:
                return QAccessibleWidget::text(type);
        }
    }

    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        state.pressed = button()->isDown();
        if (const auto* mode = qobject_cast<const CTRButton*>(widget())) {
            state.checkable = true;
            state.checked = mode->armed();
        }
        return state;
    }

    QStringList actionNames() const override {
        QStringList names;
        if (widget()->isEnabled()) {
            names << ClickAction();
        }
        return names + QAccessibleWidget::actionNames();
    }

    void doAction(const QString& actionName) override {
        if (actionName == ClickAction()) {
            // Deferred, as Qt's own buttons do it: the click may open a modal box, and the
            // assistive technology waits for this call to return.
            if (widget()->isEnabled()) {
                button()->animateClick();
            }
            return;
        }
        QAccessibleWidget::doAction(actionName);
    }

private:
    OwnerDrawButton* button() const { return static_cast<OwnerDrawButton*>(widget()); }
    QString ClickAction() const {
        return qobject_cast<const CTRButton*>(widget()) ? toggleAction() : pressAction();
    }
};

class AccessibleCompass : public QAccessibleWidget, public QAccessibleValueInterface {
public:
    explicit AccessibleCompass(CCompass* compass) : QAccessibleWidget(compass, QAccessible::Dial) {}

    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::ValueInterface) {
            return static_cast<QAccessibleValueInterface*>(this);
        }
        return QAccessibleWidget::interface_cast(type);
    }

    QString text(QAccessible::Text type) const override {
        switch (type) {
            case QAccessible::Name:
                return Preferring(widget()->accessibleName(), QStringLiteral("Compass"));
            case QAccessible::Description:
                return Preferring(widget()->accessibleDescription(), compass()->SpokenRange());
            case QAccessible::Value:
                return compass()->SpokenBearing();
            default:
                return QAccessibleWidget::text(type);
        }
    }

    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        state.readOnly = true;
        return state;
    }

    QVariant currentValue() const override { return compass()->BearingValue(); }
    // The rotator is turned by the window's controls, which ask the server; never from here.
    void setCurrentValue(const QVariant&) override {}
    QVariant maximumValue() const override { return 360; }
    QVariant minimumValue() const override { return 0; }
    QVariant minimumStepSize() const override { return 1; }

private:
    CCompass* compass() const { return static_cast<CCompass*>(widget()); }
};

// Qt's cache owns what a factory returns and deletes it with the object.
QAccessibleInterface* ConsoleAccessibleFactory(const QString&, QObject* object) {
    if (auto* button = qobject_cast<OwnerDrawButton*>(object)) {
        return new AccessibleOwnerDrawButton(button);
    }
    if (auto* compass = qobject_cast<CCompass*>(object)) {
        return new AccessibleCompass(compass);
    }
    return nullptr;
}

}  // namespace

void EnsureConsoleAccessibility() {
    static const bool installed = [] {
        QAccessible::installFactory(&ConsoleAccessibleFactory);
        return true;
    }();
    (void)installed;
}

void Announce(QAccessibleEvent& event) {
    QAccessible::updateAccessibility(&event);
}
