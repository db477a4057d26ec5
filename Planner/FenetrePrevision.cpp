#include "Planner/FenetrePrevision.h"

#include "Planner/Controles.h"
#include "Planner/Descriptions.h"
#include "Planner/Pictures.h"
#include "Planner/Commandes.h"
#include "platform/widgets/Accessible.h"
#include "platform/widgets/Grid.h"
#include "platform/widgets/Window.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QLabel>
#include <QPixmap>

namespace {
constexpr int LargeurTwips = 6135, HauteurTwips = 5235;
}

FenetrePrevision::FenetrePrevision(planner::Commandes& commandes) : QWidget(nullptr), commandes_(commandes) {
    planner::policeTable(this);
    platform::resizeClientTwips(this, LargeurTwips, HauteurTwips);
    CadrePrevision = new QGroupBox(this);
    platform::setTwipsGeometry(CadrePrevision, 60, 0, 6015, 915);
    // Station and Moon lines: three rows. At the left the call sign and an
    // 18-character location, the latitude and longitude, and the longest line,
    // the sky temperature ("432 MHz sky temp. : 3420 to 3420 °K"); at the
    // right the frequency, the declination and the extra loss. Each label
    // ends a few pixels before the next one starts.
    const int pos[8][3] = {{120, 150, 1140},  {1320, 150, 2000}, {120, 390, 1200},  {1440, 390, 1880},
                           {3400, 150, 2590}, {3400, 390, 2590}, {3400, 630, 2590}, {120, 630, 3200}};
    for (int i = 0; i < 8; ++i)
        Entete[size_t(i)] = planner::etiquette(CadrePrevision, QString(), pos[i][0], pos[i][1], pos[i][2], 225);
    // The strip above the grid: each group title beside its icon, over the
    // grid columns it heads (Time 0-1, Moon 2-3, Doppler 4, Sun 5-6, Cold Sky 7-8).
    Image1 = new QWidget(this);
    platform::setTwipsGeometry(Image1, 60, 960, 6015, 615);
    const char* titres[5] = {"Time", "Moon", "Sun", "Cold Sky", "Doppler (Hz)"};
    // "Doppler (Hz)" stands over its column, clear of the separator at its right.
    const int x[5][2] = {{540, 560}, {1640, 640}, {3560, 740}, {4840, 760}, {2300, 680}};
    for (int i = 0; i < 5; ++i) {
        Etiquette1[size_t(i)] = planner::etiquette(Image1, QString::fromLatin1(titres[i]), x[i][0], 60, x[i][1], 480);
        Etiquette1[size_t(i)]->setAlignment(Qt::AlignCenter);
    }
    Etiquette1[4]->setWordWrap(true);
    AffIconeTime = planner::icone(Image1, pictures::iconeHorloge(), 40, 68);
    // The Moon's phase is the day's (AffichePrevision).
    AffIconeLune = planner::icone(Image1, QImage(), 1140, 68);
    AffIconeSun = planner::icone(Image1, pictures::iconeSoleil(), 3060, 68);
    AffIconeCiel = planner::icone(Image1, pictures::iconeCielCalme(), 4340, 68);
    const int separateurs[3] = {1100, 3020, 4300};
    for (int i = 0; i < 3; ++i)
        Ligne1[size_t(i)] = planner::separateur(Image1, separateurs[i], 0, 615);
    GrillePrev = new platform::Grid(2, 9, this);
    platform::setTwipsGeometry(GrillePrev, 60, 1560, 6015, 3615);
    connect(GrillePrev, &platform::Grid::click, this, &FenetrePrevision::GrillePrev_Click);
    // Enter on a row takes it as a click does.
    GrillePrev->setEnterKey(platform::Grid::EnterKey::Click);
    platform::nameControls({{GrillePrev, QStringLiteral("Moon location table")}});
    platform::describePicture(AffIconeLune, [this] { return planner::TextePhaseLune(PhaseAffichee); });
}

void FenetrePrevision::remetANeuf() {
    setWindowState(Qt::WindowNoState);
    platform::resizeClientTwips(this, LargeurTwips, HauteurTwips);
    // The title row and one empty row, as made: a row kept would show its
    // old cells under a shorter new text.
    GrillePrev->setRows(1);
    GrillePrev->setRows(2);
}

void FenetrePrevision::GrillePrev_Click() { commandes_.GrillePrev_Click(this); }

void FenetrePrevision::closeEvent(QCloseEvent* e) {
    e->ignore();
    commandes_.FermeTable(this);
}

