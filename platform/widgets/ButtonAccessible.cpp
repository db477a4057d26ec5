#include "platform/widgets/ButtonAccessible.h"

namespace platform {

QStringList ButtonAccessible::actionNames() const
{
    return QStringList{pressAction()} + QAccessibleWidget::actionNames();
}

void ButtonAccessible::doAction(const QString& action)
{
    if (action == pressAction())
        press();
    else
        QAccessibleWidget::doAction(action);
}

QStringList ButtonAccessible::keyBindingsForAction(const QString& action) const
{
    if (action == pressAction())
        return {QStringLiteral("Space")};
    return QAccessibleWidget::keyBindingsForAction(action);
}

} // namespace platform
