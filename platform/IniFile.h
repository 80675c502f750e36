// INI files on SimpleIni: sections and keys ignore case, values stay raw bytes (decoded as
// Windows-1252), a missing file or key gives the default, other keys and comments survive
// a write, and the file is written with CR LF by updateFile().
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
    void writeString(const QString& section, const QString& key, const QString& value);
    bool sectionExists(const QString& section) const;
    QStringList sectionKeys(const QString& section) const;
    // Writes the file (replaced whole); throws WendrakError naming the file on failure.
    void updateFile();

private:
    struct Impl;
    std::unique_ptr<Impl> d;
};

} // namespace platform
