// The per-game debug file "Runde_<game number>.csv" below the root's "Debug/" folder: one
// row per round when debug is on, the consensus columns' names otherwise.
#pragma once

#include "engine/GameRules.h"

#include <QString>
#include <span>

class TLogger;

// One debug row: "zugnr", "Erg." (standing letter and both move letters), "M1", "M2".
void LogRound(int number, const ZugTyp& round, TLogger& logger);

// Root + "Debug/Runde_" + game number + ".csv".
QString GameDebugFilePath(const QString& rootPath, int gameNumber);
// Writes a per-game debug file: with debug on the header "zugnr,Erg.,M1,M2," and one row
// per round; with debug off the single line "glbKons1,glbKons2,". Creates the folder.
void SaveGameDebugFile(const QString& path, bool debug, std::span<const ZugTyp> rounds);
