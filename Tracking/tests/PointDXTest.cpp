// The DX point through the main window: the values of a prefix computed at
// the record's own position, the mark kept by every redraw of the world map,
// the prefix look-up over a database with empty rows.
#include "Tracking/FenetrePrincipale.h"
#include "Tracking/FeuilleChoixFichier.h"
#include "Tracking/FenetresTracking.h"
#include "Tracking/Tracking.h"
#include "Tracking/tests/Outils.h"
#include "platform/Text.h"
#include "platform/testing/QtTestApp.h"
#include "platform/testing/TestFiles.h"

#include <QDir>
#include <optional>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {


// Scripted boxes of which each input box stays open `duree` seconds of the
// clock before it is answered.
struct BoitesLentes : platform::ScriptedDialogs {
    explicit BoitesLentes(platform::ManualClock& h) : horloge(h) {}
    QString input(const QString& prompt, const QString& title, const QString& defaultText,
                  std::optional<QPoint> position) override
    {
        horloge.advance(duree);
        return ScriptedDialogs::input(prompt, title, defaultText, position);
    }
    platform::ManualClock& horloge;
    double duree = 0;
};

// The default station (Toulouse, 43.604 N 1.444 E, no interface box) at PC
// 10:00:00 on 1 June 2024, UTC+1.
class PointDXFenetre : public suivi::test::DossierStation {
protected:
    void TearDown() override
    {
        fenetres.reset();
        prog.reset();
    }
    void demarre()
    {
        prog = std::make_unique<Tracking>(dialogs, horloge, dossier.path());
        fenetres = std::make_unique<FenetresTracking>(*prog);
        prog->AttenteSansPortMs = 0;
        prog->Main();
        horloge.set(QDateTime(QDate(2024, 6, 1), QTime(10, 0, 0)));
        QTest::mouseClick(fenetres->feuilleChoixFichier().BoutonHome, Qt::LeftButton);
        prog->executer(4);
        fp().MenuFenetre->action(1)->trigger(); // the world map
    }
    FenetrePrincipale& fp() { return fenetres->fenetrePrincipale(); }
    void prefixe(const char* p)
    {
        dialogs.queueInput(QString::fromLatin1(p));
        fp().BoutonDXCC_Click();
    }
    qint64 pixel(int x, int y) { return fp().EMEWindow->point(x, y); }

    platform::ManualClock horloge{QDateTime(QDate(2024, 6, 1), QTime(10, 0, 0))};
    BoitesLentes dialogs{horloge};
    std::unique_ptr<Tracking> prog;
    std::unique_ptr<FenetresTracking> fenetres;
};

// Azimuth and elevation of the Moon (degrees) for an observer at (lat, lon)
// degrees at UTC 09:00:00 on 1 June 2024, `secondes` later, by the library's
// own procedure on a state of its own.
std::pair<double, double> luneVueDe(double lat, double lon, int secondes = 0)
{
    astro::EtatAstro e;
    e.variante = astro::Variante::Tracking;
    e.Altitude = 146;
    e.Freq = 144;
    e.DateCalcul = {2024, 6, 1, 7};
    astro::CalculJourJulien(e);
    e.FractionJour = (9 * 3600 + secondes) / 86400.0;
    e.HeureUT = (9 * 3600 + secondes) / 3600.0;
    e.LatitudeObservateur = lat;
    e.LongitudeObservateur = lon / 15;
    astro::CalculTempsSideral(e);
    astro::CalculPositionSource(e, 0);
    return {e.AzimutSource, e.ElevationSource};
}

// Distances by the spherical law of cosines on a 6368 km sphere from the
// station (43 36' 16" N, 1 26' 38" E) to each record's position, worked out
// apart from the program; the map pins the three far-southern records to
// its edge at -55 degrees, which must not change their values.
TEST_F(PointDXFenetre, ValeursALaPositionDeLEnregistrement)
{
    struct Cas {
        const char* prefixe;
        double lat, lon; // the record, degrees
        const char* distance;
    };
    const Cas cas[] = {
        {"CE9", -(89 + 59 / 60.0), 0, "14847"},
        {"VP8/H", -(62 + 5 / 60.0), -(58 + 40 / 60.0), "12907"},
        {"3Y/P", -(68 + 46 / 60.0), -(90 + 35 / 60.0), "14527"},
        {"JA", 36 + 24 / 60.0, 138 + 23 / 60.0, "10108"},
    };
    demarre();
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.prefixe);
        prefixe(c.prefixe);
        EXPECT_EQ(fp().AffDistance->text(), c.distance);
        const auto [az, el] = luneVueDe(c.lat, c.lon);
        EXPECT_NEAR(fp().AffAzimDX->text().toDouble(), az, 0.011);
        EXPECT_NEAR(fp().AffElevDX->text().toDouble(), el, 0.011);
        // The once-a-period redraw places it again with the same values.
        const QString d = fp().AffDistance->text(), e = fp().AffElevDX->text();
        prog->S.PlacePointDXTrack(prog->S.CarteXDX, prog->S.CarteYDX, prog->S.LatitudeDX, prog->S.LongitudeDX);
        EXPECT_EQ(prog->S.Aff.AffDistance, d);
        EXPECT_EQ(prog->S.Aff.AffElevDX, e);
    }
    // A map click computes at the map point.
    QTest::mouseClick(fp().EMEWindow, Qt::LeftButton, {}, QPoint(200, 80));
    int16_t x = int16_t(prog->S.CarteXDX), y = int16_t(prog->S.CarteYDX);
    EXPECT_DOUBLE_EQ(prog->S.LatitudeDX, astro::CarteYVersLatitude(y));
    EXPECT_DOUBLE_EQ(prog->S.LongitudeDX, astro::CarteXVersLongitude(x));
}

// The red mark stays through every redraw of the world map: the repaint
// that draws a finished horizon line, and the frame shown again after the
// sky map.
TEST_F(PointDXFenetre, LaMarqueSurvitAuxRepeints)
{
    demarre();
    suivi::Suivi& s = prog->S;
    auto ligneFinie = [&s] {
        s.CourbeFenetreCommune.fill(1000);
        s.DeclinaisonCourbe = 0.3;
        s.HorizonComplet = true;
    };
    auto repeint = [this] {
        fp().EMEWindow->repaint();
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
    };
    prefixe("JA");
    ASSERT_NE(s.CarteXDX, 0);
    const int x = s.CarteXDX, y = s.CarteYDX;
    EXPECT_EQ(pixel(x, y), 0x0000FF);
    ligneFinie();
    repeint();
    ASSERT_FALSE(s.HorizonComplet) << "the line was drawn";
    EXPECT_NE(pixel(800, 1000), pixel(800, 300)) << "the line is on the map";
    EXPECT_EQ(pixel(x, y), 0x0000FF);

    fp().MenuFenetre->action(2)->trigger();
    ligneFinie();
    fp().MenuFenetre->action(1)->trigger();
    repeint();
    EXPECT_FALSE(s.HorizonComplet);
    EXPECT_EQ(pixel(x, y), 0x0000FF);

    // A point placed by a click, then the line of the period's redraw.
    QTest::mouseClick(fp().EMEWindow, Qt::LeftButton, {}, QPoint(60, 150));
    const int cx = s.CarteXDX, cy = s.CarteYDX;
    ligneFinie();
    repeint();
    EXPECT_EQ(pixel(cx, cy), 0x0000FF);
    EXPECT_NE(pixel(x, y), 0x0000FF) << "the old mark is gone";
}

// A prefix typed into a box that stayed open 70 s: the values are those of
// the moment of the answer (the Moon moves on by a few tenths of a degree
// meanwhile), not of the cycle before the box opened.
TEST_F(PointDXFenetre, ValeursAuMomentDeLaReponse)
{
    demarre();
    dialogs.duree = 70;
    prefixe("JA");
    const double lat = 36 + 24 / 60.0, lon = 138 + 23 / 60.0;
    const auto [az, el] = luneVueDe(lat, lon, 70);
    const auto [az0, el0] = luneVueDe(lat, lon);
    ASSERT_GT(std::abs(az - az0) + std::abs(el - el0), 0.1);
    EXPECT_NEAR(fp().AffAzimDX->text().toDouble(), az, 0.011);
    EXPECT_NEAR(fp().AffElevDX->text().toDouble(), el, 0.011);
}

// A point clicked on the map's first pixel column (map x 0) or first pixel
// row (map y 0) is placed like any other: redrawn with the map and its
// values computed again at each period's redraw (UTC 09:01:31, second 91 of
// the 2-minute period), and erased when the next point is placed.
TEST_F(PointDXFenetre, PointSurLaPremiereColonneOuLaPremiereRangee)
{
    for (const QPoint clic : {QPoint(0, 60), QPoint(200, 0)}) {
        SCOPED_TRACE(testing::Message() << "click at " << clic.x() << "," << clic.y());
        demarre();
        suivi::Suivi& s = prog->S;
        QTest::mouseClick(fp().EMEWindow, Qt::LeftButton, {}, clic);
        ASSERT_TRUE(clic.x() == 0 ? s.CarteXDX == 0 : s.CarteYDX == 0);
        const int x = s.CarteXDX, y = s.CarteYDX;
        int16_t x0 = int16_t(x), y0 = int16_t(y);
        const double lat = astro::CarteYVersLatitude(y0), lon = astro::CarteXVersLongitude(x0) * 15;
        EXPECT_NEAR(fp().AffAzimDX->text().toDouble(), luneVueDe(lat, lon).first, 0.011);
        EXPECT_EQ(pixel(x, y), 0x0000FF);
        s.CourbeFenetreCommune.fill(1000);
        s.DeclinaisonCourbe = 0.3;
        s.HorizonComplet = true; // the redraw clears the map to draw the line
        horloge.set(QDateTime(QDate(2024, 6, 1), QTime(10, 1, 30)));
        prog->executer(1);
        horloge.set(QDateTime(QDate(2024, 6, 1), QTime(10, 1, 31)));
        prog->executer(1);
        ASSERT_FALSE(s.HorizonComplet) << "the map was redrawn";
        const auto [az, el] = luneVueDe(lat, lon, 91);
        EXPECT_NEAR(fp().AffAzimDX->text().toDouble(), az, 0.011);
        EXPECT_NEAR(fp().AffElevDX->text().toDouble(), el, 0.011);
        EXPECT_EQ(pixel(x, y), 0x0000FF);
        QTest::mouseClick(fp().EMEWindow, Qt::LeftButton, {}, QPoint(300, 80));
        EXPECT_EQ(pixel(x, y), 0xFFFFFF) << "the old mark is erased";
        TearDown();
    }
}

// Empty rows and lines without a TAB before the record do not hide it.
TEST_F(PointDXFenetre, BaseAvecLignesVides)
{
    ASSERT_TRUE(platform::testing::writeBytes(
        chemin("DXCCPREF.DBR"), "\r\n\t\t\t\t\t\t\t\r\nbroken line\r\nPY0S\tSt.Peter & Paul\t0\t55\tN\t29\t20\tW\r\n"));
    demarre();
    dialogs.clear();
    prefixe("py0s");
    EXPECT_TRUE(dialogs.messages().empty());
    EXPECT_NE(prog->S.CarteXDX, 0);
    EXPECT_EQ(prog->S.Aff.CadreDXCC, "DXCC : PY0S - St.Peter & Paul");
}

} // namespace
