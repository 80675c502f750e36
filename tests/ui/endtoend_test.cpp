// The whole program offscreen on a temporary root: the challenge from the menu through the
// page, the game setup, the run with its progress window and the result window, again
// with "Neue Gruppe berechnen lassen"; a run cancelled with "A&bbruch"; and a standard
// experiment run into its own folder.
#include "shell/ui/uMain.h"

#include "ShellTestSupport.h"
#include "TempRoot.h"
#include "engine/WendrakCalc.h"
#include "engine/ui/uWarten.h"
#include "engine/ui/ufrmDravolenzMain_New.h"
#include "platform/TextFile.h"
#include "players/ui/ufrmCreateGame.h"
#include "shell/ui/uFrmExperimenteMenu.h"
#include "shell/ui/ufrmTXTAusgabeHTML.h"

#include <QComboBox>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollArea>
#include <QTabWidget>
#include <QTableWidget>
#include <QTextBrowser>
#include <QToolButton>
#include <QtTest>

using namespace shelltest;

namespace {

const QStringList kPlayers = {"ANNA.PLY", "BRUNO.PLY", "DORIS.PLY", "EMIL.PLY"};

// A started program with kPlayers in its store and the menu showing.
struct Started : Program {
    Started() : Program([](TempRoot& root) { copyPlayers(root, kPlayers); }) { showMenu(); }
    // Files are named below the program folder.
    int lines(const QString& file) const { return platform::readAnsiLines(data() + file).size(); }
    // The ids of the first and the last line of a group results file.
    QString groupResultIds(const QString& file) const {
        const QStringList l = platform::readAnsiLines(data() + file);
        return l.isEmpty() ? QString()
                           : l.first().section(';', 0, 0) + "-" + l.last().section(';', 0, 0);
    }
};

QStringList gameList(QWidget* setup) {
    return childTexts(setup->findChild<QTreeWidget*>("lstPlayer")->invisibleRootItem());
}

// The game setup: every personal player of the store into the game, then Ok.
void fillGameWithPersonalPlayers(TfrmCreateGame* setup) {
    auto* filter = setup->findChild<QTreeWidget*>("trvFilter");
    clickItem(filter, findNode(filter, QString::fromUtf8("Persönliche Spieler")));
    setup->findChild<QPushButton*>("btnAddAll")->click();
    setup->findChild<QPushButton*>("btnOk")->click();
}

} // namespace

class EndToEndTest : public QObject {
    Q_OBJECT

private slots:
    void init() { SetDebugMode(false); }

    void challengePlaysTheGameShowsTheResultsAndOffersANewGroup() {
        Started program;
        TfrmMain* w = program.main();
        QString page, groupIds;
        QStringList gameAfterSetup, gameOnReturn, tabs, ranking;
        int comboItems = 0, games = 0, exportLines = 0, compositionLines = 0;
        bool menuHiddenDuringRun = false;

        whenModal(textWindow(), [&] {
            page = textWindow()->brwHTML()->source().toLocalFile();
            textWindow()->btnClose()->click();
            whenModalOf<TfrmCreateGame>([&](TfrmCreateGame* setup) {
                fillGameWithPersonalPlayers(setup);
                gameAfterSetup = gameList(setup);
                menuHiddenDuringRun = !w->pnlMNUHauptmenue()->isVisible();
                whenModalOf<TfrmDravolenzMain_New>([&](TfrmDravolenzMain_New* result) {
                    auto* pages = result->findChild<QTabWidget*>("PageControlMain");
                    for (int i = 0; i < pages->count(); ++i)
                        tabs << pages->tabText(i);
                    comboItems = result->findChild<QComboBox*>("ComboBoxSpielerliste")->count();
                    games = result->findChild<QTableWidget*>("ListViewErgebnisse")->rowCount();
                    for (QLabel* l : result->findChild<QScrollArea*>("ScrollBoxEndplatzierung")
                                         ->findChildren<QLabel*>())
                        ranking << l->text();
                    exportLines = program.lines("Export.Txt");
                    groupIds = program.groupResultIds("Gruppenergebnisse.Txt");
                    compositionLines = program.lines("Zusammensetzung.Txt");
                    result->findChild<QPushButton*>("btnRetry")->click();
                    whenModalOf<TfrmCreateGame>([&](TfrmCreateGame* again) {
                        gameOnReturn = gameList(again);
                        again->findChild<QPushButton*>("btnCancel")->click();
                    });
                });
            });
        });
        w->button("btnEigenes")->click();

        QVERIFY2(page.endsWith("Texte/DE_Dravolenz.html"), qPrintable(page));
        QCOMPARE(gameAfterSetup, kPlayers);
        QVERIFY(menuHiddenDuringRun);
        QCOMPARE(tabs, (QStringList{"Die einzelnen Partien", "Die Endplatzierungen",
                                    "Die Gruppenzusammensetzung", "Die Gruppenergebnisse",
                                    "Erhaltene und erwiesene Dienste"}));
        QCOMPARE(comboItems, 4);
        QCOMPARE(games, 3);
        for (const char* name : {"ANNA", "BRUNO", "DORIS", "EMIL"})
            QVERIFY2(ranking.join('|').contains(name), qPrintable(ranking.join('|')));
        QCOMPARE(exportLines, 12);
        QCOMPARE(groupIds, QString("10-41"));
        QCOMPARE(compositionLines, 12);
        QCOMPARE(gameOnReturn, kPlayers);
        QVERIFY(!Form10->isVisible());
        QVERIFY(w->pnlMNUHauptmenue()->isVisible() && w->imgLogo()->isVisible());
    }

    void cancellingTheRunEndsTheChallenge() {
        Started program;
        TfrmMain* w = program.main();
        int setups = 0;
        QString question;
        bool resultShown = false;

        // Runs on every pass of the event loop, so it also acts while the run pumps events
        // between its games.
        QTimer driver;
        driver.setInterval(0);
        connect(&driver, &QTimer::timeout, [&] {
            QWidget* modal = QApplication::activeModalWidget();
            if (modal == textWindow()) {
                textWindow()->btnClose()->click();
            } else if (auto* setup = qobject_cast<TfrmCreateGame*>(modal)) {
                if (++setups == 1)
                    fillGameWithPersonalPlayers(setup);
                else
                    setup->findChild<QPushButton*>("btnCancel")->click();
            } else if (auto* box = qobject_cast<QMessageBox*>(modal)) {
                question = box->text();
                box->button(QMessageBox::Yes)->click();
            } else if (auto* result = qobject_cast<TfrmDravolenzMain_New*>(modal)) {
                resultShown = true;
                result->findChild<QPushButton*>("btnCancel")->click();
            } else if (modal == nullptr && Form10 != nullptr && Form10->isVisible() &&
                       !Form10->Abbruch) {
                QTest::mouseClick(Form10->btnCancel(), Qt::LeftButton);
            }
        });
        driver.start();
        w->button("btnEigenes")->click();
        driver.stop();

        QCOMPARE(question, QString("Soll die aktuelle Berechnung abgebrochen werden ?"));
        QVERIFY(!resultShown);
        QCOMPARE(setups, 1);
        QVERIFY(!Form10->isVisible());
        QVERIFY(program.lines("Export.Txt") < 12);
        QCOMPARE(program.lines("Gruppenergebnisse.Txt") + program.lines("Zusammensetzung.Txt"), 0);
        const QStringList log =
            platform::readAnsiLines(program.root.root() + "Debug/Spiel_Gesamt.csv");
        QCOMPARE(log.value(log.size() - 1), QString("Abbruch durch Benutzer"));
        QVERIFY(w->pnlMNUHauptmenue()->isVisible());
    }

    void experimentRunsItsGroupIntoItsOwnFolder() {
        Started program;
        program.root.write("Wendrak/Standardexperimente/Versuch/Text.rtf", "{\\rtf1 t}");
        program.root.write("Wendrak/Standardexperimente/Versuch/group.sgp",
                           "ANNA.PLY\r\nBRUNO.PLY\r\nDORIS.PLY\r\n");
        TfrmMain* w = program.main();
        int helpContext = 0, results = 0;
        answerModal([&](QWidget* modal) {
            auto* menu = qobject_cast<TfrmExperimenteMenu*>(modal);
            if (menu == nullptr || !clickGroupOf(menu->trvMain(), "Versuch"))
                return false;
            helpContext = menu->property("helpContext").toInt();
            menu->btnOk()->click();
            whenModalOf<TfrmDravolenzMain_New>([&](TfrmDravolenzMain_New* result) {
                ++results;
                result->findChild<QPushButton*>("btnRetry")->click();
            });
            return true;
        });
        w->button("btnExperimente")->click();

        // The result is not read: a new group is not asked for again.
        QCOMPARE(helpContext, 40200);
        QCOMPARE(results, 1);
        QTest::qWait(50);
        QVERIFY(QApplication::activeModalWidget() == nullptr);
        const QString folder = "Standardexperimente/Versuch/";
        QCOMPARE(program.lines(folder + "Export.Txt"), 6);
        QCOMPARE(program.groupResultIds(folder + "Gruppenergebnisse.Txt"), QString("10-41"));
        QCOMPARE(program.lines(folder + "Zusammensetzung.Txt"), 12);
        QVERIFY(!QFile::exists(program.data() + "Export.Txt"));
        QCOMPARE(filesIn(program.data() + "Aktuelles Spiel"),
                 (QStringList{"ANNA.PLY", "BRUNO.PLY", "DORIS.PLY"}));
    }

    void aGroupOfFewerThanTwoPlayersEndsWithTheRunsMessage() {
        Started program;
        program.root.write("Wendrak/Standardexperimente/Allein/group.sgp", "ANNA.PLY\r\n");
        std::shared_ptr<QString> message;
        answerModal([&](QWidget* modal) {
            auto* menu = qobject_cast<TfrmExperimenteMenu*>(modal);
            if (menu == nullptr || !clickGroupOf(menu->trvMain(), "Allein"))
                return false;
            message = acceptNextMessage();
            menu->btnOk()->click();
            return true;
        });
        program.main()->button("btnExperimente")->click();
        // No run: no result window was waited for and nothing was written.
        QVERIFY2(message && message->contains("zwei Spieler"), qPrintable(message ? *message : ""));
        QVERIFY(!QFile::exists(program.data() + "Standardexperimente/Allein/Export.Txt"));
    }
};

QTEST_MAIN(EndToEndTest)
#include "endtoend_test.moc"
