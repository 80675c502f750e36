// The settings object and "Kemra.ini", payoff parsing, the [Group] reader, emptying folders.
#include "engine/uTApplicationEnviroment.h"

#include "TempRoot.h"
#include "engine_fixtures.h"
#include "platform/Ansi.h"
#include "platform/IniFile.h"

#include <QDir>
#include <QFileInfo>
#include <gtest/gtest.h>
#include <sys/stat.h>

using Env = TApplicationEnviroment;

namespace {

// The twelve values in the order the file gets them.
QStringList allValues(const Env& e) {
    return {e.RootPath(),      e.PelkamPath(),      e.IniFileName(),      e.WendrakPath(),
            e.PelkamExeName(), e.WendrakTextPath(), e.PelkamExportPath(), e.MatrixDD(),
            e.MatrixDK(),      e.MatrixKD(),        e.MatrixKK(),         e.Username()};
}

// A settings object on a fresh root whose every value is set, the file named relative to the
// root (the current directory), so every byte the file gets is known.
Env settingsToWrite() {
    Env env;
    const std::pair<void (Env::*)(const QString&), const char*> values[] = {
        {&Env::SetIniFileName, "Kemra.ini"}, {&Env::SetRootPath, "R:\\"},
        {&Env::SetPelkamPath, "P:\\"},       {&Env::SetWendrakPath, "W:\\"},
        {&Env::SetPelkamExeName, "P.exe"},   {&Env::SetWendrakTextPath, "T:\\"},
        {&Env::SetPelkamExportPath, "E:\\"}, {&Env::SetMatrixDD, "2;2"},
        {&Env::SetMatrixDK, "6;1"},          {&Env::SetMatrixKD, "1;6"},
        {&Env::SetMatrixKK, "4;4"},          {&Env::SetUsername, "Jürgen"}};
    for (const auto& [set, value] : values)
        (env.*set)(QString::fromUtf8(value));
    return env;
}

const QByteArray kPathKeys = "Rootpath=R:\\\r\nPelkamPath=P:\\\r\nIniFileName=Kemra.ini\r\n"
                             "WendrakPath=W:\\\r\nPelkamExeName=P.exe\r\nWendrakTextPath=T:"
                             "\\\r\nPelkamExportPath=E:\\\r\n";
const QByteArray kMatrixKeys = "MatrixDD=2;2\r\nMatrixDK=6;1\r\nMatrixKD=1;6\r\nMatrixKK=4;4\r\n";

} // namespace

TEST(Settings, WithoutAFileEverythingHasItsDefaultBelowTheRoot) {
    TempRoot root;
    const Env env;
    const QString r = root.root();
    EXPECT_EQ(allValues(env),
              QStringList({r, r + "Wendrak Pelkam/", r + "Kemra.ini", r + "Wendrak/", "Pelkam.exe",
                           r + "Wendrak/Texte/", r + "Wendrak/PelkamSpieler/", "1;1", "5;0", "0;5",
                           "3;3", "Kemrafeld"}));
    // The parent of the program folder is the current directory from now on.
    EXPECT_EQ(QFileInfo(QDir::currentPath()).canonicalFilePath(), QFileInfo(r).canonicalFilePath());
    EXPECT_FALSE(QFileInfo::exists(r + "Kemra.ini"));     // reading writes nothing
    EXPECT_THROW(Env(r + "Fehlt/wendrak"), WendrakError); // a folder that cannot be entered
}

// A save changes the program's own keys where they stand (the occurrence the reader takes),
// adds missing ones at the end of their section or file with the file's line end, keeps
// every other byte, and a second save changes nothing. A file not
// understood line for line or not readable, or a value it cannot hold, stops it before
// anything is written, with the first such line or the field named.
TEST(Settings, WriteSettingsChangesOnlyItsOwnKeysOrNothing) {
    const auto line = [](int number, const char* text) {
        return QString::fromUtf8("Die Datei \"Kemra.ini\" wird nicht geschrieben, weil Zeile %1 "
                                 "nicht verstanden wird: \"%2\". Verstanden werden leere Zeilen, "
                                 "Kommentare mit \";\" oder \"#\", Abschnitte \"[Name]\" und "
                                 "Zeilen \"Schlüssel=Wert\".")
            .arg(QString::number(number), QString::fromUtf8(text));
    };
    const QString unreadable =
        "Die Datei \"Kemra.ini\" kann nicht gelesen werden und wird deshalb nicht geschrieben.";
    const QString folderChars =
        QString::fromUtf8("Das Feld „%1“ enthält Zeichen, die nicht gespeichert werden können. "
                          "Der Name des Installationsordners darf nur aus Zeichen des "
                          "Windows-Zeichensatzes (Windows-1252) bestehen.");
    const QString lineBreak = QString::fromUtf8(
        "Das Feld „%1“ enthält einen Zeilenumbruch, der nicht gespeichert werden kann.");
    const struct {
        QByteArray before; // "<Ordner>", "<FIFO>": such an entry
        QString message;   // empty: saved, the file holds after
        QByteArray after = {};
        void (Env::*set)(const QString&) = &Env::SetUsername; // typed over what was set
        const char* typed = "Jürgen";
    } rows[] = {
        {"", "",
         "[Path]\r\n" + kPathKeys + "\r\n[Settings]\r\n" + kMatrixKeys + "Username=J\xfcrgen\r\n"},
        {"[Path]\r\nRootpath=a", "", // its last line gets its end before the next key
         "[Path]\r\n" + kPathKeys + "\r\n[Settings]\r\n" + kMatrixKeys + "Username=J\xfcrgen\r\n"},
        {"; Kemra\n[path]\nRootPath = alt\nWendrakPath=W:\\ \n[Exchange]\nHost=ftp\nPassword=x", "",
         "; Kemra\n[path]\nRootPath = R:\\\nWendrakPath=W:\\ \nPelkamPath=P:\\\nIniFileName="
         "Kemra.ini\nPelkamExeName=P.exe\nWendrakTextPath=T:\\\nPelkamExportPath=E:\\\n"
         "[Exchange]\nHost=ftp\nPassword=x\n\n[Settings]\nMatrixDD=2;2\nMatrixDK=6;1\n"
         "MatrixKD=1;6\nMatrixKK=4;4\nUsername=J\xfcrgen\n"},
        {"[Path]\r\n" + kPathKeys +
             "[Settings]\r\nUsername=Erst\r\n[SETTINGS]\r\nusername=Zweit\r\n# Ende\r\n",
         "",
         "[Path]\r\n" + kPathKeys +
             "[Settings]\r\nUsername=Erst\r\n[SETTINGS]\r\nusername=J\xfcrgen\r\n" + kMatrixKeys +
             "# Ende\r\n"},
        {"[Path\r\nRootpath=a\r\n", line(1, "[Path")},
        {"[Path]\r\nA=1\r\n[]\r\n", line(3, "[]")},
        {"[Path]\nA=1\nNurText\n", line(3, "NurText")},
        {"[Path]\r\n =leer\r\n", line(2, " =leer")},
        {QByteArray("[Path]\r\nA=b\0c\r\n", 15), line(2, "A=bc")},
        {QByteArray("\xff\xfe[\0P\0]\0\r\0\n\0", 12), line(1, "ÿþ[P]")},
        {"\xef\xbb\xbf=1\r\n", line(1, "ï»¿=1")},
        {"<Ordner>", unreadable},
        {"<FIFO>", unreadable},
        {"", platform::AnsiFieldMessage("PelkamExeName"), {}, &Env::SetPelkamExeName, "Łódź.exe"},
        {"", folderChars.arg("Installationspfad"), {}, &Env::SetRootPath, "/home/łukasz/Данные/"},
        {"", folderChars.arg("Spieler Pelkam"), {}, &Env::SetPelkamExportPath, "/łódź/"},
        {"", lineBreak.arg("Ihr Name"), {}, &Env::SetUsername, "Anna\nBerta"},
        {"", lineBreak.arg("Texte Spielerverw."), {}, &Env::SetWendrakTextPath, "T:\\\r"},
    };
    for (const auto& row : rows) {
        TempRoot root;
        const QString path = root.root() + "Kemra.ini";
        if (row.before == "<Ordner>")
            QDir().mkdir(path);
        else if (row.before == "<FIFO>")
            ::mkfifo(QFile::encodeName(path).constData(), 0644);
        else if (!row.before.isEmpty())
            root.write("Kemra.ini", row.before);
        Env env = settingsToWrite(); // reading such a file gives the defaults, as before
        (env.*row.set)(QString::fromUtf8(row.typed));
        const bool saved = row.message.isEmpty();
        EXPECT_EQ(errorOf([&env] { env.WriteSettings(), env.WriteSettings(); }), // twice if saved
                  saved ? "(kein Fehler)" : row.message);
        const QFileInfo after(path); // a FIFO is not read: that would block
        EXPECT_EQ(after.isDir()    ? "<Ordner>"
                  : after.isFile() ? root.read("Kemra.ini")
                                   : QByteArray(after.exists() ? "<FIFO>" : ""),
                  saved ? row.after : row.before);
        if (!saved)
            continue;
        Env back; // the matrix keeps its default until read again
        EXPECT_EQ(back.MatrixKK(), "3;3");
        back.ReadSettings();
        EXPECT_EQ(allValues(back), allValues(env)); // every value as set
    }
    // Nor does the INI writer put a line break into any file.
    EXPECT_THROW(platform::IniFile("x.ini").writeString("Group", "Name", "a\nb"), WendrakError);
}

TEST(Settings, PayoffValueGivesTheFirstOrSecondNumber) {
    EXPECT_EQ(QList<double>({Env::GetMatrixPayoff("0;5", 1), Env::GetMatrixPayoff("0;5", 2),
                             Env::GetMatrixPayoff("7", 2)}),
              QList<double>({0, 5, 7}));
    for (const auto& [bad, index] : {std::pair("7", 1), {"x;1", 1}, {";3", 1}, {"", 1}, {"1;x", 2}})
        EXPECT_THROW(Env::GetMatrixPayoff(bad, index), WendrakError) << bad;
}

TEST(Settings, GroupValueComesFromTheGroupSection) {
    TempRoot root;
    const QString file =
        root.write("Temp/Description.ini", "[Group]\r\nName=Klasse 9a\r\n[Other]\r\nOrt=Bonn\r\n");
    EXPECT_EQ(QStringList({Env::ReadGroupValue(file, "name"), Env::ReadGroupValue(file, "Ort"),
                           Env::ReadGroupValue(root.root() + "fehlt.ini", "Name")}),
              QStringList({"Klasse 9a", "", ""}));
}

TEST(Settings, DeleteFilesLeavesFoldersAndDotEntries) {
    TempRoot root;
    const QString dir = root.root() + "Leeren/";
    for (const char* name : {"a.txt", "B.PLY", ".versteckt", "Unter/d.txt"})
        root.write(QString("Leeren/") + name, "x");
    Env::DeleteFiles(root.root() + "Leeren", "*.*"); // the folder without its "/"
    EXPECT_EQ(QDir(dir).entryList(QDir::Files | QDir::Hidden), QStringList({".versteckt"}));
    EXPECT_TRUE(QFileInfo::exists(dir + "Unter/d.txt"));
    EXPECT_NO_THROW(Env::DeleteFiles(root.root() + "Fehlt/", "*.*"));
}
