#include "Planner/FenetrePrevision.h"

#include "Planner/FenetreComWinPrev.h"
#include "Planner/Pictures.h"
#include "Planner/Planner.h"
#include "platform/widgets/Grid.h"
#include "platform/widgets/Window.h"

#include <QGroupBox>
#include <QLabel>
#include <QPixmap>

namespace {
QLabel* etiquette(QWidget* parent, const QString& texte, int l, int t, int w, int h) {
    auto* e = new QLabel(texte, parent);
    platform::setTwipsGeometry(e, l, t, w, h);
    return e;
}
QLabel* icone(QWidget* parent, const QImage& im, int l, int t) {
    auto* e = new QLabel(parent);
    e->setPixmap(QPixmap::fromImage(im));
    platform::setTwipsGeometry(e, l, t, 480, 480);
    return e;
}
void prepareGrille(platform::Grid* g) {
    g->setCols(9);
    g->setRows(2);
}
} // namespace

FenetrePrevision::FenetrePrevision(Planner& etat) : QWidget(nullptr), etat_(etat) {
    platform::resizeClientTwips(this, 6135, 5235);
    CadrePrevision = new QGroupBox(this);
    platform::setTwipsGeometry(CadrePrevision, 60, 0, 6015, 915);
    const int pos[8][2] = {{120, 120}, {1320, 120}, {120, 330}, {1320, 330}, {3000, 120}, {3000, 330}, {120, 540}, {3000, 540}};
    for (int i = 0; i < 8; ++i)
        Entete[size_t(i)] = etiquette(CadrePrevision, QString(), pos[i][0], pos[i][1], i >= 4 ? 2535 : (i % 2 ? 1650 : 1150), 210);
    Image1 = new QWidget(this);
    platform::setTwipsGeometry(Image1, 60, 960, 6015, 615);
    const char* titres[5] = {"Time", "Moon", "Sun", "Cold Sky", "Doppler (Hz)"};
    const int x[5] = {500, 1700, 3900, 5000, 2300};
    for (int i = 0; i < 5; ++i)
        Etiquette1[size_t(i)] = etiquette(Image1, QString::fromLatin1(titres[i]), x[i], 180, 1100, 240);
    AffIconeTime = icone(Image1, pictures::iconeHorloge(), 20, 60);
    AffIconeLune = icone(Image1, pictures::phaseLune(0), 1200, 60);
    AffIconeSun = icone(Image1, pictures::iconeSoleil(), 3400, 60);
    AffIconeCiel = icone(Image1, pictures::iconeCielCalme(), 4500, 60);
    GrillePrev = new platform::Grid(this);
    platform::setTwipsGeometry(GrillePrev, 60, 1560, 6015, 3615);
    prepareGrille(GrillePrev);
    connect(GrillePrev, &platform::Grid::click, this, &FenetrePrevision::GrillePrev_Click);
}

void FenetrePrevision::GrillePrev_Click() { etat_.GrillePrev_Click(this); }

FenetreComWinPrev::FenetreComWinPrev(Planner&) : QWidget(nullptr) {
    platform::resizeClientTwips(this, 6135, 5595);
    CadreHome = new QGroupBox(QStringLiteral("Home station"), this);
    platform::setTwipsGeometry(CadreHome, 60, 60, 2955, 795);
    CadreDX = new QGroupBox(QStringLiteral("DX station"), this);
    platform::setTwipsGeometry(CadreDX, 3120, 60, 2955, 795);
    CadreCommun = new QGroupBox(this);
    platform::setTwipsGeometry(CadreCommun, 60, 840, 6015, 675);
    for (int i = 0; i < 4; ++i) {
        Entete[size_t(i)] = etiquette(CadreHome, QString(), i % 2 ? 1300 : 120, i < 2 ? 240 : 480, 1500, 210);
        Entete[size_t(i + 8)] = etiquette(CadreDX, QString(), i % 2 ? 1300 : 120, i < 2 ? 240 : 480, 1500, 210);
    }
    const int pos[4][2] = {{120, 120}, {3000, 120}, {120, 360}, {3000, 360}};
    for (int i = 0; i < 4; ++i)
        Entete[size_t(4 + i)] = etiquette(CadreCommun, QString(), pos[i][0], pos[i][1], 2900, 210);
    Image1 = new QWidget(this);
    platform::setTwipsGeometry(Image1, 60, 1560, 6015, 615);
    etiquette(Image1, QStringLiteral("Home"), 1700, 20, 800, 210);
    etiquette(Image1, QStringLiteral("Home - DX"), 3100, 20, 1200, 210);
    etiquette(Image1, QStringLiteral("DX"), 5300, 20, 600, 210);
    etiquette(Image1, QStringLiteral("Time"), 500, 330, 600, 210);
    etiquette(Image1, QStringLiteral("Doppler"), 2500, 330, 700, 210);
    etiquette(Image1, QStringLiteral("Doppler  Polar"), 3200, 330, 1500, 210);
    EtiqSource[1] = etiquette(Image1, QString(), 1700, 330, 700, 210);
    EtiqSource[2] = etiquette(Image1, QString(), 5200, 330, 700, 210);
    EtiqNomSource = etiquette(Image1, QString(), 2400, 20, 700, 210);
    AffIconeTime = icone(Image1, pictures::iconeHorloge(), 20, 60);
    AffIcone[0] = icone(Image1, pictures::phaseLune(0), 1200, 60);
    AffIcone[1] = icone(Image1, pictures::phaseLune(0), 4700, 60);
    GrillePrev = new platform::Grid(this);
    platform::setTwipsGeometry(GrillePrev, 60, 2160, 6015, 3375);
    prepareGrille(GrillePrev);
}
