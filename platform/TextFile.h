// Whole-file reading and writing. Files are replaced whole through a temporary file and a
// rename, so a failed write never leaves half a file; a target without write permission
// stays an error, and a replaced file keeps its permissions. A link is replaced at its final
// target, the temporary file beside that, so the link stays a link. No fsync.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <cstdio>

namespace platform {

// Reads a whole file; throws WendrakError naming the file when it cannot be read or is not
// a plain file (a named pipe or a device is never opened for reading as a file).
QByteArray readFileBytes(const QString& path);
// Reads exactly size bytes from the start of a record file (a longer file is fine); the
// path as given is tried before the case-insensitive lookup. Throws
// WendrakError naming the file when it is missing, unreadable or shorter than size.
QByteArray readRecordFile(const QString& path, qsizetype size);
// True when the file at exactly this path (no case-insensitive lookup) holds exactly these
// bytes; a writer that would replace it with the same bytes can leave it alone.
bool holdsBytes(const QString& path, const QByteArray& bytes);
// Replaces the file whole (see above); throws WendrakError naming the file on failure (and
// saying so when its name is too long for the file system).
// The first write into a folder removes what interrupted replaces left there; a temporary
// file another writer still holds is left alone and looked at again by the next write.
void writeFileBytes(const QString& path, const QByteArray& bytes);
// Removes the temporary files of interrupted replaces from folder (once per process and
// folder, until no writer holds one); for callers that empty a folder without writing into it.
void removeInterruptedReplaces(const QString& folder);
// True for the whole names ".wendrak-" and six letters or digits, which a replace gives its
// temporary file, and ".wendrak-probe", the write probe's: leftovers under such names are
// removed, so no user file may bear one.
bool IsReplaceTemporaryName(const QString& name);

// Text files in Windows-1252 with CR LF: lines without their line ends (CR LF, LF or CR).
QStringList readAnsiLines(const QString& path);
// Every line followed by CR LF.
void writeAnsiLines(const QString& path, const QStringList& lines);

// A text file written line by line while it stays open (Windows-1252, CR LF), for files
// that grow during a long operation. Every failure throws WendrakError naming the file;
// the destructor closes quietly.
class AnsiLineWriter {
public:
    AnsiLineWriter() = default;
    ~AnsiLineWriter();
    AnsiLineWriter(const AnsiLineWriter&) = delete;
    AnsiLineWriter& operator=(const AnsiLineWriter&) = delete;
    AnsiLineWriter(AnsiLineWriter&& other) noexcept;
    AnsiLineWriter& operator=(AnsiLineWriter&& other) noexcept;

    // Creates (empties) the file; an existing entry differing only in case is reused.
    void create(const QString& path);
    // Writes the line and its CR LF.
    void writeLine(const QString& line);
    // Flushes and closes; throws when the data could not be written. Harmless when closed.
    void close();
    // Closes without reporting failures (the way out after an error).
    void closeQuietly() noexcept;
    bool isOpen() const { return m_file != nullptr; }
    const QString& path() const { return m_path; }

private:
    std::FILE* m_file = nullptr;
    QString m_path;
};

} // namespace platform
