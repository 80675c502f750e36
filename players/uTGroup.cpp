// Group files, store listings, the player index and loading a group into a game folder.
#include "players/uTGroup.h"

#include "platform/Ansi.h"
#include "platform/FolderWalk.h"
#include "platform/Paths.h"
#include "platform/TextFile.h"
#include "platform/WendrakError.h"
#include "players/PlayerFile.h"
#include "players/uPelkam2Wendrak.h"

#include <QHash>
#include <algorithm>
#include <iterator>

namespace {

const QString kGroupFile = QStringLiteral("group.sgp");
const QString kFolderMarker = QStringLiteral("1");

// Old member names of the stored groups and the names the players carry today. A line that
// names a file of one of the stores as written is taken as it stands: a player's own name may
// hold "_" or the old names' words.
QString mapMemberName(QString line, const QStringList& stores) {
    for (const QString& store : stores)
        if (platform::fileExists(platform::withTrailingSlash(store) + platform::toSlashes(line)))
            return line;
    const bool numbered = line.contains(QLatin1String("_1")) ||
                          line.contains(QLatin1String("_2")) ||
                          line.contains(QLatin1String("_3")) || line.contains(QLatin1String("_4"));
    if (numbered && line.toLower().contains(QLatin1String("typ")))
        line = line.left(line.indexOf(QLatin1Char('_'))) + QLatin1String(ext::Ply);
    line.remove(QLatin1Char('_'));
    if (platform::ansiUpper(line).contains(QLatin1String("YOKA")))
        line = QStringLiteral("TYP5YOKA.PLY");
    if (platform::ansiUpper(line).contains(QLatin1String("TIT4TAT")))
        line = QStringLiteral("TYP5TIT4TAT.PLY");
    return line;
}

bool containsIgnoringCase(const QString& haystack, const QString& needle) {
    if (needle.isEmpty())
        return false;
    return platform::ansiUpper(haystack).contains(platform::ansiUpper(needle));
}

// The copies in a game folder get the tournament's results written into them, and a
// read-only file left there must not survive emptying the folder.
void makeWritable(const QString& path) {
    if (platform::isReadOnly(path))
        platform::addOwnerWritePermission(path);
}

// A folder's files, then per sub-folder its marker and, when the walk entered it, its own
// content.
void listWalked(const QString& folder, const QList<platform::WalkedFolder>& subFolders,
                const QString& fileMask, QStringList& list) {
    const QStringList files = platform::listFolder(platform::resolvePath(folder), fileMask,
                                                   platform::ListKind::Files, true);
    for (const QString& name : files)
        list.append(folder + name);
    for (const platform::WalkedFolder& sub : subFolders) {
        list.append(kFolderMarker + folder + sub.name);
        if (sub.entered)
            listWalked(sub.path, sub.children, fileMask, list);
    }
}

} // namespace

QString PlayerNotFoundText(const QString& fileName) {
    return QStringLiteral("Warnung !!!\r\nDer Spieler: ") + fileName + QStringLiteral("\r\n") +
           QStringLiteral("wurde nicht im Spielerstamm gefunden.");
}

QString MemberNotLoadedText(const MemberNotLoaded& member) {
    if (!member.copyFailed)
        return PlayerNotFoundText(member.fileName);
    return QStringLiteral("Warnung !!!\r\nDer Spieler: ") + member.fileName +
           QStringLiteral("\r\n") +
           QStringLiteral("konnte nicht in das aktuelle Spiel kopiert werden und wurde nicht "
                          "geladen.");
}

QStringList TGroup::ReadGroupFile(const QString& folder, const QStringList& stores) const {
    const QString path = platform::withTrailingSlash(folder) + kGroupFile;
    if (!platform::fileExists(path))
        return {};
    QStringList lines = platform::readAnsiLines(platform::resolvePath(path));
    for (QString& line : lines)
        line = mapMemberName(line, stores);
    return lines;
}

void TGroup::SaveGroupFile(const QString& path, const QStringList& lines) const {
    const QString file = platform::toSlashes(path);
    const QString folder = platform::extractFilePath(file);
    if (!folder.isEmpty() && !platform::forceFolders(folder))
        throw WendrakError(
            QStringLiteral("Der Ordner \"%1\" kann nicht angelegt werden.").arg(folder));
    platform::writeAnsiLines(platform::pathForCreate(file), lines);
}

QStringList TGroup::ListOwnGroups(const QString& dataFolder) const {
    const QString folder =
        platform::withTrailingSlash(dataFolder) + QStringLiteral("Eigene Gruppen/");
    if (!platform::forceFolders(folder))
        throw WendrakError(
            QStringLiteral("Der Ordner \"%1\" kann nicht angelegt werden.").arg(folder));
    return platform::listFolder(platform::resolvePath(folder), QStringLiteral("*"),
                                platform::ListKind::All, false);
}

void TGroup::RenewGroupFiles(const QString& folder) const {
    // The rebuild writes the folder's own group file afresh.
    RebuildGroupFiles(platform::withTrailingSlash(folder) + QLatin1String(ext::PlyMask));
}

void TGroup::RebuildGroupFiles(const QString& mask) const {
    const QString normalized = platform::toSlashes(mask);
    QStringList entries;
    ListFilesRecursive(normalized, entries);

    // The top folder's group file is written afresh, every other one receives its lines
    // after what it already holds; each is gathered per folder and replaced whole once, so
    // an interrupted renewal leaves either the old file or the new one.
    const QString topGroupFile = platform::extractFilePath(normalized) + kGroupFile;
    QStringList order;
    QHash<QString, QByteArray> added;
    for (const QString& entry : entries) {
        if (entry.startsWith(kFolderMarker))
            continue;
        const QString groupFile = platform::extractFilePath(entry) + kGroupFile;
        if (!added.contains(groupFile))
            order.append(groupFile);
        added[groupFile] += platform::toAnsi(platform::extractFileName(entry)) + "\r\n";
    }
    for (const QString& groupFile : order) {
        QByteArray bytes;
        if (groupFile != topGroupFile && platform::fileExists(groupFile))
            bytes = platform::readFileBytes(platform::resolvePath(groupFile));
        platform::writeFileBytes(platform::pathForCreate(groupFile),
                                 bytes + added.value(groupFile));
    }
    // A folder without player files of its own keeps no group file.
    if (!added.contains(topGroupFile))
        platform::deleteFile(topGroupFile);
}

void TGroup::ListFilesRecursive(const QString& mask, QStringList& list) const {
    const QString normalized = platform::toSlashes(mask);
    const QString folder = platform::extractFilePath(normalized);
    listWalked(folder, platform::walkFolders(folder, platform::LinkGuard::WholeWalk),
               platform::extractFileName(normalized), list);
}

QList<platform::WalkedFolder> GroupFolderTree(const QString& root) {
    return platform::walkFolders(root, platform::LinkGuard::WholeWalk);
}

QString TGroup::GetPlayerCategory(const SpielerTyp& player) const {
    static const char* const special[] = {"UJoch1T", "UJochVT",    "UJoch2T",    "YOKA",
                                          "BAAL",    "Pawlow",     "Graf",       "Ritter",
                                          "Typ5",    "InitStrat1", "InitStrat2", "Fuerst"};
    static const char* const trial[] = {"Typ1", "Typ2", "Typ3", "Typ4", "Typ6"};
    static const char* const dominant[] = {"angr", "**DASDASDASD@"};
    static const char* const corner[] = {"Eck", "**DASDASDASD@"};

    QString subject = player.Name.get();
    const qsizetype cut =
        std::max(subject.lastIndexOf(QLatin1Char('\\')), subject.lastIndexOf(QLatin1Char(':')));
    if (cut >= 0)
        subject = subject.mid(cut + 1);

    // The special and trial lists are searched for the name, the other two in it.
    const auto listHolds = [](const auto& list, const QString& text) {
        return std::any_of(std::begin(list), std::end(list), [&](const char* entry) {
            return containsIgnoringCase(QLatin1String(entry), text);
        });
    };
    const auto nameHolds = [&subject](const auto& list) {
        return std::any_of(std::begin(list), std::end(list), [&](const char* entry) {
            return containsIgnoringCase(subject, QLatin1String(entry));
        });
    };

    QString code;
    if (listHolds(special, subject))
        code = QStringLiteral("1");
    if (listHolds(trial, subject.left(4)) || player.Spielertyp == 5)
        code = QStringLiteral("2");
    if (nameHolds(dominant))
        code = QStringLiteral("0");
    if (nameHolds(corner))
        code = QStringLiteral("4");
    // A read-only player is what the chooser lists as imported.
    if (IsReadOnlyPlayerName(player.Dateiname.get()))
        code = QStringLiteral("9");
    if (code.isEmpty())
        code = QStringLiteral("3");
    return code;
}

PlayerIndex TGroup::BuildPlayerIndex(const QString& folder) const {
    const platform::FolderListingCache cache;
    const QString dir = platform::withTrailingSlash(folder);
    QStringList entries;
    ListFilesRecursive(dir + QLatin1String(ext::PlyMask), entries);

    PlayerIndex index;
    for (const QString& entry : entries) {
        // Whatever the walk listed is read, so that a pipe or a device named like a
        // player is reported rather than passed over in silence.
        if (entry.startsWith(kFolderMarker) || !platform::entryExists(entry))
            continue;
        // One broken file must not hide the rest of the store.
        try {
            const SpielerTyp player = readPlayerFile(platform::resolvePath(entry));
            index.players.append(GetPlayerCategory(player) + platform::extractFileName(entry));
        } catch (const WendrakError& e) {
            index.unreadable.append(e.message());
        }
    }
    platform::writeAnsiLines(platform::pathForCreate(dir + QStringLiteral("x.txt")), index.players);
    return index;
}

QList<MemberNotLoaded> TGroup::LoadGroupPlayers(const QString& store, const QString& groupFile,
                                                const QString& target) const {
    // Every lookup below would otherwise read the store or the target folder again.
    const platform::FolderListingCache cache;
    const QString storeDir = platform::withTrailingSlash(store);
    const QString targetDir = platform::withTrailingSlash(target);

    if (platform::folderExists(targetDir)) {
        const QString resolved = platform::withTrailingSlash(platform::resolvePath(targetDir));
        platform::removeInterruptedReplaces(resolved);
        const QStringList old = platform::listFolder(resolved, QLatin1String(ext::PlyMask),
                                                     platform::ListKind::Files, true);
        for (const QString& name : old)
            DeletePlayerFile(resolved + name);
    } else {
        platform::forceFolders(targetDir);
    }

    QList<MemberNotLoaded> notLoaded;
    const QStringList members = ReadGroupFile(platform::extractFilePath(groupFile), {storeDir});
    for (const QString& line : members) {
        const QString source = storeDir + platform::toSlashes(line);
        if (IsUnsafeMemberName(line) || !platform::fileExists(source)) {
            notLoaded.append({line, false});
            continue;
        }
        if (CopyToFreeName(platform::resolvePath(source), targetDir,
                           platform::extractFileName(line))
                .isEmpty())
            notLoaded.append({line, true});
    }
    return notLoaded;
}

QString TGroup::CopyToFreeName(const QString& source, const QString& targetFolder,
                               const QString& fileName) {
    const QString dir = platform::withTrailingSlash(targetFolder);
    QString destination = dir + fileName;
    if (platform::entryExists(destination)) {
        const QString stem = platform::changeFileExt(fileName, QString());
        for (int n = 1;; ++n) {
            destination =
                dir + stem + QLatin1Char('_') + QString::number(n) + QLatin1String(ext::Ply);
            if (!platform::entryExists(destination))
                break;
        }
    }
    const QString path = platform::pathForCreate(destination);
    if (!platform::copyFile(source, path, true))
        return QString();
    makeWritable(path);
    return path;
}

bool TGroup::DeletePlayerFile(const QString& path) {
    const QString resolved = platform::resolvePath(path);
    if (!platform::fileExists(resolved))
        return true;
    // Emptying a game folder also clears what an interrupted copy into it left behind.
    platform::removeInterruptedReplaces(platform::extractFilePath(resolved));
    makeWritable(resolved);
    platform::deleteFile(resolved);
    return !platform::fileExists(resolved);
}

bool TGroup::IsUnsafeMemberName(const QString& line) {
    const QString path = platform::toSlashes(line);
    if (path.startsWith(QLatin1Char('/')))
        return true;
    if (path.size() >= 2 && path.at(1) == QLatin1Char(':'))
        return true;
    const QStringList parts = path.split(QLatin1Char('/'));
    return parts.contains(QStringLiteral(".."));
}
