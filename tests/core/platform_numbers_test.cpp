// Number formatting: the figures of the result files must keep every digit their readers
// compare, whatever binary rounding would do.
#include "platform/NumberFormat.h"
#include "platform/WendrakError.h"

#include <gtest/gtest.h>

using namespace platform;

class NumberFormatTest : public ::testing::Test {
protected:
    void SetUp() override { setDecimalSeparator(QLatin1Char(',')); }
};

TEST_F(NumberFormatTest, FixedRoundsHalfAwayFromZeroFromExactQuotients) {
    // Numerator, denominator, precision, width, text.
    const std::tuple<std::int64_t, std::int64_t, int, int, const char*> rows[] = {
        {25, 4, 1, 3, "6,3"},     // 6.25: printf would give 6,2
        {1, 8, 2, 1, "0,13"},     // 0.125
        {201, 200, 2, 1, "1,01"}, // 1.005: binary 1.00499999...
        {-25, 4, 1, 3, "-6,3"},   {7, 1, 1, 3, "7,0"},
        {0, 5, 2, 1, "0,00"},     {1234567, 10, 1, 3, "123456,7"}, // width never cuts
        {1, 2, 0, 3, "  1"},      {5, 100, 1, 5, "  0,1"},
        {-1, 100, 1, 3, "0,0"}, // a negative that rounds to zero has no sign
    };
    for (const auto& [num, den, prec, width, want] : rows)
        EXPECT_EQ(formatFixed(num, den, prec, width), QString(want)) << num << "/" << den;
}

TEST_F(NumberFormatTest, DoublesAreFormattedFromTheirExactBinaryValueWithTheChosenSeparator) {
    EXPECT_EQ(formatFixedDouble(1.005, 2), "1,00"); // the double really lies below 1.005
    EXPECT_EQ(formatFixedDouble(2.5, 0, 1), "3");
    EXPECT_EQ(formatGeneral(0.1), "0,1");
    EXPECT_EQ(formatGeneral(2.5e-7), "2,5E-7");
    EXPECT_EQ(formatGeneral(1234.5), "1234,5");
    setDecimalSeparator(QLatin1Char('.'));
    EXPECT_EQ(formatGeneral(1, 4), "0.25");
}

TEST_F(NumberFormatTest, GeneralFormatHasFifteenDigitsAndSwitchesToScientificBelowTenMicro) {
    // Numerator, denominator, text. 1/100000 is the smallest value in fixed notation;
    // 9999999999999999/10^16 rounds into a new digit.
    // clang-format off
    const std::tuple<std::int64_t, std::int64_t, const char*> rows[] = {
        {0, 7, "0"}, {10, 1, "10"}, {1, 3, "0,333333333333333"}, {2, 3, "0,666666666666667"},
        {-2, 3, "-0,666666666666667"}, {1, 100000, "0,00001"}, {1, 400000, "2,5E-6"},
        {99999, 10000000000, "9,9999E-6"}, {1, 1000000, "1E-6"},
        {123456789012345, 1, "123456789012345"}, {1234567890123456, 1, "1,23456789012346E15"},
        {1000000000000000, 1, "1E15"}, {999999999999999, 1000, "999999999999,999"},
        {9999999999999999, 10000000000000000, "1"}, {7750, 34875000, "0,000222222222222222"}};
    // clang-format on
    for (const auto& [num, den, want] : rows)
        EXPECT_EQ(formatGeneral(num, den), QString(want)) << num << "/" << den;
}

TEST_F(NumberFormatTest, ConversionsAcceptTheLocaleSeparatorAndRejectGarbage) {
    EXPECT_DOUBLE_EQ(strToFloat("5"), 5.0);
    EXPECT_DOUBLE_EQ(strToFloat(" 2,5 "), 2.5);
    EXPECT_THROW(strToFloat(""), WendrakError);
    EXPECT_THROW(strToFloat("2.5"), WendrakError); // not the separator in use
    EXPECT_THROW(strToFloat("abc"), WendrakError);
    EXPECT_EQ(strToInt("42"), 42);
    EXPECT_THROW(strToInt("4x"), WendrakError);
    EXPECT_EQ(padLeft("ab", 5), "   ab");
    EXPECT_EQ(padLeft("abcdef", 3), "abcdef");
}
