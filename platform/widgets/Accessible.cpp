#include "platform/widgets/Accessible.h"

#include "platform/widgets/ButtonAccessible.h"
#include "platform/widgets/Grid.h"
#include "platform/widgets/ScreenReader.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QAccessible>
#include <QAccessibleWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QRadioButton>
#include <QTableView>

#include <cstdlib>
#include <limits>
#include <utility>

namespace platform {

namespace {

constexpr char ValueLabelDone[] = "selvaneValueLabelNamed";
constexpr char ValueCaption[] = "selvaneValueCaption";
constexpr char ComboDone[] = "selvaneComboToggles";
constexpr char RelationLabel[] = "selvaneRelationLabel";
constexpr char ValueButtonDone[] = "selvaneValueButtonNamed";
constexpr char PictureDone[] = "selvanePictureDescribed";

bool isValueLabel(const QLabel* l)
{
    return l->frameShape() != QFrame::NoFrame && l->pixmap().isNull();
}

// A caption: a label without a frame and with a text (not one of the hidden
// labels that only carry a combo box's label relation).
bool isCaption(const QWidget* w)
{
    const auto* l = qobject_cast<const QLabel*>(w);
    return l && !isValueLabel(l) && !l->text().trimmed().isEmpty() && !l->property(RelationLabel).toBool();
}

enum class Side { Left, Right, Above };

// The nearest caption of the same parent beside `control`: on its row (the
// vertical centres within half a box height apart) ending at its left edge
// or starting at its right edge, or above it and overlapping it across.
QWidget* nearestCaption(const QWidget* control, Side side)
{
    const QWidget* parent = control->parentWidget();
    if (!parent)
        return nullptr;
    const QRect c = control->geometry();
    const int tolerance = std::max(2, c.height() / 4);
    QWidget* best = nullptr;
    int bestDistance = std::numeric_limits<int>::max();
    for (QObject* o : parent->children()) {
        auto* w = qobject_cast<QWidget*>(o);
        if (!w || w == control || !isCaption(w))
            continue;
        const QRect r = w->geometry();
        const bool onRow = std::abs(r.center().y() - c.center().y()) <= std::max(c.height(), r.height()) / 2;
        const bool across = r.left() < c.right() && r.right() > c.left();
        int d = -tolerance - 1; // not on that side
        if (side == Side::Left && onRow)
            d = c.left() - r.right();
        else if (side == Side::Right && onRow)
            d = r.left() - c.right();
        else if (side == Side::Above && !onRow && across)
            d = c.top() - r.bottom();
        if (d >= -tolerance && d < bestDistance) {
            bestDistance = d;
            best = w;
        }
    }
    return best;
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
            const QVariant given = l->property(ValueCaption);
            const QString c = given.isValid() ? given.toString().simplified()
                              : caption_ ? caption_->text().simplified()
                                         : fixedCaption_;
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
    // The entry chosen is the selected entry of the list, closed too: a
    // screen reader reads a combo box's value from there.
    const auto selectChosen = [combo, view] {
        const QModelIndex chosen = combo->model()->index(combo->currentIndex(), combo->modelColumn());
        if (chosen.isValid() && !view->selectionModel()->isSelected(chosen))
            view->selectionModel()->setCurrentIndex(chosen, QItemSelectionModel::ClearAndSelect);
    };
    selectChosen();
    QObject::connect(combo, &QComboBox::currentIndexChanged, combo, selectChosen);
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

// Labels `combo` by `name` through a label relation, the one way Qt's combo
// box on Linux tells a screen reader what it is: its caption label becomes
// the label of the box when it reads the name (and holds no "&", which a
// buddy would turn into a mnemonic); otherwise a hidden label of the same
// parent carries the name. One label per combo box.
void labelCombo(QComboBox* combo, const QString& name)
{
    QWidget* parent = combo->parentWidget();
    if (!parent || name.isEmpty())
        return;
    for (QLabel* l : parent->findChildren<QLabel*>(Qt::FindDirectChildrenOnly)) {
        if (l->buddy() != combo)
            continue;
        if (l->property(RelationLabel).toBool())
            delete l;
        else
            l->setBuddy(nullptr);
    }
    auto* caption = qobject_cast<QLabel*>(captionOf(combo));
    if (caption && caption->text().simplified() == name && !caption->text().contains(QLatin1Char('&'))) {
        caption->setBuddy(combo);
        return;
    }
    auto* hidden = new QLabel(parent);
    hidden->setObjectName(QStringLiteral("LabelFor_") + combo->objectName());
    hidden->setProperty(RelationLabel, true);
    hidden->setText(QString(name).replace(QLatin1Char('&'), QStringLiteral("&&")));
    hidden->setBuddy(combo);
    hidden->hide();
}

bool labelledByALabel(const QComboBox* combo)
{
    const QWidget* parent = combo->parentWidget();
    if (!parent)
        return false;
    for (const QLabel* l : parent->findChildren<QLabel*>(Qt::FindDirectChildrenOnly))
        if (l->buddy() == combo)
            return true;
    return false;
}

// A button whose caption is a value: its name, then the caption.
class ValueButtonAccessible : public ButtonAccessible {
public:
    ValueButtonAccessible(QAbstractButton* b, const QString& name) : ButtonAccessible(b), name_(name.simplified()) {}
    QString text(QAccessible::Text t) const override
    {
        const QString value = withoutMnemonics(button()->text()).simplified();
        if (t == QAccessible::Name)
            return value.isEmpty() ? name_ : name_ + QLatin1Char(' ') + value;
        if (t == QAccessible::Value)
            return value;
        return QAccessibleWidget::text(t);
    }
    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.pressed = button()->isDown();
        s.checkable = button()->isCheckable();
        s.checked = button()->isChecked();
        return s;
    }

protected:
    void press() override
    {
        if (button()->isEnabled())
            button()->click();
    }

private:
    QAbstractButton* button() const { return static_cast<QAbstractButton*>(widget()); }
    QString name_;
};

// A picture read as the text its program derives for it.
class PictureAccessible : public QAccessibleWidget {
public:
    PictureAccessible(QWidget* picture, std::function<QString()> describe, QAccessible::Role role)
        : QAccessibleWidget(picture, role), describe_(std::move(describe)), role_(role)
    {
    }
    void setDescribe(std::function<QString()> describe, QAccessible::Role role)
    {
        describe_ = std::move(describe);
        role_ = role;
    }
    QAccessible::Role role() const override { return role_; }
    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name)
            return describe_ ? describe_() : QString();
        return QAccessibleWidget::text(t);
    }

private:
    std::function<QString()> describe_;
    QAccessible::Role role_;
};

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
    QWidget* left = nearestCaption(control, Side::Left);
    return left ? left : nearestCaption(control, Side::Above);
}

QString valuesRead(std::initializer_list<const QLabel*> labels)
{
    QStringList read;
    for (const QLabel* l : labels) {
        if (!l || l->text().trimmed().isEmpty())
            continue;
        QAccessibleInterface* i = QAccessible::queryAccessibleInterface(const_cast<QLabel*>(l));
        read << (i ? i->text(QAccessible::Name) : l->text().simplified());
    }
    return read.join(QStringLiteral(", "));
}

void nameForScreenReaders(QWidget* window)
{
    if (!window)
        return;
    installScreenReaderLayer();
    if (window->isWindow())
        giveWindowRole(window);
    QList<QWidget*> all = window->findChildren<QWidget*>();
    all.prepend(window);
    for (QWidget* w : all) {
        if (auto* box = qobject_cast<QLineEdit*>(w))
            giveTextInterface(box);
        giveFrameInterface(w);
        if (auto* combo = qobject_cast<QComboBox*>(w)) {
            giveComboInterface(combo);
            nameBox(combo);
            actOnToggles(combo);
            if (!labelledByALabel(combo))
                labelCombo(combo, combo->accessibleName());
        } else if (auto* b = qobject_cast<QAbstractButton*>(w)) {
            if (!b->accessibleName().isEmpty() || !b->text().isEmpty())
                continue;
            if (!b->toolTip().isEmpty())
                b->setAccessibleName(b->toolTip());
            else if (qobject_cast<QRadioButton*>(b) || qobject_cast<QCheckBox*>(b))
                if (const auto* meaning = qobject_cast<const QLabel*>(nearestCaption(b, Side::Right)))
                    b->setAccessibleName(withoutMnemonics(meaning->text()).simplified());
        } else if (qobject_cast<QLineEdit*>(w) || qobject_cast<QAbstractSpinBox*>(w)) {
            // The line edit inside a combo or spin box is named by its owner.
            if (!qobject_cast<QComboBox*>(w->parentWidget()) && !qobject_cast<QAbstractSpinBox*>(w->parentWidget()))
                nameBox(w);
        } else if (auto* l = qobject_cast<QLabel*>(w); l && isValueLabel(l)) {
            nameValueLabel(l);
        }
    }
}

void nameControls(std::initializer_list<ScreenReaderName> names)
{
    for (const ScreenReaderName& n : names) {
        QWidget* w = n.control;
        if (!w)
            continue;
        if (auto* l = qobject_cast<QLabel*>(w); l && isValueLabel(l)) {
            l->setAccessibleName(QString());
            l->setProperty(ValueCaption, n.name);
            nameValueLabel(l, n.name);
        } else if (auto* combo = qobject_cast<QComboBox*>(w)) {
            combo->setAccessibleName(n.name);
            labelCombo(combo, n.name);
        } else if (auto* grid = qobject_cast<Grid*>(w)) {
            grid->setAccessibleName(n.name);
            grid->table()->setAccessibleName(n.name);
        } else {
            w->setAccessibleName(n.name);
        }
    }
}

void nameValueButton(QAbstractButton* button, const QString& name)
{
    if (!button || button->property(ValueButtonDone).toBool())
        return;
    button->setProperty(ValueButtonDone, true);
    QAccessible::registerAccessibleInterface(new ValueButtonAccessible(button, name));
}

void describePicture(QWidget* picture, std::function<QString()> describe, QAccessible::Role role)
{
    if (!picture)
        return;
    if (picture->property(PictureDone).toBool()) {
        if (auto* i = dynamic_cast<PictureAccessible*>(QAccessible::queryAccessibleInterface(picture)))
            i->setDescribe(std::move(describe), role);
        return;
    }
    picture->setProperty(PictureDone, true);
    QAccessible::registerAccessibleInterface(new PictureAccessible(picture, std::move(describe), role));
}

} // namespace platform
