// Number and text rules: each table holds the cases where a straightforward
// C++ port (printf, std::round, QString::toDouble) would give another answer.

#include "platform/Text.h"

#include <gtest/gtest.h>

#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <charconv>
#include <clocale>
#include <cmath>
#include <limits>
#include <random>
#include <string>
#include <vector>

using namespace platform;

TEST(Rounding, CIntRoundsHalvesToEvenAndTrapsOverflow)
{
    struct Case { double x; int16_t want; };
    const Case cases[] = {
        {2.5, 2}, {3.5, 4}, {-2.5, -2}, {-3.5, -4}, {0.5, 0}, {1.5, 2}, {-0.5, 0},
        {2.4999999, 2}, {2.5000001, 3}, {-1.6, -2}, {32767.4, 32767}, {-32768.5, -32768}, {-32767.5, -32768},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CInt(c.x), c.want) << c.x;

    for (double bad : {32767.5, 32768.0, -32769.0, -32768.6, 1e10, std::numeric_limits<double>::quiet_NaN(),
                       std::numeric_limits<double>::infinity()})
        EXPECT_THROW(CInt(bad), OverflowError) << bad;
}

TEST(Rounding, CLngHas32BitsAndTheSameHalves)
{
    EXPECT_EQ(CLng(99999.5), 100000);
    EXPECT_EQ(CLng(100000.5), 100000);
    EXPECT_EQ(CLng(-2147483648.4), -2147483647 - 1);
    EXPECT_EQ(CLng(2147483647.0), 2147483647);
    EXPECT_THROW(CLng(2147483647.5), OverflowError);
    EXPECT_THROW(CLng(-2147483649.0), OverflowError);
}

TEST(Rounding, IntIsFloorFixIsTowardZero)
{
    EXPECT_EQ(Int(2.7), 2.0);
    EXPECT_EQ(Int(-2.2), -3.0);
    EXPECT_EQ(Int(-3.0), -3.0);
    EXPECT_EQ(Fix(2.7), 2.0);
    EXPECT_EQ(Fix(-2.7), -2.0);
}

TEST(StrText, DoubleHasLeadingBlankNoLeadingZeroAndFifteenDigits)
{
    struct Case { double x; const char* want; };
    const Case cases[] = {
        {0.0, " 0"}, {-0.0, " 0"}, {0.5, " .5"}, {-0.25, "-.25"}, {1.0, " 1"}, {-5.0, "-5"},
        {144.0, " 144"}, {9.9, " 9.9"}, {0.1 + 0.2, " .3"}, {1.0 / 3.0, " .333333333333333"},
        {2.0 / 3.0, " .666666666666667"}, {1e-3, " .001"}, {1e-4, " .0001"}, {1e-5, " 1E-05"},
        {-1.5e-7, "-1.5E-07"}, {123456789012345.0, " 123456789012345"}, {1e15, " 1E+15"}, {1e16, " 1E+16"},
        {1.5e300, " 1.5E+300"}, {-250.5, "-250.5"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Str(c.x).toStdString(), c.want) << c.x;
}

TEST(StrText, SingleShowsSevenDigitsWithoutFloatNoise)
{
    struct Case { float x; const char* want; };
    const Case cases[] = {
        {0.5f, " .5"}, {9.9f, " 9.9"}, {359.9f, " 359.9"}, {-0.25f, "-.25"}, {1e-3f, " .001"},
        {0.1f, " .1"}, {1.1f, " 1.1"}, {-250.5f, "-250.5"}, {1234567.0f, " 1234567"},
        {12345678.0f, " 1.234568E+07"}, {1e7f, " 1E+07"}, {3.14159265f, " 3.141593"}, {2e-5f, " 2E-05"},
        {-0.0f, " 0"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Str(c.x).toStdString(), c.want) << c.x;
}

TEST(StrText, WholeNumbersAndCStr)
{
    EXPECT_EQ(Str(0), " 0");
    EXPECT_EQ(Str(350), " 350");
    EXPECT_EQ(Str(-5), "-5");
    EXPECT_EQ(Str(int16_t(-32768)), "-32768");
    EXPECT_EQ(Str(99999LL), " 99999");
    EXPECT_EQ(Str(3u), " 3");
    EXPECT_EQ(CStr(0.5), "0.5");
    EXPECT_EQ(CStr(359.9f), "359.9");
    EXPECT_EQ(CStr(-250.5f), "-250.5");
    EXPECT_EQ(CStr(12), "12");
    EXPECT_EQ(CStr(-0.0), "0");
}

TEST(FormatNumber, PatternsOfTheTables)
{
    struct Case { double x; const char* pattern; const char* want; };
    const Case cases[] = {
        {0.0, "##0.00", "0.00"}, {5.5, "##0.00", "5.50"}, {359.999, "##0.00", "360.00"},
        {123.456, "##0.00", "123.46"}, {1234.5, "##0.00", "1234.50"}, {-12.345, "##0.00", "-12.35"},
        {0.125, "##0.00", "0.13"},    // half away from zero
        {-0.125, "##0.00", "-0.13"},
        {2.675, "##0.00", "2.68"},    // binary 2.67499999.. but 2.675 at 15 digits
        {1.005, "0.00", "1.01"},
        {-0.001, "0.00", "0.00"},     // a tiny negative shows no sign
        {-0.004, "##0.00", "0.00"}, {-0.005, "##0.00", "-0.01"}, {-0.04, "#0.0", "0.0"},
        {0.05, "#0.0", "0.1"}, {-9.96, "#0.0", "-10.0"}, {12.34, "#0.0", "12.3"},
        {51.4772, "##0.000", "51.477"}, {0.0005, "##0.000", "0.001"}, {-0.0004, "##0.000", "0.000"},
        {12.5, "####0", "13"}, {11.5, "####0", "12"}, {-0.4, "####0", "0"}, {-1234.5, "####0", "-1235"},
        {123456.0, "####0", "123456"}, {7.25, "0.0", "7.3"}, {-7.25, "0.0", "-7.3"}, {0.04, "0.0", "0.0"},
        {3.14159, "#0.00", "3.14"}, {-0.3, "#0.00", "-0.30"}, {1e-20, "##0.00", "0.00"},
        {5.0, "##0.0", "5.0"}, {0.5, "#.00", ".50"}, {5.0, "#.##", "5."}, {5.1, "0.0#", "5.1"},
        {5.123, "0.0#", "5.12"}, {0.0, "0", "0"}, {99.5, "0", "100"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Format(c.x, QString::fromLatin1(c.pattern)).toStdString(), c.want)
            << c.x << " with " << c.pattern;
}

TEST(FormatNumber, LiteralsSinglesAndWholeNumbers)
{
    EXPECT_EQ(Format(12.345, QString::fromUtf8("##0.00°")), QString::fromUtf8("12.35°"));
    EXPECT_EQ(Format(-1.5, "#0.00 dB"), "-1.50 dB");
    EXPECT_EQ(Format(0, "#0.0"), "0.0");
    EXPECT_EQ(Format(int16_t(42), "####0"), "42");
    // A float is taken at its 7 digits: 0.35f is 0.3499999940..., shown 0.4.
    EXPECT_EQ(Format(0.35f, "0.0"), "0.4");
    EXPECT_EQ(Format(359.9f, "##0.00"), "359.90");
    EXPECT_EQ(Format(2.5, ""), "2.5");
}

TEST(FormatDates, WeekdayMonthTimeAndDayMonthYear)
{
    const QDateTime t(QDate(2026, 12, 6), QTime(7, 5, 9));
    struct Case { const char* pattern; const char* want; };
    const Case cases[] = {
        {"dddd", "Sunday"}, {"ddd", "Sun"}, {"mmm yyyy", "Dec 2026"}, {"mmmm", "December"},
        {"hh:mm", "07:05"}, {"hh:mm:ss", "07:05:09"}, {"dd-mm-yyyy", "06-12-2026"},
        {"dd/mm/yyyy", "06/12/2026"}, {"d mmm yy", "6 Dec 26"}, {"h:nn", "7:05"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FormatDate(t, QString::fromLatin1(c.pattern)).toStdString(), c.want) << c.pattern;
    EXPECT_EQ(FormatDate(QDate(2001, 3, 9), "dddd dd-mm-yyyy"), "Friday 09-03-2001");
    EXPECT_EQ(FormatDate(QTime(23, 59, 0), "hh:mm"), "23:59");
    EXPECT_EQ(FormatTime(0, 0, 5, "hh:mm:ss"), "00:00:05");
    // A number under a date pattern is a day serial: weekday numbers 1 = Sunday .. 7 = Saturday.
    EXPECT_EQ(Format(1, "dddd"), "Sunday");
    EXPECT_EQ(Format(int16_t(7), "dddd"), "Saturday");
    EXPECT_EQ(Format(45000.75, "dd-mm-yyyy hh:mm"), "15-03-2023 18:00");
    EXPECT_EQ(Format(45000.0, "mmm yyyy"), "Mar 2023");
}

// A single-precision value is taken to 7 significant digits, to nearest with
// exact ties to even: in a decade where 7 digits reach the units or beyond,
// its text is the one std::to_chars writes at that many decimals. Sampled
// values, and values whose 8th digit is an exact 5.
TEST(FormatNumber, SinglesTakeTheSevenDigitsToCharsWrites)
{
    struct Decade { float low; int decimals; float tieStep; };
    const Decade decades[] = {
        {1e-5f, 11, 0}, {1e-4f, 10, 0}, {0.1f, 7, 0}, {1.f, 6, 1.f / 128}, {100.f, 4, 1.f / 32}, {1e6f, 0, 0.5f},
    };
    std::mt19937 random(7);
    for (const Decade& d : decades) {
        std::vector<float> values;
        std::uniform_real_distribution<float> in(d.low, d.low * 10);
        for (int i = 0; i < 3000; ++i)
            values.push_back(in(random));
        if (d.tieStep > 0)
            for (float v = d.low + d.tieStep; v < d.low * 10; v += d.low * 0.37f)
                values.push_back(std::floor(v / d.tieStep) * d.tieStep + d.tieStep / 2);
        const QString pattern = d.decimals ? "0." + QString(d.decimals, '0') : QString("0");
        const NumberFormat format(pattern);
        for (float v : values) {
            char want[64];
            const auto r = std::to_chars(want, want + sizeof want, double(v), std::chars_format::fixed, d.decimals);
            ASSERT_EQ(format(v).toStdString(), std::string(want, r.ptr)) << v;
            ASSERT_EQ(format(-v).toStdString(), "-" + std::string(want, r.ptr)) << -v;
        }
    }
    // Outside that range, and ties in the text without a pattern.
    struct Case { float x; const char* want; };
    const Case cases[] = {
        {1e-10f, "1E-10"}, {3.4e38f, "3.4E+38"}, {1e-45f, "1.401298E-45"}, {1234567.5f, "1234568"},
        {1234568.5f, "1234568"}, {1.0078125f, "1.007812"}, {1.0234375f, "1.023438"}, {0.f, "0"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CStr(c.x).toStdString(), c.want) << c.x;
}

// A pattern read once serves any number of values, each laid out as Format
// lays it out, written after the text it is given.
TEST(FormatNumber, APatternReadOnceServesManyValues)
{
    const NumberFormat angle("##0.00"), degrees(QString::fromUtf8("\\+##0.0°")), weekday("ddd");
    const DateFormat time("hh:mm");
    QString row = "x";
    for (float v : {359.995f, 0.004f, -0.005f, 12.345f, -7.f}) {
        row += '|';
        angle.appendTo(row, v);
    }
    for (double v : {-0.04, 5.55, 99.96}) {
        row += '|';
        degrees.appendTo(row, v);
    }
    for (int h : {0, 9, 23, 99}) {
        row += '|';
        time.appendTime(row, h, h % 60, 0);
    }
    row += '|';
    weekday.appendTo(row, 7.0);
    EXPECT_EQ(row, QString::fromUtf8("x|360.00|0.00|-0.01|12.35|-7.00|+0.0°|+5.6°|+100.0°|00:00|09:09|23:23|99:39|Sat"));
}

TEST(NumberRule, BlanksSignDigitsOnePoint)
{
    struct Case { const char* text; double want; };
    const Case cases[] = {
        {"", 0}, {"abc", 0}, {"+ 2", 2}, {"1 2", 12}, {" - 5", -5}, {".5", 0.5}, {"5.", 5},
        {"1.2.3", 1.2}, {"12abc", 12}, {"1e3", 1}, {"-", 0}, {"+", 0}, {"--2", 0}, {"2-3", 2},
        {"  144  ", 144}, {"-0", 0}, {"0.2", 0.2}, {"\t7", 7}, {"3,5", 3}, {"+12", 12}, {"- .25", -0.25},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Val(QString::fromLatin1(c.text)), c.want) << '"' << c.text << '"';
    EXPECT_FALSE(std::signbit(Val("-0"))); // Str of it must not print "-0"
}

namespace {
QStringList allItems(const QString& text)
{
    ItemReader r(text);
    QStringList out;
    QString item;
    while (r.next(item))
        out << item;
    EXPECT_EQ(r.count(), out.size());
    EXPECT_TRUE(r.atEnd());
    return out;
}
} // namespace

TEST(ItemRule, QuotesCommasEmptyLinesAndLineEnds)
{
    struct Case { const char* text; QStringList want; };
    const Case cases[] = {
        {"a\r\nb\r\n", {"a", "b"}},
        {"a\nb\n", {"a", "b"}},                     // LF only
        {"a\r\nb", {"a", "b"}},                     // no final line end
        {"a\r\n\r\nc\r\n", {"a", "", "c"}},         // an empty line is an empty item
        {"F1ABC,Paris\r\nx\r\n", {"F1ABC", "Paris", "x"}}, // a comma splits the line
        {"a,\r\nb\r\n", {"a", "", "b"}},            // an item ending at a comma
        {"a,", {"a", ""}},                         // ... the same without a final line end
        {"\"q\",", {"q", ""}},
        {"   12 \r\n", {"12 "}},                    // leading blanks skipped only
        {"\"Paris, France\"\r\n2\r\n", {"Paris, France", "2"}}, // a quoted item keeps its comma
        {"  \"q\" , next\r\n", {"q", "next"}},
        {"\"two\r\nlines\"\r\nz\r\n", {"two\r\nlines", "z"}},
        {"\"open\r\nrest", {"open\r\nrest"}},       // unterminated quote runs to the end
        {" 0\r\n 1\r\n", {"0", "1"}},
        {"", {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(allItems(QString::fromLatin1(c.text)), c.want) << c.text;
}

// The line each item begins on, as a reader names a bad item to the operator.
TEST(ItemRule, LineOfEachItem)
{
    struct Case { const char* text; std::vector<int> want; };
    const Case cases[] = {
        {"a\r\nb\r\n", {1, 2}},
        {"a\rb\nc", {1, 2, 3}},                    // lone CR, LF
        {"a,b\r\n\r\nc\r\n", {1, 1, 2, 3}},     // a comma stays on its line; an empty line counts
        {"a,\r\nb", {1, 1, 2}},
        {"\"two\r\nlines\"\r\nz\r\n", {1, 3}},   // a quoted item across a line end
        {"\"x\"\r\n\"y\"", {1, 2}},
    };
    for (const Case& c : cases) {
        ItemReader r(QString::fromLatin1(c.text));
        EXPECT_EQ(r.line(), 0);
        std::vector<int> lines;
        QString item;
        while (r.next(item))
            lines.push_back(r.line());
        EXPECT_EQ(lines, c.want) << c.text;
    }
}

TEST(ItemRule, NextAtEndLeavesItemUntouched)
{
    ItemReader r("x\r\n");
    QString item;
    ASSERT_TRUE(r.next(item));
    item = "kept";
    EXPECT_FALSE(r.next(item));
    EXPECT_EQ(item, "kept");
    EXPECT_EQ(r.count(), 1);
}

namespace {

// LC_NUMERIC switched to a locale whose decimal point is a comma, for the
// scope. When none is installed, one is compiled into a temporary folder
// from the system's locale sources; without those, active() stays false.
class CommaDecimalLocale {
public:
    CommaDecimalLocale() : previous_(std::setlocale(LC_NUMERIC, nullptr))
    {
        for (const char* name : {"de_DE.UTF-8", "fr_FR.UTF-8", "de_DE.utf8", "fr_FR.utf8"})
            if (use(name))
                return;
        if (!dir_.isValid() || !QFileInfo::exists("/usr/share/i18n/locales/de_DE"))
            return;
        QProcess localedef;
        localedef.start("localedef", {"-i", "de_DE", "-f", "UTF-8", dir_.filePath("de_DE.UTF-8")});
        if (!localedef.waitForFinished(60000))
            return;
        oldLocPath_ = qgetenv("LOCPATH");
        hadLocPath_ = qEnvironmentVariableIsSet("LOCPATH");
        qputenv("LOCPATH", QFile::encodeName(dir_.path()));
        setLocPath_ = true;
        use("de_DE.UTF-8");
    }
    ~CommaDecimalLocale()
    {
        std::setlocale(LC_NUMERIC, previous_.c_str());
        if (setLocPath_) {
            if (hadLocPath_)
                qputenv("LOCPATH", oldLocPath_);
            else
                qunsetenv("LOCPATH");
        }
    }
    bool active() const { return active_; }

private:
    bool use(const char* name)
    {
        active_ = std::setlocale(LC_NUMERIC, name) && *std::localeconv()->decimal_point == ',';
        return active_;
    }
    std::string previous_;
    QTemporaryDir dir_;
    QByteArray oldLocPath_;
    bool hadLocPath_ = false, setLocPath_ = false, active_ = false;
};

} // namespace

// A Qt program takes its C locale from the environment: under a French or
// German desktop, printf and strtod would write " 1,5" and read "1.5" as 1.
TEST(TextRules, IgnoreTheCLocaleOfTheProcess)
{
    CommaDecimalLocale locale;
    if (!locale.active())
        GTEST_SKIP() << "no locale with a decimal comma can be had on this machine";
    EXPECT_EQ(Str(1.5), " 1.5");
    EXPECT_EQ(Str(-0.25f), "-.25");
    EXPECT_EQ(Str(1.5e-7), " 1.5E-07");
    EXPECT_EQ(CStr(-250.5f), "-250.5");
    EXPECT_EQ(Format(2.675, "##0.00"), "2.68");
    EXPECT_EQ(Val("1.5"), 1.5);
    EXPECT_EQ(Val("- .25"), -0.25);
}
