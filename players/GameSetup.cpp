// The game setup's rules (see GameSetup.h).
#include "players/GameSetup.h"

#include "platform/NameCheck.h"
#include "platform/Paths.h"
#include "platform/WendrakError.h"
#include "players/PlayerFile.h"
#include "players/uTGroup.h"

QStringList FilterPlayerList(const QStringList& playerList, const QString& category,
                             const QString& typeFilter) {
    QStringList shown;
    const QString typeText = QStringLiteral("typ") + typeFilter;
    for (const QString& entry : playerList) {
        if (entry.left(1) != category)
            continue;
        if (typeFilter == QLatin1String("-1") || entry.toLower().contains(typeText))
            shown.append(entry.mid(1));
    }
    return shown;
}

namespace {

// Where the game setup looks for a player, in this order.
QStringList stores(const QString& dataFolder) {
    const QString data = platform::withTrailingSlash(dataFolder);
    return {data + QStringLiteral("SpielerStamm/"), data + QStringLiteral("SpielerStammImport/")};
}

} // namespace

QString FindStoredPlayer(const QString& dataFolder, const QString& fileName) {
    if (TGroup::IsUnsafeMemberName(fileName))
        return QString();
    const QString name = platform::toSlashes(fileName);
    for (const QString& store : stores(dataFolder)) {
        if (platform::fileExists(store + name))
            return platform::resolvePath(store + name);
    }
    return QString();
}

QStringList ReadGroupSource(const QString& dataFolder, const QString& groupFolder) {
    return TGroup().ReadGroupFile(groupFolder, stores(dataFolder));
}

QString CopyStoredPlayerToGame(const QString& dataFolder, const QString& gameFolder,
                               const QString& fileName) {
    const QString source = FindStoredPlayer(dataFolder, fileName);
    if (source.isEmpty())
        return QString();
    const QString targetName = platform::extractFileName(platform::toSlashes(fileName));
    platform::CheckFileName(targetName);
    const QString target = platform::withTrailingSlash(gameFolder);
    if (!platform::folderExists(target))
        platform::forceFolders(platform::resolvePath(target));
    const QString written =
        TGroup::CopyToFreeName(source, platform::resolvePath(target), targetName);
    if (written.isEmpty())
        throw WendrakError(
            QStringLiteral("Der Spieler %1 konnte nicht in das Spiel kopiert werden.")
                .arg(targetName));
    return written;
}

QStringList GamePlayerFiles(const QString& gameFolder) {
    const QString folder = platform::withTrailingSlash(gameFolder);
    if (!platform::folderExists(folder))
        return {};
    return platform::listFolder(platform::resolvePath(folder), QLatin1String(ext::PlyMask),
                                platform::ListKind::Files, true);
}

bool IsPlayablePlayerCount(int count, int maxPlayers) {
    return count >= 2 && count <= maxPlayers;
}
