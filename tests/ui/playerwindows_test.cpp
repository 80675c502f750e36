// The player chooser and the player card, driven through their widgets: the filter tree,
// the details with their "k.A." rule, the show-player command's save loop from the main
// menu, and read-only players.
#include "players/ui/uSpielerAnzeige.h"
#include "players/ui/ufrmChoosePlayer.h"

#include "ShellTestSupport.h"
#include "platform/Ansi.h"
#include "platform/ui/FileDialogs.h"
#include "platform/ui/MessageBoxes.h"

using namespace shelltest;

namespace {

// Writes Anna.ply into the store and returns its path: she never gives way (defends herself
// reliably), her business exploitability is "k.A.", and one byte the program does not know
// must stay as it is.
QString writeAnna(const TempRoot& root) {
    SpielerTyp p = zeroedPlayer();
    SetPersonalFields(p, {"Anna", "15", "w", "deutsch", "Nie nachgeben", "Schülerin"}, true);
    p.GeschaeftsmaessigAusbeutbar.set("k.A.");
    p.reserved3[7] = 0x5A;
    for (SituationTyp& s : p.Situationen)
        s = {10, 0, 10};
    const QString path = root.programFolder() + "SpielerStamm/Anna.ply";
    writePlayerFile(path, p);
    return path;
}

void clickText(QTreeWidget* tree, const QString& text) {
    QTreeWidgetItem* item = findNode(tree, text);
    QVERIFY2(item != nullptr, qPrintable(text));
    clickItem(tree, item);
}

} // namespace

class PlayerWindowsTest : public QObject {
    Q_OBJECT

private slots:
    void cleanup() {
        platform::MessageBoxes::reset();
        platform::FileDialogs::reset();
    }

    void chooserListsEachCategoryAndTypeAndShowsTheSelectedPlayersDetails() {
        TempRoot root;
        TfrmChoosePlayer chooser;
        chooser.SpielerListe = {"3Anna.ply",      "0Angreifer.ply", "1Graf.ply",
                                "9Gast.plx.ply",  "2Typ0Ida.ply",   "2Typ3Otto.ply",
                                "2typ3klein.ply", "2Held.ply",      "4Eck.ply"};
        chooser.show();
        QVERIFY(QTest::qWaitForWindowExposed(&chooser));
        auto* tree = child<QTreeWidget>(&chooser, "trvFilter");
        auto* list = child<QTreeWidget>(&chooser, "lstStamm");
        auto* ok = child<QPushButton>(&chooser, "btnOk");
        QVERIFY(!ok->isEnabled());

        // Each node lists its category and type; a category-2 player without "typ" and a
        // digit in its name, and category 4, are listed under no node.
        QStringList listed;
        for (QTreeWidgetItemIterator it(tree); *it; ++it) {
            clickItem(tree, *it);
            listed << (*it)->text(0) + ":" + childTexts(list->invisibleRootItem()).join(' ');
        }
        QCOMPARE(listed,
                 QStringList({"Persönliche Spieler:", "Kemrafeld:Anna.ply",
                              "Dominante Spieler:Angreifer.ply", "Besondere Spieler:Graf.ply",
                              "Importierte Spieler:Gast.plx.ply", "Versuchsspieler:Typ0Ida.ply",
                              "Typ1:", "Typ2:", "Typ3:typ3klein.ply Typ3Otto.ply",
                              "Typ4:", "Typ5:", "Typ6:"}));

        // The details of the selected player, traits derived.
        const QString anna = writeAnna(root);
        clickText(tree, "Kemrafeld");
        clickText(list, "Anna.ply");
        QCOMPARE(child<QPlainTextEdit>(&chooser, "memDetail")->toPlainText(),
                 QString("Nie nachgeben\n\nName: Anna\nAlter: 15\nGeschlecht: w\n"
                         "Nationalität: deutsch\nBeruf: Schülerin\nSpielertyp: 1\n\n"
                         "Ist konsensorientiert: Nein\nIst friedlich: Nein\n\n"
                         "Verteidigt sich sicher: Ja\nGeschm. ausbeutbar: Nein\n\n"
                         "Neigt zum Angreifen: Ja\nNeigt zum Ausbeuten: Ja\n"
                         "Neigt zu Überreakt.: Nein"));
        QCOMPARE(chooser.SpielerDatei, QString("Anna.ply"));
        // "Nein" is shown only; the file keeps "k.A.".
        QCOMPARE(readPlayerFile(anna).GeschaeftsmaessigAusbeutbar.get(), QString("k.A."));
        // A filter click that empties the list takes the selection, and with it the choice.
        clickText(tree, "Persönliche Spieler");
        QVERIFY(!ok->isEnabled() && chooser.SpielerDatei == "");
    }

    void showPlayerTakesWholePicturesSavesTheCardKeepsAFailedSaveAndKeepsTheTemplateReadOnly() {
        Program program([](TempRoot& r) {
            writeAnna(r);
            // The shipped template: a ".PLY" file whose record is named ".plx".
            copySource(r, "Wendrak/SpielerStamm/", {"VORLAGE.PLY"});
            QImage image(4, 4, QImage::Format_RGB32);
            for (const char* format : {"bmp", "jpg", "png"})
                QVERIFY(image.save(r.root() + "Foto." + format));
            r.write("Kaputt.bmp", "BM" + QByteArray(60, '\1')); // starts like one, no more
        });
        program.showMenu();
        const QString file = program.data() + "SpielerStamm/Anna.ply";
        const QByteArray vorlage = program.root.read("Wendrak/SpielerStamm/VORLAGE.PLY");
        bool templateSeen = false;
        QStringList shown;
        const QWidget* over = nullptr;
        whenModalOf<TfrmChoosePlayer>([&](TfrmChoosePlayer* chooser) {
            clickText(child<QTreeWidget>(chooser, "trvFilter"), "Kemrafeld");
            clickText(child<QTreeWidget>(chooser, "lstStamm"), "Anna.ply");
            whenModalOf<TfrmSpielerAnzeige>([&](TfrmSpielerAnzeige* card) {
                QCOMPARE(child<QLineEdit>(card, "txtGeschAusbeutbar")->text(), QString("Nein"));
                QCOMPARE(child<QLineEdit>(card, "txtKMass")->text(), QString("0")); // measured
                platform::MessageBoxes::startRecording();
                for (const char* picture : {"Foto.bmp", "Kaputt.bmp", "Foto.png", "Foto.jpg"}) {
                    platform::FileDialogs::answerNext(program.root.root() + picture);
                    child<QPushButton>(card, "btnLoadPicture")->click();
                }
                QVERIFY(!child<QLabel>(card, "Image1")->pixmap().isNull());
                for (const char* edit : {"Edit1", "Edit2", "Edit3", "Edit4", "Edit5", "Edit14"})
                    child<QLineEdit>(card, edit)->setText(edit);
                // Refused over the card, which stays open with the edits (saved below).
                child<QLineEdit>(card, "Edit4")->setText("Łukasz");
                shown = platform::MessageBoxes::shown();
                platform::MessageBoxes::reset(); // a real box, to see what it stands over
                whenModalOf<QMessageBox>([&](QMessageBox* box) {
                    over = box->parentWidget(), shown << box->text(), box->accept();
                });
                child<QPushButton>(card, "BtnSave")->click();
                QVERIFY(over == card && card->isVisible());
                child<QLineEdit>(card, "Edit4")->setText("Edit4");
                // Saving offers the chooser again; leaving the template's card ends it.
                whenModalOf<TfrmChoosePlayer>([&](TfrmChoosePlayer* again) {
                    clickText(child<QTreeWidget>(again, "trvFilter"), "Importierte Spieler");
                    clickText(child<QTreeWidget>(again, "lstStamm"), "VORLAGE.PLY");
                    whenModalOf<TfrmSpielerAnzeige>([&](TfrmSpielerAnzeige* sample) {
                        templateSeen = child<QLineEdit>(sample, "Edit1")->isReadOnly() &&
                                       !child<QPushButton>(sample, "BtnSave")->isVisible();
                        child<QPushButton>(sample, "SpeedButton2")->click();
                    });
                    child<QPushButton>(again, "btnOk")->click();
                });
                child<QPushButton>(card, "BtnSave")->click();
            });
            child<QPushButton>(chooser, "btnOk")->click();
        });
        program.main()->button("btnAnzeigen")->click();
        QVERIFY(templateSeen && !startupForm<TfrmChoosePlayer>()->isVisible());
        QCOMPARE(shown,
                 QStringList({"Die Datei \"Kaputt.bmp\" ist kein Bild im Format BMP oder JPEG.",
                              "Die Datei \"Foto.png\" ist kein Bild im Format BMP oder JPEG.",
                              platform::AnsiFieldMessage("Nationalität")}));
        QCOMPARE(program.root.read("Wendrak/SpielerStamm/VORLAGE.PLY"), vorlage);

        const SpielerTyp saved = readPlayerFile(file);
        QCOMPARE(
            QStringList({saved.Name.get(), saved.Alter.get(), saved.Geschlecht.get(),
                         saved.Nationalitaet.get(), saved.Motto.get(), saved.Beruf.get(),
                         saved.Bilddatei.get(), saved.GeschaeftsmaessigAusbeutbar.get()}),
            QStringList({"Edit1", "Edi", "E", "Edit4", "Edit5", "Edit14", "Foto.jpg", "Nein"}));
        // The test runs ran before the card opened; unknown bytes stay.
        QCOMPARE(
            QList<int>({saved.MasseGueltig, saved.ErgebnisGegenK, saved.ErgebnisNachEntgegenkommen,
                        saved.Spielertyp, saved.reserved3[7]}),
            QList<int>({1, 5000, -1, 1, 0x5A}));
        QVERIFY(program.root.read("Wendrak/SpielerStamm/group.sgp").contains("Anna.ply"));
    }
};

QTEST_MAIN(PlayerWindowsTest)
#include "playerwindows_test.moc"
