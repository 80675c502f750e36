#include "platform/TextFile.h"

#include "platform/Ansi.h"
#include "platform/Paths.h"
#include "platform/WendrakError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace platform {
namespace {

QString shown(const QString& path) {
    return QDir::toNativeSeparators(path);
}

bool writeAll(int fd, const char* data, qsizetype size) {
    while (size > 0) {
        const ssize_t n = ::write(fd, data, static_cast<size_t>(size));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        data += n;
        size -= n;
    }
    return true;
}

// A regular file opened at exactly the path given, without the case-insensitive lookup:
// the lookup costs more than reading a small file, and the exact name is the usual case.
class ExactFile {
public:
    explicit ExactFile(const QString& path)
        : m_fd(::open(nativePath(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC)) {
        struct stat info {};
        if (m_fd >= 0 && (::fstat(m_fd, &info) != 0 || !S_ISREG(info.st_mode))) {
            ::close(m_fd);
            m_fd = -1;
        }
        m_size = m_fd >= 0 ? static_cast<qsizetype>(info.st_size) : -1;
    }
    ~ExactFile() {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    ExactFile(const ExactFile&) = delete;
    ExactFile& operator=(const ExactFile&) = delete;

    // -1 when there is no such regular file.
    qsizetype size() const { return m_size; }
    // Reads up to size bytes from the start; returns how many were read.
    qsizetype read(char* data, qsizetype size) {
        qsizetype got = 0;
        while (m_fd >= 0 && got < size) {
            const ssize_t n = ::read(m_fd, data + got, static_cast<size_t>(size - got));
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0)
                break;
            got += n;
        }
        return got;
    }

private:
    int m_fd;
    qsizetype m_size;
};

// Opens an existing file for reading; throws naming the file when it is missing, locked or
// not a plain file (a named pipe would block the reader for ever, a device never end).
void openForReading(QFile& file, const QString& path, const QString& notAFile) {
    const QString resolved = resolvePath(path);
    const int fd = ::open(nativePath(resolved).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        struct stat info {};
        if (errno == ENOENT || errno == ENOTDIR ||
            ::stat(nativePath(resolved).constData(), &info) != 0 || S_ISDIR(info.st_mode))
            throw WendrakError(
                QStringLiteral("Die Datei \"%1\" wurde nicht gefunden.").arg(shown(path)));
        throw WendrakError(
            QStringLiteral("Die Datei \"%1\" kann nicht gelesen werden.").arg(shown(path)));
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        if (S_ISDIR(info.st_mode))
            throw WendrakError(
                QStringLiteral("Die Datei \"%1\" wurde nicht gefunden.").arg(shown(path)));
        throw WendrakError(notAFile.arg(shown(path)));
    }
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        throw WendrakError(
            QStringLiteral("Die Datei \"%1\" kann nicht gelesen werden.").arg(shown(path)));
    }
}

// A replace writes its temporary file beside the target under the short name
// ".wendrak-XXXXXX", whatever the target's length, so that every name the file system takes
// can be replaced and leftovers of an interrupted one (power cut, killed process) can be
// told from a user's own files such as "Anna.ply.backup". It holds the file locked (flock)
// until the rename: the clean-up of another process removes only what it can lock.
constexpr char TemporaryName[] = ".wendrak-XXXXXX";

// True when name still names the regular file open as fd (neither removed nor replaced by
// another file of that name).
bool namesOpenFile(const QByteArray& name, int fd) {
    struct stat held {};
    struct stat named {};
    return ::fstat(fd, &held) == 0 && S_ISREG(held.st_mode) &&
           ::lstat(name.constData(), &named) == 0 && held.st_dev == named.st_dev &&
           held.st_ino == named.st_ino;
}

// Creates the temporary file in folder and locks it; -1 with errno set on failure. It is
// created before it is locked, so a clean-up may remove it in between: then it is made once
// more.
int createLockedTemporary(const QByteArray& folder, QByteArray& name) {
    for (int attempt = 0; attempt < 2; ++attempt) {
        name = folder + TemporaryName;
        const int fd = ::mkostemp(name.data(), O_CLOEXEC);
        if (fd < 0)
            return -1;
        // A file system without locks still gets its replace, only unguarded.
        while (::flock(fd, LOCK_EX) != 0 && errno == EINTR) {
        }
        if (namesOpenFile(name, fd))
            return fd;
        ::close(fd);
    }
    errno = ENOENT;
    return -1;
}

// The file a chain of links finally names (the path itself when it is no link), so that a
// replace changes the target and every link stays a link.
QString followLinks(QString path) {
    for (int hops = 0; hops < 40; ++hops) {
        const QFileInfo info(path);
        if (!info.isSymLink())
            break;
        path = info.symLinkTarget();
    }
    return path;
}

} // namespace

bool IsReplaceTemporaryName(const QString& name) {
    static const QRegularExpression pattern(QStringLiteral("^\\.wendrak-([A-Za-z0-9]{6}|probe)$"));
    return pattern.match(name).hasMatch();
}

QByteArray readFileBytes(const QString& path) {
    QFile file;
    openForReading(file, path, QStringLiteral("Die Datei \"%1\" ist keine gewöhnliche Datei."));
    return file.readAll();
}

QByteArray readRecordFile(const QString& path, qsizetype size) {
    if (!path.contains(QLatin1Char('\\'))) {
        ExactFile exact(path);
        if (exact.size() >= size) {
            QByteArray bytes(size, Qt::Uninitialized);
            if (exact.read(bytes.data(), size) == size)
                return bytes;
        }
    }
    // Other spellings, and the errors, go the ordinary way.
    QFile file;
    openForReading(file, path, QStringLiteral("Die Datei \"%1\" ist keine Spielerdatei."));
    QByteArray bytes = file.read(size);
    if (bytes.size() < size)
        throw WendrakError(QStringLiteral("Die Datei \"%1\" ist zu kurz oder beschädigt: "
                                          "sie enthält %2 statt %3 Bytes.")
                               .arg(shown(path))
                               .arg(bytes.size())
                               .arg(size));
    return bytes;
}

bool holdsBytes(const QString& path, const QByteArray& bytes) {
    ExactFile exact(path);
    if (exact.size() != bytes.size())
        return false;
    QByteArray content(bytes.size(), Qt::Uninitialized);
    return exact.read(content.data(), content.size()) == content.size() && content == bytes;
}

void removeInterruptedReplaces(const QString& folder) {
    // Once per folder and process: a replace of this process never leaves its temporary
    // file behind unless the process dies, and then the next process cleans up.
    static QSet<QString> cleaned;
    const QString dir = withTrailingSlash(resolvePath(withTrailingSlash(folder)));
    if (cleaned.contains(dir))
        return;
    bool busy = false;
    for (const QString& name : listFolder(dir, QStringLiteral("*"), ListKind::Files, true)) {
        if (!IsReplaceTemporaryName(name))
            continue;
        const QByteArray path = nativePath(dir + name);
        int fd = ::open(path.constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0 && errno == EACCES) // a write-only target's permissions
            fd = ::open(path.constData(), O_WRONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0)
            continue;
        // Locked: a writer is at work. Once locked, the name must still be that file: the
        // writer may have renamed it and another made a new one under the same name.
        if (::flock(fd, LOCK_EX | LOCK_NB) != 0)
            busy = true;
        else if (namesOpenFile(path, fd) && ::unlink(path.constData()) == 0)
            noteEntryRemoved(dir + name);
        ::close(fd);
    }
    // A writer's file is looked at again by the next write, in case its writer gets killed.
    if (!busy)
        cleaned.insert(dir);
}

void writeFileBytes(const QString& path, const QByteArray& bytes) {
    const QString target = followLinks(pathForCreate(path));
    const QByteArray targetName = nativePath(target);
    const auto fail = [&path](int error = 0) {
        if (error == ENAMETOOLONG)
            return WendrakError(QStringLiteral("Die Datei \"%1\" kann nicht geschrieben werden: "
                                               "ihr Name ist für das Dateisystem zu lang.")
                                    .arg(shown(path)));
        return WendrakError(
            QStringLiteral("Die Datei \"%1\" kann nicht geschrieben werden.").arg(shown(path)));
    };

    struct stat existing {};
    const bool exists = ::stat(targetName.constData(), &existing) == 0;
    if (!exists && errno == ELOOP) // links in a circle: a rename would replace one of them
        throw fail();
    if (exists) {
        if (S_ISDIR(existing.st_mode))
            throw fail();
        if (isReadOnly(target))
            throw WendrakError(
                QStringLiteral("Die Datei \"%1\" ist schreibgeschützt.").arg(shown(path)));
    }

    const QString folder = extractFilePath(target);
    removeInterruptedReplaces(folder.isEmpty() ? QStringLiteral("./") : folder);

    // Write beside the target, then rename over it: a failure never leaves half a file.
    QByteArray tmpName;
    const int fd = createLockedTemporary(
        nativePath(folder.isEmpty() ? QStringLiteral("./") : folder), tmpName);
    if (fd < 0)
        throw fail(errno);
    const mode_t mode = exists ? (existing.st_mode & 07777) : [] {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        return static_cast<mode_t>(0666 & ~mask);
    }();
    int error =
        ::fchmod(fd, mode) == 0 && writeAll(fd, bytes.constData(), bytes.size()) ? 0 : errno;
    // The close reports a late write error (a network file system) before the rename; the
    // duplicate keeps the lock, which lives as long as any descriptor of the file.
    const int held = error ? -1 : ::dup(fd);
    if (!error && held < 0)
        error = errno;
    if (::close(fd) != 0 && !error)
        error = errno;
    if (!error && std::rename(tmpName.constData(), targetName.constData()) != 0)
        error = errno;
    if (error)
        ::unlink(tmpName.constData());
    if (held >= 0)
        ::close(held);
    if (error)
        throw fail(error);
    noteEntryCreated(target);
}

QStringList readAnsiLines(const QString& path) {
    const QString text = fromAnsi(readFileBytes(path));
    QStringList lines;
    qsizetype start = 0;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text.at(i);
        if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
            lines.append(text.mid(start, i - start));
            if (c == QLatin1Char('\r') && i + 1 < n && text.at(i + 1) == QLatin1Char('\n'))
                ++i;
            start = i + 1;
        }
    }
    if (start < n)
        lines.append(text.mid(start));
    return lines;
}

void writeAnsiLines(const QString& path, const QStringList& lines) {
    QByteArray bytes;
    for (const QString& line : lines) {
        bytes += toAnsi(line);
        bytes += "\r\n";
    }
    writeFileBytes(path, bytes);
}

// ---- AnsiLineWriter ----------------------------------------------------------------------

namespace {

WendrakError lineWriteError(const QString& path) {
    return WendrakError(QStringLiteral("Fehler beim Schreiben der Datei \"%1\".").arg(shown(path)));
}

} // namespace

AnsiLineWriter::~AnsiLineWriter() {
    closeQuietly();
}

AnsiLineWriter::AnsiLineWriter(AnsiLineWriter&& other) noexcept
    : m_file(std::exchange(other.m_file, nullptr)), m_path(std::move(other.m_path)) {}

AnsiLineWriter& AnsiLineWriter::operator=(AnsiLineWriter&& other) noexcept {
    if (this != &other) {
        closeQuietly();
        m_file = std::exchange(other.m_file, nullptr);
        m_path = std::move(other.m_path);
    }
    return *this;
}

void AnsiLineWriter::create(const QString& path) {
    closeQuietly();
    m_path = pathForCreate(path);
    const QString folder = extractFilePath(m_path);
    removeInterruptedReplaces(folder.isEmpty() ? QStringLiteral("./") : folder);
    if (isReadOnly(m_path))
        throw WendrakError(
            QStringLiteral("Die Datei \"%1\" ist schreibgeschützt.").arg(shown(m_path)));
    m_file = std::fopen(nativePath(m_path).constData(), "wb");
    if (!m_file)
        throw WendrakError(
            QStringLiteral("Die Datei \"%1\" kann nicht erstellt werden.").arg(shown(m_path)));
}

void AnsiLineWriter::writeLine(const QString& line) {
    if (!m_file)
        throw lineWriteError(m_path);
    QByteArray bytes = toAnsi(line);
    bytes.append("\r\n", 2);
    if (std::fwrite(bytes.constData(), 1, size_t(bytes.size()), m_file) != size_t(bytes.size()))
        throw lineWriteError(m_path);
}

void AnsiLineWriter::close() {
    if (!m_file)
        return;
    std::FILE* f = m_file;
    m_file = nullptr;
    const bool failed = std::ferror(f) != 0;
    if (std::fclose(f) != 0 || failed)
        throw lineWriteError(m_path);
}

void AnsiLineWriter::closeQuietly() noexcept {
    if (m_file)
        std::fclose(m_file);
    m_file = nullptr;
}

} // namespace platform
