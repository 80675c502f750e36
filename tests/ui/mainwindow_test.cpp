// The main window on a temporary root with the program's start-up forms: the menu and the
// states of its buttons, the intro and start page of the first activation, the debug
// switch, the help file, the pages of the library, the sibling program and the farewell.
#include "shell/ui/uMain.h"

#include "ShellTestSupport.h"
#include "TempRoot.h"
#include "engine/WendrakCalc.h"
#include "platform/ui/GradientWidget.h"
#include "players/ui/ufrmCreateGame.h"
#include "shell/ui/HelpViewer.h"
#include "shell/ui/uIntroMain.h"
#include "shell/ui/ufrmTXTAusgabeHTML.h"

#include <QFrame>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTextBrowser>
#include <QToolButton>
#include <QtTest>

using namespace shelltest;

namespace {

// A temporary installation with the shipped text pages and the start-up forms.
struct Program {
    TempRoot root;
    explicit Program(const std::function<void(TempRoot&)>& prepare = {}) {
        copySourceFolder(root, "Wendrak/Texte/", "Wendrak/Texte/");
        if (prepare)
            prepare(root);
        CreateStartupForms();
    }
    ~Program() { DestroyStartupForms(); }
    TfrmMain* main() const { return startupForms().frmMain; }
    // Shows the main window as after its first activation.
    void showMenu() const {
        main()->ErsteAktivierung = false;
        main()->show();
        main()->FormActivate();
    }
};

QString shownPage() {
    return textWindow()->brwHTML()->source().toLocalFile();
}

} // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        SetDebugMode(false);
        setHelpFile(QString());
    }
    void cleanup() { platform::Desktop::setInstance(nullptr); }

    void menuShowsEveryCommandInItsState_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<bool>("shown");
        QTest::addColumn<bool>("enabled");
        const struct {
            const char* name;
            const char* caption;
            bool shown, enabled;
        } rows[] = {
            {"btnGruppen", "Spieler ändern", true, true},
            {"btnAnzeigen", "Spieler anzeigen", true, true},
            {"btnImport", "Spieler übernehmen", true, true},
            {"btnNeuerSpieler", "Neuen Spieler erstellen", true, true},
            {"btnGruppenverwaltung", "Gruppenverwaltung", true, true},
            {"btnExport", "Spielerbörse", true, false},
            {"btnLoescheSpieler", "Spieler löschen", false, true},
            {"btnPelkam", "Das Orvaldeum", true, true},
            {"btnEigenes", "Die Dravolenz", true, true},
            {"btnOekologie", "Quendalia", false, true},
            {"btnGlossar", "Glossar", true, true},
            {"btnErfolg", "Hintergrundwissen", true, true},
            {"btnExperimente", "Standardexperimente", true, true},
            {"btnmAuswertung", "Friedlich evolutionäres Verhalten", false, true},
            {"btnInfo", "Eine erste Einführung", true, true},
            {"BitBtn1", "Systemeinstellungen", true, true},
            {"btnBeenden", "Beenden", true, true},
        };
        for (const auto& r : rows)
            QTest::newRow(r.name) << QString(r.name) << QString::fromUtf8(r.caption) << r.shown
                                  << r.enabled;
    }
    void menuShowsEveryCommandInItsState() {
        QFETCH(QString, name);
        QFETCH(QString, caption);
        QFETCH(bool, shown);
        QFETCH(bool, enabled);
        Program program;
        program.showMenu();
        QToolButton* b = program.main()->button(name);
        QVERIFY(b != nullptr);
        QVERIFY(b->parentWidget() == program.main()->pnlMNUHauptmenue());
        QCOMPARE(b->text(), caption);
        QCOMPARE(b->isVisible(), shown);
        QCOMPARE(b->isEnabled(), enabled);
    }

    void firstActivationShowsIntroAndStartPageOnlyOnce() {
        Program program;
        TfrmMain* w = program.main();
        bool menuHiddenDuringIntro = false;
        int introShown = 0;
        QString startPage;
        int startPageHeight = 0;
        QString startButton;
        answerModal([&](QWidget* modal) {
            if (modal != frmIntroMain)
                return false;
            ++introShown;
            menuHiddenDuringIntro =
                !w->pnlMNUHauptmenue()->isVisible() && !w->pnlRahmen()->isVisible();
            frmIntroMain->btnStart()->click();
            answerModal([&](QWidget* page) {
                if (page != textWindow())
                    return false;
                startPage = shownPage();
                startPageHeight = textWindow()->pnlMain()->height();
                startButton = textWindow()->btnClose()->text();
                textWindow()->btnClose()->click();
                return true;
            });
            return true;
        });
        w->show();
        QTRY_VERIFY_WITH_TIMEOUT(!startPage.isEmpty() && w->pnlMNUHauptmenue()->isVisible(), 10000);
        QVERIFY(menuHiddenDuringIntro);
        QCOMPARE(introShown, 1);
        QVERIFY2(startPage.endsWith("Texte/StartText.html"), qPrintable(startPage));
        QCOMPARE(startPageHeight, 420);
        QCOMPARE(startButton, QString("&Ok"));
        QVERIFY(!w->ErsteAktivierung);

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
        QVERIFY(w->LblDebug()->isVisible());
        QCOMPARE(w->LblDebug()->text(), QString("Debugmodus an"));
        QCOMPARE(w->LblDebug()->pos(), QPoint(0, 0));
        QVERIFY(DebugMode());

        // Not on the menu panel.
        QWidget* panel = w->pnlMNUHauptmenue();
        QTest::mouseDClick(panel, Qt::LeftButton, Qt::NoModifier, QPoint(5, panel->height() - 5));
        QVERIFY(DebugMode());

        QTest::mouseDClick(w, Qt::LeftButton, Qt::NoModifier, background);
        QVERIFY(!w->LblDebug()->isVisible());
        QVERIFY(!DebugMode());
    }

    void helpFileIsTakenOnlyWhenItExists() {
        {
            Program program;
            QVERIFY(helpFile().isEmpty());
        }
        Program program([](TempRoot& root) { root.write("Wendrak/Kemrafeld.chm", "ITSF"); });
        QCOMPARE(helpFile(), program.root.programFolder() + "Kemrafeld.chm");
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

    void libraryCommandsShowTheirPages_data() {
        QTest::addColumn<QString>("buttonName");
        QTest::addColumn<QString>("page");
        QTest::addColumn<QString>("closeCaption");
        QTest::addColumn<bool>("navigation");
        QTest::addColumn<int>("height");
        QTest::addColumn<int>("helpContext");
        QTest::newRow("Glossar") << "btnGlossar"
                                 << "Texte/Glossar_Dravolenz.html"
                                 << "B&eenden" << false << 550 << 40000;
        QTest::newRow("Hintergrundwissen") << "btnErfolg"
                                           << "Texte/texte/Inhaltsverzeichnis.html"
                                           << "B&eenden" << true << 550 << 40100;
        QTest::newRow("Einführung") << "btnInfo"
                                    << "Texte/DE_SoftwareWillkommen.html"
                                    << "&Ok" << false << 560 << 50200;
    }
    void libraryCommandsShowTheirPages() {
        QFETCH(QString, buttonName);
        QFETCH(QString, page);
        QFETCH(QString, closeCaption);
        QFETCH(bool, navigation);
        QFETCH(int, height);
        QFETCH(int, helpContext);
        Program program;
        program.showMenu();
        QString shown, caption;
        bool nav = !navigation;
        int panelHeight = 0, context = 0;
        answerModal([&](QWidget* modal) {
            if (modal != textWindow())
                return false;
            shown = shownPage();
            context = textWindow()->property("helpContext").toInt();
            caption = textWindow()->btnClose()->text();
            nav = textWindow()->MitNavigation;
            panelHeight = textWindow()->pnlMain()->height();
            textWindow()->btnClose()->click();
            return true;
        });
        program.main()->button(buttonName)->click();
        QVERIFY2(shown.endsWith(page), qPrintable(shown));
        QCOMPARE(caption, closeCaption);
        QCOMPARE(nav, navigation);
        QCOMPARE(panelHeight, height);
        QCOMPARE(context, helpContext);
    }

    void challengeEndsAtOnceUnlessItsPageIsConfirmed() {
        Program program;
        program.showMenu();
        TfrmMain* w = program.main();
        bool menuHidden = false;
        bool setupShown = false;
        QString page;
        answerModal([&](QWidget* modal) {
            if (modal == startupForms().frmCreateGame)
                setupShown = true;
            if (modal != textWindow())
                return false;
            menuHidden = !w->pnlMNUHauptmenue()->isVisible() && !w->imgLogo()->isVisible();
            page = shownPage();
            textWindow()->reject();
            return true;
        });
        w->button("btnEigenes")->click();
        QVERIFY2(page.endsWith("Texte/DE_Dravolenz.html"), qPrintable(page));
        QVERIFY(menuHidden);
        QVERIFY(!setupShown);
        QVERIFY(w->pnlMNUHauptmenue()->isVisible());
        QVERIFY(w->imgLogo()->isVisible());
        QVERIFY(w->pnlRahmen()->isVisible());

        // Without the page there is nothing to confirm: the challenge does not start.
        QFile::remove(program.root.programFolder() + "Texte/DE_Dravolenz.html");
        w->button("btnEigenes")->click();
        QTest::qWait(50);
        QVERIFY(!setupShown);
        QVERIFY(w->pnlMNUHauptmenue()->isVisible());
    }

    void aStoreThatCannotBeReadIsReportedAndTheProgramStillStarts() {
        QString message;
        answerModal([&](QWidget* modal) {
            auto* box = qobject_cast<QMessageBox*>(modal);
            if (box == nullptr)
                return false;
            message = box->text();
            box->accept();
            return true;
        });
        Program program([](TempRoot& root) {
            root.write("Wendrak/SpielerStamm/KURZ.PLY", QByteArray(100, 'x'));
        });
        QVERIFY2(message.contains("KURZ.PLY"), qPrintable(message));
        QVERIFY(program.main() != nullptr);
        QVERIFY(program.main()->SpielerListe.isEmpty());
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
        answerModal([&](QWidget* modal) {
            if (modal != frmIntroMain)
                return false;
            head = frmIntroMain->lblHead()->text();
            headAt = frmIntroMain->lblHead()->pos();
            button = frmIntroMain->btnStart()->text();
            subHeadHidden = frmIntroMain->lblSubHead()->isHidden();
            frmIntroMain->btnStart()->click();
            return true;
        });
        w->button("btnBeenden")->click();
        QCOMPARE(head, QString("Der Friede sei mit Ihnen. Mögen Sie glücklich sein und sich "
                               "Ihres Lebens erfreuen."));
        QCOMPARE(headAt, headBefore + QPoint(20, 60));
        QCOMPARE(button, QString("B&eenden"));
        QVERIFY(subHeadHidden);
        QCOMPARE(closed.count(), 1);
        QVERIFY(!w->isVisible());
    }
};

QTEST_MAIN(MainWindowTest)
#include "mainwindow_test.moc"
