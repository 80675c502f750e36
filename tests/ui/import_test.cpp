// Taking over players of the sibling program from the main menu: the chooser, the questions
// for empty situations, what reaches the store and the export folder on every way through,
// and the question dialog's pages.
#include "players/ui/uPLYSpielerauswahl.h"
#include "players/ui/uQXRProba.h"
#include "players/ui/uSpielerAnzeige.h"

#include "ShellTestSupport.h"
#include "platform/ui/MessageBoxes.h"
#include "players/PlayerFile.h"
#include "players/uPelkam2Wendrak.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTextBrowser>
#include <QToolButton>

using namespace shelltest;

namespace {

// A sibling player with the given situations (by index) left empty, the others 4 K, 2 D.
QByteArray tp0(const QString& name, std::initializer_list<int> empty = {}) {
    PelkamSpielerTyp p;
    p.Name = name;
    p.x = 1;
    for (int m = 0; m < 12; ++m)
        p.Paare[m] = {4, 2};
    for (int m = 0; m < 12; ++m)
        for (int s : empty)
            if (PelkamSituation(m) == s)
                p.Paare[m] = {0, 0};
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

struct Entry {
    int n, k, d;
    bool operator==(const Entry&) const = default;
};
Entry entry(const SpielerTyp& p, int s) {
    const SituationTyp& e = p.Situationen[s];
    return {e.Anzahl, e.AnzahlK, e.AnzahlD};
}

} // namespace

class ImportTest : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { platform::MessageBoxes::reset(); }

    void takenPlayerIsCompletedMeasuredAndLeavesTheExportFolderUnlessModusIsTwo() {
        Program program([](TempRoot& root) {
            root.write("Wendrak/PelkamSpieler/mara.tp0", tp0("Mara", {SitMDD, SitNDK, SitPKK}));
            root.write("Wendrak/PelkamSpieler/Otto.TP0", tp0("Otto", {SitPDD}));
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
        QVERIFY(mara.Alter == "15" && mara.MasseGueltig == 1);
        QVERIFY(entry(mara, SitMDD) == (Entry{10, 0, 10}) &&
                entry(mara, SitNDK) == (Entry{10, 5, 5}));
        QVERIFY(entry(mara, SitPKK) == (Entry{10, 10, 0}) &&
                entry(mara, SitErsterTag) == (Entry{4, 3, 1}));
        QVERIFY(mara.ErgebnisGegenK >= 3000 && mara.Friedfertigkeit == 0); // three test runs only
        QCOMPARE(filesIn(program.data() + "PelkamSpieler"), QStringList{"Otto.TP0"});
        QVERIFY(w->SpielerListe.join(' ').contains("Mara.PLY"));
        QVERIFY(w->pnlMNUHauptmenue()->isVisible());

        w->Modus = 2;
        {
            Driver driver("Otto.TP0", {"btnCancel", "btnJF"});
            w->button("btnImport")->click();
            QCOMPARE(driver.pages.size(), 2);
        }
        QCOMPARE(entry(readPlayerFile(store + "Otto.PLY"), SitPDD), (Entry{10, 10, 0}));
        QCOMPARE(filesIn(program.data() + "PelkamSpieler"), QStringList{"Otto.TP0"});
    }

    void abbruchKeepsTheConvertedPlayerWithItsGapsAndTheSourceFile() {
        Program program([](TempRoot& root) {
            root.write("Wendrak/PelkamSpieler/Lea.TP0",
                       tp0("Lea", {SitMDK, SitMKD, SitNDD, SitPDK}));
        });
        program.showMenu();
        Driver driver("Lea.TP0", {"btnCancel", "btnJF", "btn50", "btnCancel"});
        program.main()->button("btnImport")->click();
        QCOMPARE(driver.pages.size(), 4);
        QVERIFY(driver.card.isEmpty());
        const SpielerTyp lea = readPlayerFile(program.data() + "SpielerStamm/Lea.PLY");
        for (int s : {SitMDK, SitMKD, SitNDD, SitPDK})
            QVERIFY2(entry(lea, s) == (Entry{0, 0, 0}), situationCode(s));
        QVERIFY(lea.ErgebnisGegenK == 0); // not measured
        QCOMPARE(filesIn(program.data() + "PelkamSpieler"), QStringList{"Lea.TP0"});
        QVERIFY(program.main()->SpielerListe.join(' ').contains("Lea.PLY"));
    }

    // A player the user made is not replaced without asking; a broken file changes nothing.
    void ownPlayerOfTheSameNameIsKeptOnNoAndABrokenFileIsReported() {
        Program program([](TempRoot& root) {
            root.write("Wendrak/PelkamSpieler/Anna.TP0", tp0("Anna"));
            root.write("Wendrak/PelkamSpieler/Kurz.TP0", tp0("Kurz").left(100));
            SpielerTyp own = zeroedPlayer();
            own.Name.set("Meine Anna");
            writePlayerFile(root.programFolder() + "SpielerStamm/Anna.PLY", own);
        });
        program.showMenu();
        const QString store = program.data() + "SpielerStamm/";
        platform::MessageBoxes::answerNext(false);
        {
            Driver driver("Anna.TP0", {});
            program.main()->button("btnImport")->click();
            QVERIFY(driver.pages.isEmpty());
        }
        QCOMPARE(platform::MessageBoxes::shown(),
                 QStringList{"Ein Spieler mit diesem Namen existiert bereits.\nMöchten Sie ihn "
                             "ersetzen ?"});
        QCOMPARE(readPlayerFile(store + "Anna.PLY").Name.get(), QString("Meine Anna"));

        platform::MessageBoxes::reset();
        platform::MessageBoxes::startRecording();
        {
            Driver driver("Kurz.TP0", {});
            program.main()->button("btnImport")->click();
        }
        QCOMPARE(platform::MessageBoxes::shown().size(), 1);
        QVERIFY(platform::MessageBoxes::shown().first().contains("Kurz.TP0"));
        QCOMPARE(filesIn(store), QStringList({"Anna.PLY", "x.txt"}));
        QCOMPARE(filesIn(program.data() + "PelkamSpieler"), QStringList({"Anna.TP0", "Kurz.TP0"}));
        QVERIFY(program.main()->pnlMNUHauptmenue()->isVisible());
    }

    void chooserListsTheTp0FilesAndTakesOnlyAChosenOne() {
        TempRoot root;
        for (const char* name : {"b.TP0", "A.tp0", "c.txt"})
            root.write(QString("Wendrak/PelkamSpieler/") + name, "x");
        TfrmPLYAuswahl chooser;
        chooser.PelkamExportPath = root.programFolder() + "PelkamSpieler";
        int result = -1;
        QTimer::singleShot(0, [&] {
            QListWidget* list = chooser.lstSpieler();
            QStringList shown;
            for (int i = 0; i < list->count(); ++i)
                shown << list->item(i)->text();
            QCOMPARE(shown, QStringList({"A.tp0", "b.TP0"}));
            QVERIFY(!chooser.btnOk()->isEnabled());
            // Beside the files a double-click takes nothing, also not the file of last time.
            chooser.lblBack()->setText("alt.TP0");
            QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, QPoint(5, list->height() - 8));
            QVERIFY(chooser.isVisible());
            const QRect second = list->visualItemRect(list->item(1));
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, second.center());
            QVERIFY(chooser.btnOk()->isEnabled());
            QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, second.center());
        });
        result = chooser.exec();
        QCOMPARE(result, 1);
        QCOMPARE(chooser.lblBack()->text(), QString("b.TP0"));
    }

    // A page that is missing keeps what the dialog showed; its answers still work.
    void missingPageKeepsThePreviousPage() {
        TempRoot root;
        root.write("Wendrak/Texte/DE_ASKMDD.html", "<html><body><p>MDD-Seite</p></body></html>");
        TfrmQXRProba form;
        const QString texts = root.programFolder() + "Texte/";
        QTimer::singleShot(0, [&] { form.btn50()->click(); });
        QCOMPARE(AskQuestion(&form, texts, "ASKMDD.rtf"), 5);
        QTimer::singleShot(0, [&] { form.btnKF()->click(); });
        QCOMPARE(AskQuestion(&form, texts, "ASKMDK.rtf"), 0);
        QVERIFY(form.brwHTML()->toPlainText().contains("MDD-Seite"));
        QTimer::singleShot(0, [&] { form.close(); });
        QCOMPARE(AskQuestion(&form, texts, "ASKMDK.rtf"), -1);
    }
};

QTEST_MAIN(ImportTest)
#include "import_test.moc"
