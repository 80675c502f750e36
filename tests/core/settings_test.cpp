// The settings object and "Kemra.ini", payoff parsing, the [Group] reader, emptying folders.
#include "engine/uTApplicationEnviroment.h"

#include "TempRoot.h"
#include "engine_fixtures.h"
#include "platform/Ansi.h"

#include <QDir>
#include <QFileInfo>
#include <gtest/gtest.h>
#include <sys/stat.h>

using Env = TApplicationEnviroment;

TEST(Settings, WithoutAFileEverythingHasItsDefaultBelowTheRoot) {
    TempRoot root;
    const Env env;
    const QString r = root.root();
    EXPECT_EQ(
        QStringList({env.RootPath(), env.WendrakPath(), env.PelkamPath(), env.WendrakTextPath(),
                     env.PelkamExportPath(), env.IniFileName(), env.PelkamExeName(), env.Username(),
                     env.MatrixKK(), env.MatrixKD(), env.MatrixDK(), env.MatrixDD()}),
        QStringList({r, r + "Wendrak/", r + "Wendrak Pelkam/", r + "Wendrak/Texte/",
                     r + "Wendrak/PelkamSpieler/", r + "Kemra.ini", "Pelkam.exe", "Kemrafeld",
                     "3;3", "0;5", "5;0", "1;1"}));
    // The parent of the program folder is the current directory from now on.
    EXPECT_EQ(QFileInfo(QDir::currentPath()).canonicalFilePath(), QFileInfo(r).canonicalFilePath());
    EXPECT_FALSE(QFileInfo::exists(r + "Kemra.ini"));     // reading writes nothing
    EXPECT_THROW(Env(r + "Fehlt/wendrak"), WendrakError); // a folder that cannot be entered
}

TEST(Settings, MatrixIsTheDefaultUntilReadAgainAndWrittenSettingsReadBackRaw) {
    TempRoot root;
    root.write("Kemra.ini", "[Settings]\r\nMatrixKK=4;4\r\nUsername=Klasse 7b\r\n");
    Env first; // the matrix keeps its default until read again
    EXPECT_EQ(QStringList({first.MatrixKK(), first.Username()}), QStringList({"3;3", "Klasse 7b"}));
    first.SetRootPath("D:\\Schule\\");
    first.SetWendrakPath(root.root() + "Daten\\Wendrak\\");
    first.SetMatrixKK("5;5");
    first.WriteSettings();
    Env env;
    EXPECT_EQ(QStringList({env.RootPath(), env.WendrakPath(), env.Username(), env.MatrixKK()}),
              QStringList({"D:\\Schule\\", root.root() + "Daten\\Wendrak\\", "Klasse 7b", "3;3"}));
    env.ReadSettings();
    EXPECT_EQ(env.MatrixKK(), "5;5");
}

namespace {

// A settings object on a fresh root whose every value is set, the file named relative to the
// root (the current directory), so every byte the file gets is known.
Env settingsToWrite() {
    Env env;
    env.SetIniFileName("Kemra.ini");
    env.SetRootPath("R:\\");
    env.SetPelkamPath("P:\\");
    env.SetWendrakPath("W:\\");
    env.SetWendrakTextPath("T:\\");
    env.SetPelkamExportPath("E:\\");
    env.SetUsername("Anna");
    return env;
}

const QByteArray kPathKeys = "Rootpath=R:\\\r\nPelkamPath=P:\\\r\nIniFileName=Kemra.ini\r\n"
                             "WendrakPath=W:\\\r\nPelkamExeName=Pelkam.exe\r\nWendrakTextPath=T:"
                             "\\\r\nPelkamExportPath=E:\\\r\n";
const QByteArray kMatrixKeys = "MatrixDD=1;1\r\nMatrixDK=5;0\r\nMatrixKD=0;5\r\nMatrixKK=3;3\r\n";

} // namespace

// A save changes the program's own keys where they stand (the occurrence the reader takes),
// adds missing ones at the end of their section or file with the file's line end, keeps
// every other byte, writes through a link to its target, and a second save changes nothing.
TEST(Settings, WriteSettingsUpdatesTheFileInPlace) {
    const struct {
        QByteArray before, after;
        bool link;
    } rows[] = {
        {"", "[Path]\r\n" + kPathKeys + "\r\n[Settings]\r\n" + kMatrixKeys + "Username=Anna\r\n",
         false},
        {"; Kemra\n[path]\nRootPath = alt\nWendrakPath=W:\\ \n[Exchange]\nHost=ftp\nPassword=x",
         "; Kemra\n[path]\nRootPath = R:\\\nWendrakPath=W:\\ \nPelkamPath=P:\\\nIniFileName="
         "Kemra.ini\nPelkamExeName=Pelkam.exe\nWendrakTextPath=T:\\\nPelkamExportPath=E:\\\n"
         "[Exchange]\nHost=ftp\nPassword=x\n\n[Settings]\nMatrixDD=1;1\nMatrixDK=5;0\n"
         "MatrixKD=0;5\nMatrixKK=3;3\nUsername=Anna\n",
         true},
        {"[Path]\r\n" + kPathKeys +
             "[Settings]\r\nUsername=Erst\r\n[SETTINGS]\r\nusername=Zweit\r\n# Ende\r\n",
         "[Path]\r\n" + kPathKeys +
             "[Settings]\r\nUsername=Erst\r\n[SETTINGS]\r\nusername=Anna\r\n" + kMatrixKeys +
             "# Ende\r\n",
         false},
    };
    for (const auto& row : rows) {
        TempRoot root;
        if (row.link) {
            root.write("Echt/ziel.ini", row.before);
            ASSERT_TRUE(QFile::link(root.root() + "Echt/ziel.ini", root.root() + "Kemra.ini"));
        } else if (!row.before.isEmpty()) {
            root.write("Kemra.ini", row.before);
        }
        Env env = settingsToWrite();
        env.WriteSettings();
        EXPECT_EQ(root.read("Kemra.ini"), row.after);
        env.WriteSettings();
        EXPECT_EQ(root.read("Kemra.ini"), row.after);
        EXPECT_EQ(QFileInfo(root.root() + "Kemra.ini").isSymLink(), row.link);
        EXPECT_EQ(Env().Username(), "Anna");
    }
}

// What a save cannot keep stops it before anything is written: a file not understood line
// for line (named with its first such line), one that cannot be read, and a value the file
// cannot hold as typed (named by its field). Reading such a file still works.
TEST(Settings, WriteSettingsRefusesWhatItWouldLoseAndWritesNothing) {
    const auto line = [](int number, const char* text) {
        return QString::fromUtf8("Die Datei \"Kemra.ini\" wird nicht geschrieben, weil Zeile %1 "
                                 "nicht verstanden wird: \"%2\". Verstanden werden leere Zeilen, "
                                 "Kommentare mit \";\" oder \"#\", Abschnitte \"[Name]\" und "
                                 "Zeilen \"Schlüssel=Wert\".")
            .arg(number)
            .arg(QString::fromUtf8(text));
    };
    const QString unreadable =
        "Die Datei \"Kemra.ini\" kann nicht gelesen werden und wird deshalb nicht geschrieben.";
    const QByteArray good = "[Settings]\r\nUsername=Anna\r\n";
    const QString folderChars =
        QString::fromUtf8("Das Feld „%1“ enthält Zeichen, die nicht gespeichert werden können. "
                          "Der Name des Installationsordners darf nur aus Zeichen des "
                          "Windows-Zeichensatzes (Windows-1252) bestehen.");
    enum Kind { Bytes, Folder, Fifo };
    const struct {
        Kind kind;
        QByteArray file;
        void (Env::*set)(const QString&);
        const char* typed;
        QString message;
    } rows[] = {
        {Bytes, "[Path\r\nRootpath=a\r\n", nullptr, "", line(1, "[Path")},
        {Bytes, "[Path]\r\nA=1\r\n[]\r\n", nullptr, "", line(3, "[]")},
        {Bytes, "[Path]\nA=1\nNurText\n", nullptr, "", line(3, "NurText")},
        {Bytes, "[Path]\r\n =leer\r\n", nullptr, "", line(2, " =leer")},
        {Bytes, QByteArray("[Path]\r\nA=b\0c\r\n", 15), nullptr, "", line(2, "A=bc")},
        {Bytes, QByteArray("\xff\xfe[\0P\0]\0\r\0\n\0", 12), nullptr, "", line(1, "ÿþ[P]")},
        {Bytes,
         "\xef\xbb\xbf"
         "A=1\r\n",
         nullptr, "", line(1, "ï»¿A=1")},
        {Folder, "", nullptr, "", unreadable},
        {Fifo, "", nullptr, "", unreadable},
        {Bytes, good, &Env::SetUsername, "Łukasz", platform::AnsiFieldMessage("Ihr Name")},
        {Bytes, good, &Env::SetRootPath, "/home/łukasz/Данные/",
         folderChars.arg("Installationspfad")},
        {Bytes, good, &Env::SetPelkamExportPath, "/łódź/", folderChars.arg("Spieler Pelkam")},
        {Bytes, good, &Env::SetUsername, "Anna\nBerta",
         QString::fromUtf8("Das Feld „Ihr Name“ enthält einen Zeilenumbruch, der nicht gespeichert "
                           "werden kann.")},
        {Bytes, good, &Env::SetWendrakTextPath, "T:\\\r",
         QString::fromUtf8("Das Feld „Texte Spielerverw.“ enthält einen Zeilenumbruch, der nicht "
                           "gespeichert werden kann.")},
    };
    for (const auto& row : rows) {
        TempRoot root;
        const QByteArray path = QFile::encodeName(root.root() + "Kemra.ini");
        if (row.kind == Bytes)
            root.write("Kemra.ini", row.file);
        ASSERT_TRUE(row.kind != Folder || QDir().mkdir(root.root() + "Kemra.ini"));
        ASSERT_TRUE(row.kind != Fifo || ::mkfifo(path.constData(), 0644) == 0);
        Env env = settingsToWrite(); // reading such a file gives the defaults, as before
        if (row.set)
            (env.*row.set)(QString::fromUtf8(row.typed));
        EXPECT_EQ(errorOf([&env] { env.WriteSettings(); }), row.message) << row.typed;
        EXPECT_EQ(row.kind == Fifo ? "" : root.read("Kemra.ini"), row.file); // a FIFO blocks
        struct stat info {};
        EXPECT_TRUE(::stat(path.constData(), &info) == 0 &&
                    (row.kind != Bytes || S_ISREG(info.st_mode)) &&
                    (row.kind != Fifo || S_ISFIFO(info.st_mode)));
    }
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
