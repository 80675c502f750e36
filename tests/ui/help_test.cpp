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

void closeViewer() {
    if (HelpViewer* v = currentHelpViewer())
        delete v;
}

// A window as the program's windows are: a context from the form look, a control with focus.
struct Window {
    explicit Window(int context) {
        dialog.setProperty("helpContext", context);
        auto* layout = new QVBoxLayout(&dialog);
        edit = new QLineEdit(&dialog);
        layout->addWidget(edit);
        dialog.show();
        dialog.activateWindow();
        edit->setFocus();
    }
    QDialog dialog;
    QLineEdit* edit = nullptr;
};

} // namespace

class HelpTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanup();
    void showHelpContext_opensTheTopicOfTheContext();
    void f1_opensTheActiveWindowsContext();
    void f1_followsAContextChangedWhileTheWindowIsOpen();
    void f1_inAModalDialogOpensAHelpWindowThatCanBeUsed();
    void f1_withoutContextOpensNothing();
    void noHelpFile_noHelpAndNoError();
    void contentsButton_leadsToTheContentsAndBack();
};

void HelpTest::initTestCase() {
    if (!QFile::exists(compiledHelpFile()))
        QSKIP("no compiled help file");
    installHelpHandler();
    installHelpHandler(); // a second call must not answer F1 twice
}

void HelpTest::cleanup() {
    closeViewer();
    setHelpFile(compiledHelpFile());
}

void HelpTest::showHelpContext_opensTheTopicOfTheContext() {
    setHelpFile(compiledHelpFile());
    QVERIFY(showHelpContext(31400));
    HelpViewer* viewer = currentHelpViewer();
    QVERIFY(viewer != nullptr);
    QVERIFY(viewer->isVisible());
    QCOMPARE(viewer->currentTopic(), QString("/themen/hintergrundmaterial.htm"));
    QVERIFY(
        viewer->browser()->toPlainText().contains(QString::fromUtf8("Das Hintergrundmaterial")));
    QCOMPARE(viewer->windowTitle(), QString("Hilfe zu Wendrak"));

    // The same window shows the next topic.
    QVERIFY(showHelpContext(1310));
    QCOMPARE(currentHelpViewer(), viewer);
    QCOMPARE(viewer->currentTopic(), QString("/themen/ergebnis_dienste.htm"));
    QVERIFY(!showHelpContext(4711));
    QCOMPARE(viewer->currentTopic(), QString("/themen/ergebnis_dienste.htm"));
}

void HelpTest::f1_opensTheActiveWindowsContext() {
    setHelpFile(compiledHelpFile());
    Window w(20400);
    QVERIFY(QTest::qWaitForWindowActive(&w.dialog));
    QTest::keyClick(w.edit, Qt::Key_F1);
    QVERIFY(currentHelpViewer() != nullptr);
    QCOMPARE(currentHelpViewer()->currentTopic(), QString("/themen/gruppenverwaltung.htm"));
    // F1 is the help's: the edit did not get it as text or otherwise.
    QVERIFY(w.edit->text().isEmpty());
}

void HelpTest::f1_followsAContextChangedWhileTheWindowIsOpen() {
    setHelpFile(compiledHelpFile());
    Window w(31100);
    QVERIFY(QTest::qWaitForWindowActive(&w.dialog));
    w.dialog.setProperty("helpContext", 31200); // the result window turned a page
    QTest::keyClick(w.edit, Qt::Key_F1);
    QVERIFY(currentHelpViewer() != nullptr);
    QCOMPARE(currentHelpViewer()->currentTopic(), QString("/themen/ergebnis_zusammensetzung.htm"));
}

void HelpTest::f1_inAModalDialogOpensAHelpWindowThatCanBeUsed() {
    setHelpFile(compiledHelpFile());
    QDialog dialog;
    dialog.setProperty("helpContext", 30200);
    auto* ok = new QPushButton("&Ok", &dialog);
    QObject::connect(ok, &QPushButton::clicked, &dialog, &QDialog::accept);
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

void HelpTest::f1_withoutContextOpensNothing() {
    setHelpFile(compiledHelpFile());
    Window w(0);
    QVERIFY(QTest::qWaitForWindowActive(&w.dialog));
    QTest::keyClick(w.edit, Qt::Key_F1);
    QVERIFY(currentHelpViewer() == nullptr);
}

void HelpTest::noHelpFile_noHelpAndNoError() {
    TempRoot root;
    for (const QString& file : {QString(), root.programFolder() + "Kemrafeld.chm"}) {
        setHelpFile(file);
        QVERIFY(!showHelpContext(11000));
        QVERIFY(!showHelpContents());
        Window w(11000);
        QVERIFY(QTest::qWaitForWindowActive(&w.dialog));
        QTest::keyClick(w.edit, Qt::Key_F1);
        QVERIFY(currentHelpViewer() == nullptr);
        QVERIFY(QApplication::activeModalWidget() == nullptr);
    }
}

void HelpTest::contentsButton_leadsToTheContentsAndBack() {
    setHelpFile(compiledHelpFile());
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

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    platform::setUpApplication(app);
    HelpTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "help_test.moc"
