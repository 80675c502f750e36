// The one recursive folder walk (see FolderWalk.h).
#include "platform/FolderWalk.h"

#include "platform/Paths.h"

#include <QSet>
#include <sys/stat.h>

namespace platform {
namespace {

// A folder's identity on disk, the same under every link that leads to it; "" when it
// cannot be read.
QString folderIdentity(const QString& path) {
    struct stat info {};
    if (::stat(nativePath(resolvePath(path)).constData(), &info) != 0 || !S_ISDIR(info.st_mode))
        return QString();
    return QString::number(quint64(info.st_dev)) + QLatin1Char(':') +
           QString::number(quint64(info.st_ino));
}

struct Walk {
    LinkGuard guard;
    QSet<QString> reached;

    // Fills folder's children; false when the guard keeps the folder from being entered.
    bool enter(const QString& path, QList<WalkedFolder>& children) {
        const QString id = folderIdentity(path);
        if (id.isEmpty())
            return true; // nothing to list, nothing to guard
        if (reached.contains(id))
            return false;
        reached.insert(id);
        const QStringList names = listFolder(path, QStringLiteral("*"), ListKind::Folders);
        for (const QString& name : names) {
            WalkedFolder sub{name, path + name + QLatin1Char('/'), true, {}};
            sub.entered = enter(sub.path, sub.children);
            children.append(sub);
        }
        if (guard == LinkGuard::WayDown)
            reached.remove(id);
        return true;
    }
};

} // namespace

QList<WalkedFolder> walkFolders(const QString& folder, LinkGuard guard) {
    Walk walk{guard, {}};
    QList<WalkedFolder> children;
    walk.enter(withTrailingSlash(folder), children);
    return children;
}

} // namespace platform
