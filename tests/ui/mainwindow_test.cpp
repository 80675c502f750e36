// The main window with the program's start-up forms: the menu, the intro, start page and
// farewell, the debug switch, the help file, the sibling program and the text pages.
#include "shell/ui/uMain.h"

#include "ShellTestSupport.h"
#include "engine/WendrakCalc.h"
#include "platform/ui/GradientWidget.h"
#include "platform/ui/MessageBoxes.h"
#include "players/ui/ufrmChooseGroup.h"
#include "players/ui/ufrmCreateGame.h"
#include "players/ui/ufrmInit.h"
#include "shell/ui/HelpViewer.h"
#include "shell/ui/uIntroMain.h"
#include "shell/ui/ufrmTXTAusgabeHTML.h"

#include <algorithm>

using namespace shelltest;

// The text window's page (below the program folder), close caption, panel height,
// navigation and help context.
static QStringList textWindowShows() {
    TfrmTXTAusgabeHTML* t = textWindow();
    return {t->brwHTML()->source().toLocalFile().section("Wendrak/", -1), t->btnClose()->text(),
            QString::number(t->pnlMain()->height()), t->MitNavigation ? "nav" : "-",
            t->property("helpContext").toString()};
}

class MainWindowTest : public QObject {
    Q_OBJECT

private slots:
    void init() { SetDebugMode(false); }
    void cleanup() {
        platform::Desktop::setInstance(nullptr);
        platform::MessageBoxes::reset();
    }

    void menuShowsEveryCommandAndADoubleClickBesideItSwitchesDebugMode() {
        // Commands sit on the menu panel; hidden ones are marked "-", disabled ones "x".
        const QStringList expected =
            QString("btnGruppen Spieler ändern|btnExport xSpielerbörse|"
                    "btnLoescheSpieler -Spieler löschen|btnOekologie -Quendalia|"
                    "btnmAuswertung -Friedlich evolutionäres Verhalten|btnBeenden Beenden")
                .split('|');
        Program program;
        program.showMenu();
        TfrmMain* w = program.main();
        QStringList seen;
        for (const QString& row : expected) {
            QToolButton* b = w->button(row.section(' ', 0, 0));
            QVERIFY2(b && b->parentWidget() == w->pnlMNUHauptmenue(), qPrintable(row));
            seen << row.section(' ', 0, 0) + ' ' + (b->isVisible() ? "" : "-") +
                        (b->isEnabled() ? "" : "x") + b->text();
        }
        QCOMPARE(seen, expected);

        // A double-click beside the menu, not on it, switches the debug mode.
        const QPoint background(5, w->height() / 2);
        QTest::mouseDClick(w, Qt::LeftButton, Qt::NoModifier, background);
        QVERIFY(DebugMode() && w->LblDebug()->isVisible());
        QCOMPARE(w->LblDebug()->text(), QString("Debugmodus an"));

        QWidget* panel = w->pnlMNUHauptmenue();
        QTest::mouseDClick(panel, Qt::LeftButton, Qt::NoModifier, QPoint(5, panel->height() - 5));
        QVERIFY(DebugMode());
        QTest::mouseDClick(w, Qt::LeftButton, Qt::NoModifier, background);
        QVERIFY(!DebugMode() && !w->LblDebug()->isVisible());
    }

    // The intro greets once, before the start page, and comes back as the farewell; later
    // activation steps follow the program's own dialogs, not the desktop's focus changes.
    void introOpensTheFirstActivationOnlyLaterOnesFollowDialogsAndItReturnsAsTheFarewell() {
        Program program;
        TfrmMain* w = program.main();
        QSignalSpy closed(w, &TfrmMain::closed);
        bool menuHiddenDuringIntro = false;
        QStringList startPage, farewell;
        whenModalOf<TfrmIntroMain>([&](auto*) {
            menuHiddenDuringIntro =
                !w->pnlMNUHauptmenue()->isVisible() && !w->pnlRahmen()->isVisible();
            startupForm<TfrmIntroMain>()->btnStart()->click();
            whenModalOf<TfrmTXTAusgabeHTML>([&](auto*) {
                startPage = textWindowShows();
                textWindow()->btnClose()->click();
            });
        });
        w->show();
        QTRY_VERIFY_WITH_TIMEOUT(!startPage.isEmpty() && w->pnlMNUHauptmenue()->isVisible(), 10000);
        QVERIFY(menuHiddenDuringIntro && !w->ErsteAktivierung);
        QCOMPARE(startPage, (QStringList{"Texte/StartText.html", "&Ok", "420", "-", "0"}));

        // Later activations only restyle, and only when a dialog closes over the menu.
        QCOMPARE(modalsOpenedByPendingEvents(), QStringList());
        w->Modus = 3; // the steps disable three commands in this mode
        QEvent fromDesktop(QEvent::WindowActivate);
        QApplication::sendEvent(w, &fromDesktop);
        QApplication::processEvents();
        QVERIFY(w->button("btnEigenes")->isEnabled());
        QDialog dialog(w);
        QTimer::singleShot(0, &dialog, &QDialog::accept);
        dialog.exec();
        QTRY_VERIFY(!w->button("btnEigenes")->isEnabled());
        whenModalOf<TfrmIntroMain>([&](TfrmIntroMain* i) {
            farewell << i->lblHead()->text() << i->btnStart()->text()
                     << (i->lblSubHead()->isHidden() ? "" : "sub-heading shown");
            i->btnStart()->click();
        });
        w->button("btnBeenden")->click();
        QCOMPARE(farewell, (QStringList{"Der Friede sei mit Ihnen. Mögen Sie glücklich sein und "
                                        "sich Ihres Lebens erfreuen.",
                                        "B&eenden", ""}));
        QVERIFY(!w->isVisible() && closed.count() == 1);
    }

    // Every start-up form is a window of its own, registered once, and freed at the end. The
    // store is read behind the wait window; broken player files are named in one box and
    // leave the others listed.
    void startUpRegistersFormsOnceTakesHelpFileAndSettingsReportsUnreadablePlayersAndFreesAll() {
        RecordingDesktop* desktop = RecordingDesktop::install();
        platform::MessageBoxes::startRecording();
        const auto waitWindows = [] {
            return std::ranges::count_if(QApplication::topLevelWidgets(),
                                         [](QWidget* w) { return qobject_cast<TfrmInit*>(w); });
        };
        bool waitShown = false;
        QTimer probe;
        connect(&probe, &QTimer::timeout, [&] { waitShown |= waitWindows() > 0; });
        probe.start(0);
        const qsizetype before = QApplication::topLevelWidgets().size();
        {
            Program program([](TempRoot& root) {
                root.write("Wendrak/Kemrafeld.chm", "ITSF");
                root.write("Wendrak/SpielerStamm/Anna.ply", QByteArray(2400, 0));
                root.write("Wendrak/SpielerStamm/KAPUTT.PLY", "");
                QFile::link("fehlt", root.programFolder() + "SpielerStamm/Weg.ply");
                root.write("Kemra.ini", "[Path]\r\nPelkamPath=C:\\Spiele\\Pelkam\\\r\n"
                                        "PelkamExeName=Start.exe\r\n");
            });
            const QList<QWidget*>& forms = startupForms();
            QCOMPARE(forms.first(), program.main());
            QCOMPARE(QSet<QWidget*>(forms.begin(), forms.end()).size(), forms.size());
            for (QWidget* form : forms)
                QVERIFY2(form->isWindow(), form->metaObject()->className());
            QCOMPARE(startupForm<TfrmCreateGame>()->ChooseGroup, startupForm<TfrmChooseGroup>());
            QCOMPARE(helpFile(), program.data() + "Kemrafeld.chm");
            QCOMPARE(
                platform::MessageBoxes::shown().join('|').remove(program.data()),
                QString("Diese Spielerdateien können nicht gelesen werden und fehlen in der "
                        "Spielerliste:\nDie Datei \"SpielerStamm/KAPUTT.PLY\" ist zu kurz oder "
                        "beschädigt: sie enthält 0 statt 2400 Bytes.\nDie Datei "
                        "\"SpielerStamm/Weg.ply\" wurde nicht gefunden."));
            QCOMPARE(program.main()->SpielerListe, QStringList{"3Anna.ply"});
            QVERIFY(waitShown && waitWindows() == 0);

            // The sibling program starts from the settings; that it fails is not reported.
            program.showMenu();
            program.main()->button("btnPelkam")->click();
            QCOMPARE(desktop->started, QStringList{"C:/Spiele/Pelkam/Start.exe"});
            QCOMPARE(modalsOpenedByPendingEvents(), QStringList());
        }
        QVERIFY(startupForms().isEmpty());
        QCOMPARE(QApplication::topLevelWidgets().size(), before);
    }

    // The page each text command shows; the challenge goes on only when its page is closed
    // with Ok.
    void textPageCommandsShowTheirPagesAndTheChallengeNeedsOk() {
        const QStringList rows[] = {
            {"btnGlossar", "Texte/Glossar_Dravolenz.html", "B&eenden", "550", "-", "40000"},
            {"btnErfolg", "Texte/texte/Inhaltsverzeichnis.html", "B&eenden", "550", "nav", "40100"},
            {"btnInfo", "Texte/DE_SoftwareWillkommen.html", "&Ok", "560", "-", "50200"},
            {"btnEigenes", "Texte/DE_Dravolenz.html", "&Ok", "550", "-", "50200"}};
        Program program;
        QVERIFY(helpFile().isEmpty()); // no help file installed
        program.showMenu();
        TfrmMain* w = program.main();
        bool setupShown = false;
        for (const QStringList& row : rows) {
            QStringList seen{row.first()};
            answerModal([&](QWidget* modal) {
                setupShown |= modal == startupForm<TfrmCreateGame>();
                if (modal != textWindow())
                    return false;
                seen << textWindowShows();
                textWindow()->reject();
                return true;
            });
            w->button(row.first())->click();
            QCOMPARE(seen, row);
        }
        // Without its page there is nothing to confirm: the challenge does not start either.
        QFile::remove(program.data() + "Texte/DE_Dravolenz.html");
        w->button("btnEigenes")->click();
        QCOMPARE(modalsOpenedByPendingEvents(), QStringList());
        QVERIFY(!setupShown && w->pnlMNUHauptmenue()->isVisible() && w->imgLogo()->isVisible() &&
                w->pnlRahmen()->isVisible());
    }
};

QTEST_MAIN(MainWindowTest)
#include "mainwindow_test.moc"
