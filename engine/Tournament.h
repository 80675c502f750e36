// The tournament run: every pair of players of the current game plays nine games of 500
// rounds; the run fills the participant and pairing tables, writes "Export.Txt",
// "Gruppenergebnisse.Txt" and the debug files, calls the figure steps that fill the result
// window and write "Zusammensetzung.Txt", and returns the run's result code. It is domain
// code: the windows, the tests and the headless driver drive it through TournamentObserver.
// The result files are written by engine/ResultFiles.h, the debug files by
// engine/DebugRecorder.h.
#pragma once

#include "engine/TournamentState.h"
#include "engine/WendrakCalc.h"

#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

class DebugRecorder;

class ResultDisplay;

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
// Every figure step of the run in its order (GroupFigures.h, Ranking.h, Composition.h),
// "Zusammensetzung.Txt" included (written to the state's open composition file). The run
// hides its progress window before.
void RunFigureSteps(TournamentState& state, ResultDisplay& display, bool force);
// Nine runs of x rounded half up (x = sum / AnzDurchlaeufe).
std::int32_t AveragePairScore(std::int64_t sum);
