// The standard-experiments menu driven through its widgets on a temporary root: the tree
// of texts, groups and sub-folders, the node pictures, what "&Öffnen" opens or loads, and
// what "&Zurück" leaves behind.
#include "shell/ui/uFrmExperimenteMenu.h"

#include "ShellTestSupport.h"
#include "TempRoot.h"

#include <QLabel>
#include <QToolButton>
#include <QTreeWidget>
#include <QtTest>

using namespace shelltest;

class ExperimentsTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<TempRoot> m_root;
    std::shared_ptr<RecordingDesktop::Log> m_desktop;

    QString experiments() const { return m_root->programFolder() + "Standardexperimente/"; }

    // Versuch/ holds two texts (one without HTML version), a lone HTML page, the group file
    // and a sub-folder with one text; a hidden folder is ignored.
    void buildExperiments() {
        m_root->write("Wendrak/Standardexperimente/Versuch/Alpha.rtf", "{\\rtf1 a}");
        m_root->write("Wendrak/Standardexperimente/Versuch/Alpha.html", "<p>a</p>");
        m_root->write("Wendrak/Standardexperimente/Versuch/Beta.rtf", "{\\rtf1 b}");
        m_root->write("Wendrak/Standardexperimente/Versuch/Delta.html", "<p>d</p>");
        m_root->write("Wendrak/Standardexperimente/Versuch/group.sgp", "ANNA.PLY\r\nBRUNO.PLY\r\n");
        m_root->write("Wendrak/Standardexperimente/Versuch/Unter/Gamma.rtf", "{\\rtf1 g}");
        m_root->write("Wendrak/Standardexperimente/Versuch/Unter/Gamma.html", "<p>g</p>");
        m_root->write("Wendrak/Standardexperimente/.versteckt/Geheim.rtf", "{\\rtf1 x}");
        copyPlayers(*m_root, {"ANNA.PLY", "BRUNO.PLY"});
    }

    QTreeWidgetItem* node(TfrmExperimenteMenu& menu, const QString& text) {
        return findNode(menu.trvMain(), text);
    }

private slots:
    void init() {
        m_root = std::make_unique<TempRoot>();
        m_desktop = RecordingDesktop::install();
    }
    void cleanup() {
        platform::Desktop::setInstance(nullptr);
        m_root.reset();
    }

    void treeListsTextsGroupThenSubFoldersWithTheirPictures() {
        buildExperiments();
        TfrmExperimenteMenu menu;
        menu.FillTree();
        QTreeWidget* tree = menu.trvMain();
        QCOMPARE(tree->topLevelItemCount(), 1);
        QTreeWidgetItem* top = tree->topLevelItem(0);
        QCOMPARE(top->text(0), QString("Standardexperimente"));
        QVERIFY(top->isExpanded());
        QCOMPARE(childTexts(top), QStringList{"Versuch"});

        QTreeWidgetItem* versuch = node(menu, "Versuch");
        QCOMPARE(childTexts(versuch),
                 (QStringList{"Alpha", "Beta", "Selbst Experimentieren", "Unter"}));
        QCOMPARE(childTexts(node(menu, "Unter")), QStringList{"Gamma"});

        const struct {
            const char* text;
            int image;
            int selected;
        } pictures[] = {{"Versuch", 1, 0},
                        {"Alpha", 2, 2},
                        {"Beta", 4, 4},
                        {"Selbst Experimentieren", 3, 3},
                        {"Gamma", 2, 2}};
        for (const auto& p : pictures) {
            QTreeWidgetItem* n = node(menu, p.text);
            QVERIFY2(n != nullptr, p.text);
            QCOMPARE(n->data(0, TfrmExperimenteMenu::ImageIndexRole).toInt(), p.image);
            QCOMPARE(n->data(0, TfrmExperimenteMenu::SelectedIndexRole).toInt(), p.selected);
            QVERIFY(!n->icon(0).isNull());
        }
        QVERIFY(node(menu, "Delta") == nullptr);
        QVERIFY(node(menu, "Geheim") == nullptr);
        QVERIFY(node(menu, ".versteckt") == nullptr);
    }

    void treeIsRebuiltAboutASecondAfterEachShowing() {
        buildExperiments();
        TfrmExperimenteMenu menu;
        menu.open();
        QCOMPARE(menu.trvMain()->topLevelItemCount(), 0);
        QTRY_COMPARE_WITH_TIMEOUT(menu.trvMain()->topLevelItemCount(), 1, 3000);
        QVERIFY(!menu.TimerDummy()->isActive());
        menu.done(2);

        m_root->write("Wendrak/Standardexperimente/Neu/Text.rtf", "{\\rtf1 n}");
        menu.open();
        QTRY_VERIFY_WITH_TIMEOUT(node(menu, "Neu") != nullptr, 3000);
        menu.done(2);
    }

    void missingFolderShowsOnlyTheTopNodeAndOpenDoesNothing() {
        QDir(experiments()).removeRecursively();
        TfrmExperimenteMenu menu;
        menu.FillTree();
        QCOMPARE(menu.trvMain()->topLevelItemCount(), 1);
        QCOMPARE(menu.trvMain()->topLevelItem(0)->childCount(), 0);
        menu.btnOk()->click();
        QVERIFY(m_desktop->opened.isEmpty());
        QCOMPARE(menu.result(), 0);
    }

    void clickingANodeChoosesItsFileOrNothing() {
        buildExperiments();
        TfrmExperimenteMenu menu;
        menu.show();
        menu.FillTree();
        QTreeWidget* tree = menu.trvMain();
        node(menu, "Versuch")->setExpanded(true);
        node(menu, "Unter")->setExpanded(true);

        clickItem(tree, node(menu, "Alpha"));
        QCOMPARE(menu.AuswahlDatei, experiments() + "Versuch/Alpha.html");
        QVERIFY(menu.btnOk()->isEnabled());

        clickItem(tree, node(menu, "Versuch"));
        QVERIFY(menu.AuswahlDatei.isEmpty());
        QVERIFY(!menu.btnOk()->isEnabled());

        clickItem(tree, node(menu, "Beta"));
        QCOMPARE(menu.AuswahlDatei, experiments() + "Versuch/Beta.rtf");

        clickItem(tree, node(menu, "Selbst Experimentieren"));
        QCOMPARE(menu.AuswahlDatei, experiments() + "Versuch/group.sgp");
        QVERIFY(menu.btnOk()->isEnabled());

        clickItem(tree, node(menu, "Gamma"));
        QCOMPARE(menu.AuswahlDatei, experiments() + "Versuch/Unter/Gamma.html");

        clickItem(tree, tree->topLevelItem(0));
        QVERIFY(!menu.btnOk()->isEnabled());
        menu.hide();
    }

    void openingATextPrefersItsRtfAndKeepsTheMenuOpen() {
        buildExperiments();
        TfrmExperimenteMenu menu;
        menu.show();
        menu.FillTree();
        QTreeWidget* tree = menu.trvMain();
        node(menu, "Versuch")->setExpanded(true);

        clickItem(tree, node(menu, "Alpha"));
        menu.btnOk()->click();
        QCOMPARE(m_desktop->opened, QStringList{experiments() + "Versuch/Alpha.rtf"});

        // Once the ".rtf" has gone, the same choice opens the ".html" version.
        QFile::remove(experiments() + "Versuch/Alpha.rtf");
        menu.btnOk()->click();
        QCOMPARE(m_desktop->opened.last(), experiments() + "Versuch/Alpha.html");

        // A double-click on a text acts like the button; on a folder it opens nothing.
        doubleClickItem(tree, node(menu, "Beta"));
        QCOMPARE(m_desktop->opened.last(), experiments() + "Versuch/Beta.rtf");
        const qsizetype before = m_desktop->opened.size();
        doubleClickItem(tree, node(menu, "Versuch"));
        QCOMPARE(m_desktop->opened.size(), before);
        QVERIFY(menu.isVisible());
        menu.hide();
    }

    void choosingTheGroupLoadsItIntoTheCurrentGameAndClosesWithFive() {
        buildExperiments();
        m_root->write("Wendrak/Aktuelles Spiel/ALT.PLY", QByteArray(2400, '\0'));
        TfrmExperimenteMenu menu;
        answerModal([&](QWidget* modal) {
            if (modal != &menu || node(menu, "Selbst Experimentieren") == nullptr)
                return false;
            node(menu, "Versuch")->setExpanded(true);
            clickItem(menu.trvMain(), node(menu, "Selbst Experimentieren"));
            menu.btnOk()->click();
            return true;
        });
        QCOMPARE(menu.exec(), TfrmExperimenteMenu::ResultGroup);
        QCOMPARE(menu.lblCurrentPath()->text(), experiments() + "Versuch/");
        QCOMPARE(filesIn(m_root->programFolder() + "Aktuelles Spiel"),
                 (QStringList{"ANNA.PLY", "BRUNO.PLY"}));
    }

    void backRunsNothingAndLeavesTheCurrentGameAlone() {
        buildExperiments();
        m_root->write("Wendrak/Aktuelles Spiel/ALT.PLY", QByteArray(2400, '\0'));
        TfrmExperimenteMenu menu;
        answerModal([&](QWidget* modal) {
            if (modal != &menu || node(menu, "Selbst Experimentieren") == nullptr)
                return false;
            node(menu, "Versuch")->setExpanded(true);
            clickItem(menu.trvMain(), node(menu, "Selbst Experimentieren"));
            menu.mbtnBack()->click();
            return true;
        });
        QCOMPARE(menu.exec(), TfrmExperimenteMenu::ResultBack);
        QCOMPARE(filesIn(m_root->programFolder() + "Aktuelles Spiel"), QStringList{"ALT.PLY"});
    }

    void aFolderLinkBackToAnAncestorDoesNotMakeTheTreeEndless() {
        buildExperiments();
        QVERIFY(QFile::link(experiments() + "Versuch", experiments() + "Versuch/Unter/Zurueck"));
        TfrmExperimenteMenu menu;
        menu.FillTree();
        QTreeWidgetItem* back = node(menu, "Zurueck");
        QVERIFY(back != nullptr);
        QCOMPARE(back->childCount(), 0);
    }

    void shippedExperimentsEachOfferTextsAndAGroupOfStoredPlayers() {
        copySourceFolder(*m_root, "Wendrak/Standardexperimente/", "Wendrak/Standardexperimente/");
        TfrmExperimenteMenu menu;
        menu.FillTree();
        const auto groups = menu.trvMain()->findItems("Selbst Experimentieren",
                                                      Qt::MatchExactly | Qt::MatchRecursive);
        QVERIFY(groups.size() >= 3);
        QStringList store = filesIn(TempRoot::sourceData() + "Wendrak/SpielerStamm");
        bool sawLargeGroup = false;
        for (QTreeWidgetItem* g : groups) {
            QTreeWidgetItem* folder = g->parent();
            bool hasText = false;
            for (int i = 0; i < folder->childCount(); ++i)
                hasText |= folder->child(i)->data(0, TfrmExperimenteMenu::ImageIndexRole) == 2;
            QVERIFY2(hasText, qPrintable(folder->text(0)));

            const QString path =
                m_root->programFolder() + TfrmExperimenteMenu::GetNodePath(folder) + "/";
            const QStringList members = TGroup().ReadGroupFile(path);
            QVERIFY(members.size() >= 2);
            QCOMPARE(QSet<QString>(members.begin(), members.end()).size(), members.size());
            for (const QString& m : members)
                QVERIFY2(store.contains(m), qPrintable(m));
            const QByteArray raw =
                m_root->read("Wendrak/" + TfrmExperimenteMenu::GetNodePath(folder) + "/group.sgp");
            QCOMPARE(raw.count("\r\n"), members.size());
            sawLargeGroup |= members.size() == 125;
        }
        QVERIFY(sawLargeGroup);
    }
};

QTEST_MAIN(ExperimentsTest)
#include "experiments_test.moc"
