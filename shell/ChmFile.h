// Read access to a compiled HTML help file (.chm) through chmlib: its stored files, its
// topics, its default topic and its map from help context numbers to topics.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <map>
#include <memory>
#include <optional>

struct chmFile;

class ChmFile {
public:
    // Opens the help file; throws WendrakError with a German message when the file is
    // missing or is not a help file chmlib can read.
    explicit ChmFile(const QString& path);
    ~ChmFile();
    ChmFile(const ChmFile&) = delete;
    ChmFile& operator=(const ChmFile&) = delete;

    QString path() const { return m_path; }

    // Paths inside the file begin with "/" ("/topics/main.htm"); lookups ignore case.
    bool contains(const QString& path) const;
    // The stored file, or nothing when it is not in the help file.
    std::optional<QByteArray> read(const QString& path) const;
    // Every stored HTML page ("/…".htm or .html), in the file's order.
    QStringList topics() const;
    // The page the help opens with ("" when the file names none that it holds).
    QString defaultTopic() const;
    // The help file's title ("" when it has none).
    QString title() const;

    // Help context number -> topic path, as the help compiler's map and alias tables
    // give it. The compiler stores the topics by the paths they had when it ran; each is
    // matched to the stored page with the longest path suffix in common.
    const std::map<int, QString>& contextMap() const { return m_contexts; }
    // The topic of a context, "" when the map has none.
    QString topicForContext(int context) const;

    // The stored path that a path as the compiler saw it stands for: the longest suffix
    // (starting at a "/") that names a stored file; "" when none does.
    QString matchStoredPath(const QString& compiledPath) const;

private:
    void readSystem();
    void readContextMap();

    QString m_path;
    chmFile* m_handle = nullptr;
    QStringList m_files;                  // every stored file, as stored
    std::map<QString, QString> m_byUpper; // upper-cased path -> stored path
    std::map<int, QString> m_contexts;
    QString m_defaultTopic;
    QString m_title;
};
