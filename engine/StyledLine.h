// Styled lines: a line of text made of pieces, each drawn in one of ten styles, written as
// one comma-separated text. Every piece is an item whose first character is the style
// digit and whose rest is the text; items follow the comma-text rules (a blank or comma
// ends an unquoted item, a quoted item may hold both, a doubled quote inside quotes is one
// quote). The run builds the lines, the result window and the headless driver take them
// apart again.
#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <utility>
#include <vector>

// One piece of a styled line.
struct StyledPiece {
    int Style = 0;
    QString Text;
};

// How a style looks. Colours are $BBGGRR (platform/Colours.h).
struct StyleLook {
    bool ownColor = false; // false: the parent's font colour
    int color = 0;         // when ownColor
    bool centred = false;  // fixed to the placeholder's width, text centred
};

// Builds one piece: a quote, the style digits, the text, a quote, and a comma unless it
// is the last piece of the line. A quote inside the text is doubled so the text comes
// back unchanged.
QString MakeStyledPiece(int style, const QString& text, bool last);

// A whole line from its pieces (style, text); the last piece closes the line.
QString StyledLine(const std::vector<std::pair<int, QString>>& pieces);

// Splits a line into its items under the comma-text rules.
QStringList SplitCommaText(const QString& line);

// Turns one item into a piece: the first character is the style (a decimal digit), the
// rest the text. Throws WendrakError for an item that does not begin with a digit (the
// empty item included).
StyledPiece PieceFromItem(const QString& item);

// All pieces of a line; throws WendrakError at the first bad item. A display that must
// keep the pieces before a bad one walks SplitCommaText and PieceFromItem itself.
QList<StyledPiece> ParseStyledLine(const QString& line);

// 0 black, 1 orange, 2 orange and centred, 3 to 9 the parent's font colour.
StyleLook LookOfStyle(int style);
