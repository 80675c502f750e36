// The game engine: plays the repeated K/D game between two players, round by round, with
// the standing (who has exploited whom), the situation lookup with its consensus rule,
// automaton moves, the payoff matrix and the counts; writes the per-game debug file; and
// measures single players in test runs against a fixed opponent (with the peacefulness
// score). The round table and the consensus state live in one engine object; the
// file-based routines use one per thread, the tournament keeps its own.
#pragma once

#include "platform/Random.h"
#include "players/PlayerFile.h"

#include <QString>
#include <cstdint>
#include <optional>
#include <span>
#include <tuple>

class TApplicationEnviroment;
class TLogger;

// One round: the standing under which it was played (told from player 1: 0 even, -1
// player 1 has exploited player 2, +1 player 2 has exploited player 1), both moves and
// both players' points.
struct ZugTyp {
    std::int32_t Stand;
    std::int32_t Zug1;
    std::int32_t Zug2;
    std::int32_t Punkte1;
    std::int32_t Punkte2;
};

// A game has 1..MaxRounds rounds.
constexpr int MaxRounds = 2000;

// Payoff points resolved once per game, so the round loop does no string work.
// Index [a][b]: a = player 1 held out (any move other than K), b = player 2 held out.
struct PayoffTable {
    std::int32_t Punkte1[2][2];
    std::int32_t Punkte2[2][2];

    // KK 3/3, KD 0/5, DK 5/0, DD 1/1.
    static PayoffTable builtIn();
    // The matrix of a settings object (points truncated); null gives the built-in points.
    // Throws WendrakError when a value is not a number.
    static PayoffTable fromSettings(const TApplicationEnviroment* settings);
};

// The outputs of one game, named after PlayGame's parameters 3 to 11 and 16 to 19.
struct GameResult {
    std::int32_t Punkte1 = 0;
    std::int32_t Punkte2 = 0;
    std::int32_t AnzK = 0; // K moves of both players
    std::int32_t AnzKK = 0;
    std::int32_t AnzDD = 0;
    std::int32_t AnzDK = 0;             // player 1 D, player 2 K
    std::int32_t AnzKD = 0;             // player 1 K, player 2 D
    std::int32_t AnzNKK = 0;            // KK under an even standing
    std::int32_t AnzKK2 = 0;            // the same count as AnzKK
    std::int32_t ErhalteneDienste1 = 0; // KK + DK
    std::int32_t ErwieseneDienste1 = 0; // KK + KD
    std::int32_t ErhalteneDienste2 = 0; // KK + KD
    std::int32_t ErwieseneDienste2 = 0; // KK + DK
};

// The round table and consensus state that a game or test run works on.
class WendrakEngine {
public:
    // Zuege[1..MaxRounds] hold the rounds of the last game or test run; [0] is unused.
    ZugTyp Zuege[MaxRounds + 1] = {};
    std::int32_t glbKons1 = 0;
    std::int32_t glbKons2 = 0;
    std::int32_t ExploitCount1 = 0;
    std::int32_t ExploitCount2 = 0;

    // Situation entry (1..12) for player 1's / player 2's next move from the previous
    // round; under an even standing these count exploitations and apply the consensus rule.
    int SituationIndexP1(int standing, int move1, int move2);
    int SituationIndexP2(int standing, int move1, int move2);

    // Plays two records (copies: automaton positions advance in them) for rounds rounds
    // (1..MaxRounds, else WendrakError), filling Zuege[1..rounds]. Resets the consensus
    // state and computes both flags from the records. No file access, no allocation.
    GameResult PlayRecords(SpielerTyp player1, SpielerTyp player2, int rounds,
                           platform::Random& random,
                           const PayoffTable& payoff = PayoffTable::builtIn());

    // The rounds of the last game, round 1 first.
    std::span<const ZugTyp> Rounds(int rounds) const {
        return std::span<const ZugTyp>(Zuege + 1, static_cast<size_t>(rounds));
    }
};

// The engine of this thread, used by PlayGame and the test runs.
WendrakEngine& SharedEngine();
// The generator of this thread that PlayGame (without a seed) and the test runs draw from;
// seeded from the clock at first use. Tests reseed it.
platform::Random& SharedRandom();

// The debug switch ("Debugmodus an"): the main window toggles it, the tournament reads it.
bool DebugMode();
void SetDebugMode(bool on);

// 1 when the record is consensus-oriented by its table: type 3 or 4, n(NDD) + n(MKD) +
// n(PKD) = 30 and k(NDD) + k(MKD) + k(PKD) = 3 k(NDD); else 0.
std::int32_t ConsensusFlag(const SpielerTyp& player);
// A profile player's move for an entry of n cases with k K-cases; draws only when needed.
std::int32_t RandomMove(std::int32_t n, std::int32_t k, platform::Random& random);
// Fills the round's points from its moves; null settings give the built-in points.
void ApplyPayoff(ZugTyp& round, const TApplicationEnviroment* settings);
// The standing of the next round.
std::int32_t NextGameState(std::int32_t standing, std::int32_t move1, std::int32_t move2);
// The next move of an automaton player; advances the entry's position in the record.
// Only acts for IstAutomat = 1 (else K).
std::int32_t AutomatonMoveP1(SpielerTyp& player, int standing, int move1, int move2);
std::int32_t AutomatonMoveP2(SpielerTyp& player, int standing, int move1, int move2);
// One debug row: "zugnr", "Erg." (standing letter and both move letters), "M1", "M2".
void LogRound(int number, const ZugTyp& round, TLogger& logger);

// Root + "Debug/Runde_" + game number + ".csv".
QString GameDebugFilePath(const QString& rootPath, int gameNumber);
// Writes a per-game debug file: with debug on the header "zugnr,Erg.,M1,M2," and one row
// per round; with debug off the single line "glbKons1,glbKons2,". Creates the folder.
void SaveGameDebugFile(const QString& path, bool debug, std::span<const ZugTyp> rounds);

// Plays player files name1 and name2 (extension replaced by ".ply") from WendrakPath +
// folder for rounds rounds (1..2000) and writes the debug file "Runde_<gameNumber>.csv"
// below RootPath + "Debug/". Without a seed it draws from SharedRandom(). Throws
// WendrakError naming the file when a player file cannot be read (nothing is written then),
// and for a round count outside 1..2000.
GameResult PlayGame(const QString& name1, const QString& name2, std::int32_t rounds,
                    const QString& folder, bool debug, std::int32_t gameNumber,
                    std::optional<std::uint64_t> seed = std::nullopt);
// The same with every output as a parameter of its own; each is set afresh, to 0 when the
// game fails.
inline void PlayGame(const QString& name1, const QString& name2, std::int32_t& points1,
                     std::int32_t& points2, std::int32_t& anzK, std::int32_t& anzKK,
                     std::int32_t& anzDD, std::int32_t& anzDK, std::int32_t& anzKD,
                     std::int32_t& anzNKK, std::int32_t& anzKK2, std::int32_t rounds,
                     const QString& folder, bool debug, std::int32_t gameNumber,
                     std::int32_t& received1, std::int32_t& granted1, std::int32_t& received2,
                     std::int32_t& granted2, std::optional<std::uint64_t> seed = std::nullopt) {
    // GameResult holds the outputs in the order of these parameters.
    const auto set = [&](const GameResult& g) {
        const auto& [p1, p2, k, kk, dd, dk, kd, nkk, kk2, r1, g1, r2, g2] = g;
        std::tie(points1, points2, anzK, anzKK, anzDD, anzDK, anzKD, anzNKK, anzKK2, received1,
                 granted1, received2, granted2) =
            std::tie(p1, p2, k, kk, dd, dk, kd, nkk, kk2, r1, g1, r2, g2);
    };
    set(GameResult{});
    set(PlayGame(name1, name2, rounds, folder, debug, gameNumber, seed));
}

// Test runs on a player file (full path). A record whose MasseGueltig is set is left alone
// unless force is true. Settings give the payoff matrix; null (what every caller passes)
// the built-in points. Each writes the whole record back; a missing or short file throws
// WendrakError naming it, and nothing is written.
void TestAgainstDefector(const QString& fileName, bool force,
                         const TApplicationEnviroment* settings = nullptr);
void TestRepeatedExploitation(const QString& fileName, bool force,
                              const TApplicationEnviroment* settings = nullptr);
void TestAgainstCooperator(const QString& fileName, bool force,
                           const TApplicationEnviroment* settings = nullptr);
void ComputePeacefulness(const QString& fileName, bool force);
// The same four measures on a record in memory (what the file forms do between reading and
// writing), so a caller that runs all of them writes the file once.
void TestAgainstDefector(SpielerTyp& player, bool force,
                         const PayoffTable& pay = PayoffTable::builtIn());
void TestRepeatedExploitation(SpielerTyp& player, bool force,
                              const PayoffTable& pay = PayoffTable::builtIn());
void TestAgainstCooperator(SpielerTyp& player, bool force,
                           const PayoffTable& pay = PayoffTable::builtIn());
void ComputePeacefulness(SpielerTyp& player, bool force);
// The peacefulness score of a record (what ComputePeacefulness stores); an automaton whose
// name matches none of the known prefixes keeps its stored score.
std::int32_t PeacefulnessScore(const SpielerTyp& player);
