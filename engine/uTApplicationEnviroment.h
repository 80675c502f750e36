// The settings object: finds "Kemra.ini" in the parent of the program folder, reads the
// folder settings, the sibling program's name, the user name and the payoff matrix, and
// writes them back for the settings dialog. Every window or routine that needs a setting
// makes its own object; objects share nothing.
//
// Folder values are kept as they were read: a stored value may use "\" and may lack the
// trailing separator, so users join them through platform::withTrailingSlash. Defaults
// are built with "/" and end with "/".
#pragma once

#include "platform/ProgramPath.h"

#include <QString>

class TApplicationEnviroment {
public:
    // Makes the parent of the program folder the process's current directory (it stays so)
    // and reads the settings; the payoff matrix is then reset to the default one, whatever
    // the file holds (ReadSettings again gives the stored matrix). Throws WendrakError when
    // the folder cannot be entered.
    explicit TApplicationEnviroment(const QString& programPath = platform::programPath());

    // Reads every value from IniFileName(); a missing file or key gives the default.
    void ReadSettings();
    // Writes every value to IniFileName() (the path key as "Rootpath"), changing only these
    // keys of the file and keeping every other byte. Throws WendrakError, writing nothing,
    // when a value holds a line break or a character Windows-1252 cannot hold (naming its
    // field), or naming the file when it cannot be read or understood line for line or
    // cannot be written.
    void WriteSettings();

    // Points of a payoff value "a;b": Index 1 gives a, any other Index gives b (the whole
    // value when it has no ";"). Throws WendrakError when the part is not a number.
    static double GetMatrixPayoff(const QString& value, int index);
    // Value of Key in section [Group] of IniFile; "" when the file or key is missing.
    static QString ReadGroupValue(const QString& iniFile, const QString& key);
    // Deletes the files in Folder matching Mask, except names beginning with "."; what
    // cannot be deleted (a folder, a locked file) stays without complaint.
    static void DeleteFiles(const QString& folder, const QString& mask);

    const QString& RootPath() const { return FRootPath; }
    const QString& PelkamPath() const { return FPelkamPath; }
    const QString& IniFileName() const { return FIniFileName; }
    const QString& WendrakPath() const { return FWendrakPath; }
    const QString& PelkamExeName() const { return FPelkamExeName; }
    const QString& WendrakTextPath() const { return FWendrakTextPath; }
    const QString& PelkamExportPath() const { return FPelkamExportPath; }
    const QString& MatrixDK() const { return FMatrixDK; }
    const QString& MatrixDD() const { return FMatrixDD; }
    const QString& MatrixKD() const { return FMatrixKD; }
    const QString& MatrixKK() const { return FMatrixKK; }
    const QString& Username() const { return FUsername; }

    void SetRootPath(const QString& value) { FRootPath = value; }
    void SetPelkamPath(const QString& value) { FPelkamPath = value; }
    void SetIniFileName(const QString& value) { FIniFileName = value; }
    void SetWendrakPath(const QString& value) { FWendrakPath = value; }
    void SetPelkamExeName(const QString& value) { FPelkamExeName = value; }
    void SetWendrakTextPath(const QString& value) { FWendrakTextPath = value; }
    void SetPelkamExportPath(const QString& value) { FPelkamExportPath = value; }
    void SetMatrixDK(const QString& value) { FMatrixDK = value; }
    void SetMatrixDD(const QString& value) { FMatrixDD = value; }
    void SetMatrixKD(const QString& value) { FMatrixKD = value; }
    void SetMatrixKK(const QString& value) { FMatrixKK = value; }
    void SetUsername(const QString& value) { FUsername = value; }

private:
    QString FRootPath;
    QString FPelkamPath;
    QString FIniFileName;
    QString FWendrakPath;
    QString FPelkamExeName;
    QString FWendrakTextPath;
    QString FPelkamExportPath;
    QString FMatrixDK;
    QString FMatrixDD;
    QString FMatrixKD;
    QString FMatrixKK;
    QString FUsername;
};
