// The compiled database of the default station folder: it loads as the
// editor reads it, every record passes the editor's own field rules, the
// order is the one the ordered insert needs, and well-known prefixes lie
// where they should (positions from an atlas, within half a degree to a few
// degrees: the file holds one reference point per entity).

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <set>

#include "DXCC/BaseDXCC.h"
#include "DXCC/FiltresChamps.h"
#include "DXCC/PositionCarte.h"
#include "platform/testing/SourceDir.h"

using namespace dxcc;

namespace {

QString dossierStation()
{
    return platform::testing::sourcePath(QStringLiteral("station"));
}

class BaseCompilee : public ::testing::Test {
protected:
    void SetUp() override
    {
        lecture = lireBaseDXCC(dossierStation());
        ASSERT_FALSE(lecture.erreur) << dossierStation().toStdString();
    }
    LectureDXCC lecture;
};

TEST_F(BaseCompilee, EveryRecordPassesTheEditorsFieldRules)
{
    EXPECT_GE(lecture.lignes.size(), 330u);
    EXPECT_LE(lecture.lignes.size(), 350u);
    const Champ champs[] = {Champ::Indic, Champ::Lieu, Champ::LatDeg, Champ::LatMin,
                            Champ::LatSig, Champ::LonDeg, Champ::LonMin, Champ::LonSig};
    for (const Enregistrement& e : lecture.lignes) {
        SCOPED_TRACE(ligneDeChamps(e).toStdString());
        for (int k = 0; k < NombreChamps; ++k) {
            // Not empty (O.K. would refuse it), and left as it is by its filter.
            EXPECT_FALSE(e[k].isEmpty());
            const ResultatFiltre r = filtrerChamp(champs[k], e[k]);
            EXPECT_EQ(r.texte, e[k]);
            EXPECT_NE(r.focus, Focus::SurLeChamp);
        }
        EXPECT_FALSE(e[1].contains(QChar(',')));
        EXPECT_EQ(e[0], e[0].toUpper());
        EXPECT_TRUE(e[4] == QStringLiteral("N") || e[4] == QStringLiteral("S"));
        EXPECT_TRUE(e[7] == QStringLiteral("E") || e[7] == QStringLiteral("W"));
        EXPECT_LE(e[5].toInt() * 60 + e[6].toInt(), 180 * 60);
    }
}

TEST_F(BaseCompilee, SortedUniqueAndFoundByTheOrderedInsert)
{
    const std::vector<Enregistrement>& l = lecture.lignes;
    for (size_t i = 1; i < l.size(); ++i)
        EXPECT_LT(comparePrefixes(l[i - 1][0], l[i][0]), 0) << l[i - 1][0].toStdString() << " " << l[i][0].toStdString();
    // As the editor's list: the header in row 0, the records after it. The
    // bisection must land on every existing prefix, typed in lower case too.
    auto cellule = [&](int r) { return r == 0 ? QStringLiteral("Prefix") : l[size_t(r - 1)][0]; };
    for (const Enregistrement& e : l) {
        const Bisection b = bisection(cellule, int(l.size()) + 1, e[0].toLower());
        EXPECT_TRUE(b.trouve) << e[0].toStdString();
    }
    std::set<QString> vus;
    for (const Enregistrement& e : l)
        EXPECT_TRUE(vus.insert(e[0].toUpper()).second) << e[0].toStdString();
}

struct Repere {
    const char* prefixe;
    const char* nom;
    double latitude, longitude, tolerance; // degrees, north and east positive
};

TEST_F(BaseCompilee, WellKnownPrefixesLieWhereTheyShould)
{
    const Repere reperes[] = {
        {"f", "France", 46.5, 2.5, 2},        // lower case finds "F"
        {"G", "England", 52.5, -1.5, 1.5},
        {"K", "United States", 38, -95, 6},
        {"JA", "Japan", 36, 138, 3},
        {"VK", "Australia", -25, 134, 5},
        {"ZL", "New Zealand", -41, 174, 3},
        {"PY", "Brazil", -10, -53, 8},
        {"ZS", "South Africa", -29, 25, 4},
        {"KH6", "Hawaii", 21, -157, 2},
        {"VP8/G", "South Georgia", -54.4, -36.6, 1},
        {"3D2/C", "Conway Reef", -21.7, 174.6, 1},
        {"CE9", "Antarctica", -89.9, 0, 1},
    };
    for (const Repere& r : reperes) {
        SCOPED_TRACE(r.prefixe);
        const RechercheDXCC trouve = rechercherPrefixe(dossierStation(), QString::fromLatin1(r.prefixe));
        ASSERT_EQ(trouve.etat, RechercheDXCC::Etat::Trouve);
        const std::optional<PositionDXCC> p = decoderEnregistrement(trouve.ligne);
        ASSERT_TRUE(p);
        EXPECT_EQ(p->Lieu, QString::fromLatin1(r.nom));
        EXPECT_NEAR(p->latitude, r.latitude, r.tolerance);
        EXPECT_NEAR(p->longitude, r.longitude, r.tolerance);
    }
}

TEST_F(BaseCompilee, EveryEntityLiesOnTheMapPicture)
{
    for (const Enregistrement& e : lecture.lignes) {
        const PointCarte p = positionSurCarte({e[2], e[3], e[4], e[5], e[6], e[7]});
        ASSERT_EQ(p.boiteVide, -1);
        EXPECT_TRUE(p.surCarte);
        EXPECT_GE(p.x, 0) << e[0].toStdString();
        EXPECT_LE(p.x, 5670) << e[0].toStdString();
        EXPECT_GE(p.y, 0);
        EXPECT_LE(p.y, 2770);
    }
}

} // namespace
