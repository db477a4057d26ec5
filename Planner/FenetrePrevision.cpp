#include "Planner/FenetrePrevision.h"

#include "Planner/Controles.h"
#include "Planner/Pictures.h"
#include "assets/Assets.h"
#include "Planner/Planner.h"
#include "platform/widgets/Grid.h"
#include "platform/widgets/Window.h"

#include <QGroupBox>
#include <QLabel>
#include <QPixmap>

namespace {
void prepareGrille(platform::Grid* g) {
    g->setCols(9);
    g->setRows(2);
}
} // namespace

FenetrePrevision::FenetrePrevision(Planner& etat) : QWidget(nullptr), etat_(etat) {
    planner::policeTable(this);
    platform::resizeClientTwips(this, 6135, 5235);
    CadrePrevision = new QGroupBox(this);
    platform::setTwipsGeometry(CadrePrevision, 60, 0, 6015, 915);
    // Station and Moon lines: three rows, the station at the left, the
    // frequency, declination and sky temperature at the right.
    // The right column is wide enough for the longest sky-temperature line
    // ("432 MHz sky temp. : 3420 to 3420 °K").
    const int pos[8][3] = {{120, 150, 1180},  {1320, 150, 1470}, {120, 390, 1180},  {1320, 390, 1470},
                           {2800, 150, 3160}, {2800, 390, 3160}, {120, 630, 2640},  {2800, 630, 3160}};
    for (int i = 0; i < 8; ++i)
        Entete[size_t(i)] = planner::etiquette(CadrePrevision, QString(), pos[i][0], pos[i][1], pos[i][2], 225);
    // The strip above the grid: each group title beside its icon, over the
    // grid columns it heads (Time 0-1, Moon 2-3, Doppler 4, Sun 5-6, Cold Sky 7-8).
    Image1 = new QWidget(this);
    platform::setTwipsGeometry(Image1, 60, 960, 6015, 615);
    const char* titres[5] = {"Time", "Moon", "Sun", "Cold Sky", "Doppler (Hz)"};
    const int x[5][2] = {{540, 560}, {1640, 740}, {3560, 740}, {4840, 760}, {2380, 640}};
    for (int i = 0; i < 5; ++i) {
        Etiquette1[size_t(i)] = planner::etiquette(Image1, QString::fromLatin1(titres[i]), x[i][0], 60, x[i][1], 480);
        Etiquette1[size_t(i)]->setAlignment(Qt::AlignCenter);
    }
    Etiquette1[4]->setWordWrap(true);
    AffIconeTime = planner::icone(Image1, pictures::iconeHorloge(), 40, 68);
    AffIconeLune = planner::icone(Image1, assets::phaseLune(0), 1140, 68);
    AffIconeSun = planner::icone(Image1, pictures::iconeSoleil(), 3060, 68);
    AffIconeCiel = planner::icone(Image1, pictures::iconeCielCalme(), 4340, 68);
    const int separateurs[3] = {1100, 3020, 4300};
    for (int i = 0; i < 3; ++i)
        Ligne1[size_t(i)] = planner::separateur(Image1, separateurs[i], 0, 615);
    GrillePrev = new platform::Grid(this);
    platform::setTwipsGeometry(GrillePrev, 60, 1560, 6015, 3615);
    prepareGrille(GrillePrev);
    connect(GrillePrev, &platform::Grid::click, this, &FenetrePrevision::GrillePrev_Click);
}

void FenetrePrevision::GrillePrev_Click() { etat_.GrillePrev_Click(this); }

