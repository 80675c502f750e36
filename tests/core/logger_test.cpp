// The CSV row logger: columns, rows, the header placeholder and saving.
#include "engine/uTLogger.h"

#include "TempRoot.h"
#include "platform/WendrakError.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

TEST(Logger, SavingCreatesTheFoldersAndReplacesInWindows1252OrSaysItCannot) {
    TempRoot root;
    TLogger empty, log;
    empty.SaveToFile(root.root() + "Neu/Tief/leer.csv");
    EXPECT_EQ(root.read("Neu/Tief/leer.csv"), QByteArray("\r\n")); // a new logger: one empty line
    root.write("b.csv", "alter Inhalt, viel länger als der neue\r\n");
    log.SetValue("Name", QString::fromUtf8("Jürgen"));
    log.SetValue("Datei", "Header.ply"); // the header word in any case becomes the header text
    log.WriteRow();
    log.SaveToFile(root.root() + "b.csv");
    EXPECT_EQ(root.read("b.csv"), QByteArray("Name,Datei,\r\nJ\xfcrgen,Name,Datei,.ply,\r\n"));
    root.write("Datei", "x");
    EXPECT_THROW(log.SaveToFile(root.root() + "Datei/Unter/a.csv"), WendrakError);
}

TEST(Logger, SavingTheSameBytesAgainLeavesTheFileAlone) {
    TempRoot root;
    const QString path = root.root() + "Debug/Runde_1.csv";
    const auto inode = [&path] {
        struct stat info {};
        return ::stat(QFile::encodeName(path).constData(), &info) == 0 ? info.st_ino : 0;
    };
    TLogger log;
    log.ColumnIndex("glbKons1");
    log.SaveToFile(path);
    const auto first = inode();
    log.SaveToFile(path);
    EXPECT_EQ(inode(), first); // a replace would have renamed a new file over it
    TLogger other;
    other.ColumnIndex("glbKons2");
    other.SaveToFile(path);
    EXPECT_EQ(root.read("Debug/Runde_1.csv"), QByteArray("glbKons2,\r\n"));
}

TEST(Logger, KeysIgnoreCaseAndClearingKeepsTheColumnsWithEmptyValues) {
    TLogger log;
    log.SetValue("Spieler1", "a");
    log.SetValue("SPIELER1", "b");
    log.SetValue("anzKK", "3");
    EXPECT_EQ(log.HeaderText(), "Spieler1,anzKK,");
    log.WriteRow();
    log.SetValue("a", "1");
    log.SetValue("b", "2");
    log.ClearValues(); // also empties the header text
    EXPECT_EQ(log.HeaderText(), "");
    log.SetValue("b", "3");
    log.WriteRow();
    EXPECT_EQ(log.Lines().mid(1), QStringList({"b,3,", ",3,"}));
}
