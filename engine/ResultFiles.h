// The run's three text result files: "Export.Txt" (two lines per pairing, written after
// its nine games), "Gruppenergebnisse.Txt" (the group's figures per run, written when play
// ends) and "Zusammensetzung.Txt" (written by the figure steps). They are opened when the
// run starts, written line by line and closed on every way out of the run.
#pragma once

#include "engine/TournamentState.h"

#include <QStringList>
#include <cstdint>

// Creates the three files in the state's OutFolder.
void OpenResultFiles(TournamentState& state);
// The two lines of a played pairing: number, name, type number and the nine runs' points.
void WritePairExport(TournamentState& state, int pairing);
// The lines of "Gruppenergebnisse.Txt" for the state's totals.
QStringList GroupResultLines(const TournamentState& state);
void WriteGroupResults(TournamentState& state);
// Closes all three, even when one of them fails; the first failure is thrown.
void CloseResultFiles(TournamentState& state);
// Closes all three without reporting failures (the way out after an error).
void CloseResultFilesQuietly(TournamentState& state) noexcept;
