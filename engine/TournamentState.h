// The tables of one tournament run: the participants and pairings that the run fills and
// that the result files, the figures and the result window read, with the run's constants
// and its open result files.
#pragma once

#include "platform/TextFile.h"
#include "players/PlayerFile.h"

#include <QString>
#include <array>
#include <cstdint>
#include <vector>

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
