// The tournament run on small groups whose every figure and file line is known by hand:
// the result files, the debug files, cancel, errors and the pair bookkeeping.
#include "engine/ResultDisplay.h"
#include "engine/Tournament.h"
#include "platform/NumberFormat.h"
#include "platform/WendrakError.h"
#include "players/PlayerFile.h"

#include "TempRoot.h"

#include <QFile>
#include <gtest/gtest.h>

namespace {

// A profile player that gives way in kOf10 of 10 cases in every situation, or, with
// firstK set, only on its first move.
SpielerTyp profile(int kOf10, int typ = 0) {
    SpielerTyp p = zeroedPlayer();
    for (auto& s : p.Situationen)
        s = {10, kOf10, 10 - kOf10};
    p.Spielertyp = typ;
    p.VerteidigtSicher.set(QStringLiteral("Ja"));
    return p;
}
const SpielerTyp AllK = profile(10);
const SpielerTyp AllD = profile(0);

// Records what the run reports; optionally asks to cancel after a chosen game.
struct Recorder : TournamentObserver {
    int cancelAtGame = 0; // counted from 1 over the whole run
    bool answerYes = true;
    int games = 0, shown = 0, hidden = 0, cleared = 0, resultsShown = 0;
    QStringList questions, messages;
    std::vector<int> gauges;

    void showProgress() override { ++shown; }
    void processEvents() override { ++games; }
    bool abortRequested() override { return games == cancelAtGame; }
    bool confirmAbort(const QString& q) override {
        questions << q;
        return answerYes;
    }
    void clearAbort() override { ++cleared; }
    void progress(int g) override { gauges.push_back(g); }
    void hideProgress() override { ++hidden; }
    void showMessage(const QString& m) override { messages << m; }
    int showResults() override {
        ++resultsShown;
        return 2;
    }
};

struct NullDisplay : ResultDisplay {
    void SetCounts(int, int) override {}
    void ShowStyledLine(const QString&, const QString&) override {}
    void AddRankingRow(const QString&, const QString&, const QString&, const QString&, int,
                       int) override {}
    void SetPlayerList(const QStringList&) override {}
    void SetRunTables(const QStringList&, const QList<ResultPairing>&) override {}
};

class TournamentRun : public ::testing::Test {
protected:
    void SetUp() override { platform::setDecimalSeparator(u','); }

    void addPlayer(const QString& file, const SpielerTyp& p) { writePlayerFile(game() + file, p); }
    QString game() const { return root.programFolder() + "Aktuelles Spiel/"; }

    int run(bool debug = false, std::uint64_t seed = 42) {
        state = TournamentState{};
        state.WendrakPath = root.programFolder();
        state.RootPath = root.root();
        state.OutFolder = root.programFolder();
        TournamentOptions options;
        options.debug = debug;
        options.seed = seed;
        return PlayDravolenz_new(state, observer, &display, options);
    }
    QByteArray out(const QString& name) const { return root.read("Wendrak/" + name); }
    QByteArray debugFile(const QString& name) const { return root.read("Debug/" + name); }
    QStringList groupLines() const {
        return QString::fromLatin1(out("Gruppenergebnisse.Txt")).split("\r\n");
    }
    // Values of a data line of "Gruppenergebnisse.Txt" by its id.
    QStringList groupValues(const QString& id) const {
        for (const QString& line : groupLines())
            if (line.startsWith(id + ";"))
                return line.split(';').mid(4);
        return {};
    }

    TempRoot root;
    TournamentState state;
    Recorder observer;
    NullDisplay display;
};

TEST_F(TournamentRun, TwoGivingPlayersFillTablesAndFilesWithMutualConsensus) {
    addPlayer("A.ply", profile(10, 5));
    addPlayer("B.ply", profile(10, 6));
    ASSERT_EQ(run(), RunFinished);

    EXPECT_EQ(out("Export.Txt"), "1;A;5;1500;1500;1500;1500;1500;1500;1500;1500;1500;\r\n"
                                 "1;B;6;1500;1500;1500;1500;1500;1500;1500;1500;1500;\r\n");
    ASSERT_EQ(state.pairings(), 1);
    const PaarungTyp& p = state.Paarungen[0];
    EXPECT_EQ(p.Punkte1, 1500);
    EXPECT_EQ(p.Punkte2, 1500);
    EXPECT_EQ(p.ErhalteneDienste1[9], 500);
    EXPECT_EQ(p.ErwieseneDienste2[1], 500);
    EXPECT_EQ(state.Teilnehmer[0].Punkte, 13500);
    EXPECT_EQ(state.Teilnehmer[1].Punkte, 13500);
    EXPECT_EQ(state.AnzK, 9000);
    EXPECT_EQ(state.intAnzNKK, 4500);

    const QStringList lines = groupLines();
    ASSERT_EQ(lines.size(), 19); // 18 lines, each ended by CR LF
    EXPECT_EQ(lines.last(), "");
    EXPECT_EQ(lines[0], QString::fromUtf8("10;0;1. Allgemeine Übersicht;;1;2;3;4;5;6;7;8;9"));
    const std::vector<std::pair<QString, QString>> expected = {
        {"11", "500"},  {"12", "500"}, {"13", "1"},    {"14", "0"},    {"15", "0"},
        {"16", "0"},    {"17", "0"},   {"21", "3000"}, {"22", "3000"}, {"23", "1000"},
        {"24", "2000"}, {"25", "1"},   {"33", "1"},    {"41", "1"}};
    for (const auto& [id, value] : expected)
        EXPECT_EQ(groupValues(id), QStringList(9, value)) << id.toStdString();

    // The debug files as the last pairing left them.
    QByteArray gesamt = "Spieler1,Spieler2,AnzKCounter,anzKK,anzDD,anzDK,anzKD,AnzNKK,"
                        "intSozEffQualTmp,intAnzNKK,AnzK,\r\n";
    for (int r = 1; r <= 9; ++r)
        gesamt += QStringLiteral("A.ply,B.ply,1000,500,0,0,0,500,500,%1,%2,\r\n")
                      .arg(500 * r)
                      .arg(1000 * r)
                      .toLatin1();
    EXPECT_EQ(debugFile("Spiel_Gesamt.csv"), gesamt);
    for (int r = 1; r <= 9; ++r)
        EXPECT_EQ(debugFile(QStringLiteral("Runde_%1.csv").arg(r)), "glbKons1,glbKons2,\r\n");
    EXPECT_EQ(out("Zusammensetzung.Txt").count("\r\n"), 12);
    EXPECT_EQ(observer.shown, 1);
    EXPECT_EQ(observer.resultsShown, 1);
    EXPECT_TRUE(observer.questions.isEmpty());
}

TEST_F(TournamentRun, HoldOutAgainstGiveWayCountsExploitationOnly) {
    addPlayer("A.ply", AllD);
    addPlayer("B.ply", AllK);
    ASSERT_EQ(run(), RunFinished);
    EXPECT_EQ(out("Export.Txt"), "1;A;0;2500;2500;2500;2500;2500;2500;2500;2500;2500;\r\n"
                                 "1;B;0;0;0;0;0;0;0;0;0;0;\r\n");
    const std::vector<std::pair<QString, QString>> expected = {
        {"12", "0"},    {"13", "0"},    {"14", "500"},  {"15", "1"},   {"16", "0"}, {"17", "0"},
        {"21", "2500"}, {"24", "1500"}, {"25", "0,75"}, {"33", "0,5"}, {"41", "0"}};
    for (const auto& [id, value] : expected)
        EXPECT_EQ(groupValues(id), QStringList(9, value)) << id.toStdString();
    const PaarungTyp& p = state.Paarungen[0];
    EXPECT_EQ(p.ErhalteneDienste1[1], 500);
    EXPECT_EQ(p.ErwieseneDienste1[1], 0);
    EXPECT_EQ(p.ErhalteneDienste2[1], 0);
    EXPECT_EQ(p.ErwieseneDienste2[1], 500);
}

TEST_F(TournamentRun, TwoHoldersBlockEveryRound) {
    addPlayer("A.ply", AllD);
    addPlayer("B.ply", AllD);
    ASSERT_EQ(run(), RunFinished);
    const std::vector<std::pair<QString, QString>> expected = {
        {"12", "0"},    {"14", "0"}, {"16", "500"}, {"17", "1"},
        {"21", "1000"}, {"24", "0"}, {"25", "0"},   {"33", "0"}};
    for (const auto& [id, value] : expected)
        EXPECT_EQ(groupValues(id), QStringList(9, value)) << id.toStdString();
    EXPECT_EQ(state.Teilnehmer[0].Punkte, 4500);
}

TEST_F(TournamentRun, PairingsFollowListingOrderAndGaugeCountsFinishedPairings) {
    addPlayer("D.ply", AllK);
    addPlayer("b.ply", AllK);
    addPlayer("A.ply", AllK);
    addPlayer("c.ply", AllK);
    ASSERT_EQ(run(), RunFinished);
    QStringList order;
    for (const PaarungTyp& p : state.Paarungen)
        order << p.Name1 + "-" + p.Name2 + QStringLiteral("/%1-%2").arg(p.Nr1).arg(p.Nr2);
    EXPECT_EQ(order,
              QStringList({"A-b/1-2", "A-c/1-3", "A-D/1-4", "b-c/2-3", "b-D/2-4", "c-D/3-4"}));
    const QStringList exportLines = QString::fromLatin1(out("Export.Txt")).split("\r\n");
    EXPECT_TRUE(exportLines[10].startsWith("6;c;0;"));
    EXPECT_TRUE(exportLines[11].startsWith("6;D;0;"));
    std::vector<int> expected;
    for (int g : {0, 16, 33, 50, 66, 83})
        expected.insert(expected.end(), 9, g);
    EXPECT_EQ(observer.gauges, expected);
    EXPECT_EQ(state.Teilnehmer[3].Punkte, 3 * 13500);
}

TEST_F(TournamentRun, CancelInTheMiddleLeavesFinishedPairingsAndTheCancelNote) {
    // A-B and A-C play D against K, B-C plays K against K.
    addPlayer("A.ply", AllD);
    addPlayer("B.ply", AllK);
    addPlayer("C.ply", AllK);
    root.write("Wendrak/Gruppenergebnisse.Txt", "old");
    observer.cancelAtGame = 2 * 9 + 4; // fourth game of the third pairing
    ASSERT_EQ(run(true), RunCancelled);

    EXPECT_EQ(observer.questions,
              QStringList{QString::fromUtf8("Soll die aktuelle Berechnung abgebrochen werden ?")});
    EXPECT_EQ(observer.hidden, 1);
    EXPECT_EQ(observer.resultsShown, 0);
    const QByteArray d = "2500;2500;2500;2500;2500;2500;2500;2500;2500;\r\n";
    const QByteArray z = "0;0;0;0;0;0;0;0;0;\r\n";
    EXPECT_EQ(out("Export.Txt"), "1;A;0;" + d + "1;B;0;" + z + "2;A;0;" + d + "2;C;0;" + z);
    EXPECT_EQ(out("Gruppenergebnisse.Txt"), "");
    EXPECT_TRUE(QFile::exists(root.programFolder() + "Zusammensetzung.Txt"));
    EXPECT_EQ(out("Zusammensetzung.Txt"), "");

    QByteArray gesamt = "Spieler1,Spieler2,AnzKCounter,anzKK,anzDD,anzDK,anzKD,AnzNKK,"
                        "intSozEffQualTmp,\r\n";
    // Pairings 1 and 2 played 18 games of 500 K moves and no NKK.
    for (int r = 1; r <= 3; ++r)
        gesamt += QStringLiteral("B.ply,C.ply,1000,500,0,0,0,500,500,%1,%2,\r\n")
                      .arg(500 * r)
                      .arg(9000 + 1000 * r)
                      .toLatin1();
    gesamt += "Abbruch durch Benutzer\r\n";
    EXPECT_EQ(debugFile("Spiel_Gesamt.csv"), gesamt);

    // Games 1 to 4 of the third pairing, 5 to 9 of the second.
    const QByteArray header = "zugnr,Erg.,M1,M2,\r\n";
    QByteArray kk = header, dk = header + "1,NDK,5,0,\r\n";
    for (int i = 1; i <= 500; ++i)
        kk += QStringLiteral("%1,NKK,3,3,\r\n").arg(i).toLatin1();
    for (int i = 2; i <= 500; ++i)
        dk += QStringLiteral("%1,MDK,5,0,\r\n").arg(i).toLatin1();
    for (int r = 1; r <= 9; ++r)
        EXPECT_EQ(debugFile(QStringLiteral("Runde_%1.csv").arg(r)), r <= 4 ? kk : dk) << r;
}

TEST_F(TournamentRun, CancelInTheFirstGameKeepsTheUnplayedGamesDebugFiles) {
    addPlayer("A.ply", AllK);
    addPlayer("B.ply", AllK);
    root.write("Debug/Runde_2.csv", "earlier run");
    observer.cancelAtGame = 1;
    ASSERT_EQ(run(), RunCancelled);
    EXPECT_EQ(out("Export.Txt"), "");
    EXPECT_EQ(debugFile("Runde_1.csv"), "glbKons1,glbKons2,\r\n");
    EXPECT_EQ(debugFile("Runde_2.csv"), "earlier run");
    EXPECT_EQ(debugFile("Spiel_Gesamt.csv"),
              "Spieler1,Spieler2,AnzKCounter,anzKK,anzDD,anzDK,anzKD,AnzNKK,"
              "intSozEffQualTmp,\r\nAbbruch durch Benutzer\r\n");
}

TEST_F(TournamentRun, AnsweringNoGoesOnAsIfNothingWasAsked) {
    addPlayer("A.ply", AllD);
    addPlayer("B.ply", AllK);
    observer.cancelAtGame = 5;
    observer.answerYes = false;
    ASSERT_EQ(run(), RunFinished);
    EXPECT_EQ(observer.questions.size(), 1);
    EXPECT_EQ(observer.cleared, 1);
    EXPECT_EQ(observer.games, 9);
    EXPECT_EQ(out("Export.Txt").count("2500;"), 9);
    EXPECT_EQ(debugFile("Spiel_Gesamt.csv").count("\r\n"), 10);
    EXPECT_EQ(groupValues("21"), QStringList(9, "2500"));
}

TEST_F(TournamentRun, UnreadablePlayerStopsTheRunBeforeAnyResultFileIsTouched) {
    addPlayer("A.ply", AllK);
    root.write("Wendrak/Aktuelles Spiel/B.ply", QByteArray(100, 'x'));
    addPlayer("C.ply", AllK);
    root.write("Wendrak/Export.Txt", "previous results");
    try {
        run();
        FAIL() << "a short player file must stop the run";
    } catch (const WendrakError& e) {
        EXPECT_TRUE(e.message().contains("B.ply")) << e.what();
    }
    EXPECT_EQ(out("Export.Txt"), "previous results");
    EXPECT_FALSE(QFile::exists(root.programFolder() + "Gruppenergebnisse.Txt"));
    EXPECT_EQ(observer.shown, 0);
}

TEST_F(TournamentRun, FewerThanTwoPlayersAreToldAndNothingIsWritten) {
    for (int players : {0, 1}) {
        if (players == 1)
            addPlayer("A.ply", AllK);
        EXPECT_EQ(run(), RunFinished);
        EXPECT_EQ(observer.messages.size(), players + 1);
        EXPECT_TRUE(observer.messages.last().contains("zwei Spieler"));
        EXPECT_FALSE(QFile::exists(root.programFolder() + "Export.Txt"));
        EXPECT_EQ(observer.shown, 0);
    }
}

TEST_F(TournamentRun, DebugFolderThatCannotBeMadeStopsBeforePlayAndClosesResultFiles) {
    addPlayer("A.ply", AllK);
    addPlayer("B.ply", AllK);
    root.write("Debug", "a file where the folder belongs");
    EXPECT_THROW(run(), WendrakError);
    EXPECT_EQ(observer.games, 0);
    EXPECT_EQ(observer.hidden, 1);
    EXPECT_EQ(out("Export.Txt"), "");
    EXPECT_FALSE(state.Export.isOpen());
}

TEST_F(TournamentRun, ResultFilesReuseNamesDifferingInCaseAndLongNamesStayWhole) {
    const QString longName = QString(60, u'L');
    addPlayer(longName + ".ply", AllK);
    addPlayer(QString::fromUtf8("Bär.ply"), profile(10, 0x10003)); // low 16 bits count
    root.write("Wendrak/EXPORT.TXT", "old");
    ASSERT_EQ(run(), RunFinished);
    EXPECT_FALSE(QFile::exists(root.programFolder() + "Export.Txt"));
    const QByteArray exported = out("EXPORT.TXT");
    EXPECT_TRUE(exported.startsWith("1;B\xE4r;3;")); // Windows-1252
    EXPECT_TRUE(exported.contains("\r\n1;" + longName.toLatin1() + ";0;"));
}

TEST_F(TournamentRun, ResultFilesThatCannotBeCreatedStopTheRunBeforePlay) {
    addPlayer("A.ply", AllK);
    addPlayer("B.ply", AllK);
    root.write("Wendrak/Gruppenergebnisse.Txt", "kept");
    QFile::setPermissions(root.programFolder() + "Gruppenergebnisse.Txt", QFile::ReadOwner);
    try {
        run();
        FAIL() << "a read-only result file must stop the run";
    } catch (const WendrakError& e) {
        EXPECT_TRUE(e.message().contains("Gruppenergebnisse.Txt")) << e.what();
    }
    EXPECT_EQ(out("Gruppenergebnisse.Txt"), "kept");
    EXPECT_EQ(observer.games, 0);
    EXPECT_FALSE(QFile::exists(root.root() + "Debug/Spiel_Gesamt.csv"));

    state.OutFolder = root.root() + "missing/";
    EXPECT_THROW(PlayDravolenz_new(state, observer, &display, {}), WendrakError);
    EXPECT_EQ(observer.games, 0);
}

TEST_F(TournamentRun, SameSeedRepeatsTheRunExactly) {
    // The property evaluation rewrites the files, so each run starts from fresh ones.
    const auto runFresh = [this](std::uint64_t seed) {
        addPlayer("A.ply", profile(5));
        addPlayer("B.ply", profile(3));
        addPlayer("C.ply", profile(8));
        EXPECT_EQ(run(false, seed), RunFinished);
        return out("Export.Txt");
    };
    const QByteArray first = runFresh(42);
    EXPECT_EQ(runFresh(42), first);
    EXPECT_NE(runFresh(43), first);
}

TEST(TournamentAverage, NineRunsRoundHalfUp) {
    const std::pair<std::int64_t, std::int32_t> cases[] = {
        {49, 5}, {50, 6}, {0, 0}, {13500, 1500}, {13504, 1500}, {13505, 1501}};
    for (const auto& [sum, average] : cases)
        EXPECT_EQ(AveragePairScore(sum), average) << sum;
}

} // namespace
