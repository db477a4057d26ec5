#pragma once
// Small builders of the controls the Planner windows share: a label or an
// icon placed in twips inside its parent.

#include "platform/widgets/Window.h"

#include <QFont>
#include <QFrame>
#include <QImage>
#include <QLabel>
#include <QPixmap>
#include <QString>

namespace planner {

// A label with `texte`, at (l, t) with size w x h twips in `parent`. Its text
// is shown as it stands (plain text: an "&" in a station or entity name stays
// an "&", never a mnemonic or markup).
inline QLabel* etiquette(QWidget* parent, const QString& texte, int l, int t, int w, int h) {
    auto* e = new QLabel(parent);
    e->setTextFormat(Qt::PlainText);
    e->setText(texte);
    platform::setTwipsGeometry(e, l, t, w, h);
    return e;
}

// A 480 x 480 twip (32 x 32 pixel) icon holding `image`, at (l, t) twips.
inline QLabel* icone(QWidget* parent, const QImage& image, int l, int t) {
    auto* e = new QLabel(parent);
    e->setPixmap(QPixmap::fromImage(image));
    platform::setTwipsGeometry(e, l, t, 480, 480);
    return e;
}

// A vertical separator line at x twips, from y to y + h twips.
inline QFrame* separateur(QWidget* parent, int x, int y, int h) {
    auto* l = new QFrame(parent);
    l->setFrameShape(QFrame::VLine);
    l->setFrameShadow(QFrame::Plain);
    platform::setTwipsGeometry(l, x - 15, y, 30, h);
    return l;
}

// The table windows' font: 8 points, so that the header lines fit their frames.
inline void policeTable(QWidget* w) {
    QFont f = w->font();
    f.setPointSizeF(8);
    w->setFont(f);
}

} // namespace planner
