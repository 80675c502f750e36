// The one recursive walk over folders. It lists each folder's sub-folders (hidden ones, with
// a leading ".", left out) in listing order, depth first, and guards against folder links
// that lead back: a folder already reached is listed but not entered again. Its callers
// list the files they want per folder and keep their own order.
#pragma once

#include <QList>
#include <QString>

namespace platform {

// Which earlier folders stop the walk from entering a folder again.
enum class LinkGuard {
    WholeWalk, // every folder entered anywhere before in this walk
    WayDown,   // only the folders on the way down to it (a folder linked in twice is entered
               // at both places)
};

struct WalkedFolder {
    QString name;                 // as listed
    QString path;                 // the parent's path + name + "/"
    bool entered = true;          // false: the guard stopped here; the folder's content is not read
    QList<WalkedFolder> children; // empty when not entered
};

// The sub-folders of folder, each with its own; none when folder does not exist.
QList<WalkedFolder> walkFolders(const QString& folder, LinkGuard guard);

} // namespace platform
