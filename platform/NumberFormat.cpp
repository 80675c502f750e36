#include "platform/NumberFormat.h"

#include "platform/WendrakError.h"

#include <QLocale>
#include <atomic>
#include <cmath>
#include <cstdio>
#include <string>

namespace platform {
namespace {

std::atomic<char16_t> g_separator{0};

using u128 = unsigned __int128;

std::uint64_t magnitude(std::int64_t v) {
    return v < 0 ? std::uint64_t(0) - std::uint64_t(v) : std::uint64_t(v);
}

// Decimal digits of a value: value = 0.d1d2d3... x 10^exponent, d1 != 0 (or no digits for
// zero). Exact for quotients: long division, digits past the last are not produced.
struct Digits {
    std::string digits;
    int exponent = 0;
    bool more = false; // whether digits beyond those produced are not all zero
};

Digits quotientDigits(std::uint64_t num, std::uint64_t den, int count) {
    Digits d;
    const std::uint64_t whole = num / den;
    u128 rem = num % den;
    if (whole > 0) {
        d.digits = std::to_string(whole);
        d.exponent = static_cast<int>(d.digits.size());
    } else {
        // Leading zeros after the separator move the exponent.
        while (rem != 0) {
            rem *= 10;
            if (rem / den != 0)
                break;
            rem %= den;
            --d.exponent;
        }
        if (rem == 0)
            return d;
        d.digits.push_back(char('0' + int(rem / den)));
        rem %= den;
    }
    while (int(d.digits.size()) < count && rem != 0) {
        rem *= 10;
        d.digits.push_back(char('0' + int(rem / den)));
        rem %= den;
    }
    d.more = rem != 0;
    return d;
}

// Rounds to at most `keep` significant digits, half away from zero.
void roundDigits(Digits& d, int keep) {
    if (int(d.digits.size()) <= keep)
        return;
    const bool up = d.digits[size_t(keep)] >= '5';
    d.digits.resize(size_t(keep));
    if (!up)
        return;
    int i = keep - 1;
    while (i >= 0 && d.digits[size_t(i)] == '9')
        d.digits[size_t(i--)] = '0';
    if (i < 0) {
        d.digits.insert(d.digits.begin(), '1');
        d.digits.pop_back();
        ++d.exponent;
    } else {
        ++d.digits[size_t(i)];
    }
}

QString generalFromDigits(bool negative, Digits d) {
    roundDigits(d, 15);
    while (!d.digits.empty() && d.digits.back() == '0')
        d.digits.pop_back();
    if (d.digits.empty())
        return QStringLiteral("0");
    const QChar sep = decimalSeparator();
    QString out = negative ? QStringLiteral("-") : QString();
    const int x = d.exponent - 1; // exponent of the first digit
    const QString digits = QString::fromLatin1(d.digits.c_str());
    if (x >= -5 && x < 15) {
        if (x >= 0) {
            const int intLen = x + 1;
            out += digits.left(intLen);
            if (digits.size() < intLen)
                out += QString(intLen - digits.size(), QLatin1Char('0'));
            if (digits.size() > intLen)
                out += sep + digits.mid(intLen);
        } else {
            out += QLatin1Char('0') + QString(sep) + QString(-x - 1, QLatin1Char('0')) + digits;
        }
    } else {
        out += digits.left(1);
        if (digits.size() > 1)
            out += sep + digits.mid(1);
        out += QLatin1Char('E') + QString::number(x);
    }
    return out;
}

// Exact decimal digits of a finite double (glibc prints the exact expansion).
Digits doubleDigits(double value) {
    Digits d;
    if (value == 0)
        return d;
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.40e", std::fabs(value));
    const std::string s(buf);
    const size_t e = s.find('e');
    for (size_t i = 0; i < e; ++i)
        if (s[i] != '.')
            d.digits.push_back(s[i]);
    d.exponent = std::stoi(s.substr(e + 1)) + 1;
    return d;
}

QString fixedFromScaled(bool negative, u128 scaled, int precision, int width) {
    std::string digits;
    do {
        digits.insert(digits.begin(), char('0' + int(scaled % 10)));
        scaled /= 10;
    } while (scaled != 0);
    if (int(digits.size()) <= precision)
        digits.insert(digits.begin(), size_t(precision + 1 - int(digits.size())), '0');
    QString out = negative ? QStringLiteral("-") : QString();
    const QString all = QString::fromLatin1(digits.c_str());
    out += all.left(all.size() - precision);
    if (precision > 0)
        out += decimalSeparator() + all.right(precision);
    return padLeft(out, width);
}

u128 pow10(int n) {
    u128 p = 1;
    while (n-- > 0)
        p *= 10;
    return p;
}

} // namespace

QChar decimalSeparator() {
    char16_t sep = g_separator.load();
    if (sep == 0) {
        // A desktop without a locale of its own ("C") gets the German separator: the
        // program and its users are German.
        const QLocale system = QLocale::system();
        const QString point =
            system.language() == QLocale::C ? QStringLiteral(",") : system.decimalPoint();
        sep = point.isEmpty() ? u',' : point.at(0).unicode();
        g_separator.store(sep);
    }
    return QChar(sep);
}

void setDecimalSeparator(QChar separator) {
    g_separator.store(separator.unicode());
}

QString formatGeneral(std::int64_t numerator, std::int64_t denominator) {
    if (denominator == 0)
        throw WendrakError(QStringLiteral("Division durch Null"));
    const bool negative = (numerator < 0) != (denominator < 0) && numerator != 0;
    return generalFromDigits(negative,
                             quotientDigits(magnitude(numerator), magnitude(denominator), 16));
}

QString formatGeneral(double value) {
    if (std::isnan(value))
        return QStringLiteral("NAN");
    if (std::isinf(value))
        return value > 0 ? QStringLiteral("INF") : QStringLiteral("-INF");
    return generalFromDigits(std::signbit(value) && value != 0, doubleDigits(value));
}

QString formatFixed(std::int64_t numerator, std::int64_t denominator, int precision, int width) {
    if (denominator == 0)
        throw WendrakError(QStringLiteral("Division durch Null"));
    const std::uint64_t num = magnitude(numerator);
    const std::uint64_t den = magnitude(denominator);
    const u128 scaledNum = u128(num) * pow10(precision);
    u128 q = scaledNum / den;
    const u128 r = scaledNum % den;
    if (r * 2 >= den)
        ++q;
    const bool negative = (numerator < 0) != (denominator < 0) && q != 0;
    return fixedFromScaled(negative, q, precision, width);
}

QString formatFixedDouble(double value, int precision, int width) {
    if (!std::isfinite(value))
        return padLeft(formatGeneral(value), width);
    char buf[400];
    std::snprintf(buf, sizeof buf, "%.*f", precision + 30, std::fabs(value));
    // Exact expansion: take the digits up to precision and round on the next one.
    std::string s(buf);
    const size_t dot = s.find('.');
    std::string kept = s.substr(0, dot) + s.substr(dot + 1, size_t(precision));
    const bool up = s[dot + 1 + size_t(precision)] >= '5';
    u128 scaled = 0;
    for (char c : kept)
        scaled = scaled * 10 + u128(c - '0');
    if (up)
        ++scaled;
    return fixedFromScaled(std::signbit(value) && scaled != 0, scaled, precision, width);
}

QString padLeft(const QString& text, int width) {
    return text.size() >= width ? text : QString(width - text.size(), QLatin1Char(' ')) + text;
}

double strToFloat(const QString& text) {
    const QString t = text.trimmed();
    const QChar sep = decimalSeparator();
    bool ok = !t.isEmpty() && (sep == QLatin1Char('.') || !t.contains(QLatin1Char('.')));
    double value = 0;
    if (ok) {
        QString c = t;
        c.replace(sep, QLatin1Char('.'));
        value = QLocale::c().toDouble(c, &ok);
    }
    if (!ok)
        throw WendrakError(QStringLiteral("'%1' ist kein gültiger Gleitkommawert.").arg(text));
    return value;
}

int strToInt(const QString& text) {
    bool ok = false;
    const int value = text.trimmed().toInt(&ok, 10);
    if (!ok)
        throw WendrakError(QStringLiteral("'%1' ist kein gültiger Integerwert.").arg(text));
    return value;
}

} // namespace platform
