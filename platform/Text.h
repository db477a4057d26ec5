#pragma once
// Text and number rules shared by every program of the suite.
//
// These reproduce the rounding and layout rules the programs were designed
// around: CInt/CLng round to nearest with halves to even and raise an overflow
// error the caller traps; Int is the floor, Fix truncates toward zero; Str is
// the plain decimal text with a leading blank for a non-negative value;
// Format lays a number or a date out by a pattern.

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <QTime>
#include <concepts>
#include <cstdint>
#include <stdexcept>
#include <vector>

namespace platform {

// A number did not fit the integer type it was rounded into, or a value that
// must be finite was not. Callers trap it where the program's own error
// handling would.
class OverflowError : public std::runtime_error {
public:
    OverflowError() : std::runtime_error("Overflow") {}
};

// Nearest whole number, halves to the even neighbour, into 16 bits.
// Throws OverflowError outside -32768..32767 or for a non-finite value.
int16_t CInt(double x);
// The same into 32 bits.
int32_t CLng(double x);
// Floor (toward minus infinity).
double Int(double x);
// Truncation toward zero.
double Fix(double x);

// Decimal text of a double with up to 15 significant digits, a leading blank
// when x >= 0 and a minus sign otherwise; no exponent for ordinary values,
// "0" for zero, ".5" style without a leading zero (" .5"). The exponent form
// ("1E-05", "1E+15", "1.234568E+07") is used only when the decimal exponent
// is below -4 or at least the number of significant digits.
QString Str(double x);
// Decimal text of a single-precision value with up to 7 significant digits,
// so that 359.9f prints " 359.9" and not " 359.899994".
QString Str(float x);
QString Str(long long x);
inline QString Str(int x) { return Str(static_cast<long long>(x)); }
// Any other whole-number type (int16_t, unsigned, long, ...).
template <std::integral T>
QString Str(T x) { return Str(static_cast<long long>(x)); }

// The same decimal text without the leading blank: "0.5", "359.9", "-250.5",
// "12". This is how a number shows when put into a text or a label as it is.
QString CStr(double x);
QString CStr(float x);
QString CStr(long long x);
inline QString CStr(int x) { return CStr(static_cast<long long>(x)); }
template <std::integral T>
QString CStr(T x) { return CStr(static_cast<long long>(x)); }

// Number laid out by a pattern of "0" (digit always shown), "#" (digit shown
// only when significant) and "." (decimal point), e.g. "##0.00", "#0.0",
// "####0", "0.0". Other characters before or after the digits are copied as
// they stand ("##0.00°", "#0.00 dB"); a backslash copies the next character
// and a double-quoted run is copied without its quotes. The value is first
// taken to 15 significant digits (7 for a float), then rounded half away from
// zero at the last shown digit; a value that rounds to zero is shown without
// a minus sign. An empty pattern gives CStr(x). A pattern made only of date
// and time tokens (see FormatDate) lays x out as a day serial: whole days
// from 1899-12-30 plus the time as the fraction, so Format(1, "dddd") is
// "Sunday" and Format(7, "dddd") "Saturday" (weekday numbers 1 = Sunday).
// Every text of this header has "." as its decimal point, whatever the
// C locale of the process.
QString Format(double x, const QString& pattern);
QString Format(float x, const QString& pattern);
template <std::integral T>
QString Format(T x, const QString& pattern) { return Format(static_cast<double>(x), pattern); }

// A pattern of Format read once, for laying out many numbers by it (the
// columns of a table): the texts are Format's, and appendTo writes them at
// the end of a text without building intermediate strings.
class NumberFormat {
public:
    explicit NumberFormat(const QString& pattern);
    QString operator()(double x) const;
    QString operator()(float x) const;
    void appendTo(QString& out, double x) const { append(out, x, 15); }
    void appendTo(QString& out, float x) const { append(out, static_cast<double>(x), 7); }

private:
    // x taken to `digits` significant digits, laid out by the pattern.
    void append(QString& out, double x, int digits) const;

    enum class Kind { General, Date, Number } kind_ = Kind::General;
    QString pattern_;         // a date pattern, as given
    QString prefix_, suffix_; // literal text before and after the digits
    int intZeros_ = 0;        // integer digits always shown
    bool hasPoint_ = false;
    int decimals_ = 0;        // decimal places the value is rounded to
    int decZeros_ = 0;        // decimal places always shown
};

// Date and time patterns: "dddd" (weekday name), "mmm yyyy" (month short name
// and year), "hh:mm", "hh:mm:ss", "dd-mm-yyyy" and "dd/mm/yyyy".
// Tokens: d dd ddd dddd (day, two-digit day, short and full English weekday
// name), m mm mmm mmmm (month; minutes when right after an hour or right
// before seconds), yy yyyy, h hh, n nn (minutes), s ss; anything else is
// copied as it stands.
QString FormatDate(const QDateTime& t, const QString& pattern);
QString FormatDate(const QDate& d, const QString& pattern);
QString FormatDate(const QTime& t, const QString& pattern);
// Hours, minutes and seconds as numbers laid out by a time pattern such as
// "hh:mm" or "hh:mm:ss"; hours may be any value 0..99 (no wrap is applied).
QString FormatTime(int hours, int minutes, int seconds, const QString& pattern);

// A pattern of FormatDate read once, for laying out many instants by it (the
// times of a table's rows): the texts are FormatDate's and FormatTime's,
// written at the end of `out`.
class DateFormat {
public:
    explicit DateFormat(const QString& pattern);
    void appendTo(QString& out, const QDate& date, int hours, int minutes, int seconds) const;
    // FormatTime's text: hours 0..99, the date tokens for 1899-12-30.
    void appendTime(QString& out, int hours, int minutes, int seconds) const;

private:
    enum class Part : uint8_t {
        Literal, Day, Weekday, ShortWeekday, Month, MonthName, ShortMonthName, Year, ShortYear, Hours, Minutes, Seconds
    };
    struct Piece {
        Part part;
        bool twoDigits; // a number with at least two digits ("07")
        QString literal;
    };
    std::vector<Piece> pieces_;
    bool usesDate_ = false; // some piece needs the date
};

// The number rule of the station file and of the text boxes: blanks are
// skipped wherever they stand, then an optional sign, digits and at most one
// decimal point are taken up to the first other character; no exponent.
// "+ 2" -> 2, "1 2" -> 12, ".5" -> 0.5, "5." -> 5, "1.2.3" -> 1.2, "abc" -> 0.
double Val(const QString& text);

// Reads a text as the sequence of items of the station-file item rule: an item
// begins at the current position; blanks before it are skipped; an item that
// then begins with a double quote runs to the next double quote (quotes
// dropped); any other item runs to the first comma or the end of the line; an
// empty line is one empty item. Line ends may be CR LF, LF or a lone CR.
// After a quoted item, blanks and the comma or line end that follows belong
// to it. Blanks after an unquoted item are part of it. A comma that ends the
// text is followed by one empty item, as it is when a line end follows.
class ItemReader {
public:
    explicit ItemReader(QString text);
    // Next item into `item`; false at the end of the text (item untouched).
    bool next(QString& item);
    bool atEnd() const;
    int count() const { return count_; }
    // Line (from 1) on which the last item read begins; 0 before the first.
    int line() const { return itemLine_; }

private:
    QString text_;
    qsizetype pos_ = 0;
    int count_ = 0;
    int line_ = 1;     // line of pos_
    int itemLine_ = 0; // line of the last item's start
    bool emptyAfterComma_ = false; // a comma ended the text: one empty item follows
};

} // namespace platform
