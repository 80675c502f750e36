// Taking over players of the sibling program from the main menu: the chooser, the questions
// for empty situations, and what reaches the store and the export folder on every way
// through.
#include "players/ui/uPLYSpielerauswahl.h"
#include "players/ui/uQXRProba.h"
#include "players/ui/uSpielerAnzeige.h"

#include "ShellTestSupport.h"
#include "players/PlayerFile.h"
#include "players/uPelkam2Wendrak.h"

using namespace shelltest;

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

// Drives the import's windows while it runs: takes the named file in the chooser, then
// presses the named buttons of the question dialog in turn, noting each page as
// "page file|cancel caption|answers shown"; on the player card it notes what it shows and
// saves the age "15".
struct Driver {
    QString choose;
    QStringList buttons;
    QStringList pages;
    QStringList card; // name, age, picture shown
    QTimer timer;

    Driver(const QString& file, const QStringList& presses) : choose(file), buttons(presses) {
        timer.setInterval(10);
        QObject::connect(&timer, &QTimer::timeout, [this] { step(); });
        timer.start();
    }
    void step() {
        QWidget* modal = QApplication::activeModalWidget();
        if (auto* chooser = qobject_cast<TfrmPLYAuswahl*>(modal)) {
            const auto items = chooser->lstSpieler()->findItems(choose, Qt::MatchExactly);
            if (items.isEmpty())
                return chooser->findChild<QPushButton*>("btnCancel")->click();
            chooser->lstSpieler()->setCurrentItem(items.first());
            chooser->findChild<QPushButton*>("btnOk")->click();
        } else if (auto* q = qobject_cast<TfrmQXRProba*>(modal)) {
            pages << q->strTextDatei()->text().section('/', -1) + '|' + q->btnCancel()->text() +
                         '|' + (q->btnKF()->isVisible() ? "answers" : "-");
            if (!buttons.isEmpty())
                q->findChild<QPushButton*>(buttons.takeFirst())->click();
        } else if (auto* c = qobject_cast<TfrmSpielerAnzeige*>(modal)) {
            auto* age = c->findChild<QLineEdit*>("Edit2");
            card << c->findChild<QLineEdit*>("Edit1")->text() << age->text()
                 << (c->findChild<QLabel*>("Image1")->isVisible() ? "picture" : "-");
            age->setText("15");
            c->findChild<QPushButton*>("BtnSave")->click();
        }
    }
};

// A situation's counts as "n/k/d".
QString entry(const SpielerTyp& p, int s) {
    const SituationTyp& e = p.Situationen[s];
    return QString("%1/%2/%3").arg(e.Anzahl).arg(e.AnzahlK).arg(e.AnzahlD);
}

} // namespace

class ImportTest : public QObject {
    Q_OBJECT

private slots:
    // Abbruch keeps the converted player with its gaps and the source file.
    void takenPlayerIsCompletedMeasuredSavedAndLeavesTheExportFolderUnlessStopped() {
        Program program([](TempRoot& root) {
            root.write("Wendrak/PelkamSpieler/mara.tp0", tp0("Mara", {SitMDD, SitNDK, SitPKK}));
            root.write("Wendrak/PelkamSpieler/Otto.TP0", tp0("Otto", {SitPDD}));
            root.write("Wendrak/PelkamSpieler/Lea.TP0", tp0("Lea", {SitMDK, SitMKD, SitNDD}));
            copySource(root, "Wendrak/SpielerStamm/", {"leer.bmp"}); // the store's placeholder
        });
        program.showMenu();
        TfrmMain* w = program.main();
        const QString store = program.data() + "SpielerStamm/";
        {
            Driver driver("mara.tp0", {"btnCancel", "btnKF", "btn50", "btnJF"});
            w->button("btnImport")->click();
            QCOMPARE(
                driver.pages,
                QStringList({"DE_Vervollst.html|OK|-", "DE_ASKMDD.html|Abbruch|answers",
                             "DE_ASKNDK.html|Abbruch|answers", "DE_ASKPKK.html|Abbruch|answers"}));
            QCOMPARE(driver.card, QStringList({"Mara", "", "-"})); // no picture yet
        }
        const SpielerTyp mara = readPlayerFile(store + "Mara.PLY");
        QCOMPARE(QStringList({entry(mara, SitMDD), entry(mara, SitNDK), entry(mara, SitPKK)}),
                 QStringList({"10/0/10", "10/5/5", "10/10/0"}));
        QVERIFY(mara.Alter == "15" && mara.MasseGueltig == 1);
        QVERIFY(mara.ErgebnisGegenK >= 3000 && mara.Friedfertigkeit == 0); // three test runs
        QCOMPARE(filesIn(program.data() + "PelkamSpieler"), QStringList({"Lea.TP0", "Otto.TP0"}));
        QVERIFY(w->SpielerListe.join(' ').contains("Mara.PLY"));

        w->Modus = 2;
        {
            Driver driver("Otto.TP0", {"btnCancel", "btnJF"});
            w->button("btnImport")->click();
        }
        QCOMPARE(entry(readPlayerFile(store + "Otto.PLY"), SitPDD), QString("10/10/0"));
        w->Modus = 0; // Abbruch on the third question
        {
            Driver driver("Lea.TP0", {"btnCancel", "btnJF", "btn50", "btnCancel"});
            w->button("btnImport")->click();
            QVERIFY(driver.pages.size() == 4 && driver.card.isEmpty());
        }
        const SpielerTyp lea = readPlayerFile(store + "Lea.PLY");
        QCOMPARE(QStringList({entry(lea, SitMDK), entry(lea, SitMKD), entry(lea, SitNDD)}),
                 QStringList({"0/0/0", "0/0/0", "0/0/0"}));
        QCOMPARE(filesIn(program.data() + "PelkamSpieler"), QStringList({"Lea.TP0", "Otto.TP0"}));
    }
};

QTEST_MAIN(ImportTest)
#include "import_test.moc"
