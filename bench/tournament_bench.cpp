// A whole tournament run over 125 random profile players (7,750 pairings, 34.9 million
// rounds, every result and debug file, the property evaluation) against the engine's inner
// loop alone playing the same games, with debug off and on.
//
//   tournament_bench [benchmark options]
//   tournament_bench --make-root DIR   writes DIR/Wendrak/Aktuelles Spiel/ with the same
//                                      125 players (for timing the headless driver) and exits
#include "engine/GroupFigures.h"
#include "engine/Tournament.h"
#include "engine/WendrakCalc.h"
#include "platform/ProgramPath.h"
#include "platform/Random.h"
#include "players/PlayerFile.h"

#include <QDir>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstring>
#include <memory>

namespace {

constexpr int Players = 125;
constexpr std::uint64_t Seed = 20261206;

std::vector<SpielerTyp> randomPlayers() {
    platform::Random random(Seed);
    std::vector<SpielerTyp> players;
    for (int i = 0; i < Players; ++i) {
        SpielerTyp p = zeroedPlayer();
        for (auto& s : p.Situationen) {
            const auto k = static_cast<std::int32_t>(random.below(11));
            s = {10, k, 10 - k};
        }
        p.Spielertyp = static_cast<std::int32_t>(1 + random.below(6));
        p.VerteidigtSicher.set(random.below(2) ? QStringLiteral("Ja") : QStringLiteral("Nein"));
        players.push_back(p);
    }
    return players;
}

void makeRoot(const QString& root) {
    const QString game = root + "/Wendrak/Aktuelles Spiel/";
    QDir().mkpath(game);
    const std::vector<SpielerTyp> players = randomPlayers();
    for (int i = 0; i < Players; ++i)
        writePlayerFile(game + QStringLiteral("Spieler%1.ply").arg(i + 1, 3, 10, QLatin1Char('0')),
                        players[std::size_t(i)]);
}

// One installation with the players, shared by the benchmarks.
struct Fixture {
    QTemporaryDir dir;
    QString root() const { return dir.path() + "/"; }
    Fixture() {
        makeRoot(dir.path());
        platform::setProgramPath(root() + "Wendrak/wendrak");
    }
};

Fixture& fixture() {
    static Fixture f;
    return f;
}

void runTournament(benchmark::State& bench, bool debug) {
    Fixture& f = fixture();
    TournamentObserver quiet;
    for (auto _ : bench) {
        TournamentState state;
        state.WendrakPath = f.root() + "Wendrak/";
        state.RootPath = f.root();
        state.OutFolder = f.root() + "Wendrak/";
        TournamentOptions options;
        options.debug = debug;
        options.seed = Seed;
        benchmark::DoNotOptimize(PlayDravolenz_new(state, quiet, nullptr, options));
    }
}

void BM_TournamentRun(benchmark::State& bench) {
    runTournament(bench, false);
}
void BM_TournamentRunDebug(benchmark::State& bench) {
    runTournament(bench, true);
}

// The same games through the engine core alone: no files, no bookkeeping.
void BM_EngineInnerLoop(benchmark::State& bench) {
    const std::vector<SpielerTyp> players = randomPlayers();
    auto engine = std::make_unique<WendrakEngine>();
    for (auto _ : bench) {
        std::int64_t total = 0;
        std::uint64_t pairing = 0;
        for (int i = 0; i < Players; ++i)
            for (int j = i + 1; j < Players; ++j) {
                platform::Random random(platform::Random::derive(Seed, ++pairing));
                for (int r = 1; r <= AnzDurchlaeufe; ++r)
                    total += engine
                                 ->PlayRecords(players[std::size_t(i)], players[std::size_t(j)],
                                               RundenProSpiel, random)
                                 .Punkte1;
            }
        benchmark::DoNotOptimize(total);
    }
}

// The property evaluation alone (traits and test runs, each rewriting the player file): the
// part of the run after play that costs most.
void BM_PropertyEvaluation(benchmark::State& bench) {
    Fixture& f = fixture();
    TournamentState state;
    state.WendrakPath = f.root() + "Wendrak/";
    LoadGamePlayers(state);
    BuildPairings(state);
    for (auto _ : bench)
        benchmark::DoNotOptimize(EvaluatePlayerProperties(state, true));
}

} // namespace

BENCHMARK(BM_PropertyEvaluation)->Unit(benchmark::kMillisecond)->MinTime(2);
BENCHMARK(BM_EngineInnerLoop)->Unit(benchmark::kMillisecond)->MinTime(3);
BENCHMARK(BM_TournamentRun)->Unit(benchmark::kMillisecond)->MinTime(3);
BENCHMARK(BM_TournamentRunDebug)->Unit(benchmark::kMillisecond)->MinTime(3);

int main(int argc, char** argv) {
    if (argc == 3 && std::strcmp(argv[1], "--make-root") == 0) {
        makeRoot(QString::fromLocal8Bit(argv[2]));
        return 0;
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
