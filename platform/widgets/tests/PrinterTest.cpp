#include "platform/widgets/Printer.h"

#include "platform/Dialogs.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using platform::QtPrinter;
using platform::RecordingPrinter;

namespace {

// Text of one page of a PDF file (pdftotext of poppler-utils).
QString pdfText(const QString& path, int page)
{
    QProcess p;
    p.start("pdftotext", {"-layout", "-f", QString::number(page), "-l", QString::number(page), path, "-"});
    if (!p.waitForFinished(20000))
        return "<pdftotext failed>";
    return QString::fromUtf8(p.readAllStandardOutput());
}

int pdfPages(const QString& path)
{
    QProcess p;
    p.start("pdfinfo", {path});
    p.waitForFinished(20000);
    for (const QString& line : QString::fromUtf8(p.readAllStandardOutput()).split('\n'))
        if (line.startsWith("Pages:"))
            return line.mid(6).trimmed().toInt();
    return -1;
}

} // namespace

TEST(Printer, FramesPrintPositionAndLines)
{
    RecordingPrinter pr(12000, 16800, 11000, 16000);
    pr.setFontSize(8.25);
    // Body frame as the reports set it: layout x 0 lies (W - 8280) / 2 right
    // of the printable area's edge, layout y 0 lies 1000 below its top.
    pr.setScaleLeft((8280 - pr.width()) / 2);
    pr.setScaleTop(-1000);
    pr.setCurrentX(120);
    pr.setCurrentY(200);
    pr.print("G4ABC");
    EXPECT_DOUBLE_EQ(pr.currentX(), pr.scaleLeft()); // next line starts at the frame's left edge
    EXPECT_DOUBLE_EQ(pr.currentY(), 200 + pr.textHeight());
    pr.setDrawWidth(3);
    pr.line(0, 0, 120, 0);
    pr.lineTo(120, 900);
    pr.boxStep(0, 1400, 8280, 900);
    pr.filledBoxStep(200, 1450, 15, 15);
    EXPECT_EQ(pr.page(), 1);
    pr.newPage();
    EXPECT_EQ(pr.page(), 2);
    pr.endDoc();
    EXPECT_EQ(pr.page(), 1);
    EXPECT_DOUBLE_EQ(pr.scaleLeft(), 0);
    const QStringList want = {
        "text 1980 1200 8.25 0 0 |G4ABC|",
        "line 1860 1000 1980 1000 3 0",
        "line 1980 1000 1980 1900 3 0",
        "box 1860 2400 10140 3300 3 0",
        "fill 2060 2450 2075 2465 3 0",
        "newpage",
        "enddoc",
    };
    EXPECT_EQ(pr.operations(), want);
    EXPECT_EQ(pr.documents(), 1);
}

TEST(Printer, PdfWhereNoPrinterIsInstalled)
{
    QTemporaryDir tmp;
    platform::ScriptedDialogs dialogs;
    QtPrinter::Options o;
    o.folder = tmp.path();
    o.documentName = "Planner";
    o.forcePdf = true;
    QtPrinter pr(dialogs, o);
    ASSERT_TRUE(pr.printsToPdf());
    EXPECT_GE(pr.scaleWidth(), 8500); // wide enough for the reports
    EXPECT_LE(pr.scaleWidth(), pr.width());
    EXPECT_GT(pr.scaleHeight(), 10000);

    pr.setFontSize(8.25);
    pr.setFontBold(true);
    pr.setFontUnderline(true);
    pr.setCurrentX((pr.width() - pr.textWidth("Moon Location for")) / 2);
    pr.setCurrentY(0);
    pr.print("Moon Location for");
    pr.setFontBold(false);
    pr.setFontUnderline(false);
    pr.setScaleTop(-1000);
    pr.setCurrentX(0);
    pr.setCurrentY(2350);
    pr.print(" 00:00  01:00  123.45");
    pr.box(0, 1400, 8280, 2300);
    pr.setCurrentX(4140);
    pr.setCurrentY(pr.scaleTop() + pr.scaleHeight() - 500);
    pr.print(QString::number(pr.page()));
    pr.newPage();
    pr.setCurrentX(0);
    pr.setCurrentY(0);
    pr.print("second page");
    pr.endDoc();

    const QString path = QDir(tmp.path()).filePath("Planner-1.pdf");
    ASSERT_EQ(pr.lastPdfPath(), path);
    ASSERT_TRUE(QFileInfo::exists(path));
    EXPECT_EQ(pdfPages(path), 2);
    const QString p1 = pdfText(path, 1), p2 = pdfText(path, 2);
    EXPECT_TRUE(p1.contains("Moon Location for")) << p1.toStdString();
    EXPECT_TRUE(p1.simplified().contains("00:00 01:00 123.45")) << p1.toStdString();
    EXPECT_FALSE(p1.contains("second page"));
    EXPECT_TRUE(p2.contains("second page")) << p2.toStdString();

    // The file is named in an information box.
    ASSERT_EQ(dialogs.messages().size(), 1u);
    EXPECT_EQ(dialogs.messages()[0].icon, platform::Icon::Information);
    EXPECT_TRUE(dialogs.messages()[0].text.contains(QDir::toNativeSeparators(path)));

    // A second document never overwrites the first.
    pr.print("again");
    pr.endDoc();
    EXPECT_EQ(pr.lastPdfPath(), QDir(tmp.path()).filePath("Planner-2.pdf"));
    EXPECT_EQ(pdfPages(path), 2);
}

TEST(Printer, TextWidthGrowsWithTextAndSize)
{
    platform::ScriptedDialogs dialogs;
    QtPrinter::Options o;
    o.forcePdf = true;
    QtPrinter pr(dialogs, o);
    pr.setFontSize(8.25);
    const double w1 = pr.textWidth("UTC"), w2 = pr.textWidth("UTCUTC");
    EXPECT_GT(w1, 0);
    EXPECT_NEAR(w2, 2 * w1, 1.0);
    // 8.25 point characters stand 120 twips apart: a 69-character report row
    // spans the 8280-twip heading block, each field under its column.
    EXPECT_NEAR(w1 / 3, 120, 1);
    EXPECT_NEAR(pr.textWidth(QString(69, u'0')), 8280, 20); // within a sixth of a character
    pr.setFontSize(16.5);
    EXPECT_NEAR(pr.textWidth("UTC"), 2 * w1, 3.0);
    EXPECT_FALSE(pr.inDocument()); // measuring starts no document
}
