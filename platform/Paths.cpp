#include "platform/Paths.h"

#include "platform/Ansi.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <system_error>

namespace platform {
namespace {

std::filesystem::path fsPath(const QString& path) {
    return std::filesystem::path(path.toStdString());
}

bool namesEqualIgnoringCase(const QString& a, const QString& b) {
    return a.size() == b.size() && ansiUpper(a) == ansiUpper(b);
}

// The entry of folder whose name equals name ignoring case; the exact name wins.
QString findEntry(const QString& folder, const QString& name) {
    const QString dir = folder.isEmpty() ? QStringLiteral(".") : folder;
    if (QFileInfo::exists(dir + (dir.endsWith(QLatin1Char('/')) ? "" : "/") + name))
        return name;
    const QStringList entries =
        QDir(dir).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QString& entry : entries)
        if (namesEqualIgnoringCase(entry, name))
            return entry;
    return {};
}

} // namespace

QString toSlashes(const QString& path) {
    QString out = path;
    out.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return out;
}

QString withTrailingSlash(const QString& folder) {
    QString out = toSlashes(folder);
    if (!out.isEmpty() && !out.endsWith(QLatin1Char('/')))
        out += QLatin1Char('/');
    return out;
}

QString extractFilePath(const QString& path) {
    const QString p = toSlashes(path);
    const qsizetype slash = p.lastIndexOf(QLatin1Char('/'));
    return slash < 0 ? QString() : p.left(slash + 1);
}

QString extractFileName(const QString& path) {
    const QString p = toSlashes(path);
    return p.mid(p.lastIndexOf(QLatin1Char('/')) + 1);
}

QString extractFileExt(const QString& path) {
    const QString name = extractFileName(path);
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    return dot < 0 ? QString() : name.mid(dot);
}

QString changeFileExt(const QString& path, const QString& ext) {
    const QString p = toSlashes(path);
    const QString name = extractFileName(p);
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    const QString stem = dot < 0 ? p : p.left(p.size() - name.size() + dot);
    return stem + ext;
}

QString resolvePath(const QString& path) {
    const QString p = toSlashes(path);
    if (p.isEmpty())
        return p;
    const bool absolute = p.startsWith(QLatin1Char('/'));
    const bool trailing = p.endsWith(QLatin1Char('/')) && p.size() > 1;
    const QStringList parts = p.split(QLatin1Char('/'), Qt::SkipEmptyParts);

    QString result = absolute ? QStringLiteral("/") : QString();
    for (qsizetype i = 0; i < parts.size(); ++i) {
        const QString& part = parts[i];
        QString found;
        if (part == QLatin1String(".") || part == QLatin1String(".."))
            found = part;
        else
            found = findEntry(result.isEmpty() ? QStringLiteral(".") : result, part);
        if (found.isEmpty()) {
            // The rest does not exist: keep it as given.
            result += parts.mid(i).join(QLatin1Char('/'));
            if (trailing)
                result += QLatin1Char('/');
            return result;
        }
        result += found;
        if (i + 1 < parts.size() || trailing)
            result += QLatin1Char('/');
    }
    return result;
}

bool fileExists(const QString& path) {
    return QFileInfo(resolvePath(path)).isFile();
}

bool folderExists(const QString& path) {
    return QFileInfo(resolvePath(path)).isDir();
}

QString pathForCreate(const QString& path) {
    return resolvePath(path);
}

namespace {

bool wildcardMatch(const QString& name, qsizetype ni, const QString& mask, qsizetype mi) {
    while (mi < mask.size()) {
        const QChar m = mask.at(mi);
        if (m == QLatin1Char('*')) {
            while (mi < mask.size() && mask.at(mi) == QLatin1Char('*'))
                ++mi;
            if (mi == mask.size())
                return true;
            for (qsizetype k = ni; k <= name.size(); ++k)
                if (wildcardMatch(name, k, mask, mi))
                    return true;
            return false;
        }
        if (ni >= name.size())
            return false;
        if (m != QLatin1Char('?') && m != name.at(ni))
            return false;
        ++ni;
        ++mi;
    }
    return ni == name.size();
}

} // namespace

bool matchesMask(const QString& name, const QString& mask) {
    if (mask == QLatin1String("*.*") || mask == QLatin1String("*"))
        return true;
    return wildcardMatch(ansiUpper(name), 0, ansiUpper(mask), 0);
}

int compareListNames(const QString& a, const QString& b) {
    const QString ua = ansiUpper(a);
    const QString ub = ansiUpper(b);
    const qsizetype n = std::min(ua.size(), ub.size());
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t ca = ua.at(i).unicode();
        const char16_t cb = ub.at(i).unicode();
        if (ca != cb)
            return ca < cb ? -1 : 1;
    }
    return ua.size() == ub.size() ? 0 : (ua.size() < ub.size() ? -1 : 1);
}

QStringList listFolder(const QString& folder, const QString& mask, ListKind kind,
                       bool includeHidden) {
    const QString dir = resolvePath(withTrailingSlash(folder));
    QDir::Filters filters = QDir::NoDotAndDotDot | QDir::System | QDir::Hidden;
    switch (kind) {
    case ListKind::Files:
        filters |= QDir::Files;
        break;
    case ListKind::Folders:
        filters |= QDir::Dirs;
        break;
    case ListKind::All:
        filters |= QDir::Files | QDir::Dirs;
        break;
    }
    QStringList names;
    for (const QString& name : QDir(dir.isEmpty() ? QStringLiteral(".") : dir).entryList(filters)) {
        if (!includeHidden && isHiddenName(name))
            continue;
        if (matchesMask(name, mask))
            names.append(name);
    }
    std::sort(names.begin(), names.end(),
              [](const QString& a, const QString& b) { return compareListNames(a, b) < 0; });
    return names;
}

bool isHiddenName(const QString& name) {
    return extractFileName(name).startsWith(QLatin1Char('.'));
}

bool isReadOnly(const QString& path) {
    const QFileInfo info(resolvePath(path));
    if (!info.exists())
        return false;
    // Root may write anything; a file without any write bit still counts as read-only.
    const auto writeBits =
        QFileDevice::WriteOwner | QFileDevice::WriteGroup | QFileDevice::WriteOther;
    return !(info.permissions() & writeBits) || !info.isWritable();
}

bool canCreateFilesIn(const QString& folder) {
    const QByteArray probe = QFile::encodeName(withTrailingSlash(folder) + ".wendrak-probe");
    std::FILE* f = std::fopen(probe.constData(), "wb");
    if (!f)
        return false;
    const bool wrote = std::fputc('x', f) != EOF;
    const bool closed = std::fclose(f) == 0; // also when the write failed
    std::remove(probe.constData());
    return wrote && closed;
}

bool copyFile(const QString& from, const QString& to, bool failIfExists) {
    const QString source = resolvePath(from);
    const QString target = pathForCreate(to);
    if (!QFileInfo(source).isFile())
        return false;
    if (QFileInfo::exists(target) && (failIfExists || isReadOnly(target)))
        return false;
    std::error_code ec;
    std::filesystem::copy_file(fsPath(source), fsPath(target),
                               std::filesystem::copy_options::overwrite_existing, ec);
    return !ec;
}

bool deleteFile(const QString& path) {
    const QString target = resolvePath(path);
    const QFileInfo info(target);
    if (!info.isFile() || isReadOnly(target))
        return false;
    std::error_code ec;
    return std::filesystem::remove(fsPath(target), ec) && !ec;
}

bool renameFile(const QString& from, const QString& to) {
    const QString source = resolvePath(from);
    const QString target = pathForCreate(to);
    if (!QFileInfo::exists(source))
        return false;
    // Renaming onto an existing entry fails, unless it is the same entry in another case.
    if (QFileInfo::exists(target) && QFileInfo(target) != QFileInfo(source))
        return false;
    std::error_code ec;
    std::filesystem::rename(fsPath(source), fsPath(target), ec);
    return !ec;
}

bool createFolder(const QString& path) {
    const QString target = pathForCreate(path);
    std::error_code ec;
    return std::filesystem::create_directory(fsPath(target), ec) && !ec;
}

bool forceFolders(const QString& path) {
    const QString target = pathForCreate(path);
    if (QFileInfo(target).isDir())
        return true;
    std::error_code ec;
    std::filesystem::create_directories(fsPath(target), ec);
    return QFileInfo(target).isDir();
}

bool removeFolder(const QString& path) {
    const QString target = resolvePath(path);
    if (!QFileInfo(target).isDir())
        return false;
    std::error_code ec;
    return std::filesystem::remove(fsPath(target), ec) && !ec;
}

} // namespace platform
