// The player test runs against a fixed opponent and the peacefulness score.
#include "engine/PlayerTestRuns.h"

#include "TempRoot.h"
#include "engine_fixtures.h"

#include <gtest/gtest.h>

#include <array>

namespace {

// All four runs on a player file; what it holds afterwards.
SpielerTyp runAll(const QString& path, bool force = true) {
    TestAgainstDefector(path, force);
    TestRepeatedExploitation(path, force);
    TestAgainstCooperator(path, force);
    ComputePeacefulness(path, force);
    return readPlayerFile(path);
}

} // namespace

TEST(TestRuns, MeasuresAgainstBothOpponentsAndTheExploitabilityTraitValidOnesOnlyWhenForced) {
    TempRoot root;
    const QString path = root.programFolder() + "SpielerStamm/Test.ply";
    // The third holds out everywhere except after mutual holding out under an even standing:
    // round 1 D, round 2 K (from NDD), then only D (NDK, then MDD under standing +1), so the
    // 1000 rounds after round 2 are all D against D. Against K it holds out from round 1 on.
    // The player; VerteidigtSicher, against D, exploitable; after K, against K, peace.
    const std::tuple<SpielerTyp, const char*, int, const char*, int, int, int> rows[] = {
        {profile(kGives), "Ja", 0, "Ja", 0, 3000, 1000},
        {profile(kHolds), "Ja", 1000, "Nein", -1, 5000, 0},
        {profile(kHolds, {SitNDD}), "k.A.", 999, "k.A.", 1000, 5000, 0},
        {profile(kGives, {SitMDK, SitNDK}), "Ja", 500, "Ja", 500, 3000, 1000}, // D every second
    };
    for (auto [p, defends, vsD, exploitable, afterK, vsK, peace] : rows) {
        p.VerteidigtSicher.set(defends);
        writePlayerFile(path, p);
        const SpielerTyp m = runAll(path);
        EXPECT_EQ((std::array{m.ErgebnisGegenD, m.ErgebnisNachEntgegenkommen, m.ErgebnisGegenK,
                              m.Friedfertigkeit, int(m.MasseGueltig)}),
                  (std::array{vsD, afterK, vsK, peace, 0})) // the runs never set it
            << vsD;
        EXPECT_EQ(m.GeschaeftsmaessigAusbeutbar.get(), exploitable);
    }
    // Valid measures are left alone unless forced.
    SpielerTyp p = profile(kHolds);
    p.MasseGueltig = 1;
    p.ErgebnisGegenD = 123;
    writePlayerFile(path, p);
    const QByteArray written = root.read("Wendrak/SpielerStamm/Test.ply");
    runAll(path, false);
    EXPECT_EQ(root.read("Wendrak/SpielerStamm/Test.ply"), written);
    const SpielerTyp forced = runAll(path, true);
    EXPECT_EQ(std::pair(forced.ErgebnisGegenD, int(forced.MasseGueltig)), std::pair(1000, 1));
}

TEST(TestRuns, AutomatonGoesOnFromItsStoredPositionsAndKeepsItsTrait) {
    // Positions beyond the last move (garbage from a file) read as the third move: D.
    SpielerTyp a = automaton({MoveK, MoveD, MoveD}, 17);
    a.GeschaeftsmaessigAusbeutbar.set("Nein");
    TestAgainstDefector(a, true);
    // Round 1 is Zug[1] of "1. Tag" (K); then every entry repeats its third move.
    EXPECT_EQ(std::pair(a.ErgebnisGegenD, a.Automat[SitNDK].Position), std::pair(999, 3));
    EXPECT_EQ(a.GeschaeftsmaessigAusbeutbar.get(), "Nein");
}

TEST(Peacefulness, ProfileScoreFromFirstMovesAndMutualGivingWayAutomatonScoreFromItsName) {
    // K and D on the first move, K and D in NKK, score. 9 of 10 gives just below 900 in
    // double precision; 0 0 has no first-move cases to weigh.
    const std::array<int, 5> rows[] = {
        {9, 1, 10, 0, 899}, {10, 0, 9, 1, 126}, {5, 5, 5, 5, 12}, {0, 0, 7, 3, 0}};
    for (const auto& [a, d, k8, d8, score] : rows) {
        SpielerTyp p = zeroedPlayer();
        p.Situationen[SitErsterTag] = {a + d, a, d};
        p.Situationen[SitNKK] = {k8 + d8, k8, d8};
        EXPECT_EQ(PeacefulnessScore(p), score) << a << "/" << d << " NKK " << k8;
    }
    // An automaton's score comes from its name.
    const std::pair<const char*, int> names[] = {
        {"graf", 1000}, {"Typ5 Yoka 2", 1000}, {"unterwerfer x", 0},
        {"Gra", 321},   {"Der Graf", 321},
    };
    for (const auto& [name, score] : names) {
        SpielerTyp p = automaton({MoveK, MoveEmpty, MoveEmpty});
        p.Name.set(name);
        p.Friedfertigkeit = 321;
        EXPECT_EQ(PeacefulnessScore(p), score) << name;
    }
}

TEST(TestRuns, TestRunsStartFromTheirOwnConsensusState) {
    // Left over from a game: a consensus flag and an exploitation count. Neither a player that
    // is not consensus-oriented nor one that exploits nobody here answers mutual K from MKD.
    SpielerTyp consensus = profile(kGives, {SitNDD, SitMKD, SitPKD});
    consensus.Spielertyp = 3;
    for (SpielerTyp p : {profile(kGives, {SitMKD}), consensus}) {
        SharedEngine().glbKons1 = 1;
        SharedEngine().ExploitCount1 = 5;
        TestAgainstCooperator(p, true);
        EXPECT_EQ(p.ErgebnisGegenK, 3000) << p.Spielertyp;
    }
}
