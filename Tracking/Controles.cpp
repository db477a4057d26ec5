#include "Tracking/Controles.h"

#include "platform/Geometry.h"
#include "platform/widgets/Window.h"

#include <QGuiApplication>
#include <QScreen>

#include <algorithm>

namespace controles {

QLabel* etiquette(QWidget* parent, const QString& nom, const QString& texte, int x, int y, int w, int h,
                  Qt::Alignment a)
{
    auto* l = new QLabel(texte, parent);
    l->setObjectName(nom);
    l->setAlignment(a);
    platform::setTwipsGeometry(l, x, y, w, h);
    return l;
}

QLabel* valeur(QWidget* parent, const QString& nom, int x, int y, int w, int h)
{
    QLabel* l = etiquette(parent, nom, QString(), x, y, w, h, Qt::AlignRight | Qt::AlignVCenter);
    l->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    l->setStyleSheet(QStringLiteral("background: white; padding-right: 2px;"));
    return l;
}

QGroupBox* cadre(QWidget* parent, const QString& nom, const QString& titre, int x, int y, int w, int h)
{
    auto* g = new QGroupBox(titre, parent);
    g->setObjectName(nom);
    platform::setTwipsGeometry(g, x, y, w, h);
    return g;
}

platform::ImageButton* boutonImage(QWidget* parent, const QString& nom, dessins::Motif m, int x, int y, int w, int h,
                                   platform::ImageButton::Behaviour b)
{
    auto* i = new platform::ImageButton(dessins::bouton(m, false, QSize(w, h)), dessins::bouton(m, true, QSize(w, h)),
                                        b, parent);
    i->setObjectName(nom);
    i->showReleased();
    platform::setTwipsGeometry(i, x, y, w, h);
    return i;
}

void ecrit(QLabel* l, const QString& t)
{
    if (l->text() != t)
        l->setText(t);
}

void tailleExterieure(QWidget* fenetre, int largeur, int hauteur)
{
    platform::resizeTwips(fenetre, largeur - BordFenetreLargeur, hauteur - BordFenetreHauteur);
}

QSize tailleExterieureTwips(const QWidget* fenetre)
{
    return QSize(platform::pixelsToTwips(fenetre->width()) + BordFenetreLargeur,
                 platform::pixelsToTwips(fenetre->height()) + BordFenetreHauteur);
}

void titre(QGroupBox* g, const QString& t)
{
    QString litteral = t;
    litteral.replace(QLatin1Char('&'), QLatin1String("&&"));
    if (g->title() != litteral)
        g->setTitle(litteral);
}

void ramenerSurEcran(QWidget* fenetre, bool& enCours)
{
    const QScreen* ecran = fenetre->screen() ? fenetre->screen() : QGuiApplication::primaryScreen();
    if (!ecran || enCours)
        return;
    enCours = true;
    const int sh = platform::pixelsToTwips(ecran->geometry().height());
    const int sw = platform::pixelsToTwips(ecran->geometry().width());
    int top = platform::pixelsToTwips(fenetre->y()), left = platform::pixelsToTwips(fenetre->x());
    const int top0 = top, left0 = left;
    if (top > sh)
        top = sh - 100;
    if (left > sw)
        left = sw - 100;
    if (left < 0)
        left = 0;
    if (top < 0)
        top = 0;
    if (top != top0 || left != left0)
        platform::moveTwips(fenetre, left, top);
    enCours = false;
}

void placerDansEcran(QWidget* fenetre, int left, int top)
{
    QPoint p(platform::twipsToPixels(left), platform::twipsToPixels(top));
    const QScreen* ecran = QGuiApplication::screenAt(p);
    if (!ecran)
        ecran = QGuiApplication::primaryScreen();
    if (ecran)
        p = platform::keptInside(p, cadreExterieur(fenetre).size(), ecran->availableGeometry());
    fenetre->move(p);
}

QRect cadreExterieur(const QWidget* fenetre)
{
    const QRect cadre = fenetre->frameGeometry();
    if (cadre.size() != fenetre->size())
        return cadre;
    return QRect(fenetre->pos(),
                 fenetre->size() + platform::twipsToPixels(QSize(BordFenetreLargeur, BordFenetreHauteur)));
}

QPoint ecarte(const QRect& r, const QRect& autre, const QRect& zone)
{
    if (!r.intersects(autre))
        return r.topLeft();
    const auto tenu = [](int v, int bas, int haut) { return std::max(bas, std::min(v, haut)); };
    const int x = tenu(r.left(), zone.left(), zone.right() + 1 - r.width());
    const int y = tenu(r.top(), zone.top(), zone.bottom() + 1 - r.height());
    const QPoint candidats[4] = {{autre.left() - r.width(), y},
                                 {autre.right() + 1, y},
                                 {x, autre.top() - r.height()},
                                 {x, autre.bottom() + 1}};
    QPoint meilleur = r.topLeft();
    int ecart = -1;
    for (const QPoint& c : candidats) {
        if (!zone.contains(QRect(c, r.size())))
            continue;
        const int d = (c - r.topLeft()).manhattanLength();
        if (ecart < 0 || d < ecart) {
            ecart = d;
            meilleur = c;
        }
    }
    return meilleur;
}

} // namespace controles

QString lignesAffichees(QString texte)
{
    return texte.replace(QLatin1Char('\r'), QLatin1Char('\n'));
}

int codeTouche(int k)
{
    switch (k) {
    case Qt::Key_Left: return 37;
    case Qt::Key_Up: return 38;
    case Qt::Key_Right: return 39;
    case Qt::Key_Down: return 40;
    default: break;
    }
    if (k >= Qt::Key_F1 && k <= Qt::Key_F12)
        return 112 + (k - Qt::Key_F1);
    return 0;
}
