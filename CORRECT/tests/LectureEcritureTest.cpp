// Correct's reading of a table with its checks and messages, and its saving
// under a station file's name.

#include <gtest/gtest.h>

#include "platform/testing/TestFiles.h"

#include <QDir>
#include <QTemporaryDir>

#include "CORRECT/LectureEcriture.h"
#include "platform/Dialogs.h"

using namespace correct;
using correction::TableCorrection;
using platform::Answer;
using platform::Icon;

using platform::testing::readBytes;
using platform::testing::writeBytes;

namespace {

// The lines of a good table whose record k holds az = k/10, el = -k/10.
QStringList lignesBonnes()
{
    QStringList l{"'[Azimuth value]    (Step=10deg)", "'Azimuth correction     (Max : +/- 5 deg)",
                  "'Elevation correction   (Max : +/- 5 deg)"};
    for (int k = 0; k < 36; ++k)
        l << QString("[%1]").arg(10 * k) << QString::number(k / 10.0) << QString::number(-k / 10.0);
    return l;
}

void ecrire(const QString& path, const QStringList& lignes)
{
    QByteArray octets;
    for (const QString& l : lignes)
        octets += l.toLatin1() + "\r\n";
    ASSERT_TRUE(writeBytes(path, octets));
}

const QString Echec = "Correction file failed";

std::vector<QString> textes(const platform::ScriptedDialogs& d)
{
    std::vector<QString> v;
    for (const auto& m : d.messages())
        v.push_back(m.text);
    return v;
}

} // namespace

TEST(LectureCorrection, GoodFileFillsTheGridAsRead)
{
    QTemporaryDir dir;
    QStringList l = lignesBonnes();
    l[4] = "5";       // az correction of record 0: the upper bound passes
    l[5] = "-5";      // and the lower one
    l[7] = "abc";     // reads as 0 and is shown as written
    l[8] = "";        // an empty line passes as 0
    l[9] = "[20.0]";
    l[12] = "[ 30]";
    ecrire(dir.filePath("home.tcv"), l);

    platform::ScriptedDialogs d;
    const ResultatLecture r = lireTableCorrection(dir.path(), "home.tcv", d);
    EXPECT_FALSE(r.echec);
    EXPECT_TRUE(d.events().empty());
    EXPECT_EQ(r.table[0], (correction::EnregistrementCorrection{"0", "5", "-5"}));
    EXPECT_EQ(r.table[1], (correction::EnregistrementCorrection{"10", "abc", ""}));
    EXPECT_EQ(r.table[2].azimut, "20");
    EXPECT_EQ(r.table[3].azimut, "30");
    EXPECT_EQ(r.table[35], (correction::EnregistrementCorrection{"350", "3.5", "-3.5"}));
}

// Every bad file ends on the default table; the messages tell what failed.
TEST(LectureCorrection, BadFilesShowTheirMessagesAndOpenTheDefaultTable)
{
    const QString NonLu = "home.tcv was not read !";
    struct Cas {
        const char* nom;
        std::function<void(QStringList&)> modifie;
        std::vector<QString> messages;
    };
    const std::vector<Cas> cas = {
        {"label of another azimuth", [](QStringList& l) { l[6] = "[20]"; }, {Echec}},
        {"label without brackets", [](QStringList& l) { l[6] = "10"; }, {Echec}},
        {"azimuth correction beyond +5", [](QStringList& l) { l[7] = "5.01"; }, {Echec}},
        {"elevation correction beyond -5", [](QStringList& l) { l[107] = "-7"; }, {Echec}},
        {"one record failing three times", [](QStringList& l) { l[9] = "[0]"; l[10] = "9"; l[11] = "-9"; },
         {Echec, Echec, Echec}},
        {"the record after a failing one is not read",
         [](QStringList& l) { l[18] = "[0]"; l[21] = "[0]"; }, {Echec}},
        {"only the comment lines", [](QStringList& l) { l = l.mid(0, 3); }, {NonLu}},
        {"ends inside a record", [](QStringList& l) { l = l.mid(0, 50); }, {NonLu}},
        {"label of one character", [](QStringList& l) { l[12] = "5"; }, {NonLu}},
        {"empty label line", [](QStringList& l) { l[12] = ""; }, {NonLu}},
        {"a failing record then the end", [](QStringList& l) { l[6] = "[99]"; l = l.mid(0, 8); }, {Echec, NonLu}},
    };
    for (const Cas& c : cas) {
        QTemporaryDir dir;
        QStringList l = lignesBonnes();
        c.modifie(l);
        ecrire(dir.filePath("home.tcv"), l);
        const QByteArray avant = readBytes(dir.filePath("home.tcv"));

        platform::ScriptedDialogs d;
        const ResultatLecture r = lireTableCorrection(dir.path(), "home.tcv", d);
        EXPECT_TRUE(r.echec) << c.nom;
        EXPECT_EQ(r.table, correction::tableParDefaut()) << c.nom;
        EXPECT_EQ(textes(d), c.messages) << c.nom;
        for (const auto& m : d.messages()) {
            EXPECT_EQ(m.icon, Icon::Critical) << c.nom;
            EXPECT_EQ(m.buttons, platform::Buttons::Ok) << c.nom;
            EXPECT_EQ(m.title, m.text == Echec ? "Selvane : Correction values" : "Selvane : Read Error") << c.nom;
        }
        EXPECT_EQ(readBytes(dir.filePath("home.tcv")), avant) << c.nom << ": the file on disk is never changed";
    }
}

TEST(LectureCorrection, FirstRecordAcceptsAnyTwoCharacterLabelAndExtraLinesAreIgnored)
{
    QTemporaryDir dir;
    QStringList l = lignesBonnes();
    l[3] = "[]";
    l << "garbage" << "[360]" << "99";
    ecrire(dir.filePath("home.tcv"), l);
    platform::ScriptedDialogs d;
    const ResultatLecture r = lireTableCorrection(dir.path(), "home.tcv", d);
    EXPECT_FALSE(r.echec);
    EXPECT_TRUE(d.events().empty());
    EXPECT_EQ(r.table[0].azimut, "0");
}

TEST(LectureCorrection, MissingFileAndFileOfAnotherCase)
{
    QTemporaryDir dir;
    platform::ScriptedDialogs d;
    ResultatLecture r = lireTableCorrection(dir.path(), "home.tcv", d);
    EXPECT_TRUE(r.echec);
    EXPECT_EQ(textes(d), std::vector<QString>{"home.tcv was not read !"});

    ecrire(dir.filePath("HOME.TCV"), lignesBonnes());
    d.clear();
    r = lireTableCorrection(dir.path(), "home.tcv", d);
    EXPECT_FALSE(r.echec);
    EXPECT_EQ(r.table[12].correctionAz, "1.2");
}

TEST(LectureCorrection, RoundTripOfAWrittenTable)
{
    QTemporaryDir dir;
    TableCorrection t = correction::tableParDefaut();
    t[3].correctionAz = "-4.25";
    t[20].correctionEl = "";
    ASSERT_TRUE(correction::ecrireFichierCorrection(dir.filePath("a.tcv"), t));
    platform::ScriptedDialogs d;
    const ResultatLecture r = lireTableCorrection(dir.path(), "a.tcv", d);
    ASSERT_FALSE(r.echec);
    EXPECT_EQ(r.table[3].correctionAz, "-4.25");
    EXPECT_EQ(r.table[20].correctionEl, "");
    EXPECT_EQ(r.table[4].correctionAz, "0");
    // Written again, the table gives the same bytes.
    ASSERT_TRUE(correction::ecrireFichierCorrection(dir.filePath("b.tcv"), r.table));
    EXPECT_EQ(readBytes(dir.filePath("a.tcv")), readBytes(dir.filePath("b.tcv")));
}

class SauvegardeCorrection : public ::testing::Test {
protected:
    QTemporaryDir dir;
    platform::ScriptedDialogs d;
    TableCorrection table = correction::tableParDefaut();

    void SetUp() override
    {
        table[0].correctionAz = "1.5";
        ecrire(dir.filePath("home.dat"), {"station"});
        ecrire(dir.filePath("dx.dat"), {"station"});
    }
    // Every file but the station files: tables and anything a save left behind.
    QStringList tables() const
    {
        QStringList l = QDir(dir.path()).entryList(QDir::Files | QDir::Hidden, QDir::Name);
        l.removeIf([](const QString& n) { return n.endsWith(".dat", Qt::CaseInsensitive); });
        return l;
    }
    int questions() const
    {
        int n = 0;
        for (const auto& m : d.messages())
            if (m.text == "Replace the old file ?") {
                EXPECT_EQ(m.title, "- TCV Editor -");
                EXPECT_EQ(m.buttons, platform::Buttons::YesNo);
                EXPECT_EQ(m.icon, Icon::Exclamation);
                ++n;
            }
        return n;
    }
};

TEST_F(SauvegardeCorrection, TwoStationNamesWriteTwoFilesAndAskOnlyWhenOneExists)
{
    ResultatSauvegarde r = sauverTableCorrection(dir.path(), "home.dat", table, d);
    EXPECT_EQ(r.etat, Sauvegarde::Ecrite);
    EXPECT_EQ(r.fichierTCV, "home.tcv");
    r = sauverTableCorrection(dir.path(), "dx.dat", table, d);
    EXPECT_EQ(r.etat, Sauvegarde::Ecrite);
    EXPECT_EQ(r.fichierTCV, "dx.tcv");
    EXPECT_EQ(questions(), 0);
    EXPECT_EQ(tables(), (QStringList{"dx.tcv", "home.tcv"}));
    EXPECT_EQ(readBytes(dir.filePath("dx.tcv")), readBytes(dir.filePath("home.tcv")));

    // Saving again asks; Yes replaces.
    table[0].correctionAz = "-2";
    d.queueAnswer(Answer::Yes);
    r = sauverTableCorrection(dir.path(), "home.dat", table, d);
    EXPECT_EQ(r.etat, Sauvegarde::Ecrite);
    EXPECT_EQ(questions(), 1);
    EXPECT_TRUE(readBytes(dir.filePath("home.tcv")).contains("[0]\r\n-2\r\n"));
}

TEST_F(SauvegardeCorrection, NoLeavesTheOldFileUnchanged)
{
    ASSERT_EQ(sauverTableCorrection(dir.path(), "home.dat", table, d).etat, Sauvegarde::Ecrite);
    const QByteArray avant = readBytes(dir.filePath("home.tcv"));
    table[0].correctionAz = "3";
    d.queueAnswer(Answer::No);
    EXPECT_EQ(sauverTableCorrection(dir.path(), "home.dat", table, d).etat, Sauvegarde::Refusee);
    EXPECT_EQ(questions(), 1);
    EXPECT_EQ(readBytes(dir.filePath("home.tcv")), avant);
}

TEST_F(SauvegardeCorrection, ExistingTableIsFoundWhateverItsCase)
{
    ecrire(dir.filePath("HOME.TCV"), {"old"});
    d.queueAnswer(Answer::Yes);
    const ResultatSauvegarde r = sauverTableCorrection(dir.path(), "home.dat", table, d);
    EXPECT_EQ(r.etat, Sauvegarde::Ecrite);
    EXPECT_EQ(questions(), 1);
    EXPECT_EQ(r.fichierTCV, "HOME.TCV") << "the replaced file keeps its name";
    EXPECT_EQ(tables(), QStringList{"HOME.TCV"});
    EXPECT_TRUE(readBytes(dir.filePath("HOME.TCV")).startsWith("'[Azimuth value]"));
}

TEST_F(SauvegardeCorrection, NameFollowsTheStationFilesRealName)
{
    ecrire(dir.filePath("MOON.DAT"), {"station"});
    ResultatSauvegarde r = sauverTableCorrection(dir.path(), "MOON.DAT", table, d);
    EXPECT_EQ(r.fichierTCV, "MOON.tcv");
    // A name given in another case than the file on disk gives the same table.
    d.queueAnswer(Answer::Yes);
    r = sauverTableCorrection(dir.path(), "moon.dat", table, d);
    EXPECT_EQ(r.etat, Sauvegarde::Ecrite);
    EXPECT_EQ(r.fichierTCV, "MOON.tcv");
    EXPECT_EQ(questions(), 1);
    EXPECT_TRUE(tables().contains("MOON.tcv"));
    EXPECT_FALSE(tables().contains("moon.tcv"));
}

TEST_F(SauvegardeCorrection, FailedWriteKeepsTheOldTableWhole)
{
    ASSERT_EQ(sauverTableCorrection(dir.path(), "home.dat", table, d).etat, Sauvegarde::Ecrite);
    const QByteArray avant = readBytes(dir.filePath("home.tcv"));
    table[5].correctionEl = "-4";
    for (platform::SaveFaults f : {platform::SaveFaults{200, false}, platform::SaveFaults{-1, true}}) {
        d.clear();
        d.queueAnswer(Answer::Yes);
        const ResultatSauvegarde r = sauverTableCorrection(dir.path(), "home.dat", table, d, f);
        EXPECT_EQ(r.etat, Sauvegarde::Erreur);
        const auto m = d.messages();
        ASSERT_EQ(m.size(), 2u);
        EXPECT_EQ(m[1].text, "Write Error : home.tcv was not saved !");
        EXPECT_EQ(m[1].title, "Selvane - TCV Editor");
        EXPECT_EQ(m[1].icon, Icon::Critical);
        EXPECT_EQ(readBytes(dir.filePath("home.tcv")), avant);
        EXPECT_EQ(tables(), QStringList{"home.tcv"}) << "no temporary file left behind";
    }
}
