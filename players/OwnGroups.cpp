// The user's own groups (see OwnGroups.h).
#include "players/OwnGroups.h"

#include "platform/NameCheck.h"
#include "platform/Paths.h"
#include "players/uTGroup.h"

QString OwnGroupFolder(const QString& dataFolder, const QString& name) {
    return platform::withTrailingSlash(dataFolder) + QStringLiteral("Eigene Gruppen/") + name +
           QLatin1Char('/');
}

bool OwnGroupExists(const QString& dataFolder, const QString& name) {
    return platform::folderExists(OwnGroupFolder(dataFolder, name));
}

QStringList ReadOwnGroup(const QString& dataFolder, const QString& name) {
    // Own groups take their members from the player store.
    return TGroup().ReadGroupFile(
        OwnGroupFolder(dataFolder, name),
        {platform::withTrailingSlash(dataFolder) + QStringLiteral("SpielerStamm/")});
}

void SaveOwnGroup(const QString& dataFolder, const QString& name, const QStringList& members) {
    // An unusable name would address "Eigene Gruppen/" itself or a folder outside it.
    platform::CheckFileName(name);
    const QString folder = platform::resolvePath(OwnGroupFolder(dataFolder, name));
    TGroup().SaveGroupFile(platform::withTrailingSlash(folder) + QStringLiteral("group.sgp"),
                           members);
}

void CreateOwnGroup(const QString& dataFolder, const QString& name) {
    SaveOwnGroup(dataFolder, name, {});
}
