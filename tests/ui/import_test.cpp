// Taking over players of the sibling program from the main menu: the chooser, the questions
// for empty situations, the replace question and the card.
#include "players/ui/uPLYSpielerauswahl.h"
#include "players/ui/uQXRProba.h"
#include "players/ui/uSpielerAnzeige.h"

#include "ShellTestSupport.h"
#include "platform/ui/MessageBoxes.h"
#include "players/PlayerFile.h"
#include "players/uPelkam2Wendrak.h"

using namespace shelltest;
using platform::MessageBoxes;

namespace {

// A sibling player with the given situations left empty, the others 4 K, 2 D.
QByteArray tp0(const QString& name, QList<int> empty = {}) {
    PelkamSpielerTyp p;
    p.Name = name;
    p.x = 1;
    for (int m = 0; m < 12; ++m)
        p.Paare[m] = empty.contains(PelkamSituation(m)) ? PelkamSpielerTyp::Paar{0, 0}
                                                        : PelkamSpielerTyp::Paar{4, 2};
    return PelkamRecordBytes(p);
}

// Drives the import's windows while it runs, as a user with the mouse would: in the chooser
// notes whether "&Ok" is enabled before and after a click on the named file, then takes it;
// in the question dialog notes each page as "page file|cancel caption|answers shown|button
// holding the focus", presses Return (noting "Return" when that closed the dialog) and then
// the next named button; on the player card notes what it shows and saves the age "15".
struct Driver {
    QString choose;
    QStringList buttons;
    QStringList ok;
    QStringList pages;
    QStringList card; // name, age, picture shown
    QTimer timer;

    Driver(const QString& file, const QStringList& presses) : choose(file), buttons(presses) {
        timer.setInterval(10);
        QObject::connect(&timer, &QTimer::timeout, [this] { step(); });
        timer.start();
    }
    static QString enabled(const QWidget* w) { return w->isEnabled() ? "an" : "aus"; }
    void step() {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal == nullptr || !modal->isActiveWindow())
            return;
        if (auto* chooser = qobject_cast<TfrmPLYAuswahl*>(modal)) {
            QListWidget* list = chooser->lstSpieler();
            ok << enabled(chooser->btnOk());
            const auto items = list->findItems(choose, Qt::MatchExactly);
            QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier,
                              list->visualItemRect(items.first()).center());
            ok << enabled(chooser->btnOk());
            chooser->btnOk()->click();
        } else if (auto* q = qobject_cast<TfrmQXRProba*>(modal)) {
            QWidget* focus = q->focusWidget();
            pages << q->strTextDatei()->text().section('/', -1) + '|' + q->btnCancel()->text() +
                         '|' + (q->btnKF()->isVisible() ? "answers" : "-") + '|' +
                         (qobject_cast<QPushButton*>(focus) ? focus->objectName() : "-");
            QTest::keyClick(focus != nullptr ? focus : q, Qt::Key_Return);
            if (!q->isVisible())
                pages << "Return";
            else if (!buttons.isEmpty())
                QTest::mouseClick(q->findChild<QPushButton*>(buttons.takeFirst()), Qt::LeftButton);
        } else if (auto* c = qobject_cast<TfrmSpielerAnzeige*>(modal)) {
            auto* age = c->findChild<QLineEdit*>("Edit2");
            card << c->findChild<QLineEdit*>("Edit1")->text() << age->text()
                 << (c->findChild<QLabel*>("Image1")->isVisible() ? "picture" : "-");
            age->setText("15");
            c->findChild<QPushButton*>("BtnSave")->click();
        }
    }
};

} // namespace

class ImportTest : public QObject {
    Q_OBJECT

private slots:
    // The windows' part: the chooser's choice, the buttons' answers, Abbruch, the card's
    // save and the rebuilt index. What the take-over writes is the domain's (pelkam_test).
    void takenPlayerIsAnsweredInTheWindowsAndSavedFromTheCard() {
        Program program([](TempRoot& root) {
            root.write("Wendrak/PelkamSpieler/mara.tp0", tp0("Mara", {SitMDD, SitNDK, SitPKK}));
            root.write("Wendrak/PelkamSpieler/Lea.TP0", tp0("Lea", {SitMDK, SitMKD}));
            copySource(root, "Wendrak/SpielerStamm/", {"leer.bmp"}); // the store's placeholder
            writePlayerFile(root.programFolder() + "SpielerStamm/Lea.PLY", zeroedPlayer());
        });
        program.showMenu();
        TfrmMain* w = program.main();
        const QString store = program.data() + "SpielerStamm/";
        {
            Driver driver("mara.tp0", {"btnCancel", "btnKF", "btn50", "btnJF"});
            w->button("btnImport")->click();
            QCOMPARE(driver.ok, QStringList({"aus", "an"}));
            QCOMPARE(driver.pages,
                     QStringList({"DE_Vervollst.html|OK|-|-", "DE_ASKMDD.html|Abbruch|answers|-",
                                  "DE_ASKNDK.html|Abbruch|answers|-",
                                  "DE_ASKPKK.html|Abbruch|answers|-"}));
            QCOMPARE(driver.card, QStringList({"Mara", "", "-"})); // no picture yet
        }
        // Each button's answer, by the K cases it gives (its whole entry: pelkam_test).
        const SpielerTyp mara = readPlayerFile(store + "Mara.PLY");
        QCOMPARE(QList<int>({mara.Situationen[SitMDD].AnzahlK, mara.Situationen[SitNDK].AnzahlK,
                             mara.Situationen[SitPKK].AnzahlK}),
                 QList<int>({0, 5, 10}));
        QVERIFY(mara.Alter == "15" && mara.MasseGueltig == 1);
        QCOMPARE(filesIn(program.data() + "PelkamSpieler"), QStringList({"Lea.TP0"}));
        QVERIFY(w->SpielerListe.join(' ').contains("Mara.PLY"));
        MessageBoxes::answerNext(true); // the user's own Lea is replaced
        {
            Driver driver("Lea.TP0", {"btnCancel", "btnJF", "btnCancel"});
            w->button("btnImport")->click();
            QVERIFY(driver.pages.size() == 3 && driver.card.isEmpty());
        }
        QCOMPARE(MessageBoxes::shown(), QStringList({"Ein Spieler mit diesem Namen existiert "
                                                     "bereits.\nMöchten Sie ihn ersetzen ?"}));
        QCOMPARE(readPlayerFile(store + "Lea.PLY").Name.get(), QString("Lea"));
    }
};

QTEST_MAIN(ImportTest)
#include "import_test.moc"
