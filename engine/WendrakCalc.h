// The game engine: plays the repeated K/D game between two players, round by round, with
// the rules of engine/GameRules.h, and keeps the counts of each game. The round table and
// the consensus state live in one engine object; the file-based routines use one per
// thread, the tournament keeps its own. The per-game debug file is in
// engine/GameDebugFile.h, the player test runs in engine/PlayerTestRuns.h.
#pragma once

#include "engine/GameRules.h"
#include "platform/Random.h"
#include "players/PlayerFile.h"

#include <QString>
#include <cstdint>
#include <optional>
#include <span>

// The outputs of one game: both players' points, the counts of moves and of each kind of
// round, and the favours each player received and granted.
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
class WendrakEngine : public ConsensusState {
public:
    // Zuege[1..MaxRounds] hold the rounds of the last game or test run; [0] is unused.
    ZugTyp Zuege[MaxRounds + 1] = {};

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

// Plays player files name1 and name2 (extension replaced by ".ply") from WendrakPath +
// folder for rounds rounds (1..2000) and writes the debug file "Runde_<gameNumber>.csv"
// below RootPath + "Debug/". Without a seed it draws from SharedRandom(). Throws
// WendrakError naming the file when a player file cannot be read (nothing is written then),
// and for a round count outside 1..2000.
GameResult PlayGame(const QString& name1, const QString& name2, std::int32_t rounds,
                    const QString& folder, bool debug, std::int32_t gameNumber,
                    std::optional<std::uint64_t> seed = std::nullopt);
