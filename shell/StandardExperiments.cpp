// The standard experiments on disk (see StandardExperiments.h).
#include "shell/StandardExperiments.h"

#include "platform/FolderWalk.h"
#include "platform/Paths.h"

namespace {

const QString kGroupNode = QString::fromUtf8(kExperimentGroupNode);
const QString kGroupFile = QStringLiteral("group.sgp");

// A folder's texts and group, then its sub-folders; a sub-folder the walk did not enter (a
// link back to a folder on the way down) is listed empty.
QList<ExperimentEntry> readFolder(const QString& path,
                                  const QList<platform::WalkedFolder>& subFolders) {
    QList<ExperimentEntry> entries;
    const QStringList files = platform::listFolder(path);
    for (const QString& name : files) {
        const QString ext = platform::extractFileExt(name).toLower();
        if (ext == QLatin1String(".rtf")) {
            const QString stem = platform::changeFileExt(name, QString());
            const bool html = files.contains(stem + QStringLiteral(".html"), Qt::CaseInsensitive);
            entries.append(
                {html ? ExperimentEntry::TextWithHtml : ExperimentEntry::Text, stem, {}});
        } else if (ext == QLatin1String(".sgp")) {
            entries.append({ExperimentEntry::Group, kGroupNode, {}});
        }
    }
    for (const platform::WalkedFolder& sub : subFolders)
        entries.append(
            {ExperimentEntry::Folder, sub.name,
             sub.entered ? readFolder(sub.path, sub.children) : QList<ExperimentEntry>()});
    return entries;
}

} // namespace

QList<ExperimentEntry> ReadExperimentFolder(const QString& folder) {
    const QString path = platform::withTrailingSlash(folder);
    return readFolder(path, platform::walkFolders(path, platform::LinkGuard::WayDown));
}

QString ExperimentSelection(const QString& nodePath) {
    if (nodePath.contains(kGroupNode))
        return QString(nodePath).replace(kGroupNode, kGroupFile);
    // A text node is named after its file without the extension; the extension is added,
    // not swapped, so a name with a dot of its own still finds its file.
    for (const QString& ext : {QStringLiteral(".html"), QStringLiteral(".rtf")}) {
        if (platform::fileExists(nodePath + ext))
            return platform::resolvePath(nodePath + ext);
    }
    return QString();
}

bool IsExperimentGroup(const QString& selection) {
    return selection.contains(kGroupFile);
}

ExperimentOpening ExperimentOpeningFor(const QString& selection, bool desktopOpensRtf) {
    const QString rtf = platform::changeFileExt(selection, QStringLiteral(".rtf"));
    if (desktopOpensRtf && platform::fileExists(rtf))
        return {ExperimentOpening::WithDesktop, platform::resolvePath(rtf)};
    const QString html = platform::changeFileExt(selection, QStringLiteral(".html"));
    if (platform::fileExists(html))
        return {ExperimentOpening::InTextWindow, platform::resolvePath(html)};
    return {};
}

QString ExperimentCannotOpenText(const QString& selection) {
    return QStringLiteral("Der Text \"%1\" kann nicht angezeigt werden: Auf diesem Rechner ist "
                          "kein Programm für RTF-Dateien eingerichtet, und eine HTML-Fassung des "
                          "Textes gibt es nicht.")
        .arg(platform::extractFileName(platform::changeFileExt(selection, QStringLiteral(".rtf"))));
}
