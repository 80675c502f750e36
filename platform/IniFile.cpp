#define SI_NO_CONVERSION
#define SI_IMPLEMENTATION
#include <SimpleIni.h>

#include "platform/IniFile.h"

#include "platform/Ansi.h"
#include "platform/TextFile.h"
#include "platform/WendrakError.h"

namespace platform {

struct IniFile::Impl {
    QString fileName;
    CSimpleIniA ini{false, false, false};
};

namespace {

std::string ansi(const QString& text) {
    return toAnsi(text).toStdString();
}

} // namespace

IniFile::IniFile(const QString& fileName) : d(std::make_unique<Impl>()) {
    d->fileName = fileName;
    d->ini.SetSpaces(false);
    try {
        const QByteArray bytes = readFileBytes(fileName);
        d->ini.LoadData(bytes.constData(), static_cast<size_t>(bytes.size()));
    } catch (const WendrakError&) {
        // A missing or unreadable settings file gives every key its default.
    }
}

IniFile::~IniFile() = default;

QString IniFile::fileName() const {
    return d->fileName;
}

QString IniFile::readString(const QString& section, const QString& key,
                            const QString& defaultValue) const {
    const char* value = d->ini.GetValue(ansi(section).c_str(), ansi(key).c_str(), nullptr);
    return value ? fromAnsi(QByteArray(value)) : defaultValue;
}

void IniFile::writeString(const QString& section, const QString& key, const QString& value) {
    d->ini.SetValue(ansi(section).c_str(), ansi(key).c_str(), ansi(value).c_str());
}

bool IniFile::sectionExists(const QString& section) const {
    return d->ini.GetSectionSize(ansi(section).c_str()) >= 0;
}

QStringList IniFile::sectionKeys(const QString& section) const {
    CSimpleIniA::TNamesDepend keys;
    d->ini.GetAllKeys(ansi(section).c_str(), keys);
    keys.sort(CSimpleIniA::Entry::LoadOrder());
    QStringList out;
    for (const auto& k : keys)
        out.append(fromAnsi(QByteArray(k.pItem)));
    return out;
}

void IniFile::updateFile() {
    std::string text;
    if (d->ini.Save(text) < 0)
        throw WendrakError(
            QStringLiteral("Die Datei \"%1\" kann nicht geschrieben werden.").arg(d->fileName));
    QByteArray bytes;
    bytes.reserve(static_cast<qsizetype>(text.size() + text.size() / 16));
    for (char c : text) {
        if (c == '\r')
            continue;
        if (c == '\n')
            bytes += "\r\n";
        else
            bytes += c;
    }
    // The library puts two empty lines before every section; one is enough.
    while (bytes.contains("\r\n\r\n\r\n"))
        bytes.replace("\r\n\r\n\r\n", "\r\n\r\n");
    writeFileBytes(d->fileName, bytes);
}

} // namespace platform
