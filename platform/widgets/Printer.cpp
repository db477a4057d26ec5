#include "platform/widgets/Printer.h"

#include "platform/Dialogs.h"

#include <QDir>
#include <QFileInfo>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>

#include <cmath>

namespace platform {

namespace {

QColor colourOf(quint32 v) { return QColor(int(v & 0xFF), int((v >> 8) & 0xFF), int((v >> 16) & 0xFF)); }

QString num(double v) { return QString::number(std::lround(v)); }

} // namespace

// ----- Printer ---------------------------------------------------------------

Printer::~Printer() = default;

void Printer::ensureDocument()
{
    if (inDoc_)
        return;
    beginDocument();
    inDoc_ = true;
    page_ = 1;
}

void Printer::print(const QString& text)
{
    ensureDocument();
    drawText(absX(curX_), absY(curY_), text);
    curX_ = scaleLeft_;
    curY_ += textHeight(text.isEmpty() ? QStringLiteral("X") : text);
}

void Printer::line(double x1, double y1, double x2, double y2, quint32 color)
{
    ensureDocument();
    drawLine(absX(x1), absY(y1), absX(x2), absY(y2), color);
    curX_ = x2;
    curY_ = y2;
}

void Printer::lineTo(double x2, double y2, quint32 color) { line(curX_, curY_, x2, y2, color); }

void Printer::lineStep(double x1, double y1, double dx, double dy, quint32 color)
{
    line(x1, y1, x1 + dx, y1 + dy, color);
}

void Printer::box(double x1, double y1, double x2, double y2, quint32 color)
{
    ensureDocument();
    drawBox(absX(x1), absY(y1), absX(x2), absY(y2), color, false);
    curX_ = x2;
    curY_ = y2;
}

void Printer::filledBox(double x1, double y1, double x2, double y2, quint32 color)
{
    ensureDocument();
    drawBox(absX(x1), absY(y1), absX(x2), absY(y2), color, true);
    curX_ = x2;
    curY_ = y2;
}

void Printer::newPage()
{
    ensureDocument();
    startNewPage();
    ++page_;
    curX_ = curY_ = 0;
}

void Printer::endDoc()
{
    if (inDoc_)
        finishDocument();
    inDoc_ = false;
    page_ = 1;
    scaleLeft_ = scaleTop_ = 0;
    curX_ = curY_ = 0;
}

// ----- QtPrinter -------------------------------------------------------------

QtPrinter::QtPrinter(Dialogs& dialogs) : QtPrinter(dialogs, Options{}) {}

QtPrinter::QtPrinter(Dialogs& dialogs, Options options)
    : dialogs_(dialogs), options_(std::move(options)), printer_(std::make_unique<QPrinter>(QPrinter::HighResolution))
{
    pdf_ = options_.forcePdf || !options_.pdfPath.isEmpty() || QPrinterInfo::defaultPrinter().isNull();
    if (pdf_) {
        printer_->setOutputFormat(QPrinter::PdfFormat);
        printer_->setResolution(600);
        printer_->setPageSize(QPageSize(QPageSize::A4));
        printer_->setPageMargins(QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter);
    }
    printer_->setDocName(options_.documentName);
}

QtPrinter::~QtPrinter()
{
    if (inDocument())
        endDoc();
}

double QtPrinter::dotsPerTwip() const { return printer_->resolution() / 1440.0; }

double QtPrinter::width() const { return printer_->pageLayout().fullRect(QPageLayout::Point).width() * 20.0; }
double QtPrinter::height() const { return printer_->pageLayout().fullRect(QPageLayout::Point).height() * 20.0; }
double QtPrinter::scaleWidth() const { return printer_->pageLayout().paintRect(QPageLayout::Point).width() * 20.0; }
double QtPrinter::scaleHeight() const
{
    return printer_->pageLayout().paintRect(QPageLayout::Point).height() * 20.0;
}

QFont QtPrinter::currentFont() const
{
    QFont f = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    f.setPointSizeF(fontSize());
    f.setBold(fontBold());
    f.setUnderline(fontUnderline());
    return f;
}

double QtPrinter::measureWidth(const QString& text) const { return text.size() * pitch(); }

double QtPrinter::measureHeight(const QString&) const
{
    const QFontMetricsF fm(currentFont(), printer_.get());
    return fm.lineSpacing() / dotsPerTwip();
}

QString QtPrinter::nextPdfPath() const
{
    if (!options_.pdfPath.isEmpty())
        return options_.pdfPath;
    const QDir dir(options_.folder.isEmpty() ? QDir::currentPath() : options_.folder);
    // A new file each time: never overwrite an earlier report.
    for (int n = 1;; ++n) {
        const QString path = dir.filePath(QStringLiteral("%1-%2.pdf").arg(options_.documentName).arg(n));
        if (!QFileInfo::exists(path))
            return path;
    }
}

void QtPrinter::beginDocument()
{
    if (pdf_)
        printer_->setOutputFileName(nextPdfPath());
    painter_ = std::make_unique<QPainter>();
    if (!painter_->begin(printer_.get())) {
        painter_.reset();
        if (runs_ > 0) {
            runFailed_ = true;
            return;
        }
        dialogs_.message(QStringLiteral("The printer could not be started !"), Buttons::Ok, Icon::Critical,
                         QStringLiteral("Selvane - Printer"));
    }
}

void QtPrinter::drawText(double x, double y, const QString& text)
{
    if (!painter_)
        return;
    const QFont f = currentFont();
    painter_->setFont(f);
    const QFontMetricsF fm(f, printer_.get());
    const double k = dotsPerTwip();
    painter_->setPen(QPen(Qt::black));
    // Each run of characters is drawn from its own column, i x pitch from the
    // text's start, and scaled across exactly its columns: the pitch is that
    // of the layout whatever the typeface's own advance (a face that is not
    // fixed-pitch included). Runs end at blanks, so each word stays one word;
    // an underlined text is one run, so its underline is unbroken.
    const bool unbroken = fontUnderline();
    for (int i = 0; i < text.size();) {
        if (!unbroken && text[i] == QLatin1Char(' ')) {
            ++i;
            continue;
        }
        int j = i + 1;
        while (j < text.size() && (unbroken || text[j] != QLatin1Char(' ')))
            ++j;
        const QString run = text.mid(i, j - i);
        const double natural = fm.horizontalAdvance(run);
        if (natural > 0) {
            painter_->save();
            painter_->translate((x + i * pitch()) * k, y * k + fm.ascent());
            painter_->scale(run.size() * pitch() * k / natural, 1.0);
            painter_->drawText(QPointF(0, 0), run);
            painter_->restore();
        }
        i = j;
    }
}

void QtPrinter::drawLine(double x1, double y1, double x2, double y2, quint32 color)
{
    if (!painter_)
        return;
    const double k = dotsPerTwip();
    QPen pen(colourOf(color));
    pen.setWidthF(drawWidth());
    pen.setCapStyle(Qt::SquareCap);
    painter_->setPen(pen);
    painter_->drawLine(QPointF(x1 * k, y1 * k), QPointF(x2 * k, y2 * k));
}

void QtPrinter::drawBox(double x1, double y1, double x2, double y2, quint32 color, bool filled)
{
    if (!painter_)
        return;
    const double k = dotsPerTwip();
    const QRectF r = QRectF(QPointF(x1 * k, y1 * k), QPointF(x2 * k, y2 * k)).normalized();
    if (filled) {
        painter_->fillRect(r, colourOf(color));
        return;
    }
    QPen pen(colourOf(color));
    pen.setWidthF(drawWidth());
    pen.setJoinStyle(Qt::MiterJoin);
    painter_->setPen(pen);
    painter_->setBrush(Qt::NoBrush);
    painter_->drawRect(r);
}

void QtPrinter::startNewPage()
{
    if (painter_)
        printer_->newPage();
}

void QtPrinter::finishDocument()
{
    if (!painter_)
        return;
    painter_->end();
    painter_.reset();
    if (pdf_) {
        lastPdf_ = printer_->outputFileName();
        if (runs_ > 0) {
            if (!runPdfs_.contains(lastPdf_))
                runPdfs_ << lastPdf_;
            return;
        }
        dialogs_.message(QStringLiteral("No printer is installed.") + QChar(13) +
                             QStringLiteral("The document was saved as ") +
                             QDir::toNativeSeparators(lastPdf_),
                         Buttons::Ok, Icon::Information, QStringLiteral("Selvane - Printer"));
    }
}

void QtPrinter::beginRun()
{
    if (runs_++ == 0) {
        runPdfs_.clear();
        runFailed_ = false;
    }
}

void QtPrinter::endRun()
{
    if (runs_ == 0 || --runs_ > 0)
        return;
    if (runFailed_)
        dialogs_.message(QStringLiteral("The printer could not be started !"), Buttons::Ok, Icon::Critical,
                         QStringLiteral("Selvane - Printer"));
    if (runPdfs_.isEmpty())
        return;
    // "No printer is installed." and the folder, then one file a line.
    QString text = QStringLiteral("No printer is installed.") + QChar(13);
    const QString folder = QFileInfo(runPdfs_.front()).absolutePath();
    text += (runPdfs_.size() == 1 ? QStringLiteral("The document was saved in ")
                                  : QStringLiteral("The %1 documents were saved in ").arg(runPdfs_.size())) +
            QDir::toNativeSeparators(folder) + QStringLiteral(" :");
    for (const QString& f : runPdfs_)
        text += QChar(13) + (QFileInfo(f).absolutePath() == folder ? QFileInfo(f).fileName() : QDir::toNativeSeparators(f));
    runPdfs_.clear();
    dialogs_.message(text, Buttons::Ok, Icon::Information, QStringLiteral("Selvane - Printer"));
}

// ----- RecordingPrinter -------------------------------------------------------

RecordingPrinter::RecordingPrinter(double paperWidth, double paperHeight, double printableWidth,
                                   double printableHeight)
    : w_(paperWidth), h_(paperHeight), pw_(printableWidth), ph_(printableHeight)
{
}

double RecordingPrinter::measureWidth(const QString& text) const { return text.size() * pitch(); }

double RecordingPrinter::measureHeight(const QString&) const { return 1.2 * fontSize() * 20.0; }

void RecordingPrinter::drawText(double x, double y, const QString& text)
{
    ops_ << QStringLiteral("text %1 %2 %3 %4 %5 |%6|")
                .arg(num(x), num(y), QString::number(fontSize()), fontBold() ? QStringLiteral("1") : QStringLiteral("0"),
                     fontUnderline() ? QStringLiteral("1") : QStringLiteral("0"), text);
}

void RecordingPrinter::drawLine(double x1, double y1, double x2, double y2, quint32 color)
{
    ops_ << QStringLiteral("line %1 %2 %3 %4 %5 %6")
                .arg(num(x1), num(y1), num(x2), num(y2), QString::number(drawWidth()), QString::number(color));
}

void RecordingPrinter::drawBox(double x1, double y1, double x2, double y2, quint32 color, bool filled)
{
    ops_ << QStringLiteral("%1 %2 %3 %4 %5 %6 %7")
                .arg(filled ? QStringLiteral("fill") : QStringLiteral("box"), num(x1), num(y1), num(x2), num(y2),
                     QString::number(drawWidth()), QString::number(color));
}

void RecordingPrinter::startNewPage() { ops_ << QStringLiteral("newpage"); }

void RecordingPrinter::finishDocument()
{
    ops_ << QStringLiteral("enddoc");
    ++documents_;
}

} // namespace platform
