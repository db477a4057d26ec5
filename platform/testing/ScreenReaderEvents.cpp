#include "platform/testing/ScreenReaderEvents.h"

#include "platform/widgets/ScreenReader.h"

#include <QWidget>

#include <private/qguiapplication_p.h>
#include <qpa/qplatformaccessibility.h>
#include <qpa/qplatformintegration.h>

namespace platform::testing {

void switchAccessibility(bool on)
{
    if (QPlatformIntegration* p = QGuiApplicationPrivate::platformIntegration())
        if (QPlatformAccessibility* a = p->accessibility())
            a->setActive(on);
}

ScreenReaderEvents::ScreenReaderEvents()
{
    switchAccessibility(true);
    platform::installScreenReaderLayer();
    clock_.start();
    key_ = platform::listenToScreenReaderEvents([this](QAccessibleEvent* e) {
        QAccessibleInterface* i = e->accessibleInterface();
        QString window;
        if (auto* w = qobject_cast<QWidget*>(e->object()))
            if (QAccessibleInterface* top = QAccessible::queryAccessibleInterface(w->window()))
                window = top->text(QAccessible::Name);
        events_.push_back(
            {e->type(), e->object(), i ? i->text(QAccessible::Name) : QString(), clock_.elapsed(), window});
    });
}

ScreenReaderEvents::~ScreenReaderEvents()
{
    platform::stopListening(key_);
    switchAccessibility(false);
}

std::vector<HeardEvent> ScreenReaderEvents::of(QAccessible::Event type, const QObject* object) const
{
    std::vector<HeardEvent> out;
    for (const HeardEvent& e : events_)
        if (e.type == type && (!object || e.object == object))
            out.push_back(e);
    return out;
}

QStringList ScreenReaderEvents::notices() const
{
    QStringList out;
    for (const HeardEvent& e : of(QAccessible::ObjectShow))
        if (QAccessibleInterface* i = e.object ? QAccessible::queryAccessibleInterface(e.object) : nullptr;
            i && i->role() == QAccessible::Notification)
            out << e.name;
    return out;
}

QStringList ScreenReaderEvents::windowNamesAtFocus(const QWidget* window) const
{
    QStringList out;
    for (const HeardEvent& e : of(QAccessible::Focus))
        if (auto* w = qobject_cast<QWidget*>(e.object.data()); w && w->window() == window)
            out << e.window;
    return out;
}

} // namespace platform::testing
