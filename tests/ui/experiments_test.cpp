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

    static QTreeWidgetItem* node(TfrmExperimenteMenu& menu, const QString& text) {
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
        QCOMPARE(menu.trvMain()->topLevelItemCount(), 1);
        QTreeWidgetItem* top = menu.trvMain()->topLevelItem(0);
        QCOMPARE(top->text(0), QString("Standardexperimente"));
        QVERIFY(top->isExpanded());
        QCOMPARE(childTexts(top), QStringList{"Versuch"});
        QCOMPARE(childTexts(node(menu, "Versuch")),
                 (QStringList{"Alpha", "Beta", "Selbst Experimentieren", "Unter"}));
        QCOMPARE(childTexts(node(menu, "Unter")), QStringList{"Gamma"});

        // Picture and selected picture of each kind of node.
        const struct {
            const char* text;
            int image, selected;
        } pictures[] = {
            {"Versuch", 1, 0}, {"Alpha", 2, 2}, {"Beta", 4, 4}, {"Selbst Experimentieren", 3, 3}};
        for (const auto& p : pictures) {
            QTreeWidgetItem* n = node(menu, p.text);
            QVERIFY2(n != nullptr && !n->icon(0).isNull(), p.text);
            QCOMPARE(n->data(0, TfrmExperimenteMenu::ImageIndexRole).toInt(), p.image);
            QCOMPARE(n->data(0, TfrmExperimenteMenu::SelectedIndexRole).toInt(), p.selected);
        }
        for (const char* absent : {"Delta", "Geheim", ".versteckt"})
            QVERIFY2(node(menu, absent) == nullptr, absent);
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
        QVERIFY(childTexts(menu.trvMain()->topLevelItem(0)).isEmpty());
        menu.btnOk()->click();
        QVERIFY(m_desktop->opened.isEmpty());
        QCOMPARE(menu.result(), 0);
    }

    void clickingANodeChoosesItsFileAndOpeningATextPrefersItsRtf() {
        buildExperiments();
        TfrmExperimenteMenu menu;
        menu.show();
        menu.FillTree();
        QTreeWidget* tree = menu.trvMain();
        tree->expandAll();
        // Texts choose their HTML version where there is one; folders choose nothing.
        const char* rows[][2] = {{"Alpha", "Versuch/Alpha.html"},
                                 {"Versuch", ""},
                                 {"Beta", "Versuch/Beta.rtf"},
                                 {"Selbst Experimentieren", "Versuch/group.sgp"},
                                 {"Gamma", "Versuch/Unter/Gamma.html"},
                                 {"Standardexperimente", ""}};
        for (const auto& [text, file] : rows) {
            clickItem(tree, node(menu, text));
            QCOMPARE(menu.AuswahlDatei, *file ? experiments() + file : QString());
            QCOMPARE(menu.btnOk()->isEnabled(), *file != 0);
        }

        // "&Öffnen" prefers a text's ".rtf" and keeps the menu open.
        clickItem(tree, node(menu, "Alpha"));
        menu.btnOk()->click();
        QCOMPARE(m_desktop->opened, QStringList{experiments() + "Versuch/Alpha.rtf"});

        // Once the ".rtf" has gone, the same choice opens the ".html" version.
        QFile::remove(experiments() + "Versuch/Alpha.rtf");
        menu.btnOk()->click();
        QCOMPARE(m_desktop->opened.last(), experiments() + "Versuch/Alpha.html");

        // A double-click on a text acts like the button; on a folder it opens nothing.
        doubleClickItem(tree, node(menu, "Beta"));
        doubleClickItem(tree, node(menu, "Versuch"));
        QCOMPARE(m_desktop->opened.mid(2), QStringList{experiments() + "Versuch/Beta.rtf"});
        QVERIFY(menu.isVisible());
    }

    // "&Öffnen" on the group loads it into the current game and closes with its own result;
    // "&Zurück" runs nothing and leaves the current game alone.
    void onlyOpeningTheGroupLoadsItIntoTheCurrentGame() {
        buildExperiments();
        m_root->write("Wendrak/Aktuelles Spiel/ALT.PLY", QByteArray(2400, '\0'));
        for (const bool open : {false, true}) {
            TfrmExperimenteMenu menu;
            answerModal([&](QWidget* modal) {
                if (modal != &menu || !clickGroupOf(menu.trvMain(), "Versuch"))
                    return false;
                (open ? menu.btnOk() : menu.mbtnBack())->click();
                return true;
            });
            QCOMPARE(menu.exec(),
                     open ? TfrmExperimenteMenu::ResultGroup : TfrmExperimenteMenu::ResultBack);
            QCOMPARE(filesIn(m_root->programFolder() + "Aktuelles Spiel"),
                     (open ? QStringList{"ANNA.PLY", "BRUNO.PLY"} : QStringList{"ALT.PLY"}));
            if (open)
                QCOMPARE(menu.lblCurrentPath()->text(), experiments() + "Versuch/");
        }
    }

    void aFolderLinkBackToAnAncestorDoesNotMakeTheTreeEndless() {
        buildExperiments();
        QVERIFY(QFile::link(experiments() + "Versuch", experiments() + "Versuch/Unter/Zurueck"));
        TfrmExperimenteMenu menu;
        menu.FillTree();
        QTreeWidgetItem* back = node(menu, "Zurueck");
        QVERIFY(back != nullptr && back->childCount() == 0);
    }

    void shippedExperimentsEachOfferTextsAndAGroupOfStoredPlayers() {
        copySourceFolder(*m_root, "Wendrak/Standardexperimente/", "Wendrak/Standardexperimente/");
        TfrmExperimenteMenu menu;
        menu.FillTree();
        const auto groups = menu.trvMain()->findItems("Selbst Experimentieren",
                                                      Qt::MatchExactly | Qt::MatchRecursive);
        QVERIFY(groups.size() >= 3);
        const QStringList store = filesIn(TempRoot::sourceData() + "Wendrak/SpielerStamm");
        bool sawLargeGroup = false;
        for (QTreeWidgetItem* g : groups) {
            QTreeWidgetItem* folder = g->parent();
            bool hasText = false;
            for (int i = 0; i < folder->childCount(); ++i)
                hasText |= folder->child(i)->data(0, TfrmExperimenteMenu::ImageIndexRole) == 2;
            QVERIFY2(hasText, qPrintable(folder->text(0)));

            const QString path = TfrmExperimenteMenu::GetNodePath(folder) + "/";
            const QStringList members = TGroup().ReadGroupFile(m_root->programFolder() + path);
            QVERIFY(members.size() >= 2);
            QCOMPARE(QSet<QString>(members.begin(), members.end()).size(), members.size());
            for (const QString& m : members)
                QVERIFY2(store.contains(m), qPrintable(m));
            QCOMPARE(m_root->read("Wendrak/" + path + "group.sgp").count("\r\n"), members.size());
            sawLargeGroup |= members.size() == 125;
        }
        QVERIFY(sawLargeGroup);
    }
};

QTEST_MAIN(ExperimentsTest)
#include "experiments_test.moc"
