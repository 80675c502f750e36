// The ranking of a tournament run: participants sorted by their total points, one ranking
// row each on the result window, and each participant's behaviour type 1..6 (0 when it
// cannot be told) with the number of participants and their points per type.
#pragma once

#include "engine/TournamentState.h"
#include "players/PlayerFile.h"

#include <QString>
#include <array>
#include <cstdint>
#include <vector>

class ResultDisplay;

// Participants and shown points per type; index 1..6 is the type, index 0 stays 0.
struct TypeTallies {
    std::array<std::int64_t, 7> AnzTyp{};
    std::array<std::int64_t, 7> PunkteTyp{};
};

// Sorts entries 0..high by Punkte, best first; equal totals keep their order. A high beyond
// the table is cut to its last entry.
void SortRanking(int high, std::vector<TeilnehmerTyp>& entries);

// The display text of a type number: "Nicht bekannt." for 0, else "Typ<n>". The run fills
// TypNamen with these; the ranking falls back on them for a table that was not filled.
QString TypeName(int type);

// The points a participant shows: its average per run, truncated.
std::int32_t ShownPoints(std::int32_t punkte);

// Rank text of entry i of a sorted table: "1." for the first, "" when its total equals the
// one before, else i + 1 and ".".
QString RankText(const std::vector<TeilnehmerTyp>& sorted, int i);

// The type of a player by its record and its file name in the current game. Automata are
// known only by their file names; a profile by its D moves without provocation and whether
// it fails to defend itself.
int PlayerTypeOf(const SpielerTyp& player, const QString& datei);

// Reads participant i's file from the current game, classifies it and, for types 1..6,
// adds it to the tallies. Throws WendrakError naming the file when it cannot be read.
int ClassifyPlayerType(const TournamentState& state, int i, TypeTallies& tallies);

// Sorts the participants, adds the header row and one row per participant, and fills the
// tallies anew. The run hides its progress window before.
void ShowRanking(TournamentState& state, ResultDisplay& display, TypeTallies& tallies);

// The current game's folder below the data folder.
QString CurrentGameFolder(const TournamentState& state);
