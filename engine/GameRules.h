// The rules of one round of the K/D game, written once: the standing that follows a round,
// the situation entry each player answers from (with the consensus rule), a profile
// player's drawn move, an automaton's move and the payoff. The game loops of the engine and
// the player test runs are built from these operations; they are inline because the loops
// call them for every round.
#pragma once

#include "platform/Random.h"
#include "players/PlayerFile.h"

#include <cmath>
#include <cstdint>
#include <limits>

class TApplicationEnviroment;

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

// Truncates toward zero; values beyond the 32-bit range are clamped, non-numbers give 0.
inline std::int32_t TruncToInt(double value) {
    if (!std::isfinite(value))
        return 0;
    const double t = std::trunc(value);
    if (t >= static_cast<double>(std::numeric_limits<std::int32_t>::max()))
        return std::numeric_limits<std::int32_t>::max();
    if (t <= static_cast<double>(std::numeric_limits<std::int32_t>::min()))
        return std::numeric_limits<std::int32_t>::min();
    return static_cast<std::int32_t>(t);
}

// Any move other than K counts as holding out (Z included).
constexpr int HeldOut(std::int32_t move) {
    return move != MoveK ? 1 : 0;
}

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

// Fills the round's points from its moves.
inline void ApplyPayoff(ZugTyp& round, const PayoffTable& pay) {
    round.Punkte1 = pay.Punkte1[HeldOut(round.Zug1)][HeldOut(round.Zug2)];
    round.Punkte2 = pay.Punkte2[HeldOut(round.Zug1)][HeldOut(round.Zug2)];
}

// ---- standing and situation ------------------------------------------------------------

// What follows from a round. A round is known by its code: (standing + 1) * 4 + (player 1
// held out) * 2 + (player 2 held out). From it follow the next standing, the entries both
// players answer from before the consensus rule, and whether the round was an exploitation
// (even standing, D against K) or mutual giving way under an even standing. The loops look
// this up instead of branching on moves that are random.
struct RoundStep {
    std::int32_t nextBase; // code base of the next round: (next standing + 1) * 4
    std::int32_t next;     // the next standing
    std::int32_t entry1;
    std::int32_t entry2;
    std::int32_t exploit;
    std::int32_t mutualK;
};

namespace rules_detail {

// The next standing by [standing + 1][player 1 held out][player 2 held out].
constexpr std::int32_t NextState[3][2][2] = {
    {{-1, 0}, {-1, -1}}, // -1: only K against D pays back
    {{0, 1}, {-1, 0}},   //  0: one-sided D exploits
    {{1, 1}, {0, 1}},    // +1: only D against K pays back
};

// Entry of the situation code seen by a player: first letter from the standing as this
// player sees it (M 0, N 1, P 2), then the other's and its own previous move (D 0, K 1).
constexpr int ownCodeIndex(int seenLetter, int otherD, int ownD) {
    return 1 + 4 * seenLetter + 2 * (1 - otherD) + (1 - ownD);
}

struct StepTable {
    RoundStep step[12];
    constexpr StepTable() : step{} {
        for (int c = 0; c < 12; ++c) {
            const int s = c / 4 - 1, d1 = (c / 2) % 2, d2 = c % 2;
            const std::int32_t next = NextState[s + 1][d1][d2];
            step[c] = {(next + 1) * 4,
                       next,
                       ownCodeIndex(1 - s, d2, d1),
                       ownCodeIndex(1 + s, d1, d2),
                       (s == 0 && d1 && !d2) ? 1 : 0,
                       (s == 0 && !d1 && !d2) ? 1 : 0};
        }
    }
};

inline constexpr StepTable Steps;

constexpr int clampStanding(int standing) {
    return standing < 0 ? -1 : (standing > 0 ? 1 : 0);
}

} // namespace rules_detail

// The code of a round; the standing must be -1, 0 or 1.
constexpr int RoundCode(std::int32_t standing, std::int32_t move1, std::int32_t move2) {
    return (standing + 1) * 4 + HeldOut(move1) * 2 + HeldOut(move2);
}
inline const RoundStep& StepOfCode(int code) {
    return rules_detail::Steps.step[code];
}
inline const RoundStep& StepAfter(int standing, int move1, int move2) {
    return StepOfCode(RoundCode(rules_detail::clampStanding(standing), move1, move2));
}

// The standing of the next round.
inline std::int32_t NextGameState(std::int32_t standing, std::int32_t move1, std::int32_t move2) {
    return StepAfter(standing, move1, move2).next;
}

// The consensus rule for one player after a round: an exploitation counts in the player's
// own counter, and mutual giving way after one sends a consensus-oriented player to "MKD"
// instead of its own entry.
inline bool AnswersFromMKD(const RoundStep& step, std::int32_t& exploits,
                           std::int32_t consensusOriented) {
    exploits += step.exploit;
    return (step.mutualK & (exploits >= 1) & consensusOriented) != 0;
}

// 1 when the record is consensus-oriented by its table: type 3 or 4, n(NDD) + n(MKD) +
// n(PKD) = 30 and k(NDD) + k(MKD) + k(PKD) = 3 k(NDD); else 0.
std::int32_t ConsensusFlag(const SpielerTyp& player);

// The consensus state of a game: both players' flags and their exploitation counters.
struct ConsensusState {
    std::int32_t glbKons1 = 0;
    std::int32_t glbKons2 = 0;
    std::int32_t ExploitCount1 = 0;
    std::int32_t ExploitCount2 = 0;

    // Situation entry (1..12) for player 1's / player 2's next move from the previous
    // round; under an even standing these count exploitations and apply the consensus rule.
    int SituationIndexP1(int standing, int move1, int move2) {
        return SituationIndexP1(StepAfter(standing, move1, move2));
    }
    int SituationIndexP2(int standing, int move1, int move2) {
        return SituationIndexP2(StepAfter(standing, move1, move2));
    }
    // The same from the step of the previous round, for loops that look it up once.
    int SituationIndexP1(const RoundStep& t) {
        return AnswersFromMKD(t, ExploitCount1, glbKons1 >= 1) ? int(SitMKD) : t.entry1;
    }
    int SituationIndexP2(const RoundStep& t) {
        return AnswersFromMKD(t, ExploitCount2, glbKons2 >= 1) ? int(SitMKD) : t.entry2;
    }
};

// ---- moves -----------------------------------------------------------------------------

// A profile entry of n cases with k K-cases, decided once: the move is D when a number
// drawn from 0..n-1 reaches bound; a certain move draws nothing. The loops keep their
// entries in this form.
struct PreparedMove {
    std::uint32_t bound;
    std::uint32_t n;
    bool draws;

    static constexpr PreparedMove of(std::int32_t n, std::int32_t k) {
        if (n == k)
            return {0xFFFFFFFFu, 0, false}; // K
        if (k == 0)
            return {0, 0, false}; // D
        if (n <= 0)               // no case to draw from: K when k counts any
            return {0 < k ? 0xFFFFFFFFu : 0u, 0, false};
        const auto cases = static_cast<std::uint32_t>(n);
        return {k < 0 ? 0u : (static_cast<std::uint32_t>(k) > cases ? cases : std::uint32_t(k)),
                cases, true};
    }
};

static_assert(MoveK == 0 && MoveD == 1, "a drawn move is the comparison's result");

// A profile player's move from a prepared entry; draws only when needed.
inline std::int32_t RandomMove(const PreparedMove& entry, platform::Random& random) {
    return entry.draws ? std::int32_t(random.below(entry.n) >= entry.bound)
                       : std::int32_t(entry.bound == 0);
}
// A profile player's move for an entry of n cases with k K-cases.
inline std::int32_t RandomMove(std::int32_t n, std::int32_t k, platform::Random& random) {
    return RandomMove(PreparedMove::of(n, k), random);
}

namespace rules_detail {

// The next move of one automaton entry; advances its position.
inline std::int32_t automatonMove(AutomatTyp& entry) {
    // A position read from a file may be anything; the table has slots 1..3 only.
    std::int32_t position = entry.Position;
    if (position < 0)
        position = 0;
    if (position > 3)
        position = 3;
    // After its third move an entry keeps repeating it.
    std::int32_t next = position < 3 ? position + 1 : 3;
    if (entry.zug(next) == MoveEmpty)
        next = position;
    // A stored position may point at an empty slot when the moves were changed after it
    // was saved; the entry then goes back to its last move.
    while (next > 0 && entry.zug(next) == MoveEmpty)
        --next;
    entry.Position = next;
    return next == 0 ? MoveK : entry.zug(next); // an entry without moves gives way
}

} // namespace rules_detail

// The first move of an automaton: Zug[1] of "1. Tag" (an empty slot gives way), its
// position untouched.
inline std::int32_t FirstAutomatonMove(const SpielerTyp& player) {
    const std::int32_t move = player.Automat[SitErsterTag].zug(1);
    return move == MoveEmpty ? MoveK : move;
}

// The next move of an automaton player; advances the entry's position in the record.
// Only acts for IstAutomat = 1 (else K). The step forms are for loops that look the step
// of the previous round up once.
inline std::int32_t AutomatonMoveP1(SpielerTyp& player, const RoundStep& t) {
    return player.IstAutomat == 1 ? rules_detail::automatonMove(player.Automat[t.entry1]) : MoveK;
}
inline std::int32_t AutomatonMoveP2(SpielerTyp& player, const RoundStep& t) {
    return player.IstAutomat == 1 ? rules_detail::automatonMove(player.Automat[t.entry2]) : MoveK;
}
inline std::int32_t AutomatonMoveP1(SpielerTyp& player, int standing, int move1, int move2) {
    return AutomatonMoveP1(player, StepAfter(standing, move1, move2));
}
inline std::int32_t AutomatonMoveP2(SpielerTyp& player, int standing, int move1, int move2) {
    return AutomatonMoveP2(player, StepAfter(standing, move1, move2));
}
