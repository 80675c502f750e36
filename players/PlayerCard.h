// What the player card and the player chooser do below their windows: the type number
// hidden in a test player's name, the four measures as the card writes them, bringing a
// player about to be shown up to date, the chooser's details, the card's save, and taking a
// chosen picture into the player store.
#pragma once

#include "players/PersonalFields.h"
#include "players/PlayerFile.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <functional>

// The type number in a test player's name: the part before the first "_" must read "TypA",
// "TypAE" or "TypE" (any case) once its digits are dropped; the number after its first
// capital "E" is the result, 0 without a capital "E", -1 for any other name or when no
// integer follows the "E". "TypE7_x" gives 7, "TYPA12E3" 3, "Type5" 0, "Ritter_3" -1.
int TypeNumberFromFileName(const QString& name);

// The card's four measures in the general number format with the user's decimal separator.
struct PlayerMeasureTexts {
    QString KMass;  // (5000 - ErgebnisGegenK) / 2000
    QString VMass;  // 1 - ErgebnisNachEntgegenkommen / 1000, "k.A." when the player never gave way
    QString KOMass; // Friedfertigkeit / 1000
    QString AMass;  // the type number / 10 for a test player, else 1 - ErgebnisGegenD / 1000
};
PlayerMeasureTexts FormatPlayerMeasures(const SpielerTyp& player);

// Path of a player's picture in the store: store + the file-name part of Bilddatei (which
// may hold a folder written with "\" or "/"); "" when Bilddatei names no file.
QString PicturePathInStore(const QString& store, const QString& bilddatei);

// A read-only player: its path or its record's Dateiname holds ".plx" in any letter case.
// Nothing rewrites it: no traits, no test runs, no save.
bool IsReadOnlyPlayer(const QString& path, const SpielerTyp& player);

// The player test runs on a player file (full path), handed in by the engine's caller: they
// derive the traits, compute the measures and write the file when it changed; they return
// the record as it then stands.
using PlayerTestRunsFn = std::function<SpielerTyp(const QString& path)>;

// Brings the player file at path up to date before it is shown and returns its record: a
// read-only player is only read; any other goes through testRuns, or without them gets its
// traits derived. Throws WendrakError when the file cannot be read or written.
SpielerTyp PreparePlayerToShow(const QString& path, const PlayerTestRunsFn& testRuns);

// What the player chooser shows of a player of the store: the details lines and the path
// of its picture ("" when it names none).
struct PlayerDetails {
    QStringList Lines;
    QString Picture;
};
// Prepares the store's player fileName (PreparePlayerToShow) and returns its details:
// motto, personal data, type and statements, the business exploitability after the "k.A."
// rule. Throws WendrakError as PreparePlayerToShow does.
PlayerDetails ChoosePlayerDetails(const QString& store, const QString& fileName,
                                  const PlayerTestRunsFn& testRuns);

// The card's six personal edits and its picture name.
// Stores the card's edits into its copy of the record (each cut to its field's width),
// marks the measures valid and writes the record whole to path. Throws WendrakError, writing
// nothing, for a read-only player, for an edit that Windows-1252 cannot hold (naming the
// field as the card labels it) and when the file cannot be written.
void SaveCardPlayer(const QString& path, SpielerTyp player, const PersonalFields& fields,
                    const QString& Bilddatei);

// Whether picture bytes decode whole as a BMP or JPEG picture (the windows' decoder).
using PictureCheckFn = std::function<bool(const QByteArray& bytes)>;

// Takes the picture file source into the store folder under its own file name (an older
// picture of that name is replaced; a picture chosen from the store itself stays as it is)
// and returns that file name. Throws WendrakError with a German message, copying nothing,
// when source carries the name of one of the store's own files (players, "x.txt",
// "group.sgp") or of the store's temporary files, has a name longer than a record keeps,
// is no regular file, is larger than 50 MB, does not decode whole as BMP or JPEG
// (isPicture), or cannot be copied.
QString CopyPictureToStore(const QString& source, const QString& store,
                           const PictureCheckFn& isPicture);
