// Automaton players as the automaton editor makes them: a new record whose moves come from
// the automaton table (three moves per situation), with the personal data, the answers and
// the type number as typed, and the table as the editor shows it after saving.
#pragma once

#include "players/PlayerFile.h"

#include <QString>
#include <array>

// The editor's fields, texts as typed; moves 0 K, 1 D, 2 Z, -1 none.
struct AutomatonInput {
    QString Name, Alter, Geschlecht, Nationalitaet, Motto;
    QString IstKonsensorientiert, IstFriedlich, VerteidigtSicher, GeschaeftsmaessigAusbeutbar,
        NeigtZumAngreifen, NeigtZumAusbeuten, NeigtZuUeberreaktionen;
    QString Spielertyp;
    // Per situation: the position shown in the editor's first column (not stored) and the
    // three moves.
    std::array<std::int32_t, SituationCount> Position{};
    std::array<std::array<std::int32_t, 3>, SituationCount> Zuege{};
};

// The record to write: zeroed, texts cut to their fields, the name without leading and
// trailing blanks, the situation table all -1, every position 0, Dateiname = Name + ".PLY"
// cut to 50 characters, IstAutomat and MasseGueltig 1. Throws WendrakError with a German
// message when a text holds characters Windows-1252 cannot (naming the field as the editor
// labels it), the type number is not a whole number or the name cannot name a file.
SpielerTyp BuildAutomatonPlayer(const AutomatonInput& input);
// Builds the player and writes it into folder under its Dateiname, replacing a file of that
// name whole; returns the record written. Throws WendrakError as BuildAutomatonPlayer does,
// and naming the file when it cannot be written.
SpielerTyp SaveAutomatonPlayer(const QString& folder, const AutomatonInput& input);
// The editor's fields of a stored automaton player; throws WendrakError with a German
// message when the player is not an automaton.
AutomatonInput AutomatonInputOf(const SpielerTyp& player);
// One line per situation: position and the three moves, each followed by a blank, each
// line ended by CR LF.
QString AutomatonTableText(const SpielerTyp& player);
