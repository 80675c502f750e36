// The main window's commands that no control invokes: the text player import (written,
// shown on the card, saved from it; short files and bad numbers write nothing), the corner
// switch of the card's "&Typen" button and the automaton editor it opens.
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

    void textPlayerIsWrittenShownOnTheCardAndSavedFromIt() {
        Program program;
        QMap<int, QByteArray> values = {
            {1, "Anton"}, {2, "m\xe4nnlich"}, {3, "<unbekannt>"}, {4, "Deutschland und mehr"},
            {8, "K0"},    {9, "D0 ja"},       {10, "K1"},         {11, "0"},
            {17, "10"},   {29, "7"}};
        for (int pair = 18; pair <= 28; ++pair)
            values[pair] = "<";
        for (int pair = 30; pair <= 40; ++pair)
            values[pair] = "<";
        values[20] = " 8 ";
        values[32] = "8";
        const QString input = program.root.write("Import.v2/Spieler.txt", textPlayer(values));
        const QString output = program.root.root() + "Import.v2/Spieler.PLY";
        auto* card = startupForm<TfrmSpielerAnzeige>();
        card->findChild<QPushButton*>("BtnSave")->hide(); // as a read-only player left it

        QStringList seen;
        whenModalOf<TfrmSpielerAnzeige>([&seen](TfrmSpielerAnzeige* c) {
            seen << c->findChild<QLineEdit*>("Edit1")->text()
                 << c->findChild<QLineEdit*>("txtBewahrt")->text();
            QPushButton* save = c->findChild<QPushButton*>("BtnSave");
            seen << (save->isVisible() ? "Speichern" : "-");
            c->findChild<QLineEdit*>("Edit1")->setText("Toni");
            c->findChild<QLineEdit*>("Edit5")->setText("Neues Motto");
            save->click();
        });
        program.main()->LadeSpieler(input);
        QCOMPARE(seen, QStringList({"Anton", "K.A.", "Speichern"}));

        const SpielerTyp p = readPlayerFile(output);
        const QString kA = "K.A.";
        QCOMPARE(QStringList({p.Name.get(), p.Motto.get(), p.Geschlecht.get(), p.Alter.get(),
                              p.Nationalitaet.get(), p.Dateiname.get(), p.Bilddatei.get(),
                              p.IstFriedlich.get(), p.GreiftNichtAn.get(), p.VerteidigtSicher.get(),
                              p.NeigtZumAngreifen.get(), p.NeigtZumAusbeuten.get(),
                              p.NeigtZuUeberreaktionen.get(),
                              p.IstKonsensorientiert.get() + p.GeschaeftsmaessigAusbeutbar.get()}),
                 QStringList({"Toni", "Neues Motto", "m", "???", "Deutschlan", output.left(50), "?",
                              kA, kA, kA, kA, kA, kA, ""}));
        QCOMPARE(p.IstAutomat + p.Spielertyp + p.MasseGueltig, 0);
        // First day: second characters 0, 0, 1 and none: 2 with K, 2 with D; "<" gives 0.
        QList<int> counts;
        for (int i : {SitErsterTag, SitMDD, SitMDK, SitMKK})
            counts << p.Situationen[i].Anzahl << p.Situationen[i].AnzahlK
                   << p.Situationen[i].AnzahlD;
        QCOMPARE(counts, QList<int>({4, 2, 2, 10, 7, 3, 0, 0, 0, 8, 8, 0}));
    }

    void shortFilesAndBadNumbersWriteNothing() {
        Program program;
        program.root.write("Import/Spieler.PLY", "bleibt");
        const QString name = program.root.root() + "Import/Spieler.txt";
        MessageBoxes::startRecording();
        for (const auto& [text, message] :
             {std::pair{textPlayer({}, 39), "Die Spielerdatei „Spieler.txt“ ist unvollständig: "
                                            "Sie enthält keine 40 Zeilenpaare. Es wurde kein "
                                            "Spieler gespeichert."},
              {textPlayer({{21, "zehn"}}), "In der Spielerdatei „Spieler.txt“ steht in Zeile 42 "
                                           "„zehn“ statt einer Anzahl. Es wurde kein Spieler "
                                           "gespeichert."}}) {
            program.root.write("Import/Spieler.txt", text);
            program.main()->LadeSpieler(name);
            QCOMPARE(MessageBoxes::shown().last(), QString::fromUtf8(message));
        }
        // A text file that is named like its own player file is not replaced by it.
        const QString ply = program.root.write("Import/Anna.ply", textPlayer({}));
        program.main()->LadeSpieler(ply);
        QCOMPARE(MessageBoxes::shown().size(), 3);
        QCOMPARE(program.root.read("Import/Anna.ply"), textPlayer({}));
        QCOMPARE(program.root.read("Import/Spieler.PLY"), QByteArray("bleibt"));
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
