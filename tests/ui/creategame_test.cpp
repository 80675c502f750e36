// The game setup window driven through its widgets: the Ok rule and the count, adding and
// removing players, the filter tree, choosing a group as source, and that everything
// happens below the program folder even when WendrakPath names another folder.
#include "players/ui/ufrmCreateGame.h"

#include "GroupTestSupport.h"
#include "ShellTestSupport.h"
#include "platform/WendrakError.h"
#include "players/PlayerFile.h"
#include "players/ui/ufrmChooseGroup.h"
#include "players/ui/ufrmInit.h"

#include <QLabel>
#include <QPushButton>

#include <algorithm>

using shelltest::clickItem;
using shelltest::doubleClickItem;
using shelltest::findNode;
using shelltest::whenModalOf;

namespace {

int waitWindows() {
    const QWidgetList all = QApplication::topLevelWidgets();
    return int(std::count_if(all.begin(), all.end(),
                             [](QWidget* w) { return qobject_cast<TfrmInit*>(w); }));
}

} // namespace

class CreateGameTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<ForeignPathRoot> root;
    std::unique_ptr<TfrmCreateGame> form;

    template <class T> T* widget(const char* name) const { return form->findChild<T*>(name); }
    QPushButton* button(const char* name) const { return widget<QPushButton>(name); }
    QTreeWidget* source() const { return widget<QTreeWidget>("lstStamm"); }
    QStringList sourceTexts() const { return shelltest::childTexts(source()->invisibleRootItem()); }
    QString count() const { return widget<QLabel>("lblPlayerCount")->text(); }
    QString game() const { return root->programFolder() + "Aktuelles Spiel/"; }
    QStringList gameFiles() const {
        return QDir(game()).entryList(QDir::Files, QDir::Name | QDir::IgnoreCase);
    }
    void fillGame(int players) {
        QDir(game()).removeRecursively();
        QDir().mkpath(game());
        for (int i = 0; i < players; ++i)
            root->write("Wendrak/Aktuelles Spiel/P" + QString::number(i) + ".ply", "x");
    }
    void show() {
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
    }
    void filter(const QString& node) {
        auto* tree = widget<QTreeWidget>("trvFilter");
        clickItem(tree, findNode(tree, node));
    }

private slots:
    void init() {
        form.reset();
        root = std::make_unique<ForeignPathRoot>();
        // Player files (all zero) below the program folder, unlike the foreign folder's decoy.
        for (const char* file : {"SpielerStamm/Anna", "SpielerStamm/Bob", "SpielerStamm/Typ3Otto",
                                 "SpielerStamm/Typ0Ida", "SpielerStamm/Graf", "SpielerStamm/Carl",
                                 "SpielerStammImport/Importiert"})
            root->write("Wendrak/" + QString(file) + ".ply", QByteArray(2400, 0));

        form = std::make_unique<TfrmCreateGame>();
        form->ZielOrdner = "Aktuelles Spiel\\";
        form->MaxSpieler = 125;
        form->SpielerListe = {"3Bob.ply",  "3Anna.ply",       "2Typ3Otto.ply", "2Typ0Ida.ply",
                              "1Graf.ply", "3Importiert.ply", "3Fehlt.ply",    "2typ3klein.ply"};
    }

    void okNeedsTwoToMaxSpielerPlayersAndEveryShowingStartsWithAnEmptySource() {
        for (const auto& [players, ok] :
             {std::pair{1, false}, {2, true}, {125, true}, {126, false}}) {
            form->hide();
            fillGame(players);
            root->write("Wendrak/Aktuelles Spiel/notiz.txt", "kein Spieler");
            show();
            QCOMPARE(count(), QString::number(players));
            QCOMPARE(widget<QTreeWidget>("lstPlayer")->topLevelItemCount(), players);
            QCOMPARE(button("btnOk")->isEnabled(), ok);
            QCOMPARE(widget<QLabel>("lblPlayerCount")->palette().color(QPalette::WindowText),
                     ok ? QColor(Qt::white) : QColor(255, 0, 0));
            QCOMPARE(source()->topLevelItemCount(), 0); // every showing starts empty
            filter("Besondere Spieler");
        }
    }

    void okAndCancelGiveTheirModalResults() {
        fillGame(2);
        QTimer::singleShot(0, [this] { button("btnOk")->click(); });
        QCOMPARE(form->exec(), 1);
        QTimer::singleShot(0, [this] { button("btnCancel")->click(); });
        QCOMPARE(form->exec(), 2);
        QCOMPARE(gameFiles().size(), 2);
    }

    void filterTreeListsCategoriesAndTypes() {
        show();
        filter("Versuchsspieler");
        QCOMPARE(sourceTexts(), QStringList({"Typ0Ida.ply"}));
        filter("Typ3");
        QCOMPARE(sourceTexts(), QStringList({"typ3klein.ply", "Typ3Otto.ply"}));
        filter("Besondere Spieler");
        QCOMPARE(sourceTexts(), QStringList({"Graf.ply"}));
        QCOMPARE(form->Quellordner, root->programFolder() + "SpielerStamm/");
    }

    // "Persönliche Spieler" lists Anna, Bob, Fehlt and Importiert, from both stores.
    void addingCopiesFromTheProgramFoldersStoresWithFreeNamesAndWarnsOfMissingPlayers() {
        show();
        filter(QString::fromUtf8("Persönliche Spieler"));
        clickItem(source(), findNode(source(), "Anna.ply"));
        button("btnAddOne")->click();
        doubleClickItem(source(), findNode(source(), "Anna.ply"));
        QCOMPARE(gameFiles(), QStringList({"Anna.ply", "Anna_1.ply"}));
        QCOMPARE(count(), QString("2"));

        const auto warning = shelltest::acceptNextMessage();
        button("btnAddAll")->click();
        QCOMPARE(*warning,
                 "Warnung !!!\nDer Spieler: Fehlt.ply\nwurde nicht im Spielerstamm gefunden.");
        QCOMPARE(gameFiles(), QStringList({"Anna.ply", "Anna_1.ply", "Anna_2.ply", "Bob.ply",
                                           "Importiert.ply"}));
        QCOMPARE(root->read("Wendrak/Aktuelles Spiel/Anna_1.ply"), QByteArray(2400, 0));
        QVERIFY(QDir(root->elsewhere.path() + "/Aktuelles Spiel").isEmpty());
    }

    void removingDeletesPlayerFilesOnlyAlsoReadOnlyOnes() {
        fillGame(3);
        root->write("Wendrak/Aktuelles Spiel/notiz.txt", "bleibt");
        QFile::setPermissions(game() + "P1.ply", QFile::ReadOwner | QFile::ReadUser);
        show();
        auto* list = widget<QTreeWidget>("lstPlayer");
        doubleClickItem(list, findNode(list, "P1.ply"));
        QCOMPARE(gameFiles(), QStringList({"notiz.txt", "P0.ply", "P2.ply"}));
        QCOMPARE(count(), QString("2"));

        QFile::setPermissions(game() + "P2.ply", QFile::ReadOwner | QFile::ReadUser);
        button("btnDeleteAll")->click();
        QCOMPARE(gameFiles(), QStringList({"notiz.txt"}));
        QVERIFY(!button("btnOk")->isEnabled());
    }

    void chosenGroupBecomesTheSourceAndCancelKeepsTheList() {
        root->write("Wendrak/Eigene Gruppen/Klasse 7/group.sgp", "Carl.ply\r\nAnna.ply\r\n");
        // The program hands the window a chooser of its own, made without a parent.
        TfrmChooseGroup chooserOfTheProgram;
        form->ChooseGroup = &chooserOfTheProgram;
        show();
        auto* tree = widget<QTreeWidget>("trvFilter");
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
        QCOMPARE(sourceTexts(), QStringList({"Anna.ply", "Carl.ply"}));
        QVERIFY(!tree->isVisible());
        QCOMPARE(experiments->y(), tree->y()); // the button moves up into the tree's place

        button("btnAddAll")->click();
        QCOMPARE(gameFiles(), QStringList({"Anna.ply", "Carl.ply"}));
        button("btnAlleSpieler")->click();
        QVERIFY(tree->isVisible() && experiments->y() > tree->y());
        QCOMPARE(source()->topLevelItemCount(), 0);
        form->ChooseGroup = nullptr;
    }

    // The list the game setup filters comes from the index build behind the wait window,
    // which must not stay behind, also when a broken file stops the build.
    void indexBuildShowsTheWaitWindowAndFreesItAlsoOnABrokenFile() {
        bool shownDuringScan = false;
        QTimer probe;
        QObject::connect(&probe, &QTimer::timeout, [&] { shownDuringScan |= waitWindows() > 0; });
        probe.start(0);
        const TGroup group;
        const QString store = root->programFolder() + "SpielerStamm\\";
        QCOMPARE(BuildPlayerIndexWithWait(group, store).size(), 6);
        QCOMPARE(waitWindows(), 0);
        root->write("Wendrak/SpielerStamm/Zerbrochen.ply", "kurz");
        shownDuringScan = false;
        QVERIFY_THROWS_EXCEPTION(WendrakError, BuildPlayerIndexWithWait(group, store));
        QTest::qWait(20);
        QVERIFY(shownDuringScan);
        QCOMPARE(waitWindows(), 0);
    }
};

QTEST_MAIN(CreateGameTest)
#include "creategame_test.moc"
