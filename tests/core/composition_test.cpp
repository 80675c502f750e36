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
    const QString t = "1. Zusammensetzung: der Gruppe nach Typen;",
                  e = "2. Zusammensetzung: der Gruppe nach Eigenschaften;;";
    const QStringList expected = {
        t + "F;;verteidigen sich sicher;Sind wiederholt ausbeutbar",
        t + ";neigen zum unprovozierten Angreifen;       25,0%;        0,0%",
        t + ";sind bedingt konsensorientiert;       50,0%;        0,0%",
        t + ";sind friedlich;        0,0%;        0,0%",
        e + "sind konsensorientiert:;75,0;",
        e + "sind friedlich:;25,0;",
        e + "neigen zum Angreifen:;50,0;",
        e + "neigen zum Ausbeuten:;0,0;",
        e + "neigen zu Überreaktionen:;25,0;",
        e + "verteidigen sich sicher:;100,0;",
        e + "sind geschäftsmäßig ausbeutbar:;75,0;",
        "3. Das kollektive Entgegenkommen gegenüber Angreifern;;Das gesamte, in der Gruppe "
        "vorhandene Entgegenkommen gegenüber Angreifern beträgt 1,50 bei einer Gruppengröße "
        "von 4 Teilnehmern..;",
    };
    EXPECT_EQ(CompositionLines(tallies({{1, 1}, {3, 2}}), c, 4), expected);
}

TEST_F(Composition, SharesRoundHalfUpAndOnlyPropertySharesFollowTheLocale) {
    platform::setDecimalSeparator(u'.');
    // 1 of 16 = 6.25 %, accommodation 0.125
    const PropertyCounts c{.AnzFriedlich = 1, .SummeEntgegenkommenPromille = 125};
    const QStringList lines = CompositionLines(tallies({{1, 1}, {6, 1}}), c, 16);
    EXPECT_TRUE(lines[1].endsWith(";        6,3%;        0,0%"));
    EXPECT_TRUE(lines[3].endsWith(";        0,0%;        6,3%"));
    EXPECT_TRUE(lines[5].endsWith(";sind friedlich:;6.3;"));
    EXPECT_TRUE(lines[11].contains(" beträgt 0.13 bei einer Gruppengröße von 16 Teilnehmern..;"));
}

TEST_F(Composition, AlwaysTwelveLinesEvenForAnEmptyGroup) {
    const QStringList lines = CompositionLines({}, {}, 0);
    ASSERT_EQ(lines.size(), 12);
    EXPECT_TRUE(lines[2].endsWith(";        0,0%;        0,0%"));
    EXPECT_TRUE(lines[4].endsWith(":;0,0;"));
    EXPECT_TRUE(lines[11].contains(" beträgt 0,00 bei einer Gruppengröße von 0 Teilnehmern..;"));
}

TEST_F(Composition, FileHoldsWindows1252LinesWithCrLf) {
    TempRoot root;
    ResultFile file;
    file.create(root.root() + "Zusammensetzung.Txt");
    WriteCompositionFile(file, tallies({{2, 1}}), {}, 2);
    file.close();
    const QByteArray bytes = root.read("Zusammensetzung.Txt");
    EXPECT_TRUE(bytes.endsWith(".;\r\n"));
    EXPECT_TRUE(bytes.count("\r\n") == 12 && bytes.count('\n') == 12); // no bare line feeds
    EXPECT_TRUE(bytes.contains("neigen zu \xDC"
                               "berreaktionen:;0,0;\r\n"));
    EXPECT_TRUE(bytes.contains(";        0,0%;       50,0%\r\n"));
}

} // namespace
