// The station file: exact bytes of the writer, the reader's items and its
// read errors, the UTC offset shown after a load, and accepted file names.
#include "Corvinet/FichierStation.h"
#include "Outils.h"

#include <gtest/gtest.h>

#include <utility>

using corvinet::ActionLecture;
using corvinet::Champ;

namespace {

QStringList lignesFixture(const QString& nom)
{
    QString t = QString::fromLatin1(outils::readBytes(outils::fixture(nom)));
    QStringList l = t.split(QStringLiteral("\r\n"));
    if (!l.isEmpty() && l.last().isEmpty()) l.removeLast();
    return l;
}

QString joint(const QStringList& l) { return l.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n"); }

// The values the actions put into the window, without the boxes' filters.
corvinet::ValeursStation applique(const corvinet::LectureStation& lu)
{
    corvinet::ValeursStation v;
    for (const ActionLecture& a : lu.actions) {
        if (a.genre == ActionLecture::Genre::EffaceModes) {
            v[Champ::SpeedControl].clear();
            continue;
        }
        switch (corvinet::info(a.champ).sorte) {
        case corvinet::Sorte::SpeedControl:
        case corvinet::Sorte::Coche: v[a.champ] = QString::number(a.nombre); break;
        default: v[a.champ] = a.texte; break;
        }
    }
    return v;
}

} // namespace

TEST(FichierStation, WriterGivesTheExactBytesOfTheLayout)
{
    const QByteArray attendu = outils::readBytes(outils::fixture("station_port1.dat"));
    ASSERT_FALSE(attendu.isEmpty());
    EXPECT_EQ(corvinet::ecritureOctetsStation(outils::valeursPort1()), attendu);

    // A few facts of the layout checked apart from the fixture.
    const QStringList l = corvinet::ecritureLignesStation(outils::valeursPort1());
    ASSERT_EQ(l.size(), 99);
    const std::pair<int, const char*> lignes[] = {
        {0, "COORDONATES"}, {25, "PC INTERFACE"}, {42, "AZIMUT"}, {63, "ELEVATION"}, {84, "EME STATION"},
        {95, "Rx Bandwith:"}, {28, "Meas 8bits"}, {29, "Signal"}, {41, " 1"}, {62, " 0"}, {83, " 1"}, {98, "34.5"},
    };
    for (const auto& [i, texte] : lignes) EXPECT_EQ(l[i], texte) << "line index " << i;
    EXPECT_TRUE(attendu.endsWith("34.5\r\n"));
    EXPECT_EQ(attendu.count("\r\n"), 99);
    EXPECT_EQ(attendu.count('\n'), 99);
}

TEST(FichierStation, WriterMeasurementWordModeAndEmptyValues)
{
    corvinet::ValeursStation v = outils::valeursPort1();
    v[Champ::TypeMesure] = corvinet::LegendePolar;
    v[Champ::Lieu].clear();
    v[Champ::SpeedControl].clear(); // no option selected
    v[Champ::AzStop] = "1";
    const QStringList l = corvinet::ecritureLignesStation(v);
    EXPECT_EQ(l[29], "Polar");
    EXPECT_EQ(l[4], "");
    EXPECT_EQ(l[41], " 0");
    EXPECT_EQ(l[62], " 1");
    v[Champ::TypeMesure] = "signal meas.";
    EXPECT_EQ(corvinet::ecritureLignesStation(v)[29], "Polar");
}

TEST(FichierStation, ReadBackGivesEveryValueAndWritesTheSameBytes)
{
    for (const char* nom : {"station_port1.dat", "station_port0.dat"}) {
        SCOPED_TRACE(nom);
        const QByteArray brut = outils::readBytes(outils::fixture(nom));
        const corvinet::LectureStation lu = corvinet::lectureStation(QString::fromLatin1(brut));
        EXPECT_FALSE(lu.erreur);
        EXPECT_EQ(lu.items, 99);
        EXPECT_EQ(lu.actions.size(), size_t(corvinet::NbChamps + 1));
        EXPECT_EQ(corvinet::ecritureOctetsStation(applique(lu)), brut);

        // A file with bare LF line ends reads the same.
        QByteArray lf = brut;
        lf.replace("\r\n", "\n");
        EXPECT_EQ(corvinet::ecritureOctetsStation(applique(corvinet::lectureStation(QString::fromLatin1(lf)))), brut);
    }
    const corvinet::ValeursStation v =
        applique(corvinet::lectureStation(QString::fromLatin1(outils::readBytes(outils::fixture("station_port1.dat")))));
    for (const auto& info : corvinet::champs()) EXPECT_EQ(v[info.champ], outils::valeursPort1()[info.champ]) << info.nom;
}

TEST(FichierStation, DriveModeOptionsAreClearedWhenTheirLabelIsRead)
{
    const auto lu = corvinet::lectureStation(joint(lignesFixture("station_port1.dat")));
    size_t efface = 0, mode = 0;
    for (size_t i = 0; i < lu.actions.size(); ++i) {
        if (lu.actions[i].genre == ActionLecture::Genre::EffaceModes) efface = i;
        else if (lu.actions[i].champ == Champ::SpeedControl) mode = i;
    }
    EXPECT_EQ(lu.actions[efface - 1].champ, Champ::ManVit);
    EXPECT_EQ(mode, efface + 1);
    EXPECT_EQ(lu.actions[mode].nombre, 1);
}

// One line of the port-1 fixture replaced (or the file cut); what the reader makes of it.
struct CasLecture {
    const char* nom;
    int ligne;           // 1..99; 0 = none
    const char* texte;   // the new line; nullptr with ligne = 0 below
    int garder;          // lines kept (99 = all)
    bool erreur;
    Champ dernier;       // the last value put into the window
    QString valeurDernier; // its text or number
};

// The case's name names the test.
std::ostream& operator<<(std::ostream& o, const CasLecture& c) { return o << c.nom; }

class LectureErreurs : public ::testing::TestWithParam<CasLecture> {};

TEST_P(LectureErreurs, StopsAtTheFirstErrorKeepingWhatWasRead)
{
    const CasLecture& c = GetParam();
    QStringList l = lignesFixture("station_port1.dat");
    ASSERT_EQ(l.size(), 99);
    if (c.ligne > 0) l[c.ligne - 1] = QString::fromLatin1(c.texte);
    while (l.size() > c.garder) l.removeLast();
    const auto lu = corvinet::lectureStation(joint(l));
    EXPECT_EQ(lu.erreur, c.erreur);
    ASSERT_FALSE(lu.actions.empty());
    const ActionLecture& d = lu.actions.back();
    if (c.dernier == Champ::SpeedControl && c.valeurDernier.isEmpty()) {
        EXPECT_EQ(d.genre, ActionLecture::Genre::EffaceModes);
        return;
    }
    EXPECT_EQ(d.champ, c.dernier);
    const auto sorte = corvinet::info(d.champ).sorte;
    const QString v =
        (sorte == corvinet::Sorte::SpeedControl || sorte == corvinet::Sorte::Coche) ? QString::number(d.nombre) : d.texte;
    EXPECT_EQ(v, c.valeurDernier);
}

INSTANTIATE_TEST_SUITE_P(
    Cas, LectureErreurs,
    ::testing::Values(
        CasLecture{"complet", 0, nullptr, 99, false, Champ::Gain, "34.5"},
        CasLecture{"lignes98", 0, nullptr, 98, true, Champ::Band, "2500"},
        CasLecture{"lignes41", 0, nullptr, 41, true, Champ::SpeedControl, ""},
        CasLecture{"mode3", 42, "3", 99, true, Champ::SpeedControl, ""},
        CasLecture{"modeNegatif", 42, "-1", 99, true, Champ::SpeedControl, ""},
        CasLecture{"modeSansBlanc", 42, "2", 99, false, Champ::Gain, "34.5"},
        CasLecture{"formatMinuscule", 59, "bin", 99, true, Champ::RangAz, "360"},
        CasLecture{"uniteMinuscule", 61, "deg", 99, true, Champ::FormatAz, "BIN"},
        CasLecture{"formatElInconnu", 80, "BCX", 99, true, Champ::RangEl, "100"},
        CasLecture{"uniteElInconnue", 82, "Gr", 99, true, Champ::FormatEl, "BIN"},
        CasLecture{"cocheDeux", 63, " 2", 99, true, Champ::UniteAz, "Deg"},
        CasLecture{"cocheEnorme", 84, "99999999", 99, true, Champ::UniteEl, "Grd"}));

TEST(FichierStation, MeasurementWordIsCaseExact)
{
    QStringList l = lignesFixture("station_port1.dat");
    auto legende = [&](const char* mot) {
        l[29] = QString::fromLatin1(mot);
        for (const auto& a : corvinet::lectureStation(joint(l)).actions)
            if (a.genre == ActionLecture::Genre::Valeur && a.champ == Champ::TypeMesure) return a.texte;
        return QString();
    };
    EXPECT_EQ(legende("Signal"), "Signal meas.");
    EXPECT_EQ(legende("signal"), "Polar meas.");
    EXPECT_EQ(legende("Polar"), "Polar meas.");
}

TEST(FichierStation, ItemsServeEveryReaderByPosition)
{
    const QString t = QString::fromLatin1(outils::readBytes(outils::fixture("station_port1.dat")));
    // The tracking program reads 87 items; its last is the frequency.
    const QStringList track = corvinet::itemsStation(t, 87);
    ASSERT_EQ(track.size(), 87);
    EXPECT_EQ(track[86], "1296");
    EXPECT_EQ(track[2], "F6XYZ");
    EXPECT_EQ(track[41], "1"); // " 1": the blank before an item is skipped
    // The link-budget calculator looks for the section title, then reads the
    // seven values after it.
    const QStringList tout = corvinet::itemsStation(t);
    ASSERT_EQ(tout.size(), 99);
    EXPECT_EQ(tout.indexOf("EME STATION"), 84);
    EXPECT_EQ(tout.count("EME STATION"), 1);
    EXPECT_EQ(tout[98], "34.5");
}

TEST(FichierStation, UtcOffsetShownWithItsSign)
{
    const std::pair<const char*, const char*> cas[] = {
        {"2", "+ 2"}, {"0", "+ 0"}, {"9", "+ 9"}, {"12", "+12"}, {"14", "+14"},
        {"+ 2", "+ 2"}, {"+12", "+12"}, {"-5", "-5"}, {"-14", "-14"}, {"", ""},
    };
    for (const auto& [lu, affiche] : cas) EXPECT_EQ(corvinet::decalageAffiche(lu), affiche) << lu;
}

TEST(FichierStation, AcceptedFileNames)
{
    const std::pair<const char*, bool> cas[] = {
        {"home.dat", true},       {"ab.DAT", true},        {"x.dat", true},          {"12345678.dat", true},
        {".dat", false},          {"123456789.dat", false}, {"home.da", false},      {"home.txt", false},
        {"", false},              {"a/b.dat", false},      {"..\\a.dat", false},     {"c:ab.dat", false},
        {"a*b.dat", false},       {"a?.dat", false},       {"a\"b.dat", false},      {"a<b.dat", false},
        {"a>b.dat", false},       {"a|b.dat", false},
    };
    for (const auto& [nom, ok] : cas) EXPECT_EQ(corvinet::nomFichierAccepte(QString::fromLatin1(nom)), ok) << nom;
}

TEST(FichierStation, AbsentComparesWithoutCase)
{
    const QStringList liste{"Home.dat", "MyStation.DAT"};
    EXPECT_FALSE(corvinet::fichierAbsent(liste, "mystation.dat"));
    EXPECT_FALSE(corvinet::fichierAbsent(liste, "home.dat"));
    EXPECT_TRUE(corvinet::fichierAbsent(liste, "other.dat"));
    EXPECT_TRUE(corvinet::fichierAbsent({}, "home.dat"));
}
