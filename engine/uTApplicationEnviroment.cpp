// The settings object and the settings file "Kemra.ini".
#include "engine/uTApplicationEnviroment.h"

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

void TApplicationEnviroment::WriteSettings() {
    platform::IniFile ini(platform::toSlashes(IniFileName()));
    ini.writeString(kPath, QStringLiteral("Rootpath"), RootPath());
    ini.writeString(kPath, QStringLiteral("PelkamPath"), PelkamPath());
    ini.writeString(kPath, QStringLiteral("IniFileName"), IniFileName());
    ini.writeString(kPath, QStringLiteral("WendrakPath"), WendrakPath());
    ini.writeString(kPath, QStringLiteral("PelkamExeName"), PelkamExeName());
    ini.writeString(kPath, QStringLiteral("WendrakTextPath"), WendrakTextPath());
    ini.writeString(kPath, QStringLiteral("PelkamExportPath"), PelkamExportPath());
    ini.writeString(kSettings, QStringLiteral("MatrixDD"), MatrixDD());
    ini.writeString(kSettings, QStringLiteral("MatrixDK"), MatrixDK());
    ini.writeString(kSettings, QStringLiteral("MatrixKD"), MatrixKD());
    ini.writeString(kSettings, QStringLiteral("MatrixKK"), MatrixKK());
    ini.writeString(kSettings, QStringLiteral("Username"), Username());
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
