// The help: F1 opens the topic of the active window's help context in the help window,
// contexts that change while a window is open are followed, and without a help file
// there is neither help nor an error.
#include "shell/ui/HelpViewer.h"

#include "platform/ui/Application.h"

#include "TempRoot.h"

#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTextBrowser>
#include <QTimer>
#include <QVBoxLayout>
#include <QtTest>
#include <cstdlib>

namespace {

QString compiledHelpFile() {
    const char* dir = std::getenv("WENDRAK_BINARY_DIR");
    return QString::fromLocal8Bit(dir ? dir : ".") + "/help/Kemrafeld.chm";
}

// Presses F1 in an active window with the context, as the program's windows carry it, and
// a control with focus; changedTo is the context a page turn sets while it is open.
// Returns the topic the help window shows ("" without one) and what the control got.
QString topicOfF1(int context, int changedTo = -1, QString* typed = nullptr) {
    QDialog dialog;
    dialog.setProperty("helpContext", context);
    auto* edit = new QLineEdit(&dialog);
    (new QVBoxLayout(&dialog))->addWidget(edit);
    dialog.show();
    dialog.activateWindow();
    edit->setFocus();
    if (!QTest::qWaitForWindowActive(&dialog))
        return "not active";
    if (changedTo >= 0)
        dialog.setProperty("helpContext", changedTo);
    QTest::keyClick(edit, Qt::Key_F1);
    if (typed != nullptr)
        *typed = edit->text();
    return currentHelpViewer() ? currentHelpViewer()->currentTopic() : QString();
}

} // namespace

class HelpTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        if (!QFile::exists(compiledHelpFile()))
            QSKIP("no compiled help file");
        installHelpHandler();
        installHelpHandler(); // a second call must not answer F1 twice
    }
    void init() { setHelpFile(compiledHelpFile()); }
    void cleanup() { delete currentHelpViewer(); }

    void showHelpContext_opensTheTopicOfTheContextInOneWindow() {
        QVERIFY(showHelpContext(31400));
        HelpViewer* viewer = currentHelpViewer();
        QVERIFY(viewer != nullptr && viewer->isVisible());
        QCOMPARE(viewer->currentTopic(), QString("/themen/hintergrundmaterial.htm"));
        QVERIFY(viewer->browser()->toPlainText().contains("Das Hintergrundmaterial"));
        QCOMPARE(viewer->windowTitle(), QString("Hilfe zu Wendrak"));
        QVERIFY(showHelpContext(1310));
        QCOMPARE(currentHelpViewer(), viewer);
        QCOMPARE(viewer->currentTopic(), QString("/themen/ergebnis_dienste.htm"));
        QVERIFY(!showHelpContext(4711));
        QCOMPARE(viewer->currentTopic(), QString("/themen/ergebnis_dienste.htm"));
    }

    void f1_opensTheActiveWindowsCurrentContext() {
        QString typed = "x";
        QCOMPARE(topicOfF1(20400, -1, &typed), QString("/themen/gruppenverwaltung.htm"));
        QVERIFY(typed.isEmpty()); // F1 is the help's, not the edit's
        cleanup();
        // The result window turned a page while open.
        QCOMPARE(topicOfF1(31100, 31200), QString("/themen/ergebnis_zusammensetzung.htm"));
        cleanup();
        QCOMPARE(topicOfF1(0), QString());
    }

    void f1_inAModalDialogOpensAHelpWindowThatCanBeUsed() {
        QDialog dialog;
        dialog.setProperty("helpContext", 30200);
        QString topic;
        bool blocked = true;
        QTimer::singleShot(0, &dialog, [&] {
            QTest::keyClick(&dialog, Qt::Key_F1);
            if (HelpViewer* v = currentHelpViewer()) {
                topic = v->currentTopic();
                // Qt lets a window through a modal state when it belongs to the modal dialog.
                blocked = v->parentWidget() != QApplication::activeModalWidget();
            }
            dialog.accept();
        });
        dialog.exec();
        QCOMPARE(topic, QString("/themen/spielzusammenstellung.htm"));
        QVERIFY(!blocked);
    }

    void noHelpFile_noHelpAndNoError() {
        TempRoot root;
        for (const QString& file : {QString(), root.programFolder() + "Kemrafeld.chm"}) {
            setHelpFile(file);
            QVERIFY(!showHelpContext(11000));
            QVERIFY(!showHelpContents());
            QCOMPARE(topicOfF1(11000), QString());
            QVERIFY(QApplication::activeModalWidget() == nullptr);
        }
    }

    void contentsButton_leadsToTheContentsAndBack() {
        QVERIFY(showHelpContext(40000));
        HelpViewer* viewer = currentHelpViewer();
        auto* contents = viewer->findChild<QPushButton*>("btnHelpContents");
        auto* back = viewer->findChild<QPushButton*>("btnHelpBack");
        QVERIFY(contents && back);
        QVERIFY(!back->isEnabled());
        QTest::mouseClick(contents, Qt::LeftButton);
        QCOMPARE(viewer->currentTopic(), QString("/themen/index.htm"));
        QVERIFY(back->isEnabled());
        QTest::mouseClick(back, Qt::LeftButton);
        QCOMPARE(viewer->currentTopic(), QString("/themen/glossar.htm"));
    }
};

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    platform::setUpApplication(app);
    HelpTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "help_test.moc"
