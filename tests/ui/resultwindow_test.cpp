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
#include <QPushButton>
#include <QScrollArea>
#include <QTabWidget>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>
#include <QtTest>

namespace {

template <typename T = QWidget>
T* child(QObject* parent, const QString& name)
{
    T* found = parent->findChild<T*>(name);
    if (found == nullptr)
        qFatal("no child %s", qPrintable(name));
    return found;
}

// The labels a styled line left in the placeholder's parent, left to right.
QList<QLabel*> piecesAt(QLabel* placeholder)
{
    QList<QLabel*> pieces;
    for (QLabel* l : placeholder->parentWidget()->findChildren<QLabel*>(
             QString(), Qt::FindDirectChildrenOnly))
        if (l != placeholder && l->objectName().isEmpty() && l->y() == placeholder->y())
            pieces.append(l);
    std::stable_sort(pieces.begin(), pieces.end(),
                     [](QLabel* a, QLabel* b) { return a->x() < b->x(); });
    return pieces;
}

// Rows of a scroll box in the order they stand.
QList<QWidget*> rowsOf(QWidget* content)
{
    QList<QWidget*> rows;
    QLayout* layout = content->layout();
    for (int i = 0; i < layout->count(); ++i)
        if (QWidget* w = layout->itemAt(i)->widget())
            rows.append(w);
    return rows;
}

ResultPairing pairing(const QString& a, const QString& b, int p1, int p2, int favour1 = 0,
                      int favour2 = 0)
{
    ResultPairing p;
    p.Name1 = a;
    p.Name2 = b;
    p.Punkte1 = p1;
    p.Punkte2 = p2;
    for (int r = 0; r < 9; ++r) {
        p.ErhalteneDienste1.append(favour1);
        p.ErwieseneDienste1.append(favour2);
        p.ErhalteneDienste2.append(favour2);
        p.ErwieseneDienste2.append(favour1);
    }
    return p;
}

} // namespace

class ResultWindowTest : public QObject {
    Q_OBJECT
private slots:
    void aRealRunFillsEveryPage()
    {
        TempRoot root;
        const QStringList players = {"ANNA.PLY", "BRUNO.PLY", "CLARA.PLY", "DORIS.PLY"};
        for (const QString& name : players) {
            QFile source(TempRoot::sourceData() + "Wendrak/SpielerStamm/" + name);
            QVERIFY(source.open(QIODevice::ReadOnly));
            root.write("Wendrak/Aktuelles Spiel/" + name, source.readAll());
        }
        const TApplicationEnviroment env;
        TournamentState state;
        state.WendrakPath = platform::withTrailingSlash(platform::toSlashes(env.WendrakPath()));
        state.RootPath = platform::withTrailingSlash(platform::toSlashes(env.RootPath()));
        state.OutFolder = state.WendrakPath;

        struct ShowingObserver : TournamentObserver {
            TfrmDravolenzMain_New* window = nullptr;
            int showResults() override
            {
                window->show();
                window->FormActivate();
                return 2;
            }
        } observer;
        TfrmDravolenzMain_New window;
        observer.window = &window;
        TournamentOptions options;
        options.seed = 1;
        QCOMPARE(PlayDravolenz_new(state, observer, &window, options), RunFinished);

        // Every placeholder was replaced by its line.
        const QStringList placeholders = {
            "lblZ11", "lblZ12", "lblZ13", "lblZ21", "lblZ22", "lblZ23", "Label12", "Label13",
            "Label14", "Label49", "Label15", "Label16", "Label17", "lblAMass",
            "LabelVertsicher_AngriffNeig", "LabelVertsicher_AngriffNeigNachAngriff",
            "LabelVertsicher_Friedlich", "LabelAusbeutbar_AngriffNeig",
            "LabelAusbeutbar_AngriffNeigNachAngriff", "LabelAusbeutbar_Friedlich",
            "LabelAnzahlallerzuege", "LabelKonsens", "LabelHereinlegenendet", "LabelBlockieren",
            "LabelImFriedenEndeten", "LabelSozEffQuant", "Labelerwuenschtedienste",
            "Labelwirtschafterg", "LabelBestesErgebnis", "LabelSchlechtesteErgebnis",
            "LabelGruppehaterwirtschaftet", "LabelWirtschaftlichkeitsfaktor", "LabelDienste"};
        for (const QString& name : placeholders) {
            auto* placeholder = child<QLabel>(&window, name);
            QVERIFY2(placeholder->isHidden(), qPrintable(name));
            QVERIFY2(!piecesAt(placeholder).isEmpty(), qPrintable(name));
        }
        QCOMPARE(rowsOf(child(&window, QStringLiteral("ScrollBoxEndplatzierungInhalt"))).size(), 5);
        QCOMPARE(rowsOf(child(&window, QStringLiteral("ScrollBoxDiensteInhalt"))).size(), 5);
        QCOMPARE(child<QComboBox>(&window, QStringLiteral("ComboBoxSpielerliste"))->count(), 4);
        QCOMPARE(child<QTableWidget>(&window, QStringLiteral("ListViewErgebnisse"))->rowCount(), 3);
    }

    void styledPiecesFollowOneAnotherInTheirColours()
    {
        TfrmDravolenzMain_New window;
        auto* placeholder = child<QLabel>(&window, QStringLiteral("LabelKonsens"));
        QString first, second;
        TfrmDravolenzMain_New::MakeStyledPiece(0, QStringLiteral("Mit einem Konsens endeten: "),
                                               false, first);
        TfrmDravolenzMain_New::MakeStyledPiece(1, QStringLiteral("1234"), true, second);
        QCOMPARE(first, QStringLiteral("\"0Mit einem Konsens endeten: \","));
        window.ShowStyledLine(QStringLiteral("LabelKonsens"), first + second);

        QVERIFY(placeholder->isHidden());
        QCOMPARE(placeholder->text(), QStringLiteral("LabelKonsens"));
        const QList<QLabel*> pieces = piecesAt(placeholder);
        QCOMPARE(pieces.size(), 2);
        QCOMPARE(pieces[0]->text(), QStringLiteral("Mit einem Konsens endeten: "));
        QCOMPARE(pieces[0]->x(), placeholder->x());
        QCOMPARE(pieces[1]->text(), QStringLiteral("1234"));
        QCOMPARE(pieces[1]->x(), pieces[0]->x() + pieces[0]->width());
        // The trailing blank keeps its room.
        QVERIFY(pieces[0]->width() > QFontMetrics(pieces[0]->font())
                                         .horizontalAdvance(QStringLiteral("Mit einem Konsens endeten:")));
        QCOMPARE(pieces[0]->palette().color(QPalette::WindowText), QColor(Qt::black));
        QCOMPARE(pieces[1]->palette().color(QPalette::WindowText), QColor(0xFF, 0x80, 0x40));
    }

    void centredPieceTakesThePlaceholdersWidth()
    {
        TfrmDravolenzMain_New window;
        auto* placeholder = child<QLabel>(&window, QStringLiteral("lblZ11"));
        window.ShowStyledLine(placeholder, QStringLiteral("\"233\",\"0%\""));
        const QList<QLabel*> pieces = piecesAt(placeholder);
        QCOMPARE(pieces.size(), 2);
        QCOMPARE(pieces[0]->width(), placeholder->width());
        QVERIFY(pieces[0]->alignment() & Qt::AlignHCenter);
        QCOMPARE(pieces[1]->x(), placeholder->x() + placeholder->width());

        // A line written directly, and a second line over the first.
        window.ShowStyledLine(placeholder, QStringLiteral("2k.A."));
        QCOMPARE(piecesAt(placeholder).size(), 3);
    }

    void aBadStyleDigitFailsAfterThePiecesBeforeIt()
    {
        TfrmDravolenzMain_New window;
        auto* placeholder = child<QLabel>(&window, QStringLiteral("LabelBlockieren"));
        QVERIFY_THROWS_EXCEPTION(
            WendrakError,
            window.ShowStyledLine(placeholder, QStringLiteral("\"0Blockieren: \",\"x12\",\"13\"")));
        QVERIFY(placeholder->isHidden());
        const QList<QLabel*> pieces = piecesAt(placeholder);
        QCOMPARE(pieces.size(), 1);
        QCOMPARE(pieces[0]->text(), QStringLiteral("Blockieren: "));
    }

    void rankingRowsDrawPointsAgainstMaximumAndReference()
    {
        TfrmDravolenzMain_New window;
        window.AddRankingRow(QStringLiteral("Platz"), QStringLiteral("Name"),
                             QStringLiteral("Punkte"), QStringLiteral("Spielertyp"), -1, -1);
        window.AddRankingRow(QStringLiteral("1"), QStringLiteral("Anna"), QStringLiteral("1000"),
                             QStringLiteral("Typ 1"), 1, 1);
        window.show();
        child<QTabWidget>(&window, QStringLiteral("PageControlMain"))->setCurrentIndex(1);
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QApplication::processEvents();

        const QList<QWidget*> rows =
            rowsOf(child(&window, QStringLiteral("ScrollBoxEndplatzierungInhalt")));
        QCOMPARE(rows.size(), 2);
        auto* headerBar = child<QLabel>(rows[0], QStringLiteral("pnlBalken"));
        QCOMPARE(headerBar->text(), QStringLiteral("Grafische Darstellung"));
        QCOMPARE(headerBar->frameShadow(), QFrame::Raised);

        auto* bar = child<QLabel>(rows[1], QStringLiteral("pnlBalken"));
        const int w = bar->width();
        QVERIFY(w > 100);
        QCOMPARE(bar->toolTip(), QStringLiteral("Maximale Punktanzahl: 2500 Punkte"));
        QCOMPARE(child(bar, QStringLiteral("shpMaximum"))->geometry(), bar->rect());
        QWidget* green = child(bar, QStringLiteral("shpPunkte"));
        QCOMPARE(green->width(), 1000 * w / 2500); // two fifths
        QCOMPARE(green->toolTip(), QStringLiteral("1000 Punkte"));
        QWidget* marker = child(bar, QStringLiteral("shpReferenz"));
        QCOMPARE(marker->x(), 1500 * w / 2500); // three fifths
        QCOMPARE(marker->width(), 10);
        QCOMPARE(marker->height(), bar->height());
        QCOMPARE(marker->toolTip(), QStringLiteral("Referenzschwelle: 1500 Punkte"));
        QCOMPARE(rows[1]->findChildren<QLabel*>().first()->text(), QStringLiteral("1"));
    }

    void rankingOf125PlayersKeepsTheOrderOfAdding()
    {
        TfrmDravolenzMain_New window;
        window.AddRankingRow(QStringLiteral("Platz"), QStringLiteral("Name"),
                             QStringLiteral("Punkte"), QStringLiteral("Spielertyp"), -1, -1);
        for (int i = 1; i <= 125; ++i)
            window.AddRankingRow(QString::number(i), QStringLiteral("Spieler%1").arg(i),
                                 QString::number(310000 - i * 1000), QStringLiteral("Typ"), 124,
                                 124);
        window.show();
        child<QTabWidget>(&window, QStringLiteral("PageControlMain"))->setCurrentIndex(1);
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QApplication::processEvents();

        const QList<QWidget*> rows =
            rowsOf(child(&window, QStringLiteral("ScrollBoxEndplatzierungInhalt")));
        QCOMPARE(rows.size(), 126);
        int lastY = -1;
        for (int i = 0; i < rows.size(); ++i) {
            QVERIFY(rows[i]->y() > lastY);
            lastY = rows[i]->y();
            const QString rank = rows[i]->findChildren<QLabel*>().first()->text();
            QCOMPARE(rank, i == 0 ? QStringLiteral("Platz") : QString::number(i));
        }
        auto* bar = child<QLabel>(rows[1], QStringLiteral("pnlBalken"));
        QCOMPARE(bar->toolTip(), QStringLiteral("Maximale Punktanzahl: 310000 Punkte"));
        QCOMPARE(child(bar, QStringLiteral("shpPunkte"))->width(),
                 int(std::int64_t(309000) * bar->width() / 310000));
        QCOMPARE(child(bar, QStringLiteral("shpReferenz"))->x(), 186000 * bar->width() / 310000);
    }

    void rankingRowWithoutIntegerPointsFailsWithoutARow()
    {
        TfrmDravolenzMain_New window;
        QVERIFY_THROWS_EXCEPTION(WendrakError,
                                 window.AddRankingRow(QStringLiteral("1"), QStringLiteral("A"),
                                                      QStringLiteral("12a"), QString(), 1, 1));
        QCOMPARE(rowsOf(child(&window, QStringLiteral("ScrollBoxEndplatzierungInhalt"))).size(),
                 0);
    }

    void missingCountsAndOpponentsGiveEmptyBarsInsteadOfADivisionByZero()
    {
        // The window made at start-up is never filled; activating it must not fail.
        TfrmDravolenzMain_New window;
        window.AddRankingRow(QStringLiteral("1"), QStringLiteral("A"), QStringLiteral("100"),
                             QString(), 0, 0);
        window.show();
        window.FormActivate();
        child<QTabWidget>(&window, QStringLiteral("PageControlMain"))->setCurrentIndex(1);
        QApplication::processEvents();

        const QList<QWidget*> ranking =
            rowsOf(child(&window, QStringLiteral("ScrollBoxEndplatzierungInhalt")));
        QCOMPARE(ranking.size(), 1);
        QCOMPARE(child(ranking[0], QStringLiteral("shpPunkte"))->width(), 0);
        const QList<QWidget*> favours = rowsOf(child(&window, QStringLiteral("ScrollBoxDiensteInhalt")));
        QCOMPARE(favours.size(), 1);
        QCOMPARE(child(favours[0], QStringLiteral("pnlErhalten"))->width(), 0);
    }

    void gamesListPutsTheChosenPlayerFirst()
    {
        TfrmDravolenzMain_New window;
        window.SetCounts(9, 3);
        window.SetRunTables({QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C"),
                             QStringLiteral("D")},
                            {pairing("A", "B", 10, 20), pairing("A", "C", 11, 21),
                             pairing("B", "C", 12, 22)});
        window.SetPlayerList({QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C"),
                              QStringLiteral("D")});
        auto* combo = child<QComboBox>(&window, QStringLiteral("ComboBoxSpielerliste"));
        auto* list = child<QTableWidget>(&window, QStringLiteral("ListViewErgebnisse"));
        QCOMPARE(combo->currentText(), QStringLiteral("A"));
        QCOMPARE(list->rowCount(), 2);

        combo->setCurrentIndex(2); // C
        QCOMPARE(list->rowCount(), 2);
        const QStringList first = {list->item(0, 0)->text(), list->item(0, 1)->text(),
                                   list->item(0, 2)->text(), list->item(0, 3)->text()};
        QCOMPARE(first, (QStringList{"C", "A", "21", "11"}));
        QCOMPARE(list->item(1, 1)->text(), QStringLiteral("B"));
        QCOMPARE(list->item(1, 2)->text(), QStringLiteral("22"));
        QCOMPARE(list->horizontalHeaderItem(2)->text(), QStringLiteral("Punkte Spieler 1"));

        combo->setCurrentIndex(3); // D stands in no pairing
        QCOMPARE(list->rowCount(), 0);
    }

    void favourRowsAreRebuiltOnEachActivationWithoutDoubling()
    {
        TfrmDravolenzMain_New window;
        window.SetCounts(9, 2);
        // A and B grant each other 300 favours per run; C gets and grants none.
        window.SetRunTables({QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C")},
                            {pairing("A", "B", 0, 0, 300, 300), pairing("A", "C", 0, 0),
                             pairing("B", "C", 0, 0)});
        window.show();
        child<QTabWidget>(&window, QStringLiteral("PageControlMain"))->setCurrentIndex(4);
        window.FormActivate();
        window.FormActivate();
        QApplication::processEvents();

        QWidget* content = child(&window, QStringLiteral("ScrollBoxDiensteInhalt"));
        const QList<QWidget*> rows = rowsOf(content);
        QCOMPARE(rows.size(), 4);
        QCOMPARE(content->findChildren<QFrame*>(QRegularExpression("^FPnlSurface")).size(), 4);
        QCOMPARE(window.BalkenNr, 4);
        QCOMPARE(window.MaxDienste, 9000);
        for (int i = 0; i < 4; ++i)
            QCOMPARE(rows[i]->objectName(), QStringLiteral("FPnlSurface%1").arg(i));
        QVERIFY(child(&window, QStringLiteral("ScrollBoxDienste"))->isVisible());
        QVERIFY(child(&window, QStringLiteral("AnimateWait"))->isHidden());

        auto texts = [](QWidget* row) {
            return child<QLabel>(row, QStringLiteral("lblErhalten"))->text() + "|" +
                   child<QLabel>(row, QStringLiteral("lblErwiesen"))->text();
        };
        QCOMPARE(child<QLabel>(rows[0], QStringLiteral("pnlName"))->text(),
                 QStringLiteral(" Maximum an Diensten:"));
        QCOMPARE(texts(rows[0]), QStringLiteral("Erh. Dienste: 1000|Erw. Dienste: 1000"));
        QCOMPARE(texts(rows[1]), QStringLiteral("Erh. Dienste: 300|Erw. Dienste: 300"));
        QCOMPARE(texts(rows[3]), QStringLiteral("Erh. Dienste: 0|Erw. Dienste: 0"));

        QWidget* full = child(rows[0], QStringLiteral("pnlErhalten"));
        const int areaWidth = full->parentWidget()->width();
        QCOMPARE(full->width(), areaWidth);
        QCOMPARE(child(rows[0], QStringLiteral("pnlErwiesen"))->width(), areaWidth);
        QCOMPARE(child(rows[1], QStringLiteral("pnlErhalten"))->width(),
                 int(300 * (double(areaWidth) / 1000)));
        QCOMPARE(child(rows[3], QStringLiteral("pnlErhalten"))->width(), 0);
        QCOMPARE(child(rows[3], QStringLiteral("pnlErwiesen"))->width(), 0);
    }

    void eachPageSetsItsHelpContext()
    {
        TfrmDravolenzMain_New window;
        auto* pages = child<QTabWidget>(&window, QStringLiteral("PageControlMain"));
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

    void backgroundMaterialOpensAsAModalMenuOfTheWindow()
    {
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
        child<QPushButton>(&window, QStringLiteral("btnHintergrundmaterial"))->click();
        QCOMPARE(title, QStringLiteral("Hintergrundmaterial"));
        QCOMPARE(owner, &window);
        QVERIFY(window.findChildren<QDialog*>().isEmpty());
    }

    void theButtonsCloseWithTheirResultsAndEscapeDoesNot()
    {
        TfrmDravolenzMain_New window;
        int escapeResult = -1;
        QTimer::singleShot(0, &window, [&] {
            QTest::keyClick(&window, Qt::Key_Escape);
            escapeResult = window.isVisible() ? 1 : 0;
            child<QPushButton>(&window, QStringLiteral("btnRetry"))->click();
        });
        QCOMPARE(window.exec(), 4);
        QCOMPARE(escapeResult, 1);
        QTimer::singleShot(0, &window, [&] {
            child<QPushButton>(&window, QStringLiteral("btnCancel"))->click();
        });
        QCOMPARE(window.exec(), 2);
        QCOMPARE(child<QPushButton>(&window, QStringLiteral("btnRetry"))->text(),
                 QStringLiteral("Neue Gruppe berechnen lassen"));
    }
};

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    platform::setUpApplication(app);
    ResultWindowTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "resultwindow_test.moc"
