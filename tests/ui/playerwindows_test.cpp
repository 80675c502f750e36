// The player chooser, the player card and the situation overview, driven through their
// widgets: the filter tree, the details with their "k.A." rule and picture, the show-player
// command's save loop from the main menu, read-only players, the picture buttons and
// "&Typen".
#include "players/ui/uSpielerAnzeige.h"
#include "players/ui/uUebersicht.h"
#include "players/ui/ufrmChoosePlayer.h"

#include "ShellTestSupport.h"
#include "platform/ui/FileDialogs.h"
#include "platform/ui/MessageBoxes.h"
#include "shell/ui/Startup.h"

using namespace shelltest;

namespace {

// A profile player giving way in k of ten cases in every situation.
SpielerTyp player(const char* name, int k) {
    SpielerTyp p = zeroedPlayer();
    p.Name.set(QString::fromUtf8(name));
    for (SituationTyp& s : p.Situationen)
        s = {10, k, 10 - k};
    return p;
}

QString store(const TempRoot& root) {
    return root.programFolder() + "SpielerStamm/";
}

void writeBmp(const QString& path) {
    QImage image(8, 8, QImage::Format_RGB32);
    image.fill(Qt::red);
    QDir().mkpath(QFileInfo(path).path());
    QVERIFY(image.save(path, "BMP"));
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
    void cleanup() { platform::MessageBoxes::reset(); }

    void chooserTreeListsEachCategoryAndTypeOfThePlayerList() {
        TempRoot root;
        TfrmChoosePlayer chooser;
        chooser.SpielerListe = {"3Anna.ply",      "0Angreifer.ply", "1Graf.ply",
                                "9Gast.plx.ply",  "2Typ0Ida.ply",   "2Typ3Otto.ply",
                                "2typ3klein.ply", "2Held.ply",      "4Eck.ply"};
        chooser.show();
        QVERIFY(QTest::qWaitForWindowExposed(&chooser));
        auto* tree = child<QTreeWidget>(&chooser, "trvFilter");
        auto* list = child<QTreeWidget>(&chooser, "lstStamm");
        QCOMPARE(list->topLevelItemCount(), 0);
        QVERIFY(!child<QPushButton>(&chooser, "btnOk")->isEnabled());

        const QList<std::pair<QString, QStringList>> rows = {
            {"Persönliche Spieler", {}},
            {"Kemrafeld", {"Anna.ply"}},
            {"Dominante Spieler", {"Angreifer.ply"}},
            {"Besondere Spieler", {"Graf.ply"}},
            {"Importierte Spieler", {"Gast.plx.ply"}},
            {"Versuchsspieler", {"Typ0Ida.ply"}},
            {"Typ1", {}},
            {"Typ3", {"typ3klein.ply", "Typ3Otto.ply"}},
            {"Typ5", {}},
        };
        QStringList everyNode;
        for (QTreeWidgetItemIterator it(tree); *it; ++it)
            everyNode << (*it)->text(0);
        QCOMPARE(everyNode.size(), 12);
        for (const QString& node : everyNode) {
            clickText(tree, node);
            const QStringList shown = childTexts(list->invisibleRootItem());
            // A category-2 player without "typ" and a digit in its name, and category 4,
            // are listed under no node.
            QVERIFY(!shown.contains("Held.ply") && !shown.contains("Eck.ply"));
            for (const auto& [text, want] : rows)
                if (text == node)
                    QCOMPARE(shown, want);
        }
    }

    void chooserDetailsShowTheStoredPlayerWithItsTraitsAndPicture() {
        TempRoot root;
        SpielerTyp anna = player("Anna", 0); // never gives way: defends itself reliably
        anna.Motto.set("Nie nachgeben");
        anna.Alter.set("15");
        anna.Geschlecht.set("w");
        anna.Nationalitaet.set("deutsch");
        anna.Beruf.set("Schülerin");
        anna.Bilddatei.set("C:\\Bilder\\anna.bmp");
        anna.GeschaeftsmaessigAusbeutbar.set("k.A.");
        anna.ErgebnisGegenK = 1234;
        anna.MasseGueltig = 1;
        writePlayerFile(store(root) + "Anna.ply", anna);
        writeBmp(store(root) + "anna.bmp");
        writePlayerFile(store(root) + "Bruno.ply", player("Bruno", 10));
        root.write("Wendrak/SpielerStamm/Kaputt.ply", QByteArray(100, 1));

        TfrmChoosePlayer chooser;
        QStringList measured;
        chooser.TestRuns = [&](const QString& path, bool force) {
            measured << QFileInfo(path).fileName() + (force ? " force" : "");
        };
        chooser.SpielerListe = {"3Anna.ply", "3Bruno.ply", "3Kaputt.ply"};
        chooser.show();
        QVERIFY(QTest::qWaitForWindowExposed(&chooser));
        auto* list = child<QTreeWidget>(&chooser, "lstStamm");
        auto* picture = child<QLabel>(&chooser, "imgDetail");
        clickText(child<QTreeWidget>(&chooser, "trvFilter"), "Kemrafeld");
        clickText(list, "Anna.ply");
        QCOMPARE(child<QPlainTextEdit>(&chooser, "memDetail")->toPlainText(),
                 QString("Nie nachgeben\n\nName: Anna\nAlter: 15\nGeschlecht: w\n"
                         "Nationalität: deutsch\nBeruf: Schülerin\nSpielertyp: 1\n\n"
                         "Ist konsensorientiert: Nein\nIst friedlich: Nein\n\n"
                         "Verteidigt sich sicher: Ja\nGeschm. ausbeutbar: Nein\n\n"
                         "Neigt zum Angreifen: Ja\nNeigt zum Ausbeuten: Ja\n"
                         "Neigt zu Überreakt.: Nein"));
        QVERIFY(picture->isVisible());
        QCOMPARE(chooser.SpielerDatei, QString("Anna.ply"));
        QCOMPARE(measured, QStringList({"Anna.ply"}));
        const SpielerTyp stored = readPlayerFile(store(root) + "Anna.ply");
        QCOMPARE(stored.GeschaeftsmaessigAusbeutbar.get(), QString("k.A.")); // shown only
        QCOMPARE(stored.Spielertyp, 1);

        clickText(list, "Bruno.ply");
        QVERIFY(!picture->isVisible());

        platform::MessageBoxes::startRecording();
        clickText(list, "Kaputt.ply");
        QCOMPARE(platform::MessageBoxes::shown().size(), 1);
        QVERIFY(platform::MessageBoxes::shown().first().contains("Kaputt.ply"));
        QVERIFY(chooser.SpielerDatei.isEmpty() &&
                !child<QPushButton>(&chooser, "btnOk")->isEnabled());
        QCOMPARE(root.read("Wendrak/SpielerStamm/Kaputt.ply"), QByteArray(100, 1));

        clickItem(list, findNode(list, "Anna.ply"), true);
        QTRY_VERIFY(!chooser.isVisible());
        QCOMPARE(chooser.result(), 1);
    }

    void showPlayerMeasuresSavesTheCardAndOffersTheChooserAgainKeepingAFailedSave() {
        Program program([](TempRoot& r) {
            SpielerTyp anna = player("Anna", 0);
            anna.GeschaeftsmaessigAusbeutbar.set("k.A.");
            anna.reserved3[7] = 0x5A; // bytes the program does not know stay as they are
            writePlayerFile(store(r) + "Anna.ply", anna);
        });
        program.showMenu();
        const QString file = store(program.root) + "Anna.ply";
        bool cardSeen = false, chooserAgain = false;
        QByteArray writeProtected;
        whenModalOf<TfrmChoosePlayer>([&](TfrmChoosePlayer* chooser) {
            clickText(child<QTreeWidget>(chooser, "trvFilter"), "Kemrafeld");
            clickText(child<QTreeWidget>(chooser, "lstStamm"), "Anna.ply");
            whenModalOf<TfrmSpielerAnzeige>([&](TfrmSpielerAnzeige* card) {
                cardSeen = true;
                QCOMPARE(child<QLineEdit>(card, "txtGeschAusbeutbar")->text(), QString("Nein"));
                QCOMPARE(child<QLineEdit>(card, "txtKMass")->text(), QString("0")); // measured
                child<QLineEdit>(card, "Edit1")->setText("Anna Neu");
                child<QLineEdit>(card, "Edit2")->setText("17");
                // A save that fails keeps the file as it was and the card open with the edits.
                writeProtected = TempRoot::readFile(file);
                QFile::setPermissions(file, QFile::ReadOwner);
                platform::MessageBoxes::startRecording();
                whenModalOf<TfrmSpielerAnzeige>([&](TfrmSpielerAnzeige* same) {
                    QCOMPARE(TempRoot::readFile(file), writeProtected);
                    QCOMPARE(child<QLineEdit>(same, "Edit1")->text(), QString("Anna Neu"));
                    QFile::setPermissions(file, QFile::ReadOwner | QFile::WriteOwner);
                    whenModalOf<TfrmChoosePlayer>([&](TfrmChoosePlayer* again) {
                        chooserAgain = true;
                        child<QPushButton>(again, "btnCancel")->click();
                    });
                    child<QPushButton>(same, "BtnSave")->click();
                });
                child<QPushButton>(card, "BtnSave")->click();
            });
            child<QPushButton>(chooser, "btnOk")->click();
        });
        program.main()->button("btnAnzeigen")->click();
        QVERIFY(cardSeen && chooserAgain);
        QCOMPARE(platform::MessageBoxes::shown().size(), 1);
        QVERIFY(platform::MessageBoxes::shown().first().contains("Anna.ply"));

        const SpielerTyp saved = readPlayerFile(file);
        QCOMPARE(saved.Name.get(), QString("Anna Neu"));
        QCOMPARE(saved.Alter.get(), QString("17"));
        QCOMPARE(saved.GeschaeftsmaessigAusbeutbar.get(), QString("Nein"));
        QCOMPARE(saved.MasseGueltig, std::uint8_t(1));
        QCOMPARE(saved.ErgebnisGegenK, 5000); // the test runs ran before the card opened
        QCOMPARE(saved.ErgebnisNachEntgegenkommen, -1);
        QCOMPARE(saved.Spielertyp, 1);
        QCOMPARE(saved.reserved3[7], std::uint8_t(0x5A));
        QVERIFY(program.root.read("Wendrak/SpielerStamm/group.sgp").contains("Anna.ply"));
    }

    void aReadOnlyPlayerIsShownUnchangedAndLeavingItsCardEndsTheCommand() {
        Program program([](TempRoot& r) {
            SpielerTyp gast = player("Gast", 10);
            gast.Dateiname.set("Gast.plx");
            writePlayerFile(store(r) + "Gast.plx.ply", gast);
        });
        program.showMenu();
        const QString file = store(program.root) + "Gast.plx.ply";
        const QByteArray before = TempRoot::readFile(file);
        bool cardSeen = false;
        whenModalOf<TfrmChoosePlayer>([&](TfrmChoosePlayer* chooser) {
            clickText(child<QTreeWidget>(chooser, "trvFilter"), "Importierte Spieler");
            clickText(child<QTreeWidget>(chooser, "lstStamm"), "Gast.plx.ply");
            whenModalOf<TfrmSpielerAnzeige>([&](TfrmSpielerAnzeige* card) {
                cardSeen = true;
                QVERIFY(child<QLineEdit>(card, "Edit1")->isReadOnly());
                QVERIFY(child<QLineEdit>(card, "Edit14")->isReadOnly());
                QVERIFY(!child<QPushButton>(card, "BtnSave")->isVisible());
                QVERIFY(!child<QPushButton>(card, "btnLoadPicture")->isVisible());
                child<QPushButton>(card, "SpeedButton2")->click();
            });
            child<QPushButton>(chooser, "btnOk")->click();
        });
        program.main()->button("btnAnzeigen")->click();
        QVERIFY(cardSeen);
        QVERIFY(!startupForm<TfrmChoosePlayer>()->isVisible());
        QCOMPARE(TempRoot::readFile(file), before);
    }

    void pictureButtonsTakeAPictureIntoTheStoreRefuseOtherFilesAndRemoveIt() {
        TempRoot root;
        writePlayerFile(store(root) + "Anna.ply", player("Anna", 5));
        writeBmp(root.root() + "Bilder/foto.bmp");
        TfrmSpielerAnzeige card;
        auto* image = child<QLabel>(&card, "Image1");
        auto* name = child<QLabel>(&card, "Label6");
        card.ShowPlayer(store(root) + "Anna.ply");
        card.show();
        QVERIFY(QTest::qWaitForWindowExposed(&card));
        QVERIFY(!image->isVisible()); // neither a picture nor "leer.bmp"
        QCOMPARE(child<QLabel>(&card, "Panel1")->text(), QString("<Kein Bild>"));

        writeBmp(store(root) + "leer.bmp");
        card.ShowPlayer(store(root) + "Anna.ply");
        QVERIFY(image->isVisible());
        QVERIFY(name->text().isEmpty());

        const auto choose = [&](const QString& path) {
            platform::FileDialogs::answerNext(path);
            child<QPushButton>(&card, "btnLoadPicture")->click();
        };
        choose(root.root() + "Bilder/foto.bmp");
        QCOMPARE(name->text(), QString("foto.bmp"));
        QCOMPARE(TempRoot::readFile(store(root) + "foto.bmp"),
                 TempRoot::readFile(root.root() + "Bilder/foto.bmp"));
        QVERIFY(image->isVisible());

        platform::MessageBoxes::startRecording();
        choose(store(root) + "Anna.ply");
        QCOMPARE(platform::MessageBoxes::shown().size(), 1);
        QCOMPARE(name->text(), QString("foto.bmp"));

        child<QPushButton>(&card, "btnBildentfernen")->click();
        QVERIFY(name->text().isEmpty() && !image->isVisible());
        QVERIFY(QFile::exists(store(root) + "foto.bmp"));
        card.SavePlayer(store(root) + "Anna.ply");
        QCOMPARE(readPlayerFile(store(root) + "Anna.ply").Bilddatei.get(), QString());
    }

    void typenShowsTheSituationCountsInTheOverview() {
        TempRoot root;
        SpielerTyp p = player("Anna", 3);
        p.Situationen[SitErsterTag] = {4, 1, 3};
        p.Situationen[SitPKK] = {10, 9, 1};
        writePlayerFile(store(root) + "Anna.ply", p);
        TForm9 overview;
        TfrmSpielerAnzeige card;
        card.Uebersicht = &overview;
        card.ShowPlayer(store(root) + "Anna.ply");
        QStringList seen;
        whenModalOf<TForm9>([&](TForm9* form) {
            for (int n : {22, 23, 24, 25, 58, 59, 60})
                seen << child<QLabel>(form, qPrintable("Label" + QString::number(n)))->text();
            child<QPushButton>(form, "Button2")->click();
        });
        auto* typen = child<QPushButton>(&card, "Button4");
        QVERIFY(typen->isHidden());
        typen->click();
        QCOMPARE(seen, QStringList({"4", "1", "3", "10", "10", "9", "1"}));
    }
};

QTEST_MAIN(PlayerWindowsTest)
#include "playerwindows_test.moc"
