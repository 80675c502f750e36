// The main window's commands that no control invokes: the text player import on the card,
// the corner switch of the card's "&Typen" button and the automaton editor it opens.
#include "shell/ui/uMain.h"

#include "ShellTestSupport.h"
#include "platform/Ansi.h"
#include "platform/ui/MessageBoxes.h"
#include "platform/ui/uTFormDefault.h"
#include "players/PlayerFile.h"
#include "players/ui/uAutomaten.h"
#include "players/ui/uSpielerAnzeige.h"

using namespace shelltest;
using platform::MessageBoxes;

class UnboundCommandsTest : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { MessageBoxes::reset(); }

    // What the text says and what faulty texts say is the domain's (textplayer_test); here
    // the card shows the written player and stays open when it refuses a text, its personal
    // edits reach the file (which edit is which field: playerwindows_test), and a faulty
    // text is reported without writing.
    void textPlayerIsShownOnTheCardAndItsPersonalEditsSaved() {
        Program program;
        QByteArray text = "Name\r\nAnton\r\nGeschlecht\r\nm\r\nAlter\r\n<\r\n";
        for (int pair = 4; pair <= 40; ++pair)
            text += "Frage\r\n5\r\n";
        const QString input = program.root.write("Import/Spieler.txt", text);
        startupForm<TfrmSpielerAnzeige>()->findChild<QPushButton*>("BtnSave")->hide();

        QStringList seen;
        MessageBoxes::startRecording();
        whenModalOf<TfrmSpielerAnzeige>([&seen](TfrmSpielerAnzeige* c) {
            QPushButton* save = c->findChild<QPushButton*>("BtnSave");
            seen << c->findChild<QLineEdit*>("Edit1")->text()
                 << c->findChild<QLineEdit*>("Edit2")->text() << (save->isVisible() ? "an" : "-");
            c->findChild<QLineEdit*>("Edit1")->setText("Łukasz"), save->click();
            seen << (c->isVisible() ? "offen" : "zu") << MessageBoxes::shown();
            c->findChild<QLineEdit*>("Edit1")->setText("Toni");
            save->click();
        });
        program.main()->LadeSpieler(input);
        QCOMPARE(seen, QStringList({"Anton", "???", "an", "offen", // saveable, whatever came before
                                    platform::AnsiFieldMessage("Name")}));
        const QString output = program.root.root() + "Import/Spieler.PLY";
        QCOMPARE(readPlayerFile(output).Name.get(), QString("Toni"));

        program.root.write("Import/Spieler.txt", text.left(text.lastIndexOf("Frage")));
        program.main()->LadeSpieler(input);
        QVERIFY(MessageBoxes::shown().size() == 2 && readPlayerFile(output).Name == "Toni");
    }

    void cornerClicksLockAndFreeTheCardsTypesButtonAndOpenTheAutomatonEditor() {
        Program program;
        TfrmMain* main = program.main();
        QPushButton* types = startupForm<TfrmSpielerAnzeige>()->findChild<QPushButton*>("Button4");
        QVERIFY(types->isHidden());
        MessageBoxes::startRecording();
        main->imgBackMouseDown(Qt::LeftButton, Qt::NoModifier, 9, 9);
        QVERIFY(!types->isHidden());
        main->imgBackMouseDown(Qt::RightButton, Qt::ShiftModifier, 0, 0);
        QVERIFY(types->isHidden());
        main->imgBackMouseDown(Qt::LeftButton, Qt::NoModifier, 10, 5);
        main->imgBackMouseDown(Qt::LeftButton, Qt::NoModifier, 5, 10);
        QCOMPARE(MessageBoxes::shown(),
                 QStringList({"Freigabe durch Administrator.", "Gesperrt durch Administrator."}));
        QVERIFY(types->isHidden());

        QStringList opened; // each time into the root folder
        whenModalOf<TfrmAutomaten>(
            [&opened](TfrmAutomaten* e) { opened << e->ZielOrdner, e->reject(); });
        main->imgBackMouseDown(Qt::LeftButton, Qt::NoModifier, primaryScreenSize().width() / 2 + 1,
                               9);
        QCOMPARE(opened, QStringList{program.root.root()});
    }
};

QTEST_MAIN(UnboundCommandsTest)
#include "unboundcommands_test.moc"
