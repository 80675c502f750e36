// Building and taking apart styled lines (see StyledLine.h).
#include "engine/StyledLine.h"

#include "platform/Colours.h"

#include "platform/NumberFormat.h"
#include "platform/WendrakError.h"

namespace {

constexpr QChar Quote = u'"';
constexpr QChar Delimiter = u',';

// The comma-text rules treat every control character and the blank as white space, and
// a NUL ends the text.
bool isBlank(QChar c) {
    return c.unicode() >= 1 && c.unicode() <= 32;
}

} // namespace

QString MakeStyledPiece(int style, const QString& text, bool last) {
    QString escaped = text;
    escaped.replace(Quote, QStringLiteral("\"\""));
    QString piece = Quote + QString::number(style) + escaped + Quote;
    if (!last)
        piece += Delimiter;
    return piece;
}

QString StyledLine(const std::vector<std::pair<int, QString>>& pieces) {
    QString line;
    for (std::size_t i = 0; i < pieces.size(); ++i)
        line += MakeStyledPiece(pieces[i].first, pieces[i].second, i + 1 == pieces.size());
    return line;
}

QStringList SplitCommaText(const QString& line) {
    const qsizetype nul = line.indexOf(QChar(0));
    const QStringView text = nul < 0 ? QStringView(line) : QStringView(line).left(nul);
    const qsizetype n = text.size();
    QStringList items;
    qsizetype p = 0;
    while (p < n && isBlank(text[p]))
        ++p;
    while (p < n) {
        QString item;
        if (text[p] == Quote) {
            // A quoted item runs to the first quote that is not doubled; doubled quotes
            // inside stand for one. Without a closing quote the item runs to the end of
            // the line and loses its last character, as the rules have it.
            ++p;
            bool closed = false;
            while (p < n) {
                if (text[p] == Quote) {
                    if (p + 1 < n && text[p + 1] == Quote) {
                        item += Quote;
                        p += 2;
                        continue;
                    }
                    ++p;
                    closed = true;
                    break;
                }
                item += text[p];
                ++p;
            }
            if (!closed)
                item.chop(1);
        } else {
            const qsizetype start = p;
            while (p < n && !isBlank(text[p]) && text[p] != Delimiter)
                ++p;
            item = text.mid(start, p - start).toString();
        }
        items.append(item);
        while (p < n && isBlank(text[p]))
            ++p;
        if (p < n && text[p] == Delimiter) {
            if (p + 1 == n)
                items.append(QString()); // a trailing comma ends with an empty item
            do
                ++p;
            while (p < n && isBlank(text[p]));
        }
    }
    return items;
}

StyledPiece PieceFromItem(const QString& item) {
    const QString digit = item.left(1);
    if (digit.size() != 1 || digit[0] < u'0' || digit[0] > u'9') {
        platform::strToInt(digit); // throws the program's conversion message
        throw WendrakError(QStringLiteral("'%1' ist kein gültiger Integerwert.").arg(digit));
    }
    return {digit[0].unicode() - u'0', item.mid(1)};
}

QList<StyledPiece> ParseStyledLine(const QString& line) {
    QList<StyledPiece> pieces;
    for (const QString& item : SplitCommaText(line))
        pieces.append(PieceFromItem(item));
    return pieces;
}

StyleLook LookOfStyle(int style) {
    switch (style) {
    case 0:
        return {true, colours::clBlack, false};
    case 1:
        return {true, colours::clStyleOrange, false};
    case 2:
        return {true, colours::clStyleOrange, true};
    default:
        return {false, 0, false};
    }
}
