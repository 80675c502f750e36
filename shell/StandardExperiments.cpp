// The standard experiments on disk (see StandardExperiments.h).
#include "shell/StandardExperiments.h"

#include "platform/Paths.h"

#include <QFileInfo>
#include <QSet>

namespace {

const QString kGroupNode = QString::fromUtf8(kExperimentGroupNode);
const QString kGroupFile = QStringLiteral("group.sgp");

// walk holds the folders on the way down, so that a link back to one cannot make the walk
// endless.
QList<ExperimentEntry> readFolder(const QString& folder, QSet<QString>& walk) {
    QList<ExperimentEntry> entries;
    const QString path = platform::withTrailingSlash(folder);
    const QString canonical = QFileInfo(platform::resolvePath(path)).canonicalFilePath();
    if (!canonical.isEmpty()) {
        if (walk.contains(canonical))
            return entries;
        walk.insert(canonical);
    }
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
    for (const QString& name :
         platform::listFolder(path, QStringLiteral("*"), platform::ListKind::Folders))
        entries.append({ExperimentEntry::Folder, name, readFolder(path + name, walk)});
    if (!canonical.isEmpty())
        walk.remove(canonical);
    return entries;
}

} // namespace

QList<ExperimentEntry> ReadExperimentFolder(const QString& folder) {
    QSet<QString> walk;
    return readFolder(folder, walk);
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
