#pragma once
// Control building and upkeep shared by Tracking's two windows: labels and
// frames placed in twips, the image buttons drawn from their motifs, the
// write-if-changed label update and the keep-on-screen rule.

#include "Tracking/Dessins.h"
#include "platform/widgets/ImageButton.h"

#include <QGroupBox>
#include <QLabel>

namespace controles {

QLabel* etiquette(QWidget* parent, const QString& nom, const QString& texte, int x, int y, int w, int h,
                  Qt::Alignment a = Qt::AlignLeft | Qt::AlignVCenter);

// A value label: sunk box, right-aligned figures.
QLabel* valeur(QWidget* parent, const QString& nom, int x, int y, int w, int h = 285);

QGroupBox* cadre(QWidget* parent, const QString& nom, const QString& titre, int x, int y, int w, int h);

// An image button of w x h twips with its released and pressed pictures,
// shown released.
platform::ImageButton* boutonImage(QWidget* parent, const QString& nom, dessins::Motif m, int x, int y, int w, int h,
                                   platform::ImageButton::Behaviour b);

// Sets the text only when it changes (no repaint for an equal value).
void ecrit(QLabel* l, const QString& t);

// Keeps a window on the screen (twips rule: beyond the right or bottom edge
// -> 100 inside it, negative -> 0). enCours guards against the move this
// makes calling it again.
void ramenerSurEcran(QWidget* fenetre, bool& enCours);

} // namespace controles
