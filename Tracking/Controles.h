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
// Sets a frame's title to a text that shows data (an entity or source
// name): shown as it stands, an "&" in it being no mnemonic; written only
// when it changes.
void titre(QGroupBox* g, const QString& t);

// A top-level window's outer size in twips (frame, caption and menu bar
// included), as both of Tracking's windows give their sizes: the window is
// sized to that less a standard frame of 120 x 390 twips (two 60-twip
// borders; caption and bottom border), whatever the window manager draws.
constexpr int BordFenetreLargeur = 120, BordFenetreHauteur = 390;
void tailleExterieure(QWidget* fenetre, int largeur, int hauteur);
// The outer size in twips that tailleExterieure() gave (for tests).
QSize tailleExterieureTwips(const QWidget* fenetre);

// Keeps a window on the screen (twips rule: beyond the right or bottom edge
// -> 100 inside it, negative -> 0). enCours guards against the move this
// makes calling it again.
void ramenerSurEcran(QWidget* fenetre, bool& enCours);

// Places a top-level window at (left, top) twips, moved as little as needed
// for the whole window to lie inside the available area of the screen that
// holds that point (the primary screen when none does); a window larger
// than that area keeps its top-left corner at the area's.
void placerDansEcran(QWidget* fenetre, int left, int top);

// A top-level window's outer rectangle in pixels, frame included: the
// frame the window system gave it once it has been shown, before that the
// standard frame of tailleExterieure().
QRect cadreExterieur(const QWidget* fenetre);

// The top-left corner nearest to r's (fewest pixels moved across plus down)
// at which a rectangle of r's size lies inside `zone` and clear of `autre`:
// beside, above or below it. r's own corner when r is clear of `autre`
// already, or when `zone` has no such place.
QPoint ecarte(const QRect& r, const QRect& autre, const QRect& zone);

} // namespace controles

// The key code of a Qt key as the handlers take it (37..40 arrows, 112..123
// F1..F12), 0 for other keys.
int codeTouche(int qtKey);

// A text whose lines end with CR (character 13) as a label shows it.
QString lignesAffichees(QString texte);
