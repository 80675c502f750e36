// The game setup window and its group chooser driven through their widgets: the Ok rule and
// the count, adding and removing players, choosing a group as source, the chooser's tree of
// the program folder's group roots (a missing one too) with its Ok rule, what each showing
// resets, and "Aktualisieren". Kemra.ini names a second data folder as WendrakPath, with a
// group and a player file named like one of the store's in it: both windows work below the
// program folder and must take nothing from there.
#include "players/ui/ufrmCreateGame.h"

#include "ShellTestSupport.h"
#include "players/ui/ufrmChooseGroup.h"

using namespace shelltest;

class CreateGameTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<TempRoot> root;
    std::unique_ptr<TfrmCreateGame> form;

    QPushButton* button(const char* name) const { return child<QPushButton>(form.get(), name); }
    QTreeWidget* source() const { return child<QTreeWidget>(form.get(), "lstStamm"); }
    QStringList sourceTexts() const { return childTexts(source()->invisibleRootItem()); }
    QString count() const { return child<QLabel>(form.get(), "lblPlayerCount")->text(); }
    QString game() const { return root->programFolder() + "Aktuelles Spiel/"; }
    QStringList gameFiles() const { return filesIn(game()); }
    void show() { QVERIFY(showExposed(form.get())); }
    void filter(const QString& node) {
        clickItem(child<QTreeWidget>(form.get(), "trvFilter"), node);
    }

private slots:
    void init() {
        form.reset();
        root = std::make_unique<TempRoot>();
        for (const char* folder : {"Daten/Eigene Gruppen/Fremdgruppe", "Daten/Aktuelles Spiel"})
            QDir().mkpath(root->root() + folder);
        root->write("Daten/SpielerStamm/Anna.ply", QByteArray(2400, 'F'));
        root->write("Kemra.ini", ("[Path]\r\nWendrakPath=" + root->root() + "Daten/\r\n").toUtf8());
        // Player files (all zero) below the program folder, unlike the foreign folder's decoy.
        for (const char* file : {"SpielerStamm/Anna", "SpielerStamm/Bob", "SpielerStamm/Typ3Otto",
                                 "SpielerStamm/Typ0Ida", "SpielerStamm/Graf", "SpielerStamm/Carl",
                                 "SpielerStammImport/Importiert", "SpielerStammImport/R_B"})
            root->write("Wendrak/" + QString(file) + ".ply", QByteArray(2400, 0));

        form = std::make_unique<TfrmCreateGame>();
        form->ZielOrdner = "Aktuelles Spiel\\";
        form->MaxSpieler = 125;
        form->SpielerListe = {"3Bob.ply",  "3Anna.ply",       "2Typ3Otto.ply", "2Typ0Ida.ply",
                              "1Graf.ply", "3Importiert.ply", "3Fehlt.ply",    "2typ3klein.ply"};
    }

    // "Persönliche Spieler" lists Anna, Bob, Fehlt and Importiert, from both stores. The count
    // and Ok follow every change (the bounds are the domain rule's test); a player missing from
    // the store is warned of.
    void addingCopiesWithFreeNamesRemovingDeletesPlayerFilesOnlyAndShowingEmptiesTheSource() {
        root->write("Wendrak/Aktuelles Spiel/notiz.txt", "kein Spieler");
        show();
        filter(QString::fromUtf8("Persönliche Spieler"));
        clickItem(source(), "Anna.ply");
        button("btnAddOne")->click();
        QVERIFY(count() == "1" && !button("btnOk")->isEnabled());
        clickItem(source(), "Anna.ply", true);
        QCOMPARE(gameFiles(), QStringList({"Anna.ply", "Anna_1.ply", "notiz.txt"}));
        QVERIFY(count() == "2" && button("btnOk")->isEnabled());

        const auto warning = acceptNextMessage();
        button("btnAddAll")->click();
        QCOMPARE(*warning,
                 "Warnung !!!\nDer Spieler: Fehlt.ply\nwurde nicht im Spielerstamm gefunden.");
        QCOMPARE(gameFiles(), QStringList({"Anna.ply", "Anna_1.ply", "Anna_2.ply", "Bob.ply",
                                           "Importiert.ply", "notiz.txt"}));
        QCOMPARE(root->read("Wendrak/Aktuelles Spiel/Anna_1.ply"), QByteArray(2400, 0));
        QVERIFY(QDir(root->root() + "Daten/Aktuelles Spiel").isEmpty());
        QCOMPARE(form->Quellordner, root->programFolder() + "SpielerStamm/");

        // Removing deletes player files only, read-only ones too.
        QFile::setPermissions(game() + "Anna_1.ply", QFile::ReadOwner | QFile::ReadUser);
        clickItem(child<QTreeWidget>(form.get(), "lstPlayer"), "Anna_1.ply", true);
        QCOMPARE(gameFiles(),
                 QStringList({"Anna.ply", "Anna_2.ply", "Bob.ply", "Importiert.ply", "notiz.txt"}));
        QFile::setPermissions(game() + "Bob.ply", QFile::ReadOwner | QFile::ReadUser);
        button("btnDeleteAll")->click();
        QCOMPARE(gameFiles(), QStringList({"notiz.txt"}));
        QCOMPARE(count(), QString("0"));
        form->hide();
        show();
        QCOMPARE(source()->topLevelItemCount(), 0);
    }

    void chosenGroupBecomesTheSourceAndCancelKeepsTheList() {
        root->write("Wendrak/Eigene Gruppen/Klasse 7/group.sgp", "R_B.ply\r\nAnna.ply\r\n");
        // The program hands the window a chooser of its own, made without a parent.
        TfrmChooseGroup chooserOfTheProgram;
        form->ChooseGroup = &chooserOfTheProgram;
        show();
        auto* tree = child<QTreeWidget>(form.get(), "trvFilter");
        auto* experiments = button("btnSExperimente");
        filter("Besondere Spieler");

        whenModalOf<TfrmChooseGroup>(
            [](TfrmChooseGroup* c) { c->findChild<QPushButton*>("btnCancel")->click(); });
        experiments->click();
        QCOMPARE(sourceTexts(), QStringList({"Graf.ply"}));

        whenModalOf<TfrmChooseGroup>([](TfrmChooseGroup* c) {
            clickItem(c->findChild<QTreeWidget*>("trvMain"), "Klasse 7");
            c->findChild<QPushButton*>("btnOk")->click();
        });
        experiments->click();
        QCOMPARE(sourceTexts(), QStringList({"Anna.ply", "R_B.ply"}));
        QVERIFY(!tree->isVisible());
        QCOMPARE(experiments->y(), tree->y()); // the button moves up into the tree's place

        button("btnAddAll")->click();
        QCOMPARE(gameFiles(), QStringList({"Anna.ply", "R_B.ply"}));
        button("btnAlleSpieler")->click();
        QVERIFY(tree->isVisible());
        form->ChooseGroup = nullptr;
    }

    void treeShowsTheProgramFoldersGroupsOkNeedsAGroupFileAndRefreshFindsNewOnes() {
        const auto group = [&](const QString& f) {
            return root->write("Wendrak/" + f + "/group.sgp", "Anna.ply\r\n");
        };
        const QString gruppe1 = group("Standardexperimente/Versuch A/Gruppe 1");
        QDir().mkpath(root->programFolder() + "Standardexperimente/Versuch A/Texte");
        const QString klasse7 = group("Eigene Gruppen/Klasse 7");
        root->write("Wendrak/Eigene Gruppen/notiz.txt", "x");
        QDir(root->programFolder() + "ImportierteGruppen").removeRecursively();

        TfrmChooseGroup dialog;
        auto* tree = dialog.findChild<QTreeWidget*>("trvMain");
        QPushButton* ok = dialog.findChild<QPushButton*>("btnOk");
        QVERIFY(showExposed(&dialog));
        QCOMPARE(childTexts(tree->invisibleRootItem()),
                 QStringList({"Standardexperimente", "Eigene Gruppen", "ImportierteGruppen"}));
        QCOMPARE(childTexts(findNode(tree, "Versuch A")), QStringList({"Gruppe 1", "Texte"}));
        QCOMPARE(childTexts(tree->topLevelItem(1)), QStringList({"Klasse 7"}));
        QVERIFY(findNode(tree, "Fremdgruppe") == nullptr);
        // Ok follows whether the chosen folder holds a group file, also when moved by keys.
        QVERIFY(!ok->isEnabled());
        clickItem(tree, "Gruppe 1");
        QVERIFY(ok->isEnabled());
        QCOMPARE(dialog.GruppenDatei, gruppe1);
        QTest::keyClick(tree, Qt::Key_Up);
        QVERIFY(!ok->isEnabled() && dialog.GruppenDatei.isEmpty());

        // Each showing resets the choice; new groups appear only on "Aktualisieren".
        clickItem(tree, "Klasse 7");
        dialog.hide();
        const QString tiefer = group("Eigene Gruppen/Neu/Tief/Tiefer");
        QVERIFY(showExposed(&dialog));
        QVERIFY(!ok->isEnabled() && dialog.GruppenDatei.isEmpty());
        QVERIFY(!findNode(tree, "Neu"));
        clickItem(tree, "Klasse 7");
        dialog.findChild<QPushButton*>("btnRefresh")->click();
        QCOMPARE(dialog.GruppenDatei, klasse7);
        clickItem(tree, "Tiefer");
        QCOMPARE(dialog.GruppenDatei, tiefer);
    }
};

QTEST_MAIN(CreateGameTest)
#include "creategame_test.moc"
