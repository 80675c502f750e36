// The tournament run on small groups whose every figure and file line is known by hand:
// the result files, the debug files, cancel, errors and the pair bookkeeping.
#include "FigureTestSupport.h"
#include "platform/NumberFormat.h"
#include "platform/WendrakError.h"

#include <QFile>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace {

const SpielerTyp AllK = uniformPlayer(10);
const SpielerTyp AllD = allD();

SpielerTyp typed(int kOf10, int typ) {
    SpielerTyp p = uniformPlayer(kOf10);
    p.Spielertyp = typ;
    return p;
}

// One line of "Export.Txt": pairing, name, type and the same points in all nine games.
QByteArray exportLine(int pairing, const QByteArray& name, int typ, int points) {
    QByteArray line = QByteArray::number(pairing) + ';' + name + ';' + QByteArray::number(typ);
    for (int r = 0; r < 9; ++r)
        line += ';' + QByteArray::number(points);
    return line + ";\r\n";
}

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

class TournamentRun : public ::testing::Test {
protected:
    void SetUp() override { platform::setDecimalSeparator(u','); }
    void addPlayer(const QString& file, const SpielerTyp& p) {
        writePlayerFile(root.programFolder() + "Aktuelles Spiel/" + file, p);
    }
    // Players A.ply, B.ply, ... in this order.
    void addPlayers(std::initializer_list<SpielerTyp> players) {
        char name = 'A';
        for (const SpielerTyp& p : players)
            addPlayer(QStringLiteral("%1.ply").arg(QLatin1Char(name++)), p);
    }
    int run(bool debug = false, std::uint64_t seed = 42) {
        return playTournament(state, root, observer, &display, debug, seed);
    }
    QByteArray out(const QString& name) const { return root.read("Wendrak/" + name); }
    QByteArray debugFile(const QString& name) const { return root.read("Debug/" + name); }
    // The run must stop before play with a message naming `named`.
    void expectStopNaming(const char* named) {
        EXPECT_THAT([this] { run(); },
                    testing::ThrowsMessage<WendrakError>(testing::HasSubstr(named)));
        EXPECT_EQ(observer.games, 0);
    }
    // "Spiel_Gesamt.csv" up to its rows.
    static QByteArray gesamtHeader(bool totals) {
        return QByteArray("Spieler1,Spieler2,AnzKCounter,anzKK,anzDD,anzDK,anzKD,AnzNKK,"
                          "intSozEffQualTmp,") +
               (totals ? "intAnzNKK,AnzK,\r\n" : "\r\n");
    }
    // Its rows for games 1..games of two always giving players, after earlier totals.
    static QByteArray givingRows(const char* files, int games, int nkkBefore, int kBefore) {
        QByteArray rows;
        for (int r = 1; r <= games; ++r)
            rows += QStringLiteral("%1,1000,500,0,0,0,500,500,%2,%3,\r\n")
                        .arg(QLatin1String(files))
                        .arg(nkkBefore + 500 * r)
                        .arg(kBefore + 1000 * r)
                        .toLatin1();
        return rows;
    }

    TempRoot root;
    TournamentState state;
    Recorder observer;
    NoResultDisplay display;
};

struct PairCase {
    const char* what;
    int kA, kB, typA, typB, pointsA, pointsB;
    const char* figures; // "Gruppenergebnisse.Txt" id=value, the same value in every game
};

TEST_F(TournamentRun, PairsOfGiversAndHoldersGiveTheseResults) {
    // clang-format off
    const PairCase cases[] = {
        {"both give way", 10, 10, 5, 6, 1500, 1500,
         "11=500 12=500 13=1 14=0 15=0 16=0 17=0 21=3000 22=3000 23=1000 24=2000 25=1 33=1 41=1"},
        {"hold out against give way", 0, 10, 0, 0, 2500, 0,
         "12=0 13=0 14=500 15=1 16=0 17=0 21=2500 24=1500 25=0,75 33=0,5 41=0"},
        {"both hold out", 0, 0, 0, 0, 500, 500,
         "12=0 14=0 16=500 17=1 21=1000 24=0 25=0 33=0"},
    };
    // clang-format on
    for (const PairCase& c : cases) {
        addPlayers({typed(c.kA, c.typA), typed(c.kB, c.typB)});
        ASSERT_EQ(run(), RunFinished) << c.what;
        EXPECT_EQ(out("Export.Txt"),
                  exportLine(1, "A", c.typA, c.pointsA) + exportLine(1, "B", c.typB, c.pointsB))
            << c.what;
        ASSERT_EQ(state.pairings(), 1);
        const PaarungTyp& p = state.Paarungen[0];
        EXPECT_EQ(std::make_pair(p.Punkte1, p.Punkte2), std::make_pair(c.pointsA, c.pointsB));
        EXPECT_EQ(state.Teilnehmer[0].Punkte, 9 * c.pointsA) << c.what;
        for (const QString& figure : QString(c.figures).split(' ')) {
            const QStringList idValue = figure.split('=');
            EXPECT_EQ(groupResultValues(root, idValue[0]), QStringList(9, idValue[1]))
                << c.what << " " << figure.toStdString();
        }
    }
}

TEST_F(TournamentRun, FinishedRunPairsInListingOrderAndLeavesWholeFiles) {
    for (const char* file : {"D.ply", "b.ply", "A.ply", "c.ply"})
        addPlayer(file, AllK);
    ASSERT_EQ(run(), RunFinished);
    QStringList order;
    for (const PaarungTyp& p : state.Paarungen)
        order << p.Name1 + "-" + p.Name2 + QStringLiteral("/%1-%2").arg(p.Nr1).arg(p.Nr2);
    EXPECT_EQ(order,
              QStringList({"A-b/1-2", "A-c/1-3", "A-D/1-4", "b-c/2-3", "b-D/2-4", "c-D/3-4"}));
    EXPECT_TRUE(
        out("Export.Txt").endsWith(exportLine(6, "c", 0, 1500) + exportLine(6, "D", 0, 1500)));
    EXPECT_EQ(state.Teilnehmer[3].Punkte, 3 * 13500);
    // The gauge counts finished pairings.
    std::vector<int> gauges;
    for (int g : {0, 16, 33, 50, 66, 83})
        gauges.insert(gauges.end(), 9, g);
    EXPECT_EQ(observer.gauges, gauges);
    EXPECT_EQ(std::make_tuple(observer.shown, observer.resultsShown, observer.questions.size()),
              std::make_tuple(1, 1, qsizetype(0)));

    const QStringList lines = QString::fromLatin1(out("Gruppenergebnisse.Txt")).split("\r\n");
    ASSERT_EQ(lines.size(), 19); // 18 lines, each ended by CR LF
    EXPECT_EQ(lines[0], QString::fromUtf8("10;0;1. Allgemeine Übersicht;;1;2;3;4;5;6;7;8;9"));
    EXPECT_EQ(out("Zusammensetzung.Txt").count("\r\n"), 12);
    // The debug files as the last pairing left them, after five pairings of 9,000 K.
    EXPECT_EQ(debugFile("Spiel_Gesamt.csv"),
              gesamtHeader(true) + givingRows("c.ply,D.ply", 9, 5 * 4500, 5 * 9000));
    for (int r = 1; r <= 9; ++r)
        EXPECT_EQ(debugFile(QStringLiteral("Runde_%1.csv").arg(r)), "glbKons1,glbKons2,\r\n");
}

TEST_F(TournamentRun, CancelInTheMiddleLeavesFinishedPairingsAndTheCancelNote) {
    // A-B and A-C play D against K, B-C plays K against K.
    addPlayers({AllD, AllK, AllK});
    root.write("Wendrak/Gruppenergebnisse.Txt", "old");
    observer.cancelAtGame = 2 * 9 + 4; // fourth game of the third pairing
    ASSERT_EQ(run(true), RunCancelled);

    EXPECT_EQ(observer.questions,
              QStringList{QString::fromUtf8("Soll die aktuelle Berechnung abgebrochen werden ?")});
    EXPECT_EQ(observer.hidden, 1);
    EXPECT_EQ(observer.resultsShown, 0);
    EXPECT_EQ(out("Export.Txt"), exportLine(1, "A", 0, 2500) + exportLine(1, "B", 0, 0) +
                                     exportLine(2, "A", 0, 2500) + exportLine(2, "C", 0, 0));
    EXPECT_EQ(out("Gruppenergebnisse.Txt"), "");
    EXPECT_TRUE(QFile::exists(root.programFolder() + "Zusammensetzung.Txt"));
    EXPECT_EQ(out("Zusammensetzung.Txt"), "");

    // Pairings 1 and 2 played 18 games of 500 K moves and no NKK.
    EXPECT_EQ(debugFile("Spiel_Gesamt.csv"), gesamtHeader(false) +
                                                 givingRows("B.ply,C.ply", 3, 0, 9000) +
                                                 "Abbruch durch Benutzer\r\n");

    // Games 1 to 4 of the third pairing, 5 to 9 of the second.
    QByteArray kk = "zugnr,Erg.,M1,M2,\r\n", dk = kk + "1,NDK,5,0,\r\n";
    for (int i = 1; i <= 500; ++i) {
        kk += QStringLiteral("%1,NKK,3,3,\r\n").arg(i).toLatin1();
        if (i > 1)
            dk += QStringLiteral("%1,MDK,5,0,\r\n").arg(i).toLatin1();
    }
    for (int r = 1; r <= 9; ++r)
        EXPECT_EQ(debugFile(QStringLiteral("Runde_%1.csv").arg(r)), r <= 4 ? kk : dk) << r;
}

TEST_F(TournamentRun, CancelInTheFirstGameKeepsTheUnplayedGamesDebugFiles) {
    addPlayers({AllK, AllK});
    root.write("Debug/Runde_2.csv", "earlier run");
    observer.cancelAtGame = 1;
    ASSERT_EQ(run(), RunCancelled);
    EXPECT_EQ(out("Export.Txt"), "");
    EXPECT_EQ(debugFile("Runde_1.csv"), "glbKons1,glbKons2,\r\n");
    EXPECT_EQ(debugFile("Runde_2.csv"), "earlier run");
    EXPECT_EQ(debugFile("Spiel_Gesamt.csv"), gesamtHeader(false) + "Abbruch durch Benutzer\r\n");
}

TEST_F(TournamentRun, AnsweringNoGoesOnAsIfNothingWasAsked) {
    addPlayers({AllD, AllK});
    observer.cancelAtGame = 5;
    observer.answerYes = false;
    ASSERT_EQ(run(), RunFinished);
    EXPECT_EQ(observer.questions.size(), 1);
    EXPECT_EQ(observer.cleared, 1);
    EXPECT_EQ(observer.games, 9);
    EXPECT_EQ(out("Export.Txt").count("2500;"), 9);
    EXPECT_EQ(debugFile("Spiel_Gesamt.csv").count("\r\n"), 10);
    EXPECT_EQ(groupResultValues(root, "21"), QStringList(9, "2500"));
}

TEST_F(TournamentRun, UnreadablePlayerStopsTheRunBeforeAnyResultFileIsTouched) {
    addPlayer("A.ply", AllK);
    root.write("Wendrak/Aktuelles Spiel/B.ply", QByteArray(100, 'x'));
    addPlayer("C.ply", AllK);
    root.write("Wendrak/Export.Txt", "previous results");
    expectStopNaming("B.ply");
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
    addPlayers({AllK, AllK});
    root.write("Debug", "a file where the folder belongs");
    expectStopNaming("Debug");
    EXPECT_EQ(observer.hidden, 1);
    EXPECT_EQ(out("Export.Txt"), "");
    EXPECT_FALSE(state.Export.isOpen());
}

TEST_F(TournamentRun, ResultFilesReuseNamesDifferingInCaseAndLongNamesStayWhole) {
    const QString longName = QString(60, u'L');
    addPlayer(longName + ".ply", AllK);
    addPlayer(QString::fromUtf8("Bär.ply"), typed(10, 0x10003)); // low 16 bits count
    root.write("Wendrak/EXPORT.TXT", "old");
    ASSERT_EQ(run(), RunFinished);
    EXPECT_FALSE(QFile::exists(root.programFolder() + "Export.Txt"));
    EXPECT_EQ(out("EXPORT.TXT"), exportLine(1, "B\xE4r", 3, 1500) + // Windows-1252
                                     exportLine(1, longName.toLatin1(), 0, 1500));
}

TEST_F(TournamentRun, ResultFilesThatCannotBeCreatedStopTheRunBeforePlay) {
    addPlayers({AllK, AllK});
    root.write("Wendrak/Gruppenergebnisse.Txt", "kept");
    QFile::setPermissions(root.programFolder() + "Gruppenergebnisse.Txt", QFile::ReadOwner);
    expectStopNaming("Gruppenergebnisse.Txt");
    EXPECT_EQ(out("Gruppenergebnisse.Txt"), "kept");
    EXPECT_FALSE(QFile::exists(root.root() + "Debug/Spiel_Gesamt.csv"));

    state.OutFolder = root.root() + "missing/";
    EXPECT_THROW(PlayDravolenz_new(state, observer, &display, {}), WendrakError);
    EXPECT_EQ(observer.games, 0);
}

TEST_F(TournamentRun, SameSeedRepeatsTheRunExactly) {
    // The property evaluation rewrites the files, so each run starts from fresh ones.
    const auto runFresh = [this](std::uint64_t seed) {
        addPlayers({uniformPlayer(5), uniformPlayer(3), uniformPlayer(8)});
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
