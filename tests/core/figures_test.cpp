// Group figures: hand-worked groups of two through every placeholder, big and degenerate
// groups, type averages and shares, property counts and the chain of steps on player files.
#include "FigureTestSupport.h"
#include "engine/Composition.h"
#include "engine/GroupFigures.h"
#include "platform/NumberFormat.h"

#include <gtest/gtest.h>

namespace {

// Two players, one pairing, nine games of 500 rounds with these per-game figures.
TournamentState pairState(int punkte1, int punkte2, int kPerGame, int nkkPerGame) {
    TournamentState s;
    s.AnzTeilnehmerHigh = 1;
    s.AnzPaarungenHigh = 0;
    s.SpielerNamen = {"A", "B"};
    s.Teilnehmer = {{"A", "A.ply", 9 * punkte1}, {"B", "B.ply", 9 * punkte2}};
    s.Paarungen.resize(1);
    std::tie(s.Paarungen[0].Name1, s.Paarungen[0].Name2) = std::pair("A", "B");
    std::tie(s.Paarungen[0].Punkte1, s.Paarungen[0].Punkte2) = std::pair(punkte1, punkte2);
    s.AnzK = 9 * kPerGame;
    s.intAnzNKK = 9 * nkkPerGame;
    return s;
}

class Figures : public ::testing::Test {
protected:
    RecordingDisplay display;
    void SetUp() override { platform::setDecimalSeparator(u','); }
};

TEST_F(Figures, OverviewPlaceholdersOfAPeacefulPair) {
    ShowMoveOverview(pairState(1500, 1500, 1000, 500), display);
    EXPECT_EQ(std::pair(display.anzDurchlaeufe, display.anzTeilnehmerHigh), std::pair(9, 1));
    EXPECT_EQ(
        display.texts({"LabelAnzahlallerzuege", "LabelHereinlegenendet", "LabelBlockieren",
                       "LabelKonsens", "Labelerwuenschtedienste", "LabelImFriedenEndeten",
                       "LabelSozEffQuant"}),
        QStringList({"Anzahl aller Züge in dieser Gruppe: 500", "Mit einem Hereinlegen endeten: 0",
                     "Mit einem Blockieren endeten: 0", "Mit einem Konsens endeten: 500",
                     "Das heißt: 100% der erwünschten Dienste oder Gefälligkeiten wurden "
                     "gewährt.",
                     "Im Frieden endeten: 500 von insgesamt 500 Zügen. Das sind 100% aller "
                     "Züge. Die soziale Effektivität qualitativer Art beträgt somit 1,00",
                     "Die soziale Effektivität quantitativer Art beträgt: 1,00"}));
    // The figures stand out from the texts around them.
    EXPECT_EQ(display.styles("LabelKonsens"), "01");
    EXPECT_EQ(display.styles("Labelerwuenschtedienste"), "010");
    EXPECT_EQ(display.styles("LabelImFriedenEndeten"), "01010101");
}

TEST_F(Figures, EconomyPlaceholdersAndTheWindowsTables) {
    TournamentState s = pairState(0, 2500, 500, 0);
    s.Teilnehmer = {{"B", "B.ply", 22500}, {"A", "A.ply", 0}}; // ranking order
    s.Paarungen[0].ErhalteneDienste2 = {0, 500, 500, 500, 500, 500, 500, 500, 500, 500};
    s.Paarungen[0].ErwieseneDienste1 = {0, 500, 500, 500, 500, 500, 500, 500, 500, 500};
    ShowGroupEconomy(s, display);
    EXPECT_EQ(display.playerList, QStringList({"A", "B"}));
    EXPECT_EQ(display.participants, QStringList({"B", "A"}));
    EXPECT_EQ(
        display.texts({"Labelwirtschafterg", "LabelBestesErgebnis", "LabelSchlechtesteErgebnis",
                       "LabelGruppehaterwirtschaftet", "LabelWirtschaftlichkeitsfaktor"}),
        QStringList({"Die Gruppe erwirtschaftet ein Ergebnis von: 2500",
                     "Das bestmögliche Ergebnis wäre gewesen: 3000",
                     "Das schlechtmöglichste Ergebnis wäre gewesen: 1000",
                     "So erwirtschaftete die Gruppe (bereinigt): 75% des Möglichen.",
                     "Der Wirtschaftlichskeitfaktor beträgt: 0,75"}));

    // The favour lists hand over runs 1 to 9, which the favours page averages.
    EXPECT_EQ(ServicesRows(display.participants, display.pairings, 9, 1)[1].Received, 500);
}

TEST_F(Figures, BigGroupsKeepTheirTotalsBeyondThirtyTwoBits) {
    TournamentState s = pairState(1500, 1500, 0, 0);
    s.AnzTeilnehmerHigh = 1299;
    const std::int64_t moves = std::int64_t(1300) * 1299 * 250; // every round of every pair
    s.AnzK = 9 * 2 * moves;                                     // all K
    s.intAnzNKK = 9 * moves;
    const OverallFigures f = ComputeOverallFigures(s);
    EXPECT_EQ((std::array{f.M, f.Best, f.Worst, f.AvgK, f.D, f.P}),
              (std::array<std::int64_t, 6>{422175000, 2533050000, 844350000, 844350000, 100, 100}));
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
    TypeTallies t = tallies({{1, 3}, {6, 1}});
    t.PunkteTyp = {0, 1000, 0, 0, 0, 0, 1234};
    ShowTypeAverages(t, display);
    EXPECT_EQ(
        display.texts({"LabelVertsicher_AngriffNeig", "LabelVertsicher_AngriffNeigNachAngriff",
                       "LabelVertsicher_Friedlich", "LabelAusbeutbar_AngriffNeig",
                       "LabelAusbeutbar_AngriffNeigNachAngriff", "LabelAusbeutbar_Friedlich"}),
        QStringList({"333", "k.A.", "k.A.", "k.A.", "k.A.", "1234"}));
    EXPECT_EQ(display.styles("LabelAusbeutbar_Friedlich"), "2");
}

TEST_F(Figures, CompositionTextsOfThreePlayersOfTypesOneOneSix) {
    TournamentState s = pairState(1500, 1500, 750, 0); // D = 75 over one pair
    s.AnzTeilnehmerHigh = 2;
    s.AnzK = 9 * 2250; // three pairs' worth of moves: 1500 rounds, 2250 K
    // clang-format off
    const PropertyCounts c{.AnzKonsensorientiert = 1, .AnzFriedlich = 1, .AnzVerteidigtSicher = 2,
        .AnzNeigtZumAngreifen = 2, .AnzNeigtZumAusbeuten = 2, .AnzGeschaeftsmaessigAusbeutbar = 1,
        .SummeEntgegenkommenPromille = 1005}; // 1.005
    // clang-format on
    platform::setDecimalSeparator(u'.');
    ShowCompositionTexts(s, tallies({{1, 2}, {6, 1}}), c, display);
    EXPECT_EQ(display.texts({"lblZ11", "lblAMass", "Label14", "Label49", "LabelDienste"}),
              QStringList({"66,7%",
                           "Das gesamte, in der Gruppe vorhandene Entgegenkommen gegenüber "
                           "Angreifern beträgt 1.01 bei einer Gruppengröße von 3 Teilnehmern.",
                           "verteidigen sich 66.7% sicher",
                           "erweisen sich 33.3% unter andauerndem Druck der Gegenseite durch "
                           "Defektionen als geschäftsmäßig ausbeutbar.",
                           "In dieser Gruppe wurden 75% der erbetenen Dienste oder "
                           "Gefälligkeiten gewährt."}));
    EXPECT_EQ(display.styles("lblAMass"), "01010");
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

// The whole chain on player files: ranking from the files as they are, then traits and
// test runs rewrite them, and the counts follow the rewritten records.
TEST_F(Figures, StepsOnPlayerFilesRankFromOldRecordsAndCountFromNewOnes) {
    TempRoot root;
    TournamentState s = pairState(1500, 1500, 1000, 500);
    s.WendrakPath = root.programFolder();
    InitTypeNames(s);
    s.AnzTeilnehmerHigh = 2;
    s.Teilnehmer = {
        {"Sanft", "Sanft.ply", 9000}, {"Hart", "Hart.ply", 12000}, {"Graf", "Graf.ply", 10000}};
    const QString folder = root.programFolder() + "Aktuelles Spiel/";
    writePlayerFile(folder + "Sanft.ply", profilePlayer({})); // defends; traits will say no
    writePlayerFile(folder + "Hart.ply", allD());
    writePlayerFile(folder + "Graf.ply", automatonPlayer("Graf"));
    s.Zusammensetzung.create(root.root() + "Zusammensetzung.Txt");

    RunFigureSteps(s, display, true);
    s.Zusammensetzung.close();

    // Sanft is ranked from the record before the traits, which make it type 6.
    EXPECT_EQ(display.rows.value(3), "3.|Sanft|1000|Typ5|2|2");
    EXPECT_EQ(readPlayerFile(folder + "Sanft.ply").Spielertyp, 6);

    // Sanft is now type 6, Graf type 3: two of three are consensus-minded.
    EXPECT_EQ(display.text("Label12"), "sind 66,7% konsensorientiert (greifen nicht als erste an)");

    EXPECT_TRUE(
        root.read("Zusammensetzung.Txt").contains("sind friedlich;       33,3%;        0,0%\r\n"));
}

} // namespace
