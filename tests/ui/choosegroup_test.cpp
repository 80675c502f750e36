// The group chooser driven through its widgets: the tree of the three group roots of the
// program folder, when Ok is possible, what each showing resets, and "Aktualisieren".
#include "players/ui/ufrmChooseGroup.h"

#include "GroupTestSupport.h"
#include "ShellTestSupport.h"

#include <QPushButton>

using shelltest::childTexts;
using shelltest::findNode;

class ChooseGroupTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<ForeignPathRoot> root;
    std::unique_ptr<TfrmChooseGroup> dialog;

    QTreeWidget* tree() const { return dialog->findChild<QTreeWidget*>("trvMain"); }
    bool okEnabled() const { return dialog->findChild<QPushButton*>("btnOk")->isEnabled(); }
    QString groupFile(const QString& folder) const {
        return root->programFolder() + folder + "/group.sgp";
    }
    void click(const QString& text) {
        QTreeWidgetItem* item = findNode(tree(), text);
        QVERIFY2(item != nullptr, qPrintable(text));
        shelltest::clickItem(tree(), item);
    }
    void show() {
        dialog->show();
        QVERIFY(QTest::qWaitForWindowExposed(dialog.get()));
    }
    void group(const QString& folder) {
        root->write("Wendrak/" + folder + "/group.sgp", "Anna.ply\r\n");
    }

private slots:
    void init() {
        dialog.reset();
        root = std::make_unique<ForeignPathRoot>();
        group("Standardexperimente/Versuch A/Gruppe 1");
        QDir().mkpath(root->programFolder() + "Standardexperimente/Versuch A/Texte");
        group("Eigene Gruppen/Klasse 7");
        QDir().mkpath(root->programFolder() + "Eigene Gruppen/.versteckt");
        root->write("Wendrak/Eigene Gruppen/notiz.txt", "x");
        QDir(root->programFolder() + "ImportierteGruppen").removeRecursively();
        dialog = std::make_unique<TfrmChooseGroup>();
    }

    void treeShowsTheFoldersOfTheThreeRootsOfTheProgramFolder() {
        show();
        QCOMPARE(dialog->windowTitle(), QString::fromUtf8("Gruppe wählen"));
        QCOMPARE(childTexts(tree()->invisibleRootItem()),
                 QStringList({"Standardexperimente", "Eigene Gruppen", "ImportierteGruppen"}));
        QCOMPARE(childTexts(tree()->topLevelItem(0)), QStringList({"Versuch A"}));
        QCOMPARE(childTexts(findNode(tree(), "Versuch A")), QStringList({"Gruppe 1", "Texte"}));
        QCOMPARE(childTexts(tree()->topLevelItem(1)), QStringList({"Klasse 7"}));
        QCOMPARE(tree()->topLevelItem(2)->childCount(), 0);
        QVERIFY(findNode(tree(), "Fremdgruppe") == nullptr);
    }

    void okFollowsWhetherTheChosenFolderHoldsAGroupFileAlsoByKeys() {
        show();
        QVERIFY(!okEnabled());
        click("Gruppe 1");
        QVERIFY(okEnabled());
        QCOMPARE(dialog->GruppenDatei, groupFile("Standardexperimente/Versuch A/Gruppe 1"));
        click("Versuch A");
        QVERIFY(!okEnabled());
        QVERIFY(dialog->GruppenDatei.isEmpty());

        click("Klasse 7");
        QVERIFY(okEnabled());
        QTest::keyClick(tree(), Qt::Key_Up);
        QCOMPARE(tree()->currentItem()->text(0), QString("Eigene Gruppen"));
        QVERIFY(!okEnabled());
        QVERIFY(dialog->GruppenDatei.isEmpty());

        group("Eigene Gruppen");
        click("Klasse 7");
        click("Eigene Gruppen");
        QVERIFY(okEnabled());
        QCOMPARE(dialog->GruppenDatei, groupFile("Eigene Gruppen"));
    }

    void okAndCancelGiveTheirModalResults() {
        QTimer::singleShot(0, [this] {
            click("Klasse 7");
            dialog->findChild<QPushButton*>("btnOk")->click();
        });
        QCOMPARE(dialog->exec(), 1);
        QCOMPARE(dialog->GruppenDatei, groupFile("Eigene Gruppen/Klasse 7"));
        QTimer::singleShot(0, [this] { dialog->findChild<QPushButton*>("btnCancel")->click(); });
        QCOMPARE(dialog->exec(), 2);
        QTimer::singleShot(0, [this] { QTest::keyClick(dialog.get(), Qt::Key_Escape); });
        QCOMPARE(dialog->exec(), 2);
    }

    void newGroupsAppearOnlyAfterRefreshAndEachShowingResetsTheChoice() {
        show();
        click("Klasse 7");
        dialog->hide();
        group("Eigene Gruppen/Neu/Tief/Tiefer");
        show();
        QVERIFY(!okEnabled());
        QVERIFY(dialog->GruppenDatei.isEmpty());
        QVERIFY(findNode(tree(), "Neu") == nullptr);

        click("Klasse 7");
        dialog->findChild<QPushButton*>("btnRefresh")->click();
        QVERIFY(okEnabled());
        QCOMPARE(dialog->GruppenDatei, groupFile("Eigene Gruppen/Klasse 7"));
        click("Tiefer");
        QCOMPARE(dialog->GruppenDatei, groupFile("Eigene Gruppen/Neu/Tief/Tiefer"));
    }
};

QTEST_MAIN(ChooseGroupTest)
#include "choosegroup_test.moc"
