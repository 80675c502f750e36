// What the player card shows beside a player's fields and what it does with pictures: the
// type number hidden in a test player's name, the four measures as the card writes them,
// and taking a chosen picture into the player store.
#pragma once

#include "players/PlayerFile.h"

#include <QString>

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

// Takes the picture file source into the store folder under its own file name (an older
// picture of that name is replaced; a picture chosen from the store itself stays as it is)
// and returns that file name. Throws WendrakError with a German message, copying nothing,
// when source is no BMP or JPEG picture, carries the name of one of the store's own files
// (players, "x.txt", "group.sgp"), has a name longer than a record keeps, or cannot be
// copied.
QString CopyPictureToStore(const QString& source, const QString& store);
