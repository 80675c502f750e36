// The group chooser driven through its widgets: the tree of the three group roots of the
// program folder, when Ok is possible, what each showing resets, and "Aktualisieren".
#include "players/ui/ufrmChooseGroup.h"

#include "TempRoot.h"

#include <QDir>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>
#include <QtTest>
#include <memory>

namespace {

QStringList childTexts(const QTreeWidgetItem* node) {
    QStringList out;
    for (int i = 0; i < node->childCount(); ++i)
        out.append(node->child(i)->text(0));
    return out;
}

QTreeWidgetItem* findNode(QTreeWidget* tree, const QString& text) {
    const auto found = tree->findItems(text, Qt::MatchExactly | Qt::MatchRecursive);
    return found.isEmpty() ? nullptr : found.first();
}

} // namespace

class ChooseGroupTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<TempRoot> root;
    std::unique_ptr<QTemporaryDir> elsewhere;
    std::unique_ptr<TfrmChooseGroup> dialog;

    QTreeWidget* tree() const { return dialog->findChild<QTreeWidget*>("trvMain"); }
    QPushButton* button(const char* name) const {
        return dialog->findChild<QPushButton*>(QString::fromLatin1(name));
    }
    void click(const QString& text) {
        QTreeWidgetItem* item = findNode(tree(), text);
        QVERIFY2(item != nullptr, qPrintable(text));
        tree()->scrollToItem(item);
        QTest::mouseClick(tree()->viewport(), Qt::LeftButton, Qt::NoModifier,
                          tree()->visualItemRect(item).center());
    }
    void show() {
        dialog->show();
        QVERIFY(QTest::qWaitForWindowExposed(dialog.get()));
    }
    void group(const QString& relative) {
        root->write("Wendrak/" + relative + "/group.sgp", "Anna.ply\r\n");
    }

private slots:
    void init() {
        root = std::make_unique<TempRoot>();
        elsewhere = std::make_unique<QTemporaryDir>();
        QDir().mkpath(elsewhere->path() + "/Eigene Gruppen/Fremdgruppe");
        root->write("Kemra.ini", ("[Path]\r\nWendrakPath=" + elsewhere->path() + "/\r\n").toUtf8());
        group("Standardexperimente/Versuch A/Gruppe 1");
        QDir().mkpath(root->programFolder() + "Standardexperimente/Versuch A/Texte");
        group("Eigene Gruppen/Klasse 7");
        QDir().mkpath(root->programFolder() + "Eigene Gruppen/.versteckt");
        root->write("Wendrak/Eigene Gruppen/notiz.txt", "x");
        QDir(root->programFolder() + "ImportierteGruppen").removeRecursively();
        dialog = std::make_unique<TfrmChooseGroup>();
    }

    void cleanup() {
        dialog.reset();
        elsewhere.reset();
        root.reset();
    }

    void treeShowsTheFoldersOfTheThreeRootsOfTheProgramFolder() {
        show();
        QCOMPARE(dialog->windowTitle(), QString::fromUtf8("Gruppe wählen"));
        QCOMPARE(tree()->topLevelItemCount(), 3);
        QCOMPARE(tree()->topLevelItem(0)->text(0), QString("Standardexperimente"));
        QCOMPARE(tree()->topLevelItem(1)->text(0), QString("Eigene Gruppen"));
        QCOMPARE(tree()->topLevelItem(2)->text(0), QString("ImportierteGruppen"));
        QCOMPARE(childTexts(tree()->topLevelItem(0)), QStringList({"Versuch A"}));
        QCOMPARE(childTexts(findNode(tree(), "Versuch A")), QStringList({"Gruppe 1", "Texte"}));
        QCOMPARE(childTexts(tree()->topLevelItem(1)), QStringList({"Klasse 7"}));
        QCOMPARE(tree()->topLevelItem(2)->childCount(), 0);
        QVERIFY(findNode(tree(), "Fremdgruppe") == nullptr);
    }

    void okFollowsWhetherTheClickedFolderHoldsAGroupFile() {
        show();
        QVERIFY(!button("btnOk")->isEnabled());
        click("Gruppe 1");
        QVERIFY(button("btnOk")->isEnabled());
        QCOMPARE(dialog->GruppenDatei,
                 root->programFolder() + "Standardexperimente/Versuch A/Gruppe 1/group.sgp");
        click("Versuch A");
        QVERIFY(!button("btnOk")->isEnabled());
        QVERIFY(dialog->GruppenDatei.isEmpty());
        click("Eigene Gruppen");
        QVERIFY(!button("btnOk")->isEnabled());

        root->write("Wendrak/Eigene Gruppen/group.sgp", "Anna.ply\r\n");
        click("Klasse 7");
        click("Eigene Gruppen");
        QVERIFY(button("btnOk")->isEnabled());
        QCOMPARE(dialog->GruppenDatei, root->programFolder() + "Eigene Gruppen/group.sgp");
    }

    void okAndCancelGiveTheirModalResults() {
        QTimer::singleShot(0, [this] {
            click("Klasse 7");
            button("btnOk")->click();
        });
        QCOMPARE(dialog->exec(), 1);
        QCOMPARE(dialog->GruppenDatei, root->programFolder() + "Eigene Gruppen/Klasse 7/group.sgp");
        QTimer::singleShot(0, [this] { button("btnCancel")->click(); });
        QCOMPARE(dialog->exec(), 2);
        QTimer::singleShot(0, [this] { QTest::keyClick(dialog.get(), Qt::Key_Escape); });
        QCOMPARE(dialog->exec(), 2);
    }

    void newGroupsAppearOnlyAfterRefreshAndEachShowingResetsTheChoice() {
        show();
        click("Klasse 7");
        QVERIFY(button("btnOk")->isEnabled());
        dialog->hide();

        group("Eigene Gruppen/Neu/Tief/Tiefer");
        show();
        QVERIFY(!button("btnOk")->isEnabled());
        QVERIFY(dialog->GruppenDatei.isEmpty());
        QVERIFY(findNode(tree(), "Neu") == nullptr);

        click("Klasse 7");
        button("btnRefresh")->click();
        QVERIFY(findNode(tree(), "Tiefer") != nullptr);
        QVERIFY(button("btnOk")->isEnabled());
        QCOMPARE(dialog->GruppenDatei, root->programFolder() + "Eigene Gruppen/Klasse 7/group.sgp");
        click("Tiefer");
        QCOMPARE(dialog->GruppenDatei,
                 root->programFolder() + "Eigene Gruppen/Neu/Tief/Tiefer/group.sgp");
    }

    void movingWithTheKeysChoosesLikeAClick() {
        show();
        click("Klasse 7");
        QVERIFY(button("btnOk")->isEnabled());
        QTest::keyClick(tree(), Qt::Key_Up);
        QCOMPARE(tree()->currentItem()->text(0), QString("Eigene Gruppen"));
        QVERIFY(!button("btnOk")->isEnabled());
        QVERIFY(dialog->GruppenDatei.isEmpty());
    }
};

QTEST_MAIN(ChooseGroupTest)
#include "choosegroup_test.moc"
