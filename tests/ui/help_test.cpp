// The help: F1 opens the topic of the active window's current help context in the help
// window; without a help file there is neither help nor error.

#include "ShellTestSupport.h"
#include "shell/ui/HelpViewer.h"

namespace {

const QString compiledHelpFile = TempRoot::binaryDir() + "/help/Kemrafeld.chm";

// Presses F1 on a focused edit in an active window with the context (changedTo: set while
// open); returns the topic the help window shows ("" without one), "|", the edit's text.
QString topicOfF1(int context, int changedTo = -1) {
    QDialog dialog;
    dialog.setProperty("helpContext", context);
    auto* edit = new QLineEdit(&dialog);
    dialog.show();
    dialog.activateWindow();
    edit->setFocus();
    if (!QTest::qWaitForWindowActive(&dialog))
        return "not active";
    if (changedTo >= 0)
        dialog.setProperty("helpContext", changedTo);
    QTest::keyClick(edit, Qt::Key_F1);
    return (currentHelpViewer() ? currentHelpViewer()->currentTopic() : QString()) + "|" +
           edit->text();
}

} // namespace

class HelpTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        if (!QFile::exists(compiledHelpFile))
            QFAIL("no compiled help file: the build compiles it with chmcmd");
        installHelpHandler();
        installHelpHandler(); // a second call must not answer F1 twice
    }
    void init() { setHelpFile(compiledHelpFile); }
    void cleanup() { delete currentHelpViewer(); }

    void showHelpContext_opensTheTopicInOneWindowWithContentsAndBackButtons() {
        QVERIFY(showHelpContext(31400));
        HelpViewer* viewer = currentHelpViewer();
        QVERIFY(viewer != nullptr && viewer->isVisible());
        QVERIFY(viewer->browser()->toPlainText().contains("Das Hintergrundmaterial"));
        auto* back = viewer->findChild<QPushButton*>("btnHelpBack");
        QVERIFY(!back->isEnabled() && showHelpContext(1310) && !showHelpContext(4711));
        QCOMPARE(currentHelpViewer(), viewer);
        QCOMPARE(viewer->currentTopic(), QString("/themen/ergebnis_dienste.htm"));
        viewer->findChild<QPushButton*>("btnHelpContents")->click();
        QCOMPARE(viewer->currentTopic(), QString("/themen/index.htm"));
        back->click();
        QCOMPARE(viewer->currentTopic(), QString("/themen/ergebnis_dienste.htm"));
    }

    void f1_opensTheActiveWindowsCurrentContextIsNotTypedAndWithoutFileGivesNoError() {
        QCOMPARE(topicOfF1(20400), QString("/themen/gruppenverwaltung.htm|"));
        // The result window turned a page while open.
        QCOMPARE(topicOfF1(31100, 31200), QString("/themen/ergebnis_zusammensetzung.htm|"));
        cleanup();
        QCOMPARE(topicOfF1(0), QString("|"));
        // Without a help file, or with one named that is not there: no help and no error.
        TempRoot root;
        for (const QString& file : {QString(), root.programFolder() + "Kemrafeld.chm"}) {
            setHelpFile(file);
            QVERIFY(!showHelpContext(11000) && !showHelpContents());
            QCOMPARE(topicOfF1(11000), QString("|")); // an error box would block here
        }
    }
};

WENDRAK_UI_TEST_MAIN(HelpTest)

#include "help_test.moc"
