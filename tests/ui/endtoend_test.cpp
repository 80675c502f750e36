// The whole program offscreen: the challenge from the menu through page, game setup, run
// and result window, again with "Neue Gruppe berechnen lassen"; a run cancelled with
// "A&bbruch"; and the folders a standard experiment and the challenge use.
#include "shell/ui/uMain.h"

#include "ShellTestSupport.h"
#include "engine/ui/uWarten.h"
#include "engine/ui/ufrmDravolenzMain_New.h"
#include "platform/TextFile.h"
#include "players/ui/ufrmCreateGame.h"
#include "shell/ui/HelpViewer.h"
#include "shell/ui/uFrmExperimenteMenu.h"
#include "shell/ui/ufrmTXTAusgabeHTML.h"

using namespace shelltest;

namespace {

const QStringList kPlayers = {"ANNA.PLY", "BRUNO.PLY", "DORIS.PLY", "EMIL.PLY"};

// A started program with kPlayers in its store and the menu showing.
struct Started : Program {
    Started() : Program([](TempRoot& r) { copySource(r, "Wendrak/SpielerStamm/", kPlayers); }) {
        showMenu();
    }
    // The result files of a run into folder (below the program folder): the lines of the
    // export and of the composition, and the ids of the first and last group result.
    QStringList results(const QString& folder = {}) const {
        const auto lines = [&](auto f) { return platform::readAnsiLines(data() + folder + f); };
        const QStringList groups = lines("Gruppenergebnisse.Txt");
        return {QString::number(lines("Export.Txt").size()),
                QString::number(lines("Zusammensetzung.Txt").size()),
                groups.value(0).section(';', 0, 0) + "-" +
                    groups.value(groups.size() - 1).section(';', 0, 0)};
    }
};

// The game setup: every personal player of the store into the game, then Ok.
void fillGameWithPersonalPlayers(TfrmCreateGame* setup) {
    clickItem(setup->findChild<QTreeWidget*>("trvFilter"),
              QString::fromUtf8("Persönliche Spieler"));
    setup->findChild<QPushButton*>("btnAddAll")->click();
    setup->findChild<QPushButton*>("btnOk")->click();
}

// Starts the challenge from the menu: its page closed, the game filled by
// fillGameWithPersonalPlayers, and onResult acting on the result window (it must close it).
void playChallenge(const std::function<void(TfrmDravolenzMain_New*)>& onResult) {
    whenModalOf<TfrmTXTAusgabeHTML>([onResult](auto*) {
        textWindow()->btnClose()->click();
        whenModalOf<TfrmCreateGame>([onResult](TfrmCreateGame* setup) {
            fillGameWithPersonalPlayers(setup);
            whenModalOf<TfrmDravolenzMain_New>(onResult);
        });
    });
    startupForm<TfrmMain>()->button("btnEigenes")->click();
}

} // namespace

class EndToEndTest : public QObject {
    Q_OBJECT

private slots:
    void challengePlaysTheGameShowsTheResultsAndOffersANewGroup() {
        Started program;
        TfrmMain* w = program.main();
        QStringList gameOnReturn, filesWhileShown;
        bool menuHiddenDuringRun = false;

        playChallenge([&](TfrmDravolenzMain_New* result) {
            menuHiddenDuringRun = !w->pnlMNUHauptmenue()->isVisible();
            filesWhileShown = program.results();
            // "Neue Gruppe berechnen lassen" offers the setup again with the same game.
            result->findChild<QPushButton*>("btnRetry")->click();
            whenModalOf<TfrmCreateGame>([&](TfrmCreateGame* again) {
                gameOnReturn =
                    childTexts(again->findChild<QTreeWidget*>("lstPlayer")->invisibleRootItem());
                again->findChild<QPushButton*>("btnCancel")->click();
            });
        });

        QVERIFY(menuHiddenDuringRun);
        QCOMPARE(filesWhileShown, (QStringList{"12", "12", "10-41"}));
        QCOMPARE(gameOnReturn, kPlayers);
        QVERIFY(!startupForm<TForm10>()->isVisible() && w->pnlMNUHauptmenue()->isVisible() &&
                w->imgLogo()->isVisible());
    }

    void cancellingTheRunEndsTheChallenge() {
        Started program;
        int setups = 0;
        QString question;
        bool resultShown = false;

        // Acts on every pass of the event loop, also while the run pumps events between games.
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
            } else if (modal == nullptr && startupForm<TForm10>() != nullptr &&
                       startupForm<TForm10>()->isVisible() && !startupForm<TForm10>()->Abbruch) {
                QTest::mouseClick(startupForm<TForm10>()->btnCancel(), Qt::LeftButton);
            }
        });
        driver.start();
        program.main()->button("btnEigenes")->click();
        driver.stop();

        QCOMPARE(question, QString("Soll die aktuelle Berechnung abgebrochen werden ?"));
        QVERIFY(!resultShown && setups == 1 && !startupForm<TForm10>()->isVisible());
        // Fewer than all games exported, no group results and no composition.
        const QStringList files = program.results();
        QVERIFY2(files[0].toInt() < 12, qPrintable(files[0]));
        QCOMPARE(files.mid(1), (QStringList{"0", "-"}));
    }

    // "Kemra.ini" names a data folder apart from the program folder: the help file and the
    // challenge's results belong to the data folder, the experiments' group is loaded from
    // its store into its game, while their tree and results stay below the program folder.
    void foldersFollowTheirBasesWhenWendrakPathNamesAnotherFolder() {
        Program program([](TempRoot& r) {
            r.write("Kemra.ini", ("[Path]\r\nWendrakPath=" + r.root() + "Daten/\r\n").toUtf8());
            for (const char* help : {"Wendrak/Kemrafeld.chm", "Daten/Kemrafeld.chm"})
                r.write(help, "ITSF");
            copySource(r, "Wendrak/SpielerStamm/", kPlayers);
            for (const QString& name : kPlayers)
                r.write("Daten/SpielerStamm/" + name, r.read("Wendrak/SpielerStamm/" + name));
            r.write("Wendrak/Standardexperimente/Versuch/group.sgp", "ANNA.PLY\r\nBRUNO.PLY\r\n");
        });
        program.showMenu();
        const QString data = program.root.root() + "Daten/";
        QCOMPARE(helpFile(), data + "Kemrafeld.chm");

        // The experiment's result is not read, so no new group is asked for.
        whenModalOf<TfrmDravolenzMain_New>(
            [](auto* result) { result->template findChild<QPushButton*>("btnRetry")->click(); });
        answerModal([](QWidget* modal) { // the menu runs its group once its tree is there
            auto* menu = qobject_cast<TfrmExperimenteMenu*>(modal);
            QTreeWidgetItem* group =
                menu ? findNode(menu->trvMain(), "Selbst Experimentieren") : nullptr;
            if (group == nullptr)
                return false;
            clickItem(menu->trvMain(), group);
            menu->btnOk()->click();
            return true;
        });
        program.main()->button("btnExperimente")->click();
        QCOMPARE(modalsOpenedByPendingEvents(), QStringList());
        QCOMPARE(filesIn(data + "Aktuelles Spiel"), (QStringList{"ANNA.PLY", "BRUNO.PLY"}));
        QCOMPARE(filesIn(program.data() + "Aktuelles Spiel"), QStringList());
        QVERIFY(QFile::exists(program.data() + "Standardexperimente/Versuch/Export.Txt"));

        // The challenge plays the data folder's game and writes its results there.
        playChallenge([](TfrmDravolenzMain_New* result) {
            result->findChild<QPushButton*>("btnCancel")->click();
        });
        QCOMPARE(platform::readAnsiLines(data + "Export.Txt").size(), 2);
        QVERIFY(!QFile::exists(program.data() + "Export.Txt"));
    }
};

QTEST_MAIN(EndToEndTest)
#include "endtoend_test.moc"
