// The two player wizards through their windows: the new-player wizard from the main menu,
// page by page, down to the record on disk; the change wizard's questions, "Wiederholen"
// and the contradiction that cannot be saved.
#include "players/ui/uNeuerSpieler.h"
#include "players/ui/uPLYAendern.h"

#include "ShellTestSupport.h"
#include "platform/Ansi.h"
#include "platform/ui/MessageBoxes.h"
#include "players/PlayerFile.h"
#include "players/ui/ufrmChoosePlayer.h"

#include <deque>

using namespace shelltest;

namespace {

// Answers the new-player pages in turn, one action per showing (an action that leaves the
// page open is followed by the next on the same page); heads collects each page's heading.
void answerPages(std::deque<std::function<void(TfrmNeuerSpieler*)>> actions, QStringList& heads) {
    auto queue = std::make_shared<decltype(actions)>(std::move(actions));
    answerModal([queue, &heads](QWidget* modal) {
        auto* page = qobject_cast<TfrmNeuerSpieler*>(modal);
        if (page == nullptr || !page->isVisible() || queue->empty())
            return queue->empty();
        heads << child<QLabel>(page, "lblHead")->text();
        const auto action = queue->front();
        queue->pop_front();
        action(page);
        return queue->empty();
    });
}

auto click(const char* button) {
    return [button](TfrmNeuerSpieler* page) { child<QAbstractButton>(page, button)->click(); };
}
auto text(const QString& answer) {
    return [answer](TfrmNeuerSpieler* page) {
        page->txtText()->setText(answer);
        child<QToolButton>(page, "btnOK")->click();
    };
}
auto slider(int position, QStringList& labels) {
    return [position, &labels](TfrmNeuerSpieler* page) {
        labels << child<QLabel>(page, "lblWert")->text();
        page->trkWert()->setValue(position);
        labels << child<QLabel>(page, "lblWert")->text();
        child<QToolButton>(page, "btnOK")->click();
    };
}

QByteArray bytes(const SpielerTyp& p) {
    return QByteArray(reinterpret_cast<const char*>(&p), sizeof p);
}

SpielerTyp chosenPlayer() {
    SpielerTyp p = zeroedPlayer();
    p.Name.set("Anna");
    p.Dateiname.set("Anna.ply");
    p.Motto.set("Erst denken");
    p.Spielertyp = 3;
    for (SituationTyp& s : p.Situationen)
        s = {7, 3, 4};
    return p;
}

} // namespace

class WizardsTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<Program> program;
    QString store() const { return program->data() + "SpielerStamm/"; }

    // "Spieler ändern" from the menu on the chosen player Anna.ply: act drives the wizard,
    // which is left with "Zur&ück" when act leaves it open.
    void changeAnna(const std::function<void(TfrmPLYAendern*)>& act) {
        writePlayerFile(store() + "Anna.ply", chosenPlayer());
        whenModalOf<TfrmChoosePlayer>([](TfrmChoosePlayer* chooser) {
            chooser->SpielerDatei = "Anna.ply";
            chooser->done(1);
        });
        whenModalOf<TfrmPLYAendern>([act](TfrmPLYAendern* w) {
            act(w);
            if (w->isVisible())
                child<QPushButton>(w, "btnCancel")->click();
        });
        program->main()->button("btnGruppen")->click();
    }
    static void name(TfrmPLYAendern* w, const QString& text) {
        child<QLineEdit>(w, "txtSpielerNeu")->setText(text);
        child<QToolButton>(w, "btnName")->click();
    }
    // Waits for the question that starts with start, then answers it with button.
    static void answer(TfrmPLYAendern* w, const QString& start, const char* button) {
        auto* question = child<QLabel>(w, "lblFrage");
        auto* target = child<QPushButton>(w, button);
        QVERIFY2(QTest::qWaitFor(
                     [&] { return question->text().startsWith(start) && target->isVisible(); }),
                 qPrintable(start + " / " + question->text()));
        target->click();
    }
    static bool waitForEnd(TfrmPLYAendern* w, const QString& text) {
        return QTest::qWaitFor([&] {
            return child<QLabel>(w, "lblFrage")->text() == text &&
                   child<QPushButton>(w, "btnNochmal")->isVisible();
        });
    }

private slots:
    void init() {
        program = std::make_unique<Program>();
        program->showMenu();
    }
    void cleanup() {
        program.reset();
        platform::MessageBoxes::reset();
    }

    // An empty name (blanks alone too, without a message), a refused text and a declined
    // replacement all keep their page; the name loses its blanks.
    void newPlayerWizardLeadsThroughItsPagesAndWritesTheRecord() {
        writePlayerFile(store() + "anna.ply", chosenPlayer()); // replaced after asking
        platform::MessageBoxes::answerNext(false);             // first not,
        platform::MessageBoxes::answerNext(true);              // then yes
        QStringList heads, sliderLabels;
        answerPages({text(""), text("  "), text("a/b"), text("Łukasz"), text(" Anna"),
                     text("Anna "), click("btnNein"), click("btnNein"), slider(7, sliderLabels),
                     click("btnJa"), click("btnOK"), click("btnNein"), slider(3, sliderLabels),
                     text("Łódź"), text("Friede"), text("w"), text("17"), text("Schweiz")},
                    heads);
        program->main()->button("btnNeuerSpieler")->click();

        const QString exists = "Ein Spieler mit diesem Namen existiert bereits.\n"
                               "Möchten Sie ihn ersetzen ?";
        QCOMPARE(platform::MessageBoxes::shown(),
                 QStringList({"Dieser Name kann nicht als Dateiname verwendet werden.",
                              platform::AnsiFieldMessage("Spielername"), exists, exists,
                              platform::AnsiFieldMessage("Motto")}));
        QCOMPARE(heads, (QString("Spielername|").repeated(6) +
                         "Einstellung zum Frieden|Zum Angreifen|Zum Angreifen|Zum Angreifen|"
                         "Zum Angreifen|Zum Verteidigen|Zum Verteidigen|" +
                         QString("Allgemeine Daten|").repeated(5))
                            .split('|', Qt::SkipEmptyParts));
        QCOMPARE(sliderLabels, QStringList({"In 1 von 10 Fällen", "In 7 von 10 Fällen",
                                            "In 1 von 10 Fällen", "In 3 von 10 Fällen"}));

        // The stored Anna, whatever the case of its file name, is replaced by the new one;
        // everything the wizard does not set is zero, reserved bytes included.
        SpielerTyp want = zeroedPlayer();
        want.Name.set("Anna"), want.Dateiname.set("Anna.PLY"), want.Motto.set("Friede");
        want.Geschlecht.set("w"), want.Alter.set("17"), want.Nationalitaet.set("Schweiz");
        const int k[SituationCount] = {10, 3, 3, 3, 3, 3, 3, 9, 10, 9, 3, 9, 9};
        for (int s = 0; s < SituationCount; ++s)
            want.Situationen[s] = {10, k[s], 10 - k[s]};
        for (auto* field : {&want.IstFriedlich, &want.NeigtZumAngreifen, &want.NeigtZumAusbeuten,
                            &want.NeigtZuUeberreaktionen})
            field->set("Ja");
        want.GreiftNichtAn.set("Nein"), want.VerteidigtSicher.set("Nein");
        QCOMPARE(filesIn(store()), QStringList({"anna.ply", "group.sgp", "x.txt"}));
        QCOMPARE(program->root.read("Wendrak/SpielerStamm/anna.ply"), bytes(want));
        QCOMPARE(program->main()->SpielerListe, QStringList({"3anna.ply"}));
        QCOMPARE(program->root.read("Wendrak/SpielerStamm/group.sgp"), QByteArray("anna.ply\r\n"));
    }

    void wiederholenKeepsTheEarlierPassAContradictionCannotBeSavedAndSpeichernWritesTheCopy() {
        QString refused;
        changeAnna([&](TfrmPLYAendern* w) {
            auto* speichern = child<QPushButton>(w, "btnOK");
            child<QLineEdit>(w, "txtSpielerNeu")->setText("  ");
            QVERIFY(!child<QToolButton>(w, "btnName")->isEnabled()); // blanks are no name
            name(w, " ANNA");
            refused = child<QLabel>(w, "lblFehler")->text();

            name(w, "Neu ");
            answer(w, "Wollen Sie das Verteidigungsverhalten", "BitBtn1");
            answer(w, "Soll Neu sich bei Angriffen", "BitBtn1");
            answer(w, "Wollen Sie die die Einstellung", "BitBtn1");
            answer(w, "Soll Neu angreifen", "btnNein");
            answer(w, "Soll Neu sich konsensorientiert", "BitBtn1");
            answer(w, "Soll Neu nie angreifen", "BitBtn1");
            QVERIFY(waitForEnd(w, "Spielerdaten vollständig.") && speichern->isEnabled());
            QCOMPARE(w->focusWidget(), speichern); // Return never leaves unsaved

            // Answers that contradict themselves cannot be saved.
            child<QPushButton>(w, "btnNochmal")->click();
            answer(w, "Wollen Sie das Verteidigungsverhalten", "btnNein");
            answer(w, "Wollen Sie die die Einstellung", "BitBtn1");
            answer(w, "Soll Neu angreifen", "btnNein");
            answer(w, "Soll Neu sich konsensorientiert", "btnNein");
            answer(w, "Soll Neu sich friedlich verhalten", "btnNein");
            QVERIFY(waitForEnd(w, "Ihre Angaben widersprechen sich.") && !speichern->isEnabled());
            QCOMPARE(w->focusWidget(), child<QWidget>(w, "btnNochmal"));

            // Accepting the name again starts a pass that must finish before saving.
            name(w, "Neu");
            QVERIFY(!speichern->isEnabled());
            answer(w, "Wollen Sie das Verteidigungsverhalten", "btnNein");
            answer(w, "Wollen Sie die die Einstellung", "btnNein");
            QVERIFY(waitForEnd(w, "Spielerdaten vollständig."));

            child<QPushButton>(w, "btnNochmal")->click();
            QVERIFY(!speichern->isEnabled());
            answer(w, "Wollen Sie das Verteidigungsverhalten", "BitBtn1");
            answer(w, "Soll Neu sich bei Angriffen", "btnNein");
            child<QSlider>(w, "trkWert")->setValue(2);
            answer(w, "In wievielen von 10 Fällen soll  Neu dem Angreifer", "btnWeiter");
            answer(w, "Wollen Sie die die Einstellung", "btnNein");
            QVERIFY(waitForEnd(w, "Spielerdaten vollständig."));
            speichern->click();
        });
        QCOMPARE(refused, QString("Dieser Spieler exisitiert bereits !"));

        SpielerTyp expected = chosenPlayer();
        expected.Name.set("Neu"), expected.Dateiname.set("Neu.Ply");
        for (int s : {SitMDD, SitMDK, SitMKK, SitNDK})
            expected.Situationen[s] = {10, 2, 8}; // the last pass, with its slider
        for (int s : {SitErsterTag, SitNKK, SitMKD, SitNDD, SitNKD, SitPDD, SitPDK, SitPKD, SitPKK})
            expected.Situationen[s] = {10, 10, 0}; // the first pass
        QCOMPARE(program->root.read("Wendrak/SpielerStamm/Neu.Ply"), bytes(expected));
        QCOMPARE(program->main()->SpielerListe, QStringList({"3Anna.ply", "3Neu.Ply"}));
    }
};

QTEST_MAIN(WizardsTest)
#include "wizards_test.moc"
