// The result window: styled lines, ranking bars, the chosen player's games, the favours
// page across activations and the buttons.
#include "ShellTestSupport.h"
#include "engine/Tournament.h"
#include "engine/ui/ufrmDravolenzMain_New.h"
#include "platform/WendrakError.h"

using shelltest::child;

namespace {

// The labels styled lines left in the placeholder's parent, in the order they were made.
QList<QLabel*> piecesAt(const QLabel* placeholder) {
    QList<QLabel*> pieces;
    for (QLabel* l :
         placeholder->parentWidget()->findChildren<QLabel*>(QString(), Qt::FindDirectChildrenOnly))
        if (l != placeholder && l->objectName().isEmpty() && l->y() == placeholder->y())
            pieces.append(l);
    return pieces;
}

// Rows of one of the window's scroll boxes in the order they stand.
QList<QWidget*> rowsOf(QWidget* window, const QString& content) {
    QList<QWidget*> rows;
    QLayout* layout = child(window, content)->layout();
    for (int i = 0; i < layout->count() - 1; ++i) // the closing stretch is no row
        rows.append(layout->itemAt(i)->widget());
    return rows;
}
const char* const ranking = "ScrollBoxEndplatzierungInhalt";
const char* const favours = "ScrollBoxDiensteInhalt";

// Shows the window at page, activated as a run does, and lets it lay out.
void showPage(TfrmDravolenzMain_New& window, int page) {
    QVERIFY(shelltest::showExposed(&window));
    child<QTabWidget>(&window, QStringLiteral("PageControlMain"))->setCurrentIndex(page);
    window.FormActivate();
    QApplication::processEvents();
}

// A pairing of 9 runs: the players' points, and the favours a received and granted per run,
// which b granted and received.
ResultPairing pairing(const QString& a, const QString& b, int p1, int p2, int received = 0,
                      int granted = 0) {
    const QList<std::int32_t> got(9, received), gave(9, granted);
    return ResultPairing{a, b, p1, p2, got, gave, gave, got};
}

} // namespace

class ResultWindowTest : public QObject {
    Q_OBJECT
private slots:
    void aRealRunReplacesEveryPlaceholderOfTheWindow() {
        TempRoot root;
        for (const QString name : {"ANNA.PLY", "BRUNO.PLY", "CLARA.PLY", "DORIS.PLY"})
            QVERIFY(QFile::copy(TempRoot::sourceData() + "Wendrak/SpielerStamm/" + name,
                                root.programFolder() + "Aktuelles Spiel/" + name));
        TournamentState state;
        state.WendrakPath = state.OutFolder = root.programFolder();
        state.RootPath = root.root();
        // Notes the lines the run sends: one for a label the window lacks would be lost.
        struct RecordingWindow : TfrmDravolenzMain_New, TournamentObserver {
            void ShowStyledLine(const QString& placeholder, const QString& line) override {
                placeholders.insert(placeholder);
                TfrmDravolenzMain_New::ShowStyledLine(placeholder, line);
            }
            int showResults() override { return 2; }
            QSet<QString> placeholders;
        } window;
        QCOMPARE(PlayDravolenz_new(state, window, &window, {.seed = 1}), RunFinished);
        QCOMPARE(window.placeholders.size(), 33);
        for (const QString& name : window.placeholders) {
            auto* placeholder = child<QLabel>(&window, name);
            QVERIFY2(placeholder->isHidden() && !piecesAt(placeholder).isEmpty(), qPrintable(name));
        }
    }

    void styledLinesPutTheirPiecesSideBySideInTheirColours() {
        TfrmDravolenzMain_New window;
        auto* konsens = child<QLabel>(&window, "LabelKonsens");
        window.ShowStyledLine(konsens, QString("\"0Mit einem Konsens endeten: \",\"11234\""));
        QList<QLabel*> pieces = piecesAt(konsens);
        QCOMPARE(pieces.size(), 2);
        QCOMPARE(pieces[0]->text() + "|" + pieces[1]->text(), "Mit einem Konsens endeten: |1234");
        // The trailing blank keeps its room before the next piece.
        QCOMPARE(pieces[1]->x(), pieces[0]->x() + pieces[0]->width());
        // Style 0 is black, 1 orange, 2 orange and centred at the placeholder's width.
        auto* z11 = child<QLabel>(&window, "lblZ11");
        window.ShowStyledLine(z11, QString("2k.A."));
        QString seen;
        for (QLabel* piece : pieces << piecesAt(z11))
            seen += piece->palette().color(QPalette::WindowText).name() +
                    QString::number(piece->width() == z11->width());
        QCOMPARE(seen, QString("#0000000#ff80400#ff80401"));
    }

    void rankingRowsStandInOrderWithBarsAgainstMaximumAndReference() {
        TfrmDravolenzMain_New window;
        QVERIFY_THROWS_EXCEPTION(WendrakError,
                                 window.AddRankingRow("1", "A", "12a", QString(), 1, 1));
        window.AddRankingRow("Platz", "Name", "Punkte", "Spielertyp", -1, -1);
        // 125 players, 124 opponents each: maximum 310000 points, reference 186000.
        for (int i = 1; i <= 125; ++i)
            window.AddRankingRow(QString::number(i), QString("Spieler%1").arg(i),
                                 QString::number(310000 - i * 1000), "Typ", 124, 124);
        showPage(window, 1);
        const QList<QWidget*> rows = rowsOf(&window, ranking);
        QCOMPARE(rows.size(), 126); // the bad points left no row
        QStringList cells; // of the header and the last row: rank, name, points, type and bar
        for (QWidget* row : {rows.first(), rows.last()})
            for (QLabel* cell : row->findChildren<QLabel*>(QString(), Qt::FindDirectChildrenOnly))
                cells << cell->text();
        QCOMPARE(cells,
                 QStringList({"Platz", " Name", "Punkte", " Spielertyp", "Grafische Darstellung",
                              "125", " Spieler125", "185000", " Typ", ""}));
        QVERIFY(rows.last()->y() > rows[124]->y());

        // A bar 400 pixels wide: 309000 of 310000 points fill 398.7 pixels, cut to 398.
        auto* bar = child<QLabel>(rows[1], "pnlBalken");
        bar->setFixedWidth(400);
        QApplication::processEvents();
        QWidget *points = child(bar, "shpPunkte"), *reference = child(bar, "shpReferenz");
        QCOMPARE(std::pair(points->width(), reference->x()), std::pair(398, 240));
        QCOMPARE(
            bar->toolTip() + "|" + points->toolTip() + "|" + reference->toolTip(),
            "Maximale Punktanzahl: 310000 Punkte|309000 Punkte|Referenzschwelle: 186000 Punkte");
    }

    void gamesListPutsTheChosenPlayerFirst() {
        TfrmDravolenzMain_New window;
        window.SetRunTables(
            {"A", "B", "C", "D"},
            {pairing("A", "B", 10, 20), pairing("A", "C", 11, 21), pairing("B", "C", 12, 22)});
        window.SetPlayerList({"A", "B", "C", "D"});
        auto* combo = child<QComboBox>(&window, "ComboBoxSpielerliste");
        auto* list = child<QTableWidget>(&window, "ListViewErgebnisse");
        QCOMPARE(list->rowCount(), 2); // A's games
        combo->setCurrentIndex(2);     // C stands second in both of its pairings
        QCOMPARE(list->rowCount(), 2);
        QCOMPARE(QString("%1|%2|%3|%4")
                     .arg(list->item(1, 0)->text(), list->item(1, 1)->text(),
                          list->item(1, 2)->text(), list->item(1, 3)->text()),
                 QString("C|B|22|12"));
        combo->setCurrentIndex(3); // D stands in no pairing
        QCOMPARE(list->rowCount(), 0);
    }

    void favourRowsAreRebuiltOnEachActivationWithoutDoubling() {
        // The window made at start-up is never filled; activating it must not divide by zero.
        TfrmDravolenzMain_New window;
        window.AddRankingRow("1", "A", "100", QString(), 0, 0);
        showPage(window, 1);
        QCOMPARE(child(rowsOf(&window, ranking).value(0), QString("shpPunkte"))->width(), 0);
        showPage(window, 4);
        QCOMPARE(child(rowsOf(&window, favours).value(0), QString("pnlErhalten"))->width(), 0);
        // A receives 300 favours a run (300.9 in one, cut) and grants 100; C gets and grants none.
        window.SetCounts(9, 2);
        ResultPairing ab = pairing("A", "B", 0, 0, 300, 100);
        ab.ErhalteneDienste1[8] += 8;
        window.SetRunTables({"A", "B", "C"},
                            {ab, pairing("A", "C", 0, 0), pairing("B", "C", 0, 0)});
        window.FormActivate();
        QApplication::processEvents();
        const QList<QWidget*> rows = rowsOf(&window, favours);
        QCOMPARE(rows.size(), 4); // the maximum and A, B, C; the empty window's row is gone
        QCOMPARE(child<QLabel>(rows[0], "pnlName")->text(), QString(" Maximum an Diensten:"));
        // Bar areas 333 pixels wide: the maximum fills them, 300 of 1000 favours 99.9 pixels,
        // cut to 99, and 100 fill 33.3.
        QStringList seen;
        for (QWidget* row : rows.mid(0, 3)) {
            child(row, "pnlErhalten")->parentWidget()->setFixedWidth(333);
            QApplication::processEvents();
            seen << child<QLabel>(row, "lblErhalten")->text()
                 << child<QLabel>(row, "lblErwiesen")->text()
                 << QString::number(child(row, "pnlErhalten")->width())
                 << QString::number(child(row, "pnlErwiesen")->width());
        }
        QCOMPARE(seen, (QStringList{"Erh. Dienste: 1000", "Erw. Dienste: 1000", "333", "333",
                                    "Erh. Dienste: 300", "Erw. Dienste: 100", "99", "33",
                                    "Erh. Dienste: 100", "Erw. Dienste: 300", "33", "99"}));
        const auto colour = [&rows](const char* bar) {
            return child(rows[1], bar)->palette().color(QPalette::Window).name();
        };
        QCOMPARE(colour("pnlErhalten") + colour("pnlErwiesen"), "#808000#008000"); // olive, green
    }

    void theButtonsAskForTheMenuOrCloseWithTheirResultsAndEscapeDoesNot() {
        TempRoot root;
        TfrmDravolenzMain_New window;
        // The program answers the request with its background-material menu.
        QSignalSpy requested(&window, &TfrmDravolenzMain_New::backgroundMaterialRequested);
        child<QPushButton>(&window, "btnHintergrundmaterial")->click();
        QCOMPARE(requested.count(), 1);
        bool openAfterEscape = false;
        QTimer::singleShot(0, &window, [&] {
            QTest::keyClick(&window, Qt::Key_Escape);
            openAfterEscape = window.isVisible();
            child<QPushButton>(&window, "btnRetry")->click();
        });
        QCOMPARE(window.exec(), 4);
        QVERIFY(openAfterEscape);
        QTimer::singleShot(0, &window, [&] { child<QPushButton>(&window, "btnCancel")->click(); });
        QCOMPARE(window.exec(), 2);
    }
};

WENDRAK_UI_TEST_MAIN(ResultWindowTest)

#include "resultwindow_test.moc"
