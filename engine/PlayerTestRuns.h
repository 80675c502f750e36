// The player test runs: a player plays 1000 or 2000 rounds against an opponent that always
// holds out or always gives way, and the results go into its record (against D, after
// giving way once, against K), with the peacefulness score from its table. They draw from
// the engine's shared generator and work on its shared round table.
#pragma once

#include "engine/GameRules.h"
#include "players/PlayerFile.h"

#include <QString>
#include <cstdint>

class TApplicationEnviroment;

// Test runs on a player file (full path). A record whose MasseGueltig is set is left alone
// unless force is true. Settings give the payoff matrix; null (what every caller passes)
// the built-in points. Each writes the whole record back; a missing or short file throws
// WendrakError naming it, and nothing is written.
void TestAgainstDefector(const QString& fileName, bool force,
                         const TApplicationEnviroment* settings = nullptr);
void TestRepeatedExploitation(const QString& fileName, bool force,
                              const TApplicationEnviroment* settings = nullptr);
void TestAgainstCooperator(const QString& fileName, bool force,
                           const TApplicationEnviroment* settings = nullptr);
void ComputePeacefulness(const QString& fileName, bool force);
// The same four measures on a record in memory (what the file forms do between reading and
// writing), so a caller that runs all of them writes the file once.
void TestAgainstDefector(SpielerTyp& player, bool force,
                         const PayoffTable& pay = PayoffTable::builtIn());
void TestRepeatedExploitation(SpielerTyp& player, bool force,
                              const PayoffTable& pay = PayoffTable::builtIn());
void TestAgainstCooperator(SpielerTyp& player, bool force,
                           const PayoffTable& pay = PayoffTable::builtIn());
void ComputePeacefulness(SpielerTyp& player, bool force);
// All four of them on a record in memory, with the built-in points.
void RunAllTestRuns(SpielerTyp& player, bool force);
// A player file measured with one read: its traits derived (where deriveTraits, never for a
// read-only ".plx" player), the four test runs, and the record written back only when it
// changed. Returns the record as it now stands; throws WendrakError as the reader does.
SpielerTyp MeasurePlayerFile(const QString& path, bool force, bool deriveTraits = true);
// The peacefulness score of a record (what ComputePeacefulness stores); an automaton whose
// name matches none of the known prefixes keeps its stored score.
std::int32_t PeacefulnessScore(const SpielerTyp& player);
