// The settings object and "Kemra.ini": defaults, the forced default matrix, write-back
// with "Rootpath", payoff parsing, the [Group] reader and emptying folders.
#include "engine/uTApplicationEnviroment.h"

#include "platform/NumberFormat.h"
#include "platform/WendrakError.h"
#include "TempRoot.h"

#include <QDir>
#include <QFileInfo>
#include <gtest/gtest.h>

namespace {

QString canonical(const QString& path) {
    return QFileInfo(path).canonicalFilePath();
}

} // namespace

TEST(Settings, WithoutAFileEverythingHasItsDefaultBelowTheRoot) {
    TempRoot root;
    const TApplicationEnviroment env;
    const QString r = root.root();
    EXPECT_EQ(env.RootPath(), r);
    EXPECT_EQ(env.WendrakPath(), r + "Wendrak/");
    EXPECT_EQ(env.PelkamPath(), r + "Wendrak Pelkam/");
    EXPECT_EQ(env.WendrakTextPath(), r + "Wendrak/Texte/");
    EXPECT_EQ(env.PelkamExportPath(), r + "Wendrak/PelkamSpieler/");
    EXPECT_EQ(env.IniFileName(), r + "Kemra.ini");
    EXPECT_EQ(env.PelkamExeName(), "Pelkam.exe");
    EXPECT_EQ(env.Username(), "Kemrafeld");
    EXPECT_EQ(env.MatrixKK(), "3;3");
    EXPECT_EQ(env.MatrixKD(), "0;5");
    EXPECT_EQ(env.MatrixDK(), "5;0");
    EXPECT_EQ(env.MatrixDD(), "1;1");
    // The parent of the program folder is the current directory from now on.
    EXPECT_EQ(canonical(QDir::currentPath()), canonical(r));
    EXPECT_FALSE(QFileInfo::exists(r + "Kemra.ini")); // reading writes nothing
}

TEST(Settings, FreshObjectHoldsTheDefaultMatrixUntilReadAgain) {
    TempRoot root;
    root.write("Kemra.ini", "[Settings]\r\nMatrixKK=4;4\r\nmatrixdd=2;2\r\nUsername=Klasse 7b\r\n");
    TApplicationEnviroment env;
    EXPECT_EQ(env.MatrixKK(), "3;3");
    EXPECT_EQ(env.MatrixDD(), "1;1");
    EXPECT_EQ(env.Username(), "Klasse 7b");
    env.ReadSettings();
    EXPECT_EQ(env.MatrixKK(), "4;4");
    EXPECT_EQ(env.MatrixDD(), "2;2"); // keys ignore case
    EXPECT_EQ(env.MatrixKD(), "0;5");
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
    EXPECT_TRUE(text.contains("[Path]"));
    EXPECT_TRUE(text.contains("Rootpath=D:\\Schule\\\r\n")) << text.constData();
    EXPECT_TRUE(text.contains("Username=Frau M\xfcller\r\n")); // Windows-1252
    EXPECT_TRUE(text.contains("x=1"));

    TApplicationEnviroment env;
    EXPECT_EQ(env.RootPath(), "D:\\Schule\\");
    EXPECT_EQ(env.WendrakPath(), root.root() + "Daten\\Wendrak\\");
    EXPECT_EQ(env.Username(), QString::fromUtf8("Frau Müller"));
    EXPECT_EQ(env.MatrixKK(), "3;3");
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
    root.write("Leeren/a.txt", "a");
    root.write("Leeren/B.PLY", "b");
    root.write("Leeren/.versteckt", "c");
    root.write("Leeren/Unter/d.txt", "d");
    TApplicationEnviroment::DeleteFiles(root.root() + "Leeren", "*.txt");
    EXPECT_FALSE(QFileInfo::exists(dir + "a.txt"));
    EXPECT_TRUE(QFileInfo::exists(dir + "B.PLY"));
    TApplicationEnviroment::DeleteFiles(dir, "*.*");
    EXPECT_FALSE(QFileInfo::exists(dir + "B.PLY"));
    EXPECT_TRUE(QFileInfo::exists(dir + ".versteckt"));
    EXPECT_TRUE(QFileInfo::exists(dir + "Unter/d.txt"));
    EXPECT_NO_THROW(TApplicationEnviroment::DeleteFiles(root.root() + "Fehlt/", "*.*"));
}
