#pragma once
// Fixed-decimals numbers in the operator's regional format, fast enough for
// the datalog files (about forty numbers a record, hundreds of thousands of
// records in a conversion).
//
// The text is the one QLocale::toString(value, 'f', decimals) gives, with
// the ASCII digits 0-9 in place of the locale's own (the numbering systems of
// Arabic, Persian, Devanagari... are not used): the locale's decimal symbol,
// digit grouping (QLocale groups unless the locale carries the
// OmitGroupSeparator option) and negative form. In 8-bit text each of these
// that Latin-1 cannot hold is written in its en_US form ('.', ',', '-'), so a
// file never holds '?' for a number. The digits come from std::to_chars,
// which rounds correctly, or, for single-precision values (every reading of
// the instrument), from exact integer arithmetic on the value scaled by
// 10^decimals; the locale's symbols and grouping are learnt once, from how
// the locale itself writes a few numbers, and then substituted. A locale
// whose texts the substitution cannot reproduce is detected when the format
// is built and then served by QLocale itself (its digits made ASCII).
//
// Rounding, decided here:
// - A value exactly half-way between two results (0.125 with 2 decimals)
//   rounds away from zero, as QLocale does: "0.13", and "-0.13" for -0.125.
// - A value that rounds to zero is written without a sign: -0.001 with 2
//   decimals is "0.00". QLocale writes "-0.00" there, which an operator
//   reads as a real negative reading; nothing in a datalog is negative zero.
// Infinities and NaN, which no instrument reading holds, are written as
// QLocale writes them.

#include <QByteArray>
#include <QLocale>
#include <QString>
#include <cstdint>
#include <string>

class LocaleNumberFormat {
public:
    static constexpr int MaxDecimals = 20;
    // Room that writeEightBit needs at its target.
    static constexpr int EightBitRoom = 2048;

    explicit LocaleNumberFormat(const QLocale& locale = QLocale::system());

    // The value with exactly `decimals` decimals (0..MaxDecimals; others
    // are clamped into that range).
    QString toString(double value, int decimals) const;
    // ToEightBit(toString(value, decimals)) appended to `out`, without the
    // QString in between.
    void appendEightBit(QByteArray& out, double value, int decimals) const;
    // The same bytes written at `out`, which has EightBitRoom bytes of room;
    // returns how many were written.
    int writeEightBit(char* out, double value, int decimals) const;

    // What was learnt from the locale (for diagnostics and tests).
    int groupingLeast() const { return least_; }   // digits before the decimal symbol that form the last group
    int groupingHigher() const { return higher_; } // digits of each further group
    int groupingTop() const { return top_; }       // fewest digits a leading group may have
    bool groups() const { return grouping_; }
    // False when the substitution could not reproduce the locale's own
    // texts; every number then goes through QLocale itself (slower, same
    // result).
    bool fast() const { return fast_; }

private:
    template <typename Char>
    struct Symbols {
        std::basic_string<Char> digits[10];
        std::basic_string<Char> decimal, group, negativePrefix, negativeSuffix;
        bool asciiDigits = false;  // digits[k] is the single character '0' + k
    };

    void learn();
    bool selfCheck() const;
    QString viaLocale(double value, int decimals) const;
    template <typename Char>
    int render(const Symbols<Char>& symbols, double value, int decimals, Char* out) const;
    int writeUnits(char* out, uint64_t units, int decimals, bool negative) const;

    QLocale locale_;
    Symbols<char16_t> wide_;
    Symbols<char> narrow_;
    bool grouping_ = false;
    int least_ = 3;
    int higher_ = 3;
    int top_ = 1;
    bool fast_ = true;
};
