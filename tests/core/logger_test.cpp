// The CSV row logger: columns, rows, the header placeholder and saving.
#include "engine/uTLogger.h"

#include "platform/WendrakError.h"
#include "TempRoot.h"

#include <QFile>
#include <gtest/gtest.h>

TEST(Logger, NewLoggerSavesOneEmptyLine) {
    TempRoot root;
    TLogger log;
    log.SaveToFile(root.root() + "Neu/Tief/leer.csv");
    EXPECT_EQ(root.read("Neu/Tief/leer.csv"), QByteArray("\r\n"));
}

TEST(Logger, KeysIgnoreCaseAndKeepTheirFirstSpelling) {
    TLogger log;
    log.SetValue("Spieler1", "a");
    log.SetValue("SPIELER1", "b");
    log.SetValue("anzKK", "3");
    EXPECT_EQ(log.ColumnCount(), 2);
    EXPECT_EQ(log.HeaderText(), "Spieler1,anzKK,");
    EXPECT_EQ(log.Columns()[0].Value, "b");
    log.WriteRow();
    EXPECT_EQ(log.Lines().last(), "b,3,");
    EXPECT_EQ(log.ColumnCount(), 0);
}

TEST(Logger, RowsWithoutClearingRepeatTheKeysInTheHeader) {
    TempRoot root;
    TLogger log;
    for (int i = 1; i <= 2; ++i) {
        log.SetValue("zugnr", QString::number(i));
        log.SetValue("Erg.", "NKK");
        log.WriteRow();
    }
    log.SaveToFile(root.root() + "x.csv");
    EXPECT_EQ(root.read("x.csv"), QByteArray("zugnr,Erg.,zugnr,Erg.,\r\n1,NKK,\r\n2,NKK,\r\n"));
}

TEST(Logger, ClearingBeforeEachRowNamesOneRowsColumnsOnce) {
    TempRoot root;
    TLogger log;
    log.AddLine("frei");
    for (int i = 1; i <= 2; ++i) {
        log.ClearValues();
        log.SetValue("a", QString::number(i));
        log.SetValue("b", "x,y"); // written as given
        log.WriteRow();
    }
    log.SaveToFile(root.root() + "x.csv");
    EXPECT_EQ(root.read("x.csv"), QByteArray("a,b,\r\nfrei\r\n1,x,y,\r\n2,x,y,\r\n"));
}

TEST(Logger, ClearValuesKeepsColumnsWithEmptyValues) {
    TLogger log;
    log.SetValue("a", "1");
    log.SetValue("b", "2");
    log.ClearValues();
    EXPECT_EQ(log.HeaderText(), "");
    log.SetValue("b", "3");
    log.WriteRow();
    EXPECT_EQ(log.Lines().last(), ",3,");
}

TEST(Logger, HeaderWordInAValueIsReplacedAndTheFirstSaveFixesTheHeader) {
    TempRoot root;
    TLogger log;
    log.ClearValues();
    log.SetValue("k", "mein Header");
    log.WriteRow();
    log.SaveToFile(root.root() + "a.csv");
    EXPECT_EQ(root.read("a.csv"), QByteArray("k,\r\nmein k,,\r\n"));
    EXPECT_EQ(log.Lines().first(), "k,");

    log.ClearValues();
    log.SetValue("neu", "1");
    log.WriteRow();
    log.SaveToFile(root.root() + "a.csv");
    EXPECT_EQ(root.read("a.csv"), QByteArray("k,\r\nmein k,,\r\n1,\r\n"));
}

TEST(Logger, SavingReplacesAnExistingFileAndEncodesWindows1252) {
    TempRoot root;
    root.write("b.csv", "alter Inhalt, viel länger als der neue\r\n");
    TLogger log;
    log.SetValue("Name", QString::fromUtf8("Jürgen"));
    log.WriteRow();
    log.SaveToFile(root.root() + "b.csv");
    EXPECT_EQ(root.read("b.csv"), QByteArray("Name,\r\nJ\xfcrgen,\r\n"));
    // Saving the same content again leaves the file as it is.
    log.SaveToFile(root.root() + "b.csv");
    EXPECT_EQ(root.read("b.csv"), QByteArray("Name,\r\nJ\xfcrgen,\r\n"));
}

TEST(Logger, FolderThatCannotBeCreatedIsAnError) {
    TempRoot root;
    root.write("Datei", "x");
    TLogger log;
    log.AddLine("x");
    EXPECT_THROW(log.SaveToFile(root.root() + "Datei/Unter/a.csv"), WendrakError);
    EXPECT_EQ(log.Lines().size(), 2);
}
