// Styled lines: building pieces, splitting lines under the comma-text rules, and the
// style digit of every item.
#include "engine/StyledLine.h"
#include "platform/WendrakError.h"

#include <gtest/gtest.h>

namespace {

TEST(StyledLine, PieceIsQuotedStyleAndTextWithCommaUnlessLastAndComesBackUnchanged) {
    EXPECT_EQ(MakeStyledPiece(1, QStringLiteral("500"), false), QStringLiteral("\"1500\","));
    EXPECT_EQ(MakeStyledPiece(2, QString(), true), QStringLiteral("\"2\""));
    const QStringList texts = {"Das heißt: ", "1,00", "  Blanks, Kommas; und \"Zitate\"  ", ""};
    QString line;
    for (int i = 0; i < texts.size(); ++i)
        line += MakeStyledPiece(i * 3, texts[i], i + 1 == texts.size());
    QStringList back;
    for (const StyledPiece& p : ParseStyledLine(line))
        back << QString::number(p.Style) + p.Text;
    EXPECT_EQ(back,
              QStringList({"0Das heißt: ", "31,00", "6  Blanks, Kommas; und \"Zitate\"  ", "9"}));
}

TEST(StyledLine, SplitsItemsByTheCommaTextRules) {
    const std::pair<const char*, QStringList> cases[] = {
        {"", {}},
        {"a b", {"a", "b"}},                 // a blank ends an unquoted item
        {"  a  ,  b  ", {"a", "b"}},         // blanks around items vanish
        {"a,,b", {"a", "", "b"}},            // an empty item between two commas
        {"a,", {"a", ""}},                   // a trailing comma adds an empty item
        {"a, ", {"a"}},                      // ...but not when blanks follow it
        {"\"0a b,c\",1d", {"0a b,c", "1d"}}, // quotes keep blanks and commas
        {"\"0a\"\"b\"", {"0a\"b"}},          // a doubled quote inside is one quote
        {"\"0x\"y", {"0x", "y"}},            // text right after the closing quote
        {"\"0abc", {"0ab"}},                 // no closing quote: the last character goes
        {"a\tb\nc", {"a", "b", "c"}},        // control characters count as blanks
    };
    for (const auto& [line, items] : cases)
        EXPECT_EQ(SplitCommaText(QString::fromUtf8(line)), items) << line;
}

TEST(StyledLine, ItemWithoutLeadingDigitIsAConversionError) {
    for (const char* item : {"", "x12", " 1", "-1", "+1", "%"})
        EXPECT_THROW(PieceFromItem(QString::fromUtf8(item)), WendrakError) << item;
    EXPECT_THROW(ParseStyledLine(QStringLiteral("\"0gut\",x,\"1auch gut\"")), WendrakError);
}

} // namespace
