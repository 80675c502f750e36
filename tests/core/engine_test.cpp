// The game engine: hand-derived games, the round steps, the counts and outputs of
// PlayGame, and its per-game debug file.
#include "engine/WendrakCalc.h"

#include "engine/uTApplicationEnviroment.h"
#include "engine_fixtures.h"
#include "platform/NumberFormat.h"
#include "platform/WendrakError.h"
#include "TempRoot.h"

#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

struct Expected {
    std::vector<int> moves1, moves2, standings;
};

std::string movesOf(const WendrakEngine& e, int rounds, int player) {
    std::string s;
    for (const ZugTyp& z : e.Rounds(rounds))
        s += "KDZ"[player == 1 ? z.Zug1 : z.Zug2];
    return s;
}

std::string standingsOf(const WendrakEngine& e, int rounds) {
    std::string s;
    for (const ZugTyp& z : e.Rounds(rounds))
        s += "MNP"[z.Stand + 1]; // -1 M, 0 N, +1 P, as the debug file writes them
    return s;
}

GameResult play(WendrakEngine& e, const SpielerTyp& a, const SpielerTyp& b, int rounds,
                std::uint64_t seed = 1) {
    platform::Random random(seed);
    return e.PlayRecords(a, b, rounds, random);
}

} // namespace

TEST(GameRules, NextStandingFollowsExploitationAndPayback) {
    struct Row { int s, m1, m2, next; };
    const Row rows[] = {
        {0, MoveK, MoveK, 0},  {0, MoveD, MoveD, 0},  {0, MoveD, MoveK, -1},
        {0, MoveK, MoveD, 1},  {-1, MoveK, MoveD, 0}, {-1, MoveD, MoveK, -1},
        {-1, MoveK, MoveK, -1}, {-1, MoveD, MoveD, -1}, {1, MoveD, MoveK, 0},
        {1, MoveK, MoveD, 1},  {1, MoveK, MoveK, 1},  {1, MoveD, MoveD, 1},
        {0, MoveZ, MoveK, -1}, {1, MoveZ, MoveK, 0},  {-1, MoveK, MoveZ, 0},
    };
    for (const Row& r : rows)
        EXPECT_EQ(NextGameState(r.s, r.m1, r.m2), r.next)
            << "standing " << r.s << " moves " << r.m1 << "," << r.m2;
}

TEST(GameRules, SituationLookupSeesTheStandingFromEachSide) {
    struct Row { int s, m1, m2, p1, p2; };
    const Row rows[] = {
        {1, MoveD, MoveD, SitMDD, SitPDD},  {1, MoveK, MoveD, SitMDK, SitPKD},
        {-1, MoveD, MoveK, SitPKD, SitMDK}, {-1, MoveK, MoveK, SitPKK, SitMKK},
        {0, MoveD, MoveD, SitNDD, SitNDD},  {0, MoveK, MoveD, SitNDK, SitNKD},
        {0, MoveD, MoveK, SitNKD, SitNDK},  {0, MoveK, MoveK, SitNKK, SitNKK},
        {0, MoveZ, MoveK, SitNKD, SitNDK},  {1, MoveZ, MoveZ, SitMDD, SitPDD},
    };
    for (const Row& r : rows) {
        WendrakEngine e;
        EXPECT_EQ(e.SituationIndexP1(r.s, r.m1, r.m2), r.p1) << r.s << " " << r.m1 << r.m2;
        EXPECT_EQ(e.SituationIndexP2(r.s, r.m1, r.m2), r.p2) << r.s << " " << r.m1 << r.m2;
    }
}

TEST(GameRules, ConsensusPlayerAnswersMutualGivingWayAfterAnExploitationFromMKD) {
    auto e = std::make_unique<WendrakEngine>();
    e->glbKons1 = 1;
    e->glbKons2 = 1;
    EXPECT_EQ(e->SituationIndexP1(0, MoveK, MoveK), SitNKK);
    EXPECT_EQ(e->SituationIndexP2(0, MoveK, MoveK), SitNKK);
    // One exploitation of player 2 by player 1 counts on both sides.
    EXPECT_EQ(e->SituationIndexP1(0, MoveD, MoveK), SitNKD);
    EXPECT_EQ(e->SituationIndexP2(0, MoveD, MoveK), SitNDK);
    EXPECT_EQ(e->ExploitCount1, 1);
    EXPECT_EQ(e->ExploitCount2, 1);
    EXPECT_EQ(e->SituationIndexP1(0, MoveK, MoveK), SitMKD);
    EXPECT_EQ(e->SituationIndexP2(0, MoveK, MoveK), SitMKD);
    // Only under an even standing.
    EXPECT_EQ(e->SituationIndexP1(-1, MoveK, MoveK), SitPKK);
    // Without the flag the counter changes nothing.
    e->glbKons1 = 0;
    EXPECT_EQ(e->SituationIndexP1(0, MoveK, MoveK), SitNKK);
    // The other one-sided round is no exploitation for either counter.
    e->SituationIndexP1(0, MoveK, MoveD);
    e->SituationIndexP2(0, MoveK, MoveD);
    EXPECT_EQ(e->ExploitCount1, 1);
    EXPECT_EQ(e->ExploitCount2, 1);
}

TEST(GameRules, ConsensusFlagNeedsTypeAndTheThirtyCasesRule) {
    auto make = [](int typ, Answer ndd, Answer mkd, Answer pkd) {
        SpielerTyp p = profile(kAlwaysK);
        p.Spielertyp = typ;
        setAnswer(p, SitNDD, ndd);
        setAnswer(p, SitMKD, mkd);
        setAnswer(p, SitPKD, pkd);
        return p;
    };
    EXPECT_EQ(ConsensusFlag(make(3, {10, 2}, {10, 2}, {10, 2})), 1);
    EXPECT_EQ(ConsensusFlag(make(4, {10, 4}, {10, 5}, {10, 3})), 1);
    EXPECT_EQ(ConsensusFlag(make(4, {10, 0}, {10, 0}, {10, 0})), 1);
    EXPECT_EQ(ConsensusFlag(make(2, {10, 2}, {10, 2}, {10, 2})), 0); // type
    EXPECT_EQ(ConsensusFlag(make(5, {10, 2}, {10, 2}, {10, 2})), 0);
    EXPECT_EQ(ConsensusFlag(make(3, {10, 2}, {10, 2}, {9, 2})), 0);  // 29 cases
    EXPECT_EQ(ConsensusFlag(make(3, {10, 2}, {10, 3}, {10, 2})), 0); // 7 != 3 x 2
}

TEST(GameRules, RandomMoveDrawsOnlyForMixedEntries) {
    struct Row { int n, k, move; bool draws; };
    const Row rows[] = {
        {10, 10, MoveK, false}, {0, 0, MoveK, false}, {10, 0, MoveD, false},
        {0, 5, MoveK, false},   {-1, -1, MoveK, false}, {10, 12, MoveK, true},
    };
    for (const Row& r : rows) {
        platform::Random random(7);
        platform::Random untouched(7);
        EXPECT_EQ(RandomMove(r.n, r.k, random), r.move) << r.n << "/" << r.k;
        EXPECT_EQ(random.next() != untouched.next(), r.draws) << r.n << "/" << r.k;
    }
}

TEST(GameRules, ProfileGivesWayWithTheShareOfItsKCases) {
    platform::Random random(12345);
    struct Row { int n, k; };
    for (const Row r : {Row{10, 3}, Row{10, 7}, Row{4, 1}, Row{7, 6}}) {
        const int draws = 200000;
        int k = 0;
        for (int i = 0; i < draws; ++i)
            k += RandomMove(r.n, r.k, random) == MoveK;
        EXPECT_NEAR(double(k) / draws, double(r.k) / r.n, 0.01) << r.k << " of " << r.n;
    }
    // The same inside games: 3 of 10 in every entry against a player that always gives way.
    auto e = std::make_unique<WendrakEngine>();
    int k = 0, moves = 0;
    for (int g = 0; g < 50; ++g) {
        const GameResult res = play(*e, profile({10, 3}), profile(kAlwaysK), 2000, g + 1);
        k += res.AnzK - 2000;
        moves += 2000;
    }
    EXPECT_NEAR(double(k) / moves, 0.3, 0.01);
}

TEST(GameRules, PayoffFollowsTheMatrixWithZAsHoldingOut) {
    struct Row { int m1, m2, p1, p2; };
    const Row rows[] = {{MoveK, MoveK, 3, 3}, {MoveK, MoveD, 0, 5}, {MoveD, MoveK, 5, 0},
                        {MoveD, MoveD, 1, 1}, {MoveZ, MoveK, 5, 0}, {MoveK, MoveZ, 0, 5}};
    for (const Row& r : rows) {
        ZugTyp z{0, r.m1, r.m2, -9, -9};
        ApplyPayoff(z, nullptr);
        EXPECT_EQ(z.Punkte1, r.p1);
        EXPECT_EQ(z.Punkte2, r.p2);
    }
}

TEST(GameRules, PayoffFromSettingsTruncatesEachPart) {
    TempRoot root;
    platform::setDecimalSeparator(QLatin1Char(','));
    root.write("Kemra.ini", "[Settings]\r\nMatrixKK=4,9;2\r\nMatrixKD=-1;7\r\n");
    TApplicationEnviroment settings;
    settings.ReadSettings();
    ZugTyp kk{0, MoveK, MoveK, 0, 0}, kd{0, MoveK, MoveD, 0, 0}, dd{0, MoveD, MoveD, 0, 0};
    ApplyPayoff(kk, &settings);
    ApplyPayoff(kd, &settings);
    ApplyPayoff(dd, &settings);
    EXPECT_EQ(kk.Punkte1, 4);
    EXPECT_EQ(kk.Punkte2, 2);
    EXPECT_EQ(kd.Punkte1, -1);
    EXPECT_EQ(kd.Punkte2, 7);
    EXPECT_EQ(dd.Punkte1, 1);
}

TEST(Games, TwoPlayersWhoAlwaysGiveWayShareEveryRound) {
    auto e = std::make_unique<WendrakEngine>();
    const GameResult g = play(*e, profile(kAlwaysK), profile(kAlwaysK), 500);
    EXPECT_EQ(g.Punkte1, 1500);
    EXPECT_EQ(g.Punkte2, 1500);
    EXPECT_EQ(g.AnzK, 1000);
    EXPECT_EQ(g.AnzKK, 500);
    EXPECT_EQ(g.AnzKK2, 500);
    EXPECT_EQ(g.AnzNKK, 500);
    EXPECT_EQ(g.AnzDD + g.AnzDK + g.AnzKD, 0);
    EXPECT_EQ(g.ErhalteneDienste1, 500);
    EXPECT_EQ(g.ErwieseneDienste1, 500);
    EXPECT_EQ(g.ErhalteneDienste2, 500);
    EXPECT_EQ(g.ErwieseneDienste2, 500);
}

TEST(Games, GivingWayAgainstHoldingOutLeavesTheStandingWithTheExploiter) {
    auto e = std::make_unique<WendrakEngine>();
    const GameResult g = play(*e, profile(kAlwaysK), profile(kAlwaysD), 100);
    EXPECT_EQ(g.Punkte1, 0);
    EXPECT_EQ(g.Punkte2, 500);
    EXPECT_EQ(g.AnzK, 100);
    EXPECT_EQ(g.AnzKD, 100);
    EXPECT_EQ(g.AnzKK + g.AnzDD + g.AnzDK + g.AnzNKK, 0);
    EXPECT_EQ(g.ErhalteneDienste1, 0);
    EXPECT_EQ(g.ErwieseneDienste1, 100);
    EXPECT_EQ(g.ErhalteneDienste2, 100);
    EXPECT_EQ(g.ErwieseneDienste2, 0);
    EXPECT_EQ(standingsOf(*e, 4), "NPPP");

    const GameResult h = play(*e, profile(kAlwaysD), profile(kAlwaysD), 100);
    EXPECT_EQ(h.Punkte1, 100);
    EXPECT_EQ(h.AnzDD, 100);
    EXPECT_EQ(h.AnzK, 0);
}

TEST(Games, TitForTatAnswersTheOthersPreviousMove) {
    auto e = std::make_unique<WendrakEngine>();
    GameResult g = play(*e, titForTat(), profile(kAlwaysD), 10);
    EXPECT_EQ(movesOf(*e, 10, 1), "KDDDDDDDDD");
    EXPECT_EQ(g.Punkte1, 9);
    EXPECT_EQ(g.Punkte2, 14);

    g = play(*e, titForTat(), titForTat(), 500);
    EXPECT_EQ(g.AnzKK, 500);
    EXPECT_EQ(g.Punkte1, 1500);

    // Against a player that alternates by its own previous move: D after K, K after D.
    SpielerTyp alternating = profile(kAlwaysK);
    for (int i = 1; i < SituationCount; ++i)
        setAnswer(alternating, i, (i - 1) % 2 == 1 ? kAlwaysD : kAlwaysK);
    play(*e, titForTat(), alternating, 6);
    EXPECT_EQ(movesOf(*e, 6, 2), "KDKDKD");
    EXPECT_EQ(movesOf(*e, 6, 1), "KKDKDK");
    EXPECT_EQ(standingsOf(*e, 6), "NNPNPN");
}

TEST(Games, ExploitationIsPlayedUnderTheStandingItLeaves) {
    // Player 1 holds out first; its only K answers are in NKD, MDK and NDK, so a round-3
    // D shows that it looked at a P entry. Player 2 gives way first; its only D answers
    // are in NDK, PKD and NKD, so a round-3 K shows an M entry.
    SpielerTyp p1 = profile(kAlwaysD);
    for (int s : {SitNKD, SitMDK, SitNDK})
        setAnswer(p1, s, kAlwaysK);
    SpielerTyp p2 = profile(kAlwaysK);
    for (int s : {SitNDK, SitPKD, SitNKD})
        setAnswer(p2, s, kAlwaysD);

    auto e = std::make_unique<WendrakEngine>();
    play(*e, p1, p2, 3);
    EXPECT_EQ(standingsOf(*e, 3), "NMN"); // round 2 under -1, paid back in round 2
    EXPECT_EQ(movesOf(*e, 3, 1), "DKD");
    EXPECT_EQ(movesOf(*e, 3, 2), "KDK");
    EXPECT_EQ(e->ExploitCount1, 1);
    EXPECT_EQ(e->ExploitCount2, 1);
}

TEST(Games, ConsensusPlayerAnswersFromMKDAfterHavingExploited) {
    // Player 1 exploits in round 1, player 2 pays it back in round 2, both give way in
    // round 3 under an even standing: a consensus-oriented player 1 then answers from MKD
    // (hold out here), any other player from NKK (give way).
    SpielerTyp p1 = profile(kAlwaysK);
    p1.Spielertyp = 3;
    for (int s : {SitErsterTag, SitNDD, SitMKD, SitPKD})
        setAnswer(p1, s, kAlwaysD);
    ASSERT_EQ(ConsensusFlag(p1), 1);
    SpielerTyp p2 = profile(kAlwaysK);
    setAnswer(p2, SitNDK, kAlwaysD);

    auto e = std::make_unique<WendrakEngine>();
    play(*e, p1, p2, 4);
    EXPECT_EQ(movesOf(*e, 4, 1), "DKKD");
    EXPECT_EQ(movesOf(*e, 4, 2), "KDKK");
    EXPECT_EQ(standingsOf(*e, 4), "NMNN");
    EXPECT_EQ(e->glbKons1, 1);
    EXPECT_EQ(e->glbKons2, 0);

    p1.Spielertyp = 2;
    play(*e, p1, p2, 4);
    EXPECT_EQ(movesOf(*e, 4, 1), "DKKK");
}

TEST(Games, AutomatonPlaysItsEntriesInOrderAndKeepsTheLastMove) {
    SpielerTyp a = automaton({MoveK, MoveD, MoveK});
    setMoves(a, SitErsterTag, {MoveD, MoveEmpty, MoveEmpty});
    auto e = std::make_unique<WendrakEngine>();
    play(*e, a, profile(kAlwaysK), 9);
    // 1: "1. Tag" D. 2: NKD K. Then under -1: PKK K, PKK D, PKD K, PKK K (third move),
    // then PKK stays on its third move.
    EXPECT_EQ(movesOf(*e, 9, 1), "DKKDKKKKK");
    EXPECT_EQ(standingsOf(*e, 9), "NMMMMMMMM");

    // Empty slots repeat the current move; an entry without moves gives way; so does an
    // empty first move.
    SpielerTyp b = automaton({MoveD, MoveEmpty, MoveEmpty});
    setMoves(b, SitErsterTag, {MoveEmpty, MoveEmpty, MoveEmpty});
    setMoves(b, SitNKK, {MoveEmpty, MoveEmpty, MoveEmpty});
    play(*e, profile(kAlwaysK), b, 5);
    EXPECT_EQ(movesOf(*e, 5, 2), "KKKKK");

    // One move and two empty slots: that move again and again.
    play(*e, profile(kAlwaysK), automaton({MoveD, MoveEmpty, MoveEmpty}), 5);
    EXPECT_EQ(movesOf(*e, 5, 2), "DDDDD");
    EXPECT_EQ(standingsOf(*e, 5), "NPPPP");
}

TEST(Games, AutomatonPositionsStartFromZeroAndStayInTheCopy) {
    SpielerTyp a = automaton({MoveD, MoveK, MoveK});
    for (AutomatTyp& x : a.Automat)
        x.Position = 3;
    auto e = std::make_unique<WendrakEngine>();
    play(*e, a, profile(kAlwaysD), 4);
    // NDD from position 0: D, K; then NDK from position 0: D.
    EXPECT_EQ(movesOf(*e, 4, 1), "DDKD");
    EXPECT_EQ(a.Automat[SitNDD].Position, 3); // the caller's record is untouched

    SpielerTyp rec = automaton({MoveK, MoveD, MoveEmpty});
    EXPECT_EQ(AutomatonMoveP1(rec, 0, MoveK, MoveK), MoveK);
    EXPECT_EQ(AutomatonMoveP1(rec, 0, MoveK, MoveK), MoveD);
    EXPECT_EQ(AutomatonMoveP1(rec, 0, MoveK, MoveK), MoveD);
    EXPECT_EQ(rec.Automat[SitNKK].Position, 2);
    rec.Automat[SitNKK].Position = 17; // garbage from a file
    EXPECT_EQ(AutomatonMoveP2(rec, 0, MoveK, MoveK), MoveD);
    EXPECT_EQ(rec.Automat[SitNKK].Position, 2);
}

TEST(Games, ZMovesScoreAsHoldingOutButCountNowhere) {
    SpielerTyp z = automaton({MoveZ, MoveZ, MoveZ});
    auto e = std::make_unique<WendrakEngine>();
    const GameResult g = play(*e, z, profile(kAlwaysK), 10);
    EXPECT_EQ(g.Punkte1, 50);
    EXPECT_EQ(g.AnzK, 10);
    EXPECT_EQ(g.AnzDK + g.AnzDD + g.AnzKD + g.AnzKK, 0);
    EXPECT_EQ(standingsOf(*e, 3), "NMM");
}

TEST(Games, RoundCountsOutsideTheTableAreRefused) {
    auto e = std::make_unique<WendrakEngine>();
    for (int rounds : {0, -5, 2001}) {
        try {
            play(*e, profile(kAlwaysK), profile(kAlwaysK), rounds);
            ADD_FAILURE() << rounds;
        } catch (const WendrakError& err) {
            EXPECT_TRUE(err.message().contains("2000")) << err.what();
        }
    }
    EXPECT_NO_THROW(play(*e, profile(kAlwaysK), profile(kAlwaysK), 2000));
}

TEST(Games, SameSeedPlaysTheSameGame) {
    auto e = std::make_unique<WendrakEngine>();
    const SpielerTyp mixed = profile({10, 5});
    const GameResult a = play(*e, mixed, mixed, 500, 99);
    const std::string moves = movesOf(*e, 500, 1);
    const GameResult b = play(*e, mixed, mixed, 500, 99);
    EXPECT_EQ(moves, movesOf(*e, 500, 1));
    EXPECT_EQ(a.Punkte1, b.Punkte1);
    EXPECT_EQ(a.AnzK, b.AnzK);
}

// The game loop is written for speed; it must play exactly the game that the single
// round steps describe, draw for draw. The reference below composes those steps.
GameResult referenceGame(WendrakEngine& e, const SpielerTyp& a, const SpielerTyp& b,
                         int rounds, platform::Random& random, std::vector<ZugTyp>& out) {
    e.glbKons1 = ConsensusFlag(a);
    e.glbKons2 = ConsensusFlag(b);
    e.ExploitCount1 = e.ExploitCount2 = 0;
    GameResult g;
    ZugTyp prev{};
    for (int r = 1; r <= rounds; ++r) {
        ZugTyp z{};
        int i1 = SitErsterTag, i2 = SitErsterTag;
        if (r > 1) {
            z.Stand = NextGameState(prev.Stand, prev.Zug1, prev.Zug2);
            i1 = e.SituationIndexP1(prev.Stand, prev.Zug1, prev.Zug2);
            i2 = e.SituationIndexP2(prev.Stand, prev.Zug1, prev.Zug2);
        }
        z.Zug1 = RandomMove(a.Situationen[i1].Anzahl, a.Situationen[i1].AnzahlK, random);
        z.Zug2 = RandomMove(b.Situationen[i2].Anzahl, b.Situationen[i2].AnzahlK, random);
        ApplyPayoff(z, nullptr);
        g.Punkte1 += z.Punkte1;
        g.Punkte2 += z.Punkte2;
        g.AnzK += (z.Zug1 == 0) + (z.Zug2 == 0);
        g.AnzKK += z.Zug1 == 0 && z.Zug2 == 0;
        g.AnzNKK += z.Zug1 == 0 && z.Zug2 == 0 && z.Stand == 0;
        g.AnzDK += z.Zug1 == 1 && z.Zug2 == 0;
        g.AnzKD += z.Zug1 == 0 && z.Zug2 == 1;
        g.AnzDD += z.Zug1 == 1 && z.Zug2 == 1;
        out.push_back(z);
        prev = z;
    }
    return g;
}

TEST(Games, GameLoopPlaysExactlyTheRoundSteps) {
    platform::Random maker(77);
    auto randomProfile = [&maker](bool sameN) {
        SpielerTyp p = zeroedPlayer();
        for (SituationTyp& s : p.Situationen) {
            const int n = sameN ? 10 : 1 + int(maker.below(12));
            const int k = int(maker.below(n + 1));
            s = {n, k, n - k};
        }
        if (maker.below(2)) { // consensus-oriented
            p.Spielertyp = 3;
            p.Situationen[SitNDD] = {10, 2, 8};
            p.Situationen[SitMKD] = {10, 1, 9};
            p.Situationen[SitPKD] = {10, 3, 7};
        }
        return p;
    };
    auto e = std::make_unique<WendrakEngine>();
    auto ref = std::make_unique<WendrakEngine>();
    for (int game = 0; game < 40; ++game) {
        const bool sameN = game % 2 == 0;
        const SpielerTyp a = randomProfile(sameN), b = randomProfile(sameN);
        platform::Random r1(game), r2(game);
        std::vector<ZugTyp> expected;
        const GameResult want = referenceGame(*ref, a, b, 700, r2, expected);
        const GameResult got = e->PlayRecords(a, b, 700, r1);
        ASSERT_EQ(got.Punkte1, want.Punkte1) << game;
        EXPECT_EQ(got.Punkte2, want.Punkte2) << game;
        EXPECT_EQ(got.AnzK, want.AnzK) << game;
        EXPECT_EQ(got.AnzKK, want.AnzKK) << game;
        EXPECT_EQ(got.AnzNKK, want.AnzNKK) << game;
        EXPECT_EQ(got.AnzDK, want.AnzDK) << game;
        EXPECT_EQ(got.AnzKD, want.AnzKD) << game;
        EXPECT_EQ(got.AnzDD, want.AnzDD) << game;
        EXPECT_EQ(e->ExploitCount1, ref->ExploitCount1) << game;
        EXPECT_EQ(e->ExploitCount2, ref->ExploitCount2) << game;
        for (int r = 0; r < 700; ++r) {
            const ZugTyp& x = e->Zuege[r + 1];
            const ZugTyp& y = expected[r];
            ASSERT_TRUE(x.Stand == y.Stand && x.Zug1 == y.Zug1 && x.Zug2 == y.Zug2 &&
                        x.Punkte1 == y.Punkte1 && x.Punkte2 == y.Punkte2)
                << "game " << game << " round " << r + 1;
        }
    }
}

// ---- PlayGame on files -----------------------------------------------------------------

class PlayGameFiles : public ::testing::Test {
protected:
    TempRoot root;
    QString gameFolder() const { return root.programFolder() + "Aktuelles Spiel/"; }
    void put(const QString& name, const SpielerTyp& p) { writePlayerFile(gameFolder() + name, p); }
    QByteArray debugFile(int n) const { return root.read("Debug/Runde_" + QString::number(n) + ".csv"); }
};

TEST_F(PlayGameFiles, SetsEveryOutputAfresh) {
    put("Anna.ply", profile(kAlwaysK));
    put("Bert.ply", titForTat());
    std::int32_t o[13];
    std::fill(std::begin(o), std::end(o), 777);
    PlayGame("Anna.ply", "BERT.PLX", o[0], o[1], o[2], o[3], o[4], o[5], o[6], o[7], o[8], 500,
             "Aktuelles Spiel", false, 3, o[9], o[10], o[11], o[12], 5);
    const std::int32_t expected[13] = {1500, 1500, 1000, 500, 0, 0, 0, 500, 500,
                                       500,  500,  500,  500};
    for (int i = 0; i < 13; ++i)
        EXPECT_EQ(o[i], expected[i]) << "output " << i;

    put("Cora.ply", profile(kAlwaysD));
    PlayGame("Cora", "Bert", o[0], o[1], o[2], o[3], o[4], o[5], o[6], o[7], o[8], 20,
             "Aktuelles Spiel", false, 3, o[9], o[10], o[11], o[12], 5);
    // D K first, then D D: 5 + 19 and 0 + 19.
    const std::int32_t second[13] = {24, 19, 1, 0, 19, 1, 0, 0, 0, 1, 0, 0, 1};
    for (int i = 0; i < 13; ++i)
        EXPECT_EQ(o[i], second[i]) << "output " << i;
}

TEST_F(PlayGameFiles, DebugFileWithoutDebugHoldsOnlyTheConsensusKeys) {
    put("A.ply", profile(kAlwaysK));
    put("B.ply", profile(kAlwaysD));
    ASSERT_FALSE(QFileInfo::exists(root.root() + "Debug"));
    const GameResult g = PlayGame("A", "B", 500, "Aktuelles Spiel", false, 7);
    EXPECT_EQ(g.Punkte2, 2500);
    EXPECT_EQ(debugFile(7), QByteArray("glbKons1,glbKons2,\r\n"));
}

TEST_F(PlayGameFiles, DebugFileWithDebugHoldsOneRowPerRound) {
    SpielerTyp z = automaton({MoveZ, MoveK, MoveEmpty});
    setMoves(z, SitErsterTag, {MoveD, MoveEmpty, MoveEmpty});
    put("Z.ply", z);
    put("K.ply", profile(kAlwaysK));
    PlayGame("Z", "K", 4, "Aktuelles Spiel", true, 2, 1);
    // 1: D K under N. 2: NKD -> Z, under M. 3: PKD... (Z counts as D) -> Z then K.
    EXPECT_EQ(debugFile(2), QByteArray("zugnr,Erg.,M1,M2,\r\n"
                                       "1,NDK,5,0,\r\n"
                                       "2,MXK,5,0,\r\n"
                                       "3,MXK,5,0,\r\n"
                                       "4,MKK,3,3,\r\n"));
}

TEST_F(PlayGameFiles, DebugFolderGoesBelowTheRootPathSetting) {
    root.write("Kemra.ini", ("[Path]\r\nRootpath=" + root.root() + "Elsewhere\\\r\n").toUtf8());
    put("A.ply", profile(kAlwaysK));
    PlayGame("A", "A", 10, "Aktuelles Spiel", false, 1);
    EXPECT_EQ(root.read("Elsewhere/Debug/Runde_1.csv"), QByteArray("glbKons1,glbKons2,\r\n"));
}

TEST_F(PlayGameFiles, UnreadablePlayerFileNamesTheFileAndWritesNothing) {
    put("A.ply", profile(kAlwaysK));
    root.write("Wendrak/Aktuelles Spiel/Short.ply", QByteArray(100, '\0'));
    for (const char* other : {"Missing", "Short"}) {
        try {
            PlayGame("A", other, 500, "Aktuelles Spiel", false, 1);
            ADD_FAILURE() << other;
        } catch (const WendrakError& e) {
            EXPECT_TRUE(e.message().contains(QString(other) + ".ply")) << e.what();
        }
    }
    EXPECT_FALSE(QFileInfo::exists(root.root() + "Debug"));
}

TEST_F(PlayGameFiles, RoundCountOutsideTheTableIsAGermanError) {
    put("A.ply", profile(kAlwaysK));
    std::int32_t o[13];
    std::fill(std::begin(o), std::end(o), 777);
    EXPECT_THROW(PlayGame("A", "A", o[0], o[1], o[2], o[3], o[4], o[5], o[6], o[7], o[8], 2001,
                          "Aktuelles Spiel", false, 1, o[9], o[10], o[11], o[12]),
                 WendrakError);
    for (std::int32_t v : o)
        EXPECT_EQ(v, 0);
    EXPECT_FALSE(QFileInfo::exists(root.root() + "Debug"));
}
