// Player traits: the seven yes/no statements the program shows about a player and its
// type number 1..6, derived from the behaviour profile (or, for the three automata the
// program knows by name, fixed answers), and the display rule for the "k.A." answer.
#pragma once

#include "players/PlayerFile.h"

#include <QString>

// Derives the traits and the type number of the record in place. Only the Ja/Nein
// fields, IstKonsensorientiert, GeschaeftsmaessigAusbeutbar (named automata only) and
// Spielertyp change; every other byte stays as it is.
void DeriveRecordTraits(SpielerTyp& player);
// Whether a player file name is of a read-only player (".plx"), whose traits are not stored.
bool IsReadOnlyPlayerName(const QString& fileName);

// Reads the player file (full path of a .ply or .plx), derives its traits and writes the
// file back whole. Throws WendrakError naming the file when it cannot be read or written.
void DerivePlayerTraits(const QString& fileName);

// The text shown for GeschaeftsmaessigAusbeutbar on the player card and in the chooser's
// details: a stored "k.A." reads "Nein" for a player that defends itself reliably.
QString DisplayedGeschaeftsmaessigAusbeutbar(const SpielerTyp& player);
