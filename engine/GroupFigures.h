// The group figures of a tournament run and the texts the result window shows for them:
// moves, consensus, exploitation, blocking, favours, peace and social effectiveness, the
// economic result, the average points of each behaviour type, and the composition of the
// group by types and by properties. For the properties every participant's traits and
// test results are brought up to date in its player file first.
//
// The run calls the steps in this order: ShowMoveOverview, ShowRanking (Ranking.h),
// ShowGroupEconomy, ShowTypeAverages, EvaluatePlayerProperties, ShowCompositionTexts,
// WriteCompositionFile (Composition.h); RunFigureSteps (Tournament.h) does all of them.
#pragma once

#include "engine/Ranking.h"
#include "engine/TournamentState.h"
#include "players/PlayerFile.h"

#include <QString>
#include <cstdint>

class ResultDisplay;

// The figures of the whole group, per run (games of a pairing averaged). Kept in 64 bits:
// with a thousand players and more the point totals pass the 32-bit range.
struct OverallFigures {
    std::int64_t n = 0;     // participants
    std::int64_t AvgK = 0;  // K moves
    std::int64_t G = 0;     // points won by the group
    std::int64_t M = 0;     // moves (rounds over all pairings)
    std::int64_t H = 0;     // moves ending in exploitation (one K, one D)
    std::int64_t Kn = 0;    // moves ending in consensus (KK)
    std::int64_t Bl = 0;    // moves ending in blocking (DD)
    std::int64_t AvgN = 0;  // moves ending in peace
    std::int64_t D = 0;     // percentage of favours granted
    std::int64_t P = 0;     // percentage of moves ending in peace
    std::int64_t Best = 0;  // best possible result
    std::int64_t Worst = 0; // worst (guaranteed) result
    std::int64_t B = 0;     // adjusted result in percent
};

// Needs at least two participants for meaningful figures; with fewer every quotient
// whose divisor is 0 counts as 0.
OverallFigures ComputeOverallFigures(const TournamentState& state);

// What the property evaluation counts over the group.
struct PropertyCounts {
    std::int32_t AnzKonsensorientiert = 0;
    std::int32_t AnzFriedlich = 0;
    std::int32_t AnzVerteidigtSicher = 0;
    std::int32_t AnzNeigtZumAngreifen = 0;
    std::int32_t AnzNeigtZumAusbeuten = 0;
    std::int32_t AnzNeigtZuUeberreaktionen = 0;
    std::int32_t AnzGeschaeftsmaessigAusbeutbar = 0;
    // The collective accommodation toward attackers (each player's share of K moves
    // against an opponent who always plays D, summed), in thousandths so it stays exact.
    std::int64_t SummeEntgegenkommenPromille = 0;
};

// Adds one player's record, its traits and test results up to date, to the counts.
void CountProperties(const SpielerTyp& player, PropertyCounts& counts);

// A type's share of the participants, "%3.1f" with "," whatever the locale ("66,7").
QString TypAnteil(const TypeTallies& tallies, int type, std::int64_t n);
// A property's share of the participants, "%3.1f" with the locale's separator.
QString PropertyShare(std::int64_t count, std::int64_t n);
// "Das gesamte, in der Gruppe vorhandene Entgegenkommen ... von <n> Teilnehmern."
QString AccommodationText(const PropertyCounts& counts, std::int64_t n);

// Sets the window's counts and fills the placeholders of the first overview and of social
// effectiveness.
void ShowMoveOverview(const TournamentState& state, ResultDisplay& display);
// Hands the window the player list and the run's tables and fills the economy figures.
// Runs after the ranking, so the window sees the participants in ranking order.
void ShowGroupEconomy(const TournamentState& state, ResultDisplay& display);
// The average shown points of each type, "k.A." for a type without participants.
void ShowTypeAverages(const TypeTallies& tallies, ResultDisplay& display);
// Derives traits and runs the four test runs on every participant's file (rewriting it),
// then counts the properties from the updated files. force makes the test runs measure
// records whose measures are marked valid. Throws WendrakError naming a file that cannot
// be read or written.
PropertyCounts EvaluatePlayerProperties(const TournamentState& state, bool force);
// The type table, the collective accommodation, the property lines and the favours line.
void ShowCompositionTexts(const TournamentState& state, const TypeTallies& tallies,
                          const PropertyCounts& counts, ResultDisplay& display);
