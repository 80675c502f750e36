// The user's own groups: one folder per group below the data folder's "Eigene Gruppen/",
// each holding the group file "group.sgp" with one member file name per line. The group
// management creates and fills them; the group chooser later offers them for a game.
#pragma once

#include <QString>
#include <QStringList>

// dataFolder + "Eigene Gruppen/" + name + "/".
QString OwnGroupFolder(const QString& dataFolder, const QString& name);
// True when a folder of that name exists (letter case aside).
bool OwnGroupExists(const QString& dataFolder, const QString& name);
// The members as the group reads them, a line naming a file of the player store as written
// taken as it stands, old member names mapped; empty without a file.
QStringList ReadOwnGroup(const QString& dataFolder, const QString& name);
// Writes members, in order, as the group's file; creates the folders. Throws WendrakError.
void SaveOwnGroup(const QString& dataFolder, const QString& name, const QStringList& members);
// Starts the group anew with no members: a name that cannot name a folder is refused with
// platform::UnusableNameMessage() and nothing is touched; otherwise the group file is
// written empty, replacing an existing one, while any other file of the folder stays.
void CreateOwnGroup(const QString& dataFolder, const QString& name);
