// "Zusammensetzung.Txt": every line of hand-worked groups, separators under both locales,
// rounding of exact shares, and the bytes on disk.
#include "FigureTestSupport.h"
#include "engine/Composition.h"
#include "platform/NumberFormat.h"

#include <gtest/gtest.h>

namespace {

class Composition : public ::testing::Test {
protected:
    void SetUp() override { platform::setDecimalSeparator(u','); }
};

TEST_F(Composition, FourPlayerGroupGivesTheseTwelveLines) {
    // Types 1, 3, 3 and an unknown automaton; properties counted from four players.
    // clang-format off
    const PropertyCounts c{.AnzKonsensorientiert = 3, .AnzFriedlich = 1, .AnzVerteidigtSicher = 4,
        .AnzNeigtZumAngreifen = 2, .AnzNeigtZuUeberreaktionen = 1,
        .AnzGeschaeftsmaessigAusbeutbar = 3, .SummeEntgegenkommenPromille = 1500};
    // clang-format on
    const QStringList expected = {
        "1. Zusammensetzung: der Gruppe nach Typen;F;;verteidigen sich sicher;Sind wiederholt "
        "ausbeutbar",
        "1. Zusammensetzung: der Gruppe nach Typen;;neigen zum unprovozierten Angreifen;"
        "       25,0%;        0,0%",
        "1. Zusammensetzung: der Gruppe nach Typen;;sind bedingt konsensorientiert;"
        "       50,0%;        0,0%",
        "1. Zusammensetzung: der Gruppe nach Typen;;sind friedlich;        0,0%;        0,0%",
        "2. Zusammensetzung: der Gruppe nach Eigenschaften;;sind konsensorientiert:;75,0;",
        "2. Zusammensetzung: der Gruppe nach Eigenschaften;;sind friedlich:;25,0;",
        "2. Zusammensetzung: der Gruppe nach Eigenschaften;;neigen zum Angreifen:;50,0;",
        "2. Zusammensetzung: der Gruppe nach Eigenschaften;;neigen zum Ausbeuten:;0,0;",
        "2. Zusammensetzung: der Gruppe nach Eigenschaften;;neigen zu Überreaktionen:;25,0;",
        "2. Zusammensetzung: der Gruppe nach Eigenschaften;;verteidigen sich sicher:;100,0;",
        "2. Zusammensetzung: der Gruppe nach Eigenschaften;;sind geschäftsmäßig ausbeutbar:;75,0;",
        "3. Das kollektive Entgegenkommen gegenüber Angreifern;;Das gesamte, in der Gruppe "
        "vorhandene Entgegenkommen gegenüber Angreifern beträgt 1,50 bei einer Gruppengröße "
        "von 4 Teilnehmern..;",
    };
    const QStringList lines = CompositionLines(tallies({{1, 1}, {3, 2}}), c, 4);
    ASSERT_EQ(lines.size(), 12);
    for (int i = 0; i < 12; ++i)
        EXPECT_EQ(lines[i], expected[i]) << "line " << i + 1;
}

TEST_F(Composition, TypeSharesKeepTheCommaWhilePropertySharesFollowTheLocale) {
    const PropertyCounts c{.AnzVerteidigtSicher = 3, .SummeEntgegenkommenPromille = 1500};
    QStringList lines = CompositionLines(tallies({{1, 2}, {6, 1}}), c, 3);
    EXPECT_TRUE(lines[1].endsWith(";       66,7%;        0,0%"));
    EXPECT_TRUE(lines[3].endsWith(";        0,0%;       33,3%"));
    EXPECT_TRUE(lines[9].endsWith(";verteidigen sich sicher:;100,0;"));
    platform::setDecimalSeparator(u'.');
    lines = CompositionLines(tallies({{1, 2}, {6, 1}}), c, 3);
    EXPECT_TRUE(lines[1].endsWith(";       66,7%;        0,0%"));
    EXPECT_TRUE(lines[9].endsWith(";verteidigen sich sicher:;100.0;"));
    EXPECT_TRUE(lines[11].contains(" beträgt 1.50 bei einer Gruppengröße von 3 Teilnehmern..;"));
}

TEST_F(Composition, SharesRoundHalfAwayFromZeroFromExactValues) {
    // 1 of 16 = 6.25 % peaceful, accommodation 0.125
    const PropertyCounts c{.AnzFriedlich = 1, .SummeEntgegenkommenPromille = 125};
    const QStringList lines = CompositionLines(tallies({{5, 1}}), c, 16);
    EXPECT_TRUE(lines[5].endsWith(";sind friedlich:;6,3;"));
    EXPECT_TRUE(lines[3].endsWith(";        6,3%;        0,0%"));
    EXPECT_TRUE(lines[11].contains(" beträgt 0,13 bei "));
}

TEST_F(Composition, AlwaysTwelveLinesEvenForAnEmptyGroup) {
    for (std::int64_t n : {0, 2, 1300}) {
        const QStringList lines = CompositionLines({}, {}, n);
        ASSERT_EQ(lines.size(), 12) << n;
        EXPECT_TRUE(lines[2].endsWith(";        0,0%;        0,0%"));
        EXPECT_TRUE(lines[4].endsWith(":;0,0;"));
        EXPECT_TRUE(lines[11].contains(" beträgt 0,00 bei ")); // no player: no accommodation
    }
}

TEST_F(Composition, FileHoldsWindows1252LinesWithCrLf) {
    TempRoot root;
    ResultFile file;
    file.create(root.root() + "Zusammensetzung.Txt");
    WriteCompositionFile(file, tallies({{2, 1}}), {}, 2);
    file.close();
    const QByteArray bytes = root.read("Zusammensetzung.Txt");
    EXPECT_EQ(bytes.count("\r\n"), 12);
    EXPECT_TRUE(bytes.endsWith(".;\r\n"));
    EXPECT_EQ(bytes.count('\n'), 12); // no bare line feeds
    EXPECT_TRUE(bytes.contains("neigen zu \xDC"
                               "berreaktionen:;0,0;\r\n"));
    EXPECT_TRUE(bytes.contains("sind gesch\xE4"
                               "ftsm\xE4\xDF"
                               "ig ausbeutbar:;"));
    EXPECT_TRUE(bytes.contains(";        0,0%;       50,0%\r\n"));
}

} // namespace
