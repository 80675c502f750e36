// The help: F1 opens the topic of the active window's current help context in the help
// window; without a help file there is neither help nor error.

#include "ShellTestSupport.h"
#include "shell/ui/HelpViewer.h"

namespace {

// Presses F1 on a focused edit in an active window whose help context turned to context while
// open; returns the topic the help window shows ("" without one), "|", the edit's text.
QString topicOfF1(int context) {
    QDialog dialog;
    dialog.setProperty("helpContext", 31100);
    auto* edit = new QLineEdit(&dialog);
    dialog.show();
    dialog.activateWindow();
    edit->setFocus();
    if (!QTest::qWaitForWindowActive(&dialog))
        return "not active";
    dialog.setProperty("helpContext", context);
    QTest::keyClick(edit, Qt::Key_F1);
    return (currentHelpViewer() ? currentHelpViewer()->currentTopic() : QString()) + "|" +
           edit->text();
}

} // namespace

class HelpTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        installHelpHandler();
        installHelpHandler(); // a second call must not answer F1 twice
    }
    void init() { setHelpFile(TempRoot::binaryDir() + "/help/Kemrafeld.chm"); }
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
        QCOMPARE(topicOfF1(31200), QString("/themen/ergebnis_zusammensetzung.htm|"));
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
