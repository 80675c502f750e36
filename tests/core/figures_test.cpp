// Group figures: hand-worked groups of two (always K, always D, one of each) through every
// placeholder, big and degenerate groups, type averages and shares, the property counts,
// the window's tables, and the whole chain of steps on player files.
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
    PaarungTyp p;
    p.Name1 = "A";
    p.Name2 = "B";
    p.Punkte1 = punkte1;
    p.Punkte2 = punkte2;
    s.Paarungen = {p};
    s.AnzK = 9 * kPerGame;
    s.intAnzNKK = 9 * nkkPerGame;
    return s;
}

class Figures : public ::testing::Test {
protected:
    RecordingDisplay display;
    void SetUp() override { platform::setDecimalSeparator(u','); }
};

struct PairCase {
    const char* what;
    int punkte1, punkte2, kPerGame, nkkPerGame;
    // AvgK, G, M, H, Kn, Bl, AvgN, D, P, Best, Worst, B
    std::array<std::int64_t, 12> figures;
    const char* factor;
};

TEST_F(Figures, PairsThatAlwaysGiveWayHoldOutOrMixGiveTheseFigures) {
    // clang-format off
    const PairCase cases[] = {
        {"KK", 1500, 1500, 1000, 500,
         {1000, 3000, 500, 0, 500, 0, 500, 100, 100, 3000, 1000, 100}, "1,00"},
        {"DD", 500, 500, 0, 0, {0, 1000, 500, 0, 0, 500, 0, 0, 0, 3000, 1000, 0}, "0,00"},
        {"KD", 0, 2500, 500, 0, {500, 2500, 500, 500, 0, 0, 0, 50, 0, 3000, 1000, 75}, "0,75"},
    };
    // clang-format on
    for (const PairCase& c : cases) {
        const TournamentState s = pairState(c.punkte1, c.punkte2, c.kPerGame, c.nkkPerGame);
        const OverallFigures f = ComputeOverallFigures(s);
        EXPECT_EQ(f.n, 2) << c.what;
        const std::array<std::int64_t, 12> got = {f.AvgK, f.G, f.M, f.H,    f.Kn,    f.Bl,
                                                  f.AvgN, f.D, f.P, f.Best, f.Worst, f.B};
        EXPECT_EQ(got, c.figures) << c.what;

        RecordingDisplay d;
        ShowGroupEconomy(s, d);
        EXPECT_EQ(d.text("LabelWirtschaftlichkeitsfaktor"),
                  QStringLiteral("Der Wirtschaftlichskeitfaktor beträgt: ") + c.factor)
            << c.what;
    }
}

TEST_F(Figures, OverviewPlaceholdersOfAPeacefulPair) {
    const TournamentState s = pairState(1500, 1500, 1000, 500);
    ShowMoveOverview(s, display);
    EXPECT_EQ(display.anzDurchlaeufe, 9);
    EXPECT_EQ(display.anzTeilnehmerHigh, 1);
    const std::tuple<const char*, const char*, const char*> expected[] = {
        {"LabelAnzahlallerzuege", "01", "Anzahl aller Züge in dieser Gruppe: 500"},
        {"LabelHereinlegenendet", "01", "Mit einem Hereinlegen endeten: 0"},
        {"LabelBlockieren", "01", "Mit einem Blockieren endeten: 0"},
        {"LabelKonsens", "01", "Mit einem Konsens endeten: 500"},
        {"Labelerwuenschtedienste", "010",
         "Das heißt: 100% der erwünschten Dienste oder Gefälligkeiten wurden gewährt."},
        {"LabelImFriedenEndeten", "01010101",
         "Im Frieden endeten: 500 von insgesamt 500 Zügen. Das sind 100% aller Züge. Die "
         "soziale Effektivität qualitativer Art beträgt somit 1,00"},
        {"LabelSozEffQuant", "01", "Die soziale Effektivität quantitativer Art beträgt: 1,00"},
    };
    for (const auto& [placeholder, styles, text] : expected) {
        EXPECT_EQ(display.styles(placeholder), styles) << placeholder;
        EXPECT_EQ(display.text(placeholder), QString::fromUtf8(text)) << placeholder;
    }
    EXPECT_EQ(display.lines.size(), 7);
    // The line itself is made of quoted pieces, the last without a comma.
    EXPECT_EQ(display.lines["LabelKonsens"],
              QStringLiteral("\"0Mit einem Konsens endeten: \",\"1500\""));
}

TEST_F(Figures, EconomyPlaceholdersAndTheWindowsTables) {
    TournamentState s = pairState(0, 2500, 500, 0);
    s.Teilnehmer = {{"B", "B.ply", 22500}, {"A", "A.ply", 0}}; // ranking order
    s.Paarungen[0].ErhalteneDienste2 = {0, 500, 500, 500, 500, 500, 500, 500, 500, 500};
    s.Paarungen[0].ErwieseneDienste1 = {0, 500, 500, 500, 500, 500, 500, 500, 500, 500};
    ShowGroupEconomy(s, display);
    EXPECT_EQ(display.playerList, QStringList({"A", "B"}));
    EXPECT_EQ(display.participants, QStringList({"B", "A"}));
    ASSERT_EQ(display.pairings.size(), 1);
    EXPECT_EQ(display.pairings[0].ErhalteneDienste2.size(), 9);
    EXPECT_EQ(display.pairings[0].Punkte2, 2500);

    EXPECT_EQ(display.text("Labelwirtschafterg"),
              "Die Gruppe erwirtschaftet ein Ergebnis von: 2500");
    EXPECT_EQ(display.text("LabelBestesErgebnis"), "Das bestmögliche Ergebnis wäre gewesen: 3000");
    EXPECT_EQ(display.text("LabelSchlechtesteErgebnis"),
              "Das schlechtmöglichste Ergebnis wäre gewesen: 1000");
    EXPECT_EQ(display.text("LabelGruppehaterwirtschaftet"),
              "So erwirtschaftete die Gruppe (bereinigt): 75% des Möglichen.");
    EXPECT_EQ(display.styles("LabelGruppehaterwirtschaftet"), "010");

    // The favours page averages over the runs; the games list compares names exactly.
    EXPECT_EQ(ServicesRows(display.participants, display.pairings, 9, 1)[1].Received, 500);
    EXPECT_EQ(GamesOfPlayer(display.pairings, "B").size(), 1);
    EXPECT_TRUE(GamesOfPlayer(display.pairings, "b").isEmpty());
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
    for (int high : {-1, 0}) {
        TournamentState s;
        s.AnzTeilnehmerHigh = high;
        RecordingDisplay d;
        ShowMoveOverview(s, d);
        ShowGroupEconomy(s, d);
        ShowCompositionTexts(s, {}, {}, d);
        const OverallFigures f = ComputeOverallFigures(s);
        EXPECT_EQ((std::array{f.M, f.D, f.B}), (std::array<std::int64_t, 3>{}));
        EXPECT_TRUE(d.text("LabelSozEffQuant").endsWith(": 0,00"));
        EXPECT_TRUE(d.text("LabelWirtschaftlichkeitsfaktor").endsWith(": 0,00"));
        EXPECT_EQ(d.text("lblZ11"), "0,0%");
        EXPECT_EQ(d.text("Label12"), "sind 0,0% konsensorientiert (greifen nicht als erste an)");
    }
}

TEST_F(Figures, TypeAveragesAreTruncatedOrKA) {
    TypeTallies t = tallies({{1, 3}, {6, 1}});
    t.PunkteTyp[1] = 1000;
    t.PunkteTyp[6] = 1234;
    ShowTypeAverages(t, display);
    const std::pair<const char*, const char*> expected[] = {
        {"LabelVertsicher_AngriffNeig", "\"2333\""},
        {"LabelVertsicher_AngriffNeigNachAngriff", "\"2k.A.\""},
        {"LabelVertsicher_Friedlich", "\"2k.A.\""},
        {"LabelAusbeutbar_AngriffNeig", "\"2k.A.\""},
        {"LabelAusbeutbar_AngriffNeigNachAngriff", "\"2k.A.\""},
        {"LabelAusbeutbar_Friedlich", "\"21234\""},
    };
    for (const auto& [placeholder, line] : expected)
        EXPECT_EQ(display.lines.value(placeholder), line) << placeholder;
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
    const std::pair<const char*, const char*> expected[] = {
        {"lblZ11", "66,7%"},
        {"lblZ21", "0,0%"},
        {"lblZ23", "33,3%"},
        {"lblAMass", "Das gesamte, in der Gruppe vorhandene Entgegenkommen gegenüber Angreifern "
                     "beträgt 1.01 bei einer Gruppengröße von 3 Teilnehmern."},
        {"Label14", "verteidigen sich 66.7% sicher"},
        {"Label49", "erweisen sich 33.3% unter andauerndem Druck der Gegenseite durch "
                    "Defektionen als geschäftsmäßig ausbeutbar."},
        {"LabelDienste", "In dieser Gruppe wurden 75% der erbetenen Dienste oder "
                         "Gefälligkeiten gewährt."},
    };
    for (const auto& [placeholder, text] : expected)
        EXPECT_EQ(display.text(placeholder), QString::fromUtf8(text)) << placeholder;
    EXPECT_EQ(display.styles("lblZ11"), "20");
    EXPECT_EQ(display.styles("lblAMass"), "01010");
}

struct PropertyCase {
    const char* what;
    void (*change)(SpielerTyp&);
    int PropertyCounts::*count;
    int expected;
};

TEST_F(Figures, PropertiesAreCountedByTheFirstLetterOfEachAnswer) {
    using P = PropertyCounts;
    // clang-format off
    const PropertyCase cases[] = {
        {"type 3", [](SpielerTyp& p) { p.Spielertyp = 3; }, &P::AnzKonsensorientiert, 1},
        {"type 2", [](SpielerTyp& p) { p.Spielertyp = 2; }, &P::AnzKonsensorientiert, 0},
        {"peaceful needs both", [](SpielerTyp& p) { p.IstFriedlich.set("Ja"); p.GreiftNichtAn.set("Nein"); },
         &P::AnzFriedlich, 0},
        {"peaceful", [](SpielerTyp& p) { p.IstFriedlich.set("Ja"); p.GreiftNichtAn.set("J"); },
         &P::AnzFriedlich, 1},
        {"secure k.A.", [](SpielerTyp& p) { p.VerteidigtSicher.set("k.A."); }, &P::AnzVerteidigtSicher, 1},
        {"secure empty", [](SpielerTyp&) {}, &P::AnzVerteidigtSicher, 1},
        {"secure Nein", [](SpielerTyp& p) { p.VerteidigtSicher.set("Nein"); }, &P::AnzVerteidigtSicher, 0},
        {"attacks", [](SpielerTyp& p) { p.NeigtZumAngreifen.set("Ja"); }, &P::AnzNeigtZumAngreifen, 1},
        {"attacks lower case", [](SpielerTyp& p) { p.NeigtZumAngreifen.set("ja"); }, &P::AnzNeigtZumAngreifen, 0},
        {"exploitable", [](SpielerTyp& p) { p.GeschaeftsmaessigAusbeutbar.set("Ja"); },
         &P::AnzGeschaeftsmaessigAusbeutbar, 1},
        {"exploitable k.A.", [](SpielerTyp& p) { p.GeschaeftsmaessigAusbeutbar.set("k.A."); },
         &P::AnzGeschaeftsmaessigAusbeutbar, 0},
    };
    // clang-format on
    for (const PropertyCase& c : cases) {
        SpielerTyp p = zeroedPlayer();
        c.change(p);
        PropertyCounts counts;
        CountProperties(p, counts);
        EXPECT_EQ(counts.*(c.count), c.expected) << c.what;
    }
}

TEST_F(Figures, AccommodationIsSummedExactlyInThousandths) {
    PropertyCounts counts;
    for (int gegenD : {0, 999, 996, 1000}) { // shares 1, 0.001, 0.004, 0
        SpielerTyp p = zeroedPlayer();
        p.ErgebnisGegenD = gegenD;
        CountProperties(p, counts);
    }
    EXPECT_EQ(counts.SummeEntgegenkommenPromille, 1005);
    EXPECT_EQ(AccommodationText(counts, 4),
              "Das gesamte, in der Gruppe vorhandene Entgegenkommen gegenüber Angreifern beträgt "
              "1,01 bei einer Gruppengröße von 4 Teilnehmern.");
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
    s.SpielerNamen = {"Sanft", "Hart", "Graf"};
    const QString folder = root.programFolder() + "Aktuelles Spiel/";
    SpielerTyp sanft = profilePlayer({}, "Ja"); // stored as defending; traits will say no
    sanft.Spielertyp = 0;
    writePlayerFile(folder + "Sanft.ply", sanft);
    writePlayerFile(folder + "Hart.ply", allD());
    writePlayerFile(folder + "Graf.ply", automatonPlayer("Graf"));
    s.Zusammensetzung.create(root.root() + "Zusammensetzung.Txt");

    RunFigureSteps(s, display, true);
    s.Zusammensetzung.close();

    QStringList ranked;
    for (const RankingRow& r : display.rows)
        ranked << r.name + " " + r.spielertyp;
    // Sanft is judged from the record before the traits.
    EXPECT_EQ(ranked, QStringList({"Name Spielertyp", "Hart Typ1", "Graf Typ3", "Sanft Typ5"}));

    const SpielerTyp after = readPlayerFile(folder + "Sanft.ply");
    EXPECT_EQ(after.Spielertyp, 6);
    EXPECT_TRUE(after.VerteidigtSicher == "Nein");
    EXPECT_TRUE(after.GeschaeftsmaessigAusbeutbar == "Ja");
    EXPECT_EQ(after.ErgebnisGegenD, 0);
    EXPECT_EQ(readPlayerFile(folder + "Hart.ply").ErgebnisGegenD, 1000);

    // Sanft: type 6, peaceful, exploitable; Hart: secure, attacks, exploits; Graf: type 3,
    // secure, attacks, exploits, over-reacts.
    EXPECT_EQ(display.text("Label12"), "sind 66,7% konsensorientiert (greifen nicht als erste an)");
    EXPECT_EQ(display.text("Label13"), "sind 33,3% friedlich");
    EXPECT_EQ(display.text("Label14"), "verteidigen sich 66,7% sicher");
    EXPECT_EQ(display.text("Label17"), "33,3% Neigungen zu Überreaktionen.");
    EXPECT_EQ(display.text("lblZ11"), "33,3%");

    const QByteArray file = root.read("Zusammensetzung.Txt");
    EXPECT_EQ(file.count("\r\n"), 12);
    EXPECT_TRUE(file.contains("sind friedlich;       33,3%;        0,0%\r\n"));
}

} // namespace
