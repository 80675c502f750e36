// Paths as the program used them: folders end with "/", a "\" inside a stored or literal
// name is a separator, and existing entries are found without regard to letter case.
// Names on disk are UTF-8; a name that is not keeps each stray byte as the lone surrogate
// U+DC80 + byte, so every listed entry can be opened again under the name it was listed by.
// Everything here takes and returns QString.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace platform {

// The bytes of a path for the operating system, and a name from the operating system, both
// lossless for names that are not UTF-8 (see above).
QByteArray nativePath(const QString& path);
QString nameFromNative(const char* name, qsizetype size);

// While an instance lives, the case-insensitive lookup reads each folder's listing once
// instead of at every lookup, and the file operations of this layer keep it current. One
// group load or one index build holds one; instances nest. Changes made to a folder by
// other means while it lives are not seen.
class FolderListingCache {
public:
    FolderListingCache();
    ~FolderListingCache();
    FolderListingCache(const FolderListingCache&) = delete;
    FolderListingCache& operator=(const FolderListingCache&) = delete;
};
// For the file operations of this layer: an entry was created or removed.
void noteEntryCreated(const QString& path);
void noteEntryRemoved(const QString& path);

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
bool entryExists(const QString& path);  // anything by that name, case-insensitive lookup
// The path to use for creating or replacing a file: an existing entry whose name differs
// only in case is reused, missing components are kept as given.
QString pathForCreate(const QString& path);

// Case-insensitive mask match with "*" and "?" ("*.ply", "*.TP0", "*.*" matches all).
bool matchesMask(const QString& name, const QString& mask);

enum class ListKind { Files, Folders, All };
// Names (not paths) of the entries of folder that match mask, sorted by their upper-cased
// names character by character; "." and ".." are never listed. Files are all entries that
// are not folders (a named pipe or a device too, so that its reader can report it). Hidden
// entries (leading ".") are listed only with includeHidden.
QStringList listFolder(const QString& folder, const QString& mask = QStringLiteral("*"),
                       ListKind kind = ListKind::Files, bool includeHidden = false);
// The ordering used by listFolder: <0, 0, >0 like strcmp on the upper-cased names.
int compareListNames(const QString& a, const QString& b);

bool isHiddenName(const QString& name); // leading "."
bool isReadOnly(const QString& path);   // no write permission for us
// Gives the owner write permission, the other permission bits kept; false on failure.
bool addOwnerWritePermission(const QString& path);
// Whether a file can be created in the folder: a probe file is written and removed, which
// catches what the permission bits do not show (a full or read-only file system).
bool canCreateFilesIn(const QString& folder);
// Whether the folder's entries can be listed.
bool canReadFolder(const QString& folder);

// File operations on resolved paths; they return false on failure and never throw.
// copyFile writes through the whole-file replace, so a failed copy leaves no partial target.
bool copyFile(const QString& from, const QString& to, bool failIfExists);
bool deleteFile(const QString& path);
bool renameFile(const QString& from, const QString& to);
bool createFolder(const QString& path); // one level
bool forceFolders(const QString& path); // with all missing parents
bool removeFolder(const QString& path); // an empty folder

// The root folders of the mounted volumes (each ending with "/"), sorted; "/" when none is
// found. They stand where the drives stood.
QStringList volumeRoots();
// The root folder of the volume that holds path, ending with "/".
QString volumeRootOf(const QString& path);

} // namespace platform
