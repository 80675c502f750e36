// The game engine: the round steps, hand-derived games, the fast loops against the steps,
// and PlayGame on files with its outputs and per-game debug file.
#include "engine/WendrakCalc.h"

#include "TempRoot.h"
#include "engine_fixtures.h"

#include <QFileInfo>
#include <gtest/gtest.h>

#include <array>
#include <bit>
#include <cstring>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

TEST(GameRules, StandingAndSituationFollowFromThePreviousRound) {
    // Standing before, both moves; the next standing; the entries player 1 and player 2
    // answer from, each seeing the standing from its own side.
    const std::array<int, 6> rows[] = {
        {0, MoveK, MoveK, 0, SitNKK, SitNKK},   {0, MoveD, MoveD, 0, SitNDD, SitNDD},
        {0, MoveD, MoveK, -1, SitNKD, SitNDK},  {0, MoveK, MoveD, 1, SitNDK, SitNKD},
        {-1, MoveK, MoveD, 0, SitPDK, SitMKD},  {-1, MoveD, MoveK, -1, SitPKD, SitMDK},
        {-1, MoveK, MoveK, -1, SitPKK, SitMKK}, {-1, MoveD, MoveD, -1, SitPDD, SitMDD},
        {1, MoveD, MoveK, 0, SitMKD, SitPDK},   {1, MoveK, MoveD, 1, SitMDK, SitPKD},
        {1, MoveK, MoveK, 1, SitMKK, SitPKK},   {1, MoveD, MoveD, 1, SitMDD, SitPDD},
    };
    for (const auto& [s, m1, m2, next, p1, p2] : rows) {
        WendrakEngine e;
        EXPECT_EQ(std::tuple(NextGameState(s, m1, m2), e.SituationIndexP1(s, m1, m2),
                             e.SituationIndexP2(s, m1, m2)),
                  std::tuple(next, p1, p2))
            << s << " " << m1 << m2;
    }
}

TEST(GameRules, OnlyHoldingOutAgainstKUnderAnEvenStandingCountsForTheConsensusRule) {
    auto e = std::make_unique<WendrakEngine>();
    e->glbKons1 = e->glbKons2 = 1;
    const auto entries = [&e](int s, int m1, int m2) { // player 1's, player 2's
        return std::pair(e->SituationIndexP1(s, m1, m2), e->SituationIndexP2(s, m1, m2));
    };
    entries(0, MoveK, MoveD);  // player 2 exploiting counts for neither
    entries(-1, MoveD, MoveK); // nor does anything under an uneven standing
    EXPECT_EQ(entries(0, MoveK, MoveK), std::pair(int(SitNKK), int(SitNKK)));
    entries(0, MoveD, MoveK); // counts for both players
    EXPECT_EQ(entries(0, MoveK, MoveK), std::pair(int(SitMKD), int(SitMKD)));
    EXPECT_EQ(entries(1, MoveK, MoveK), std::pair(int(SitMKK), int(SitPKK)));
    e->glbKons1 = 0;
    EXPECT_EQ(entries(0, MoveK, MoveK), std::pair(int(SitNKK), int(SitMKD)));
}

TEST(GameRules, ConsensusFlagNeedsTypeAndTheThirtyCasesRule) {
    // K cases of ten in NDD, MKD and PKD (of n): three times NDD's, out of exactly 30.
    const std::array<int, 6> rows[] = {{3, 2, 2, 2, 10, 1}, {4, 4, 5, 3, 10, 1},
                                       {2, 2, 2, 2, 10, 0}, {5, 2, 2, 2, 10, 0},
                                       {3, 2, 2, 2, 9, 0},  {3, 2, 3, 2, 10, 0}};
    for (const auto& [typ, ndd, mkd, pkd, nPkd, flag] : rows) {
        SpielerTyp p = profile(kGives);
        p.Spielertyp = typ;
        p.Situationen[SitNDD] = {10, ndd, 10 - ndd};
        p.Situationen[SitMKD] = {10, mkd, 10 - mkd};
        p.Situationen[SitPKD] = {nPkd, pkd, nPkd - pkd};
        EXPECT_EQ(ConsensusFlag(p), flag) << "type " << typ << " k(MKD) " << mkd;
    }
}

TEST(GameRules, RandomMoveGivesWayWithTheShareOfItsKCases) {
    // Counts from a damaged file; certain moves are in the hand-derived games below.
    const std::array<int, 3> rows[] = {
        {0, 5, MoveK}, {-1, -1, MoveK}, {0, -2, MoveD}, {10, 12, MoveK}};
    platform::Random random(12345);
    for (const auto& [n, k, move] : rows)
        EXPECT_EQ(RandomMove(n, k, random), move) << n << "/" << k;
    for (const auto& [n, kCases] : {std::pair(10, 3), std::pair(4, 1), std::pair(7, 6)}) {
        int k = 0;
        for (int i = 0; i < 200000; ++i)
            k += RandomMove(n, kCases, random) == MoveK;
        EXPECT_NEAR(k / 200000.0, double(kCases) / n, 0.01) << kCases << " of " << n;
    }
}

TEST(Games, HandDerivedGamesPlayRoundByRound) {
    // Consensus-oriented (holds out first and from NDD, MKD, PKD): after exploiting and
    // being paid back it answers mutual giving way from MKD.
    SpielerTyp consensus = profile(kGives, {SitErsterTag, SitNDD, SitMKD, SitPKD});
    consensus.Spielertyp = 3;
    // An automaton starts every entry from position 0, whatever its record holds.
    SpielerTyp cycling = automaton({MoveK, MoveD, MoveK}, 3);
    cycling.Automat[SitErsterTag].Zug[0] = MoveD;
    SpielerTyp empty = automaton({MoveD, MoveEmpty, MoveEmpty});
    empty.Automat[SitErsterTag] = empty.Automat[SitNKK] = {0, {MoveEmpty, MoveEmpty, MoveEmpty}};
    // Players, standings and moves per round, points.
    const std::tuple<SpielerTyp, SpielerTyp, const char*, int, int> rows[] = {
        {titForTat(), profile(kHolds), "NPPP KDDD DDDD", 3, 8},
        {consensus, profile(kGives, {SitNDK}), "NMNN DKKD KDKK", 13, 8},
        // "1. Tag" D; NKD K; then under -1 PKK K, PKK D, PKD K, PKK K (its third move),
        // and PKK stays on its third move.
        {cycling, profile(kGives), "NMMMMMMMM DKKDKKKKK KKKKKKKKK", 31, 21},
        // An empty first move and an entry without moves give way; empty slots repeat the
        // last move; Z scores as holding out.
        {profile(kGives), empty, "NNN KKK KKK", 9, 9},
        {profile(kGives), automaton({MoveD, MoveEmpty, MoveEmpty}), "NPP KKK DDD", 0, 15},
        {automaton({MoveZ, MoveZ, MoveZ}), profile(kGives), "NMM ZZZ KKK", 15, 0},
    };
    auto e = std::make_unique<WendrakEngine>();
    for (const auto& [a, b, played, p1, p2] : rows) {
        const int rounds = static_cast<int>(std::strlen(played) - 2) / 3;
        platform::Random random(1);
        const GameResult g = e->PlayRecords(a, b, rounds, random);
        std::string s[3]; // standings, player 1's and player 2's moves
        for (const ZugTyp& z : e->Rounds(rounds))
            s[0] += "MNP"[z.Stand + 1], s[1] += "KDZ"[z.Zug1], s[2] += "KDZ"[z.Zug2];
        EXPECT_EQ(s[0] + " " + s[1] + " " + s[2], played);
        EXPECT_EQ(std::pair(g.Punkte1, g.Punkte2), std::pair(p1, p2)) << played;
    }
}

// The game loops are written for speed; they must play exactly the game that the single
// round steps describe, draw for draw. The reference below composes those steps.
static std::vector<ZugTyp> referenceGame(SpielerTyp a, SpielerTyp b, platform::Random& random) {
    auto e = std::make_unique<WendrakEngine>();
    e->glbKons1 = ConsensusFlag(a);
    e->glbKons2 = ConsensusFlag(b);
    for (SpielerTyp* p : {&a, &b})
        for (AutomatTyp& x : p->Automat)
            x.Position = 0;
    const auto drawn = [&random](const SpielerTyp& p, int i) {
        return RandomMove(p.Situationen[i].Anzahl, p.Situationen[i].AnzahlK, random);
    };
    const auto first = [&](const SpielerTyp& p) {
        const int move = p.Automat[SitErsterTag].Zug[0];
        return !p.IstAutomat ? drawn(p, SitErsterTag) : move == MoveEmpty ? int(MoveK) : move;
    };
    // Braced lists evaluate left to right, so the draws keep the order of the rules.
    const PayoffTable pay = PayoffTable::builtIn();
    std::vector<ZugTyp> out{ZugTyp{0, first(a), first(b), 0, 0}};
    ApplyPayoff(out.back(), pay);
    while (out.size() < std::size_t(MaxRounds)) {
        const auto [s, m1, m2, p1, p2] = out.back();
        out.push_back({NextGameState(s, m1, m2),
                       a.IstAutomat ? AutomatonMoveP1(a, s, m1, m2)
                                    : drawn(a, e->SituationIndexP1(s, m1, m2)),
                       b.IstAutomat ? AutomatonMoveP2(b, s, m1, m2)
                                    : drawn(b, e->SituationIndexP2(s, m1, m2)),
                       0, 0});
        ApplyPayoff(out.back(), pay);
    }
    return out;
}

// What PlayRecords reports for these rounds, in the order of GameResult: points, K moves,
// KK, DD, DK, KD (Z counts in none of these three), KK under an even standing, KK again,
// and the favours received and granted: KK plus the other's giving way, KK plus one's own.
static std::array<int, 13> figuresOf(const std::vector<ZugTyp>& rounds) {
    std::array<int, 8> c{};
    for (const ZugTyp& z : rounds) {
        const bool k1 = z.Zug1 == MoveK, k2 = z.Zug2 == MoveK;
        const bool d1 = z.Zug1 == MoveD, d2 = z.Zug2 == MoveD;
        c = {c[0] + z.Punkte1,  c[1] + z.Punkte2,
             c[2] + k1 + k2,    c[3] + (k1 && k2),
             c[4] + (d1 && d2), c[5] + (d1 && k2),
             c[6] + (k1 && d2), c[7] + (k1 && k2 && z.Stand == 0)};
    }
    const auto [p1, p2, k, kk, dd, dk, kd, nkk] = c;
    return {p1, p2, k, kk, dd, dk, kd, nkk, kk, kk + dk, kk + kd, kk + kd, kk + dk};
}

static std::array<int, 13> figuresOf(const GameResult& g) {
    return std::bit_cast<std::array<int, 13>>(g);
}

TEST(Games, GameLoopsPlayExactlyTheRoundSteps) {
    platform::Random maker(77);
    const auto randomPlayer = [&maker](bool automat) {
        SpielerTyp p = zeroedPlayer();
        p.IstAutomat = automat ? 1 : 0;
        const auto move = [&maker] { return int(maker.below(4)) - 1; }; // empty, K, D or Z
        for (int i = 0; i < SituationCount; ++i) {
            const int n = 1 + int(maker.below(12)), k = int(maker.below(n + 1));
            p.Situationen[i] = {n, k, n - k};
            p.Automat[i] = {int(maker.below(5)), {move(), move(), move()}};
        }
        if (maker.below(2)) { // consensus-oriented
            p.Spielertyp = 3;
            for (int s : {SitNDD, SitMKD, SitPKD})
                p.Situationen[s] = {10, 2, 8};
        }
        return p;
    };
    auto e = std::make_unique<WendrakEngine>();
    for (int game = 0; game < 48; ++game) { // every pair of profile and automaton
        const SpielerTyp a = randomPlayer(game & 1), b = randomPlayer(game & 2);
        platform::Random r1(game), r2(game);
        const std::vector<ZugTyp> steps = referenceGame(a, b, r2);
        ASSERT_EQ(figuresOf(e->PlayRecords(a, b, MaxRounds, r1)), figuresOf(steps)) << game;
        ASSERT_EQ(std::memcmp(e->Zuege + 1, steps.data(), sizeof(ZugTyp) * MaxRounds), 0) << game;
    }
}

// A game has 1 to 2000 rounds and whole player files; a failing game names the cause and
// writes nothing. The debug file goes below the root path setting.
TEST(PlayGameFiles, PlaysWholeFilesOrFailsNamingTheCauseWithoutWriting) {
    TempRoot root;
    root.write("Kemra.ini", ("[Path]\r\nRootpath=" + root.root() + "Elsewhere\\\r\n").toUtf8());
    const QString folder = root.programFolder() + "Aktuelles Spiel/";
    SpielerTyp z = automaton({MoveZ, MoveK, MoveEmpty});
    z.Automat[SitErsterTag].Zug[0] = MoveD;
    writePlayerFile(folder + "Z.ply", z);
    writePlayerFile(folder + "K.ply", profile(kGives));
    writePlayerFile(folder + "Bert.ply", titForTat());
    writePlayerFile(folder + "Cora.ply", profile(kHolds));
    root.write("Wendrak/Aktuelles Spiel/Short.ply", QByteArray(100, '\0'));
    std::array<int, 13> o{};
    const auto run = [&o](const char* a, const char* b, int rounds, bool debug = false) {
        return errorOf(
            [&] { o = figuresOf(PlayGame(a, b, rounds, "Aktuelles Spiel", debug, 3, 5)); });
    };
    // The other player, rounds, what the message names.
    const std::tuple<const char*, int, const char*> failures[] = {{"Cora", 0, "2000"},
                                                                  {"Cora", 2001, "2000"},
                                                                  {"Missing", 20, "Missing.ply"},
                                                                  {"Short", 20, "Short.ply"}};
    for (const auto& [other, rounds, named] : failures)
        EXPECT_TRUE(run("Bert", other, rounds).contains(named)) << named;
    EXPECT_FALSE(QFileInfo::exists(root.root() + "Elsewhere"));

    // D K first, then D D: 5 + 19 and 0 + 19. Names may carry any extension and case.
    EXPECT_EQ(run("Cora.ply", "BERT.PLX", 20), "(kein Fehler)");
    EXPECT_EQ(o, (std::array<int, 13>{24, 19, 1, 0, 19, 1, 0, 0, 0, 1, 0, 0, 1}));
    EXPECT_EQ(root.read("Elsewhere/Debug/Runde_3.csv"), "glbKons1,glbKons2,\r\n");

    // With debug one row per round. 1: D K under N. 2: NKD -> Z, under M. 3: PKD (Z counts
    // as D) -> Z. 4: its second move, K.
    run("Z", "K", 4, true);
    EXPECT_EQ(root.read("Elsewhere/Debug/Runde_3.csv"),
              QByteArray("zugnr,Erg.,M1,M2,\r\n1,NDK,5,0,\r\n2,MXK,5,0,\r\n3,MXK,5,0,\r\n"
                         "4,MKK,3,3,\r\n"));
}
