#include "platform/Text.h"

#include <QVarLengthArray>

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <charconv>
#include <cstring>
#include <string>

namespace platform {

// ---------------------------------------------------------------- rounding

int16_t CInt(double x)
{
    if (!std::isfinite(x))
        throw OverflowError();
    // rint rounds to nearest with halves to even in the default rounding mode.
    const double r = std::rint(x);
    if (r < -32768.0 || r > 32767.0)
        throw OverflowError();
    return static_cast<int16_t>(r);
}

int32_t CLng(double x)
{
    if (!std::isfinite(x))
        throw OverflowError();
    const double r = std::rint(x);
    if (r < -2147483648.0 || r > 2147483647.0)
        throw OverflowError();
    return static_cast<int32_t>(r);
}

double Int(double x) { return std::floor(x); }

double Fix(double x) { return std::trunc(x); }

// ---------------------------------------------------------------- Str / CStr

namespace {

// The first significant digits of a number's magnitude as a whole number q
// of n digits, and the decimal exponent of the first one:
// |x| = q x 10^(exp10 - n + 1).
struct Mantissa {
    uint64_t q = 0;
    int n = 0; // 1..17
    int exp10 = 0;
};

// The n digits of v (leading zeros included) into d.
void writeDigits(uint64_t v, int n, char* d)
{
    for (int i = n - 1; i >= 0; --i) {
        d[i] = char('0' + v % 10);
        v /= 10;
    }
}

// The digits of v (at least one) into d; their count.
int writeNumber(uint64_t v, char* d)
{
    int n = 1;
    for (uint64_t w = v / 10; w != 0; w /= 10)
        ++n;
    writeDigits(v, n, d);
    return n;
}

using Exact = unsigned __int128;

template <unsigned Base>
constexpr std::array<Exact, 39> powers()
{
    std::array<Exact, 39> p{};
    Exact v = 1;
    for (Exact& x : p) {
        x = v;
        v *= Base;
    }
    return p;
}
constexpr std::array<Exact, 39> kPowersOfTen = powers<10>(); // 10^38 is the last an Exact holds
constexpr std::array<Exact, 39> kPowersOfFive = powers<5>();

// |x| rounded to 7 significant digits, to nearest with ties to even, as
// std::to_chars gives them, in exact integer arithmetic: a value of at most
// 24 significant bits (any single-precision value) between about 2^-15 and
// 2^127 is mant x 2^e exactly, mant x 5^-e x 10^e for e < 0. False for any
// other value (the caller asks std::to_chars then).
bool sevenDigits(double ax, Mantissa& m)
{
    const auto bits = std::bit_cast<uint64_t>(ax);
    const int biased = int(bits >> 52) & 0x7ff;
    const uint64_t fraction = bits & ((uint64_t(1) << 52) - 1);
    if (biased == 0 || biased == 0x7ff || (fraction & ((uint64_t(1) << 29) - 1)) != 0)
        return false; // zero, subnormal, not finite, or more than 24 significant bits
    const int e = biased - 1075 + 29; // ax = mant x 2^e, 2^23 <= mant < 2^24
    if (e > 103 || e < -38)
        return false;
    Exact n = ((uint64_t(1) << 52) | fraction) >> 29;
    int shift10 = 0; // ax = n x 10^-shift10
    int digits = 7;  // n's count of digits, from below: n >= 2^23 x 2^e (x 5^-e)
    if (e >= 0) {
        n <<= e;
        digits += e * 301 / 1000;
    } else {
        n *= kPowersOfFive[size_t(-e)];
        shift10 = -e;
        digits += -e * 698 / 1000;
    }
    while (digits < 39 && n >= kPowersOfTen[size_t(digits)])
        ++digits;
    Exact q = n;
    if (digits <= 7) {
        q *= kPowersOfTen[size_t(7 - digits)];
    } else {
        const Exact div = kPowersOfTen[size_t(digits - 7)];
        q = n / div;
        const Exact r = n - q * div, half = div / 2;
        if (r > half || (r == half && (q & 1) != 0))
            ++q;
        if (q == kPowersOfTen[7]) {
            q = kPowersOfTen[6];
            ++digits;
        }
    }
    m.q = static_cast<uint64_t>(q);
    m.n = 7;
    m.exp10 = digits - 1 - shift10;
    return true;
}

// |x| rounded to `digits` significant digits (1..17), exactly `digits` of
// them. std::to_chars is used because it ignores the C locale, which a Qt
// application sets from the environment (printf would write "1,5" under a
// French locale).
Mantissa scientificDigits(double ax, int digits)
{
    Mantissa m;
    if (digits == 7 && sevenDigits(ax, m))
        return m;
    char buf[64];
    const std::to_chars_result r =
        std::to_chars(buf, buf + sizeof buf, ax, std::chars_format::scientific, digits - 1);
    // buf = "d.ddde+XX" (or "de+XX" for one digit)
    const char* p = buf;
    for (; p < r.ptr && *p != 'e'; ++p) {
        if (*p >= '0' && *p <= '9' && m.n < 17) {
            m.q = m.q * 10 + uint64_t(*p - '0');
            ++m.n;
        }
    }
    if (p < r.ptr)
        std::from_chars(p + (p[1] == '+' ? 2 : 1), r.ptr, m.exp10);
    return m;
}

void appendLatin1(QString& out, const char* s, qsizetype n) { out.append(QLatin1String(s, n)); }

// The general decimal text of x with `digits` significant digits, in the
// manner of printf's %G: fixed notation unless the decimal exponent is below
// -4 or at least `digits`, trailing zeros dropped, exponent with a sign and
// at least two digits ("1E-05", "1.234568E+07"). A negative zero gives "0".
// The decimal point is always ".", whatever the locale.
void appendGeneral(QString& out, double x, int digits)
{
    if (std::isnan(x)) {
        out += QLatin1String("NaN");
        return;
    }
    if (std::isinf(x)) {
        out += x < 0 ? QLatin1String("-Inf") : QLatin1String("Inf");
        return;
    }
    const Mantissa m = scientificDigits(std::fabs(x), digits);
    char d[17];
    writeDigits(m.q, m.n, d);
    int n = m.n;
    while (n > 1 && d[n - 1] == '0')
        --n;
    if (n == 1 && d[0] == '0') {
        out += QLatin1Char('0'); // "-0" never appears as a value's text
        return;
    }
    if (x < 0)
        out += QLatin1Char('-');
    const int e = m.exp10;
    if (e < -4 || e >= digits) {
        out += QLatin1Char(d[0]);
        if (n > 1) {
            out += QLatin1Char('.');
            appendLatin1(out, d + 1, n - 1);
        }
        out += e < 0 ? QLatin1String("E-") : QLatin1String("E+");
        if (std::abs(e) < 10)
            out += QLatin1Char('0');
        out += QString::number(std::abs(e));
    } else if (e < 0) {
        out += QLatin1String("0.");
        out += QString(-e - 1, QLatin1Char('0'));
        appendLatin1(out, d, n);
    } else if (n <= e + 1) {
        appendLatin1(out, d, n);
        out += QString(e + 1 - n, QLatin1Char('0'));
    } else {
        appendLatin1(out, d, e + 1);
        out += QLatin1Char('.');
        appendLatin1(out, d + e + 1, n - e - 1);
    }
}

QString generalText(double x, int digits)
{
    QString s;
    appendGeneral(s, x, digits);
    return s;
}

// Drops the zero before the decimal point: "0.5" -> ".5", "-0.25" -> "-.25".
QString withoutLeadingZero(QString s)
{
    if (s.startsWith(QLatin1String("0.")))
        s.remove(0, 1);
    else if (s.startsWith(QLatin1String("-0.")))
        s.remove(1, 1);
    return s;
}

QString withSignBlank(const QString& s) { return s.startsWith(u'-') ? s : QLatin1Char(' ') + s; }

} // namespace

QString Str(double x) { return withSignBlank(withoutLeadingZero(generalText(x, 15))); }
QString Str(float x) { return withSignBlank(withoutLeadingZero(generalText(static_cast<double>(x), 7))); }
QString Str(long long x) { return withSignBlank(QString::number(x)); }

QString CStr(double x) { return generalText(x, 15); }
QString CStr(float x) { return generalText(static_cast<double>(x), 7); }
QString CStr(long long x) { return QString::number(x); }

// ---------------------------------------------------------------- Format

namespace {

// True for a pattern of date or time tokens only ("dddd", "mmm yyyy",
// "hh:mm:ss"): no digit placeholder and at least one of d m y h n s outside
// quoted or backslash-escaped text.
bool isDatePattern(const QString& p)
{
    bool token = false;
    for (qsizetype i = 0; i < p.size(); ++i) {
        const QChar c = p[i];
        if (c == u'\\') {
            ++i;
        } else if (c == u'"') {
            const qsizetype close = p.indexOf(u'"', i + 1);
            i = close < 0 ? p.size() : close;
        } else if (c == u'0' || c == u'#') {
            return false;
        } else if (QStringLiteral("dmyhns").contains(c.toLower())) {
            token = true;
        }
    }
    return token;
}

// x as a day serial: whole days from 1899-12-30 (so 1 is a Sunday and 7 a
// Saturday), the fraction's magnitude the time of day, to the nearest second.
void appendDaySerial(QString& out, double x, const QString& pattern)
{
    if (!std::isfinite(x) || std::fabs(x) > 1e8)
        return appendGeneral(out, x, 15);
    const double days = std::trunc(x);
    long long day = static_cast<long long>(days);
    long long secs = std::llround(std::fabs(x - days) * 86400.0);
    if (secs >= 86400) {
        secs -= 86400;
        day += x < 0 ? -1 : 1;
    }
    const int s = static_cast<int>(secs);
    DateFormat(pattern).appendTo(out, QDate(1899, 12, 30).addDays(day), s / 3600, s / 60 % 60, s % 60);
}

} // namespace

NumberFormat::NumberFormat(const QString& pattern)
{
    if (pattern.isEmpty()) {
        kind_ = Kind::General;
        return;
    }
    if (isDatePattern(pattern)) {
        kind_ = Kind::Date;
        pattern_ = pattern;
        return;
    }
    kind_ = Kind::Number;
    bool inNumber = false, afterNumber = false, afterPoint = false;
    bool seenIntZero = false;
    for (qsizetype i = 0; i < pattern.size(); ++i) {
        const QChar c = pattern[i];
        const bool placeholder = (c == u'0' || c == u'#' || c == u'.') && !afterNumber;
        if (placeholder) {
            inNumber = true;
            if (c == u'.') {
                if (afterPoint) { // a second point is copied as it stands
                    afterNumber = true;
                    suffix_ += c;
                    continue;
                }
                hasPoint_ = true;
                afterPoint = true;
            } else if (afterPoint) {
                ++decimals_;
                if (c == u'0')
                    decZeros_ = decimals_;
            } else {
                if (c == u'0')
                    seenIntZero = true;
                if (seenIntZero)
                    ++intZeros_;
            }
            continue;
        }
        if (inNumber)
            afterNumber = true;
        QString& target = afterNumber ? suffix_ : prefix_;
        if (c == u'\\' && i + 1 < pattern.size()) {
            target += pattern[++i];
        } else if (c == u'"') {
            const qsizetype close = pattern.indexOf(u'"', i + 1);
            const qsizetype end = close < 0 ? pattern.size() : close;
            target += pattern.mid(i + 1, end - i - 1);
            i = end;
        } else {
            target += c;
        }
    }
}

void NumberFormat::append(QString& out, double x, int digits) const
{
    if (kind_ == Kind::General)
        return appendGeneral(out, x, digits);
    if (kind_ == Kind::Date)
        return appendDaySerial(out, x, pattern_);
    if (!std::isfinite(x))
        return appendGeneral(out, x, digits);
    const Mantissa m = scientificDigits(std::fabs(x), digits);
    // |x| rounded half away from zero at decimals_ places, as a whole number
    // of units of 10^-decimals_ (q x 10^shift): its digits in a, at least
    // decimals_ + 1 of them.
    const int shift = m.exp10 - m.n + 1 + decimals_;
    QVarLengthArray<char, 48> a;
    if (shift >= 0) {
        a.resize(m.n + shift);
        writeDigits(m.q, m.n, a.data());
        std::fill(a.begin() + m.n, a.end(), '0');
    } else {
        uint64_t units = 0;
        if (-shift <= 17) {
            const auto unit = static_cast<uint64_t>(kPowersOfTen[size_t(-shift)]);
            units = (m.q + unit / 2) / unit;
        }
        a.resize(20);
        a.resize(writeNumber(units, a.data()));
    }
    if (a.size() < 1 + decimals_)
        a.insert(a.begin(), 1 + decimals_ - a.size(), '0');
    // Integer digits: no leading zeros, then padded to the zeros of the
    // pattern. Optional decimal places: trailing zeros beyond the shown ones
    // are dropped.
    const char* first = a.data();
    const char* point = a.data() + a.size() - decimals_;
    while (first < point && *first == '0')
        ++first;
    const char* end = point + decimals_;
    while (end > point + decZeros_ && end[-1] == '0')
        --end;
    const bool isZero = first == point && std::all_of(point, end, [](char c) { return c == '0'; });
    const bool negative = x < 0 && !isZero;
    if (!prefix_.isEmpty()) {
        if (negative)
            out += QLatin1Char('-');
        out += prefix_;
    }
    const qsizetype pad = std::max<qsizetype>(0, intZeros_ - (point - first));
    const qsizetype at = out.size();
    out.resize(at + (negative && prefix_.isEmpty()) + pad + (point - first) + hasPoint_ + (end - point));
    QChar* o = out.data() + at;
    if (negative && prefix_.isEmpty())
        *o++ = u'-';
    o = std::fill_n(o, pad, u'0');
    o = std::copy(first, point, o);
    if (hasPoint_)
        *o++ = u'.';
    std::copy(point, end, o);
    if (!suffix_.isEmpty())
        out += suffix_;
}

QString NumberFormat::operator()(double x) const
{
    QString s;
    appendTo(s, x);
    return s;
}

QString NumberFormat::operator()(float x) const
{
    QString s;
    appendTo(s, x);
    return s;
}

QString Format(double x, const QString& pattern) { return NumberFormat(pattern)(x); }
QString Format(float x, const QString& pattern) { return NumberFormat(pattern)(x); }

// ---------------------------------------------------------------- dates

namespace {

const char* const kWeekdays[] = {"Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday", "Sunday"};
const char* const kMonths[] = {"January", "February", "March",     "April",   "May",      "June",
                               "July",    "August",   "September", "October", "November", "December"};

// A text being laid out, kept on the stack and appended to its destination
// at once.
using Chars = QVarLengthArray<QChar, 32>;

void append(Chars& t, QStringView s) { t.append(s.data(), s.size()); }
void append(Chars& t, const char* latin1, qsizetype n)
{
    for (qsizetype i = 0; i < n; ++i)
        t.append(QLatin1Char(latin1[i]));
}

// v with at least two digits ("07", "12", "123").
void appendTwoDigits(Chars& t, int v)
{
    if (v >= 0 && v <= 99) {
        t.append(QLatin1Char(char('0' + v / 10)));
        t.append(QLatin1Char(char('0' + v % 10)));
    } else {
        append(t, QStringLiteral("%1").arg(v, 2, 10, QLatin1Char('0')));
    }
}

void appendNumber(Chars& t, int v, bool twoDigits)
{
    if (twoDigits)
        appendTwoDigits(t, v);
    else
        append(t, QString::number(v));
}

// The day FormatTime lays its date tokens out for.
QDate dayZero() { return QDate(1899, 12, 30); }

} // namespace

DateFormat::DateFormat(const QString& p)
{
    const qsizetype n = p.size();
    auto runOf = [&](qsizetype i) {
        const QChar c = p[i].toLower();
        qsizetype j = i;
        while (j < n && p[j].toLower() == c)
            ++j;
        return j - i;
    };
    auto literal = [&](QChar c) {
        if (pieces_.empty() || pieces_.back().part != Part::Literal)
            pieces_.push_back({Part::Literal, false, QString()});
        pieces_.back().literal += c;
    };
    bool lastWasHour = false;
    for (qsizetype i = 0; i < n;) {
        const QChar c = p[i].toLower();
        if (c == u'd' || c == u'm' || c == u'y' || c == u'h' || c == u'n' || c == u's') {
            const qsizetype len = runOf(i);
            Piece piece{Part::Literal, len >= 2, QString()};
            if (c == u'd') {
                piece.part = len >= 4 ? Part::Weekday : len == 3 ? Part::ShortWeekday : Part::Day;
            } else if (c == u'm') {
                // Minutes right after an hour token or right before seconds.
                qsizetype k = i + len;
                while (k < n && !p[k].isLetter())
                    ++k;
                const bool beforeSeconds = k < n && p[k].toLower() == u's';
                if (len <= 2 && (lastWasHour || beforeSeconds))
                    piece.part = Part::Minutes;
                else
                    piece.part = len >= 4 ? Part::MonthName : len == 3 ? Part::ShortMonthName : Part::Month;
            } else if (c == u'y') {
                piece.part = len >= 3 ? Part::Year : Part::ShortYear;
            } else if (c == u'h') {
                piece.part = Part::Hours;
            } else {
                piece.part = c == u'n' ? Part::Minutes : Part::Seconds;
            }
            usesDate_ = usesDate_ || (piece.part != Part::Hours && piece.part != Part::Minutes &&
                                      piece.part != Part::Seconds);
            pieces_.push_back(piece);
            lastWasHour = c == u'h';
            i += len;
        } else {
            if (p[i] == u'\\' && i + 1 < n) {
                literal(p[i + 1]);
                i += 2;
            } else {
                literal(p[i]);
                ++i;
            }
            // A separator between hour and minutes keeps the hour context.
            if (p[i - 1].isLetter())
                lastWasHour = false;
        }
    }
}

void DateFormat::appendTo(QString& out, const QDate& date, int hours, int minutes, int seconds) const
{
    Chars t;
    for (const Piece& piece : pieces_) {
        switch (piece.part) {
        case Part::Literal: append(t, piece.literal); break;
        case Part::Day: appendNumber(t, date.day(), piece.twoDigits); break;
        case Part::Weekday: append(t, kWeekdays[date.dayOfWeek() - 1], qsizetype(strlen(kWeekdays[date.dayOfWeek() - 1]))); break;
        case Part::ShortWeekday: append(t, kWeekdays[date.dayOfWeek() - 1], 3); break;
        case Part::Month: appendNumber(t, date.month(), piece.twoDigits); break;
        case Part::MonthName: append(t, kMonths[date.month() - 1], qsizetype(strlen(kMonths[date.month() - 1]))); break;
        case Part::ShortMonthName: append(t, kMonths[date.month() - 1], 3); break;
        case Part::Year: append(t, QStringLiteral("%1").arg(date.year(), 4, 10, QLatin1Char('0'))); break;
        case Part::ShortYear: appendTwoDigits(t, date.year() % 100); break;
        case Part::Hours: appendNumber(t, hours, piece.twoDigits); break;
        case Part::Minutes: appendNumber(t, minutes, piece.twoDigits); break;
        case Part::Seconds: appendNumber(t, seconds, piece.twoDigits); break;
        }
    }
    const qsizetype at = out.size();
    out.resize(at + t.size());
    std::copy(t.cbegin(), t.cend(), out.data() + at);
}

void DateFormat::appendTime(QString& out, int hours, int minutes, int seconds) const
{
    appendTo(out, usesDate_ ? dayZero() : QDate(), hours, minutes, seconds);
}

QString FormatDate(const QDateTime& t, const QString& pattern)
{
    const QTime time = t.time();
    QString s;
    DateFormat(pattern).appendTo(s, t.date(), time.hour(), time.minute(), time.second());
    return s;
}

QString FormatDate(const QDate& d, const QString& pattern)
{
    QString s;
    DateFormat(pattern).appendTo(s, d, 0, 0, 0);
    return s;
}

QString FormatDate(const QTime& t, const QString& pattern)
{
    QString s;
    DateFormat(pattern).appendTo(s, dayZero(), t.hour(), t.minute(), t.second());
    return s;
}

QString FormatTime(int hours, int minutes, int seconds, const QString& pattern)
{
    QString s;
    DateFormat(pattern).appendTime(s, hours, minutes, seconds);
    return s;
}

// ---------------------------------------------------------------- Val

double Val(const QString& text)
{
    std::string number;
    bool signAllowed = true, pointSeen = false;
    for (QChar c : text) {
        if (c == u' ' || c == u'\t')
            continue; // blanks are skipped wherever they stand
        if (signAllowed && (c == u'+' || c == u'-')) {
            if (c == u'-')
                number += '-';
            signAllowed = false;
            continue;
        }
        signAllowed = false;
        if (c >= u'0' && c <= u'9') {
            number += static_cast<char>(c.unicode());
        } else if (c == u'.' && !pointSeen) {
            pointSeen = true;
            number += '.';
        } else {
            break;
        }
    }
    bool anyDigit = false, nonZeroInteger = false;
    for (char ch : number) {
        if (ch == '.')
            break;
        if (ch >= '1' && ch <= '9')
            nonZeroInteger = true;
    }
    for (char ch : number)
        if (ch >= '0' && ch <= '9')
            anyDigit = true;
    if (!anyDigit)
        return 0.0;
    // from_chars reads "." whatever the C locale (strtod would not).
    double v = 0.0;
    const char* first = number.data();
    const char* last = first + number.size();
    const std::from_chars_result r = std::from_chars(first, last, v, std::chars_format::fixed);
    if (r.ec == std::errc::result_out_of_range) // too many digits: infinite, or too small: zero
        v = nonZeroInteger ? (number[0] == '-' ? -HUGE_VAL : HUGE_VAL) : 0.0;
    return v == 0.0 ? 0.0 : v; // never a negative zero
}

// ---------------------------------------------------------------- ItemReader

ItemReader::ItemReader(QString text) : text_(std::move(text)) {}

bool ItemReader::atEnd() const { return pos_ >= text_.size() && !emptyAfterComma_; }

namespace {

bool isLineEnd(QChar c) { return c == u'\r' || c == u'\n'; }

// Consumes one line end (CR LF, LF or a lone CR) at `pos`, if there is one;
// counts it in `line`.
void skipLineEnd(const QString& s, qsizetype& pos, int& line)
{
    const qsizetype start = pos;
    if (pos < s.size() && s[pos] == u'\r')
        ++pos;
    if (pos < s.size() && s[pos] == u'\n')
        ++pos;
    if (pos > start)
        ++line;
}

// Line ends (CR LF counted once) in s[from, to).
int lineEndsIn(const QString& s, qsizetype from, qsizetype to)
{
    int n = 0;
    for (qsizetype i = from; i < to; ++i)
        if (s[i] == u'\n' || (s[i] == u'\r' && (i + 1 >= s.size() || s[i + 1] != u'\n')))
            ++n;
    return n;
}

} // namespace

bool ItemReader::next(QString& item)
{
    if (atEnd())
        return false;
    const qsizetype n = text_.size();
    emptyAfterComma_ = false;
    while (pos_ < n && (text_[pos_] == u' ' || text_[pos_] == u'\t'))
        ++pos_;
    itemLine_ = line_;
    if (pos_ < n && text_[pos_] == u'"') {
        const qsizetype close = text_.indexOf(u'"', pos_ + 1);
        const qsizetype end = close < 0 ? n : close;
        item = text_.mid(pos_ + 1, end - pos_ - 1);
        line_ += lineEndsIn(text_, pos_, end);
        pos_ = close < 0 ? n : close + 1;
        // The delimiter after the closing quote belongs to this item.
        while (pos_ < n && (text_[pos_] == u' ' || text_[pos_] == u'\t'))
            ++pos_;
        if (pos_ < n && text_[pos_] == u',')
            emptyAfterComma_ = ++pos_ == n;
        else
            skipLineEnd(text_, pos_, line_);
    } else {
        qsizetype end = pos_;
        while (end < n && text_[end] != u',' && !isLineEnd(text_[end]))
            ++end;
        item = text_.mid(pos_, end - pos_);
        pos_ = end;
        if (pos_ < n && text_[pos_] == u',')
            emptyAfterComma_ = ++pos_ == n;
        else
            skipLineEnd(text_, pos_, line_);
    }
    ++count_;
    return true;
}

} // namespace platform
