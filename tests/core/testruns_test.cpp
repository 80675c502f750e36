// The player test runs against a fixed opponent and the peacefulness score, on files.
#include "engine/WendrakCalc.h"

#include "engine/uTApplicationEnviroment.h"
#include "engine_fixtures.h"
#include "platform/WendrakError.h"
#include "TempRoot.h"

#include <QFileInfo>
#include <gtest/gtest.h>

namespace {

class TestRuns : public ::testing::Test {
protected:
    TempRoot root;
    QString path;

    void SetUp() override {
        SharedRandom().reseed(2024);
        path = root.programFolder() + "SpielerStamm/Test.ply";
    }
    void put(const SpielerTyp& p) { writePlayerFile(path, p); }
    SpielerTyp runAll(bool force = true) {
        TestAgainstDefector(path, force);
        TestRepeatedExploitation(path, force);
        TestAgainstCooperator(path, force);
        ComputePeacefulness(path, force);
        return readPlayerFile(path);
    }
};

} // namespace

TEST_F(TestRuns, PlayerWhoAlwaysGivesWayIsExploitable) {
    SpielerTyp p = profile(kAlwaysK);
    p.VerteidigtSicher.set("Ja");
    put(p);
    const SpielerTyp r = runAll();
    EXPECT_EQ(r.ErgebnisGegenD, 0);
    EXPECT_EQ(r.GeschaeftsmaessigAusbeutbar.get(), "Ja");
    EXPECT_EQ(r.ErgebnisNachEntgegenkommen, 0);
    EXPECT_EQ(r.ErgebnisGegenK, 3000);
    EXPECT_EQ(r.Friedfertigkeit, 1000);
    EXPECT_EQ(r.MasseGueltig, 0); // the runs never set it
}

TEST_F(TestRuns, PlayerWhoNeverGivesWayScoresAgainstBothOpponents) {
    SpielerTyp p = profile(kAlwaysD);
    p.VerteidigtSicher.set("Ja");
    put(p);
    SpielerTyp r = runAll();
    EXPECT_EQ(r.ErgebnisGegenD, 1000);
    EXPECT_EQ(r.GeschaeftsmaessigAusbeutbar.get(), "Nein");
    EXPECT_EQ(r.ErgebnisNachEntgegenkommen, -1);
    EXPECT_EQ(r.ErgebnisGegenK, 5000);
    EXPECT_EQ(r.Friedfertigkeit, 0);

    p.VerteidigtSicher.set("k.A.");
    put(p);
    r = runAll();
    EXPECT_EQ(r.GeschaeftsmaessigAusbeutbar.get(), "k.A.");
}

TEST_F(TestRuns, RepeatedExploitationCountsTheThousandRoundsAfterTheFirstK) {
    // Holds out everywhere except after mutual holding out under an even standing.
    SpielerTyp p = profile(kAlwaysD);
    setAnswer(p, SitNDD, kAlwaysK);
    put(p);
    TestRepeatedExploitation(path, true);
    // Round 1 D, round 2 K (from NDD), round 3 D (from NDK), then under standing +1 only
    // MDD: D. The 1000 rounds after round 2 are all D against D: 1000 points.
    EXPECT_EQ(readPlayerFile(path).ErgebnisNachEntgegenkommen, 1000);
}

TEST_F(TestRuns, ValidMeasuresAreLeftAloneUnlessForced) {
    SpielerTyp p = profile(kAlwaysD);
    p.MasseGueltig = 1;
    p.ErgebnisGegenD = 123;
    p.Friedfertigkeit = 456;
    put(p);
    const QDateTime before = QFileInfo(path).lastModified();
    const SpielerTyp r = runAll(false);
    EXPECT_EQ(r.ErgebnisGegenD, 123);
    EXPECT_EQ(r.Friedfertigkeit, 456);
    EXPECT_EQ(QFileInfo(path).lastModified(), before);

    const SpielerTyp forced = runAll(true);
    EXPECT_EQ(forced.ErgebnisGegenD, 1000);
    EXPECT_EQ(forced.Friedfertigkeit, 0);
    EXPECT_EQ(forced.MasseGueltig, 1);
}

TEST_F(TestRuns, AutomatonGoesOnFromItsStoredPositionsAndKeepsItsTrait) {
    SpielerTyp a = automaton({MoveK, MoveD, MoveD});
    a.GeschaeftsmaessigAusbeutbar.set("Nein");
    for (AutomatTyp& x : a.Automat)
        x.Position = 3; // every entry already at its last move: D
    put(a);
    TestAgainstDefector(path, true);
    SpielerTyp r = readPlayerFile(path);
    // Round 1 is Zug[1] of "1. Tag" (K), then every entry repeats its third move.
    EXPECT_EQ(r.ErgebnisGegenD, 999);
    EXPECT_EQ(r.GeschaeftsmaessigAusbeutbar.get(), "Nein");
    EXPECT_EQ(r.Automat[SitNDK].Position, 3);

    // From position 0 the entries play K, D, D and stop at their third move.
    for (AutomatTyp& x : a.Automat)
        x.Position = 0;
    put(a);
    TestAgainstCooperator(path, true);
    r = readPlayerFile(path);
    EXPECT_EQ(r.Automat[SitErsterTag].Position, 0); // the first move does not move it
    // NKK plays K, D; the exploitation leads to PKK and PKD, which reach their third move.
    EXPECT_EQ(r.Automat[SitNKK].Position, 2);
    EXPECT_EQ(r.Automat[SitPKK].Position, 3);
    EXPECT_EQ(r.Automat[SitPKD].Position, 3);
    EXPECT_EQ(r.ErgebnisGegenK, 5 * 3 + 995 * 5); // K in rounds 1, 2, 4, 5 and 7
}

TEST_F(TestRuns, TestRunsStartFromTheirOwnConsensusState) {
    // A game leaves a consensus flag and an exploitation count behind; the test run of a
    // player that is not consensus-oriented must still answer mutual K from NKK.
    WendrakEngine& e = SharedEngine();
    e.glbKons1 = 1;
    e.ExploitCount1 = 5;
    SpielerTyp p = profile(kAlwaysK);
    setAnswer(p, SitMKD, kAlwaysD);
    put(p);
    TestAgainstCooperator(path, true);
    EXPECT_EQ(readPlayerFile(path).ErgebnisGegenK, 3000);
    EXPECT_EQ(e.glbKons1, 0);

    // A consensus-oriented player exploits nobody here, so it also stays on NKK.
    p.Spielertyp = 3;
    for (int s : {SitNDD, SitMKD, SitPKD})
        setAnswer(p, s, kAlwaysD);
    ASSERT_EQ(ConsensusFlag(p), 1);
    put(p);
    TestAgainstCooperator(path, true);
    EXPECT_EQ(readPlayerFile(path).ErgebnisGegenK, 3000);
}

TEST_F(TestRuns, SettingsMatrixScoresTheRounds) {
    root.write("Kemra.ini", "[Settings]\r\nMatrixKK=2;2\r\n");
    TApplicationEnviroment settings;
    settings.ReadSettings();
    put(profile(kAlwaysK));
    TestAgainstCooperator(path, true, &settings);
    EXPECT_EQ(readPlayerFile(path).ErgebnisGegenK, 2000);
}

TEST_F(TestRuns, MissingOrShortFileIsReportedAndNothingIsWritten) {
    const QString shortFile = root.write("Wendrak/SpielerStamm/Kurz.ply", QByteArray(2399, 'x'));
    for (const QString& file : {root.root() + "fehlt.ply", shortFile}) {
        try {
            TestAgainstDefector(file, true);
            ADD_FAILURE() << file.toStdString();
        } catch (const WendrakError& e) {
            EXPECT_TRUE(e.message().contains(QFileInfo(file).fileName())) << e.what();
        }
        EXPECT_THROW(ComputePeacefulness(file, true), WendrakError);
    }
    EXPECT_FALSE(QFileInfo::exists(root.root() + "fehlt.ply"));
    EXPECT_EQ(root.read("Wendrak/SpielerStamm/Kurz.ply"), QByteArray(2399, 'x'));
}

TEST(Peacefulness, ProfileScoreFromFirstMovesAndMutualGivingWay) {
    struct Row { int a, d, k8, d8, score; };
    const Row rows[] = {
        {9, 1, 10, 0, 899}, // lies just below 900 in double precision
        {7, 3, 10, 0, 700},
        {10, 0, 10, 0, 1000},
        {0, 0, 10, 0, 1000},
        {0, 10, 10, 0, 0},
        {10, 0, 9, 1, 126}, // the largest with ten cases
        {5, 5, 5, 5, 12},
        {0, 0, 7, 3, 0},    // no first-move cases to weigh
    };
    for (const Row& r : rows) {
        SpielerTyp p = zeroedPlayer();
        p.Situationen[SitErsterTag] = {r.a + r.d, r.a, r.d};
        p.Situationen[SitNKK] = {r.k8 + r.d8, r.k8, r.d8};
        EXPECT_EQ(PeacefulnessScore(p), r.score)
            << r.a << "/" << r.d << " NKK " << r.k8 << "/" << r.d8;
    }
}

TEST(Peacefulness, AutomatonScoreComesFromItsName) {
    struct Row { const char* name; int score; };
    const Row rows[] = {{"Graf Zahl", 1000},   {"graf", 1000},       {"Typ5 Yoka 2", 1000},
                        {"Unterwerfer", 0},    {"unterwerfer x", 0}, {"Gra", 321},
                        {"Der Graf", 321},     {"", 321}};
    for (const Row& r : rows) {
        SpielerTyp p = automaton({MoveK, MoveEmpty, MoveEmpty});
        p.Name.set(r.name);
        p.Friedfertigkeit = 321;
        EXPECT_EQ(PeacefulnessScore(p), r.score) << r.name;
    }
}
