// The tournament run (see Tournament.h): loading the players, the pairings and the run
// loop. The players' records are read once and every game is played in memory; the result
// files are in ResultFiles, the debug files in DebugRecorder.
#include "engine/Tournament.h"

#include "engine/Composition.h"
#include "engine/DebugRecorder.h"
#include "engine/GroupFigures.h"
#include "engine/Ranking.h"
#include "engine/ResultDisplay.h"
#include "engine/ResultFiles.h"
#include "engine/WendrakCalc.h"
#include "platform/ModalResults.h"
#include "platform/Paths.h"
#include "platform/Random.h"
#include "platform/WendrakError.h"
#include "players/PlayerFile.h"

#include <QDir>
#include <cmath>
#include <memory>
#include <optional>
#include <utility>

const char* const AbortQuestion = "Soll die aktuelle Berechnung abgebrochen werden ?";

// ---------------------------------------------------------------------------------------
// Steps

namespace {

QString shown(const QString& path) {
    return QDir::toNativeSeparators(path);
}

// A folder the run reads: missing, a file or unreadable is said as such, by name.
void requireReadableFolder(const QString& folder, const QString& missingText) {
    if (!platform::folderExists(folder))
        throw WendrakError(missingText.arg(shown(folder)));
    if (!platform::canReadFolder(folder))
        throw WendrakError(QStringLiteral("Der Ordner \"%1\" kann nicht gelesen werden.")
                               .arg(shown(platform::resolvePath(folder))));
}

void requireWritableFile(const QString& path) {
    if (platform::folderExists(path))
        throw WendrakError(QStringLiteral("Die Datei \"%1\" kann nicht geschrieben werden.")
                               .arg(shown(platform::resolvePath(path))));
    if (platform::isReadOnly(path))
        throw WendrakError(QStringLiteral("Die Datei \"%1\" ist schreibgeschützt.")
                               .arg(shown(platform::resolvePath(path))));
}

void requireWritableFolder(const QString& folder) {
    if (!platform::folderExists(folder) || !platform::canCreateFilesIn(folder))
        throw WendrakError(QStringLiteral("In den Ordner \"%1\" kann nicht geschrieben werden.")
                               .arg(shown(platform::resolvePath(folder))));
}

} // namespace

void LoadGamePlayers(TournamentState& state) {
    state.SpielerDateien.clear();
    state.SpielerNamen.clear();
    state.SpielerTypNr.clear();
    state.SpielerSaetze.clear();
    requireReadableFolder(state.WendrakPath,
                          QStringLiteral("Der Datenordner \"%1\" (Einstellung WendrakPath) wurde "
                                         "nicht gefunden oder ist kein Ordner."));
    const QString folder = CurrentGameFolder(state);
    requireReadableFolder(folder, QStringLiteral("Der Ordner des aktuellen Spiels \"%1\" wurde "
                                                 "nicht gefunden oder ist kein Ordner."));
    // Hidden entries count too: the game folder is the program's own, whatever is there plays.
    const QStringList names =
        platform::listFolder(folder, QLatin1String(ext::PlyMask), platform::ListKind::Files, true);
    for (const QString& name : names) {
        const SpielerTyp record = readPlayerFile(folder + name);
        state.SpielerDateien.push_back(name);
        state.SpielerNamen.push_back(platform::changeFileExt(name, QString()));
        state.SpielerTypNr.push_back(static_cast<std::int16_t>(record.Spielertyp & 0xFFFF));
        state.SpielerSaetze.push_back(record);
    }
}

void CheckRunTargets(const TournamentState& state, const DebugRecorder& debugFiles) {
    debugFiles.prepareFolder();
    for (const char* name : {"Export.Txt", "Gruppenergebnisse.Txt", "Zusammensetzung.Txt"})
        requireWritableFile(state.OutFolder + QLatin1String(name));
    requireWritableFolder(state.OutFolder);
    // The property step writes its measures back into every participant's file.
    const QString game = CurrentGameFolder(state);
    for (const QString& name : state.SpielerDateien)
        requireWritableFile(game + name);
    requireWritableFolder(game);
}

void InitTypeNames(TournamentState& state) {
    state.TypNamen.clear();
    for (int type = 0; type <= 6; ++type)
        state.TypNamen.push_back(TypeName(type));
}

void BuildPairings(TournamentState& state) {
    const std::size_t n = state.SpielerDateien.size();
    state.AnzTeilnehmerHigh = static_cast<std::int32_t>(n) - 1;
    state.Teilnehmer.clear();
    state.Teilnehmer.reserve(n);
    state.Paarungen.clear();
    state.Paarungen.reserve(n * (n > 0 ? n - 1 : 0) / 2);
    for (std::size_t i = 0; i < n; ++i) {
        state.Teilnehmer.push_back({state.SpielerNamen[i], state.SpielerDateien[i], 0});
        for (std::size_t j = i + 1; j < n; ++j) {
            PaarungTyp p;
            p.Datei1 = state.SpielerDateien[i];
            p.Datei2 = state.SpielerDateien[j];
            p.Name1 = state.SpielerNamen[i];
            p.Name2 = state.SpielerNamen[j];
            p.Typ1 = state.SpielerTypNr[i];
            p.Typ2 = state.SpielerTypNr[j];
            p.Nr1 = static_cast<std::int32_t>(i + 1);
            p.Nr2 = static_cast<std::int32_t>(j + 1);
            state.Paarungen.push_back(std::move(p));
        }
    }
    state.AnzPaarungenHigh = static_cast<std::int32_t>(state.Paarungen.size()) - 1;
    state.AnzKLauf.assign(state.Paarungen.size(), {});
    state.AnzNKKLauf.fill(0);
    state.AnzK = 0;
    state.intAnzNKK = 0;
}

std::int32_t AveragePairScore(std::int64_t sum) {
    const double x = static_cast<double>(sum) / AnzDurchlaeufe;
    const double t = std::trunc(x);
    return static_cast<std::int32_t>(t > x - 0.5 ? t : t + 1);
}

// ---------------------------------------------------------------------------------------
// The run

void RunFigureSteps(TournamentState& state, ResultDisplay& display, bool force) {
    ShowMoveOverview(state, display);
    TypeTallies tallies;
    ShowRanking(state, display, tallies);
    ShowGroupEconomy(state, display);
    ShowTypeAverages(tallies, display);
    const PropertyCounts counts = EvaluatePlayerProperties(state, force);
    ShowCompositionTexts(state, tallies, counts, display);
    WriteCompositionFile(state.Zusammensetzung, tallies, counts, state.AnzTeilnehmerHigh + 1);
}

int PlayDravolenz_new(TournamentState& state, TournamentObserver& observer, ResultDisplay* display,
                      const TournamentOptions& options) {
    NoResultDisplay noDisplay;
    ResultDisplay& window = display ? *display : noDisplay;
    state.WendrakPath = platform::withTrailingSlash(state.WendrakPath);
    state.RootPath = platform::withTrailingSlash(state.RootPath);
    state.OutFolder = platform::withTrailingSlash(state.OutFolder);

    LoadGamePlayers(state);
    InitTypeNames(state);
    if (state.SpielerDateien.size() < 2) {
        // Nothing to pair: say so before any result file is touched.
        state.Teilnehmer.clear();
        state.Paarungen.clear();
        state.AnzTeilnehmerHigh = static_cast<std::int32_t>(state.SpielerDateien.size()) - 1;
        state.AnzPaarungenHigh = -1;
        observer.showMessage(
            QStringLiteral("Im aktuellen Spiel sind weniger als zwei Spieler. Für eine "
                           "Berechnung werden mindestens zwei Spieler benötigt."));
        return RunFinished;
    }

    std::optional<DebugRecorder> debugFiles;
    debugFiles.emplace(state.RootPath, options.debug);
    CheckRunTargets(state, *debugFiles);

    bool progressShown = false;
    bool debugWritten = false;
    try {
        OpenResultFiles(state);
        BuildPairings(state);

        observer.showProgress();
        progressShown = true;

        auto engine = std::make_unique<WendrakEngine>();
        const int pairings = state.pairings();
        for (int k = 0; k < pairings; ++k) {
            PaarungTyp& p = state.Paarungen[std::size_t(k)];
            std::int64_t sum1 = 0, sum2 = 0;
            platform::Random rng(options.seed
                                     ? platform::Random::derive(*options.seed, std::uint64_t(k) + 1)
                                     : platform::Random::clockSeed());
            debugFiles->beginPairing(k, p.Datei1, p.Datei2);
            const int gauge = static_cast<int>(std::trunc(k * 100.0 / pairings));
            for (int r = 1; r <= AnzDurchlaeufe; ++r) {
                const GameResult g = engine->PlayRecords(
                    state.SpielerSaetze[std::size_t(p.Nr1 - 1)],
                    state.SpielerSaetze[std::size_t(p.Nr2 - 1)], RundenProSpiel, rng);
                p.Punkte1 = g.Punkte1;
                p.Punkte2 = g.Punkte2;
                debugFiles->gamePlayed(r, engine->Rounds(RundenProSpiel));

                observer.processEvents();
                if (observer.abortRequested()) {
                    if (observer.confirmAbort(QString::fromUtf8(AbortQuestion))) {
                        observer.hideProgress();
                        progressShown = false;
                        debugFiles->cancelled();
                        CloseResultFiles(state);
                        debugWritten = true;
                        debugFiles->write();
                        return RunCancelled;
                    }
                    observer.clearAbort();
                }

                sum1 += p.Punkte1;
                sum2 += p.Punkte2;
                p.PunkteLauf1[r] = p.Punkte1;
                p.PunkteLauf2[r] = p.Punkte2;
                state.AnzKLauf[std::size_t(k)][r] = static_cast<std::uint16_t>(g.AnzK);
                p.ErhalteneDienste1[r] = g.ErhalteneDienste1;
                p.ErwieseneDienste1[r] = g.ErwieseneDienste1;
                p.ErhalteneDienste2[r] = g.ErhalteneDienste2;
                p.ErwieseneDienste2[r] = g.ErwieseneDienste2;
                state.AnzK += g.AnzK;
                state.intAnzNKK += g.AnzNKK;
                state.AnzNKKLauf[r] += g.AnzNKK;
                debugFiles->rowWritten({g, state.intAnzNKK, state.AnzK});
                observer.progress(gauge);
            }
            WritePairExport(state, k);
            p.Punkte1 = AveragePairScore(sum1);
            p.Punkte2 = AveragePairScore(sum2);
            state.Teilnehmer[std::size_t(p.Nr1 - 1)].Punkte += static_cast<std::int32_t>(sum1);
            state.Teilnehmer[std::size_t(p.Nr2 - 1)].Punkte += static_cast<std::int32_t>(sum2);
        }
        debugWritten = true;
        debugFiles->write();

        WriteGroupResults(state);
        // The progress window goes before the ranking; the figures fill the result window
        // and write "Zusammensetzung.Txt". The test runs always measure anew.
        observer.hideProgress();
        progressShown = false;
        // A seeded run repeats its test runs too, so the participants' files and
        // "Zusammensetzung.Txt" come out the same each time.
        if (options.seed)
            SharedRandom().reseed(platform::Random::derive(*options.seed, 0));
        RunFigureSteps(state, window, true);
        CloseResultFiles(state);
        return observer.showResults() == modal::NewGroup ? RunNewGroup : RunFinished;
    } catch (...) {
        if (progressShown)
            observer.hideProgress();
        CloseResultFilesQuietly(state);
        if (debugFiles && !debugWritten) {
            try {
                debugFiles->write();
            } catch (const WendrakError&) {
                // The first error is the one the user must see.
            }
        }
        throw;
    }
}
