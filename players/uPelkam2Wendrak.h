// Player traits and the players of the sibling program. The traits: the seven yes/no
// statements the program shows about a player and its type number 1..6, derived from the
// behaviour profile (or, for the three automata the program knows by name, fixed answers),
// and the display rule for the "k.A." answer. The sibling players: the reader of their
// ".TP0" files (7112 bytes, of which only the name, the first move and the twelve pairs of
// K and D cases are read) and their conversion into a player of the store.
#pragma once

#include "players/PlayerFile.h"

#include <QByteArray>
#include <QString>
#include <array>
#include <cstdint>
#include <functional>

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

// The sibling program's player as far as this program reads it.
struct PelkamSpielerTyp {
    static constexpr int RecordSize = 7112;
    QString Name;       // decoded by its length byte
    std::int32_t x = 0; // in how many of 4 cases the player holds out on the first move
    struct Paar {
        std::int32_t K = 0, D = 0;
    };
    // In the sibling order MKK, MKD, MDK, MDD, NKK, NKD, NDK, NDD, PKK, PKD, PDK, PDD.
    std::array<Paar, 12> Paare{};
};

// The situation (index into SpielerTyp::Situationen) of sibling pair m.
int PelkamSituation(int m);

// Reads a ".TP0" file. Throws WendrakError with a German message naming the file when it
// is missing or shorter than a record, when x lies outside 0..4, or when a count is
// negative or the two counts of a pair do not fit a number of cases.
PelkamSpielerTyp ReadPelkamPlayer(const QString& path);
// The 7112 bytes of a ".TP0" file for the player (every byte the reader skips is zero);
// for the tools and tests that make such files.
QByteArray PelkamRecordBytes(const PelkamSpielerTyp& player);

// The converted record: Herkunft 1, the given Dateiname, the name cut to 50 characters,
// the first move as 4 cases and the twelve pairs as their situations; traits derived.
SpielerTyp PelkamToSpieler(const PelkamSpielerTyp& player, const QString& dateiname);

// Where the converted player goes: the store below wendrakPath, named after the player
// with each character a file name cannot hold made "_". Throws WendrakError when the name
// is empty.
QString PelkamTargetPath(const QString& wendrakPath, const PelkamSpielerTyp& player);

// Converts the ".TP0" file into a player of the store and returns the new file's path.
// An earlier converted player of that name is replaced; a store file of that name that is
// not a converted player is replaced only when mayReplace (given the file's path) agrees,
// else nothing is written and the result is empty. Nothing is written either when the
// source cannot be read (WendrakError).
QString ConvertPelkamPlayer(const QString& sourcePath, const QString& wendrakPath,
                            const std::function<bool(const QString&)>& mayReplace);
