// The tournament run (see Tournament.h). The players' records are read once and every game
// is played in memory; the debug files are written once, with the content they must hold,
// when play ends (normally, by cancel or by an error), instead of after every game.
#include "engine/Tournament.h"

#include "engine/GameDebugFile.h"
#include "engine/GroupFigures.h"
#include "engine/Ranking.h"
#include "engine/ResultDisplay.h"
#include "engine/WendrakCalc.h"
#include "engine/uTLogger.h"
#include "platform/Ansi.h"
#include "platform/NumberFormat.h"
#include "platform/Paths.h"
#include "platform/Random.h"
#include "platform/WendrakError.h"

#include <QDir>
#include <QFile>
#include <algorithm>
#include <cmath>
#include <optional>
#include <span>
#include <utility>

const char* const AbortQuestion = "Soll die aktuelle Berechnung abgebrochen werden ?";

namespace {

QString shown(const QString& path) {
    return QDir::toNativeSeparators(path);
}

WendrakError writeError(const QString& path) {
    return WendrakError(QStringLiteral("Fehler beim Schreiben der Datei \"%1\".").arg(shown(path)));
}

} // namespace

// ---------------------------------------------------------------------------------------
// ResultFile

ResultFile::~ResultFile() {
    closeQuietly();
}

ResultFile::ResultFile(ResultFile&& other) noexcept
    : m_file(std::exchange(other.m_file, nullptr)), m_path(std::move(other.m_path)) {}

ResultFile& ResultFile::operator=(ResultFile&& other) noexcept {
    if (this != &other) {
        closeQuietly();
        m_file = std::exchange(other.m_file, nullptr);
        m_path = std::move(other.m_path);
    }
    return *this;
}

void ResultFile::create(const QString& path) {
    closeQuietly();
    m_path = platform::pathForCreate(path);
    if (platform::isReadOnly(m_path))
        throw WendrakError(
            QStringLiteral("Die Datei \"%1\" ist schreibgeschützt.").arg(shown(m_path)));
    m_file = std::fopen(QFile::encodeName(m_path).constData(), "wb");
    if (!m_file)
        throw WendrakError(
            QStringLiteral("Die Datei \"%1\" kann nicht erstellt werden.").arg(shown(m_path)));
}

void ResultFile::writeLine(const QString& line) {
    if (!m_file)
        throw writeError(m_path);
    QByteArray bytes = platform::toAnsi(line);
    bytes.append("\r\n", 2);
    if (std::fwrite(bytes.constData(), 1, size_t(bytes.size()), m_file) != size_t(bytes.size()))
        throw writeError(m_path);
}

void ResultFile::close() {
    if (!m_file)
        return;
    std::FILE* f = m_file;
    m_file = nullptr;
    const bool failed = std::ferror(f) != 0;
    if (std::fclose(f) != 0 || failed)
        throw writeError(m_path);
}

void ResultFile::closeQuietly() noexcept {
    if (m_file)
        std::fclose(m_file);
    m_file = nullptr;
}

// ---------------------------------------------------------------------------------------
// Steps

void LoadGamePlayers(TournamentState& state) {
    state.SpielerDateien.clear();
    state.SpielerNamen.clear();
    state.SpielerTypNr.clear();
    state.SpielerSaetze.clear();
    const QString folder = CurrentGameFolder(state);
    // Hidden entries count too: the game folder is the program's own, whatever is there plays.
    const QStringList names =
        platform::listFolder(folder, QStringLiteral("*.ply"), platform::ListKind::Files, true);
    for (const QString& name : names) {
        const SpielerTyp record = readPlayerFile(folder + name);
        state.SpielerDateien.push_back(name);
        state.SpielerNamen.push_back(platform::changeFileExt(name, QString()));
        state.SpielerTypNr.push_back(static_cast<std::int16_t>(record.Spielertyp & 0xFFFF));
        state.SpielerSaetze.push_back(record);
    }
}

void InitTypeNames(TournamentState& state) {
    state.TypNamen.clear();
    for (int type = 0; type <= 6; ++type)
        state.TypNamen.push_back(TypeName(type));
}

void OpenResultFiles(TournamentState& state) {
    state.Export.create(state.OutFolder + QStringLiteral("Export.Txt"));
    state.Gruppenergebnisse.create(state.OutFolder + QStringLiteral("Gruppenergebnisse.Txt"));
    state.Zusammensetzung.create(state.OutFolder + QStringLiteral("Zusammensetzung.Txt"));
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

void WritePairExport(TournamentState& state, int pairing) {
    const PaarungTyp& p = state.Paarungen[std::size_t(pairing)];
    const QString number = QString::number(pairing + 1);
    const auto line = [&number](const QString& name, std::int32_t typ, const RunValues& points) {
        QString text = number + u';' + name + u';' + QString::number(typ) + u';';
        for (int r = 1; r <= AnzDurchlaeufe; ++r)
            text += QString::number(points[r]) + u';';
        return text;
    };
    state.Export.writeLine(line(p.Name1, p.Typ1, p.PunkteLauf1));
    state.Export.writeLine(line(p.Name2, p.Typ2, p.PunkteLauf2));
}

QStringList GroupResultLines(const TournamentState& state) {
    const std::int64_t n = state.participants();
    const std::int64_t T = n * (n - 1) * RundenProSpiel;
    const std::int64_t halfT = T / 2; // T is always even
    std::array<std::int64_t, AnzDurchlaeufe + 1> G{}, K{}, X{}, C{}, N{};
    for (const PaarungTyp& p : state.Paarungen)
        for (int r = 1; r <= AnzDurchlaeufe; ++r)
            G[r] += std::int64_t(p.PunkteLauf1[r]) + p.PunkteLauf2[r];
    for (const auto& perRun : state.AnzKLauf)
        for (int r = 1; r <= AnzDurchlaeufe; ++r)
            K[r] += perRun[r];
    for (int r = 1; r <= AnzDurchlaeufe; ++r) {
        X[r] = G[r] - (2 * K[r] + T);
        C[r] = (K[r] - X[r]) / 2; // truncates toward zero like the quotient it stands for
        N[r] = state.AnzNKKLauf[r];
    }

    QStringList lines;
    const auto header = [&lines](const char* literal) { lines << QString::fromUtf8(literal); };
    const auto integers = [&lines](const char* literal, auto value) {
        QString line = QString::fromUtf8(literal);
        for (int r = 1; r <= AnzDurchlaeufe; ++r)
            line += u';' + QString::number(value(r));
        lines << line;
    };
    const auto fractions = [&lines](const char* literal, auto numerator, std::int64_t denominator) {
        QString line = QString::fromUtf8(literal);
        for (int r = 1; r <= AnzDurchlaeufe; ++r)
            line += u';' + platform::formatGeneral(numerator(r), denominator);
        lines << line;
    };

    header("10;0;1. Allgemeine Übersicht;;1;2;3;4;5;6;7;8;9");
    integers("11;1;1. Allgemeine Übersicht;Anzahl aller Züge", [&](int) { return halfT; });
    integers("12;1;1. Allgemeine Übersicht;Anzahl aller Züge, die zu einem Konsens führten",
             [&](int r) { return C[r]; });
    fractions(
        "13;1;1. Allgemeine Übersicht;Prozentualer Anteil derartiger Züge",
        [&](int r) { return C[r]; }, halfT);
    integers("14;1;1. Allgemeine Übersicht;Anzahl aller Züge, die mit einem Hereinlegen endeten",
             [&](int r) { return X[r]; });
    fractions(
        "15;1;1. Allgemeine Übersicht;Prozentualer Anteil derartiger Züge",
        [&](int r) { return X[r]; }, halfT);
    integers("16;1;1. Allgemeine Übersicht;Anzahl aller Züge, die zu einem Blockieren führten",
             [&](int r) { return halfT - C[r] - X[r]; });
    fractions(
        "17;1;1. Allgemeine Übersicht;Prozentualer Anteil derartiger Züge",
        [&](int r) { return halfT - C[r] - X[r]; }, halfT);
    header("20;0;2. Soziale Effektivität (quantitativer Art);;1;2;3;4;5;6;7;8;9");
    integers("21;1;2. Soziale Effektivität (quantitativer Art);Erreichtes Ergebnis",
             [&](int r) { return G[r]; });
    integers("22;1;2. Soziale Effektivität (quantitativer Art);Bestmögliches Ergebnis",
             [&](int) { return 3 * T; });
    integers(
        "23;1;2. Soziale Effektivität (quantitativer Art);Schlechtestes (garantiertes) Ergebnis",
        [&](int) { return T; });
    integers(
        "24;1;2. Soziale Effektivität (quantitativer Art);Von der Gruppe wurden erwirtschaftet",
        [&](int r) { return G[r] - T; });
    fractions(
        "25;1;2. Soziale Effektivität (quantitativer Art);In Prozenten: ",
        [&](int r) { return G[r] - T; }, 2 * T);
    header("30;0;3. Erfolge aus individueller Sicht;;1;2;3;4;5;6;7;8;9");
    fractions(
        "33;1;3. Erfolge aus individueller Sicht;Prozentualer Anteil aller erfolgreich "
        "beendeten Interaktionen",
        [&](int r) { return 2 * C[r] + X[r]; }, T);
    header("40;0;4. Soziale Effektivität (qualitativer Art);;1;2;3;4;5;6;7;8;9");
    fractions(
        "41;1;4. Soziale Effektivität (qualitativer Art);Prozentualer Anteil aller im "
        "Frieden endeten Züge",
        [&](int r) { return N[r]; }, halfT);
    return lines;
}

void WriteGroupResults(TournamentState& state) {
    for (const QString& line : GroupResultLines(state))
        state.Gruppenergebnisse.writeLine(line);
}

// ---------------------------------------------------------------------------------------
// The debug files of play

namespace {

// The game values one row of "Spiel_Gesamt.csv" names.
struct GameRow {
    GameResult game;
    std::int64_t intAnzNKK = 0;
    std::int64_t AnzK = 0;
};

// What the debug files must hold when play ends: the last pairing's rows and, per game
// number, which pairing played that game last (its round table when debug is on).
class DebugRecorder {
public:
    DebugRecorder(const QString& rootPath, bool debug) : m_debug(debug) {
        m_folder = platform::resolvePath(rootPath + QStringLiteral("Debug/"));
        m_lastPairing.fill(-1);
        if (m_debug)
            for (auto& slot : m_tables)
                for (auto& table : slot)
                    table.resize(RundenProSpiel);
    }

    // The folder exists and takes our files; checked before the first game so that a
    // failure stops the run before play.
    void prepareFolder() const {
        if (!platform::forceFolders(m_folder) || !platform::folderExists(m_folder))
            throw WendrakError(QStringLiteral("Der Ordner \"%1\" kann nicht angelegt werden.")
                                   .arg(shown(m_folder)));
        QStringList targets{QStringLiteral("Spiel_Gesamt.csv")};
        for (int r = 1; r <= AnzDurchlaeufe; ++r)
            targets << QStringLiteral("Runde_%1.csv").arg(r);
        if (platform::isReadOnly(m_folder))
            throw WendrakError(QStringLiteral("In den Ordner \"%1\" kann nicht geschrieben werden.")
                                   .arg(shown(m_folder)));
        for (const QString& name : targets) {
            const QString path = m_folder + name;
            if (platform::folderExists(path) || platform::isReadOnly(path))
                throw WendrakError(QStringLiteral("Die Datei \"%1\" kann nicht geschrieben werden.")
                                       .arg(shown(platform::resolvePath(path))));
        }
        // A probe file catches what the permission bits do not show (a full or read-only
        // file system).
        const QString probe = m_folder + QStringLiteral(".wendrak-probe");
        std::FILE* f = std::fopen(QFile::encodeName(probe).constData(), "wb");
        const bool ok = f && std::fputc('x', f) != EOF && std::fclose(f) == 0;
        std::remove(QFile::encodeName(probe).constData());
        if (!ok)
            throw WendrakError(QStringLiteral("In den Ordner \"%1\" kann nicht geschrieben werden.")
                                   .arg(shown(m_folder)));
    }

    void beginPairing(int pairing, const QString& datei1, const QString& datei2) {
        m_pairing = pairing;
        m_datei1 = datei1;
        m_datei2 = datei2;
        m_rowCount = 0;
        m_gamePending = false;
    }
    // Game r of the current pairing was played (its Runde file now holds its rounds).
    void gamePlayed(int run, std::span<const ZugTyp> rounds) {
        m_lastPairing[std::size_t(run)] = m_pairing;
        if (m_debug) {
            // Two slots: a game number's last game is of this pairing or the one before.
            auto& table = m_tables[std::size_t(m_pairing & 1)][std::size_t(run)];
            std::copy(rounds.begin(), rounds.end(), table.begin());
        }
        m_gamePending = true; // the game's values are set, the totals not yet
    }
    void rowWritten(const GameRow& row) {
        m_rows[std::size_t(m_rowCount++)] = row;
        m_gamePending = false;
    }
    void cancelled() { m_cancelled = true; }

    // Writes "Runde_1.csv" to "Runde_9.csv" (those that this run played) and
    // "Spiel_Gesamt.csv" as they would stand had they been written after every game.
    void write() const {
        for (int r = 1; r <= AnzDurchlaeufe; ++r) {
            const int k = m_lastPairing[std::size_t(r)];
            if (k < 0)
                continue;
            const auto& table = m_tables[std::size_t(k & 1)][std::size_t(r)];
            SaveGameDebugFile(m_folder + QStringLiteral("Runde_%1.csv").arg(r), m_debug,
                              std::span<const ZugTyp>(table.data(), table.size()));
        }
        if (m_pairing < 0)
            return;
        TLogger logger;
        const auto setGame = [&logger, this](const GameResult& g) {
            logger.ClearValues();
            logger.SetValue(QStringLiteral("Spieler1"), m_datei1);
            logger.SetValue(QStringLiteral("Spieler2"), m_datei2);
            logger.SetValue(QStringLiteral("AnzKCounter"), QString::number(g.AnzK));
            logger.SetValue(QStringLiteral("anzKK"), QString::number(g.AnzKK));
            logger.SetValue(QStringLiteral("anzDD"), QString::number(g.AnzDD));
            logger.SetValue(QStringLiteral("anzDK"), QString::number(g.AnzDK));
            logger.SetValue(QStringLiteral("anzKD"), QString::number(g.AnzKD));
            logger.SetValue(QStringLiteral("AnzNKK"), QString::number(g.AnzNKK));
            logger.SetValue(QStringLiteral("intSozEffQualTmp"), QString::number(g.AnzKK2));
        };
        for (int i = 0; i < m_rowCount; ++i) {
            const GameRow& row = m_rows[std::size_t(i)];
            setGame(row.game);
            logger.SetValue(QStringLiteral("intAnzNKK"), QString::number(row.intAnzNKK));
            logger.SetValue(QStringLiteral("AnzK"), QString::number(row.AnzK));
            logger.WriteRow();
        }
        if (m_gamePending) // a game played but not yet logged: its nine values are set
            setGame(GameResult{});
        if (m_cancelled)
            logger.AddLine(QStringLiteral("Abbruch durch Benutzer"));
        logger.SaveToFile(m_folder + QStringLiteral("Spiel_Gesamt.csv"));
    }

private:
    bool m_debug;
    QString m_folder;
    std::array<int, AnzDurchlaeufe + 1> m_lastPairing{};
    std::array<std::array<std::vector<ZugTyp>, AnzDurchlaeufe + 1>, 2> m_tables;
    int m_pairing = -1;
    QString m_datei1, m_datei2;
    std::array<GameRow, AnzDurchlaeufe> m_rows{};
    int m_rowCount = 0;
    bool m_gamePending = false;
    bool m_cancelled = false;
};

void closeResultFilesQuietly(TournamentState& state) {
    state.Zusammensetzung.closeQuietly();
    state.Export.closeQuietly();
    state.Gruppenergebnisse.closeQuietly();
}

void closeResultFiles(TournamentState& state) {
    // All three are closed even when one of them fails; the first failure is reported.
    std::optional<WendrakError> failure;
    for (ResultFile* f : {&state.Zusammensetzung, &state.Export, &state.Gruppenergebnisse}) {
        try {
            f->close();
        } catch (const WendrakError& e) {
            if (!failure)
                failure = e;
        }
    }
    if (failure)
        throw *failure;
}

} // namespace

// ---------------------------------------------------------------------------------------
// The run

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

    bool progressShown = false;
    std::optional<DebugRecorder> debugFiles;
    bool debugWritten = false;
    try {
        OpenResultFiles(state);
        BuildPairings(state);

        observer.showProgress();
        progressShown = true;

        debugFiles.emplace(state.RootPath, options.debug);
        debugFiles->prepareFolder();

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
                        closeResultFiles(state);
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
        closeResultFiles(state);
        return observer.showResults() == 4 ? RunNewGroup : RunFinished;
    } catch (...) {
        if (progressShown)
            observer.hideProgress();
        closeResultFilesQuietly(state);
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
