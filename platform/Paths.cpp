#include "platform/Paths.h"

#include "platform/Ansi.h"
#include "platform/TextFile.h"
#include "platform/WendrakError.h"

#include <QByteArrayView>
#include <QHash>
#include <QStorageInfo>
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {
namespace {

constexpr char16_t kEscapeBase = 0xDC00; // a stray byte b reads as U+DC00 + b (b >= 0x80)

bool isEscapedByte(const QString& text, qsizetype i) {
    const char16_t c = text.at(i).unicode();
    return c >= kEscapeBase + 0x80 && c <= kEscapeBase + 0xFF &&
           (i == 0 || !text.at(i - 1).isHighSurrogate());
}

bool statPath(const QString& path, struct stat& info) {
    return ::stat(nativePath(path).constData(), &info) == 0;
}

bool lstatPath(const QString& path, struct stat& info) {
    return ::lstat(nativePath(path).constData(), &info) == 0;
}

QString joined(const QString& dir, const QString& name) {
    return dir + (dir.endsWith(QLatin1Char('/')) ? "" : "/") + name;
}

struct Entry {
    QString name;
    bool folder = false;
};

// The entries of a folder in the order the system gives them; "." and ".." left out.
QList<Entry> readFolder(const QString& dir) {
    QList<Entry> entries;
    DIR* d = ::opendir(nativePath(dir).constData());
    if (!d)
        return entries;
    while (const dirent* e = ::readdir(d)) {
        const qsizetype n = qsizetype(std::strlen(e->d_name));
        if ((n == 1 && e->d_name[0] == '.') ||
            (n == 2 && e->d_name[0] == '.' && e->d_name[1] == '.'))
            continue;
        Entry entry{nameFromNative(e->d_name, n), e->d_type == DT_DIR};
        if (e->d_type == DT_LNK || e->d_type == DT_UNKNOWN) {
            struct stat info {};
            entry.folder = statPath(joined(dir, entry.name), info) && S_ISDIR(info.st_mode);
        }
        entries.append(entry);
    }
    ::closedir(d);
    return entries;
}

// Folder (with trailing "/") -> upper-cased name -> the names on disk, while a cache lives.
struct ListingCache {
    int depth = 0;
    QHash<QString, QHash<QString, QStringList>> folders;
};
ListingCache& listingCache() {
    static ListingCache cache;
    return cache;
}

QString cacheKey(const QString& folder) {
    return folder.isEmpty() || folder == QLatin1String(".") ? QStringLiteral("./")
                                                            : withTrailingSlash(folder);
}

const QHash<QString, QStringList>& cachedListing(const QString& dir) {
    auto& folders = listingCache().folders;
    const QString key = cacheKey(dir);
    auto it = folders.find(key);
    if (it == folders.end()) {
        QHash<QString, QStringList> names;
        for (const Entry& e : readFolder(dir))
            names[ansiUpper(e.name)].append(e.name);
        it = folders.insert(key, names);
    }
    return *it;
}

bool namesEqualIgnoringCase(const QString& a, const QString& b) {
    return a.size() == b.size() && ansiUpper(a) == ansiUpper(b);
}

// The entry of folder whose name equals name ignoring case; the exact name wins.
QString findEntry(const QString& folder, const QString& name) {
    const QString dir = folder.isEmpty() ? QStringLiteral(".") : folder;
    struct stat info {};
    if (lstatPath(joined(dir, name), info))
        return name;
    if (listingCache().depth > 0) {
        const QStringList found = cachedListing(dir).value(ansiUpper(name));
        return found.isEmpty() ? QString() : found.first();
    }
    for (const Entry& entry : readFolder(dir))
        if (namesEqualIgnoringCase(entry.name, name))
            return entry.name;
    return {};
}

void noteEntry(const QString& path, bool created) {
    ListingCache& cache = listingCache();
    if (cache.depth == 0)
        return;
    const auto it = cache.folders.find(cacheKey(extractFilePath(toSlashes(path))));
    if (it == cache.folders.end())
        return;
    const QString name = extractFileName(path);
    QStringList& names = (*it)[ansiUpper(name)];
    names.removeAll(name);
    if (created)
        names.append(name);
}

} // namespace

QByteArray nativePath(const QString& path) {
    bool escaped = false;
    for (qsizetype i = 0; i < path.size() && !escaped; ++i)
        escaped = isEscapedByte(path, i);
    if (!escaped)
        return path.toUtf8();
    QByteArray out;
    qsizetype start = 0;
    for (qsizetype i = 0; i < path.size(); ++i) {
        if (!isEscapedByte(path, i))
            continue;
        out += QStringView(path).mid(start, i - start).toUtf8();
        out += char(path.at(i).unicode() - kEscapeBase);
        start = i + 1;
    }
    out += QStringView(path).mid(start).toUtf8();
    return out;
}

QString nameFromNative(const char* name, qsizetype size) {
    if (QByteArrayView(name, size).isValidUtf8())
        return QString::fromUtf8(name, size);
    QString out;
    qsizetype i = 0;
    while (i < size) {
        const auto lead = static_cast<unsigned char>(name[i]);
        const qsizetype length = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
        if (i + length <= size && QByteArrayView(name + i, length).isValidUtf8()) {
            out += QString::fromUtf8(name + i, length);
            i += length;
        } else {
            out += QChar(char16_t(kEscapeBase + lead));
            ++i;
        }
    }
    return out;
}

FolderListingCache::FolderListingCache() {
    ++listingCache().depth;
}

FolderListingCache::~FolderListingCache() {
    if (--listingCache().depth == 0)
        listingCache().folders.clear();
}

void noteEntryCreated(const QString& path) {
    noteEntry(path, true);
}

void noteEntryRemoved(const QString& path) {
    noteEntry(path, false);
}

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
    struct stat info {};
    return statPath(resolvePath(path), info) && S_ISREG(info.st_mode);
}

bool folderExists(const QString& path) {
    struct stat info {};
    return statPath(resolvePath(path), info) && S_ISDIR(info.st_mode);
}

bool entryExists(const QString& path) {
    struct stat info {};
    return lstatPath(resolvePath(path), info);
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
    QStringList names;
    for (const Entry& entry : readFolder(dir.isEmpty() ? QStringLiteral(".") : dir)) {
        if (kind == ListKind::Files && entry.folder)
            continue;
        if (kind == ListKind::Folders && !entry.folder)
            continue;
        if (!includeHidden && isHiddenName(entry.name))
            continue;
        if (matchesMask(entry.name, mask))
            names.append(entry.name);
    }
    std::sort(names.begin(), names.end(),
              [](const QString& a, const QString& b) { return compareListNames(a, b) < 0; });
    return names;
}

bool isHiddenName(const QString& name) {
    return extractFileName(name).startsWith(QLatin1Char('.'));
}

bool isReadOnly(const QString& path) {
    const QString resolved = resolvePath(path);
    struct stat info {};
    if (!statPath(resolved, info))
        return false;
    // Root may write anything; a file without any write bit still counts as read-only.
    return !(info.st_mode & 0222) || ::access(nativePath(resolved).constData(), W_OK) != 0;
}

bool addOwnerWritePermission(const QString& path) {
    const QByteArray native = nativePath(resolvePath(path));
    struct stat info {};
    if (::stat(native.constData(), &info) != 0)
        return false;
    return ::chmod(native.constData(), (info.st_mode & 07777) | S_IWUSR) == 0;
}

bool canCreateFilesIn(const QString& folder) {
    // Needs no lock against another process's clean-up or probe of the same name: the
    // result comes from the open stream alone, whoever removes the name meanwhile, and
    // the name is no replace's temporary file.
    const QByteArray probe = nativePath(withTrailingSlash(folder) + ".wendrak-probe");
    std::FILE* f = std::fopen(probe.constData(), "wb");
    if (!f)
        return false;
    const bool wrote = std::fputc('x', f) != EOF;
    const bool closed = std::fclose(f) == 0; // also when the write failed
    std::remove(probe.constData());
    return wrote && closed;
}

bool canReadFolder(const QString& folder) {
    DIR* d = ::opendir(nativePath(resolvePath(withTrailingSlash(folder))).constData());
    if (d)
        ::closedir(d);
    return d != nullptr;
}

bool copyFile(const QString& from, const QString& to, bool failIfExists) {
    const QString source = resolvePath(from);
    const QString target = pathForCreate(to);
    if (!fileExists(source))
        return false;
    if (entryExists(target) && (failIfExists || isReadOnly(target)))
        return false;
    try {
        writeFileBytes(target, readFileBytes(source));
    } catch (const WendrakError&) {
        return false;
    }
    return true;
}

bool deleteFile(const QString& path) {
    const QString target = resolvePath(path);
    if (!fileExists(target) || isReadOnly(target))
        return false;
    if (::unlink(nativePath(target).constData()) != 0)
        return false;
    noteEntryRemoved(target);
    return true;
}

bool renameFile(const QString& from, const QString& to) {
    const QString source = resolvePath(from);
    const QString target = pathForCreate(to);
    struct stat src {
    }, dst{};
    if (!lstatPath(source, src))
        return false;
    // Renaming onto an existing entry fails, unless it is the same entry in another case.
    if (lstatPath(target, dst) && (dst.st_dev != src.st_dev || dst.st_ino != src.st_ino))
        return false;
    if (::rename(nativePath(source).constData(), nativePath(target).constData()) != 0)
        return false;
    noteEntryRemoved(source);
    noteEntryCreated(target);
    return true;
}

bool createFolder(const QString& path) {
    const QString target = pathForCreate(path);
    const QString bare =
        target.endsWith(QLatin1Char('/')) && target.size() > 1 ? target.chopped(1) : target;
    if (::mkdir(nativePath(bare).constData(), 0777) != 0)
        return false;
    noteEntryCreated(bare);
    return true;
}

bool forceFolders(const QString& path) {
    const QString target = pathForCreate(path);
    if (folderExists(target))
        return true;
    const QStringList parts = toSlashes(target).split(QLatin1Char('/'), Qt::SkipEmptyParts);
    QString current = target.startsWith(QLatin1Char('/')) ? QStringLiteral("/") : QString();
    for (const QString& part : parts) {
        current += part;
        if (!folderExists(current))
            createFolder(current);
        current += QLatin1Char('/');
    }
    return folderExists(target);
}

bool removeFolder(const QString& path) {
    const QString target = resolvePath(path);
    if (!folderExists(target))
        return false;
    const QString bare =
        target.endsWith(QLatin1Char('/')) && target.size() > 1 ? target.chopped(1) : target;
    if (::rmdir(nativePath(bare).constData()) != 0)
        return false;
    noteEntryRemoved(bare);
    return true;
}

QStringList volumeRoots() {
    QStringList roots;
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
        if (!volume.isValid() || !volume.isReady())
            continue;
        const QString root = withTrailingSlash(volume.rootPath());
        if (!roots.contains(root))
            roots.append(root);
    }
    if (roots.isEmpty())
        roots.append(QStringLiteral("/"));
    roots.sort();
    return roots;
}

QString volumeRootOf(const QString& path) {
    return withTrailingSlash(QStorageInfo(path).rootPath());
}

} // namespace platform
