// Small builders of player records for the engine tests (profiles that give way or hold out
// per situation, automata with fixed move lists), the message of an expected error, and
// the forms of ApplyPayoff and PlayGame that the program itself does not use.
#pragma once

#include "engine/WendrakCalc.h"
#include "platform/WendrakError.h"
#include "players/PlayerFile.h"

#include <QString>
#include <algorithm>
#include <array>
#include <initializer_list>
#include <optional>
#include <tuple>

constexpr bool kGives = true, kHolds = false;

// A profile that always gives way (or always holds out) in ten of ten cases, except in the
// listed situations, where it does the opposite.
inline SpielerTyp profile(bool givesWay, std::initializer_list<int> otherwise = {}) {
    SpielerTyp p = zeroedPlayer();
    for (int i = 0; i < SituationCount; ++i) {
        const bool k =
            givesWay != (std::find(otherwise.begin(), otherwise.end(), i) != otherwise.end());
        p.Situationen[i] = {10, k ? 10 : 0, k ? 0 : 10};
    }
    return p;
}

// Tit for tat: gives way first, then answers the other's previous move.
inline SpielerTyp titForTat() {
    return profile(kGives, {SitMDD, SitMDK, SitNDD, SitNDK, SitPDD, SitPDK});
}

// An automaton with the same three moves and stored position in every entry.
inline SpielerTyp automaton(std::array<int, 3> moves, int position = 0) {
    SpielerTyp p = zeroedPlayer();
    p.IstAutomat = 1;
    for (AutomatTyp& a : p.Automat)
        a = {position, {moves[0], moves[1], moves[2]}};
    return p;
}

// The message of the WendrakError that call throws.
template <typename Call>
QString errorOf(Call call) {
    try {
        call();
    } catch (const WendrakError& e) {
        return e.message();
    }
    return "(kein Fehler)";
}

// ApplyPayoff with the matrix of a settings object; null settings give the built-in points.
inline void ApplyPayoff(ZugTyp& round, const TApplicationEnviroment* settings) {
    ApplyPayoff(round, PayoffTable::fromSettings(settings));
}

// PlayGame with every output as a parameter of its own; each is set afresh, to 0 when the
// game fails.
inline void PlayGame(const QString& name1, const QString& name2, std::int32_t& points1,
                     std::int32_t& points2, std::int32_t& anzK, std::int32_t& anzKK,
                     std::int32_t& anzDD, std::int32_t& anzDK, std::int32_t& anzKD,
                     std::int32_t& anzNKK, std::int32_t& anzKK2, std::int32_t rounds,
                     const QString& folder, bool debug, std::int32_t gameNumber,
                     std::int32_t& received1, std::int32_t& granted1, std::int32_t& received2,
                     std::int32_t& granted2, std::optional<std::uint64_t> seed = std::nullopt) {
    // GameResult holds the outputs in the order of these parameters.
    const auto set = [&](const GameResult& g) {
        const auto& [p1, p2, k, kk, dd, dk, kd, nkk, kk2, r1, g1, r2, g2] = g;
        std::tie(points1, points2, anzK, anzKK, anzDD, anzDK, anzKD, anzNKK, anzKK2, received1,
                 granted1, received2, granted2) =
            std::tie(p1, p2, k, kk, dd, dk, kd, nkk, kk2, r1, g1, r2, g2);
    };
    set(GameResult{});
    set(PlayGame(name1, name2, rounds, folder, debug, gameNumber, seed));
}
