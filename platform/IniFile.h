// INI files: read with SimpleIni (sections and keys ignore case, values stay raw bytes
// decoded as Windows-1252, a missing file or key gives the default, where a key stands
// twice the last one counts) and updated in place by a line-based writer of our own: a
// save changes only the keys written through writeString and keeps every other byte.
#pragma once

#include <QString>
#include <QStringList>
#include <memory>

namespace platform {

class IniFile {
public:
    explicit IniFile(const QString& fileName); // reads the file when it exists
    ~IniFile();
    IniFile(const IniFile&) = delete;
    IniFile& operator=(const IniFile&) = delete;

    QString fileName() const;
    QString readString(const QString& section, const QString& key,
                       const QString& defaultValue) const;
    // Throws WendrakError when the key or value holds a line break.
    void writeString(const QString& section, const QString& key, const QString& value);
    bool sectionExists(const QString& section) const;
    QStringList sectionKeys(const QString& section) const;
    // Updates the file in place, as it is on disk now (a link is updated at its target):
    // a written key that stands in the file keeps its spelling and place and gets its new
    // value where the reader takes it from (the last occurrence), a missing one is added at
    // the end of its section, a missing section at the end of the file, with the file's
    // line end. An unchanged file is not touched. Throws WendrakError naming the file,
    // without writing, when it cannot be read or has a line that is neither blank, a
    // comment (";", "#"), a section "[name]" nor "key=value", or cannot be written.
    void updateFile();

private:
    struct Impl;
    std::unique_ptr<Impl> d;
};

} // namespace platform
