// The tournament run on small groups whose every figure and file line is known by hand:
// the result files, the debug files, cancel, errors and the pair bookkeeping.
#include "FigureTestSupport.h"
#include "engine/ResultFiles.h"
#include "platform/NumberFormat.h"
#include "platform/WendrakError.h"

#include <gmock/gmock.h>

namespace {

const SpielerTyp AllK = uniformPlayer(10);
// Holds out first, then answers in kind: gives way only after the other gave way.
const SpielerTyp Suspicious = profile(kHolds, {SitMKD, SitMKK, SitNKD, SitNKK, SitPKD, SitPKK});

// A record with this type number and its measures marked valid: the run measures anew anyway.
SpielerTyp typed(SpielerTyp p, int typ) {
    std::tie(p.Spielertyp, p.MasseGueltig) = std::tuple(typ, 1);
    return p;
}

// One line of "Export.Txt": pairing, name, type and the same points in all nine games.
QByteArray exportLine(int pairing, const QByteArray& name, int typ, int points) {
    return QByteArray::number(pairing) + ';' + name + ';' + QByteArray::number(typ) +
           (';' + QByteArray::number(points)).repeated(9) + ";\r\n";
}

// Records what the run reports; asks to cancel after a chosen game (counted from 1).
struct Recorder : TournamentObserver {
    int cancelAtGame = 0, games = 0, shown = 0, hidden = 0, cleared = 0, resultsShown = 0;
    bool answerYes = true;
    QStringList questions, messages;
    std::vector<int> gauges;

    void showProgress() override { ++shown; }
    void processEvents() override { ++games; }
    bool abortRequested() override { return games == cancelAtGame; }
    bool confirmAbort(const QString& q) override { return questions << q, answerYes; }
    void clearAbort() override { ++cleared; }
    void progress(int g) override { gauges.push_back(g); }
    void hideProgress() override { ++hidden; }
    void showMessage(const QString& m) override { messages << m; }
    int showResults() override { return ++resultsShown, 2; }
};

class TournamentRun : public ::testing::Test {
protected:
    void SetUp() override { platform::setDecimalSeparator(u','); }
    void addPlayer(const QString& file, const SpielerTyp& p) { writePlayerFile(game + file, p); }
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
    // "Spiel_Gesamt.csv" up to its rows, then the rows of games 1..games alike: the files and
    // values of a game, the totals of KK under N and of K moves growing by their steps.
    static QByteArray gesamt(bool totals, const char* game, int games, int nkk, int nkkStep, int k,
                             int kStep) {
        QByteArray rows = QByteArray("Spieler1,Spieler2,AnzKCounter,anzKK,anzDD,anzDK,anzKD,"
                                     "AnzNKK,intSozEffQualTmp,") +
                          (totals ? "intAnzNKK,AnzK,\r\n" : "\r\n");
        for (int r = 1; r <= games; ++r)
            rows += game + QByteArray::number(nkk + nkkStep * r) + ',' +
                    QByteArray::number(k + kStep * r) + ",\r\n";
        return rows;
    }

    TempRoot root;
    const QString game = root.programFolder() + "Aktuelles Spiel/";
    TournamentState state;
    Recorder observer;
    RecordingDisplay display;
};

// A gives way, B holds out, C holds out first and then answers in kind: exact games. A-B: 0
// and 2500; A-C: C exploits once, then both give way under an uneven standing: 1497 and 1502;
// B-C: 500 each. Each total and favour count comes from a pairing as player 1 and one as 2.
TEST_F(TournamentRun, ThreePlayersGiveTheseRankingFiguresFavoursAndFiles) {
    addPlayers({typed(AllK, 6), typed(allD(), 2), typed(Suspicious, 5)});
    ASSERT_EQ(run(), RunFinished);
    EXPECT_EQ(display.rows, QStringList({"Platz|Name|Punkte|Spielertyp|-1|-1", "1.|B|3000|Typ1|2|2",
                                         "2.|C|2002|Typ1|2|2", "3.|A|1497|Typ5|2|2"}));
    EXPECT_EQ(display.playerList, QStringList({"A", "B", "C"})); // in load order
    QStringList favours; // received, granted and the maximum per run
    for (const auto& [name, received, granted, maximum] :
         ServicesRows(display.participants, display.pairings, display.anzDurchlaeufe,
                      display.anzTeilnehmerHigh))
        favours << QStringLiteral("%1 %2 %3 %4").arg(name).arg(received).arg(granted).arg(maximum);
    EXPECT_EQ(favours, QStringList({"Maximum an Diensten: 1000 1000 1000", "B 500 0 1000",
                                    "C 500 499 1000", "A 499 1000 1000"}));
    EXPECT_EQ(display.texts({"LabelAnzahlallerzuege", "LabelHereinlegenendet", "LabelBlockieren",
                             "LabelKonsens", "Labelerwuenschtedienste", "LabelImFriedenEndeten",
                             "LabelSozEffQuant", "Labelwirtschafterg", "LabelBestesErgebnis",
                             "LabelSchlechtesteErgebnis", "LabelGruppehaterwirtschaftet",
                             "LabelWirtschaftlichkeitsfaktor"}),
              QStringList(
                  {"Anzahl aller Züge in dieser Gruppe: 1500", "Mit einem Hereinlegen endeten: 501",
                   "Mit einem Blockieren endeten: 500", "Mit einem Konsens endeten: 499",
                   "Das heißt: 50% der erwünschten Dienste oder Gefälligkeiten wurden gewährt.",
                   "Im Frieden endeten: 0 von insgesamt 1500 Zügen. Das sind 0% aller "
                   "Züge. Die soziale Effektivität qualitativer Art beträgt somit 0,00",
                   "Die soziale Effektivität quantitativer Art beträgt: 0,50",
                   "Die Gruppe erwirtschaftet ein Ergebnis von: 6499",
                   "Das bestmögliche Ergebnis wäre gewesen: 9000",
                   "Das schlechtmöglichste Ergebnis wäre gewesen: 3000",
                   "So erwirtschaftete die Gruppe (bereinigt): 58% des Möglichen.",
                   "Der Wirtschaftlichskeitfaktor beträgt: 0,58"}));
    // The figures stand out from the texts around them.
    EXPECT_EQ(display.styles("Labelerwuenschtedienste") + display.styles("LabelImFriedenEndeten"),
              "01001010101");

    EXPECT_EQ(readPlayerFile(game + "A.ply").Spielertyp, 6); // ranked as before its traits
    EXPECT_EQ(out("Export.Txt"), exportLine(1, "A", 6, 0) + exportLine(1, "B", 2, 2500) +
                                     exportLine(2, "A", 6, 1497) + exportLine(2, "C", 5, 1502) +
                                     exportLine(3, "B", 2, 500) + exportLine(3, "C", 5, 500));
    const auto nine = [](const char* value) { return QString(";%1").arg(value).repeated(9); };
    const QString u = "1. Allgemeine Übersicht;",
                  q = "2. Soziale Effektivität (quantitativer Art);",
                  z = "Prozentualer Anteil derartiger Züge", s = ";1;2;3;4;5;6;7;8;9";
    EXPECT_EQ(
        resultLines(root, "Gruppenergebnisse.Txt"),
        QStringList(
            {"10;0;" + u + s, "11;1;" + u + "Anzahl aller Züge" + nine("1500"),
             "12;1;" + u + "Anzahl aller Züge, die zu einem Konsens führten" + nine("499"),
             "13;1;" + u + z + nine("0,332666666666667"),
             "14;1;" + u + "Anzahl aller Züge, die mit einem Hereinlegen endeten" + nine("501"),
             "15;1;" + u + z + nine("0,334"),
             "16;1;" + u + "Anzahl aller Züge, die zu einem Blockieren führten" + nine("500"),
             "17;1;" + u + z + nine("0,333333333333333"), "20;0;" + q + s,
             "21;1;" + q + "Erreichtes Ergebnis" + nine("6499"),
             "22;1;" + q + "Bestmögliches Ergebnis" + nine("9000"),
             "23;1;" + q + "Schlechtestes (garantiertes) Ergebnis" + nine("3000"),
             "24;1;" + q + "Von der Gruppe wurden erwirtschaftet" + nine("3499"),
             "25;1;" + q + "In Prozenten: " + nine("0,583166666666667"),
             "30;0;3. Erfolge aus individueller Sicht;" + s,
             "33;1;3. Erfolge aus individueller Sicht;Prozentualer Anteil aller "
             "erfolgreich beendeten Interaktionen" +
                 nine("0,499666666666667"),
             "40;0;4. Soziale Effektivität (qualitativer Art);" + s,
             "41;1;4. Soziale Effektivität (qualitativer Art);Prozentualer Anteil "
             "aller im Frieden endeten Züge" +
                 nine("0")}));
    // After the traits A is peaceful and exploitable, B and C attack and defend, B exploits.
    EXPECT_EQ(resultLines(root, "Zusammensetzung.Txt"),
              compositionFile({"       66,7%;        0,0%", "        0,0%;        0,0%",
                               "       33,3%;        0,0%"},
                              {"33,3", "33,3", "66,7", "33,3", "0,0", "66,7", "33,3"},
                              "Das gesamte, in der Gruppe vorhandene Entgegenkommen gegenüber "
                              "Angreifern beträgt 1,00 bei einer Gruppengröße von 3 Teilnehmern."));
}

TEST_F(TournamentRun, FinishedRunPairsInListingOrderAndLeavesWholeFiles) {
    for (const char* file : {"D.ply", "b.ply", "A.ply", "c.ply"})
        addPlayer(file, AllK);
    observer.cancelAtGame = 5; // answering No goes on as if nothing was asked
    observer.answerYes = false;
    ASSERT_EQ(run(), RunFinished);
    // The gauge moves after every game, by finished pairings.
    EXPECT_EQ(std::pair(observer.gauges.size(), observer.gauges.back()),
              (std::pair<std::size_t, int>(54, 83)));
    EXPECT_EQ(std::make_tuple(observer.shown, observer.resultsShown, observer.cleared),
              std::make_tuple(1, 1, 1));
    // The debug files as the last pairing (c-D in listing order) left them, after five
    // pairings of 9,000 K.
    EXPECT_EQ(
        root.read("Debug/Spiel_Gesamt.csv"),
        gesamt(true, "c.ply,D.ply,1000,500,0,0,0,500,500,", 9, 5 * 4500, 500, 5 * 9000, 1000));
}

TEST_F(TournamentRun, CancelInTheMiddleLeavesFinishedPairingsAndTheCancelNote) {
    // A-B play D against K, A-C D against D; in B-C C exploits once, then both give way.
    // Only the low 16 bits of a stored type number count, with their sign.
    addPlayers({allD(), typed(AllK, 0x18003), Suspicious});
    root.write("Wendrak/Gruppenergebnisse.Txt", "old");
    observer.cancelAtGame = 2 * 9 + 4; // fourth game of the third pairing
    ASSERT_EQ(run(true), RunCancelled);
    EXPECT_EQ(observer.questions,
              QStringList{QString::fromUtf8("Soll die aktuelle Berechnung abgebrochen werden ?")});
    EXPECT_EQ(std::make_pair(observer.hidden, observer.resultsShown), std::make_pair(1, 0));
    EXPECT_EQ(out("Export.Txt"), exportLine(1, "A", 0, 2500) + exportLine(1, "B", -32765, 0) +
                                     exportLine(2, "A", 0, 500) + exportLine(2, "C", 0, 500));
    EXPECT_EQ(out("Gruppenergebnisse.Txt"), "");
    // Pairing 1 played nine games of 500 K moves, pairing 2 nine without; no KK at all.
    EXPECT_EQ(root.read("Debug/Spiel_Gesamt.csv"),
              gesamt(false, "B.ply,C.ply,999,499,0,0,1,0,499,", 3, 0, 0, 4500, 999) +
                  "Abbruch durch Benutzer\r\n");
    // Games 1 to 4 of the third pairing, 5 to 9 of the second.
    QByteArray dd = "zugnr,Erg.,M1,M2,\r\n", kk = dd + "1,NKD,0,5,\r\n";
    for (int i = 1; i <= 500; ++i)
        dd += QByteArray::number(i) + ",NDD,1,1,\r\n";
    for (int i = 2; i <= 500; ++i)
        kk += QByteArray::number(i) + ",PKK,3,3,\r\n";
    for (int r = 1; r <= 9; ++r)
        EXPECT_EQ(root.read(QStringLiteral("Debug/Runde_%1.csv").arg(r)), r <= 4 ? kk : dd) << r;
}

TEST_F(TournamentRun, GroupsThatCannotBePlayedStopBeforeAnyResultFileIsTouched) {
    root.write("Wendrak/Export.Txt", "previous results");
    addPlayer("A.ply", AllK);
    EXPECT_EQ(run(), RunFinished);
    EXPECT_EQ(observer.messages, QStringList{QString::fromUtf8(
                                     "Im aktuellen Spiel sind weniger als zwei Spieler. Für eine "
                                     "Berechnung werden mindestens zwei Spieler benötigt.")});
    root.write("Wendrak/Aktuelles Spiel/B.ply", QByteArray(100, 'x'));
    EXPECT_THAT([this] { run(); },
                testing::ThrowsMessage<WendrakError>(testing::HasSubstr("B.ply")));
    EXPECT_EQ(out("Export.Txt"), "previous results");
    EXPECT_FALSE(QFile::exists(root.programFolder() + "Gruppenergebnisse.Txt"));
    EXPECT_EQ(observer.shown, 0);
}

// Every target is checked before the first file is emptied: a refused run changes nothing
// and closes what it opened.
TEST_F(TournamentRun, ARunThatCannotWriteEveryTargetIsRefusedBeforeAnyFileChanges) {
    const QStringList results = {"Export.Txt", "Gruppenergebnisse.Txt", "Zusammensetzung.Txt"};
    // Made read-only ("*": the root handed to the run is a file), named in the message.
    const std::pair<const char*, const char*> rows[] = {
        {"Debug", "Debug"}, // a file, no folder
        {"Wendrak/Gruppenergebnisse.Txt", "Gruppenergebnisse.Txt"},
        {"Debug/Runde_3.csv", "Runde_3.csv"},
        {"Wendrak/Zusammensetzung.Txt", "Zusammensetzung.Txt"},
        {"Wendrak/Aktuelles Spiel/B.ply", "B.ply"},
        {"*", "Datei"}};
    for (const auto& [blocked, named] : rows) {
        addPlayers({AllK, AllK});
        for (const QString& name : results)
            root.write("Wendrak/" + name, "previous");
        state = TournamentState{};
        state.WendrakPath = state.OutFolder = root.programFolder();
        state.RootPath = root.root();
        if (*blocked == '*')
            state.RootPath = root.write("Datei", "previous") + "/";
        else
            QFile::setPermissions(root.write(blocked, "previous"), QFile::ReadOwner);
        const QByteArray player = out("Aktuelles Spiel/A.ply");
        EXPECT_THAT([this] { PlayDravolenz_new(state, observer, &display, {.seed = 1}); },
                    testing::ThrowsMessage<WendrakError>(testing::HasSubstr(named)));
        for (const QString& name : results)
            EXPECT_EQ(out(name), "previous") << blocked << " " << name.toStdString();
        EXPECT_EQ(out("Aktuelles Spiel/A.ply"), player) << blocked;
        EXPECT_EQ(root.read(*blocked == '*' ? "Datei" : blocked), "previous");
        EXPECT_FALSE(state.Export.isOpen()) << blocked;
        EXPECT_EQ(observer.hidden, observer.shown); // no progress window left open
        QFile::remove(root.root() + blocked);
        QFile::remove(root.root() + "Datei");
    }
    EXPECT_EQ(observer.games, 0);
}

// The folders the run reads are named when they are missing or not folders.
TEST_F(TournamentRun, AMissingDataOrGameFolderIsNamedInsteadOfCountingNoPlayers) {
    // WendrakPath, what is written as a file before the run ("" for none), the message.
    const std::tuple<const char*, const char*, const char*> rows[] = {
        {"Fehlt/", "",
         "Der Datenordner \"%1Fehlt/\" (Einstellung WendrakPath) wurde nicht "
         "gefunden oder ist kein Ordner."},
        {"Datei/", "Datei", "Der Datenordner \"%1Datei/\" (Einstellung WendrakPath)"},
        {"Leer/", "",
         "Der Ordner des aktuellen Spiels \"%1Leer/Aktuelles Spiel/\" wurde nicht "
         "gefunden oder ist kein Ordner."},
        {"Wendrak/", "Wendrak/Aktuelles Spiel", "\"%1Wendrak/Aktuelles Spiel/\""}};
    QDir().mkpath(root.root() + "Leer");
    QDir(root.programFolder() + "Aktuelles Spiel").removeRecursively();
    for (const auto& [wendrakPath, fileInstead, message] : rows) {
        if (*fileInstead)
            root.write(fileInstead, "x");
        state.WendrakPath = state.OutFolder = root.root() + wendrakPath;
        state.RootPath = root.root();
        const std::string text = QString::fromUtf8(message).arg(root.root()).toStdString();
        EXPECT_THAT([this] { PlayDravolenz_new(state, observer, &display); },
                    testing::ThrowsMessage<WendrakError>(testing::HasSubstr(text)));
    }
    EXPECT_TRUE(observer.messages.isEmpty());
}

// Each column of the result files comes from its own run; the games above repeat themselves.
TEST_F(TournamentRun, EachColumnOfTheResultFilesComesFromItsRun) {
    state = pairState(0, 0, 0, 0);
    state.AnzKLauf.resize(1);
    for (int r = 1; r <= 9; ++r) // r rounds of mutual K, r - 1 of them under N, the rest D D
        std::tie(state.Paarungen[0].PunkteLauf1[r], state.Paarungen[0].PunkteLauf2[r],
                 state.AnzKLauf[0][r], state.AnzNKKLauf[r]) =
            std::tuple(500 + 2 * r, 500 + 2 * r, 2 * r, r - 1);
    const QStringList lines = GroupResultLines(state);
    state.Export.create(root.root() + "Export.Txt");
    WritePairExport(state, 0);
    state.Export.close();
    EXPECT_EQ(root.read("Export.Txt"),
              QByteArray("1;;0;502;504;506;508;510;512;514;516;518;\r\n").repeated(2));
    EXPECT_EQ(lines[2].section(';', 4), "1;2;3;4;5;6;7;8;9");
    EXPECT_EQ(lines[17].section(';', 4), "0;0,002;0,004;0,006;0,008;0,01;0,012;0,014;0,016");
}

TEST(TournamentAverage, NineRunsRoundHalfUp) {
    const std::pair<std::int64_t, std::int32_t> cases[] = {{49, 5}, {50, 6}, {13505, 1501}};
    for (const auto& [sum, average] : cases)
        EXPECT_EQ(AveragePairScore(sum), average) << sum;
}

} // namespace
