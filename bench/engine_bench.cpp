// Speed of the game engine: the bare round loop (two players drawing their moves, the
// standing, the situation lookup, the payoff, the counts), and whole games with their
// file work (settings file, two player files, the per-game debug file).
#include "engine/WendrakCalc.h"
#include "engine/uTApplicationEnviroment.h"
#include "platform/ProgramPath.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

// Every entry draws (1..9 K-cases of 10).
SpielerTyp drawingProfile(int offset) {
    SpielerTyp p = zeroedPlayer();
    for (int i = 0; i < SituationCount; ++i) {
        const int k = 1 + (i + offset) % 9;
        p.Situationen[i] = {10, k, 10 - k};
    }
    return p;
}

// As the wizard makes them: some entries certain (0 or 10 of 10), the others drawing.
SpielerTyp wizardProfile(int offset) {
    static const int ks[] = {10, 0, 3, 10, 7, 0, 10, 5, 10, 2, 0, 8, 10};
    SpielerTyp p = zeroedPlayer();
    for (int i = 0; i < SituationCount; ++i) {
        const int k = ks[(i + offset) % SituationCount];
        p.Situationen[i] = {10, k, 10 - k};
    }
    return p;
}

// Entries with different numbers of cases (players taken over from the sibling program).
SpielerTyp unevenProfile(int offset) {
    SpielerTyp p = zeroedPlayer();
    for (int i = 0; i < SituationCount; ++i) {
        const int n = 4 + (i + offset) % 7;
        p.Situationen[i] = {n, n / 2, n - n / 2};
    }
    return p;
}

SpielerTyp automatonPlayer() {
    SpielerTyp p = zeroedPlayer();
    p.IstAutomat = 1;
    for (int i = 0; i < SituationCount; ++i)
        p.Automat[i] = {0, {i % 2, (i / 2) % 2, -1}};
    return p;
}

void BM_RoundLoop(benchmark::State& state) {
    auto engine = std::make_unique<WendrakEngine>();
    platform::Random random(42);
    SpielerTyp a, b;
    switch (state.range(1)) {
    case 0:
        a = drawingProfile(0);
        b = drawingProfile(4);
        break;
    case 1:
        a = wizardProfile(0);
        b = wizardProfile(5);
        break;
    case 2:
        a = unevenProfile(0);
        b = unevenProfile(3);
        break;
    default:
        a = automatonPlayer();
        b = wizardProfile(2);
        break;
    }
    const int rounds = static_cast<int>(state.range(0));
    for (auto _ : state) {
        const GameResult g = engine->PlayRecords(a, b, rounds, random);
        benchmark::DoNotOptimize(g);
    }
    state.SetItemsProcessed(state.iterations() * rounds);
}
BENCHMARK(BM_RoundLoop)
    ->ArgNames({"rounds", "players"})
    ->Args({1, 0})
    ->Args({500, 0})
    ->Args({2000, 0})
    ->Args({500, 1})
    ->Args({500, 2})
    ->Args({500, 3});

// arg 0: debug off; 1: debug on; 2: debug off, no settings file.
void BM_PlayGameWithFiles(benchmark::State& state) {
    // A bare installation: the program folder with the current game, and the settings file.
    QTemporaryDir root;
    const QString folder = root.path() + "/Wendrak/Aktuelles Spiel/";
    QDir().mkpath(folder);
    platform::setProgramPath(root.path() + "/Wendrak/wendrak");
    if (state.range(0) != 2) {
        QFile ini(root.path() + "/Kemra.ini");
        if (ini.open(QIODevice::WriteOnly))
            ini.write("[Settings]\r\nUsername=Klasse 8\r\n");
    }
    writePlayerFile(folder + "Anna.ply", wizardProfile(0));
    writePlayerFile(folder + "Bert.ply", wizardProfile(5));
    const bool debug = state.range(0) == 1;
    std::uint64_t seed = 1;
    for (auto _ : state) {
        const GameResult g =
            PlayGame("Anna.ply", "Bert.ply", 500, "Aktuelles Spiel", debug, 1, seed++);
        benchmark::DoNotOptimize(g);
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_PlayGameWithFiles)->ArgName("mode")->DenseRange(0, 2)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
