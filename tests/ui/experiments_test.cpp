// The standard-experiments menu driven through its widgets: the tree of texts, groups and
// sub-folders with their pictures, what "&Öffnen" opens and what "&Zurück" leaves behind.
#include "shell/ui/uFrmExperimenteMenu.h"

#include "ShellTestSupport.h"
#include "platform/ui/MessageBoxes.h"
#include "shell/StandardExperiments.h"
#include "shell/ui/ufrmTXTAusgabeHTML.h"

using namespace shelltest;

class ExperimentsTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<TempRoot> m_root;
    RecordingDesktop* m_desktop = nullptr;

    QString experiments() const { return m_root->programFolder() + "Standardexperimente/"; }

    // Versuch/ holds two texts (one without HTML version), a lone HTML page, the group file
    // and a sub-folder with one text; a hidden folder is ignored.
    void buildExperiments() {
        for (const char* file :
             {"Versuch/Alpha.rtf", "Versuch/Alpha.html", "Versuch/Beta.rtf", "Versuch/Delta.html",
              "Versuch/Unter/Gamma.rtf", "Versuch/Unter/Gamma.html", ".versteckt/Geheim.rtf"})
            m_root->write(QString("Wendrak/Standardexperimente/") + file, "text");
        m_root->write("Wendrak/Standardexperimente/Versuch/group.sgp", "ANNA.PLY\r\nBRUNO.PLY\r\n");
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
        // Without the folder there is only the top node.
        QDir(experiments()).removeRecursively();
        TfrmExperimenteMenu menu;
        menu.FillTree();
        QTreeWidget* tree = menu.trvMain();
        QCOMPARE(childTexts(tree->invisibleRootItem()), QStringList{"Standardexperimente"});
        QCOMPARE(tree->topLevelItem(0)->childCount(), 0);

        buildExperiments();
        menu.FillTree();
        QVERIFY(tree->topLevelItemCount() == 1 && tree->topLevelItem(0)->isExpanded());
        QCOMPARE(childTexts(findNode(tree, "Unter")), QStringList{"Gamma"});

        // Picture and selected picture of each kind of node.
        QStringList pictures;
        for (const char* text : {"Versuch", "Alpha", "Beta", "Selbst Experimentieren"}) {
            const QTreeWidgetItem* n = findNode(tree, text);
            pictures << n->data(0, TfrmExperimenteMenu::ImageIndexRole).toString() + "/" +
                            n->data(0, TfrmExperimenteMenu::SelectedIndexRole).toString();
        }
        QCOMPARE(pictures, (QStringList{"1/0", "2/2", "4/4", "3/3"}));
    }

    void shownMenuBuildsItsTreeLaterOpensTextsAndBackLoadsNothing() {
        buildExperiments();
        m_root->write("Wendrak/Aktuelles Spiel/ALT.PLY", QByteArray(2400, '\0'));
        TfrmExperimenteMenu menu;
        QTreeWidget* tree = menu.trvMain();
        // The tree is built about a second after each showing, not at once and not again.
        menu.show();
        QCOMPARE(tree->topLevelItemCount(), 0);
        QTRY_COMPARE_WITH_TIMEOUT(tree->topLevelItemCount(), 1, 3000);
        QVERIFY(!menu.TimerDummy()->isActive());
        tree->expandAll();
        clickItem(tree, findNode(tree, "Versuch"));
        QVERIFY(!menu.btnOk()->isEnabled()); // a folder chooses nothing

        // "&Öffnen" hands a text's ".rtf" to the desktop, which has a program for RTF, and
        // keeps the menu open; without the ".rtf" the ".html" shows in the text window. A
        // double-click on a text acts like it, on a folder it opens nothing.
        clickItem(tree, findNode(tree, "Alpha"));
        menu.btnOk()->click();
        QFile::remove(experiments() + "Versuch/Alpha.rtf");
        QString page;
        whenModalOf<TfrmTXTAusgabeHTML>([&](TfrmTXTAusgabeHTML* text) {
            page = text->brwHTML()->source().toLocalFile();
            text->btnClose()->click();
        });
        menu.btnOk()->click();
        QCOMPARE(page, experiments() + "Versuch/Alpha.html");
        clickItem(tree, findNode(tree, "Beta"), true);
        clickItem(tree, findNode(tree, "Versuch"), true);
        QCOMPARE(m_desktop->opened, (QStringList{experiments() + "Versuch/Alpha.rtf",
                                                 experiments() + "Versuch/Beta.rtf"}));
        QVERIFY(menu.isVisible());
        // A desktop without a program for RTF and a text without an HTML version: the user
        // is told, nothing is handed to the desktop.
        m_desktop->rtfProgram.clear();
        platform::MessageBoxes::startRecording();
        clickItem(tree, findNode(tree, "Beta"), true);
        QCOMPARE(platform::MessageBoxes::shown(),
                 QStringList{ExperimentCannotOpenText(experiments() + "Versuch/Beta.rtf")});
        platform::MessageBoxes::reset();
        QCOMPARE(m_desktop->opened.size(), 2);

        // "&Zurück" on the chosen group runs nothing and leaves the current game alone.
        clickItem(tree, findNode(tree, "Selbst Experimentieren"));
        menu.mbtnBack()->click();
        QCOMPARE(menu.result(), TfrmExperimenteMenu::ResultBack);
        QCOMPARE(filesIn(m_root->programFolder() + "Aktuelles Spiel"), QStringList{"ALT.PLY"});

        m_root->write("Wendrak/Standardexperimente/Neu/Text.rtf", "text");
        menu.show();
        QTRY_VERIFY_WITH_TIMEOUT(findNode(tree, "Neu") != nullptr, 3000);
    }
};

QTEST_MAIN(ExperimentsTest)
#include "experiments_test.moc"
