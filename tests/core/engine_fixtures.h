// Small builders of player records for the engine tests (profiles that give way or hold out
// per situation, automata with fixed move lists) and the message of an expected error.
#pragma once

#include "engine/WendrakCalc.h"
#include "platform/WendrakError.h"
#include "players/PlayerFile.h"

#include <QString>
#include <algorithm>
#include <array>
#include <initializer_list>

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

// A record's bytes as stored.
inline QByteArray bytesOf(const SpielerTyp& p) {
    return QByteArray(reinterpret_cast<const char*>(&p), sizeof p);
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
