// Small builders of player records for the engine and tournament tests (profiles that give way
// or hold out per situation, automata with fixed move lists) and the message of an expected error.
#pragma once

#include "engine/WendrakCalc.h"
#include "platform/WendrakError.h"
#include "players/PlayerFile.h"

#include <QString>
#include <array>
#include <initializer_list>

constexpr bool kGives = true, kHolds = false;

// A profile that gives way in kOf10 of ten cases in every situation.
inline SpielerTyp uniformPlayer(int kOf10, const char* verteidigtSicher = "Ja") {
    SpielerTyp p = zeroedPlayer();
    for (auto& s : p.Situationen)
        s = {10, kOf10, 10 - kOf10};
    p.VerteidigtSicher.set(QString::fromUtf8(verteidigtSicher));
    return p;
}

// A profile that always gives way (or always holds out), except in the listed situations,
// where it does the opposite.
inline SpielerTyp profile(bool givesWay, std::initializer_list<int> otherwise = {}) {
    SpielerTyp p = uniformPlayer(givesWay ? 10 : 0);
    for (int i : otherwise)
        p.Situationen[i] = {10, givesWay ? 0 : 10, givesWay ? 10 : 0};
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
