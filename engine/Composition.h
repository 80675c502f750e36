// "Zusammensetzung.Txt": the composition of a run's group by behaviour types and by
// properties, and its collective accommodation toward attackers, in twelve lines of ";"
// separated fields (Windows-1252, CR LF). Written for the user and other programs; the
// program itself never reads it.
#pragma once

#include "engine/GroupFigures.h"
#include "engine/Ranking.h"
#include "engine/TournamentState.h"

#include <QStringList>
#include <cstdint>

// The twelve lines, without line ends.
QStringList CompositionLines(const TypeTallies& tallies, const PropertyCounts& counts,
                             std::int64_t n);

// Writes the twelve lines into the open file. Throws WendrakError on a write error.
void WriteCompositionFile(ResultFile& file, const TypeTallies& tallies,
                          const PropertyCounts& counts, std::int64_t n);
