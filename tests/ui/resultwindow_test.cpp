// The result window: styled lines, ranking rows and their bars, the games list of the
// chosen player, the favours page across activations, the page help contexts and the
// two closing buttons.
#include "TempRoot.h"
#include "engine/Tournament.h"
#include "engine/uTApplicationEnviroment.h"
#include "engine/ui/ufrmDravolenzMain_New.h"
#include "platform/Paths.h"
#include "platform/WendrakError.h"
#include "platform/ui/Application.h"

#include <QApplication>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLayout>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTimer>
#include <QtTest>

namespace {

template <typename T = QWidget> T* child(QObject* parent, const QString& name) {
    T* found = parent->findChild<T*>(name);
    if (found == nullptr)
        qFatal("no child %s", qPrintable(name));
    return found;
}

// The labels a styled line left in the placeholder's parent, left to right.
QList<QLabel*> piecesAt(QLabel* placeholder) {
    QList<QLabel*> pieces;
    for (QLabel* l :
         placeholder->parentWidget()->findChildren<QLabel*>(QString(), Qt::FindDirectChildrenOnly))
        if (l != placeholder && l->objectName().isEmpty() && l->y() == placeholder->y())
            pieces.append(l);
    std::stable_sort(pieces.begin(), pieces.end(),
                     [](QLabel* a, QLabel* b) { return a->x() < b->x(); });
    return pieces;
}

// Rows of one of the window's scroll boxes in the order they stand.
QList<QWidget*> rowsOf(QWidget* window, const QString& content) {
    QList<QWidget*> rows;
    QLayout* layout = child(window, content)->layout();
    for (int i = 0; i < layout->count(); ++i)
        if (QWidget* w = layout->itemAt(i)->widget())
            rows.append(w);
    return rows;
}
const char* const ranking = "ScrollBoxEndplatzierungInhalt";
const char* const favours = "ScrollBoxDiensteInhalt";

// Shows the window at page (activated as a run does when asked) and lets it lay out.
void showPage(TfrmDravolenzMain_New& window, int page, bool activate = false) {
    window.show();
    child<QTabWidget>(&window, QStringLiteral("PageControlMain"))->setCurrentIndex(page);
    if (activate)
        window.FormActivate();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QApplication::processEvents();
}

// A pairing of 9 runs with the points of the two players and the favours each received
// and granted in every run.
ResultPairing pairing(const QString& a, const QString& b, int p1, int p2, int favour = 0) {
    const QList<std::int32_t> runs(9, favour);
    return ResultPairing{a, b, p1, p2, runs, runs, runs, runs};
}

} // namespace

class ResultWindowTest : public QObject {
    Q_OBJECT
private slots:
    void aRealRunFillsEveryPage() {
        TempRoot root;
        for (const QString name : {"ANNA.PLY", "BRUNO.PLY", "CLARA.PLY", "DORIS.PLY"}) {
            QFile source(TempRoot::sourceData() + "Wendrak/SpielerStamm/" + name);
            QVERIFY(source.open(QIODevice::ReadOnly));
            root.write("Wendrak/Aktuelles Spiel/" + name, source.readAll());
        }
        const TApplicationEnviroment env;
        TournamentState state;
        state.WendrakPath = platform::withTrailingSlash(platform::toSlashes(env.WendrakPath()));
        state.RootPath = platform::withTrailingSlash(platform::toSlashes(env.RootPath()));
        state.OutFolder = state.WendrakPath;
        // The window as the run's display and observer, noting the lines it is sent.
        struct RecordingWindow : TfrmDravolenzMain_New, TournamentObserver {
            using TfrmDravolenzMain_New::ShowStyledLine;
            void ShowStyledLine(const QString& placeholder, const QString& line) override {
                placeholders.insert(placeholder);
                TfrmDravolenzMain_New::ShowStyledLine(placeholder, line);
            }
            int showResults() override {
                show();
                FormActivate();
                return 2;
            }
            QSet<QString> placeholders;
        } window;
        TournamentOptions options;
        options.seed = 1;
        QCOMPARE(PlayDravolenz_new(state, window, &window, options), RunFinished);

        // Every line of the run replaced a placeholder of the window.
        QCOMPARE(window.placeholders.size(), 33);
        for (const QString& name : window.placeholders) {
            auto* placeholder = child<QLabel>(&window, name);
            QVERIFY2(placeholder->isHidden(), qPrintable(name));
            QVERIFY2(!piecesAt(placeholder).isEmpty(), qPrintable(name));
        }
        QCOMPARE(rowsOf(&window, ranking).size(), 5);
        QCOMPARE(rowsOf(&window, favours).size(), 5);
        QCOMPARE(child<QComboBox>(&window, "ComboBoxSpielerliste")->count(), 4);
        QCOMPARE(child<QTableWidget>(&window, "ListViewErgebnisse")->rowCount(), 3);
    }

    void styledLinesPutTheirPiecesSideBySideInTheirColours() {
        TfrmDravolenzMain_New window;
        auto* konsens = child<QLabel>(&window, "LabelKonsens");
        QString first, second;
        TfrmDravolenzMain_New::MakeStyledPiece(0, "Mit einem Konsens endeten: ", false, first);
        TfrmDravolenzMain_New::MakeStyledPiece(1, "1234", true, second);
        QCOMPARE(first, QString("\"0Mit einem Konsens endeten: \","));
        window.ShowStyledLine(QString("LabelKonsens"), first + second);
        QVERIFY(konsens->isHidden());
        QList<QLabel*> pieces = piecesAt(konsens);
        QCOMPARE(pieces.size(), 2);
        QCOMPARE(pieces[0]->text(), QString("Mit einem Konsens endeten: "));
        QCOMPARE(pieces[0]->x(), konsens->x());
        QCOMPARE(pieces[1]->text(), QString("1234"));
        QCOMPARE(pieces[1]->x(), pieces[0]->x() + pieces[0]->width());
        // The trailing blank keeps its room.
        QVERIFY(pieces[0]->width() >
                pieces[0]->fontMetrics().horizontalAdvance("Mit einem Konsens endeten:"));
        QCOMPARE(pieces[0]->palette().color(QPalette::WindowText), QColor(Qt::black));
        QCOMPARE(pieces[1]->palette().color(QPalette::WindowText), QColor(0xFF, 0x80, 0x40));

        // A centred piece takes the placeholder's width; a second line adds to the first.
        auto* cell = child<QLabel>(&window, "lblZ11");
        window.ShowStyledLine(cell, QString("\"233\",\"0%\""));
        pieces = piecesAt(cell);
        QCOMPARE(pieces.size(), 2);
        QCOMPARE(pieces[0]->width(), cell->width());
        QVERIFY(pieces[0]->alignment() & Qt::AlignHCenter);
        QCOMPARE(pieces[1]->x(), cell->x() + cell->width());
        window.ShowStyledLine(cell, QString("2k.A."));
        QCOMPARE(piecesAt(cell).size(), 3);

        // A bad style digit fails after the pieces before it.
        auto* blocked = child<QLabel>(&window, "LabelBlockieren");
        QVERIFY_THROWS_EXCEPTION(
            WendrakError,
            window.ShowStyledLine(blocked, QString("\"0Blockieren: \",\"x12\",\"13\"")));
        QVERIFY(blocked->isHidden());
        pieces = piecesAt(blocked);
        QCOMPARE(pieces.size(), 1);
        QCOMPARE(pieces[0]->text(), QString("Blockieren: "));
    }

    void rankingRowsStandInOrderWithBarsAgainstMaximumAndReference() {
        TfrmDravolenzMain_New window;
        window.AddRankingRow("Platz", "Name", "Punkte", "Spielertyp", -1, -1);
        // 125 players, 124 opponents each: maximum 310000 points, reference 186000.
        for (int i = 1; i <= 125; ++i)
            window.AddRankingRow(QString::number(i), QString("Spieler%1").arg(i),
                                 QString::number(310000 - i * 1000), "Typ", 124, 124);
        showPage(window, 1);
        const QList<QWidget*> rows = rowsOf(&window, ranking);
        QCOMPARE(rows.size(), 126);
        for (int i = 0; i < rows.size(); ++i) {
            QVERIFY(i == 0 || rows[i]->y() > rows[i - 1]->y());
            QCOMPARE(rows[i]->findChildren<QLabel*>().first()->text(),
                     i == 0 ? QString("Platz") : QString::number(i));
        }
        auto* header = child<QLabel>(rows[0], "pnlBalken");
        QCOMPARE(header->text(), QString("Grafische Darstellung"));
        QCOMPARE(header->frameShadow(), QFrame::Raised);

        auto* bar = child<QLabel>(rows[1], "pnlBalken");
        const int w = bar->width();
        QVERIFY(w > 100);
        QCOMPARE(bar->toolTip(), QString("Maximale Punktanzahl: 310000 Punkte"));
        QCOMPARE(child(bar, "shpMaximum")->geometry(), bar->rect());
        QWidget* green = child(bar, "shpPunkte");
        QCOMPARE(green->width(), int(std::int64_t(309000) * w / 310000));
        QCOMPARE(green->toolTip(), QString("309000 Punkte"));
        QWidget* marker = child(bar, "shpReferenz");
        QCOMPARE(marker->geometry(), QRect(186000 * w / 310000, 0, 10, bar->height()));
        QCOMPARE(marker->toolTip(), QString("Referenzschwelle: 186000 Punkte"));
    }

    void badPointsFailWithoutARowAndMissingCountsGiveEmptyBars() {
        TfrmDravolenzMain_New window;
        QVERIFY_THROWS_EXCEPTION(WendrakError,
                                 window.AddRankingRow("1", "A", "12a", QString(), 1, 1));
        QCOMPARE(rowsOf(&window, ranking).size(), 0);
        // The window made at start-up is never filled; activating it must not divide by zero.
        window.AddRankingRow("1", "A", "100", QString(), 0, 0);
        showPage(window, 1, true);
        QCOMPARE(rowsOf(&window, ranking).size(), 1);
        QCOMPARE(child(rowsOf(&window, ranking)[0], QString("shpPunkte"))->width(), 0);
        QCOMPARE(rowsOf(&window, favours).size(), 1);
        QCOMPARE(child(rowsOf(&window, favours)[0], QString("pnlErhalten"))->width(), 0);
    }

    void gamesListPutsTheChosenPlayerFirst() {
        TfrmDravolenzMain_New window;
        window.SetCounts(9, 3);
        window.SetRunTables(
            {"A", "B", "C", "D"},
            {pairing("A", "B", 10, 20), pairing("A", "C", 11, 21), pairing("B", "C", 12, 22)});
        window.SetPlayerList({"A", "B", "C", "D"});
        auto* combo = child<QComboBox>(&window, "ComboBoxSpielerliste");
        auto* list = child<QTableWidget>(&window, "ListViewErgebnisse");
        QCOMPARE(combo->currentText(), QString("A"));
        QCOMPARE(list->rowCount(), 2);
        combo->setCurrentIndex(2); // C
        auto row = [&](int r) {
            QStringList texts;
            for (int c = 0; c < 4; ++c)
                texts << list->item(r, c)->text();
            return texts;
        };
        QCOMPARE(list->rowCount(), 2);
        QCOMPARE(row(0), (QStringList{"C", "A", "21", "11"}));
        QCOMPARE(row(1), (QStringList{"C", "B", "22", "12"}));
        QCOMPARE(list->horizontalHeaderItem(2)->text(), QString("Punkte Spieler 1"));
        combo->setCurrentIndex(3); // D stands in no pairing
        QCOMPARE(list->rowCount(), 0);
    }

    void favourRowsAreRebuiltOnEachActivationWithoutDoubling() {
        TfrmDravolenzMain_New window;
        window.SetCounts(9, 2);
        // A and B grant each other 300 favours per run; C gets and grants none.
        window.SetRunTables({"A", "B", "C"}, {pairing("A", "B", 0, 0, 300), pairing("A", "C", 0, 0),
                                              pairing("B", "C", 0, 0)});
        showPage(window, 4, true);
        window.FormActivate();
        QApplication::processEvents();
        const QList<QWidget*> rows = rowsOf(&window, favours);
        QCOMPARE(rows.size(), 4);
        QCOMPARE(child(&window, favours)->findChildren<QFrame*>(QRegularExpression("^FPnl")).size(),
                 4);
        QVERIFY(child(&window, "ScrollBoxDienste")->isVisible());
        QVERIFY(child(&window, "AnimateWait")->isHidden());

        QCOMPARE(child<QLabel>(rows[0], "pnlName")->text(), QString(" Maximum an Diensten:"));
        const int areaWidth = child(rows[0], "pnlErhalten")->parentWidget()->width();
        // Received and granted: the texts and the bar widths.
        const std::tuple<int, const char*, int> expected[] = {
            {0, "Erh. Dienste: 1000|Erw. Dienste: 1000", areaWidth},
            {1, "Erh. Dienste: 300|Erw. Dienste: 300", int(300 * (double(areaWidth) / 1000))},
            {3, "Erh. Dienste: 0|Erw. Dienste: 0", 0}};
        for (const auto& [i, texts, width] : expected) {
            QCOMPARE(rows[i]->objectName(), QString("FPnlSurface%1").arg(i));
            QCOMPARE(child<QLabel>(rows[i], "lblErhalten")->text() + "|" +
                         child<QLabel>(rows[i], "lblErwiesen")->text(),
                     QString(texts));
            QCOMPARE(child(rows[i], "pnlErhalten")->width(), width);
            QCOMPARE(child(rows[i], "pnlErwiesen")->width(), width);
        }
    }

    void eachPageSetsItsHelpContext() {
        TfrmDravolenzMain_New window;
        auto* pages = child<QTabWidget>(&window, "PageControlMain");
        QCOMPARE(pages->currentIndex(), 2);
        const QStringList captions = {"Die einzelnen Partien", "Die Endplatzierungen",
                                      "Die Gruppenzusammensetzung", "Die Gruppenergebnisse",
                                      "Erhaltene und erwiesene Dienste"};
        const int contexts[] = {31000, 31100, 31200, 31300, 1310};
        for (int page : {4, 0, 1, 3, 2}) {
            pages->setCurrentIndex(page);
            QCOMPARE(pages->tabText(page), captions[page]);
            QCOMPARE(window.property("helpContext").toInt(), contexts[page]);
        }
    }

    void backgroundMaterialOpensAsAModalMenuOfTheWindow() {
        TempRoot root;
        TfrmDravolenzMain_New window;
        QString title;
        QObject* owner = nullptr;
        QTimer::singleShot(0, &window, [&] {
            QWidget* menu = QApplication::activeModalWidget();
            QVERIFY(menu != nullptr);
            title = menu->windowTitle();
            owner = menu->parent();
            static_cast<QDialog*>(menu)->done(1);
        });
        child<QPushButton>(&window, "btnHintergrundmaterial")->click();
        QCOMPARE(title, QString("Hintergrundmaterial"));
        QCOMPARE(owner, &window);
        QVERIFY(window.findChildren<QDialog*>().isEmpty());
    }

    void theButtonsCloseWithTheirResultsAndEscapeDoesNot() {
        TfrmDravolenzMain_New window;
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
        QCOMPARE(child<QPushButton>(&window, "btnRetry")->text(),
                 QString("Neue Gruppe berechnen lassen"));
    }
};

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    platform::setUpApplication(app);
    ResultWindowTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "resultwindow_test.moc"
