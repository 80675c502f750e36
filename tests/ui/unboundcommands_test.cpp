// The main window's commands that no control invokes: the text player import (shown on
// the card, saved from it, a faulty text reported), the corner switch of the card's
// "&Typen" button and the automaton editor it opens.
#include "shell/ui/uMain.h"

#include "ShellTestSupport.h"
#include "platform/ui/MessageBoxes.h"
#include "platform/ui/uTFormDefault.h"
#include "players/PlayerFile.h"
#include "players/ui/uAutomaten.h"
#include "players/ui/uSpielerAnzeige.h"
#include "shell/ui/Startup.h"

using namespace shelltest;
using platform::MessageBoxes;

namespace {

// A text player: 40 pairs of "label" and value; values given by pair number (from 1),
// "5" elsewhere.
QByteArray textPlayer(const QMap<int, QByteArray>& values, int pairs = 40) {
    QByteArray text;
    for (int pair = 1; pair <= pairs; ++pair)
        text += "Frage " + QByteArray::number(pair) + "\r\n" + values.value(pair, "5") + "\r\n";
    return text;
}

} // namespace

class UnboundCommandsTest : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { MessageBoxes::reset(); }

    // What the text says and what faulty texts say is the domain's (textplayer_test); here
    // the card shows the written player and its five personal edits reach the file.
    void textPlayerIsShownOnTheCardAndItsPersonalEditsSaved() {
        Program program;
        const QString input =
            program.root.write("Import/Spieler.txt", textPlayer({{1, "Anton"}, {3, "<"}}));
        const QString output = program.root.root() + "Import/Spieler.PLY";
        auto* card = startupForm<TfrmSpielerAnzeige>();
        card->findChild<QPushButton*>("BtnSave")->hide(); // as a read-only player left it

        QStringList seen;
        whenModalOf<TfrmSpielerAnzeige>([&seen](TfrmSpielerAnzeige* c) {
            seen << c->findChild<QLineEdit*>("Edit1")->text()
                 << c->findChild<QLineEdit*>("Edit2")->text()
                 << c->findChild<QLineEdit*>("txtBewahrt")->text();
            QPushButton* save = c->findChild<QPushButton*>("BtnSave");
            seen << (save->isVisible() ? "Speichern" : "-");
            const QStringList typed = {"Toni", "42", "w", "Schweiz", "Neues Motto", "Lehrer"};
            for (int i = 0; i < typed.size(); ++i)
                c->findChild<QLineEdit*>(i < 5 ? QString("Edit%1").arg(i + 1) : "Edit14")
                    ->setText(typed[i]);
            save->click();
        });
        program.main()->LadeSpieler(input);
        QCOMPARE(seen, QStringList({"Anton", "???", "K.A.", "Speichern"}));
        const SpielerTyp p = readPlayerFile(output);
        QCOMPARE(QStringList({p.Name.get(), p.Alter.get(), p.Geschlecht.get(),
                              p.Nationalitaet.get(), p.Motto.get(), p.Beruf.get()}),
                 QStringList({"Toni", "42", "w", "Schweiz", "Neues Motto", ""}));

        // A faulty text is reported and writes nothing.
        program.root.write("Import/Spieler.txt", textPlayer({}, 39));
        MessageBoxes::startRecording();
        program.main()->LadeSpieler(input);
        QCOMPARE(MessageBoxes::shown(),
                 QStringList({"Die Spielerdatei „Spieler.txt“ ist unvollständig: Sie enthält "
                              "keine 40 Zeilenpaare. Es wurde kein Spieler gespeichert."}));
        QCOMPARE(readPlayerFile(output).Name.get(), QString("Toni"));
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

        int opened = 0;
        whenModalOf<TfrmAutomaten>([&opened](TfrmAutomaten* e) { ++opened, e->reject(); });
        main->imgBackMouseDown(Qt::LeftButton, Qt::NoModifier, primaryScreenSize().width() / 2 + 1,
                               9);
        QCOMPARE(opened, 1);
    }
};

QTEST_MAIN(UnboundCommandsTest)
#include "unboundcommands_test.moc"
