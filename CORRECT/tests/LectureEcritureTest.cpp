// Correct's reading of a table with its checks and messages, and its saving
// under a station file's name.

#include <gtest/gtest.h>

#include "platform/testing/TestFiles.h"

#include <QDir>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <functional>
#include <string>

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

namespace {

// The failure message: its first line, one line per failing item, and what
// the grid shows.
QString echec(std::initializer_list<const char*> lignes)
{
    QString m = Echec + "\r";
    for (const char* l : lignes)
        m += "\r" + QString::fromLatin1(l);
    return m + "\r\rShown as 0: each correction that failed, and the whole record where the label failed. "
               "home.tcv stays as it is unless you save.";
}

// The table a good file gives, with records or cells of `defauts` as in the
// default table: {k, 0} the whole record, {k, 1} its azimuth correction,
// {k, 2} its elevation correction; records from `finLecture` on never read.
TableCorrection tableAttendue(std::vector<std::pair<int, int>> defauts, int finLecture = 36)
{
    TableCorrection t = correction::tableParDefaut();
    for (int k = 0; k < finLecture; ++k)
        t[k] = {QString::number(10 * k), QString::number(k / 10.0), QString::number(-k / 10.0)};
    for (auto [k, c] : defauts) {
        if (c != 2)
            t[k].correctionAz = " 0";
        if (c != 1)
            t[k].correctionEl = " 0";
    }
    return t;
}

// A table as one readable text, "azimuth|az|el" per record, for comparisons
// that show what differs.
std::string enTexte(const TableCorrection& t)
{
    std::string s;
    for (const auto& e : t)
        s += (e.azimut + '|' + e.correctionAz + '|' + e.correctionEl + '\n').toStdString();
    return s;
}

std::vector<std::string> textesStd(const platform::ScriptedDialogs& d)
{
    std::vector<std::string> v;
    for (const auto& m : d.messages())
        v.push_back(m.text.toStdString());
    return v;
}

std::vector<std::string> enStd(const std::vector<QString>& v)
{
    std::vector<std::string> r;
    for (const QString& s : v)
        r.push_back(s.toStdString());
    return r;
}

} // namespace

// A bad item costs only itself (or its record, for a label): every record
// that reads well is kept, and one message names each failure by azimuth,
// line and text. The file on disk is never changed by reading it.
TEST(LectureCorrection, BadFilesKeepEveryRecordThatReadsWellAndNameWhatFailed)
{
    struct Cas {
        const char* nom;
        std::function<void(QStringList&)> modifie;
        std::vector<QString> messages;
        TableCorrection table;
    };
    const std::vector<Cas> cas = {
        {"azimuth correction beyond +5", [](QStringList& l) { l[7] = "5.01"; },
         {echec({"Azimuth 10, line 8: azimuth correction \"5.01\""})}, tableAttendue({{1, 1}})},
        {"label of another azimuth", [](QStringList& l) { l[6] = "[20]"; },
         {echec({"Azimuth 10, line 7: label \"[20]\""})}, tableAttendue({{1, 0}})},
        {"label without brackets", [](QStringList& l) { l[6] = "10"; },
         {echec({"Azimuth 10, line 7: label \"10\""})}, tableAttendue({{1, 0}})},
        {"label of one character", [](QStringList& l) { l[12] = "5"; },
         {echec({"Azimuth 30, line 13: label \"5\""})}, tableAttendue({{3, 0}})},
        {"empty label line", [](QStringList& l) { l[12] = ""; },
         {echec({"Azimuth 30, line 13: label \"\""})}, tableAttendue({{3, 0}})},
        {"elevation correction beyond -5", [](QStringList& l) { l[107] = "-7"; },
         {echec({"Azimuth 340, line 108: elevation correction \"-7\""})}, tableAttendue({{34, 2}})},
        {"one record failing three times",
         [](QStringList& l) {
             l[9] = "[0]";
             l[10] = "9";
             l[11] = "-9";
         },
         {echec({"Azimuth 20, line 10: label \"[0]\"", "Azimuth 20, line 11: azimuth correction \"9\"",
                 "Azimuth 20, line 12: elevation correction \"-9\""})},
         tableAttendue({{2, 0}})},
        {"two failing records, both named",
         [](QStringList& l) {
             l[18] = "[0]";
             l[94] = "12";
         },
         {echec({"Azimuth 50, line 19: label \"[0]\"", "Azimuth 300, line 95: azimuth correction \"12\""})},
         tableAttendue({{5, 0}, {30, 1}})},
        {"only the comment lines", [](QStringList& l) { l = l.mid(0, 3); },
         {"home.tcv was not read !\r\rIt ends at line 3: the records from azimuth 0 on show 0."},
         correction::tableParDefaut()},
        {"ends inside a record", [](QStringList& l) { l = l.mid(0, 50); },
         {"home.tcv was not read !\r\rIt ends at line 50: the records from azimuth 150 on show 0."},
         tableAttendue({}, 15)},
        {"a failing record then the end",
         [](QStringList& l) {
             l[3] = "[99]";
             l = l.mid(0, 8);
         },
         {echec({"Azimuth 0, line 4: label \"[99]\""}),
          "home.tcv was not read !\r\rIt ends at line 8: the records from azimuth 10 on show 0."},
         tableAttendue({{0, 0}}, 1)},
        {"empty file", [](QStringList& l) { l.clear(); },
         {"home.tcv was not read !\r\rThe file is empty: every record shows 0."}, correction::tableParDefaut()},
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
        EXPECT_EQ(enTexte(r.table), enTexte(c.table)) << c.nom;
        EXPECT_EQ(textesStd(d), enStd(c.messages)) << c.nom;
        for (const auto& m : d.messages()) {
            EXPECT_EQ(m.icon, Icon::Critical) << c.nom;
            EXPECT_EQ(m.buttons, platform::Buttons::Ok) << c.nom;
            EXPECT_EQ(m.title, m.text.startsWith(Echec) ? "Selvane : Correction values" : "Selvane : Read Error")
                << c.nom;
        }
        EXPECT_EQ(readBytes(dir.filePath("home.tcv")), avant) << c.nom << ": the file on disk is never changed";
    }
}

// A file wrong throughout (every azimuth correction 9) names the first twelve
// failures and counts the rest, so the message stays on the screen.
TEST(LectureCorrection, ManyFailuresNameTwelveAndCountTheRest)
{
    QTemporaryDir dir;
    QStringList l = lignesBonnes();
    for (int k = 0; k < 36; ++k)
        l[4 + 3 * k] = "9";
    ecrire(dir.filePath("home.tcv"), l);
    platform::ScriptedDialogs d;
    const ResultatLecture r = lireTableCorrection(dir.path(), "home.tcv", d);
    ASSERT_EQ(d.messages().size(), 1u);
    const QStringList lignes = d.messages()[0].text.split('\r');
    EXPECT_EQ(lignes.filter(QRegularExpression("^Azimuth \\d+, line \\d+: azimuth correction \"9\"$")).size(), 12);
    EXPECT_TRUE(lignes.contains("Azimuth 110, line 38: azimuth correction \"9\""));
    EXPECT_TRUE(lignes.contains("... and 24 more"));
    EXPECT_EQ(r.table[35].correctionEl, "-3.5"); // the elevations read well
    EXPECT_EQ(r.table[35].correctionAz, " 0");
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
    // The replace questions asked; each names `fichier`, the table it replaces.
    int questions(const QString& fichier = "home.tcv") const
    {
        int n = 0;
        for (const auto& m : d.messages())
            if (m.text.startsWith("Replace the old file")) {
                EXPECT_EQ(m.text, "Replace the old file " + fichier + " ?");
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
    EXPECT_EQ(questions("HOME.TCV"), 1);
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
    EXPECT_EQ(questions("MOON.tcv"), 1);
    EXPECT_TRUE(tables().contains("MOON.tcv"));
    EXPECT_FALSE(tables().contains("moon.tcv"));
}

TEST_F(SauvegardeCorrection, FailedWriteKeepsTheOldTableWhole)
{
    ASSERT_EQ(sauverTableCorrection(dir.path(), "home.dat", table, d).etat, Sauvegarde::Ecrite);
    const QByteArray avant = readBytes(dir.filePath("home.tcv"));
    table[5].correctionEl = "-4";
    const struct {
        platform::SaveFaults fautes;
        const char* raison;
    } cas[] = {{{200, false}, "No space left on the disk."}, {{-1, true}, "The disk reported an input/output error."}};
    for (const auto& c : cas) {
        SCOPED_TRACE(c.raison);
        d.clear();
        d.queueAnswer(Answer::Yes);
        const ResultatSauvegarde r = sauverTableCorrection(dir.path(), "home.dat", table, d, c.fautes);
        EXPECT_EQ(r.etat, Sauvegarde::Erreur);
        const auto m = d.messages();
        ASSERT_EQ(m.size(), 2u);
        EXPECT_EQ(m[1].text, QStringLiteral("Write Error : home.tcv was not saved !\r%1\rThe old file is unchanged.")
                                 .arg(c.raison));
        EXPECT_EQ(m[1].title, "Selvane - TCV Editor");
        EXPECT_EQ(m[1].icon, Icon::Critical);
        EXPECT_EQ(readBytes(dir.filePath("home.tcv")), avant);
        EXPECT_EQ(tables(), QStringList{"home.tcv"}) << "no temporary file left behind";
    }
}
