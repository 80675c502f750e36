// Readable player descriptions (JSON) from which the shipped players are generated: the
// personal data, the behaviour profile or automaton table of each player, and the file it
// goes to. The traits and the type number are derived as the program derives them, so a
// generated player looks as if the program had judged it already.
#pragma once

#include "players/PlayerFile.h"

#include <QJsonObject>
#include <QString>
#include <QStringList>
#include <vector>

struct PlayerDescription {
    QString Datei;     // file name in the target folder (".ply")
    SpielerTyp Record; // the complete record to write
};

// One player from its JSON object. Throws WendrakError with a German message naming the
// player when a field is missing, unknown, too long for its record field, or out of range.
PlayerDescription PlayerFromJson(const QJsonObject& object);

// All players of a description file: one player object, an array of them, or an object
// whose "Spieler" holds the array. Throws WendrakError naming the file on any fault.
std::vector<PlayerDescription> ReadPlayerDescriptions(const QString& path);

// Writes every player into folder (created when missing), replacing files of the same
// name; returns the paths written. Checks everything first, so descriptions that name one
// file twice (in any letter case) write nothing and throw WendrakError.
QStringList WritePlayerDescriptions(const std::vector<PlayerDescription>& players,
                                    const QString& folder);
