// The main window on a temporary root with the program's start-up forms: the menu and the
// states of its buttons, the intro and start page of the first activation, the debug
// switch, the help file, the pages of the library, the sibling program and the farewell.
#include "shell/ui/uMain.h"

#include "ShellTestSupport.h"
#include "engine/WendrakCalc.h"
#include "platform/ui/GradientWidget.h"
#include "players/ui/ufrmCreateGame.h"
#include "shell/ui/HelpViewer.h"
#include "shell/ui/uIntroMain.h"
#include "shell/ui/ufrmTXTAusgabeHTML.h"

#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTextBrowser>
#include <QToolButton>
#include <QtTest>

using namespace shelltest;

static QString shownPage() {
    return textWindow()->brwHTML()->source().toLocalFile();
}

class MainWindowTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        SetDebugMode(false);
        setHelpFile(QString());
    }
    void cleanup() { platform::Desktop::setInstance(nullptr); }

    void menuShowsEveryCommandInItsState() {
        // Every command sits on the menu panel; the rows list those hidden (-) or disabled (x).
        const char* rows[][2] = {
            {"btnGruppen", "Spieler ändern"},
            {"btnAnzeigen", "Spieler anzeigen"},
            {"btnImport", "Spieler übernehmen"},
            {"btnNeuerSpieler", "Neuen Spieler erstellen"},
            {"btnGruppenverwaltung", "Gruppenverwaltung"},
            {"btnExport", "xSpielerbörse"},
            {"btnLoescheSpieler", "-Spieler löschen"},
            {"btnPelkam", "Das Orvaldeum"},
            {"btnEigenes", "Die Dravolenz"},
            {"btnOekologie", "-Quendalia"},
            {"btnGlossar", "Glossar"},
            {"btnErfolg", "Hintergrundwissen"},
            {"btnExperimente", "Standardexperimente"},
            {"btnmAuswertung", "-Friedlich evolutionäres Verhalten"},
            {"btnInfo", "Eine erste Einführung"},
            {"BitBtn1", "Systemeinstellungen"},
            {"btnBeenden", "Beenden"},
        };
        Program program;
        program.showMenu();
        for (const auto& [name, caption] : rows) {
            QToolButton* b = program.main()->button(name);
            QVERIFY2(b != nullptr && b->parentWidget() == program.main()->pnlMNUHauptmenue(), name);
            const QString state = (b->isVisible() ? "" : "-") + QString(b->isEnabled() ? "" : "x");
            QCOMPARE(state + b->text(), QString::fromUtf8(caption));
        }
    }

    void firstActivationShowsIntroAndStartPageOnlyOnce() {
        Program program;
        TfrmMain* w = program.main();
        bool menuHiddenDuringIntro = false;
        int introShown = 0, startPageHeight = 0;
        QString startPage, startButton;
        whenModal(frmIntroMain, [&] {
            ++introShown;
            menuHiddenDuringIntro =
                !w->pnlMNUHauptmenue()->isVisible() && !w->pnlRahmen()->isVisible();
            frmIntroMain->btnStart()->click();
            whenModal(textWindow(), [&] {
                startPage = shownPage();
                startPageHeight = textWindow()->pnlMain()->height();
                startButton = textWindow()->btnClose()->text();
                textWindow()->btnClose()->click();
            });
        });
        w->show();
        QTRY_VERIFY_WITH_TIMEOUT(!startPage.isEmpty() && w->pnlMNUHauptmenue()->isVisible(), 10000);
        QVERIFY(menuHiddenDuringIntro && !w->ErsteAktivierung);
        QVERIFY2(startPage.endsWith("Texte/StartText.html"), qPrintable(startPage));
        QCOMPARE(startPageHeight, 420);
        QCOMPARE(startButton, QString("&Ok"));

        // Later activations only restyle.
        w->FormActivate();
        QTest::qWait(100);
        QCOMPARE(introShown, 1);
        QVERIFY(QApplication::activeModalWidget() == nullptr);
    }

    void doubleClickOnTheBackgroundSwitchesDebugMode() {
        Program program;
        program.showMenu();
        TfrmMain* w = program.main();
        const QPoint background(5, w->height() / 2);
        QVERIFY(w->childAt(background) == nullptr);

        QTest::mouseDClick(w, Qt::LeftButton, Qt::NoModifier, background);
        QVERIFY(DebugMode() && w->LblDebug()->isVisible());
        QCOMPARE(w->LblDebug()->text(), QString("Debugmodus an"));
        QCOMPARE(w->LblDebug()->pos(), QPoint(0, 0));

        // Not on the menu panel.
        QWidget* panel = w->pnlMNUHauptmenue();
        QTest::mouseDClick(panel, Qt::LeftButton, Qt::NoModifier, QPoint(5, panel->height() - 5));
        QVERIFY(DebugMode());

        QTest::mouseDClick(w, Qt::LeftButton, Qt::NoModifier, background);
        QVERIFY(!DebugMode() && !w->LblDebug()->isVisible());
    }

    void startUpTakesTheHelpFileOnlyWhenItExistsAndReportsAnUnreadableStore() {
        {
            Program program;
            QVERIFY(helpFile().isEmpty());
        }
        const auto message = acceptNextMessage();
        Program program([](TempRoot& root) {
            root.write("Wendrak/Kemrafeld.chm", "ITSF");
            root.write("Wendrak/SpielerStamm/KURZ.PLY", QByteArray(100, 'x'));
        });
        QCOMPARE(helpFile(), program.data() + "Kemrafeld.chm");
        QVERIFY2(message->contains("KURZ.PLY"), qPrintable(*message));
        QVERIFY(program.main() != nullptr && program.main()->SpielerListe.isEmpty());
    }

    void siblingProgramStartsFromTheSettingsAndAFailureIsSilent() {
        auto log = RecordingDesktop::install();
        Program program([](TempRoot& root) {
            root.write("Kemra.ini", "[Path]\r\nPelkamPath=C:\\Spiele\\Pelkam\\\r\n"
                                    "PelkamExeName=Start.exe\r\n");
        });
        program.showMenu();
        program.main()->button("btnPelkam")->click();
        QCOMPARE(log->started, QStringList{"C:/Spiele/Pelkam/Start.exe"});
        QTest::qWait(50);
        QVERIFY(QApplication::activeModalWidget() == nullptr);
        QVERIFY(program.main()->pnlMNUHauptmenue()->isVisible());
    }

    // Page, close caption, navigation, panel height and help context of each library command.
    void libraryCommandsShowTheirPages() {
        const struct {
            const char* button;
            const char* page;
            const char* close;
            bool navigation;
            int height, helpContext;
        } rows[] = {
            {"btnGlossar", "Texte/Glossar_Dravolenz.html", "B&eenden", false, 550, 40000},
            {"btnErfolg", "Texte/texte/Inhaltsverzeichnis.html", "B&eenden", true, 550, 40100},
            {"btnInfo", "Texte/DE_SoftwareWillkommen.html", "&Ok", false, 560, 50200},
        };
        Program program;
        program.showMenu();
        for (const auto& r : rows) {
            QStringList seen;
            whenModal(textWindow(), [&] {
                seen = QStringList{shownPage().section("Wendrak/", -1),
                                   textWindow()->btnClose()->text(),
                                   textWindow()->MitNavigation ? "navigation" : "-",
                                   QString::number(textWindow()->pnlMain()->height()),
                                   textWindow()->property("helpContext").toString()};
                textWindow()->btnClose()->click();
            });
            program.main()->button(r.button)->click();
            QCOMPARE(seen, (QStringList{r.page, r.close, r.navigation ? "navigation" : "-",
                                        QString::number(r.height), QString::number(r.helpContext)}));
        }
    }

    void challengeEndsAtOnceUnlessItsPageIsConfirmed() {
        Program program;
        program.showMenu();
        TfrmMain* w = program.main();
        bool menuHidden = false, setupShown = false;
        QString page;
        answerModal([&](QWidget* modal) {
            setupShown |= modal == startupForms().frmCreateGame;
            if (modal != textWindow())
                return false;
            menuHidden = !w->pnlMNUHauptmenue()->isVisible() && !w->imgLogo()->isVisible();
            page = shownPage();
            textWindow()->reject();
            return true;
        });
        w->button("btnEigenes")->click();
        QVERIFY2(page.endsWith("Texte/DE_Dravolenz.html"), qPrintable(page));
        QVERIFY(menuHidden && !setupShown);
        QVERIFY(w->pnlMNUHauptmenue()->isVisible() && w->imgLogo()->isVisible() &&
                w->pnlRahmen()->isVisible());

        // Without the page there is nothing to confirm: the challenge does not start.
        QFile::remove(program.data() + "Texte/DE_Dravolenz.html");
        w->button("btnEigenes")->click();
        QTest::qWait(50);
        QVERIFY(!setupShown && w->pnlMNUHauptmenue()->isVisible());
    }

    void farewellReusesTheIntroAndEndsTheProgram() {
        Program program;
        program.showMenu();
        TfrmMain* w = program.main();
        QSignalSpy closed(w, &TfrmMain::closed);
        const QPoint headBefore = frmIntroMain->lblHead()->pos();
        QString head, button;
        bool subHeadHidden = false;
        QPoint headAt;
        whenModal(frmIntroMain, [&] {
            head = frmIntroMain->lblHead()->text();
            headAt = frmIntroMain->lblHead()->pos();
            button = frmIntroMain->btnStart()->text();
            subHeadHidden = frmIntroMain->lblSubHead()->isHidden();
            frmIntroMain->btnStart()->click();
        });
        w->button("btnBeenden")->click();
        QCOMPARE(head, QString("Der Friede sei mit Ihnen. Mögen Sie glücklich sein und sich "
                               "Ihres Lebens erfreuen."));
        QCOMPARE(headAt, headBefore + QPoint(20, 60));
        QCOMPARE(button, QString("B&eenden"));
        QVERIFY(subHeadHidden && !w->isVisible());
        QCOMPARE(closed.count(), 1);
    }
};

QTEST_MAIN(MainWindowTest)
#include "mainwindow_test.moc"
