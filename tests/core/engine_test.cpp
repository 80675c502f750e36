// The game engine: the round steps, hand-derived games, the fast loops against the steps,
// and PlayGame on files with its outputs and per-game debug file.
#include "engine/WendrakCalc.h"

#include "engine/uTApplicationEnviroment.h"
#include "engine_fixtures.h"
#include "platform/NumberFormat.h"
#include "platform/WendrakError.h"
#include "TempRoot.h"

#include <QFileInfo>
#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

// The rounds as text: the standings (M/N/P, as the debug file writes them), then player 1's
// and player 2's moves.
std::string roundsOf(const WendrakEngine& e, int rounds) {
    std::string s[3];
    for (const ZugTyp& z : e.Rounds(rounds)) {
        s[0] += "MNP"[z.Stand + 1];
        s[1] += "KDZ"[z.Zug1];
        s[2] += "KDZ"[z.Zug2];
    }
    return s[0] + " " + s[1] + " " + s[2];
}

} // namespace

TEST(GameRules, StandingAndSituationFollowFromThePreviousRound) {
    // Standing before, both moves; the next standing; the entries player 1 and player 2
    // answer from, each seeing the standing from its own side. Z counts as holding out.
    struct Row { int s, m1, m2, next, p1, p2; };
    const Row rows[] = {
        {0, MoveK, MoveK, 0, SitNKK, SitNKK},   {0, MoveD, MoveD, 0, SitNDD, SitNDD},
        {0, MoveD, MoveK, -1, SitNKD, SitNDK},  {0, MoveK, MoveD, 1, SitNDK, SitNKD},
        {-1, MoveK, MoveD, 0, SitPDK, SitMKD},  {-1, MoveD, MoveK, -1, SitPKD, SitMDK},
        {-1, MoveK, MoveK, -1, SitPKK, SitMKK}, {-1, MoveD, MoveD, -1, SitPDD, SitMDD},
        {1, MoveD, MoveK, 0, SitMKD, SitPDK},   {1, MoveK, MoveD, 1, SitMDK, SitPKD},
        {1, MoveK, MoveK, 1, SitMKK, SitPKK},   {1, MoveD, MoveD, 1, SitMDD, SitPDD},
        {0, MoveZ, MoveK, -1, SitNKD, SitNDK},  {1, MoveZ, MoveK, 0, SitMKD, SitPDK},
        {-1, MoveK, MoveZ, 0, SitPDK, SitMKD},  {1, MoveZ, MoveZ, 1, SitMDD, SitPDD},
    };
    for (const Row& r : rows) {
        WendrakEngine e;
        EXPECT_EQ(NextGameState(r.s, r.m1, r.m2), r.next) << r.s << " " << r.m1 << r.m2;
        EXPECT_EQ(e.SituationIndexP1(r.s, r.m1, r.m2), r.p1) << r.s << " " << r.m1 << r.m2;
        EXPECT_EQ(e.SituationIndexP2(r.s, r.m1, r.m2), r.p2) << r.s << " " << r.m1 << r.m2;
    }
}

TEST(GameRules, OnlyHoldingOutAgainstKUnderAnEvenStandingCountsForTheConsensusRule) {
    auto e = std::make_unique<WendrakEngine>();
    e->glbKons1 = e->glbKons2 = 1;
    using Entries = std::pair<int, int>; // player 1's, player 2's
    const auto entries = [&e](int s, int m1, int m2) {
        return Entries(e->SituationIndexP1(s, m1, m2), e->SituationIndexP2(s, m1, m2));
    };
    entries(0, MoveK, MoveD);  // player 2 exploiting counts for neither
    entries(-1, MoveD, MoveK); // nor does anything under an uneven standing
    EXPECT_EQ(entries(0, MoveK, MoveK), Entries(SitNKK, SitNKK));
    entries(0, MoveD, MoveK); // counts for both players
    EXPECT_EQ(entries(0, MoveK, MoveK), Entries(SitMKD, SitMKD));
    EXPECT_EQ(entries(1, MoveK, MoveK), Entries(SitMKK, SitPKK));
    e->glbKons1 = 0;
    EXPECT_EQ(entries(0, MoveK, MoveK), Entries(SitNKK, SitMKD));
}

TEST(GameRules, ConsensusFlagNeedsTypeAndTheThirtyCasesRule) {
    struct Row { int typ; Answer ndd, mkd, pkd; int flag; };
    const Row rows[] = {
        {3, {10, 2}, {10, 2}, {10, 2}, 1}, {4, {10, 4}, {10, 5}, {10, 3}, 1},
        {4, {10, 0}, {10, 0}, {10, 0}, 1}, {2, {10, 2}, {10, 2}, {10, 2}, 0},
        {5, {10, 2}, {10, 2}, {10, 2}, 0}, {3, {10, 2}, {10, 2}, {9, 2}, 0},  // 29 cases
        {3, {10, 2}, {10, 3}, {10, 2}, 0}, // 7 K-cases, not 3 x 2
    };
    for (const Row& r : rows) {
        SpielerTyp p = profile(kAlwaysK);
        p.Spielertyp = r.typ;
        setAnswer(p, SitNDD, r.ndd);
        setAnswer(p, SitMKD, r.mkd);
        setAnswer(p, SitPKD, r.pkd);
        EXPECT_EQ(ConsensusFlag(p), r.flag) << "type " << r.typ << " k(MKD) " << r.mkd.k;
    }
}

TEST(GameRules, RandomMoveDrawsOnlyForMixedEntriesWithTheShareOfItsKCases) {
    struct Row { int n, k, move; bool draws; };
    const Row rows[] = {
        {10, 10, MoveK, false}, {0, 0, MoveK, false}, {10, 0, MoveD, false},
        {0, 5, MoveK, false},   {-1, -1, MoveK, false}, {10, 12, MoveK, true},
    };
    for (const Row& r : rows) {
        platform::Random random(7), untouched(7);
        EXPECT_EQ(RandomMove(r.n, r.k, random), r.move) << r.n << "/" << r.k;
        EXPECT_EQ(random.next() != untouched.next(), r.draws) << r.n << "/" << r.k;
    }
    platform::Random random(12345);
    for (const Answer a : {Answer{10, 3}, Answer{10, 7}, Answer{4, 1}, Answer{7, 6}}) {
        int k = 0;
        for (int i = 0; i < 200000; ++i)
            k += RandomMove(a.n, a.k, random) == MoveK;
        EXPECT_NEAR(k / 200000.0, double(a.k) / a.n, 0.01) << a.k << " of " << a.n;
    }
}

TEST(GameRules, PayoffFromSettingsTruncatesEachPart) {
    TempRoot root;
    platform::setDecimalSeparator(QLatin1Char(','));
    root.write("Kemra.ini", "[Settings]\r\nMatrixKK=4,9;2\r\nMatrixKD=-1;7\r\n");
    TApplicationEnviroment settings;
    settings.ReadSettings();
    ZugTyp kk{0, MoveK, MoveK, 0, 0}, kd{0, MoveK, MoveD, 0, 0}, dd{0, MoveD, MoveD, 0, 0};
    for (ZugTyp* z : {&kk, &kd, &dd})
        ApplyPayoff(*z, &settings);
    EXPECT_EQ((std::array{kk.Punkte1, kk.Punkte2, kd.Punkte1, kd.Punkte2, dd.Punkte1}),
              (std::array{4, 2, -1, 7, 1}));
}

TEST(Games, HandDerivedGamesPlayRoundByRound) {
    // Holds out first and gives way only from NKD, MDK and NDK, against one that gives way
    // first and holds out only from NDK, PKD and NKD: in round 3 the first answers from a
    // P entry, the second from an M entry.
    SpielerTyp exploiter = profile(kAlwaysD), payer = profile(kAlwaysK);
    for (int s : {SitNKD, SitMDK, SitNDK})
        setAnswer(exploiter, s, kAlwaysK);
    for (int s : {SitNDK, SitPKD, SitNKD})
        setAnswer(payer, s, kAlwaysD);
    // Consensus-oriented (holds out first and from NDD, MKD, PKD): after exploiting and
    // being paid back it answers mutual giving way from MKD; a type 2 player from NKK.
    SpielerTyp consensus = profile(kAlwaysK), payBack = profile(kAlwaysK);
    consensus.Spielertyp = 3;
    for (int s : {SitErsterTag, SitNDD, SitMKD, SitPKD})
        setAnswer(consensus, s, kAlwaysD);
    SpielerTyp typ2 = consensus;
    typ2.Spielertyp = 2;
    setAnswer(payBack, SitNDK, kAlwaysD);
    // An automaton starts every entry from position 0, whatever its record holds.
    SpielerTyp cycling = automaton({MoveK, MoveD, MoveK});
    setMoves(cycling, SitErsterTag, {MoveD, MoveEmpty, MoveEmpty});
    for (AutomatTyp& x : cycling.Automat)
        x.Position = 3;
    SpielerTyp empty = automaton({MoveD, MoveEmpty, MoveEmpty});
    setMoves(empty, SitErsterTag, {MoveEmpty, MoveEmpty, MoveEmpty});
    setMoves(empty, SitNKK, {MoveEmpty, MoveEmpty, MoveEmpty});

    struct Row { SpielerTyp a, b; const char* rounds; int p1, p2; };
    const Row rows[] = {
        {profile(kAlwaysK), profile(kAlwaysK), "NNN KKK KKK", 9, 9},
        {profile(kAlwaysK), profile(kAlwaysD), "NPP KKK DDD", 0, 15},
        {profile(kAlwaysD), profile(kAlwaysK), "NMM DDD KKK", 15, 0},
        {profile(kAlwaysD), profile(kAlwaysD), "NNN DDD DDD", 3, 3},
        {titForTat(), profile(kAlwaysD), "NPPP KDDD DDDD", 3, 8},
        {exploiter, payer, "NMN DKD KDK", 10, 5},
        {consensus, payBack, "NMNN DKKD KDKK", 13, 8},
        {typ2, payBack, "NMNN DKKK KDKK", 11, 11},
        // "1. Tag" D; NKD K; then under -1 PKK K, PKK D, PKD K, PKK K (its third move),
        // and PKK stays on its third move.
        {cycling, profile(kAlwaysK), "NMMMMMMMM DKKDKKKKK KKKKKKKKK", 31, 21},
        // An empty first move and an entry without moves give way; empty slots repeat the
        // last move; Z scores as holding out.
        {profile(kAlwaysK), empty, "NNN KKK KKK", 9, 9},
        {profile(kAlwaysK), automaton({MoveD, MoveEmpty, MoveEmpty}), "NPP KKK DDD", 0, 15},
        {automaton({MoveZ, MoveZ, MoveZ}), profile(kAlwaysK), "NMM ZZZ KKK", 15, 0},
    };
    auto e = std::make_unique<WendrakEngine>();
    for (const Row& r : rows) {
        const int rounds = static_cast<int>(std::strlen(r.rounds) - 2) / 3;
        platform::Random random(1);
        const GameResult g = e->PlayRecords(r.a, r.b, rounds, random);
        EXPECT_EQ(roundsOf(*e, rounds), r.rounds);
        EXPECT_EQ(std::pair(g.Punkte1, g.Punkte2), std::pair(r.p1, r.p2)) << r.rounds;
    }
}

TEST(Games, AutomatonMoveMendsAStoredPositionOutOfRange) {
    SpielerTyp rec = automaton({MoveK, MoveD, MoveEmpty});
    rec.Automat[SitNKK].Position = 17; // garbage from a file
    EXPECT_EQ(AutomatonMoveP2(rec, 0, MoveK, MoveK), MoveD);
    EXPECT_EQ(rec.Automat[SitNKK].Position, 2);
}

namespace {

// The game loops are written for speed; they must play exactly the game that the single
// round steps describe, draw for draw. The reference below composes those steps.
std::vector<ZugTyp> referenceGame(WendrakEngine& e, SpielerTyp a, SpielerTyp b, int rounds,
                                  platform::Random& random) {
    e.glbKons1 = ConsensusFlag(a);
    e.glbKons2 = ConsensusFlag(b);
    e.ExploitCount1 = e.ExploitCount2 = 0;
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
    std::vector<ZugTyp> out;
    for (int r = 1; r <= rounds; ++r) {
        ZugTyp z{};
        if (r == 1) {
            z.Zug1 = first(a);
            z.Zug2 = first(b);
        } else {
            const auto [s, m1, m2, p1, p2] = out.back();
            z.Stand = NextGameState(s, m1, m2);
            z.Zug1 = a.IstAutomat ? AutomatonMoveP1(a, s, m1, m2)
                                  : drawn(a, e.SituationIndexP1(s, m1, m2));
            z.Zug2 = b.IstAutomat ? AutomatonMoveP2(b, s, m1, m2)
                                  : drawn(b, e.SituationIndexP2(s, m1, m2));
        }
        ApplyPayoff(z, nullptr);
        out.push_back(z);
    }
    return out;
}

// Points, K moves, KK, KK under an even standing, DK, KD and DD of a game's rounds.
std::array<int, 8> countsOf(const std::vector<ZugTyp>& rounds) {
    std::array<int, 8> c{};
    for (const ZugTyp& z : rounds) {
        const bool k1 = z.Zug1 == MoveK, k2 = z.Zug2 == MoveK;
        const bool d1 = z.Zug1 == MoveD, d2 = z.Zug2 == MoveD;
        c = {c[0] + z.Punkte1,   c[1] + z.Punkte2,     c[2] + k1 + k2,
             c[3] + (k1 && k2),  c[4] + (k1 && k2 && z.Stand == 0),
             c[5] + (d1 && k2),  c[6] + (k1 && d2),    c[7] + (d1 && d2)};
    }
    return c;
}

} // namespace

TEST(Games, GameLoopsPlayExactlyTheRoundSteps) {
    platform::Random maker(77);
    const auto randomPlayer = [&maker](bool automat) {
        SpielerTyp p = zeroedPlayer();
        p.IstAutomat = automat ? 1 : 0;
        for (SituationTyp& s : p.Situationen) {
            const int n = 1 + int(maker.below(12)), k = int(maker.below(n + 1));
            s = {n, k, n - k};
        }
        if (maker.below(2)) { // consensus-oriented
            p.Spielertyp = 3;
            for (int s : {SitNDD, SitMKD, SitPKD})
                p.Situationen[s] = {10, 2, 8};
        }
        for (AutomatTyp& x : p.Automat) {
            x.Position = int(maker.below(5));
            for (int& m : x.Zug)
                m = int(maker.below(4)) - 1; // empty, K, D or Z
        }
        return p;
    };
    const bool kinds[][2] = {{false, false}, {true, false}, {false, true}, {true, true}};
    auto e = std::make_unique<WendrakEngine>();
    auto ref = std::make_unique<WendrakEngine>();
    for (int game = 0; game < 48; ++game) {
        const bool* kind = kinds[game % 4];
        const SpielerTyp a = randomPlayer(kind[0]), b = randomPlayer(kind[1]);
        platform::Random r1(game), r2(game);
        const std::vector<ZugTyp> expected = referenceGame(*ref, a, b, MaxRounds, r2);
        const GameResult g = e->PlayRecords(a, b, MaxRounds, r1);
        ASSERT_EQ((std::array{g.Punkte1, g.Punkte2, g.AnzK, g.AnzKK, g.AnzNKK, g.AnzDK, g.AnzKD,
                              g.AnzDD}),
                  countsOf(expected))
            << "game " << game;
        // Favours received and granted: KK plus the other's giving way, KK plus one's own.
        EXPECT_EQ((std::array{g.AnzKK2, g.ErhalteneDienste1, g.ErwieseneDienste1,
                              g.ErhalteneDienste2, g.ErwieseneDienste2}),
                  (std::array{g.AnzKK, g.AnzKK + g.AnzDK, g.AnzKK + g.AnzKD, g.AnzKK + g.AnzKD,
                              g.AnzKK + g.AnzDK}));
        EXPECT_EQ(std::pair(e->ExploitCount1, e->ExploitCount2),
                  std::pair(ref->ExploitCount1, ref->ExploitCount2)) << game;
        ASSERT_EQ(std::memcmp(e->Zuege + 1, expected.data(), sizeof(ZugTyp) * MaxRounds), 0)
            << "game " << game;
    }
    platform::Random random(1);
    for (int rounds : {0, MaxRounds + 1}) // beyond the round table
        EXPECT_THROW(e->PlayRecords(zeroedPlayer(), zeroedPlayer(), rounds, random), WendrakError);
}

// ---- PlayGame on files -----------------------------------------------------------------

class PlayGameFiles : public ::testing::Test {
protected:
    TempRoot root;
    void put(const QString& name, const SpielerTyp& p) {
        writePlayerFile(root.programFolder() + "Aktuelles Spiel/" + name, p);
    }
    bool debugFolderExists() const { return QFileInfo::exists(root.root() + "Debug"); }
};

TEST_F(PlayGameFiles, SetsEveryOutputAfresh) {
    put("Anna.ply", profile(kAlwaysK));
    put("Bert.ply", titForTat());
    put("Cora.ply", profile(kAlwaysD));
    std::array<std::int32_t, 13> o;
    const auto run = [&o](const char* a, const char* b, int rounds) {
        o.fill(777);
        PlayGame(a, b, o[0], o[1], o[2], o[3], o[4], o[5], o[6], o[7], o[8], rounds,
                 "Aktuelles Spiel", false, 3, o[9], o[10], o[11], o[12], 5);
    };
    // A game has 1 to 2000 rounds; a failing game leaves every output at 0 and writes nothing.
    for (int rounds : {0, -5, 2001}) {
        EXPECT_TRUE(errorOf([&] { run("Anna", "Anna", rounds); }).contains("2000")) << rounds;
        EXPECT_EQ(o, (std::array<std::int32_t, 13>{}));
    }
    EXPECT_FALSE(debugFolderExists());

    run("Anna.ply", "BERT.PLX", 500);
    EXPECT_EQ(o, (std::array<std::int32_t, 13>{1500, 1500, 1000, 500, 0, 0, 0, 500, 500, 500,
                                               500, 500, 500}));
    // D K first, then D D: 5 + 19 and 0 + 19.
    run("Cora", "Bert", 20);
    EXPECT_EQ(o, (std::array<std::int32_t, 13>{24, 19, 1, 0, 19, 1, 0, 0, 0, 1, 0, 0, 1}));
}

TEST_F(PlayGameFiles, DebugFileHoldsTheConsensusKeysOrWithDebugOneRowPerRound) {
    SpielerTyp z = automaton({MoveZ, MoveK, MoveEmpty});
    setMoves(z, SitErsterTag, {MoveD, MoveEmpty, MoveEmpty});
    put("Z.ply", z);
    put("K.ply", profile(kAlwaysK));
    PlayGame("Z", "K", 500, "Aktuelles Spiel", false, 7);
    EXPECT_EQ(root.read("Debug/Runde_7.csv"), QByteArray("glbKons1,glbKons2,\r\n"));

    PlayGame("Z", "K", 4, "Aktuelles Spiel", true, 2, 1);
    // 1: D K under N. 2: NKD -> Z, under M. 3: PKD... (Z counts as D) -> Z then K.
    EXPECT_EQ(root.read("Debug/Runde_2.csv"), QByteArray("zugnr,Erg.,M1,M2,\r\n"
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
    for (const char* other : {"Missing", "Short"})
        EXPECT_TRUE(errorOf([&] { PlayGame("A", other, 500, "Aktuelles Spiel", false, 1); })
                        .contains(QString(other) + ".ply"))
            << other;
    EXPECT_FALSE(debugFolderExists());
}
