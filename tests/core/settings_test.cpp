// The settings object and "Kemra.ini": defaults, the forced default matrix, write-back
// with "Rootpath", payoff parsing, the [Group] reader and emptying folders.
#include "engine/uTApplicationEnviroment.h"

#include "platform/NumberFormat.h"
#include "platform/WendrakError.h"
#include "TempRoot.h"

#include <QDir>
#include <QFileInfo>
#include <gtest/gtest.h>

TEST(Settings, WithoutAFileEverythingHasItsDefaultBelowTheRoot) {
    TempRoot root;
    const TApplicationEnviroment env;
    const QString r = root.root();
    EXPECT_EQ(QStringList({env.RootPath(), env.WendrakPath(), env.PelkamPath(),
                           env.WendrakTextPath(), env.PelkamExportPath(), env.IniFileName()}),
              QStringList({r, r + "Wendrak/", r + "Wendrak Pelkam/", r + "Wendrak/Texte/",
                           r + "Wendrak/PelkamSpieler/", r + "Kemra.ini"}));
    EXPECT_EQ(QStringList({env.PelkamExeName(), env.Username(), env.MatrixKK(), env.MatrixKD(),
                           env.MatrixDK(), env.MatrixDD()}),
              QStringList({"Pelkam.exe", "Kemrafeld", "3;3", "0;5", "5;0", "1;1"}));
    // The parent of the program folder is the current directory from now on.
    EXPECT_EQ(QFileInfo(QDir::currentPath()).canonicalFilePath(), QFileInfo(r).canonicalFilePath());
    EXPECT_FALSE(QFileInfo::exists(r + "Kemra.ini")); // reading writes nothing
}

TEST(Settings, FreshObjectHoldsTheDefaultMatrixUntilReadAgain) {
    TempRoot root;
    root.write("Kemra.ini", "[Settings]\r\nMatrixKK=4;4\r\nmatrixdd=2;2\r\nUsername=Klasse 7b\r\n");
    TApplicationEnviroment env;
    EXPECT_EQ(QStringList({env.MatrixKK(), env.MatrixDD(), env.Username()}),
              QStringList({"3;3", "1;1", "Klasse 7b"}));
    env.ReadSettings(); // keys ignore case
    EXPECT_EQ(QStringList({env.MatrixKK(), env.MatrixDD(), env.MatrixKD()}),
              QStringList({"4;4", "2;2", "0;5"}));
}

TEST(Settings, WrittenSettingsReadBackWithRootpathAndRawValues) {
    TempRoot root;
    root.write("Kemra.ini", "; a comment stays\r\n[Other]\r\nx=1\r\n");
    {
        TApplicationEnviroment env;
        env.SetRootPath("D:\\Schule\\");
        env.SetWendrakPath(root.root() + "Daten\\Wendrak\\");
        env.SetUsername("Frau Müller");
        env.SetMatrixKK("4;4");
        env.WriteSettings();
    }
    const QByteArray text = root.read("Kemra.ini");
    for (const char* part : {"; a comment stays", "x=1", "[Path]", "Rootpath=D:\\Schule\\\r\n",
                             "Username=Frau M\xfcller\r\n"}) // Windows-1252
        EXPECT_TRUE(text.contains(part)) << part << "\n" << text.constData();

    TApplicationEnviroment env;
    EXPECT_EQ(QStringList({env.RootPath(), env.WendrakPath(), env.Username(), env.MatrixKK()}),
              QStringList({"D:\\Schule\\", root.root() + "Daten\\Wendrak\\",
                           QString::fromUtf8("Frau Müller"), "3;3"}));
    env.ReadSettings();
    EXPECT_EQ(env.MatrixKK(), "4;4");
}

TEST(Settings, StoredIniFileNameRedirectsLaterReadingAndWriting) {
    TempRoot root;
    const QString other = root.root() + "Andere.ini";
    root.write("Kemra.ini", ("[Path]\r\nIniFileName=" + other + "\r\n").toUtf8());
    root.write("Andere.ini", "[Settings]\r\nUsername=Gruppe B\r\n");
    TApplicationEnviroment env;
    EXPECT_EQ(env.IniFileName(), other);
    EXPECT_EQ(env.Username(), "Kemrafeld"); // the first reading took Kemra.ini
    env.ReadSettings();
    EXPECT_EQ(env.Username(), "Gruppe B");
    EXPECT_EQ(env.RootPath(), root.root()); // defaults from the folder of the other file
}

TEST(Settings, ProgramFolderThatCannotBeEnteredIsAnError) {
    TempRoot root;
    EXPECT_THROW(TApplicationEnviroment(root.root() + "Fehlt/wendrak"), WendrakError);
}

TEST(Settings, PayoffValueGivesTheFirstOrSecondNumber) {
    platform::setDecimalSeparator(QLatin1Char(','));
    struct Row { const char* value; int index; double points; };
    const Row rows[] = {{"0;5", 1, 0}, {"0;5", 2, 5}, {"5;0", 1, 5}, {"3;3", 7, 3},
                        {"7", 2, 7},   {"2,5;1", 1, 2.5}, {"-1;4", 1, -1}};
    for (const Row& r : rows)
        EXPECT_DOUBLE_EQ(TApplicationEnviroment::GetMatrixPayoff(r.value, r.index), r.points)
            << r.value << " " << r.index;
    for (const char* bad : {"7", "x;1", ";3", ""})
        EXPECT_THROW(TApplicationEnviroment::GetMatrixPayoff(bad, 1), WendrakError) << bad;
    EXPECT_THROW(TApplicationEnviroment::GetMatrixPayoff("1;x", 2), WendrakError);
}

TEST(Settings, GroupValueComesFromTheGroupSection) {
    TempRoot root;
    const QString file = root.write("Temp/Description.ini",
                                    "[Group]\r\nName=Klasse 9a\r\n[Other]\r\nOrt=Bonn\r\n");
    EXPECT_EQ(TApplicationEnviroment::ReadGroupValue(file, "name"), "Klasse 9a");
    EXPECT_EQ(TApplicationEnviroment::ReadGroupValue(file, "Ort"), "");
    EXPECT_EQ(TApplicationEnviroment::ReadGroupValue(root.root() + "fehlt.ini", "Name"), "");
}

TEST(Settings, DeleteFilesLeavesFoldersAndDotEntries) {
    TempRoot root;
    const QString dir = root.root() + "Leeren/";
    for (const char* name : {"a.txt", "B.PLY", ".versteckt", "Unter/d.txt"})
        root.write(QString("Leeren/") + name, "x");
    const auto left = [&dir] { return QDir(dir).entryList(QDir::Files | QDir::Hidden); };
    TApplicationEnviroment::DeleteFiles(root.root() + "Leeren", "*.txt");
    EXPECT_EQ(left(), QStringList({".versteckt", "B.PLY"}));
    TApplicationEnviroment::DeleteFiles(dir, "*.*");
    EXPECT_EQ(left(), QStringList({".versteckt"}));
    EXPECT_TRUE(QFileInfo::exists(dir + "Unter/d.txt"));
    EXPECT_NO_THROW(TApplicationEnviroment::DeleteFiles(root.root() + "Fehlt/", "*.*"));
}
