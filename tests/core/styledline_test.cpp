// Styled lines: building pieces, splitting lines under the comma-text rules, and the
// style digit of every item.
#include "engine/StyledLine.h"
#include "platform/WendrakError.h"

#include <gtest/gtest.h>

namespace {

TEST(StyledLine, PieceIsQuotedStyleAndTextWithCommaUnlessLast) {
    EXPECT_EQ(MakeStyledPiece(1, QStringLiteral("500"), false), QStringLiteral("\"1500\","));
    EXPECT_EQ(MakeStyledPiece(0, QStringLiteral("Das heißt: "), true),
              QStringLiteral("\"0Das heißt: \""));
    EXPECT_EQ(MakeStyledPiece(2, QString(), true), QStringLiteral("\"2\""));
}

TEST(StyledLine, PiecesComeBackUnchangedWhateverTheirText) {
    const QList<StyledPiece> pieces = {
        {0, QStringLiteral("Im Frieden endeten: ")},
        {1, QStringLiteral("1,00")},
        {0, QStringLiteral("  Blanks, Kommas; und \"Zitate\"  ")},
        {2, QStringLiteral("k.A.")},
        {9, QString()},
    };
    QString line;
    for (int i = 0; i < pieces.size(); ++i)
        line += MakeStyledPiece(pieces[i].Style, pieces[i].Text, i + 1 == pieces.size());
    const QList<StyledPiece> back = ParseStyledLine(line);
    ASSERT_EQ(back.size(), pieces.size());
    for (int i = 0; i < pieces.size(); ++i) {
        EXPECT_EQ(back[i].Style, pieces[i].Style) << i;
        EXPECT_EQ(back[i].Text, pieces[i].Text) << i;
    }
}

struct SplitCase {
    const char* line;
    QStringList items;
};

TEST(StyledLine, SplitsItemsByTheCommaTextRules) {
    const SplitCase cases[] = {
        {"", {}},
        {"   ", {}},
        {"2k.A.", {"2k.A."}},
        {"a,b", {"a", "b"}},
        {"a b", {"a", "b"}},                 // a blank ends an unquoted item
        {"  a  ,  b  ", {"a", "b"}},         // blanks around items vanish
        {"a,,b", {"a", "", "b"}},            // an empty item between two commas
        {"a,", {"a", ""}},                   // a trailing comma adds an empty item
        {"a, ", {"a"}},                      // ...but not when blanks follow it
        {"\"0a b,c\",1d", {"0a b,c", "1d"}}, // quotes keep blanks and commas
        {"\"\"", {""}},
        {"\"0a\"\"b\"", {"0a\"b"}}, // a doubled quote inside is one quote
        {"\"0x\"y", {"0x", "y"}},   // text right after the closing quote
        {"\"0abc", {"0ab"}},        // no closing quote: the last character goes
        {"\"", {""}},
        {"a\tb\nc", {"a", "b", "c"}}, // control characters count as blanks
    };
    for (const SplitCase& c : cases)
        EXPECT_EQ(SplitCommaText(QString::fromUtf8(c.line)), c.items) << c.line;
}

TEST(StyledLine, ItemWithoutLeadingDigitIsAConversionError) {
    EXPECT_EQ(PieceFromItem(QStringLiteral("9x")).Style, 9);
    for (const char* item : {"", "x12", " 1", "-1", "+1", "%"})
        EXPECT_THROW(PieceFromItem(QString::fromUtf8(item)), WendrakError) << item;
    EXPECT_THROW(ParseStyledLine(QStringLiteral("\"0gut\",x,\"1auch gut\"")), WendrakError);
    // Pieces before the bad item can still be taken one by one.
    const QStringList items = SplitCommaText(QStringLiteral("\"0gut\",x"));
    ASSERT_EQ(items.size(), 2);
    EXPECT_EQ(PieceFromItem(items[0]).Text, QStringLiteral("gut"));
}

} // namespace
