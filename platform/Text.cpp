#include "platform/Text.h"

#include <cmath>
#include <charconv>
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

// |x| rounded to `digits` significant digits (1..17), as exactly `digits`
// mantissa digits and the decimal exponent of the first one. std::to_chars
// is used because it ignores the C locale, which a Qt application sets from
// the environment (printf would write "1,5" under a French locale).
void scientificDigits(double ax, int digits, std::string& mant, int& exp10)
{
    char buf[64];
    const std::to_chars_result r =
        std::to_chars(buf, buf + sizeof buf, ax, std::chars_format::scientific, digits - 1);
    // buf = "d.ddde+XX" (or "de+XX" for one digit)
    mant.clear();
    const char* p = buf;
    for (; p < r.ptr && *p != 'e'; ++p)
        if (*p >= '0' && *p <= '9')
            mant += *p;
    exp10 = 0;
    if (p < r.ptr)
        std::from_chars(p + (p[1] == '+' ? 2 : 1), r.ptr, exp10);
}

// The general decimal text of x with `digits` significant digits, in the
// manner of printf's %G: fixed notation unless the decimal exponent is below
// -4 or at least `digits`, trailing zeros dropped, exponent with a sign and
// at least two digits ("1E-05", "1.234568E+07"). A negative zero gives "0".
// The decimal point is always ".", whatever the locale.
QString generalText(double x, int digits)
{
    if (std::isnan(x))
        return QStringLiteral("NaN");
    if (std::isinf(x))
        return x < 0 ? QStringLiteral("-Inf") : QStringLiteral("Inf");
    std::string mant;
    int exp10 = 0;
    scientificDigits(std::fabs(x), digits, mant, exp10);
    while (mant.size() > 1 && mant.back() == '0')
        mant.pop_back();
    if (mant == "0")
        return QStringLiteral("0"); // "-0" never appears as a value's text
    std::string out = x < 0 ? "-" : "";
    if (exp10 < -4 || exp10 >= digits) {
        out += mant[0];
        if (mant.size() > 1)
            out += '.' + mant.substr(1);
        const int e = exp10 < 0 ? -exp10 : exp10;
        out += exp10 < 0 ? "E-" : "E+";
        if (e < 10)
            out += '0';
        out += std::to_string(e);
    } else if (exp10 < 0) {
        out += "0." + std::string(static_cast<std::size_t>(-exp10 - 1), '0') + mant;
    } else {
        const std::size_t nInt = static_cast<std::size_t>(exp10) + 1;
        if (mant.size() <= nInt)
            out += mant + std::string(nInt - mant.size(), '0');
        else
            out += mant.substr(0, nInt) + '.' + mant.substr(nInt);
    }
    return QString::fromLatin1(out.c_str());
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

// A number pattern split into its parts.
struct NumberPattern {
    QString prefix;      // literal text before the first digit placeholder
    QString suffix;      // literal text after the last one
    int intZeros = 0;    // integer digits always shown
    bool hasPoint = false;
    int decimals = 0;    // decimal places the value is rounded to
    int decZeros = 0;    // decimal places always shown
};

NumberPattern parseNumberPattern(const QString& p)
{
    NumberPattern np;
    bool inNumber = false, afterNumber = false, afterPoint = false;
    bool seenIntZero = false;
    for (qsizetype i = 0; i < p.size(); ++i) {
        const QChar c = p[i];
        const bool placeholder = (c == u'0' || c == u'#' || c == u'.') && !afterNumber;
        if (placeholder) {
            inNumber = true;
            if (c == u'.') {
                if (afterPoint) { // a second point is copied as it stands
                    afterNumber = true;
                    np.suffix += c;
                    continue;
                }
                np.hasPoint = true;
                afterPoint = true;
            } else if (afterPoint) {
                ++np.decimals;
                if (c == u'0')
                    np.decZeros = np.decimals;
            } else {
                if (c == u'0')
                    seenIntZero = true;
                if (seenIntZero)
                    ++np.intZeros;
            }
            continue;
        }
        if (inNumber)
            afterNumber = true;
        QString& target = afterNumber ? np.suffix : np.prefix;
        if (c == u'\\' && i + 1 < p.size()) {
            target += p[++i];
        } else if (c == u'"') {
            const qsizetype close = p.indexOf(u'"', i + 1);
            const qsizetype end = close < 0 ? p.size() : close;
            target += p.mid(i + 1, end - i - 1);
            i = end;
        } else {
            target += c;
        }
    }
    return np;
}

// |x| taken to `digits` significant digits, as an integer part and a
// fraction part of decimal digits (no point, no sign).
void decimalDigits(double ax, int digits, std::string& intPart, std::string& fracPart)
{
    std::string mant;
    int exp10 = 0;
    scientificDigits(ax, digits, mant, exp10);
    if (mant == std::string(mant.size(), '0')) {
        intPart = "0";
        fracPart.clear();
        return;
    }
    if (exp10 >= 0) {
        const std::size_t nInt = static_cast<std::size_t>(exp10) + 1;
        if (mant.size() <= nInt) {
            intPart = mant + std::string(nInt - mant.size(), '0');
            fracPart.clear();
        } else {
            intPart = mant.substr(0, nInt);
            fracPart = mant.substr(nInt);
        }
    } else {
        intPart = "0";
        fracPart = std::string(static_cast<std::size_t>(-exp10 - 1), '0') + mant;
    }
}

// Rounds the decimal digits half away from zero to `decimals` places.
void roundDecimal(std::string& intPart, std::string& fracPart, int decimals)
{
    const std::size_t keep = static_cast<std::size_t>(decimals);
    if (fracPart.size() <= keep) {
        fracPart.append(keep - fracPart.size(), '0');
        return;
    }
    const bool up = fracPart[keep] >= '5';
    fracPart.resize(keep);
    if (!up)
        return;
    for (std::size_t i = keep; i-- > 0;) {
        if (fracPart[i] == '9') {
            fracPart[i] = '0';
        } else {
            ++fracPart[i];
            return;
        }
    }
    for (std::size_t i = intPart.size(); i-- > 0;) {
        if (intPart[i] == '9') {
            intPart[i] = '0';
        } else {
            ++intPart[i];
            return;
        }
    }
    intPart.insert(intPart.begin(), '1');
}

QString layoutDateTime(const QDate& date, int hours, int minutes, int seconds, const QString& p);

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
QString formatDaySerial(double x, const QString& pattern)
{
    if (!std::isfinite(x) || std::fabs(x) > 1e8)
        return generalText(x, 15);
    const double days = std::trunc(x);
    long long day = static_cast<long long>(days);
    long long secs = std::llround(std::fabs(x - days) * 86400.0);
    if (secs >= 86400) {
        secs -= 86400;
        day += x < 0 ? -1 : 1;
    }
    const int s = static_cast<int>(secs);
    return layoutDateTime(QDate(1899, 12, 30).addDays(day), s / 3600, s / 60 % 60, s % 60, pattern);
}

QString formatNumber(double x, const QString& pattern, int digits)
{
    if (pattern.isEmpty())
        return generalText(x, digits);
    if (isDatePattern(pattern))
        return formatDaySerial(x, pattern);
    if (!std::isfinite(x))
        return generalText(x, digits);
    const NumberPattern np = parseNumberPattern(pattern);
    std::string intPart, fracPart;
    decimalDigits(std::fabs(x), digits, intPart, fracPart);
    roundDecimal(intPart, fracPart, np.decimals);

    // Integer digits: no leading zeros, then padded to the zeros of the pattern.
    const std::size_t firstNonZero = intPart.find_first_not_of('0');
    intPart = firstNonZero == std::string::npos ? std::string() : intPart.substr(firstNonZero);
    if (intPart.size() < static_cast<std::size_t>(np.intZeros))
        intPart.insert(0, static_cast<std::size_t>(np.intZeros) - intPart.size(), '0');
    // Optional decimal places: trailing zeros beyond the shown ones are dropped.
    while (fracPart.size() > static_cast<std::size_t>(np.decZeros) && fracPart.back() == '0')
        fracPart.pop_back();

    const bool isZero = intPart.find_first_not_of('0') == std::string::npos
        && fracPart.find_first_not_of('0') == std::string::npos;
    QString out;
    if (x < 0 && !isZero)
        out += u'-';
    out += np.prefix;
    out += QString::fromLatin1(intPart.c_str());
    if (np.hasPoint)
        out += u'.';
    out += QString::fromLatin1(fracPart.c_str());
    out += np.suffix;
    return out;
}

} // namespace

QString Format(double x, const QString& pattern) { return formatNumber(x, pattern, 15); }
QString Format(float x, const QString& pattern) { return formatNumber(static_cast<double>(x), pattern, 7); }

// ---------------------------------------------------------------- dates

namespace {

const char* const kWeekdays[] = {"Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday", "Sunday"};
const char* const kMonths[] = {"January", "February", "March",     "April",   "May",      "June",
                               "July",    "August",   "September", "October", "November", "December"};

QString twoDigits(int v) { return QStringLiteral("%1").arg(v, 2, 10, QLatin1Char('0')); }

// Lays out the parts that are present; `date` may be invalid for a time-only
// pattern and hours may exceed 23 for FormatTime.
QString layoutDateTime(const QDate& date, int hours, int minutes, int seconds, const QString& p)
{
    QString out;
    const qsizetype n = p.size();
    auto runOf = [&](qsizetype i) {
        const QChar c = p[i].toLower();
        qsizetype j = i;
        while (j < n && p[j].toLower() == c)
            ++j;
        return j - i;
    };
    bool lastWasHour = false;
    for (qsizetype i = 0; i < n;) {
        const QChar c = p[i].toLower();
        if (c == u'd' || c == u'm' || c == u'y' || c == u'h' || c == u'n' || c == u's') {
            const qsizetype len = runOf(i);
            if (c == u'd') {
                if (len >= 4)
                    out += QLatin1String(kWeekdays[date.dayOfWeek() - 1]);
                else if (len == 3)
                    out += QLatin1String(kWeekdays[date.dayOfWeek() - 1], 3);
                else if (len == 2)
                    out += twoDigits(date.day());
                else
                    out += QString::number(date.day());
                lastWasHour = false;
            } else if (c == u'm') {
                // Minutes right after an hour token or right before seconds.
                qsizetype k = i + len;
                while (k < n && !p[k].isLetter())
                    ++k;
                const bool beforeSeconds = k < n && p[k].toLower() == u's';
                if (len <= 2 && (lastWasHour || beforeSeconds)) {
                    out += len == 2 ? twoDigits(minutes) : QString::number(minutes);
                } else if (len >= 4) {
                    out += QLatin1String(kMonths[date.month() - 1]);
                } else if (len == 3) {
                    out += QLatin1String(kMonths[date.month() - 1], 3);
                } else {
                    out += len == 2 ? twoDigits(date.month()) : QString::number(date.month());
                }
                lastWasHour = false;
            } else if (c == u'y') {
                if (len >= 3)
                    out += QStringLiteral("%1").arg(date.year(), 4, 10, QLatin1Char('0'));
                else
                    out += twoDigits(date.year() % 100);
                lastWasHour = false;
            } else if (c == u'h') {
                out += len >= 2 ? twoDigits(hours) : QString::number(hours);
                lastWasHour = true;
            } else if (c == u'n') {
                out += len >= 2 ? twoDigits(minutes) : QString::number(minutes);
                lastWasHour = false;
            } else {
                out += len >= 2 ? twoDigits(seconds) : QString::number(seconds);
                lastWasHour = false;
            }
            i += len;
        } else {
            if (p[i] == u'\\' && i + 1 < n) {
                out += p[i + 1];
                i += 2;
            } else {
                out += p[i];
                ++i;
            }
            // A separator between hour and minutes keeps the hour context.
            if (p[i - 1].isLetter())
                lastWasHour = false;
        }
    }
    return out;
}

} // namespace

QString FormatDate(const QDateTime& t, const QString& pattern)
{
    const QTime time = t.time();
    return layoutDateTime(t.date(), time.hour(), time.minute(), time.second(), pattern);
}

QString FormatDate(const QDate& d, const QString& pattern) { return layoutDateTime(d, 0, 0, 0, pattern); }

QString FormatDate(const QTime& t, const QString& pattern)
{
    return layoutDateTime(QDate(1899, 12, 30), t.hour(), t.minute(), t.second(), pattern);
}

QString FormatTime(int hours, int minutes, int seconds, const QString& pattern)
{
    return layoutDateTime(QDate(1899, 12, 30), hours, minutes, seconds, pattern);
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
