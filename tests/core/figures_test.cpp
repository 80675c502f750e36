// Group figures: each figure's rounding rule, big and degenerate groups, type averages, the
// composition in the window and in its file, property counts. The placeholders of a real group
// and the chain of steps on its player files are in the tournament run test.
#include "FigureTestSupport.h"
#include "engine/Composition.h"
#include "engine/GroupFigures.h"
#include "platform/NumberFormat.h"

#include <gtest/gtest.h>

namespace {

class Figures : public ::testing::Test {
protected:
    RecordingDisplay display;
    void SetUp() override { platform::setDecimalSeparator(u','); }
};

// D, P, B and AvgN round half up, AvgK and Kn truncate: the first row has each just above a
// half (or on it), the second just below.
TEST_F(Figures, EachOverallFigureRoundsByItsOwnRuleAndBigGroupsKeepEveryDigit) {
    // Participants, points of the pairing, K moves and KK rounds under N of the nine runs;
    // M, AvgK, H, Kn, Bl, AvgN, D, P, Best, Worst, B.
    const std::pair<std::array<std::int64_t, 4>, std::array<std::int64_t, 11>> rows[] = {
        {{2, 2512, 6803, 2723}, {500, 755, 2, 376, 122, 303, 76, 61, 3000, 1000, 76}},
        {{2, 2508, 6789, 2722}, {500, 754, 0, 377, 123, 302, 75, 60, 3000, 1000, 75}},
        {{1300, 2533050000, 7599150000, 3799575000}, // all giving way, beyond 32 bits
         {422175000, 844350000, 0, 422175000, 0, 422175000, 100, 100, 2533050000, 844350000, 100}}};
    for (const auto& [in, figures] : rows) {
        TournamentState s = pairState(int(in[1] / 2), int(in[1] - in[1] / 2), in[2], in[3]);
        s.AnzTeilnehmerHigh = int(in[0] - 1);
        const OverallFigures f = ComputeOverallFigures(s);
        EXPECT_EQ(
            (std::array{f.M, f.AvgK, f.H, f.Kn, f.Bl, f.AvgN, f.D, f.P, f.Best, f.Worst, f.B}),
            figures)
            << in[1];
    }
}

TEST_F(Figures, GroupsWithoutPairsShowZerosInsteadOfDividingByZero) {
    TournamentState s;
    s.AnzTeilnehmerHigh = -1;
    ShowMoveOverview(s, display);
    ShowGroupEconomy(s, display);
    ShowCompositionTexts(s, {}, {}, display);
    EXPECT_TRUE(display.text("LabelSozEffQuant").endsWith(": 0,00"));
    EXPECT_TRUE(display.text("LabelWirtschaftlichkeitsfaktor").endsWith(": 0,00"));
    EXPECT_EQ(display.text("lblZ11"), "0,0%");
    EXPECT_EQ(display.text("Label12"), "sind 0,0% konsensorientiert (greifen nicht als erste an)");
}

TEST_F(Figures, TypeAveragesAreTruncatedOrKA) {
    const TypeTallies t{{0, 3, 0, 0, 3, 0, 2},
                        {0, 1001, 0, 0, 1003, 0, 2469}}; // 333.67, 334.33, 1234.5
    ShowTypeAverages(t, display);
    EXPECT_EQ(
        display.texts({"LabelVertsicher_AngriffNeig", "LabelVertsicher_AngriffNeigNachAngriff",
                       "LabelVertsicher_Friedlich", "LabelAusbeutbar_AngriffNeig",
                       "LabelAusbeutbar_AngriffNeigNachAngriff", "LabelAusbeutbar_Friedlich"}),
        QStringList({"333", "k.A.", "k.A.", "k.A.", "334", "1234"}));
    EXPECT_EQ(display.styles("LabelAusbeutbar_Friedlich"), "2");
}

// Sixteen players with a different count of each type and property: every share lies on a
// half and rounds up. The type shares keep "," whatever the locale, the rest follow it.
TEST_F(Figures, CompositionOfSixteenPlayersInTheWindowAndInItsFile) {
    TournamentState s = pairState(1500, 1500, 9 * 90000, 0); // of 60000 rounds, D = 75
    s.AnzTeilnehmerHigh = 15;
    const TypeTallies t{{0, 1, 2, 3, 0, 5, 4}};
    // clang-format off
    const PropertyCounts c{.AnzKonsensorientiert = 9, .AnzFriedlich = 2, .AnzVerteidigtSicher = 3,
        .AnzNeigtZumAngreifen = 5, .AnzNeigtZumAusbeuten = 7, .AnzNeigtZuUeberreaktionen = 1,
        .AnzGeschaeftsmaessigAusbeutbar = 16, .SummeEntgegenkommenPromille = 1005}; // 1.005
    // clang-format on
    platform::setDecimalSeparator(u'.');
    ShowCompositionTexts(s, t, c, display);
    const QString a = "Das gesamte, in der Gruppe vorhandene Entgegenkommen gegenüber Angreifern "
                      "beträgt 1.01 bei einer Gruppengröße von 16 Teilnehmern.";
    EXPECT_EQ(display.texts({"lblZ11", "lblZ21", "lblZ12", "lblZ22", "lblZ13", "lblZ23", "lblAMass",
                             "Label12", "Label13", "Label14", "Label49", "Label15", "Label16",
                             "Label17", "LabelDienste"}),
              QStringList({"6,3%", "12,5%", "18,8%", "0,0%", "31,3%", "25,0%", a,
                           "sind 56.3% konsensorientiert (greifen nicht als erste an)",
                           "sind 12.5% friedlich", "verteidigen sich 18.8% sicher",
                           "erweisen sich 100.0% unter andauerndem Druck der Gegenseite durch "
                           "Defektionen als geschäftsmäßig ausbeutbar.",
                           "31.3% Neigungen zum Angreifen.", "43.8% Neigungen zum Ausbeuten.",
                           "6.3% Neigungen zu Überreaktionen.",
                           "In dieser Gruppe wurden 75% der erbetenen Dienste oder Gefälligkeiten "
                           "gewährt."}));
    EXPECT_EQ(display.styles("lblAMass"), "01010");
    EXPECT_EQ(CompositionLines(t, c, 16),
              compositionFile({"        6,3%;       12,5%", "       18,8%;        0,0%",
                               "       31,3%;       25,0%"},
                              {"56.3", "12.5", "31.3", "43.8", "6.3", "18.8", "100.0"}, a));
}

TEST_F(Figures, PropertiesAreCountedByTheFirstLetterOfEachAnswer) {
    // The first player has every property; the others only near misses, so a wrong or
    // inverted rule changes a count.
    // Type, ErgebnisGegenD (accommodation 0.001 + 0.004 + 1), IstFriedlich, GreiftNichtAn,
    // VerteidigtSicher, NeigtZumAngreifen, GeschaeftsmaessigAusbeutbar.
    const std::tuple<int, int, std::array<const char*, 5>> players[] = {
        {3, 999, {"Ja", "J", "k.A.", "Ja", "Ja"}},
        {2, 996, {"Ja", "Nein", "Nein", "ja", "k.A."}},
        {7, 0, {"Nein", "Ja", "N", "", ""}}};
    PropertyCounts c;
    for (const auto& [type, gegenD, a] : players) {
        SpielerTyp p = zeroedPlayer();
        std::tie(p.Spielertyp, p.ErgebnisGegenD) = std::pair(type, gegenD);
        p.IstFriedlich.set(a[0]), p.GreiftNichtAn.set(a[1]), p.VerteidigtSicher.set(a[2]);
        p.NeigtZumAngreifen.set(a[3]), p.GeschaeftsmaessigAusbeutbar.set(a[4]);
        CountProperties(p, c);
    }
    EXPECT_EQ((std::array{c.AnzKonsensorientiert, c.AnzFriedlich, c.AnzVerteidigtSicher,
                          c.AnzNeigtZumAngreifen, c.AnzGeschaeftsmaessigAusbeutbar}),
              (std::array{1, 1, 1, 1, 1}));
    EXPECT_EQ(c.SummeEntgegenkommenPromille, 1005); // summed exactly in thousandths
}

} // namespace
