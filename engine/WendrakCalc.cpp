// The game engine (see WendrakCalc.h): the two game loops built from the round rules, the
// engine state shared by the file-based routines, and PlayGame on player files.
#include "engine/WendrakCalc.h"

#include "engine/GameDebugFile.h"
#include "engine/uTApplicationEnviroment.h"
#include "platform/Paths.h"
#include "platform/ProgramPath.h"
#include "platform/WendrakError.h"

#include <atomic>
#include <memory>

namespace {

std::atomic<bool> g_debugMode{false};

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

// A profile player's entries, decided once per game.
struct PreparedProfile {
    PreparedMove entries[SituationCount];

    explicit PreparedProfile(const SpielerTyp& player) {
        for (int i = 0; i < SituationCount; ++i)
            entries[i] =
                PreparedMove::of(player.Situationen[i].Anzahl, player.Situationen[i].AnzahlK);
    }
};

// A move as the counts tell it apart: K 0, D 1, anything else (Z, or what a damaged file
// holds) 2.
constexpr int moveKind(std::int32_t move) {
    return static_cast<std::uint32_t>(move) < 2 ? move : 2;
}

// How often each pair of move kinds occurred in a game, by [player 1's][player 2's], and
// how often both gave way under an even standing; the counts and points follow from these.
struct MoveTally {
    std::int32_t pairs[3][3] = {};
    std::int32_t nkk = 0;
};

GameResult tallyMoves(const MoveTally& m, const PayoffTable& pay) {
    std::int64_t sum1 = 0, sum2 = 0;
    for (int x = 0; x < 3; ++x)
        for (int y = 0; y < 3; ++y) {
            sum1 += std::int64_t(m.pairs[x][y]) * pay.Punkte1[x != 0][y != 0];
            sum2 += std::int64_t(m.pairs[x][y]) * pay.Punkte2[x != 0][y != 0];
        }
    const auto& p = m.pairs;
    const std::int32_t kCount = 2 * p[0][0] + p[0][1] + p[0][2] + p[1][0] + p[2][0];
    return tally(sum1, sum2, kCount, p[0][0], p[1][1], p[1][0], p[0][1], m.nkk);
}

// The round loop of games with an automaton player, compiled once per combination of
// player kinds so that no round asks which kind a player is.
template <bool Auto1, bool Auto2>
GameResult playLoop(WendrakEngine& e, SpielerTyp& p1, SpielerTyp& p2, int rounds,
                    platform::Random& random, const PayoffTable& pay) {
    const PreparedProfile profile1(p1), profile2(p2);
    // A local copy keeps the counters in registers while the round table is written.
    ConsensusState consensus = e;
    // How often each kind of round occurred, by [standing + 1][player 1's move kind][player
    // 2's move kind].
    std::int32_t kinds[3][3][3] = {};
    const auto record = [&](int r, std::int32_t standing, std::int32_t a, std::int32_t b) {
        ZugTyp& z = e.Zuege[r];
        z.Stand = standing;
        z.Zug1 = a;
        z.Zug2 = b;
        ApplyPayoff(z, pay);
        ++kinds[standing + 1][moveKind(a)][moveKind(b)];
    };

    std::int32_t s = 0, a, b;
    if constexpr (Auto1)
        a = FirstAutomatonMove(p1);
    else
        a = RandomMove(profile1.entries[SitErsterTag], random);
    if constexpr (Auto2)
        b = FirstAutomatonMove(p2);
    else
        b = RandomMove(profile2.entries[SitErsterTag], random);
    record(1, s, a, b);

    for (int r = 2; r <= rounds; ++r) {
        // The standing is one this loop produced, so its code needs no clamping.
        const RoundStep& t = StepOfCode(RoundCode(s, a, b));
        // Each counter counts only in its own player's lookup.
        if constexpr (Auto1)
            a = AutomatonMoveP1(p1, t);
        else
            a = RandomMove(profile1.entries[consensus.SituationIndexP1(t)], random);
        if constexpr (Auto2)
            b = AutomatonMoveP2(p2, t);
        else
            b = RandomMove(profile2.entries[consensus.SituationIndexP2(t)], random);
        s = t.next;
        record(r, s, a, b);
    }
    e.ExploitCount1 = consensus.ExploitCount1;
    e.ExploitCount2 = consensus.ExploitCount2;
    MoveTally m;
    for (int st = 0; st < 3; ++st)
        for (int x = 0; x < 3; ++x)
            for (int y = 0; y < 3; ++y)
                m.pairs[x][y] += kinds[st][x][y];
    m.nkk = kinds[1][0][0];
    return tallyMoves(m, pay);
}

// Two profile players. A round is carried as its code; one lookup by the previous code
// gives the next standing and both players' prepared answers, and the counts and points
// come from how often each code occurred.
GameResult playProfiles(WendrakEngine& e, const SpielerTyp& p1, const SpielerTyp& p2, int rounds,
                        platform::Random& random, const PayoffTable& pay) {
    const PreparedProfile profile1(p1), profile2(p2);
    // Everything a round needs, by the code of the previous round.
    struct Code {
        RoundStep step;
        PreparedMove a1;
        PreparedMove a2;
    };
    Code codes[12];
    for (int c = 0; c < 12; ++c) {
        const RoundStep& t = StepOfCode(c);
        codes[c] = {t, profile1.entries[t.entry1], profile2.entries[t.entry2]};
    }
    const PreparedMove& mkd1 = profile1.entries[SitMKD];
    const PreparedMove& mkd2 = profile2.entries[SitMKD];
    // The points by the low two bits of a code (player 1 held out, player 2 held out).
    std::int32_t p1ByCode[4], p2ByCode[4];
    for (int c = 0; c < 4; ++c) {
        ZugTyp z{0, c / 2 ? std::int32_t(MoveD) : std::int32_t(MoveK),
                 c % 2 ? std::int32_t(MoveD) : std::int32_t(MoveK), 0, 0};
        ApplyPayoff(z, pay);
        p1ByCode[c] = z.Punkte1;
        p2ByCode[c] = z.Punkte2;
    }

    std::int32_t hist[12] = {};
    std::int32_t ex1 = 0, ex2 = 0;
    const std::int32_t kons1 = e.glbKons1 >= 1, kons2 = e.glbKons2 >= 1;

    std::int32_t a = RandomMove(profile1.entries[SitErsterTag], random);
    std::int32_t b = RandomMove(profile2.entries[SitErsterTag], random);
    std::int32_t c = RoundCode(0, a, b);
    ++hist[c];
    e.Zuege[1] = {0, a, b, p1ByCode[c & 3], p2ByCode[c & 3]};

    for (int r = 2; r <= rounds; ++r) {
        const Code& t = codes[c];
        // The consensus rule of SituationIndexP1/P2 on the prepared answers.
        const bool consensus1 = AnswersFromMKD(t.step, ex1, kons1);
        const bool consensus2 = AnswersFromMKD(t.step, ex2, kons2);
        a = RandomMove(consensus1 ? mkd1 : t.a1, random); // player 1 draws first
        b = RandomMove(consensus2 ? mkd2 : t.a2, random);
        c = t.step.nextBase + a * 2 + b;
        ++hist[c];
        e.Zuege[r] = {t.step.next, a, b, p1ByCode[c & 3], p2ByCode[c & 3]};
    }
    e.ExploitCount1 = ex1;
    e.ExploitCount2 = ex2;

    MoveTally m;
    for (int code = 0; code < 12; ++code)
        m.pairs[(code / 2) % 2][code % 2] += hist[code];
    m.nkk = hist[RoundCode(0, MoveK, MoveK)];
    return tallyMoves(m, pay);
}

void checkRounds(int rounds) {
    if (rounds < 1 || rounds > MaxRounds)
        throw WendrakError(QStringLiteral("Ein Spiel hat 1 bis %1 Runden; %2 Runden sind nicht "
                                          "möglich.")
                               .arg(MaxRounds)
                               .arg(rounds));
}

} // namespace

GameResult WendrakEngine::PlayRecords(SpielerTyp player1, SpielerTyp player2, int rounds,
                                      platform::Random& random, const PayoffTable& payoff) {
    checkRounds(rounds);
    glbKons1 = ConsensusFlag(player1);
    glbKons2 = ConsensusFlag(player2);
    ExploitCount1 = 0;
    ExploitCount2 = 0;

    const bool auto1 = player1.IstAutomat == 1, auto2 = player2.IstAutomat == 1;
    if (auto1)
        for (AutomatTyp& a : player1.Automat)
            a.Position = 0;
    if (auto2)
        for (AutomatTyp& a : player2.Automat)
            a.Position = 0;

    if (!auto1 && !auto2)
        return playProfiles(*this, player1, player2, rounds, random, payoff);
    if (auto1)
        return auto2 ? playLoop<true, true>(*this, player1, player2, rounds, random, payoff)
                     : playLoop<true, false>(*this, player1, player2, rounds, random, payoff);
    return playLoop<false, true>(*this, player1, player2, rounds, random, payoff);
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

GameResult PlayGame(const QString& name1, const QString& name2, std::int32_t rounds,
                    const QString& folder, bool debug, std::int32_t gameNumber,
                    std::optional<std::uint64_t> seed) {
    checkRounds(rounds);
    const TApplicationEnviroment settings(platform::programPath());
    const QString base =
        platform::withTrailingSlash(settings.WendrakPath()) + platform::withTrailingSlash(folder);
    const SpielerTyp player1 =
        readPlayerFile(base + platform::changeFileExt(platform::toSlashes(name1), ".ply"));
    const SpielerTyp player2 =
        readPlayerFile(base + platform::changeFileExt(platform::toSlashes(name2), ".ply"));

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
