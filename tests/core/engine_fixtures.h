// Small builders of player records for the engine tests (profiles with a fixed answer per
// situation, automata with fixed move lists) and the message of an expected error.
#pragma once

#include "platform/WendrakError.h"
#include "players/PlayerFile.h"

#include <QString>
#include <array>
#include <initializer_list>

// Answers of a profile: per situation, n cases of which k give way (d = n - k).
struct Answer {
    int n;
    int k;
};
constexpr Answer kAlwaysK{10, 10};
constexpr Answer kAlwaysD{10, 0};

inline SpielerTyp profile(Answer all) {
    SpielerTyp p = zeroedPlayer();
    for (SituationTyp& s : p.Situationen)
        s = {all.n, all.k, all.n - all.k};
    return p;
}

inline void setAnswer(SpielerTyp& p, int situation, Answer a) {
    p.Situationen[situation] = {a.n, a.k, a.n - a.k};
}

// Tit for tat: gives way first, then answers the other's previous move.
inline SpielerTyp titForTat() {
    SpielerTyp p = profile(kAlwaysK);
    for (int i = 1; i < SituationCount; ++i) {
        const bool otherGaveWay = ((i - 1) / 2) % 2 == 1; // second letter K
        setAnswer(p, i, otherGaveWay ? kAlwaysK : kAlwaysD);
    }
    return p;
}

inline SpielerTyp automaton(std::array<int, 3> all) {
    SpielerTyp p = zeroedPlayer();
    p.IstAutomat = 1;
    for (SituationTyp& s : p.Situationen)
        s = {-1, -1, -1};
    for (AutomatTyp& a : p.Automat) {
        a.Position = 0;
        for (int i = 0; i < 3; ++i)
            a.Zug[i] = all[i];
    }
    return p;
}

inline void setMoves(SpielerTyp& p, int situation, std::array<int, 3> moves) {
    for (int i = 0; i < 3; ++i)
        p.Automat[situation].Zug[i] = moves[i];
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
