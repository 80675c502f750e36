// The two player wizards through their windows: the new-player wizard from the main menu,
// page by page, down to the record on disk; the change wizard's questions, "Wiederholen"
// and the contradiction that cannot be saved.
#include "players/ui/uNeuerSpieler.h"
#include "players/ui/uPLYAendern.h"

#include "ShellTestSupport.h"
#include "platform/ui/MessageBoxes.h"
#include "players/PlayerFile.h"
#include "players/ui/ufrmChoosePlayer.h"
#include "shell/ui/Startup.h"

#include <cstring>
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
        QTest::keyClicks(page->txtText(), answer);
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
        auto* edit = child<QLineEdit>(w, "txtSpielerNeu");
        edit->clear();
        QTest::keyClicks(edit, text);
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
    static void slide(TfrmPLYAendern* w, const QString& start, int v) {
        child<QSlider>(w, "trkWert")->setValue(v);
        answer(w, start, "btnWeiter");
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

    void newPlayerWizardLeadsThroughItsPagesAndWritesTheRecord() {
        writePlayerFile(store() + "anna.ply", chosenPlayer()); // replaced after asking
        platform::MessageBoxes::answerNext(false);             // first not,
        platform::MessageBoxes::answerNext(true);              // then yes
        QStringList heads, sliderLabels;
        bool emptyNameKeptPage = false;
        answerPages({click("btnOK"),
                     [&](TfrmNeuerSpieler* page) {
                         emptyNameKeptPage = page->isVisible() && NeuerSpielerSchritt == 1;
                         text("Anna")(page);
                     },
                     text("Anna"), click("btnNein"), click("btnNein"), slider(7, sliderLabels),
                     click("btnJa"), click("btnOK"), click("btnNein"), slider(3, sliderLabels),
                     text("Friede"), text("w"), text("17"), text("Schweiz")},
                    heads);
        program->main()->button("btnNeuerSpieler")->click();

        QVERIFY(emptyNameKeptPage);
        QCOMPARE(platform::MessageBoxes::shown(),
                 QStringList(2, "Ein Spieler mit diesem Namen existiert bereits.\n"
                                "Möchten Sie ihn ersetzen ?"));
        QCOMPARE(heads, QString("Spielername|Spielername|Spielername|Einstellung zum Frieden|"
                                "Zum Angreifen|Zum Angreifen|Zum Angreifen|Zum Angreifen|"
                                "Zum Verteidigen|Zum Verteidigen|Allgemeine Daten|"
                                "Allgemeine Daten|Allgemeine Daten|Allgemeine Daten")
                            .split('|'));
        QCOMPARE(sliderLabels, QStringList({"In 1 von 10 Fällen", "In 7 von 10 Fällen",
                                            "In 1 von 10 Fällen", "In 3 von 10 Fällen"}));
        QCOMPARE(startupForm<TfrmNeuerSpieler>()->property("helpContext").toInt(), 20300);

        // The stored Anna, whatever the case of its file name, is replaced by the new one.
        QCOMPARE(filesIn(store()), QStringList({"anna.ply", "group.sgp", "x.txt"}));
        const SpielerTyp p = readPlayerFile(store() + "anna.ply");
        QCOMPARE(p.Name.get(), QString("Anna"));
        QCOMPARE(p.Dateiname.get(), QString("Anna.PLY"));
        QCOMPARE(p.Motto.get(), QString("Friede"));
        QCOMPARE(p.Geschlecht.get() + p.Alter.get() + p.Nationalitaet.get(), QString("w17Schweiz"));
        QCOMPARE(p.IstAutomat, 0);
        const char* expected[SituationCount] = {"10/0", "3/7",  "3/7", "3/7", "3/7", "3/7", "3/7",
                                                "9/1",  "10/0", "9/1", "3/7", "9/1", "9/1"};
        for (int s = 0; s < SituationCount; ++s) {
            const SituationTyp& e = p.Situationen[s];
            QCOMPARE(QString("%1 %2/%3").arg(e.Anzahl).arg(e.AnzahlK).arg(e.AnzahlD),
                     QString("10 ") + expected[s]);
        }
        QCOMPARE(QStringList({p.GreiftNichtAn.get(), p.IstFriedlich.get(),
                              p.NeigtZumAngreifen.get(), p.NeigtZumAusbeuten.get(),
                              p.NeigtZuUeberreaktionen.get(), p.VerteidigtSicher.get()}),
                 QStringList({"Nein", "Ja", "Ja", "Ja", "Ja", "Nein"}));
        // Everything the wizard does not set is zero, reserved bytes included.
        SpielerTyp rest = p;
        std::memset(&rest.Dateiname, 0, sizeof rest.Dateiname);
        std::memset(&rest.Name, 0, offsetof(SpielerTyp, IstAutomat) - offsetof(SpielerTyp, Name));
        std::memset(&rest.Situationen, 0, sizeof rest.Situationen);
        std::memset(&rest.Motto, 0, offsetof(SpielerTyp, Bilddatei) - offsetof(SpielerTyp, Motto));
        const SpielerTyp zero = zeroedPlayer();
        QVERIFY(std::memcmp(&rest, &zero, sizeof rest) == 0);

        QCOMPARE(program->main()->SpielerListe, QStringList({"3anna.ply"}));
        QCOMPARE(program->root.read("Wendrak/SpielerStamm/group.sgp"), QByteArray("anna.ply\r\n"));
    }

    void refusedNameKeepsTheNamePageAndAbbruchWritesNothingButRebuildsTheIndex() {
        writePlayerFile(store() + "Bob.ply", zeroedPlayer()); // not yet in the menu's list
        platform::MessageBoxes::startRecording();
        QStringList heads;
        answerPages({text("a/b"), click("btnCancel")}, heads);
        program->main()->button("btnNeuerSpieler")->click();

        QCOMPARE(heads, QStringList({"Spielername", "Spielername"}));
        QCOMPARE(platform::MessageBoxes::shown(),
                 QStringList({"Dieser Name kann nicht als Dateiname verwendet werden."}));
        QCOMPARE(filesIn(store()), QStringList({"Bob.ply", "x.txt"}));
        QCOMPARE(program->main()->SpielerListe, QStringList({"3Bob.ply"}));
    }

    void wiederholenKeepsTheEarlierPassAndSpeichernWritesTheCopyBesideTheChosenPlayer() {
        QStringList seen;
        changeAnna([&](TfrmPLYAendern* w) {
            auto* speichern = child<QPushButton>(w, "btnOK");
            seen << w->lblSpielerFile()->text() << w->property("helpContext").toString()
                 << child<QLabel>(w, "txtSpielerAlt")->text();
            name(w, "ANNA");
            seen << (child<QLabel>(w, "lblFehler")->isVisible() ? "" : "no error: ")
                 << child<QLabel>(w, "lblFehler")->text();

            name(w, "Neu");
            answer(w, "Wollen Sie das Verteidigungsverhalten", "BitBtn1");
            answer(w, "Soll Neu sich bei Angriffen", "btnNein");
            slide(w, "In wievielen von 10 Fällen soll  Neu dem Angreifer", 6);
            answer(w, "Wollen Sie die die Einstellung", "BitBtn1");
            answer(w, "Soll Neu angreifen", "btnNein");
            answer(w, "Soll Neu sich konsensorientiert", "BitBtn1");
            answer(w, "Soll Neu nie angreifen", "BitBtn1");
            QVERIFY(waitForEnd(w, "Spielerdaten vollständig.") && speichern->isEnabled());

            // Accepting the name again starts a pass that must finish before saving.
            name(w, "Neu");
            QVERIFY(!speichern->isEnabled());
            answer(w, "Wollen Sie das Verteidigungsverhalten", "btnNein");
            answer(w, "Wollen Sie die die Einstellung", "btnNein");
            QVERIFY(waitForEnd(w, "Spielerdaten vollständig."));

            child<QPushButton>(w, "btnNochmal")->click();
            QVERIFY(!speichern->isEnabled());
            answer(w, "Wollen Sie das Verteidigungsverhalten", "BitBtn1");
            answer(w, "Soll Neu sich bei Angriffen", "BitBtn1");
            answer(w, "Wollen Sie die die Einstellung", "btnNein");
            QVERIFY(waitForEnd(w, "Spielerdaten vollständig."));
            speichern->click();
        });
        QCOMPARE(seen, QStringList({store() + "Anna.ply", "20000", "Anna", "",
                                    "Dieser Spieler exisitiert bereits !"}));

        SpielerTyp expected = chosenPlayer();
        expected.Name.set("Neu");
        expected.Dateiname.set("Neu.Ply");
        for (int s : {SitMDD, SitMDK, SitMKK, SitNDK})
            expected.Situationen[s] = {10, 0, 10}; // the last pass
        for (int s : {SitErsterTag, SitNKK, SitMKD, SitNDD, SitNKD, SitPDD, SitPDK, SitPKD, SitPKK})
            expected.Situationen[s] = {10, 10, 0}; // the first pass
        QCOMPARE(program->root.read("Wendrak/SpielerStamm/Neu.Ply"),
                 QByteArray(reinterpret_cast<const char*>(&expected), sizeof expected));
        QCOMPARE(program->main()->SpielerListe, QStringList({"3Anna.ply", "3Neu.Ply"}));
    }

    void contradictingAnswersCannotBeSavedAndZurueckWritesNothing() {
        const SpielerTyp chosen = chosenPlayer();
        changeAnna([](TfrmPLYAendern* w) {
            name(w, "Neu");
            answer(w, "Wollen Sie das Verteidigungsverhalten", "btnNein");
            answer(w, "Wollen Sie die die Einstellung", "BitBtn1");
            answer(w, "Soll Neu angreifen", "btnNein");
            answer(w, "Soll Neu sich konsensorientiert", "btnNein");
            answer(w, "Soll Neu sich friedlich verhalten", "btnNein");
            QVERIFY(waitForEnd(w, "Ihre Angaben widersprechen sich."));
            QCOMPARE(child<QLabel>(w, "lblFrage")->palette().color(QPalette::WindowText),
                     QColor(255, 0, 0));
            QVERIFY(!child<QPushButton>(w, "btnOK")->isEnabled() && !w->tmeMain()->isActive());
        });
        QCOMPARE(filesIn(store()), QStringList({"Anna.ply", "x.txt"}));
        QCOMPARE(program->root.read("Wendrak/SpielerStamm/Anna.ply"),
                 QByteArray(reinterpret_cast<const char*>(&chosen), sizeof chosen));
        QCOMPARE(program->main()->SpielerListe, QStringList({"3Anna.ply"}));
    }
};

QTEST_MAIN(WizardsTest)
#include "wizards_test.moc"
