// The settings object and the settings file "Kemra.ini".
#include "engine/uTApplicationEnviroment.h"

#include "platform/Ansi.h"
#include "platform/IniFile.h"
#include "platform/NumberFormat.h"
#include "platform/Paths.h"
#include "platform/WendrakError.h"

#include <QDir>
#include <QFileInfo>

namespace {

const QString kPath = QStringLiteral("Path");
const QString kSettings = QStringLiteral("Settings");

const QString kDefaultDK = QStringLiteral("5;0");
const QString kDefaultDD = QStringLiteral("1;1");
const QString kDefaultKD = QStringLiteral("0;5");
const QString kDefaultKK = QStringLiteral("3;3");

} // namespace

TApplicationEnviroment::TApplicationEnviroment(const QString& programPath) {
    const QString folder = QFileInfo(platform::toSlashes(programPath)).absolutePath();
    if (!QDir::setCurrent(folder))
        throw WendrakError(
            QStringLiteral("Der Programmordner \"%1\" kann nicht geöffnet werden.").arg(folder));
    if (!QDir::setCurrent(QStringLiteral("..")))
        throw WendrakError(
            QStringLiteral("Der übergeordnete Ordner von \"%1\" kann nicht geöffnet werden.")
                .arg(folder));
    // The parent of the program folder as the program sees it, not the physical path the
    // system reports after following links.
    const QString root = QDir::cleanPath(folder + QStringLiteral("/.."));
    SetIniFileName(platform::withTrailingSlash(root) + QStringLiteral("Kemra.ini"));

    ReadSettings();

    SetMatrixDD(kDefaultDD);
    SetMatrixDK(kDefaultDK);
    SetMatrixKD(kDefaultKD);
    SetMatrixKK(kDefaultKK);
}

void TApplicationEnviroment::ReadSettings() {
    const QString file = platform::toSlashes(IniFileName());
    const QString dir = platform::extractFilePath(file);
    const platform::IniFile ini(file);

    SetRootPath(ini.readString(kPath, QStringLiteral("RootPath"), dir));
    SetPelkamPath(ini.readString(kPath, QStringLiteral("PelkamPath"),
                                 dir + QStringLiteral("Wendrak Pelkam/")));
    SetIniFileName(ini.readString(kPath, QStringLiteral("IniFileName"), IniFileName()));
    SetWendrakPath(
        ini.readString(kPath, QStringLiteral("WendrakPath"), dir + QStringLiteral("Wendrak/")));
    SetPelkamExeName(
        ini.readString(kPath, QStringLiteral("PelkamExeName"), QStringLiteral("Pelkam.exe")));
    SetWendrakTextPath(ini.readString(kPath, QStringLiteral("WendrakTextPath"),
                                      dir + QStringLiteral("Wendrak/Texte/")));
    SetPelkamExportPath(ini.readString(kPath, QStringLiteral("PelkamExportPath"),
                                       dir + QStringLiteral("Wendrak/PelkamSpieler/")));
    SetUsername(ini.readString(kSettings, QStringLiteral("Username"), QStringLiteral("Kemrafeld")));
    SetMatrixDD(ini.readString(kSettings, QStringLiteral("MatrixDD"), kDefaultDD));
    SetMatrixDK(ini.readString(kSettings, QStringLiteral("MatrixDK"), kDefaultDK));
    SetMatrixKD(ini.readString(kSettings, QStringLiteral("MatrixKD"), kDefaultKD));
    SetMatrixKK(ini.readString(kSettings, QStringLiteral("MatrixKK"), kDefaultKK));
}

namespace {

// The keys the settings file gets, in the order they are written, with the field that names
// a refused value: the settings dialog's label where it shows the value, else the key.
struct SettingKey {
    const QString& section;
    const char* key;
    const QString& (TApplicationEnviroment::*value)() const;
    const char* field;
    bool folder;
};

const SettingKey kWrittenKeys[] = {
    {kPath, "Rootpath", &TApplicationEnviroment::RootPath, "Installationspfad", true},
    {kPath, "PelkamPath", &TApplicationEnviroment::PelkamPath, "Wendrak Pelkam", true},
    {kPath, "IniFileName", &TApplicationEnviroment::IniFileName, "IniFileName", true},
    {kPath, "WendrakPath", &TApplicationEnviroment::WendrakPath, "Spielerverwaltung", true},
    {kPath, "PelkamExeName", &TApplicationEnviroment::PelkamExeName, "PelkamExeName", false},
    {kPath, "WendrakTextPath", &TApplicationEnviroment::WendrakTextPath, "Texte Spielerverw.",
     true},
    {kPath, "PelkamExportPath", &TApplicationEnviroment::PelkamExportPath, "Spieler Pelkam", true},
    {kSettings, "MatrixDD", &TApplicationEnviroment::MatrixDD, "MatrixDD", false},
    {kSettings, "MatrixDK", &TApplicationEnviroment::MatrixDK, "MatrixDK", false},
    {kSettings, "MatrixKD", &TApplicationEnviroment::MatrixKD, "MatrixKD", false},
    {kSettings, "MatrixKK", &TApplicationEnviroment::MatrixKK, "MatrixKK", false},
    {kSettings, "Username", &TApplicationEnviroment::Username, "Ihr Name", false},
};

// A value the file cannot hold as typed is refused, never stored with "?" or split lines.
void CheckSettingValue(const SettingKey& k, const QString& value) {
    const QString field = QString::fromUtf8(k.field);
    if (value.contains(QLatin1Char('\r')) || value.contains(QLatin1Char('\n')))
        throw WendrakError(
            QStringLiteral("Das Feld „%1“ enthält einen Zeilenumbruch, der nicht gespeichert "
                           "werden kann.")
                .arg(field));
    if (platform::fitsAnsi(value))
        return;
    if (!k.folder)
        throw WendrakError(platform::AnsiFieldMessage(field));
    throw WendrakError(
        QStringLiteral("Das Feld „%1“ enthält Zeichen, die nicht gespeichert werden können. Der "
                       "Name des Installationsordners darf nur aus Zeichen des "
                       "Windows-Zeichensatzes (Windows-1252) bestehen.")
            .arg(field));
}

} // namespace

void TApplicationEnviroment::WriteSettings() {
    for (const SettingKey& k : kWrittenKeys)
        CheckSettingValue(k, (this->*k.value)());
    platform::IniFile ini(platform::toSlashes(IniFileName()));
    for (const SettingKey& k : kWrittenKeys)
        ini.writeString(k.section, QString::fromLatin1(k.key), (this->*k.value)());
    ini.updateFile();
}

double TApplicationEnviroment::GetMatrixPayoff(const QString& value, int index) {
    const qsizetype sep = value.indexOf(QLatin1Char(';'));
    QString part;
    if (index == 1)
        part = sep < 0 ? QString() : value.left(sep);
    else
        part = value.mid(sep + 1); // the whole value when there is no ";"
    return platform::strToFloat(part);
}

QString TApplicationEnviroment::ReadGroupValue(const QString& iniFile, const QString& key) {
    const platform::IniFile ini(platform::resolvePath(platform::toSlashes(iniFile)));
    return ini.readString(QStringLiteral("Group"), key, QString());
}

void TApplicationEnviroment::DeleteFiles(const QString& folder, const QString& mask) {
    const QString dir = platform::withTrailingSlash(folder);
    // Folders are never deleted, and names beginning with "." are not listed; a file that
    // cannot go stays, emptying is best effort.
    const QStringList names = platform::listFolder(dir, mask, platform::ListKind::Files);
    for (const QString& name : names)
        platform::deleteFile(dir + name);
}
