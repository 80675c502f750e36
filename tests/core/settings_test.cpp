// The settings object and "Kemra.ini", payoff parsing, the [Group] reader, emptying folders.
#include "engine/uTApplicationEnviroment.h"

#include "TempRoot.h"
#include "platform/WendrakError.h"

#include <QDir>
#include <QFileInfo>
#include <gtest/gtest.h>

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
    EXPECT_TRUE(root.read("Kemra.ini").contains("[Path]\r\nRootpath=D:\\Schule\\\r\n"));
    Env env;
    EXPECT_EQ(QStringList({env.RootPath(), env.WendrakPath(), env.Username(), env.MatrixKK()}),
              QStringList({"D:\\Schule\\", root.root() + "Daten\\Wendrak\\", "Klasse 7b", "3;3"}));
    env.ReadSettings();
    EXPECT_EQ(env.MatrixKK(), "5;5");
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
