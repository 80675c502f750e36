// Loading a 2,000-member group into the current game and building the player index of a
// 2,000-player store. The group file names its members in another letter case than the
// store holds them, as groups copied between machines often do.
#include "platform/ProgramPath.h"
#include "platform/TextFile.h"
#include "players/PlayerFile.h"
#include "players/uTGroup.h"

#include <QDir>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

constexpr int Members = 2000;

struct Installation {
    QTemporaryDir dir;
    QString data() const { return dir.path() + "/Wendrak/"; }
    QString store() const { return data() + "SpielerStamm/"; }
    QString groupFile() const { return data() + "Eigene Gruppen/Gross/group.sgp"; }
    QString game() const { return data() + "Aktuelles Spiel/"; }

    Installation() {
        QDir().mkpath(store());
        QDir().mkpath(game());
        platform::setProgramPath(data() + "wendrak");
        QStringList lines;
        for (int i = 0; i < Members; ++i) {
            const QString name = QStringLiteral("Spieler%1.PLY").arg(i, 4, 10, QLatin1Char('0'));
            SpielerTyp p = zeroedPlayer();
            p.Name.set(name);
            writePlayerFile(store() + name, p);
            lines.append(name.toLower());
        }
        TGroup().SaveGroupFile(groupFile(), lines);
    }
};

void BM_LoadGroupOf2000(benchmark::State& state) {
    Installation inst;
    const TGroup group;
    for (auto _ : state) {
        const auto notLoaded = group.LoadGroupPlayers(inst.store(), inst.groupFile(), inst.game());
        benchmark::DoNotOptimize(notLoaded);
    }
}
BENCHMARK(BM_LoadGroupOf2000)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_PlayerIndexOf2000(benchmark::State& state) {
    Installation inst;
    const TGroup group;
    for (auto _ : state)
        benchmark::DoNotOptimize(group.BuildPlayerIndex(inst.store()));
}
BENCHMARK(BM_PlayerIndexOf2000)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

BENCHMARK_MAIN();
