// The player test runs against a fixed opponent and the peacefulness score, on files.
#include "engine/WendrakCalc.h"

#include "engine_fixtures.h"
#include "platform/WendrakError.h"
#include "TempRoot.h"

#include <QFileInfo>
#include <gtest/gtest.h>

#include <array>

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

TEST_F(TestRuns, MeasuresAgainstBothOpponentsAndTheExploitabilityTrait) {
    // Holds out everywhere except after mutual holding out under an even standing: round 1
    // D, round 2 K (from NDD), then only D (NDK, then MDD under standing +1), so the 1000
    // rounds after round 2 are all D against D. Against K it holds out from round 1 on.
    SpielerTyp once = profile(kAlwaysD);
    setAnswer(once, SitNDD, kAlwaysK);
    struct Row { SpielerTyp p; const char* defends; int vsD; const char* exploitable;
                 int afterK, vsK, peace; };
    const Row rows[] = {
        {profile(kAlwaysK), "Ja", 0, "Ja", 0, 3000, 1000},
        {profile(kAlwaysD), "Ja", 1000, "Nein", -1, 5000, 0},
        {once, "k.A.", 999, "k.A.", 1000, 5000, 0},
    };
    for (Row r : rows) {
        r.p.VerteidigtSicher.set(r.defends);
        put(r.p);
        const SpielerTyp m = runAll();
        EXPECT_EQ((std::array{m.ErgebnisGegenD, m.ErgebnisNachEntgegenkommen, m.ErgebnisGegenK,
                              m.Friedfertigkeit, int(m.MasseGueltig)}),
                  (std::array{r.vsD, r.afterK, r.vsK, r.peace, 0})) // the runs never set it
            << r.vsD;
        EXPECT_EQ(m.GeschaeftsmaessigAusbeutbar.get(), r.exploitable);
    }
}

TEST_F(TestRuns, ValidMeasuresAreLeftAloneUnlessForced) {
    SpielerTyp p = profile(kAlwaysD);
    p.MasseGueltig = 1;
    p.ErgebnisGegenD = 123;
    p.Friedfertigkeit = 456;
    put(p);
    const QDateTime before = QFileInfo(path).lastModified();
    SpielerTyp r = runAll(false);
    EXPECT_EQ(std::pair(r.ErgebnisGegenD, r.Friedfertigkeit), std::pair(123, 456));
    EXPECT_EQ(QFileInfo(path).lastModified(), before);

    r = runAll(true);
    EXPECT_EQ(std::pair(r.ErgebnisGegenD, r.Friedfertigkeit), std::pair(1000, 0));
    EXPECT_EQ(r.MasseGueltig, 1);
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
    // The first move leaves "1. Tag" alone; NKK plays K, D; the exploitation leads to PKK
    // and PKD, which reach their third move.
    EXPECT_EQ((std::array{r.Automat[SitErsterTag].Position, r.Automat[SitNKK].Position,
                          r.Automat[SitPKK].Position, r.Automat[SitPKD].Position}),
              (std::array{0, 2, 3, 3}));
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

TEST_F(TestRuns, MissingOrShortFileIsReportedAndNothingIsWritten) {
    const QString shortFile = root.write("Wendrak/SpielerStamm/Kurz.ply", QByteArray(2399, 'x'));
    for (const QString& file : {root.root() + "fehlt.ply", shortFile}) {
        EXPECT_TRUE(errorOf([&] { TestAgainstDefector(file, true); })
                        .contains(QFileInfo(file).fileName()));
        EXPECT_THROW(ComputePeacefulness(file, true), WendrakError);
    }
    EXPECT_FALSE(QFileInfo::exists(root.root() + "fehlt.ply"));
    EXPECT_EQ(root.read("Wendrak/SpielerStamm/Kurz.ply"), QByteArray(2399, 'x'));
}

TEST(Peacefulness, ProfileScoreFromFirstMovesAndMutualGivingWay) {
    struct Row { int a, d, k8, d8, score; };
    const Row rows[] = {
        {9, 1, 10, 0, 899}, // lies just below 900 in double precision
        {7, 3, 10, 0, 700},   {10, 0, 10, 0, 1000}, {0, 0, 10, 0, 1000}, {0, 10, 10, 0, 0},
        {10, 0, 9, 1, 126},   // the largest with ten cases
        {5, 5, 5, 5, 12},
        {0, 0, 7, 3, 0},      // no first-move cases to weigh
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
