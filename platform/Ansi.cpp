#include "platform/Ansi.h"

#include "platform/WendrakError.h"

#include <array>
#include <unordered_map>

namespace platform {
namespace {

// 0x80..0x9F of Windows-1252; the five undefined bytes keep their C1 code point so that
// every byte survives a decode and encode.
constexpr std::array<char16_t, 32> kHigh = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

const std::unordered_map<char16_t, char>& reverseHigh() {
    static const std::unordered_map<char16_t, char> map = [] {
        std::unordered_map<char16_t, char> m;
        for (int i = 0; i < 32; ++i)
            m.emplace(kHigh[i], static_cast<char>(0x80 + i));
        return m;
    }();
    return map;
}

} // namespace

QString fromAnsi(const char* data, qsizetype size) {
    QString out(size, Qt::Uninitialized);
    QChar* dst = out.data();
    for (qsizetype i = 0; i < size; ++i) {
        const auto b = static_cast<unsigned char>(data[i]);
        dst[i] = (b >= 0x80 && b < 0xA0) ? QChar(kHigh[b - 0x80]) : QChar(char16_t(b));
    }
    return out;
}

QString fromAnsi(const QByteArray& bytes) {
    return fromAnsi(bytes.constData(), bytes.size());
}

QByteArray toAnsi(const QString& text) {
    QByteArray out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text.at(i).unicode();
        if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
            out.append(static_cast<char>(c));
            continue;
        }
        const auto& high = reverseHigh();
        const auto it = high.find(c);
        if (it != high.end()) {
            out.append(it->second);
        } else if (c >= 0xDC80 && c <= 0xDCFF) {
            // A byte of a file name that was not UTF-8 (see Paths.h): the byte itself.
            out.append(static_cast<char>(c - 0xDC00));
        } else {
            // A surrogate pair is one character and becomes one "?".
            if (QChar::isHighSurrogate(c) && i + 1 < text.size() && text.at(i + 1).isLowSurrogate())
                ++i;
            out.append('?');
        }
    }
    return out;
}

bool fitsAnsi(const QString& text) {
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text.at(i).unicode();
        if (c < 0x80 || (c >= 0xA0 && c <= 0xFF) || (c >= 0xDC80 && c <= 0xDCFF))
            continue;
        if (!reverseHigh().count(c))
            return false;
    }
    return true;
}

QString AnsiFieldMessage(const QString& field) {
    return QStringLiteral("Das Feld „%1“ enthält Zeichen, die nicht gespeichert werden "
                          "können. Erlaubt sind nur Zeichen des Windows-Zeichensatzes "
                          "(Windows-1252).")
        .arg(field);
}

void CheckAnsiField(const QString& field, const QString& text) {
    if (!fitsAnsi(text))
        throw WendrakError(AnsiFieldMessage(field));
}

QString ansiUpper(const QString& text) {
    // A letter whose upper form Windows-1252 cannot hold keeps its case ("µ"), so the
    // result still encodes to the same number of bytes; "ÿ" -> "Ÿ" is within it.
    QString out = text;
    for (QChar& ch : out) {
        const QChar up = ch.toUpper();
        if (up == ch)
            continue;
        const char16_t u = up.unicode();
        if (u < 0x100 || reverseHigh().count(u))
            ch = up;
    }
    return out;
}

} // namespace platform
