#pragma once
// The numbers of the setup sub-editors' text boxes (standard values and
// tolerances), as the operator reads and types them: in the operator's
// regional number format (decimal symbol, digit grouping, negative sign of
// the locale given; the program passes QLocale(), the default locale, which
// is the system's unless the program pinned another).
//
// Shown values: the regional default of two decimals, and up to four where
// the value has more ("0.005", "0.3127", "31.2727"; trailing zeros beyond the
// second decimal left out), within the box's 10 characters. Two fixed
// decimals would move a chromaticity or a small tolerance on every open and
// save without editing (0.3127 to 0.31, 0.005 to 0.01); four keep them, and
// a value converted from the stored single-precision XYZ and back lands on
// the same four decimals, so opening and saving again changes nothing more.
// More than four would only show the noise of the conversions (a neutral's
// a* of -0.0000023). A value that rounds to zero is shown without a sign. A
// value too large for 10 characters even with two decimals is shown whole.
//
// Typed values: a text is a number when the locale reads it as one, with
// surrounding blanks, a sign and the locale's digit grouping allowed; an
// empty or blank text is not a number, nor is "inf" or "nan".

#include <QLocale>
#include <QString>

namespace SetupNumberText {

// How many characters a value box of the sub-editors holds.
inline constexpr int BoxCharacters = 10;

QString Format(double value, const QLocale& locale = QLocale());

// True, with the value, when the text reads as a finite number.
bool Read(const QString& text, double& value, const QLocale& locale = QLocale());

// The value as a single-precision number; beyond its range is an overflow
// error (AppError 6) naming what was converted.
float ToSingle(double value, const QString& what);

}  // namespace SetupNumberText

// The shortest text that reads back as the same single-precision value
// ("0.1", "12", "-3.5e-07"), with a point whatever the locale: for values
// that must be told apart exactly, beyond the editors' four decimals.
QString ShortestFloatText(float value);
