#include "Planner/FenetreComWinPrev.h"

#include "Planner/Commandes.h"
#include "Planner/Controles.h"
#include "Planner/Descriptions.h"
#include "Planner/Pictures.h"
#include "platform/widgets/Accessible.h"
#include "platform/widgets/Grid.h"
#include "platform/widgets/Window.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QLabel>

FenetreComWinPrev::FenetreComWinPrev(planner::Commandes& commandes) : QWidget(nullptr), commandes_(commandes) {
    planner::policeTable(this);
    platform::resizeClientTwips(this, 6135, 5595);
    CadreHome = new QGroupBox(QStringLiteral("Home station"), this);
    platform::setTwipsGeometry(CadreHome, 60, 60, 2955, 795);
    CadreDX = new QGroupBox(QStringLiteral("DX station"), this);
    platform::setTwipsGeometry(CadreDX, 3120, 60, 2955, 795);
    CadreCommun = new QGroupBox(this);
    platform::setTwipsGeometry(CadreCommun, 60, 840, 6015, 675);
    // Call sign and location (18 characters) on the first row, latitude and
    // longitude on the second.
    for (int i = 0; i < 4; ++i) {
        const int t = i < 2 ? 270 : 510;
        const int l = i == 1 ? 1080 : i == 3 ? 1380 : 120, w = i == 0 ? 940 : i == 1 ? 1800 : i == 2 ? 1240 : 1500;
        Entete[size_t(i)] = planner::etiquette(CadreHome, QString(), l, t, w, 225);
        Entete[size_t(i + 8)] = planner::etiquette(CadreDX, QString(), l, t, w, 225);
    }
    // Frequency and extra loss at the left; declination and the sky
    // temperature, the longer lines, at the right.
    const int pos[4][3] = {{120, 120, 2640}, {2850, 120, 3100}, {120, 375, 2640}, {2850, 375, 3100}};
    for (int i = 0; i < 4; ++i)
        Entete[size_t(4 + i)] = planner::etiquette(CadreCommun, QString(), pos[i][0], pos[i][1], pos[i][2], 225);
    // The strip above the grid, in two rows over the grid columns: upper
    // titles Home (2-4), Home - DX (5-6), DX (7-8) and the source's name
    // over Time; lower titles Time (0-1), the source (2-3), Doppler (4),
    // Doppler  Polar (5-6), the source (7-8). The pictures are shown at 300
    // twips; the reports read them at their own 32 x 32 pixels.
    Image1 = new QWidget(this);
    platform::setTwipsGeometry(Image1, 60, 1560, 6015, 615);
    auto titre = [this](const QString& t, int l, int haut, int w) {
        QLabel* e = planner::etiquette(Image1, t, l, haut ? 30 : 315, w, 255);
        e->setAlignment(Qt::AlignCenter);
        return e;
    };
    QFont gras = font();
    gras.setBold(true);
    for (QLabel* e : {titre(QStringLiteral("Home"), 1100, 1, 1920), titre(QStringLiteral("Home - DX"), 3020, 1, 1280),
                      titre(QStringLiteral("DX"), 4300, 1, 1280)})
        e->setFont(gras);
    EtiqNomSource = titre(QString(), 0, 1, 1100);
    titre(QStringLiteral("Time"), 340, 0, 760);
    EtiqSource[1] = titre(QString(), 1440, 0, 840);
    // "Doppler" over its column, clear of the separator at its right.
    titre(QStringLiteral("Doppler"), 2300, 0, 680);
    titre(QStringLiteral("Doppler  Polar"), 3020, 0, 1280);
    EtiqSource[2] = titre(QString(), 4640, 0, 940);
    auto petiteIcone = [this](const QImage& im, int l) {
        QLabel* e = planner::icone(Image1, im, l, 300);
        platform::setTwipsGeometry(e, l, 300, 300, 300);
        e->setScaledContents(true);
        return e;
    };
    AffIconeTime = petiteIcone(pictures::iconeHorloge(), 40);
    // The source's picture is the table's (AffichePrevisionCommune).
    AffIcone[0] = petiteIcone(QImage(), 1140);
    AffIcone[1] = petiteIcone(QImage(), 4340);
    const int separateurs[3] = {1100, 3020, 4300};
    for (int i = 0; i < 3; ++i)
        Ligne1[size_t(i)] = planner::separateur(Image1, separateurs[i], 0, 615);
    GrillePrev = new platform::Grid(2, 9, this);
    platform::setTwipsGeometry(GrillePrev, 60, 2160, 6015, 3375);
    platform::nameControls({{GrillePrev, QStringLiteral("Common window table")}});
    for (QLabel* icone : AffIcone)
        platform::describePicture(icone, [this] { return planner::TexteSourceTable(Phase, EtiqNomSource->text()); });
}

void FenetreComWinPrev::closeEvent(QCloseEvent* e) {
    e->ignore();
    commandes_.FermeTable(this);
}
