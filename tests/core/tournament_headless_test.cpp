// The headless driver as scripts use it: a run on an installation folder with its result
// window printed as text, a cancelled run and a single game.
#include "FigureTestSupport.h"

#include <QProcess>
#include <gtest/gtest.h>

namespace {

class TournamentHeadless : public ::testing::Test {
protected:
    void SetUp() override {
        writePlayerFile(root.programFolder() + "Aktuelles Spiel/Kai.ply", uniformPlayer(10));
        writePlayerFile(root.programFolder() + "Aktuelles Spiel/Dora.ply", allD());
    }
    // The exit code, -1 when killed by a signal; fileSizeLimit in the shell's blocks.
    int headless(QStringList args, const QString& outputFile = {},
                 const QString& fileSizeLimit = "unlimited") {
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("LC_ALL", "C"); // a desktop without a locale of its own
        process.setProcessEnvironment(environment);
        if (!outputFile.isEmpty())
            process.setStandardOutputFile(outputFile);
        args.prepend(TempRoot::binaryDir() + "/wendrak-headless");
        const QString shell = "ulimit -f " + fileSizeLimit + "; exec \"$0\" \"$@\"";
        process.start("/bin/sh", QStringList{"-c", shell} + args << "--root" << root.root());
        const bool finished = process.waitForFinished(60000);
        lines = QString::fromUtf8(process.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
        errors = QString::fromUtf8(process.readAllStandardError());
        return finished && process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    }
    TempRoot root;
    QStringList lines;
    QString errors;
};

TEST_F(TournamentHeadless, RunPrintsResultCodeThenTheResultWindowAsTextUnlessCancelled) {
    ASSERT_EQ(headless({"run", "--cancel-at", "1:3"}), 0) << errors.toStdString();
    EXPECT_EQ(lines, QStringList{"Ergebnis: 0"}); // and no result window
    ASSERT_EQ(headless({"run", "--seed", "3", "--decimal", "."}), 0) << errors.toStdString();
    EXPECT_EQ(lines.value(0), "Ergebnis: 2");
    for (const char* line :
         {"Platz: 1.;Dora;2500;Typ1", "Partien von Dora:", "  Kai;Dora;0;2500",
          "Dienste: Dora;500;0;500",
          "[LabelSozEffQuant] Die soziale Effektivität quantitativer Art beträgt: 0.50"})
        EXPECT_TRUE(lines.contains(QString::fromUtf8(line))) << line;
    // Without --decimal the locale's separator, the German one under "C".
    ASSERT_EQ(headless({"run", "--seed", "3"}), 0) << errors.toStdString();
    EXPECT_TRUE(lines.contains(QString::fromUtf8(
        "[LabelSozEffQuant] Die soziale Effektivität quantitativer Art beträgt: 0,50")));
}

TEST_F(TournamentHeadless, SeededRunRepeatsItsFilesIncludingTheTestRunMeasures) {
    // Each time afresh, with a profile player whose measures come from drawn test runs.
    auto runFiles = [this] {
        SetUp();
        writePlayerFile(root.programFolder() + "Aktuelles Spiel/Mia.ply", uniformPlayer(5));
        EXPECT_EQ(headless({"run", "--seed", "11"}), 0) << errors.toStdString();
        return root.read("Wendrak/Zusammensetzung.Txt") +
               root.read("Wendrak/Aktuelles Spiel/Mia.ply") + root.read("Wendrak/Export.Txt");
    };
    const QByteArray first = runFiles();
    EXPECT_EQ(runFiles().toHex().toStdString(), first.toHex().toStdString());
}

TEST_F(TournamentHeadless, PlayPrintsTheGameOutputsByNameOfFiveHundredRoundsUnlessTold) {
    ASSERT_EQ(headless({"play", "Kai", "Dora"}), 0) << errors.toStdString();
    EXPECT_EQ(lines,
              QStringList({"Punkte1=0", "Punkte2=2500", "AnzKCounter=500", "anzKK=0", "anzDD=0",
                           "anzDK=0", "anzKD=500", "AnzNKK=0", "intSozEffQualTmp=0",
                           "ErhalteneDienste1=0", "ErwieseneDienste1=500", "ErhalteneDienste2=500",
                           "ErwieseneDienste2=0"}));
    ASSERT_EQ(headless({"play", "Dora", "Kai", "--rounds", "10"}), 0) << errors.toStdString();
    EXPECT_EQ(lines.mid(0, 3), QStringList({"Punkte1=50", "Punkte2=0", "AnzKCounter=10"}));
}

// Output that cannot be written, and a write beyond the file-size limit, fail the call with
// their message, not by a signal.
TEST_F(TournamentHeadless, WritesThatFailFailTheCallWithTheirMessage) {
    EXPECT_EQ(headless({"play", "Dora", "Kai", "--rounds", "10"}, "/dev/full"), 74);
    EXPECT_EQ(errors, "Fehler: Die Ausgabe kann nicht geschrieben werden.\n");
    EXPECT_EQ(headless({"run", "--seed", "3", "--debug"}, {}, "1"), 1);
    EXPECT_EQ(errors, "Fehler: Die Datei \"" + root.root() +
                          "Debug/Runde_1.csv\" kann nicht geschrieben werden.\n");
}

TEST_F(TournamentHeadless, TestRunsOnAReadOnlyPlayerShowTheMeasuresAndLeaveTheFile) {
    const QString plx = root.programFolder() + "SpielerStamm/Dora.plx";
    writePlayerFile(plx, allD());
    const QByteArray before = root.read("Wendrak/SpielerStamm/Dora.plx");
    ASSERT_EQ(headless({"test", plx}), 0) << errors.toStdString();
    EXPECT_TRUE(lines.contains("ErgebnisGegenK=5000")) << lines.join('|').toStdString();
    EXPECT_EQ(root.read("Wendrak/SpielerStamm/Dora.plx"), before);
}

} // namespace
