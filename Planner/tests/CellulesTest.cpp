// Fixed rows of the Moon-location and common-window tables, written out as
// literal texts (not rebuilt through platform::Format): every cell stays
// exactly as the program lays it out, whatever is done to make the tables
// faster. The expected texts are the program's own output at commit 2d310a2,
// dumped row by row: the rows of the table computations for these stations
// and periods, and every cell and label of the table windows for the
// station folder's Toulouse station (01-05-2001, every minute).

#include "Planner/Calculs.h"
#include "Planner/Dates.h"
#include "Outils.h"
#include "Programme.h"

#include <QGroupBox>
#include <QLabel>
#include <gtest/gtest.h>

using namespace planner;
using VariablesPlanner = ::VariablesPlanner;

namespace {

struct Station {
    double latitude, longitude; // degrees, east positive
    int decHor;                 // local hour - UTC
    int freq;                   // MHz
};
const Station Paris{48.85, 2.35, 1, 144}, Sydney{-33.9, 151.2, 10, 432}, Reykjavik{64.1, -21.9, -3, 1296};

struct Periode {
    const char *deb, *tdeb, *fin, *tfin, *pas;
};
const Periode Mai2001{"12-05-2001", "00:00", "14-05-2001", "23:59", "1"};
const Periode Nouvel2004{"30-12-2003", "17:13", "02-01-2004", "04:00", "7"};

// A table's rows from `s` over `p`, every step ("Always"): the Moon-location
// table, or the common-window table of source `code` with the DX station at
// Tokyo (35.7 N, 139.7 E).
std::map<int, std::map<int, QString>> lignes(const Station& s, const Periode& p, bool commune, int code = 0) {
    VariablesPlanner v;
    v.LatitudeStation = s.latitude;
    v.LongitudeStation = s.longitude;
    v.LongitudeStationHeures = s.longitude / 15;
    v.Altitude = 100;
    v.Astro.Altitude = 100;
    v.DecHor = int16_t(s.decHor);
    v.Freq = s.freq;
    v.Astro.Freq = s.freq;
    v.CodeSource = int16_t(code);
    v.NomSource = QStringLiteral("Src");
    if (commune) {
        float longitude = 139.7f, latitude = 35.7f;
        FixePointDX(v, astro::LongitudeVersCarteX(longitude), astro::LatitudeVersCarteY(latitude));
    }
    EXPECT_EQ(verifiePeriode(v, p.deb, p.tdeb, p.fin, p.tfin, p.pas, false), planner::Periode::Ok);
    astro::CalculJourJulien(v.Astro);
    outils::Enregistreur sortie;
    sortie.v = &v;
    commune ? CalculPrevisionCommune(v, sortie) : CalculPrevision(v, sortie);
    return sortie.fenetres;
}

struct Ligne {
    int fenetre, rang;
    const char* texte; // the nine cells, TAB between them
};

void verifie(const std::map<int, std::map<int, QString>>& table, const std::vector<Ligne>& attendues) {
    for (const Ligne& l : attendues) {
        ASSERT_TRUE(table.count(l.fenetre)) << "window " << l.fenetre;
        const auto& rangs = table.at(l.fenetre);
        ASSERT_TRUE(rangs.count(l.rang)) << "window " << l.fenetre << " row " << l.rang;
        EXPECT_EQ(rangs.at(l.rang), QString::fromUtf8(l.texte)) << "window " << l.fenetre << " row " << l.rang;
    }
}

} // namespace

// UTC, local time, the Moon's azimuth and elevation ("##0.00"), the echo
// Doppler (whole Hz, "------" below the horizon), the Sun's and the cold
// sky's azimuth and elevation. Among them an azimuth rounded up to 360.00,
// an elevation just below the horizon shown as 0.00 and as -0.01, and days
// after the first.
TEST(Cellules, TableLune) {
    verifie(lignes(Sydney, Mai2001, false),
            {{0, 1, "00:00\t10:00\t247.29\t7.31\t-1130\t31.46\t31.61\t65.07\t-44.22"},
             {0, 600, "09:59\t19:59\t125.78\t-9.79\t------\t268.54\t-36.20\t338.44\t12.02"},
             {0, 1094, "18:13\t04:13\t360.00\t78.80\t-90\t87.36\t-30.22\t292.86\t-66.73"},
             {0, 1440, "23:59\t09:59\t254.07\t16.60\t-1100\t31.57\t31.28\t64.90\t-43.67"},
             {2, 135, "02:14\t12:14\t244.92\t0.00\t------\t353.30\t37.21\t54.09\t-18.67"}});
    verifie(lignes(Paris, Mai2001, false),
            {{0, 1, "00:00\t01:00\t132.82\t3.17\t173\t3.38\t-22.99\t298.06\t29.45"},
             {1, 700, "11:39\t12:39\t265.16\t-26.17\t------\t176.31\t59.57\t58.43\t26.01"}});
    verifie(lignes(Reykjavik, Mai2001, false),
            {{0, 209, "03:28\t00:28\t155.47\t0.01\t380\t29.42\t-3.45\t310.73\t25.10"},
             {1, 415, "06:54\t03:54\t190.04\t2.65\t-513\t75.18\t13.38\t351.61\t14.27"}});
}

// UTC, local time, the source's azimuth and elevation at home, the echo
// Doppler at home, the DX station's Doppler seen from home ("####0") and the
// polarisation offset ("##0.0") for the Moon, dashes for the other sources,
// then azimuth and elevation at the DX station. Among them Doppler values
// either side of 0 Hz, offsets either side of 0 degrees, four-digit Doppler
// values, and a period across the new year at a 7-minute step.
TEST(Cellules, TableCommune) {
    verifie(lignes(Sydney, Mai2001, true, 0),
            {{0, 1, "14:03\t00:03\t95.09\t35.81\t785\t814\t-65.8\t118.97\t0.06"},
             {0, 251, "18:13\t04:13\t360.00\t78.80\t-90\t7\t10.9\t167.68\t29.63"},
             {0, 253, "18:15\t04:15\t357.67\t78.79\t-98\t-1\t8.4\t168.19\t29.71"},
             {0, 259, "18:21\t04:21\t350.76\t78.66\t-124\t-26\t0.8\t169.72\t29.94"},
             {0, 260, "18:22\t04:22\t349.62\t78.63\t-128\t-30\t-0.4\t169.97\t29.98"}});
    verifie(lignes(Reykjavik, Nouvel2004, true, 0),
            {{0, 6, "13:59\t10:59\t83.33\t3.40\t1340\t-1009\t-79.8\t261.93\t21.33"}});
    verifie(lignes(Sydney, Mai2001, true, 1),
            {{0, 1, "00:00\t10:00\t31.46\t31.61\t------\t------\t------\t106.30\t51.06"}});
    verifie(lignes(Sydney, Mai2001, true, 5),
            {{0, 1, "12:25\t22:25\t91.63\t27.44\t------\t------\t------\t109.46\t0.03"}});
}

// The same through the program's windows: the caption, the header lines and
// the grid's cells of the first day's window, for the station folder's
// Toulouse station at a 1-minute step.
class CellulesFenetre : public Programme {};

TEST_F(CellulesFenetre, TableLuneDansSaFenetre) {
    outils::Station toulouse = outils::toulouse();
    toulouse.indic = QStringLiteral("N0CALL");
    ecrit("home.dat", outils::stationDat(toulouse));
    demarre();
    calcule("01-05-2001", "00:00", "01-05-2001", "23:59", "1");
    FenetrePrevision* w = etat->fenetrePrevision(0);
    ASSERT_TRUE(w);
    EXPECT_EQ(w->windowTitle(), "Tue 01-05-2001 from 00:00 to 23:59 UTC");
    const char* entetes[8] = {"N0CALL",
                              "Toulouse",
                              "Lat : 43.604 N",
                              "Long : 1.444 E",
                              "Frequency :  144 MHz",
                              "Moon Decl. : 19.4 to 15.6 deg",
                              "Extra loss/perigee : -0.6 dB",
                              "144 MHz sky temp. : 183 to 196 \u00b0K"};
    for (size_t i = 0; i < w->Entete.size(); ++i)
        EXPECT_EQ(w->Entete[i]->text(), QString::fromUtf8(entetes[i])) << i;
    const std::pair<int, const char*> rangs[] = {
        {0, "UTC|Local|Azim|Elev|Echo|Azim|Elev|Azim|Elev"},
        {1, "00:00|01:00|279.50|17.59|-295|2.45|-31.33|294.74|34.41"},
        {111, "01:50|02:50|296.75|-0.01|------|31.94|-25.37|308.81|17.48"},
        {112, "01:51|02:51|296.91|-0.12|------|32.18|-25.28|308.94|17.34"},
        {1440, "23:59|00:59|267.26|24.98|-294|2.19|-31.04|295.09|33.93"},
    };
    platform::Grid* g = w->GrillePrev;
    ASSERT_EQ(g->rows(), 1441);
    for (const auto& [r, texte] : rangs) {
        QStringList cellules;
        for (int c = 0; c < g->cols(); ++c)
            cellules << g->textMatrix(r, c);
        EXPECT_EQ(cellules.join('|'), texte) << "row " << r;
    }
}
