// The game setup's rules: which stored players the filter shows, where a listed player is
// found, copying it into the game's folder under a free name, and how many players a game
// may have. The game setup window reads its widgets and calls these.
#pragma once

#include <QString>
#include <QStringList>

// The file names of the player list's entries (category character + file name) of
// category; typeFilter "-1" takes all of them, a digit only those whose name holds "typ"
// and that digit, letter case aside.
QStringList FilterPlayerList(const QStringList& playerList, const QString& category,
                             const QString& typeFilter);

// The path of fileName in the first store of dataFolder that holds it ("SpielerStamm/",
// then "SpielerStammImport/"); "" when none does
// or when the name leaves its store (absolute, or climbing out with "..").
QString FindStoredPlayer(const QString& dataFolder, const QString& fileName);

// The members of the group file in groupFolder as the game setup lists them: a line naming
// a file of one of the two stores as written stands as written, old member names are mapped.
QStringList ReadGroupSource(const QString& dataFolder, const QString& groupFolder);

// Copies the stored player fileName into gameFolder (created when missing) under its own
// name or the next free numbered one. Returns the path written; "" when the player is not
// in the stores. Throws WendrakError when the name cannot name a file in the game folder
// or the copy fails.
QString CopyStoredPlayerToGame(const QString& dataFolder, const QString& gameFolder,
                               const QString& fileName);

// The player files of a game folder (none when it does not exist), in listing order.
QStringList GamePlayerFiles(const QString& gameFolder);

// A game can start with 2 to maxPlayers players.
bool IsPlayablePlayerCount(int count, int maxPlayers);
