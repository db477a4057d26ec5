#pragma once
// The printer surface of the reports, in twips (1/1440 inch).
//
// Frames: the origin (0, 0) of the default frame is the top-left corner of
// the printable area. setScaleLeft(L) / setScaleTop(T) give that corner the
// coordinates (L, T), so a point (x, y) lies x - L twips right of and y - T
// twips below it. currentX / currentY is the print position in the frame in
// force.
//
// Text: print() writes a text with its top-left corner at the print
// position, in the current font (the default fixed-pitch typeface, fontSize
// points, fontBold, fontUnderline) at a pitch of exactly 120 twips a
// character for 8.25 points (12 an inch), scaled with the size, whatever the
// typeface installed: the i-th character of a text stands i x pitch from its
// start, so texts laid out in fixed-width fields stand in columns. print()
// then moves the print position to the start of the next line: currentX :=
// scaleLeft, currentY += the line height. textWidth() (characters x pitch)
// and textHeight() measure in the current font.
//
// Lines and boxes: drawWidth is the pen width in printer dots (1/600 inch);
// colours are 0xBBGGRR values (black 0). line() moves the current point to
// its end; lineTo() continues from it; lineStep() takes the second point
// relative to the first.
//
// Document: the first drawing operation starts a document; newPage() starts
// the next page; endDoc() ends the document and sends it; page() is the
// current page number (1 on the first page). Settings (font, pen) carry over
// from one document to the next; the frame is reset to (0, 0).
//
// Printer is the interface the reports use. QtPrinter prints on the system's
// default printer, or - where no printer is installed - into a PDF file in a
// folder, named in an information box. RecordingPrinter records every
// operation for tests of report layouts.

#include <QFont>
#include <QString>
#include <QStringList>
#include <memory>

class QPrinter;
class QPainter;

namespace platform {

class Dialogs;

class Printer {
public:
    virtual ~Printer();

    // Paper width and height, and printable width and height, in twips.
    virtual double width() const = 0;
    virtual double height() const = 0;
    virtual double scaleWidth() const = 0;
    virtual double scaleHeight() const = 0;

    double scaleLeft() const { return scaleLeft_; }
    double scaleTop() const { return scaleTop_; }
    void setScaleLeft(double v) { scaleLeft_ = v; }
    void setScaleTop(double v) { scaleTop_ = v; }
    double currentX() const { return curX_; }
    double currentY() const { return curY_; }
    void setCurrentX(double v) { curX_ = v; }
    void setCurrentY(double v) { curY_ = v; }

    double fontSize() const { return fontSize_; }
    void setFontSize(double points) { fontSize_ = points; }
    bool fontBold() const { return bold_; }
    void setFontBold(bool on) { bold_ = on; }
    bool fontUnderline() const { return underline_; }
    void setFontUnderline(bool on) { underline_ = on; }
    int drawWidth() const { return drawWidth_; }
    void setDrawWidth(int dots) { drawWidth_ = dots < 1 ? 1 : dots; }

    // Width and height of a text in the current font, twips.
    double textWidth(const QString& text) const { return measureWidth(text); }
    double textHeight(const QString& text = QStringLiteral("X")) const { return measureHeight(text); }

    void print(const QString& text);
    void line(double x1, double y1, double x2, double y2, quint32 color = 0);
    void lineTo(double x2, double y2, quint32 color = 0);
    void lineStep(double x1, double y1, double dx, double dy, quint32 color = 0);
    // Box outline / filled box with corners (x1, y1) and (x2, y2).
    void box(double x1, double y1, double x2, double y2, quint32 color = 0);
    void filledBox(double x1, double y1, double x2, double y2, quint32 color = 0);
    // The same with the second corner relative to the first (a size).
    void boxStep(double x1, double y1, double w, double h, quint32 color = 0) { box(x1, y1, x1 + w, y1 + h, color); }
    void filledBoxStep(double x1, double y1, double w, double h, quint32 color = 0)
    {
        filledBox(x1, y1, x1 + w, y1 + h, color);
    }

    int page() const { return page_; }
    void newPage();
    void endDoc();
    bool inDocument() const { return inDoc_; }

    // A run of documents that one command prints (runs may nest; the
    // outermost counts). A printer that tells the operator where each
    // document went tells it once for the whole run, when it ends.
    virtual void beginRun() {}
    virtual void endRun() {}

protected:
    virtual double measureWidth(const QString& text) const = 0;
    virtual double measureHeight(const QString& text) const = 0;
    // Primitives in printable-area twips (origin at its top-left corner).
    virtual void beginDocument() = 0;
    virtual void drawText(double x, double y, const QString& text) = 0;
    virtual void drawLine(double x1, double y1, double x2, double y2, quint32 color) = 0;
    virtual void drawBox(double x1, double y1, double x2, double y2, quint32 color, bool filled) = 0;
    virtual void startNewPage() = 0;
    virtual void finishDocument() = 0;

    // Twips from one character to the next in the current size: 120 at 8.25 points.
    double pitch() const { return fontSize_ * (120.0 / 8.25); }
    double absX(double x) const { return x - scaleLeft_; }
    double absY(double y) const { return y - scaleTop_; }
    void ensureDocument();

private:
    double scaleLeft_ = 0, scaleTop_ = 0, curX_ = 0, curY_ = 0;
    double fontSize_ = 10;
    bool bold_ = false, underline_ = false;
    int drawWidth_ = 1;
    int page_ = 1;
    bool inDoc_ = false;
};

// The system's default printer, or a PDF file where none is installed.
class QtPrinter : public Printer {
public:
    struct Options {
        QString folder;                  // where a PDF goes; empty = current folder
        QString documentName = QStringLiteral("Selvane"); // PDF file "<name>-<n>.pdf"
        bool forcePdf = false;           // PDF even when a printer is installed
        QString pdfPath;                 // exact PDF path (tests); overrides folder/name
    };
    // `dialogs` shows the information box that names a PDF file.
    explicit QtPrinter(Dialogs& dialogs);
    QtPrinter(Dialogs& dialogs, Options options);
    ~QtPrinter() override;

    // True when documents go to a PDF file.
    bool printsToPdf() const { return pdf_; }
    // Path of the last PDF file written (empty before the first).
    QString lastPdfPath() const { return lastPdf_; }

    // Outside a run each PDF file is named in its own information box; in a
    // run one box at its end names the folder and every file written.
    void beginRun() override;
    void endRun() override;

    double width() const override;
    double height() const override;
    double scaleWidth() const override;
    double scaleHeight() const override;
protected:
    double measureWidth(const QString& text) const override;
    double measureHeight(const QString& text) const override;
    void beginDocument() override;
    void drawText(double x, double y, const QString& text) override;
    void drawLine(double x1, double y1, double x2, double y2, quint32 color) override;
    void drawBox(double x1, double y1, double x2, double y2, quint32 color, bool filled) override;
    void startNewPage() override;
    void finishDocument() override;

private:
    QString nextPdfPath() const;
    QFont currentFont() const;
    double dotsPerTwip() const;

    Dialogs& dialogs_;
    Options options_;
    bool pdf_ = false;
    std::unique_ptr<QPrinter> printer_;
    std::unique_ptr<QPainter> painter_;
    QString lastPdf_;
    int runs_ = 0;            // runs begun and not ended
    QStringList runPdfs_;     // PDF files written in the current run
    bool runFailed_ = false;  // the printer could not be started in the current run
};

// Records each operation as one line of text, for layout tests:
//   "text x y size B U |text|"   (B/U: bold, underline as 0/1)
//   "line x1 y1 x2 y2 w color"   "box x1 y1 x2 y2 w color"   "fill x1 y1 x2 y2 w color"
//   "newpage"  "enddoc"
// Coordinates in printable-area twips, rounded to whole twips. Text width is
// that of the real printer (characters x pitch); line height 1.2 em (em =
// size x 20 twips).
class RecordingPrinter : public Printer {
public:
    RecordingPrinter(double paperWidth = 11906, double paperHeight = 16838, double printableWidth = 11340,
                     double printableHeight = 16272);
    const QStringList& operations() const { return ops_; }
    void clear() { ops_.clear(); }
    int documents() const { return documents_; }

    double width() const override { return w_; }
    double height() const override { return h_; }
    double scaleWidth() const override { return pw_; }
    double scaleHeight() const override { return ph_; }
protected:
    double measureWidth(const QString& text) const override;
    double measureHeight(const QString& text) const override;
    void beginDocument() override {}
    void drawText(double x, double y, const QString& text) override;
    void drawLine(double x1, double y1, double x2, double y2, quint32 color) override;
    void drawBox(double x1, double y1, double x2, double y2, quint32 color, bool filled) override;
    void startNewPage() override;
    void finishDocument() override;

private:
    double w_, h_, pw_, ph_;
    QStringList ops_;
    int documents_ = 0;
};

} // namespace platform
