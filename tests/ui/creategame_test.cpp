// The game setup window driven through its widgets: the Ok rule and the count, adding and
// removing players, choosing a group as source, and that everything
// happens below the program folder even when WendrakPath names another folder.
#include "players/ui/ufrmCreateGame.h"

#include "GroupTestSupport.h"
#include "ShellTestSupport.h"
#include "players/ui/ufrmChooseGroup.h"

using namespace shelltest;

class CreateGameTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<ForeignPathRoot> root;
    std::unique_ptr<TfrmCreateGame> form;

    QPushButton* button(const char* name) const { return child<QPushButton>(form.get(), name); }
    QTreeWidget* source() const { return child<QTreeWidget>(form.get(), "lstStamm"); }
    QStringList sourceTexts() const { return childTexts(source()->invisibleRootItem()); }
    QString count() const { return child<QLabel>(form.get(), "lblPlayerCount")->text(); }
    QString game() const { return root->programFolder() + "Aktuelles Spiel/"; }
    QStringList gameFiles() const {
        return QDir(game()).entryList(QDir::Files, QDir::Name | QDir::IgnoreCase);
    }
    // P0.ply ... and a note that is no player.
    void fillGame(int players) {
        QDir(game()).removeRecursively();
        root->write("Wendrak/Aktuelles Spiel/notiz.txt", "kein Spieler");
        for (int i = 0; i < players; ++i)
            root->write("Wendrak/Aktuelles Spiel/P" + QString::number(i) + ".ply", "x");
    }
    void show() { QVERIFY(showExposed(form.get())); }
    void filter(const QString& node) {
        auto* tree = child<QTreeWidget>(form.get(), "trvFilter");
        clickItem(tree, findNode(tree, node));
    }

private slots:
    void init() {
        form.reset();
        root = std::make_unique<ForeignPathRoot>();
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

    void okNeedsTwoToMaxSpielerPlayersAndEveryShowingStartsWithAnEmptySource() {
        for (const auto& [players, ok] :
             {std::pair{1, false}, {2, true}}) { // the bounds are the domain rule's test
            form->hide();
            fillGame(players);
            show();
            QCOMPARE(count(), QString::number(players));
            QCOMPARE(button("btnOk")->isEnabled(), ok);
            QCOMPARE(source()->topLevelItemCount(), 0); // every showing starts empty
            filter("Besondere Spieler");
        }
    }

    // "Persönliche Spieler" lists Anna, Bob, Fehlt and Importiert, from both stores.
    void addingCopiesFromTheProgramFoldersStoresWithFreeNamesAndWarnsOfMissingPlayers() {
        show();
        filter(QString::fromUtf8("Persönliche Spieler"));
        clickItem(source(), findNode(source(), "Anna.ply"));
        button("btnAddOne")->click();
        clickItem(source(), findNode(source(), "Anna.ply"), true);
        QCOMPARE(gameFiles(), QStringList({"Anna.ply", "Anna_1.ply"}));
        QCOMPARE(count(), QString("2"));

        const auto warning = acceptNextMessage();
        button("btnAddAll")->click();
        QCOMPARE(*warning,
                 "Warnung !!!\nDer Spieler: Fehlt.ply\nwurde nicht im Spielerstamm gefunden.");
        QCOMPARE(gameFiles(), QStringList({"Anna.ply", "Anna_1.ply", "Anna_2.ply", "Bob.ply",
                                           "Importiert.ply"}));
        QCOMPARE(root->read("Wendrak/Aktuelles Spiel/Anna_1.ply"), QByteArray(2400, 0));
        QVERIFY(QDir(root->elsewhere.path() + "/Aktuelles Spiel").isEmpty());
        QCOMPARE(form->Quellordner, root->programFolder() + "SpielerStamm/");
    }

    void removingDeletesPlayerFilesOnlyAlsoReadOnlyOnes() {
        fillGame(3);
        QFile::setPermissions(game() + "P1.ply", QFile::ReadOwner | QFile::ReadUser);
        show();
        auto* list = child<QTreeWidget>(form.get(), "lstPlayer");
        clickItem(list, findNode(list, "P1.ply"), true);
        QCOMPARE(gameFiles(), QStringList({"notiz.txt", "P0.ply", "P2.ply"}));

        QFile::setPermissions(game() + "P2.ply", QFile::ReadOwner | QFile::ReadUser);
        button("btnDeleteAll")->click();
        QCOMPARE(gameFiles(), QStringList({"notiz.txt"}));
        QCOMPARE(count(), QString("0"));
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
            auto* groups = c->findChild<QTreeWidget*>("trvMain");
            clickItem(groups, findNode(groups, "Klasse 7"));
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
};

QTEST_MAIN(CreateGameTest)
#include "creategame_test.moc"
