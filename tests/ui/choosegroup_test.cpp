// The group chooser driven through its widgets: the tree of the program folder's group
// roots (a missing one too), the Ok rule, what each showing resets, and "Aktualisieren".
#include "players/ui/ufrmChooseGroup.h"

#include "GroupTestSupport.h"
#include "ShellTestSupport.h"

using namespace shelltest;

class ChooseGroupTest : public QObject {
    Q_OBJECT

private slots:
    void treeShowsTheProgramFoldersGroupsOkNeedsAGroupFileAndRefreshFindsNewOnes() {
        ForeignPathRoot root;
        const auto group = [&](const QString& f) {
            return root.write("Wendrak/" + f + "/group.sgp", "Anna.ply\r\n");
        };
        const QString gruppe1 = group("Standardexperimente/Versuch A/Gruppe 1");
        QDir().mkpath(root.programFolder() + "Standardexperimente/Versuch A/Texte");
        const QString klasse7 = group("Eigene Gruppen/Klasse 7");
        root.write("Wendrak/Eigene Gruppen/notiz.txt", "x");
        QDir(root.programFolder() + "ImportierteGruppen").removeRecursively();

        TfrmChooseGroup dialog;
        auto* tree = dialog.findChild<QTreeWidget*>("trvMain");
        QPushButton* ok = dialog.findChild<QPushButton*>("btnOk");
        const auto click = [&](const QString& text) { clickItem(tree, findNode(tree, text)); };
        QVERIFY(showExposed(&dialog));
        QCOMPARE(childTexts(tree->invisibleRootItem()),
                 QStringList({"Standardexperimente", "Eigene Gruppen", "ImportierteGruppen"}));
        QCOMPARE(childTexts(findNode(tree, "Versuch A")), QStringList({"Gruppe 1", "Texte"}));
        QCOMPARE(childTexts(tree->topLevelItem(1)), QStringList({"Klasse 7"}));
        QVERIFY(findNode(tree, "Fremdgruppe") == nullptr);
        // Ok follows whether the chosen folder holds a group file, also when moved by keys.
        QVERIFY(!ok->isEnabled());
        click("Gruppe 1");
        QVERIFY(ok->isEnabled());
        QCOMPARE(dialog.GruppenDatei, gruppe1);
        QTest::keyClick(tree, Qt::Key_Up);
        QCOMPARE(tree->currentItem()->text(0), QString("Versuch A"));
        QVERIFY(!ok->isEnabled() && dialog.GruppenDatei.isEmpty());

        // Each showing resets the choice; new groups appear only on "Aktualisieren".
        click("Klasse 7");
        dialog.hide();
        const QString tiefer = group("Eigene Gruppen/Neu/Tief/Tiefer");
        QVERIFY(showExposed(&dialog));
        QVERIFY(!ok->isEnabled() && dialog.GruppenDatei.isEmpty());
        QVERIFY(!findNode(tree, "Neu"));
        click("Klasse 7");
        dialog.findChild<QPushButton*>("btnRefresh")->click();
        QCOMPARE(dialog.GruppenDatei, klasse7);
        click("Tiefer");
        QCOMPARE(dialog.GruppenDatei, tiefer);
    }
};

QTEST_MAIN(ChooseGroupTest)
#include "choosegroup_test.moc"
