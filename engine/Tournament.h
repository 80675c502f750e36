// The tournament run: every pair of players of the current game plays nine games of 500
// rounds; the run fills the participant and pairing tables, writes "Export.Txt",
// "Gruppenergebnisse.Txt" and the debug files, calls the figure steps that fill the result
// window and write "Zusammensetzung.Txt", and returns the run's result code. It is domain
// code: the windows, the tests and the headless driver drive it through TournamentObserver.
// The result files are written by engine/ResultFiles.h, the debug files by
// engine/DebugRecorder.h.
#pragma once

#include "engine/WendrakCalc.h"
#include "platform/TextFile.h"
#include "players/PlayerFile.h"

#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

class DebugRecorder;

class ResultDisplay;

// Runs per pairing and rounds per game.
inline constexpr int AnzDurchlaeufe = 9;
inline constexpr int RundenProSpiel = 500;

// Result codes of the run.
inline constexpr int RunCancelled = 0; // the user cancelled
inline constexpr int RunNewGroup = 1;  // the result window asked for a new group
inline constexpr int RunFinished = 2;  // any other end

// Run-indexed values: index r = 1..AnzDurchlaeufe is run r, index 0 is unused.
using RunValues = std::array<std::int32_t, AnzDurchlaeufe + 1>;

struct TeilnehmerTyp {
    QString Name;            // file name without extension
    QString Datei;           // file name with ".ply"
    std::int32_t Punkte = 0; // own points over all pairings and runs (a total)
};

// One pairing; player 1 is always the participant with the lower index.
struct PaarungTyp {
    QString Datei1;
    QString Datei2;
    QString Name1;
    QString Name2;
    std::int32_t Typ1 = 0; // stored type number when the run started
    std::int32_t Typ2 = 0;
    // While the pairing is played: the last game's points; afterwards the rounded average.
    std::int32_t Punkte1 = 0;
    std::int32_t Punkte2 = 0;
    std::int32_t Nr1 = 0; // participant index + 1
    std::int32_t Nr2 = 0;
    RunValues PunkteLauf1{};
    RunValues PunkteLauf2{};
    RunValues ErhalteneDienste1{}; // K moves of player 2 (KK + DK)
    RunValues ErhalteneDienste2{}; // K moves of player 1 (KK + KD)
    RunValues ErwieseneDienste1{}; // K moves of player 1 (KK + KD)
    RunValues ErwieseneDienste2{}; // K moves of player 2 (KK + DK)
};

// One of the run's text result files (see engine/ResultFiles.h).
using ResultFile = platform::AnsiLineWriter;

// Everything one run keeps: the shared tables that the figures and the result window
// read, the players as loaded, and the run's working totals.
struct TournamentState {
    // Folders (ending with "/"): data folder, root of "Debug/", folder of the result files.
    QString WendrakPath;
    QString RootPath;
    QString OutFolder;

    // Players in listing order.
    std::vector<QString> SpielerDateien;
    std::vector<QString> SpielerNamen;
    std::vector<std::int16_t> SpielerTypNr;
    std::vector<SpielerTyp> SpielerSaetze; // each player's record as read at the start

    // Display texts of the type numbers 0..6.
    std::vector<QString> TypNamen;

    std::vector<TeilnehmerTyp> Teilnehmer;
    std::vector<PaarungTyp> Paarungen;
    std::int32_t AnzTeilnehmerHigh = -1; // participants - 1
    std::int32_t AnzPaarungenHigh = -1;  // pairings - 1

    // Working totals of the run.
    std::vector<std::array<std::uint16_t, AnzDurchlaeufe + 1>> AnzKLauf; // per pairing, per run
    std::array<std::int64_t, AnzDurchlaeufe + 1> AnzNKKLauf{};           // per run
    std::int64_t AnzK = 0;      // K moves of all games played so far
    std::int64_t intAnzNKK = 0; // KK rounds in standing N of all games played so far

    // The open result files.
    ResultFile Export;
    ResultFile Gruppenergebnisse;
    ResultFile Zusammensetzung;

    int participants() const { return AnzTeilnehmerHigh + 1; }
    int pairings() const { return AnzPaarungenHigh + 1; }
};

// What the run reports to whoever drives it: the progress window's part, the cancel
// question, messages, and the showing of the filled result window.
class TournamentObserver {
public:
    virtual ~TournamentObserver() = default;
    // The progress window appears; a cancel request of an earlier run is forgotten.
    virtual void showProgress() {}
    // After each game: let pending input be handled (the cancel button may act).
    virtual void processEvents() {}
    // The user has pressed cancel since the flag was last cleared.
    virtual bool abortRequested() { return false; }
    // Yes/No question; true means Yes.
    virtual bool confirmAbort(const QString& question) {
        (void)question;
        return true;
    }
    // The user answered No: forget the request.
    virtual void clearAbort() {}
    // The gauge value (0..100) after each game.
    virtual void progress(int gauge) { (void)gauge; }
    virtual void hideProgress() {}
    // A German message for the user (the run cannot go on).
    virtual void showMessage(const QString& text) { (void)text; }
    // The result window is filled and the result files are closed: show it and return its
    // modal result (4 asks for a new group, 2 is "Zurück").
    virtual int showResults() { return 2; }
};

struct TournamentOptions {
    bool debug = DebugMode();          // one debug row per round in the "Runde_" files
    std::optional<std::uint64_t> seed; // repeatable run; the clock otherwise
};

// The question the run asks when the user presses cancel.
extern const char* const AbortQuestion;

// The run. Paths in state (WendrakPath, RootPath, OutFolder) must be set; the rest of the
// state is filled here. The display receives the result window's content; the observer
// shows it (showResults) once the result files are closed. Without a display the content
// goes nowhere.
// Returns RunCancelled, RunNewGroup or RunFinished; errors leave as WendrakError after the
// result files were closed.
int PlayDravolenz_new(TournamentState& state, TournamentObserver& observer, ResultDisplay* display,
                      const TournamentOptions& options = {});

// The steps, usable on their own by tests.
void LoadGamePlayers(TournamentState& state);
// Every file and folder the run will write (debug folder and files, result files, the
// participants' files), checked before anything is emptied: a run refused here changes no
// file. Throws WendrakError naming what cannot be written.
void CheckRunTargets(const TournamentState& state, const DebugRecorder& debugFiles);
void InitTypeNames(TournamentState& state);
void BuildPairings(TournamentState& state);
// Nine runs of x rounded half up (x = sum / AnzDurchlaeufe).
std::int32_t AveragePairScore(std::int64_t sum);
