// Group folders, group files ("group.sgp"), listings of the player store and the player
// index ("x.txt"). TGroup holds no state; every window keeps an instance of its own.
// Folders are passed in by the caller (program folder or WendrakPath, as the caller needs),
// with "/" or "\" as separator and a trailing separator.
#pragma once

#include "platform/FolderWalk.h"

#include <QList>
#include <QString>
#include <QStringList>

struct SpielerTyp;

// The text of the box that names a group member not found in the store.
QString PlayerNotFoundText(const QString& fileName);

// A group member that a load did not put into the target folder: not found in the store, or
// found but not copied (a full disk, a folder without write permission).
struct MemberNotLoaded {
    QString fileName;
    bool copyFailed = false;
    bool operator==(const MemberNotLoaded&) const = default;
};
// The warning box's text for such a member; the same box as for a missing one.
QString MemberNotLoadedText(const MemberNotLoaded& member);

// The player list of a store and the player files it leaves out because they cannot be read.
struct PlayerIndex {
    QStringList players;    // category + file name, in walk order
    QStringList unreadable; // per left-out file the file layer's German reason, naming it
};

class TGroup {
public:
    // The member lines of folder + "group.sgp"; an empty list when the file does not
    // exist. Empty lines are kept. A line that names a file of one of stores as written
    // is taken as it stands; every other line has old member names mapped to today's.
    QStringList ReadGroupFile(const QString& folder, const QStringList& stores = {}) const;
    // Creates the missing folders of path and writes the lines (CR LF, Windows-1252),
    // replacing the file.
    void SaveGroupFile(const QString& path, const QStringList& lines) const;
    // Creates dataFolder + "Eigene Gruppen/" when missing and returns the names of all its
    // entries, folders and files alike, in listing order.
    QStringList ListOwnGroups(const QString& dataFolder) const;
    // Writes the group files of folder and its sub-folders anew from their player files:
    // folder's own afresh (none when it holds no player file), a sub-folder's with the new
    // lines after what it holds. Each file is replaced whole.
    void RenewGroupFiles(const QString& folder) const;
    // The walk of RenewGroupFiles over mask ("folder/*.ply").
    void RebuildGroupFiles(const QString& mask) const;
    // Appends the files matching mask (folder + file mask) and, after them, for every
    // sub-folder a marker "1" + folder + name followed by that sub-folder's content. A
    // folder reached before anywhere in the walk (through a link) gets its marker only.
    void ListFilesRecursive(const QString& mask, QStringList& list) const;
    // The category character of a player ("0", "1", "2", "3", "4" or "9").
    QString GetPlayerCategory(const SpielerTyp& player) const;
    // The player list of the store, saved to folder + "x.txt". A player file that cannot be
    // read is left out and the build goes on; only a store that cannot be listed throws.
    PlayerIndex BuildPlayerIndex(const QString& folder) const;
    // Empties target of its player files and copies the group's members (read with store
    // as their store) from store into it, each whole or not at all. Returns the members that were
    // not found or could not be copied (in order), for the caller to report.
    QList<MemberNotLoaded> LoadGroupPlayers(const QString& store, const QString& groupFile,
                                            const QString& target) const;

    // Copies source into targetFolder under fileName, or, when that is taken, under the
    // stem of fileName + "_" + the smallest free number from 1 + ".ply". Never replaces a
    // file; a failed copy leaves nothing behind. Returns the path written, or "" when the
    // copy failed.
    static QString CopyToFreeName(const QString& source, const QString& targetFolder,
                                  const QString& fileName);
    // Deletes a player file, read-only or not (a game folder must be emptied completely).
    // Returns false when the file is still there afterwards.
    static bool DeletePlayerFile(const QString& path);
    // A member line that must not be looked up: an absolute path or one that climbs out
    // of its folder with "..".
    static bool IsUnsafeMemberName(const QString& line);
};

// The folders below root as the group chooser shows them: every sub-folder at any depth, in
// listing order, hidden ones left out; a folder reached before anywhere below root (through
// a link) is listed without its sub-folders.
QList<platform::WalkedFolder> GroupFolderTree(const QString& root);
