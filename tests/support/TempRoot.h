// A temporary root folder for tests: ROOT/Wendrak/ is the program folder (with the data
// folders of an installation) and the program path points into it. Removed afterwards.
#pragma once

#include "platform/ProgramPath.h"

#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>
#include <cstdlib>

class TempRoot {
public:
    TempRoot() {
        const QStringList folders = {
            "SpielerStamm",        "SpielerStammImport", "Eigene Gruppen", "ImportierteGruppen",
            "Standardexperimente", "Aktuelles Spiel",    "Temp",           "Texte",
            "PelkamSpieler"};
        QDir root(m_dir.path());
        for (const QString& f : folders)
            root.mkpath("Wendrak/" + f);
        platform::setProgramPath(programFolder() + "wendrak");
    }
    // Root folder, ending with "/".
    QString root() const { return m_dir.path() + "/"; }
    // Program folder ROOT/Wendrak/, ending with "/".
    QString programFolder() const { return root() + "Wendrak/"; }

    // Writes a file below the root (folders created); returns its full path.
    QString write(const QString& relative, const QByteArray& bytes) const {
        return writeFile(root() + relative, bytes);
    }
    QByteArray read(const QString& relative) const { return readFile(root() + relative); }

    // The same for a full path; a missing file reads as empty.
    static QString writeFile(const QString& path, const QByteArray& bytes) {
        QDir().mkpath(QFileInfo(path).path());
        QFile f(path);
        if (f.open(QIODevice::WriteOnly))
            f.write(bytes);
        return path;
    }
    static QByteArray readFile(const QString& path) {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    // The source tree's data/ folder (shipped players, texts), from the test environment.
    static QString sourceData() {
        const char* s = std::getenv("WENDRAK_SOURCE_DIR");
        return QString::fromLocal8Bit(s ? s : ".") + "/data/";
    }

    // The build folder (compiled help file, tools), from the test environment.
    static QString binaryDir() { return QString::fromLocal8Bit(qgetenv("WENDRAK_BINARY_DIR")); }

private:
    QTemporaryDir m_dir;
};
