// The game engine: rounds, standing, situation lookup, automaton moves, payoff, counts,
// the per-game debug file, and the test runs with the peacefulness score.
#include "engine/WendrakCalc.h"

#include "engine/uTApplicationEnviroment.h"
#include "engine/uTLogger.h"
#include "platform/Ansi.h"
#include "platform/Paths.h"
#include "platform/ProgramPath.h"
#include "platform/WendrakError.h"

#include <QFile>

#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <cmath>
#include <limits>
#include <memory>

namespace {

std::atomic<bool> g_debugMode{false};

constexpr int isD(std::int32_t move) {
    return move != MoveK ? 1 : 0;
}

// The next standing by [standing + 1][player 1 held out][player 2 held out].
constexpr std::int32_t kNextState[3][2][2] = {
    {{-1, 0}, {-1, -1}}, // -1: only K against D pays back
    {{0, 1}, {-1, 0}},   //  0: one-sided D exploits
    {{1, 1}, {0, 1}},    // +1: only D against K pays back
};

inline int clampStanding(int standing) {
    return standing < 0 ? -1 : (standing > 0 ? 1 : 0);
}

// Entry of the situation code seen by a player: first letter from the standing as this
// player sees it (M 0, N 1, P 2), then the other's and its own previous move (D 0, K 1).
constexpr int ownCodeIndex(int seenLetter, int otherD, int ownD) {
    return 1 + 4 * seenLetter + 2 * (1 - otherD) + (1 - ownD);
}

std::int32_t automatonMove(AutomatTyp& entry) {
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

// The first move of an automaton: Zug[1] of "1. Tag", its position untouched.
std::int32_t firstAutomatonMove(const AutomatTyp* automat) {
    const std::int32_t move = automat[SitErsterTag].zug(1);
    return move == MoveEmpty ? MoveK : move;
}

// Reads a player file; the path as given is tried first, because the case-insensitive
// lookup behind readPlayerFile costs more than the rest of a game. Any trouble goes the
// ordinary way, which finds other spellings and reports errors.
SpielerTyp readPlayer(const QString& path) {
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd >= 0) {
        SpielerTyp p;
        size_t got = 0;
        while (got < sizeof p) {
            const ssize_t n = ::read(fd, reinterpret_cast<char*>(&p) + got, sizeof p - got);
            if (n <= 0)
                break;
            got += static_cast<size_t>(n);
        }
        ::close(fd);
        if (got == sizeof p)
            return p;
    }
    return readPlayerFile(path);
}

bool isAutomaton(const SpielerTyp& player) {
    return player.IstAutomat == 1;
}

std::int32_t truncToInt(double value) {
    if (!std::isfinite(value))
        return 0;
    const double t = std::trunc(value);
    if (t >= static_cast<double>(std::numeric_limits<std::int32_t>::max()))
        return std::numeric_limits<std::int32_t>::max();
    if (t <= static_cast<double>(std::numeric_limits<std::int32_t>::min()))
        return std::numeric_limits<std::int32_t>::min();
    return static_cast<std::int32_t>(t);
}

// A profile entry of n cases with k K-cases, decided once: a move that needs no draw, or
// the draw; the round loops keep entries in this form.
struct PreparedEntry {
    std::int32_t fixed; // MoveK, MoveD, or -1 for a draw
    std::uint32_t n;
    std::int32_t k;
};

PreparedEntry prepare(std::int32_t n, std::int32_t k) {
    if (n == k)
        return {MoveK, 0, 0};
    if (k == 0)
        return {MoveD, 0, 0};
    if (n <= 0) // r = 0 without a draw
        return {0 < k ? MoveK : MoveD, 0, 0};
    return {-1, static_cast<std::uint32_t>(n), k};
}

inline std::int32_t draw(const PreparedEntry& e, platform::Random& random) {
    if (e.fixed >= 0)
        return e.fixed;
    return static_cast<std::int64_t>(random.below(e.n)) < e.k ? MoveK : MoveD;
}

// The points of a round by its moves.
void score(ZugTyp& z, const PayoffTable& pay) {
    z.Punkte1 = pay.Punkte1[isD(z.Zug1)][isD(z.Zug2)];
    z.Punkte2 = pay.Punkte2[isD(z.Zug1)][isD(z.Zug2)];
}

// A game's result from its points and move counts; the favours follow from the counts.
GameResult tally(std::int64_t sum1, std::int64_t sum2, std::int32_t kCount, std::int32_t kk,
                 std::int32_t dd, std::int32_t dk, std::int32_t kd, std::int32_t nkk) {
    GameResult g;
    g.Punkte1 = static_cast<std::int32_t>(sum1);
    g.Punkte2 = static_cast<std::int32_t>(sum2);
    g.AnzK = kCount;
    g.AnzKK = kk;
    g.AnzDD = dd;
    g.AnzDK = dk;
    g.AnzKD = kd;
    g.AnzNKK = nkk;
    g.AnzKK2 = kk;
    g.ErhalteneDienste1 = kk + dk;
    g.ErwieseneDienste1 = kk + kd;
    g.ErhalteneDienste2 = kk + kd;
    g.ErwieseneDienste2 = kk + dk;
    return g;
}

struct Side {
    PreparedEntry entries[SituationCount];
    AutomatTyp* automat;
};

Side prepareSide(SpielerTyp& player) {
    Side side;
    for (int i = 0; i < SituationCount; ++i)
        side.entries[i] = prepare(player.Situationen[i].Anzahl, player.Situationen[i].AnzahlK);
    side.automat = player.Automat;
    return side;
}

// A round is carried as its code: (standing + 1) * 4 + (player 1 held out) * 2 + (player 2
// held out). What follows from a round, by its code: the next standing, the entries both
// players answer from (before the consensus rule), and whether the round was an
// exploitation (even standing, D against K) or mutual giving way under an even standing.
// The round loops look this up instead of branching on moves that are random.
struct Step {
    std::int32_t nextBase; // code base of the next round: (next standing + 1) * 4
    std::int32_t next;
    std::int32_t entry1;
    std::int32_t entry2;
    std::int32_t exploit;
    std::int32_t mutualK;
};

struct StepTable {
    Step step[12];
    constexpr StepTable() : step{} {
        for (int c = 0; c < 12; ++c) {
            const int s = c / 4 - 1, d1 = (c / 2) % 2, d2 = c % 2;
            const std::int32_t next = kNextState[s + 1][d1][d2];
            step[c] = {(next + 1) * 4,
                       next,
                       ownCodeIndex(1 - s, d2, d1),
                       ownCodeIndex(1 + s, d1, d2),
                       (s == 0 && d1 && !d2) ? 1 : 0,
                       (s == 0 && !d1 && !d2) ? 1 : 0};
        }
    }
};

constexpr StepTable kSteps;

inline int roundCode(std::int32_t standing, std::int32_t move1, std::int32_t move2) {
    return (standing + 1) * 4 + isD(move1) * 2 + isD(move2);
}

// Whether a profile player answers from "MKD" instead of its own entry after a round: an
// exploitation counts in this player's own counter, and mutual giving way after one sends
// a consensus-oriented player there.
inline bool answersFromMKD(const Step& t, std::int32_t& exploits, std::int32_t consensusOriented) {
    exploits += t.exploit;
    return t.mutualK & (exploits >= 1) & consensusOriented;
}

// The round loop of games with an automaton player, compiled once per combination of
// player kinds so that no round asks which kind a player is.
template <bool Auto1, bool Auto2>
GameResult playLoop(WendrakEngine& e, Side& p1, Side& p2, int rounds, platform::Random& random,
                    const PayoffTable& pay) {
    std::int32_t kCount = 0, kk = 0, dd = 0, dk = 0, kd = 0, nkk = 0;
    std::int64_t sum1 = 0, sum2 = 0;
    std::int32_t ex1 = e.ExploitCount1, ex2 = e.ExploitCount2;
    const std::int32_t kons1 = e.glbKons1 >= 1, kons2 = e.glbKons2 >= 1;

    std::int32_t s = 0, m1 = 0, m2 = 0;
    for (int r = 1; r <= rounds; ++r) {
        std::int32_t ns, a, b;
        if (r == 1) [[unlikely]] {
            ns = 0;
            if constexpr (Auto1)
                a = firstAutomatonMove(p1.automat);
            else
                a = draw(p1.entries[SitErsterTag], random);
            if constexpr (Auto2)
                b = firstAutomatonMove(p2.automat);
            else
                b = draw(p2.entries[SitErsterTag], random);
        } else {
            const Step& t = kSteps.step[roundCode(s, m1, m2)];
            ns = t.next;
            // Each counter counts only in its own player's lookup.
            if constexpr (Auto1) {
                a = automatonMove(p1.automat[t.entry1]);
            } else {
                const int entry = answersFromMKD(t, ex1, kons1) ? int(SitMKD) : t.entry1;
                a = draw(p1.entries[entry], random);
            }
            if constexpr (Auto2) {
                b = automatonMove(p2.automat[t.entry2]);
            } else {
                const int entry = answersFromMKD(t, ex2, kons2) ? int(SitMKD) : t.entry2;
                b = draw(p2.entries[entry], random);
            }
        }

        const std::int32_t ka = a == MoveK, kb = b == MoveK;
        const std::int32_t da = a == MoveD, db = b == MoveD;
        const std::int32_t both = ka & kb;
        kCount += ka + kb;
        kk += both;
        dd += da & db;
        dk += da & kb;
        kd += ka & db;
        nkk += both & (ns == 0);

        const int h1 = isD(a), h2 = isD(b);
        ZugTyp& z = e.Zuege[r];
        z.Stand = ns;
        z.Zug1 = a;
        z.Zug2 = b;
        z.Punkte1 = pay.Punkte1[h1][h2];
        z.Punkte2 = pay.Punkte2[h1][h2];
        sum1 += z.Punkte1;
        sum2 += z.Punkte2;

        s = ns;
        m1 = a;
        m2 = b;
    }
    e.ExploitCount1 = ex1;
    e.ExploitCount2 = ex2;
    return tally(sum1, sum2, kCount, kk, dd, dk, kd, nkk);
}

// Two profile players. A round is carried as its code; one lookup by the previous code
// gives the next standing and both players' answers, and the counts and points come from
// how often each code occurred.
GameResult playProfiles(WendrakEngine& e, const Side& p1, const Side& p2, int rounds,
                        platform::Random& random, const PayoffTable& pay) {
    // A move is "drawn number >= bound" (D); a certain K has a bound no number reaches, a
    // certain D the bound 0, and neither draws.
    struct Answer {
        std::uint32_t bound;
        std::int32_t draws;
        std::uint32_t n;
    };
    const auto answer = [](const PreparedEntry& x) -> Answer {
        if (x.fixed >= 0)
            return {x.fixed == MoveK ? 0xFFFFFFFFu : 0u, 0, 0};
        const std::uint32_t k =
            x.k < 0 ? 0u : (std::uint32_t(x.k) > x.n ? x.n : std::uint32_t(x.k));
        return {k, 1, x.n};
    };
    const auto move = [&random](const Answer& x) -> std::int32_t {
        return x.draws ? std::int32_t(random.below(x.n) >= x.bound) : std::int32_t(x.bound == 0);
    };
    // Everything a round needs, by the code of the previous round.
    struct Code {
        std::int32_t nextBase;
        std::int32_t next;
        std::int32_t exploit;
        std::int32_t mutualK;
        Answer a1;
        Answer a2;
    };
    Code codes[12];
    for (int c = 0; c < 12; ++c) {
        const Step& t = kSteps.step[c];
        codes[c] = {t.nextBase,
                    t.next,
                    t.exploit,
                    t.mutualK,
                    answer(p1.entries[t.entry1]),
                    answer(p2.entries[t.entry2])};
    }
    const Answer mkd1 = answer(p1.entries[SitMKD]), mkd2 = answer(p2.entries[SitMKD]);
    std::int32_t p1ByCode[4], p2ByCode[4];
    for (int c = 0; c < 4; ++c) {
        p1ByCode[c] = pay.Punkte1[c / 2][c % 2];
        p2ByCode[c] = pay.Punkte2[c / 2][c % 2];
    }

    std::int32_t hist[12] = {};
    std::int32_t ex1 = 0, ex2 = 0;
    const std::int32_t kons1 = e.glbKons1 >= 1, kons2 = e.glbKons2 >= 1;

    std::int32_t a = move(answer(p1.entries[SitErsterTag]));
    std::int32_t b = move(answer(p2.entries[SitErsterTag]));
    std::int32_t c = 4 + a * 2 + b;
    ++hist[c];
    e.Zuege[1] = {0, a, b, p1ByCode[c & 3], p2ByCode[c & 3]};

    for (int r = 2; r <= rounds; ++r) {
        const Code& t = codes[c];
        ex1 += t.exploit;
        ex2 += t.exploit;
        const bool consensus1 = t.mutualK & (ex1 >= 1) & kons1;
        const bool consensus2 = t.mutualK & (ex2 >= 1) & kons2;
        a = move(consensus1 ? mkd1 : t.a1); // player 1 draws first
        b = move(consensus2 ? mkd2 : t.a2);
        c = t.nextBase + a * 2 + b;
        ++hist[c];
        e.Zuege[r] = {t.next, a, b, p1ByCode[c & 3], p2ByCode[c & 3]};
    }
    e.ExploitCount1 = ex1;
    e.ExploitCount2 = ex2;

    std::int64_t sum1 = 0, sum2 = 0;
    std::int32_t byMoves[4] = {}; // KK, KD, DK, DD
    for (int code = 0; code < 12; ++code) {
        byMoves[code & 3] += hist[code];
        sum1 += std::int64_t(hist[code]) * p1ByCode[code & 3];
        sum2 += std::int64_t(hist[code]) * p2ByCode[code & 3];
    }
    const auto [kk, kd, dk, dd] = byMoves;
    // hist[4]: standing 0, both K.
    return tally(sum1, sum2, 2 * kk + kd + dk, kk, dd, dk, kd, hist[4]);
}

void checkRounds(int rounds) {
    if (rounds < 1 || rounds > MaxRounds)
        throw WendrakError(QStringLiteral("Ein Spiel hat 1 bis %1 Runden; %2 Runden sind nicht "
                                          "möglich.")
                               .arg(MaxRounds)
                               .arg(rounds));
}

QChar moveLetter(std::int32_t move) {
    if (move == MoveK)
        return QLatin1Char('K');
    if (move == MoveD)
        return QLatin1Char('D');
    return QLatin1Char('X');
}

QChar standingLetter(std::int32_t standing) {
    if (standing < 0)
        return QLatin1Char('M');
    if (standing > 0)
        return QLatin1Char('P');
    return QLatin1Char('N');
}

} // namespace

// ---- payoff ---------------------------------------------------------------------------

PayoffTable PayoffTable::builtIn() {
    PayoffTable t;
    t.Punkte1[0][0] = 3;
    t.Punkte2[0][0] = 3; // K K
    t.Punkte1[0][1] = 0;
    t.Punkte2[0][1] = 5; // K D
    t.Punkte1[1][0] = 5;
    t.Punkte2[1][0] = 0; // D K
    t.Punkte1[1][1] = 1;
    t.Punkte2[1][1] = 1; // D D
    return t;
}

PayoffTable PayoffTable::fromSettings(const TApplicationEnviroment* settings) {
    // A freshly created settings object always holds the default matrix.
    if (!settings || (settings->MatrixKK() == QLatin1String("3;3") &&
                      settings->MatrixKD() == QLatin1String("0;5") &&
                      settings->MatrixDK() == QLatin1String("5;0") &&
                      settings->MatrixDD() == QLatin1String("1;1")))
        return builtIn();
    PayoffTable t;
    const auto set = [&t](int a, int b, const QString& value) {
        t.Punkte1[a][b] = truncToInt(TApplicationEnviroment::GetMatrixPayoff(value, 1));
        t.Punkte2[a][b] = truncToInt(TApplicationEnviroment::GetMatrixPayoff(value, 2));
    };
    set(0, 0, settings->MatrixKK());
    set(0, 1, settings->MatrixKD());
    set(1, 0, settings->MatrixDK());
    set(1, 1, settings->MatrixDD());
    return t;
}

void ApplyPayoff(ZugTyp& round, const TApplicationEnviroment* settings) {
    score(round, PayoffTable::fromSettings(settings));
}

// ---- the round steps ------------------------------------------------------------------

std::int32_t RandomMove(std::int32_t n, std::int32_t k, platform::Random& random) {
    return draw(prepare(n, k), random);
}

std::int32_t NextGameState(std::int32_t standing, std::int32_t move1, std::int32_t move2) {
    return kNextState[clampStanding(standing) + 1][isD(move1)][isD(move2)];
}

int WendrakEngine::SituationIndexP1(int standing, int move1, int move2) {
    const Step& t = kSteps.step[roundCode(clampStanding(standing), move1, move2)];
    return answersFromMKD(t, ExploitCount1, glbKons1 >= 1) ? int(SitMKD) : t.entry1;
}

int WendrakEngine::SituationIndexP2(int standing, int move1, int move2) {
    const Step& t = kSteps.step[roundCode(clampStanding(standing), move1, move2)];
    return answersFromMKD(t, ExploitCount2, glbKons2 >= 1) ? int(SitMKD) : t.entry2;
}

std::int32_t AutomatonMoveP1(SpielerTyp& player, int standing, int move1, int move2) {
    const int entry = kSteps.step[roundCode(clampStanding(standing), move1, move2)].entry1;
    return isAutomaton(player) ? automatonMove(player.Automat[entry]) : MoveK;
}

std::int32_t AutomatonMoveP2(SpielerTyp& player, int standing, int move1, int move2) {
    const int entry = kSteps.step[roundCode(clampStanding(standing), move1, move2)].entry2;
    return isAutomaton(player) ? automatonMove(player.Automat[entry]) : MoveK;
}

std::int32_t ConsensusFlag(const SpielerTyp& player) {
    const SituationTyp* s = player.Situationen;
    const bool typ = player.Spielertyp == 3 || player.Spielertyp == 4;
    const std::int64_t n = std::int64_t(s[SitNDD].Anzahl) + s[SitMKD].Anzahl + s[SitPKD].Anzahl;
    const std::int64_t k = std::int64_t(s[SitNDD].AnzahlK) + s[SitMKD].AnzahlK + s[SitPKD].AnzahlK;
    return (typ && n == 30 && k == 3 * std::int64_t(s[SitNDD].AnzahlK)) ? 1 : 0;
}

// ---- games ----------------------------------------------------------------------------

GameResult WendrakEngine::PlayRecords(SpielerTyp player1, SpielerTyp player2, int rounds,
                                      platform::Random& random, const PayoffTable& payoff) {
    checkRounds(rounds);
    glbKons1 = ConsensusFlag(player1);
    glbKons2 = ConsensusFlag(player2);
    ExploitCount1 = 0;
    ExploitCount2 = 0;

    const bool auto1 = isAutomaton(player1), auto2 = isAutomaton(player2);
    if (auto1)
        for (AutomatTyp& a : player1.Automat)
            a.Position = 0;
    if (auto2)
        for (AutomatTyp& a : player2.Automat)
            a.Position = 0;

    Side side1 = prepareSide(player1);
    Side side2 = prepareSide(player2);
    if (!auto1 && !auto2)
        return playProfiles(*this, side1, side2, rounds, random, payoff);
    if (auto1)
        return auto2 ? playLoop<true, true>(*this, side1, side2, rounds, random, payoff)
                     : playLoop<true, false>(*this, side1, side2, rounds, random, payoff);
    return playLoop<false, true>(*this, side1, side2, rounds, random, payoff);
}

WendrakEngine& SharedEngine() {
    thread_local std::unique_ptr<WendrakEngine> engine = std::make_unique<WendrakEngine>();
    return *engine;
}

platform::Random& SharedRandom() {
    thread_local platform::Random random(platform::Random::clockSeed());
    return random;
}

bool DebugMode() {
    return g_debugMode.load(std::memory_order_relaxed);
}

void SetDebugMode(bool on) {
    g_debugMode.store(on, std::memory_order_relaxed);
}

void LogRound(int number, const ZugTyp& round, TLogger& logger) {
    QString letters;
    letters.reserve(3);
    letters += standingLetter(round.Stand);
    letters += moveLetter(round.Zug1);
    letters += moveLetter(round.Zug2);
    logger.SetValue(QStringLiteral("zugnr"), QString::number(number));
    logger.SetValue(QStringLiteral("Erg."), letters);
    logger.SetValue(QStringLiteral("M1"), QString::number(round.Punkte1));
    logger.SetValue(QStringLiteral("M2"), QString::number(round.Punkte2));
    logger.WriteRow();
}

QString GameDebugFilePath(const QString& rootPath, int gameNumber) {
    return platform::withTrailingSlash(rootPath) + QStringLiteral("Debug/Runde_") +
           QString::number(gameNumber) + QStringLiteral(".csv");
}

void SaveGameDebugFile(const QString& path, bool debug, std::span<const ZugTyp> rounds) {
    TLogger logger;
    if (debug) {
        // Clearing before each row keeps the header to one row's four keys.
        for (size_t i = 0; i < rounds.size(); ++i) {
            logger.ClearValues();
            LogRound(static_cast<int>(i + 1), rounds[i], logger);
        }
    } else {
        logger.ColumnIndex(QStringLiteral("glbKons1"));
        logger.ColumnIndex(QStringLiteral("glbKons2"));
    }
    logger.SaveToFile(path);
}

GameResult PlayGame(const QString& name1, const QString& name2, std::int32_t rounds,
                    const QString& folder, bool debug, std::int32_t gameNumber,
                    std::optional<std::uint64_t> seed) {
    checkRounds(rounds);
    const TApplicationEnviroment settings(platform::programPath());
    const QString base =
        platform::withTrailingSlash(settings.WendrakPath()) + platform::withTrailingSlash(folder);
    const SpielerTyp player1 =
        readPlayer(base + platform::changeFileExt(platform::toSlashes(name1), ".ply"));
    const SpielerTyp player2 =
        readPlayer(base + platform::changeFileExt(platform::toSlashes(name2), ".ply"));

    WendrakEngine& engine = SharedEngine();
    std::optional<platform::Random> seeded;
    if (seed)
        seeded.emplace(*seed);
    const GameResult result =
        engine.PlayRecords(player1, player2, rounds, seeded ? *seeded : SharedRandom(),
                           PayoffTable::fromSettings(&settings));
    SaveGameDebugFile(GameDebugFilePath(settings.RootPath(), gameNumber), debug,
                      engine.Rounds(rounds));
    return result;
}

// ---- test runs ------------------------------------------------------------------------

namespace {

// Plays the player as player 1 against an opponent that always plays fixedMove, filling
// the engine's round table. The run starts from its own consensus state; automaton
// positions go on from those in the record and advance there.
void playFixedOpponent(WendrakEngine& e, SpielerTyp& player, std::int32_t fixedMove, int rounds,
                       platform::Random& random, const PayoffTable& pay) {
    e.glbKons1 = ConsensusFlag(player);
    e.glbKons2 = 0;
    e.ExploitCount1 = 0;
    e.ExploitCount2 = 0;
    const bool automat = isAutomaton(player);

    ZugTyp& first = e.Zuege[1];
    first.Stand = 0;
    first.Zug1 = automat ? firstAutomatonMove(player.Automat)
                         : RandomMove(player.Situationen[SitErsterTag].Anzahl,
                                      player.Situationen[SitErsterTag].AnzahlK, random);
    first.Zug2 = fixedMove;
    score(first, pay);

    for (int r = 2; r <= rounds; ++r) {
        const ZugTyp& prev = e.Zuege[r - 1];
        ZugTyp& z = e.Zuege[r];
        z.Stand = NextGameState(prev.Stand, prev.Zug1, prev.Zug2);
        if (automat) {
            z.Zug1 = AutomatonMoveP1(player, prev.Stand, prev.Zug1, prev.Zug2);
        } else {
            const SituationTyp& s =
                player.Situationen[e.SituationIndexP1(prev.Stand, prev.Zug1, prev.Zug2)];
            z.Zug1 = RandomMove(s.Anzahl, s.AnzahlK, random);
        }
        z.Zug2 = fixedMove;
        score(z, pay);
    }
}

std::int32_t pointsOfPlayer(const WendrakEngine& e, int from, int to) {
    std::int64_t sum = 0;
    for (int r = from; r <= to; ++r)
        sum += e.Zuege[r].Punkte1;
    return static_cast<std::int32_t>(sum);
}

bool skipRecord(const SpielerTyp& player, bool force) {
    return player.MasseGueltig != 0 && !force;
}

} // namespace

void TestAgainstDefector(SpielerTyp& player, bool force, const PayoffTable& pay) {
    if (skipRecord(player, force))
        return;
    WendrakEngine& e = SharedEngine();
    playFixedOpponent(e, player, MoveD, 1000, SharedRandom(), pay);
    const std::int32_t points = pointsOfPlayer(e, 1, 1000);
    player.ErgebnisGegenD = points;
    if (!isAutomaton(player)) {
        if (points <= 500)
            player.GeschaeftsmaessigAusbeutbar.set(QStringLiteral("Ja"));
        else if (player.VerteidigtSicher == "Ja")
            player.GeschaeftsmaessigAusbeutbar.set(QStringLiteral("Nein"));
        else
            player.GeschaeftsmaessigAusbeutbar.set(QStringLiteral("k.A."));
    }
}

void TestRepeatedExploitation(SpielerTyp& player, bool force, const PayoffTable& pay) {
    if (skipRecord(player, force))
        return;
    WendrakEngine& e = SharedEngine();
    playFixedOpponent(e, player, MoveD, 2000, SharedRandom(), pay);
    std::int32_t result = -1;
    for (int i = 1; i <= 1000; ++i) {
        if (e.Zuege[i].Zug1 == MoveK) {
            result = pointsOfPlayer(e, i + 1, i + 1000);
            break;
        }
    }
    player.ErgebnisNachEntgegenkommen = result;
}

void TestAgainstCooperator(SpielerTyp& player, bool force, const PayoffTable& pay) {
    if (skipRecord(player, force))
        return;
    WendrakEngine& e = SharedEngine();
    playFixedOpponent(e, player, MoveK, 1000, SharedRandom(), pay);
    player.ErgebnisGegenK = pointsOfPlayer(e, 1, 1000);
}

void ComputePeacefulness(SpielerTyp& player, bool force) {
    if (!skipRecord(player, force))
        player.Friedfertigkeit = PeacefulnessScore(player);
}

namespace {

// The file form of a test run: read, measure (unless the stored measures count and force
// is off), write the whole record back.
template <typename Measure>
void measureFile(const QString& fileName, bool force, Measure measure) {
    SpielerTyp player = readPlayerFile(fileName);
    if (skipRecord(player, force))
        return;
    measure(player);
    writePlayerFile(fileName, player);
}

} // namespace

void TestAgainstDefector(const QString& fileName, bool force,
                         const TApplicationEnviroment* settings) {
    measureFile(fileName, force, [&](SpielerTyp& p) {
        TestAgainstDefector(p, force, PayoffTable::fromSettings(settings));
    });
}

void TestRepeatedExploitation(const QString& fileName, bool force,
                              const TApplicationEnviroment* settings) {
    measureFile(fileName, force, [&](SpielerTyp& p) {
        TestRepeatedExploitation(p, force, PayoffTable::fromSettings(settings));
    });
}

void TestAgainstCooperator(const QString& fileName, bool force,
                           const TApplicationEnviroment* settings) {
    measureFile(fileName, force, [&](SpielerTyp& p) {
        TestAgainstCooperator(p, force, PayoffTable::fromSettings(settings));
    });
}

std::int32_t PeacefulnessScore(const SpielerTyp& player) {
    if (isAutomaton(player)) {
        const QString name = platform::ansiUpper(player.Name.get());
        std::int32_t score = player.Friedfertigkeit;
        if (name.left(9) == QLatin1String("TYP5 YOKA"))
            score = 1000;
        if (name.left(4) == QLatin1String("GRAF"))
            score = 1000;
        if (name.left(11) == QLatin1String("UNTERWERFER"))
            score = 0;
        return score;
    }
    const SituationTyp& first = player.Situationen[SitErsterTag];
    const SituationTyp& nkk = player.Situationen[SitNKK];
    const std::int32_t a = first.AnzahlK, d = first.AnzahlD;
    const std::int32_t k8 = nkk.AnzahlK, d8 = nkk.AnzahlD;
    if (d == 0 && d8 == 0)
        return 1000;
    // Without first-move cases there is no share to weigh.
    if (std::int64_t(a) + d == 0)
        return 0;
    // Held in double on purpose: a wider type turns 9 K of 10 into 900 instead of 899.
    const double p = double(a) / (double(a) + double(d));
    // Each step rounded to double (volatile keeps a fused multiply-add out).
    double v;
    if (d8 > 0) {
        volatile const double weighted = p * k8;
        v = p + 1 + weighted / d8;
    } else {
        volatile const double weighted = 80 * p;
        v = double(d) / (double(a) + double(d)) + weighted;
    }
    return truncToInt((v - 1) / 79 * 1000);
}

void ComputePeacefulness(const QString& fileName, bool force) {
    measureFile(fileName, force, [&](SpielerTyp& p) { ComputePeacefulness(p, force); });
}
