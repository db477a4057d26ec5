// The printed reports on a recording printer, and one real PDF read back.

#include "Planner/Rapport.h"
#include "platform/Dialogs.h"
#include "platform/widgets/Printer.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace planner;

namespace {

ContenuTable tableLune(int lignes) {
    ContenuTable t;
    t.caption = "Sat 12-05-2001 from 00:00 to 23:50 UTC";
    t.Entete = {"F1ABC", "Paris", "Lat : 48.850 N", "Long : 2.350 E", "Frequency :  144 MHz",
                "Moon Decl. : 10.0 to 12.0 deg", "Extra loss/perigee : 1.2 dB", "144 MHz sky temp. : 300 to 310 °K"};
    for (int r = 0; r < lignes; ++r)
        t.lignes.push_back({"00:00", "01:00", "123.45", "12.34", "-250", "10.00", "-5.00", "1.00", "2.00"});
    QImage icone(32, 32, QImage::Format_RGB32);
    icone.fill(Qt::white);
    icone.setPixel(0, 0, qRgb(0, 0, 0));
    icone.setPixel(31, 31, qRgb(0, 0, 0));
    icone.setPixel(5, 5, qRgb(10, 10, 10)); // dark grey: not printed
    t.icones = {icone, icone, icone};
    return t;
}

int compte(const QStringList& ops, const QString& debut) {
    int n = 0;
    for (const QString& o : ops)
        n += o.startsWith(debut);
    return n;
}

TEST(Rapport, PageTropEtroite) {
    platform::ScriptedDialogs d;
    platform::RecordingPrinter p(11906, 16838, 8499, 16000);
    ImprimePrevision(p, d, tableLune(3));
    EXPECT_TRUE(p.operations().isEmpty());
    ASSERT_EQ(d.messages().size(), 1u);
    EXPECT_EQ(d.messages()[0].text, "The pagewidth is too narrow !");
    EXPECT_EQ(d.messages()[0].title, "Planner - Printer");
    EXPECT_EQ(d.messages()[0].icon, platform::Icon::Exclamation);
    platform::RecordingPrinter q(11906, 16838, 8500, 16000);
    ImprimePrevision(q, d, tableLune(0));
    EXPECT_EQ(q.documents(), 1);
}

TEST(Rapport, LunePremierePageSansNumero) {
    platform::ScriptedDialogs d;
    platform::RecordingPrinter p;
    ImprimePrevision(p, d, tableLune(2));
    const QStringList& ops = p.operations();
    ASSERT_FALSE(ops.isEmpty());
    EXPECT_TRUE(ops[0].startsWith("text ")) << ops[0].toStdString();
    EXPECT_TRUE(ops[0].endsWith("|Moon Location for|"));
    EXPECT_TRUE(ops[0].contains(" 1 1 |")); // bold and underlined
    EXPECT_TRUE(ops[1].endsWith("|Sat 12-05-2001 from 00:00 to 23:50 UTC|"));
    EXPECT_EQ(compte(ops, "newpage"), 0);
    EXPECT_EQ(ops.last(), "enddoc");
    // Two black pixels per icon, three icons; the grey one is not printed.
    EXPECT_EQ(compte(ops, "fill"), 6);
    // The first row at layout y 2350 (1000 below the printable top: 3350).
    const QString ligne = "text " + QString::number(int((8280 - 11906) / 2.0 * -1 + 0.5) - 0);
    bool trouve = false;
    for (const QString& o : ops)
        if (o.endsWith("|" + TexteLigne(tableLune(1).lignes[0]) + "|")) {
            EXPECT_TRUE(o.contains(" 3350 ")) << o.toStdString();
            trouve = true;
            break;
        }
    EXPECT_TRUE(trouve);
    (void)ligne;
}

TEST(Rapport, DeuxPagesNumeroteesEtEntetesRepetees) {
    platform::ScriptedDialogs d;
    platform::RecordingPrinter p;
    ImprimePrevision(p, d, tableLune(80));
    const QStringList& ops = p.operations();
    ASSERT_EQ(compte(ops, "newpage"), 1);
    EXPECT_EQ(compte(ops, "text"), compte(ops, "text") ); // sanity
    // Page numbers " 1" before the new page and " 2" at the end, both at x 4140 of the layout.
    int iPage = int(ops.indexOf("newpage"));
    EXPECT_TRUE(ops[iPage - 1].endsWith("| 1|")) << ops[iPage - 1].toStdString();
    EXPECT_TRUE(ops[ops.size() - 2].endsWith("| 2|")) << ops[ops.size() - 2].toStdString();
    // Title lines and the heading block again on page 2, the station block not.
    EXPECT_TRUE(ops[iPage + 1].endsWith("|Moon Location for|"));
    int homeStation = 0;
    for (const QString& o : ops)
        homeStation += o.endsWith("|Home Station|");
    EXPECT_EQ(homeStation, 1);
    EXPECT_EQ(compte(ops, "fill"), 12);
}

// Fault: rows that end exactly at a page's end followed by a day's blank
// separator row printed a last page of headings and a blank row. Blank rows
// after the last row with text start no page; a row with text after them does.
TEST(Rapport, PasDePageSansLigneDeTable) {
    platform::ScriptedDialogs d;
    // The rows that fill the first page.
    platform::RecordingPrinter longue;
    ImprimePrevision(longue, d, tableLune(120));
    const QStringList ops = longue.operations();
    const QString ligne = "|" + TexteLigne(tableLune(1).lignes[0]) + "|";
    int premiere = 0;
    for (int i = 0; i < int(ops.indexOf("newpage")); ++i)
        premiere += ops[i].endsWith(ligne);
    ASSERT_GT(premiere, 10);

    const QStringList blanche(9, QString());
    ContenuTable t = tableLune(premiere);
    t.lignes.push_back(blanche);
    t.lignes.push_back(blanche);
    platform::RecordingPrinter p;
    ImprimePrevision(p, d, t);
    EXPECT_EQ(compte(p.operations(), "newpage"), 0);
    EXPECT_EQ(p.operations().filter(ligne).size(), premiere);

    // A row with text after the blank rows: the page breaks and holds it.
    t.lignes.push_back(tableLune(1).lignes[0]);
    platform::RecordingPrinter q;
    ImprimePrevision(q, d, t);
    const QStringList& o = q.operations();
    ASSERT_EQ(compte(o, "newpage"), 1);
    EXPECT_EQ(o.mid(int(o.indexOf("newpage"))).filter(ligne).size(), 1);
}

TEST(Rapport, CommunSansLigneLunePourUneAutreSource) {
    platform::ScriptedDialogs d;
    platform::RecordingPrinter p;
    ContenuTable t = tableLune(1);
    t.Entete << "DX" << "Station" << "Lat: 40.700 N" << "Long: 74.000 W";
    t.EtiqSource1 = "Sun";
    t.EtiqNomSource = "Sun";
    ImprimePrevisionCommune(p, d, t);
    const QStringList& ops = p.operations();
    EXPECT_TRUE(ops[0].endsWith("|Sun Common Window for|"));
    const QString tout = ops.join('\n');
    EXPECT_FALSE(tout.contains("Extra loss"));
    EXPECT_TRUE(tout.contains("|DX Station|"));
    EXPECT_TRUE(tout.contains("|Long: 74.000 W|"));
    EXPECT_EQ(compte(ops, "fill"), 2); // only the clock icon
    t.EtiqSource1 = "Moon";
    p.clear();
    t.EtiqNomSource = "Moon";
    ImprimePrevisionCommune(p, d, t);
    EXPECT_TRUE(p.operations().join('\n').contains("Extra loss"));
}

TEST(Rapport, ChampsDeLigne) {
    EXPECT_EQ(TexteLigne({"13:40", "14:40", "1.00", "", "1234567890", "a", "b", "c", "d"}),
              " 13:40  14:40    1.00        12345678       a       b       c       d");
    EXPECT_EQ(TexteLigne({"1234567", "12345678"}).left(13), "1234561234567");
}

TEST(Rapport, PdfRelu) {
    QTemporaryDir dir;
    platform::ScriptedDialogs d;
    platform::QtPrinter::Options o;
    o.forcePdf = true;
    o.pdfPath = dir.filePath("lune.pdf");
    platform::QtPrinter p(d, o);
    ImprimePrevision(p, d, tableLune(3));
    ASSERT_TRUE(QFile::exists(o.pdfPath));
    QProcess pdf;
    pdf.start("pdftotext", {"-layout", o.pdfPath, "-"});
    ASSERT_TRUE(pdf.waitForFinished(20000));
    const QString texte = QString::fromUtf8(pdf.readAllStandardOutput());
    EXPECT_TRUE(texte.contains("Moon Location for"));
    EXPECT_TRUE(texte.contains("Sat 12-05-2001 from 00:00 to 23:50 UTC"));
    EXPECT_TRUE(texte.contains("Home Station"));
    EXPECT_TRUE(texte.contains("123.45"));
}

// Words of a PDF with their left and right edges in twips from the page's
// left edge (pdftotext -bbox), in reading order.
struct Mot {
    QString texte;
    double gauche, droite, haut;
};
std::vector<Mot> motsPdf(const QString& chemin) {
    QProcess pdf;
    pdf.start("pdftotext", {"-bbox", chemin, "-"});
    if (!pdf.waitForFinished(20000))
        return {};
    const QString html = QString::fromUtf8(pdf.readAllStandardOutput());
    static const QRegularExpression mot(
        R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="[\d.]+">([^<]*)</word>)re");
    std::vector<Mot> mots;
    for (auto m = mot.globalMatch(html); m.hasNext();) {
        const auto x = m.next();
        mots.push_back({x.captured(4), x.captured(1).toDouble() * 20, x.captured(3).toDouble() * 20,
                        x.captured(2).toDouble() * 20});
    }
    return mots;
}

// The rows stand under their heading columns on paper, whatever fixed-pitch
// face is installed: each field ends exactly where its 6, 7 or 8 characters
// of 120 twips end, and the row spans the 8280-twip heading block.
TEST(Rapport, PdfLignesSousLeursColonnes) {
    QTemporaryDir dir;
    platform::ScriptedDialogs d;
    platform::QtPrinter::Options o;
    o.pdfPath = dir.filePath("colonnes.pdf");
    platform::QtPrinter p(d, o);
    ContenuTable t = tableLune(0);
    t.lignes.push_back({"23:59", "00:59", "359.99", "-89.99", "-12345", "123.45", "-12.34", "234.56", "-45.67"});
    ImprimePrevision(p, d, t);
    const std::vector<Mot> mots = motsPdf(o.pdfPath);
    ASSERT_FALSE(mots.empty());
    // Layout x 0: the heading "Local" starts at layout x 960.
    auto premier = [&](const QString& texte) {
        for (const Mot& m : mots)
            if (m.texte == texte)
                return m;
        return Mot{};
    };
    const double origine = premier("Local").gauche - 960;
    ASSERT_GT(origine, 0);
    // Row fields end after 6, 13, 21, ... 69 characters.
    const int fin[9] = {6, 13, 21, 29, 37, 45, 53, 61, 69};
    for (int c = 0; c < 9; ++c) {
        const Mot m = premier(t.lignes[0][c]);
        ASSERT_FALSE(m.texte.isEmpty()) << t.lignes[0][c].toStdString();
        EXPECT_NEAR(m.droite - origine, fin[c] * 120, 4) << m.texte.toStdString();
        EXPECT_NEAR(m.gauche - origine, (fin[c] - m.texte.size()) * 120, 4) << m.texte.toStdString();
    }
    // The column headings stand at their places too.
    EXPECT_NEAR(premier("Cold").gauche - origine, 6960, 4);
    EXPECT_NEAR(premier("Elev").gauche - origine, 2880, 4);
}

} // namespace
