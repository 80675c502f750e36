// The headless driver as scripts use it: a run on an installation folder with its result
// window printed as text, a cancelled run, and a single game.
#include "FigureTestSupport.h"

#include <QProcess>
#include <gtest/gtest.h>

namespace {

struct Output {
    int exitCode = -1;
    QStringList lines;
    QString errors;
};

Output headless(const QStringList& args) {
    const char* bin = std::getenv("WENDRAK_BINARY_DIR");
    QProcess process;
    process.start(QString::fromLocal8Bit(bin ? bin : ".") + "/wendrak-headless", args);
    Output o;
    if (!process.waitForFinished(60000))
        return o;
    o.exitCode = process.exitCode();
    o.lines = QString::fromUtf8(process.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
    o.errors = QString::fromUtf8(process.readAllStandardError());
    return o;
}

class TournamentHeadless : public ::testing::Test {
protected:
    void SetUp() override {
        writePlayerFile(root.programFolder() + "Aktuelles Spiel/Kai.ply", uniformPlayer(10));
        writePlayerFile(root.programFolder() + "Aktuelles Spiel/Dora.ply", allD());
    }
    TempRoot root;
};

TEST_F(TournamentHeadless, RunPrintsResultCodeThenTheResultWindowAsText) {
    const Output o = headless({"run", "--root", root.root(), "--seed", "3", "--decimal", ","});
    ASSERT_EQ(o.exitCode, 0) << o.errors.toStdString();
    ASSERT_FALSE(o.lines.isEmpty());
    EXPECT_EQ(o.lines[0], "Ergebnis: 2");
    for (const char* line :
         {"[LabelAnzahlallerzuege] Anzahl aller Züge in dieser Gruppe: 500",
          "Platz: Platz;Name;Punkte;Spielertyp", "Platz: 1.;Dora;2500;Typ1", "Platz: 2.;Kai;0;Typ5",
          "Partien von Dora:", "  Dora;Kai;2500;0", "  Kai;Dora;0;2500",
          "Dienste: Maximum an Diensten:;500;500;500", "Dienste: Dora;500;0;500"})
        EXPECT_TRUE(o.lines.contains(QString::fromUtf8(line))) << line;
    EXPECT_EQ(root.read("Wendrak/Export.Txt").count("\r\n"), 2);
}

TEST_F(TournamentHeadless, CancelAtAGameReturnsZeroAndShowsNoResults) {
    const Output o = headless({"run", "--root", root.root(), "--cancel-at", "1:3"});
    ASSERT_EQ(o.exitCode, 0) << o.errors.toStdString();
    EXPECT_EQ(o.lines, QStringList{"Ergebnis: 0"});
    EXPECT_EQ(root.read("Debug/Spiel_Gesamt.csv").count("\r\n"), 4);
}

TEST_F(TournamentHeadless, PlayPrintsTheGameOutputsByName) {
    const Output o = headless({"play", "--root", root.root(), "Dora", "Kai", "--rounds", "10"});
    ASSERT_EQ(o.exitCode, 0) << o.errors.toStdString();
    EXPECT_EQ(
        o.lines,
        QStringList({"Punkte1=50", "Punkte2=0", "AnzKCounter=10", "anzKK=0", "anzDD=0", "anzDK=10",
                     "anzKD=0", "AnzNKK=0", "intSozEffQualTmp=0", "ErhalteneDienste1=10",
                     "ErwieseneDienste1=0", "ErhalteneDienste2=0", "ErwieseneDienste2=10"}));
}

TEST_F(TournamentHeadless, BadPlayerFileEndsWithTheGermanMessage) {
    root.write("Wendrak/Aktuelles Spiel/Kurz.ply", "zu kurz");
    const Output o = headless({"run", "--root", root.root()});
    EXPECT_EQ(o.exitCode, 1);
    EXPECT_TRUE(o.errors.startsWith("Fehler: ")) << o.errors.toStdString();
    EXPECT_TRUE(o.errors.contains("Kurz.ply"));
}

} // namespace
