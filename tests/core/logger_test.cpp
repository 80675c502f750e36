// The CSV row logger: columns, rows, the header placeholder and saving.
#include "engine/uTLogger.h"

#include "platform/WendrakError.h"
#include "TempRoot.h"

#include <gtest/gtest.h>

namespace {

// What the logger writes into a fresh file.
QByteArray saved(TLogger& log) {
    TempRoot root;
    log.SaveToFile(root.root() + "x.csv");
    return root.read("x.csv");
}

} // namespace

TEST(Logger, SavingCreatesTheFoldersOrSaysItCannot) {
    TempRoot root;
    TLogger log;
    log.SaveToFile(root.root() + "Neu/Tief/leer.csv");
    EXPECT_EQ(root.read("Neu/Tief/leer.csv"), QByteArray("\r\n")); // a new logger: one empty line
    root.write("Datei", "x");
    EXPECT_THROW(log.SaveToFile(root.root() + "Datei/Unter/a.csv"), WendrakError);
}

TEST(Logger, KeysIgnoreCaseAndClearingKeepsTheColumnsWithEmptyValues) {
    TLogger log;
    log.SetValue("Spieler1", "a");
    log.SetValue("SPIELER1", "b");
    log.SetValue("anzKK", "3");
    EXPECT_EQ(log.HeaderText(), "Spieler1,anzKK,");
    log.WriteRow();
    EXPECT_EQ(log.Lines().last(), "b,3,");
    EXPECT_EQ(log.ColumnCount(), 0); // a row takes its columns along

    log.SetValue("a", "1");
    log.SetValue("b", "2");
    log.ClearValues();
    EXPECT_EQ(log.HeaderText(), "");
    log.SetValue("b", "3");
    log.WriteRow();
    EXPECT_EQ(log.Lines().last(), ",3,");
}

TEST(Logger, HeaderRepeatsTheKeysOfRowsWrittenWithoutClearing) {
    TLogger repeated, cleared;
    cleared.AddLine("frei");
    for (int i = 1; i <= 2; ++i) {
        cleared.ClearValues();
        for (TLogger* log : {&repeated, &cleared}) {
            log->SetValue("zugnr", QString::number(i));
            log->SetValue("Erg.", "N,K"); // written as given
            log->WriteRow();
        }
    }
    EXPECT_EQ(saved(repeated), QByteArray("zugnr,Erg.,zugnr,Erg.,\r\n1,N,K,\r\n2,N,K,\r\n"));
    EXPECT_EQ(saved(cleared), QByteArray("zugnr,Erg.,\r\nfrei\r\n1,N,K,\r\n2,N,K,\r\n"));
}

TEST(Logger, HeaderWordInAValueIsReplacedAndTheFirstSaveFixesTheHeader) {
    TempRoot root;
    TLogger log;
    log.SetValue("k", "mein Header");
    log.WriteRow();
    log.SaveToFile(root.root() + "a.csv");
    EXPECT_EQ(root.read("a.csv"), QByteArray("k,\r\nmein k,,\r\n"));

    log.ClearValues();
    log.SetValue("neu", "1");
    log.WriteRow();
    log.SaveToFile(root.root() + "a.csv");
    EXPECT_EQ(root.read("a.csv"), QByteArray("k,\r\nmein k,,\r\n1,\r\n"));
}

TEST(Logger, SavingReplacesAnExistingFileInWindows1252) {
    TempRoot root;
    root.write("b.csv", "alter Inhalt, viel länger als der neue\r\n");
    TLogger log;
    log.SetValue("Name", QString::fromUtf8("Jürgen"));
    log.WriteRow();
    for (int i = 0; i < 2; ++i) { // the second save finds the same bytes and keeps the file
        log.SaveToFile(root.root() + "b.csv");
        EXPECT_EQ(root.read("b.csv"), QByteArray("Name,\r\nJ\xfcrgen,\r\n"));
    }
}
