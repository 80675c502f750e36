// Paths as the program used them: folders end with "/", a "\" inside a stored or literal
// name is a separator, and existing entries are found without regard to letter case.
// Names on disk are UTF-8; everything here takes and returns QString.
#pragma once

#include <QString>
#include <QStringList>

namespace platform {

// "\" -> "/". Leaves everything else as it is.
QString toSlashes(const QString& path);
// Adds a trailing "/" when missing (and converts "\").
QString withTrailingSlash(const QString& folder);
// Folder part with trailing "/" ("a/b/c.ply" -> "a/b/"); "" when there is none.
QString extractFilePath(const QString& path);
// Last component ("a/b/c.ply" -> "c.ply").
QString extractFileName(const QString& path);
// Extension with its dot, "" when none ("c.ply" -> ".ply").
QString extractFileExt(const QString& path);
// Name with its extension replaced (ext includes the dot, may be "").
QString changeFileExt(const QString& path, const QString& ext);

// Finds an existing entry ignoring letter case one component at a time; where two entries
// differ only in case the exact one wins. Returns the path as it exists on disk, or, when
// some component does not exist, the found prefix followed by the rest as given.
QString resolvePath(const QString& path);
bool fileExists(const QString& path);   // a regular file, case-insensitive lookup
bool folderExists(const QString& path); // a folder, case-insensitive lookup
// The path to use for creating or replacing a file: an existing entry whose name differs
// only in case is reused, missing components are kept as given.
QString pathForCreate(const QString& path);

// Case-insensitive mask match with "*" and "?" ("*.ply", "*.TP0", "*.*" matches all).
bool matchesMask(const QString& name, const QString& mask);

enum class ListKind { Files, Folders, All };
// Names (not paths) of the entries of folder that match mask, sorted by their upper-cased
// names character by character; "." and ".." are never listed. Hidden entries (leading
// ".") are listed only with includeHidden.
QStringList listFolder(const QString& folder, const QString& mask = QStringLiteral("*"),
                       ListKind kind = ListKind::Files, bool includeHidden = false);
// The ordering used by listFolder: <0, 0, >0 like strcmp on the upper-cased names.
int compareListNames(const QString& a, const QString& b);

bool isHiddenName(const QString& name); // leading "."
bool isReadOnly(const QString& path);   // no write permission for us
// Whether a file can be created in the folder: a probe file is written and removed, which
// catches what the permission bits do not show (a full or read-only file system).
bool canCreateFilesIn(const QString& folder);

// File operations on resolved paths; they return false on failure and never throw.
bool copyFile(const QString& from, const QString& to, bool failIfExists);
bool deleteFile(const QString& path);
bool renameFile(const QString& from, const QString& to);
bool createFolder(const QString& path); // one level
bool forceFolders(const QString& path); // with all missing parents
bool removeFolder(const QString& path); // an empty folder

} // namespace platform
