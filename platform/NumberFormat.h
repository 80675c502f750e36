// Number formatting for the figures of windows and result files. The figures are
// quotients and sums of integers, so they are formatted from their exact value (numerator
// and denominator) and binary rounding never changes a digit. Decimal digits are rounded
// half away from zero (6.25 -> "6,3", 0.125 -> "0,13"). The decimal separator comes from
// the user's locale, read once ("," where the desktop has no locale); tests and tools
// can set it.
#pragma once

#include <QChar>
#include <QString>
#include <cstdint>

namespace platform {

QChar decimalSeparator();
void setDecimalSeparator(QChar separator);

// The general floating-point format with 15 significant digits: fixed notation from
// 0.00001 upward (and below 1E15), else scientific with a minimal exponent ("2,5E-7",
// "1E15"); trailing zeros and a bare separator are dropped; 0 is "0".
QString formatGeneral(std::int64_t numerator, std::int64_t denominator);
// The same for a value that is not an exact quotient.
QString formatGeneral(double value);

// printf-style "%W.Pf": P decimals, rounded half away from zero, right-aligned in W
// characters (never cut). formatFixed(25, 4, 1, 3) == "6,3".
QString formatFixed(std::int64_t numerator, std::int64_t denominator, int precision, int width = 0);
QString formatFixedDouble(double value, int precision, int width = 0);

// "%Ws": right-aligned in W characters, never cut.
QString padLeft(const QString& text, int width);

// Text to number with the locale's separator; throws WendrakError for text that is not a
// number, the empty text included.
double strToFloat(const QString& text);
// Text to integer; throws WendrakError for text that is not an integer.
int strToInt(const QString& text);

} // namespace platform
