#include "platform/widgets/Accessible.h"

#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QAccessible>
#include <QAccessibleWidget>
#include <QComboBox>
#include <QGroupBox>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>

#include <cstdlib>
#include <limits>

namespace platform {

namespace {

constexpr char ValueLabelDone[] = "selvaneValueLabelNamed";
constexpr char ComboDone[] = "selvaneComboToggles";

bool isValueLabel(const QLabel* l)
{
    return l->frameShape() != QFrame::NoFrame && l->pixmap().isNull();
}

// A caption: a label without a frame and with a text.
bool isCaption(const QWidget* w)
{
    const auto* l = qobject_cast<const QLabel*>(w);
    return l && !isValueLabel(l) && !l->text().trimmed().isEmpty();
}

// The accessible face of a value label: its caption and its value, read at
// each request.
class ValueLabelAccessible : public QAccessibleWidget {
public:
    ValueLabelAccessible(QLabel* label, QLabel* caption)
        : QAccessibleWidget(label, QAccessible::StaticText), caption_(caption)
    {
    }
    ValueLabelAccessible(QLabel* label, const QString& caption)
        : QAccessibleWidget(label, QAccessible::StaticText), fixedCaption_(caption.simplified())
    {
    }
    QString text(QAccessible::Text t) const override
    {
        const auto* l = static_cast<const QLabel*>(widget());
        if (t == QAccessible::Name) {
            if (!l->accessibleName().isEmpty())
                return l->accessibleName();
            const QString c = caption_ ? caption_->text().simplified() : fixedCaption_;
            const QString v = l->text().simplified();
            return v.isEmpty() ? c : (c.isEmpty() ? v : c + QLatin1Char(' ') + v);
        }
        if (t == QAccessible::Value)
            return l->text().simplified();
        return QAccessibleWidget::text(t);
    }

private:
    QPointer<QLabel> caption_;
    QString fixedCaption_;
};

void nameValueLabel(QLabel* l)
{
    if (l->property(ValueLabelDone).toBool())
        return;
    auto* caption = qobject_cast<QLabel*>(captionOf(l));
    if (!caption)
        return;
    l->setProperty(ValueLabelDone, true);
    // Registered before any other interface of the label is asked for, it is
    // the one every later query returns.
    QAccessible::registerAccessibleInterface(new ValueLabelAccessible(l, caption));
}

void nameBox(QWidget* box)
{
    if (!box->accessibleName().isEmpty())
        return;
    if (const auto* caption = qobject_cast<const QLabel*>(captionOf(box)))
        box->setAccessibleName(caption->text().simplified());
    else if (const auto* frame = qobject_cast<const QGroupBox*>(box->parentWidget()))
        box->setAccessibleName(frame->title().simplified());
}

// An entry of the combo box's list chosen through its accessible "Toggle"
// (the list closed) is chosen as a click chooses it.
void actOnToggles(QComboBox* combo)
{
    if (combo->property(ComboDone).toBool())
        return;
    combo->setProperty(ComboDone, true);
    QAbstractItemView* view = combo->view();
    QObject::connect(view->selectionModel(), &QItemSelectionModel::selectionChanged, combo,
                     [combo, view](const QItemSelection& selected, const QItemSelection&) {
                         if (view->isVisible() || selected.indexes().isEmpty())
                             return;
                         const int row = selected.indexes().first().row();
                         if (row == combo->currentIndex())
                             return;
                         combo->setCurrentIndex(row);
                         emit combo->activated(row);
                     });
}

} // namespace

void nameValueLabel(QLabel* label, const QString& caption)
{
    if (!label || label->property(ValueLabelDone).toBool())
        return;
    label->setProperty(ValueLabelDone, true);
    QAccessible::registerAccessibleInterface(new ValueLabelAccessible(label, caption));
}

void nameValueLabel(QLabel* label, QLabel* caption)
{
    if (!label || !caption || label->property(ValueLabelDone).toBool())
        return;
    label->setProperty(ValueLabelDone, true);
    QAccessible::registerAccessibleInterface(new ValueLabelAccessible(label, caption));
}

QWidget* captionOf(const QWidget* control)
{
    const QWidget* parent = control->parentWidget();
    if (!parent)
        return nullptr;
    const QRect c = control->geometry();
    QWidget* left = nullptr;
    QWidget* above = nullptr;
    int bestLeft = std::numeric_limits<int>::max(), bestAbove = std::numeric_limits<int>::max();
    for (QObject* o : parent->children()) {
        auto* w = qobject_cast<QWidget*>(o);
        if (!w || w == control || !isCaption(w))
            continue;
        const QRect r = w->geometry();
        const int tolerance = std::max(2, c.height() / 4);
        // On its row: the vertical centres within half a box height, ending
        // at the box's left edge at most.
        if (std::abs(r.center().y() - c.center().y()) <= std::max(c.height(), r.height()) / 2 &&
            r.right() <= c.left() + tolerance) {
            const int d = c.left() - r.right();
            if (d < bestLeft) {
                bestLeft = d;
                left = w;
            }
        } else if (r.bottom() <= c.top() + tolerance && r.left() < c.right() && r.right() > c.left()) {
            const int d = c.top() - r.bottom();
            if (d < bestAbove) {
                bestAbove = d;
                above = w;
            }
        }
    }
    return left ? left : above;
}

void nameForScreenReaders(QWidget* window)
{
    if (!window)
        return;
    QList<QWidget*> all = window->findChildren<QWidget*>();
    all.prepend(window);
    for (QWidget* w : all) {
        if (auto* combo = qobject_cast<QComboBox*>(w)) {
            nameBox(combo);
            actOnToggles(combo);
        } else if (qobject_cast<QLineEdit*>(w) || qobject_cast<QAbstractSpinBox*>(w)) {
            // The line edit inside a combo or spin box is named by its owner.
            if (!qobject_cast<QComboBox*>(w->parentWidget()) && !qobject_cast<QAbstractSpinBox*>(w->parentWidget()))
                nameBox(w);
        } else if (auto* l = qobject_cast<QLabel*>(w); l && isValueLabel(l)) {
            nameValueLabel(l);
        }
    }
}

} // namespace platform
