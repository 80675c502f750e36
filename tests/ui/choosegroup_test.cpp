// The group chooser driven through its widgets: the tree of the program folder's group
// roots (a missing one too), the Ok rule, what each showing resets, and "Aktualisieren".
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
    QPushButton* button(const char* name) const { return dialog->findChild<QPushButton*>(name); }
    QString groupFile(const QString& f) const { return root->programFolder() + f + "/group.sgp"; }
    void click(const QString& text) { shelltest::clickItem(tree(), findNode(tree(), text)); }
    void show() {
        dialog->show();
        QVERIFY(QTest::qWaitForWindowExposed(dialog.get()));
    }
    void group(const QString& f) { root->write("Wendrak/" + f + "/group.sgp", "Anna.ply\r\n"); }

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

    void treeShowsTheFoldersOfTheProgramFolderAndOkNeedsAGroupFile() {
        show();
        QCOMPARE(dialog->windowTitle(), QString::fromUtf8("Gruppe wählen"));
        QCOMPARE(childTexts(tree()->invisibleRootItem()),
                 QStringList({"Standardexperimente", "Eigene Gruppen", "ImportierteGruppen"}));
        QCOMPARE(childTexts(findNode(tree(), "Versuch A")), QStringList({"Gruppe 1", "Texte"}));
        QCOMPARE(childTexts(tree()->topLevelItem(1)), QStringList({"Klasse 7"}));
        QVERIFY(findNode(tree(), "Fremdgruppe") == nullptr);
        // Ok follows whether the chosen folder holds a group file, also when moved by keys.
        QVERIFY(!button("btnOk")->isEnabled());
        click("Gruppe 1");
        QVERIFY(button("btnOk")->isEnabled());
        QCOMPARE(dialog->GruppenDatei, groupFile("Standardexperimente/Versuch A/Gruppe 1"));
        QTest::keyClick(tree(), Qt::Key_Up);
        QCOMPARE(tree()->currentItem()->text(0), QString("Versuch A"));
        QVERIFY(!button("btnOk")->isEnabled() && dialog->GruppenDatei.isEmpty());
    }

    void okAndCancelGiveTheirModalResults() {
        QTimer::singleShot(0, [this] {
            click("Klasse 7");
            button("btnOk")->click();
        });
        QCOMPARE(dialog->exec(), 1);
        QCOMPARE(dialog->GruppenDatei, groupFile("Eigene Gruppen/Klasse 7"));
        QTimer::singleShot(0, [this] { button("btnCancel")->click(); });
        QCOMPARE(dialog->exec(), 2);
    }

    void newGroupsAppearOnlyAfterRefreshAndEachShowingResetsTheChoice() {
        show();
        click("Klasse 7");
        dialog->hide();
        group("Eigene Gruppen/Neu/Tief/Tiefer");
        show();
        QVERIFY(!button("btnOk")->isEnabled() && dialog->GruppenDatei.isEmpty());
        QVERIFY(!findNode(tree(), "Neu"));
        click("Klasse 7");
        button("btnRefresh")->click();
        QCOMPARE(dialog->GruppenDatei, groupFile("Eigene Gruppen/Klasse 7"));
        click("Tiefer");
        QCOMPARE(dialog->GruppenDatei, groupFile("Eigene Gruppen/Neu/Tief/Tiefer"));
    }
};

QTEST_MAIN(ChooseGroupTest)
#include "choosegroup_test.moc"
