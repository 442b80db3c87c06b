#include "LocaleNumberFormat.h"

#include "AppError.h"
#include "ExactPowers.h"
#include "RegionalFormat.h"
#include "TextFiles.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <cmath>
#include <cstring>
#include <limits>
#include <vector>

namespace {

// Room for the longest double in fixed form (309 whole digits) with the most
// decimals, and for that text once the locale's symbols are substituted.
constexpr int PlainSize = 400;
constexpr int RenderedSize = 2048;
// Longer symbols than this (no locale has them) send every number through
// QLocale itself, so that the buffers above always suffice.
constexpr qsizetype LongestSymbol = 4;

// 2^0 .. 2^(MaxDecimals + 1).
constexpr auto kPowersOfTwo = PowersOf<LocaleNumberFormat::MaxDecimals + 2>(2.0);

// 10^0 .. 10^12.
constexpr int FastDecimals = 12;
constexpr auto kPowersOfTen = PowersOf<FastDecimals + 1>(10.0);

// Every reading of the instrument is a single-precision value. For those the
// product with 10^decimals (decimals <= 12) is exact in a double: 24 bits of
// the value times at most 28 bits of 5^decimals. Below 2^53 its whole part
// and fraction are exact too, so rounding it is plain arithmetic, several
// times faster than formatting the double. False for other values.
bool scaledSingle(double magnitude, int decimals, uint64_t& units)
{
    constexpr double Limit = 9007199254740992.0;  // 2^53
    if (decimals > FastDecimals || !(magnitude <= std::numeric_limits<float>::max())) return false;
    if (static_cast<double>(static_cast<float>(magnitude)) != magnitude) return false;
    const double scaled = magnitude * kPowersOfTen[decimals];
    if (!(scaled < Limit)) return false;
    units = static_cast<uint64_t>(scaled);  // truncates: scaled is not negative
    if (scaled - static_cast<double>(units) >= 0.5) ++units;  // a tie goes away from zero
    return true;
}

constexpr char kDigitPairs[] =
    "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
    "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
    "8081828384858687888990919293949596979899";

// The decimal digits of units, right-aligned so that they end at `end`, with
// leading zeros up to at least `minimum` digits; returns where they start.
char* unitDigits(uint64_t units, int minimum, char* end)
{
    char* p = end;
    while (units >= 100) {
        const auto pair = static_cast<std::size_t>(units % 100) * 2;
        units /= 100;
        p -= 2;
        p[0] = kDigitPairs[pair];
        p[1] = kDigitPairs[pair + 1];
    }
    if (units >= 10) {
        const auto pair = static_cast<std::size_t>(units) * 2;
        p -= 2;
        p[0] = kDigitPairs[pair];
        p[1] = kDigitPairs[pair + 1];
    } else {
        *--p = static_cast<char>('0' + units);
    }
    while (end - p < minimum) *--p = '0';
    return p;
}

// The same in the plain form of plainDigits.
int floatDigits(double magnitude, int decimals, char* buf)
{
    uint64_t units = 0;
    if (!scaledSingle(magnitude, decimals, units)) return -1;
    char digits[32];
    char* const end = digits + sizeof digits;
    const char* first = unitDigits(units, decimals + 1, end);
    const auto wholeDigits = static_cast<std::size_t>(end - first - decimals);
    std::memcpy(buf, first, wholeDigits);
    if (decimals == 0) return static_cast<int>(wholeDigits);
    buf[wholeDigits] = '.';
    std::memcpy(buf + wholeDigits + 1, first + wholeDigits, static_cast<std::size_t>(decimals));
    return static_cast<int>(wholeDigits) + 1 + decimals;
}

// The magnitude with exactly `decimals` decimals in ASCII ("1234.568"), no
// sign, rounded as QLocale rounds.
int plainDigits(double magnitude, int decimals, char* buf)
{
    const int fast = floatDigits(magnitude, decimals, buf);
    if (fast >= 0) return fast;
    // to_chars rounds an exact tie to even; QLocale rounds it away from zero.
    // A tie needs the value to end with a 5 in decimal place decimals + 1,
    // which is possible only when magnitude x 2^(decimals + 1) is whole; then
    // the value has at most decimals + 1 decimals and to_chars writes them
    // all without rounding.
    const double scaled = magnitude * kPowersOfTwo[decimals + 1];  // exact: a power of two
    if (scaled == std::floor(scaled)) {
        const auto exact = std::to_chars(buf, buf + PlainSize, magnitude, std::chars_format::fixed, decimals + 1);
        int length = static_cast<int>(exact.ptr - buf);
        if (buf[length - 1] == '5') {
            length -= decimals == 0 ? 2 : 1;  // drop the 5 (and the point when no decimals remain)
            int i = length - 1;
            for (; i >= 0; --i) {
                if (buf[i] == '.') continue;
                if (buf[i] != '9') {
                    ++buf[i];
                    break;
                }
                buf[i] = '0';
            }
            if (i < 0) {  // 9.995 -> 10.00: a new leading digit
                std::memmove(buf + 1, buf, static_cast<std::size_t>(length));
                buf[0] = '1';
                ++length;
            }
            return length;
        }
    }
    const auto rounded = std::to_chars(buf, buf + PlainSize, magnitude, std::chars_format::fixed, decimals);
    return static_cast<int>(rounded.ptr - buf);
}

bool allZero(const char* plain, int length)
{
    for (int i = 0; i < length; ++i)
        if (plain[i] != '0' && plain[i] != '.') return false;
    return true;
}

template <typename Char>
Char* put(Char* p, const std::basic_string<Char>& text)
{
    std::copy(text.begin(), text.end(), p);
    return p + text.size();
}

// A locale's text of a whole number split into its digits and what stands
// between them: run lengths of digits and the separators between the runs.
struct DigitRuns {
    std::vector<int> runs;
    std::vector<QString> separators;
    bool onlyDigits = true;  // nothing before the first digit or after the last
};

DigitRuns splitDigits(const QString& text, const QString (&digits)[10])
{
    DigitRuns result;
    QString separator;
    int run = 0;
    qsizetype pos = 0;
    while (pos < text.size()) {
        qsizetype matched = 0;
        for (const QString& digit : digits) {
            if (!digit.isEmpty() && QStringView(text).mid(pos).startsWith(digit)) {
                matched = digit.size();
                break;
            }
        }
        if (matched > 0) {
            if (!separator.isEmpty()) {
                if (run == 0) result.onlyDigits = false;
                else {
                    result.runs.push_back(run);
                    result.separators.push_back(separator);
                }
                separator.clear();
                run = 0;
            }
            ++run;
            pos += matched;
        } else {
            separator += text[pos];
            ++pos;
        }
    }
    if (!separator.isEmpty()) result.onlyDigits = false;
    result.runs.push_back(run);
    return result;
}

}  // namespace

LocaleNumberFormat::LocaleNumberFormat(const QLocale& locale) : locale_(locale)
{
    learn();
    if (fast_) fast_ = selfCheck();
}

void LocaleNumberFormat::learn()
{
    auto format = [this](double value, int decimals) { return locale_.toString(value, 'f', decimals); };

    QString digits[10];
    for (int k = 0; k < 10; ++k) digits[k] = format(k, 0);

    const QString half = format(0.5, 1);
    const QString minusOne = format(-1.0, 0);
    const qsizetype one = minusOne.indexOf(digits[1]);
    if (!half.startsWith(digits[0]) || !half.endsWith(digits[5]) || one < 0) {
        fast_ = false;
        return;
    }
    QString decimal = half.mid(digits[0].size(), half.size() - digits[0].size() - digits[5].size());
    QString negativePrefix = minusOne.left(one);
    QString negativeSuffix = minusOne.mid(one + digits[1].size());

    // Grouping: the group lengths from a 16-digit number, then the fewest
    // digits that get a separator at all (2 where "1234" stays whole but
    // "12.345" is grouped).
    QString group;
    const DigitRuns large = splitDigits(format(1e15, 0), digits);
    if (!large.onlyDigits) {
        fast_ = false;
        return;
    }
    grouping_ = large.runs.size() > 1;
    if (grouping_) {
        group = large.separators.front();
        for (const QString& s : large.separators)
            if (s != group) fast_ = false;
        least_ = large.runs.back();
        higher_ = large.runs.size() > 2 ? large.runs[large.runs.size() - 2] : least_;
        top_ = 16 - least_;
        for (int wholeDigits = least_ + 1; wholeDigits < 16; ++wholeDigits) {
            if (splitDigits(format(std::pow(10.0, wholeDigits - 1), 0), digits).runs.size() > 1) {
                top_ = wholeDigits - least_;
                break;
            }
        }
        if (least_ < 1 || higher_ < 1 || top_ < 1) fast_ = false;
    }

    const QString* symbols[] = {&decimal, &group, &negativePrefix, &negativeSuffix};
    for (int k = 0; k < 10; ++k) {
        if (digits[k].isEmpty() || digits[k].size() > LongestSymbol) fast_ = false;
        // Written with the ASCII digits whatever the locale's own are.
        narrow_.digits[k] = std::string(1, static_cast<char>('0' + k));
        wide_.digits[k] = std::u16string(1, static_cast<char16_t>(u'0' + k));
    }
    for (const QString* s : symbols)
        if (s->size() > LongestSymbol) fast_ = false;
    wide_.asciiDigits = narrow_.asciiDigits = true;
    wide_.decimal = decimal.toStdU16String();
    wide_.group = group.toStdU16String();
    wide_.negativePrefix = negativePrefix.toStdU16String();
    wide_.negativeSuffix = negativeSuffix.toStdU16String();

    // In 8-bit text each element the encoding cannot hold falls back to its
    // en_US form; the negative form's prefix and suffix go together.
    narrow_.decimal = EightBitOr(decimal, QStringLiteral(".")).toStdString();
    narrow_.group = EightBitOr(group, QStringLiteral(",")).toStdString();
    if (grouping_ && narrow_.group == narrow_.decimal) {
        // One fell back onto the other's symbol: both take the en_US pair,
        // or the number could not be read back.
        narrow_.decimal = ".";
        narrow_.group = ",";
    }
    const bool negativeFits = FitsEightBit(negativePrefix) && FitsEightBit(negativeSuffix);
    narrow_.negativePrefix = negativeFits ? ToEightBit(negativePrefix).toStdString() : std::string("-");
    narrow_.negativeSuffix = negativeFits ? ToEightBit(negativeSuffix).toStdString() : std::string();
}

// The locale's own texts of a few numbers that exercise every symbol and
// every grouping rule; a locale that writes numbers in some other way than
// learnt keeps QLocale for everything.
bool LocaleNumberFormat::selfCheck() const
{
    const double samples[] = {0.0,          1.0,          -1.0,           0.5,          12.345,          -1234.5678,
                              123456.75,    1234567.891,  -98765432.1,    1e15 + 0.25,  987654321.125,   -0.75,
                              10000.0,      100000.0,     -1000000.0,     4294967296.5, 12345678901234.0};
    for (double value : samples)
        for (int decimals = 0; decimals <= 4; ++decimals)
            if (toString(value, decimals) != viaLocale(value, decimals)) return false;
    return true;
}

QString LocaleNumberFormat::viaLocale(double value, int decimals) const
{
    if (std::isfinite(value)) {
        char plain[PlainSize];
        if (allZero(plain, plainDigits(std::fabs(value), decimals, plain))) value = 0.0;  // no "-0.00"
    }
    return RegionalFormat::AsciiDigits(locale_.toString(value, 'f', decimals));
}

template <typename Char>
int LocaleNumberFormat::render(const Symbols<Char>& symbols, double value, int decimals, Char* out) const
{
    char plain[PlainSize];
    const int length = plainDigits(std::fabs(value), decimals, plain);
    const bool negative = std::signbit(value) && !allZero(plain, length);
    const int wholeDigits = decimals > 0 ? length - decimals - 1 : length;

    // Separators stand before the whole digits at positions lastMark,
    // lastMark - higher, ... down to the first that is still at least top:
    // a leading group is never shorter than top digits.
    int nextMark = INT_MAX;
    int lastMark = -1;
    if (grouping_ && wholeDigits - least_ >= top_) {
        lastMark = wholeDigits - least_;
        nextMark = lastMark - (lastMark - top_) / higher_ * higher_;
    }

    Char* p = out;
    if (negative) p = put(p, symbols.negativePrefix);
    auto digit = [&](char c) {
        if (symbols.asciiDigits) *p++ = static_cast<Char>(c);
        else p = put(p, symbols.digits[c - '0']);
    };
    for (int k = 0; k < wholeDigits; ++k) {
        if (k == nextMark) {
            p = put(p, symbols.group);
            nextMark = nextMark < lastMark ? nextMark + higher_ : INT_MAX;
        }
        digit(plain[k]);
    }
    if (decimals > 0) {
        p = put(p, symbols.decimal);
        for (int k = wholeDigits + 1; k < length; ++k) digit(plain[k]);
    }
    if (negative) p = put(p, symbols.negativeSuffix);
    return static_cast<int>(p - out);
}

// The hot path of the datalog files: a single-precision reading in a locale
// with ASCII digits, written from its rounded units straight into the line.
int LocaleNumberFormat::writeUnits(char* out, uint64_t units, int decimals, bool negative) const
{
    char digits[32];
    char* const end = digits + sizeof digits;
    const char* first = unitDigits(units, decimals + 1, end);
    const int wholeDigits = static_cast<int>(end - first) - decimals;
    auto put = [&out](const char* bytes, std::size_t count) {
        std::memcpy(out, bytes, count);
        out += count;
    };
    char* const start = out;
    if (negative) put(narrow_.negativePrefix.data(), narrow_.negativePrefix.size());
    if (grouping_ && wholeDigits - least_ >= top_) {
        // Separators before the whole digits at the marks of render().
        const int lastMark = wholeDigits - least_;
        int done = 0;
        for (int mark = lastMark - (lastMark - top_) / higher_ * higher_; mark <= lastMark; mark += higher_) {
            put(first + done, static_cast<std::size_t>(mark - done));
            put(narrow_.group.data(), narrow_.group.size());
            done = mark;
        }
        put(first + done, static_cast<std::size_t>(wholeDigits - done));
    } else {
        put(first, static_cast<std::size_t>(wholeDigits));
    }
    if (decimals > 0) {
        put(narrow_.decimal.data(), narrow_.decimal.size());
        put(first + wholeDigits, static_cast<std::size_t>(decimals));
    }
    if (negative) put(narrow_.negativeSuffix.data(), narrow_.negativeSuffix.size());
    return static_cast<int>(out - start);
}

QString LocaleNumberFormat::toString(double value, int decimals) const
{
    decimals = std::clamp(decimals, 0, MaxDecimals);
    if (!fast_ || !std::isfinite(value)) return viaLocale(value, decimals);
    char16_t rendered[RenderedSize];
    const int length = render(wide_, value, decimals, rendered);
    return QString(reinterpret_cast<const QChar*>(rendered), length);
}

void LocaleNumberFormat::appendEightBit(QByteArray& out, double value, int decimals) const
{
    char rendered[EightBitRoom];
    out.append(rendered, writeEightBit(rendered, value, decimals));
}

int LocaleNumberFormat::writeEightBit(char* out, double value, int decimals) const
{
    static_assert(EightBitRoom >= RenderedSize);
    decimals = std::clamp(decimals, 0, MaxDecimals);
    uint64_t units = 0;
    if (fast_ && narrow_.asciiDigits && scaledSingle(std::fabs(value), decimals, units))
        return writeUnits(out, units, decimals, std::signbit(value) && units != 0);
    if (fast_ && std::isfinite(value)) return render(narrow_, value, decimals, out);
    // Only a locale whose numbers could not be learnt, or a value that is no
    // number, comes here: its text, or the en_US text when it does not fit.
    const QByteArray text = EightBitOr(viaLocale(value, decimals),
                                       QLocale(QLocale::English, QLocale::UnitedStates).toString(value, 'f', decimals));
    // A finite double has at most 309 whole digits; only a locale with
    // symbols of dozens of characters could get near the room.
    if (text.size() > EightBitRoom)
        throw AppError::overflow(QStringLiteral("the number %1 does not fit in a datalog field").arg(value));
    std::memcpy(out, text.constData(), static_cast<std::size_t>(text.size()));
    return static_cast<int>(text.size());
}
