#pragma once
// Inside platform/widgets: the accessible face of a widget that a screen
// reader is to press as a push button (image buttons, buttons whose caption
// is a value). Its Press action, bound to Space, calls press().

#include <QAccessibleWidget>

namespace platform {

class ButtonAccessible : public QAccessibleWidget {
public:
    explicit ButtonAccessible(QWidget* w) : QAccessibleWidget(w, QAccessible::PushButton) {}

    QStringList actionNames() const override;
    void doAction(const QString& action) override;
    QStringList keyBindingsForAction(const QString& action) const override;

protected:
    // A click as the operator's would give it; nothing when disabled.
    virtual void press() = 0;
};

} // namespace platform
