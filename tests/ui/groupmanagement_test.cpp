// The group management driven through its widgets: creating a group (and refusing names
// that cannot name a folder), filling and emptying it with the group file written after
// every click, the overwrite question, the filter tree, old member names, the main menu's
// command, and a group made here chosen and loaded by the game setup.
#include "players/ui/ufrmGRPCreate.h"

#include "ShellTestSupport.h"
#include "platform/ui/MessageBoxes.h"
#include "players/ui/ufrmChooseGroup.h"
#include "players/ui/ufrmCreateGame.h"

#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

using namespace shelltest;
using platform::MessageBoxes;

class GroupManagementTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<TempRoot> root;
    std::unique_ptr<TfrmGRPCreate> form;

    template <class T>
    T* widget(const char* name) const {
        return form->findChild<T*>(name);
    }
    QPushButton* button(const char* name) const { return widget<QPushButton>(name); }
    QTreeWidget* list(const char* name) const { return widget<QTreeWidget>(name); }
    QStringList texts(const char* name) const {
        return childTexts(list(name)->invisibleRootItem());
    }
    QByteArray groupFile(const QString& group) const {
        return root->read("Wendrak/Eigene Gruppen/" + group + "/group.sgp");
    }
    void click(const char* listName, const QString& text, bool twice = false) {
        clickItem(list(listName), findNode(list(listName), text), twice);
    }
    void createGroup(const QString& name) {
        button("btnNewGroup")->click();
        widget<QLineEdit>("txtNewGroupName")->setText(name);
        button("btnCreateNewGroup")->click();
    }

private slots:
    void init() {
        form.reset();
        root = std::make_unique<TempRoot>();
        form = std::make_unique<TfrmGRPCreate>();
        form->WendrakPath = root->programFolder();
        form->SpielerListe = {"3Bob.ply", "3Anna.ply", "0Angreifer.ply", "2Typ3Otto.ply",
                              "2Typ0Ida.ply"};
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
    }
    void cleanup() { MessageBoxes::reset(); }

    void newGroupPanelRefusesUnusableNamesAndCreatesAnEmptySelectedGroup() {
        QWidget* rightPanel = widget<QWidget>("pnlCreateGroup");
        QWidget* panel = widget<QWidget>("pnlNewGroup");
        QVERIFY(!rightPanel->isVisible() && !panel->isVisible());
        button("btnNewGroup")->click();
        QCOMPARE(widget<QLineEdit>("txtNewGroupName")->text(), QString("Neue Gruppe"));
        QVERIFY(panel->isVisible() && !button("btnOk")->isEnabled());
        QVERIFY(!widget<QWidget>("pnlPlayerList")->isEnabled());

        MessageBoxes::startRecording();
        for (const char* bad : {"", "  ", "../Fremd", ".versteckt", "a/b"}) {
            widget<QLineEdit>("txtNewGroupName")->setText(bad);
            button("btnCreateNewGroup")->click();
            QVERIFY2(panel->isVisible(), bad);
        }
        QCOMPARE(MessageBoxes::shown(),
                 QStringList(5, "Dieser Name kann nicht als Dateiname verwendet werden."));
        QVERIFY(QDir(root->programFolder() + "Eigene Gruppen").isEmpty());
        QVERIFY(!QFile::exists(root->root() + "Fremd"));

        widget<QLineEdit>("txtNewGroupName")->setText("Klasse 7");
        button("btnCreateNewGroup")->click();
        QVERIFY(!panel->isVisible() && button("btnOk")->isEnabled());
        QCOMPARE(groupFile("Klasse 7"), QByteArray(""));
        QVERIFY(QFile::exists(root->programFolder() + "Eigene Gruppen/Klasse 7/group.sgp"));
        QCOMPARE(texts("lstGroup"), QStringList{"Klasse 7"});
        QVERIFY(rightPanel->isVisible());
        QCOMPARE(form->Gruppenname, QString("Klasse 7"));
    }

    // "+" and the double-click add (twice when asked twice), "-" removes; the file follows
    // every click in the list's sorted order.
    void everyAddAndRemoveWritesTheGroupFileAtOnce() {
        createGroup("Klasse 7");
        click("trvFilter", "Kemrafeld");
        QCOMPARE(texts("lstStamm"), QStringList({"Anna.ply", "Bob.ply"}));
        click("lstStamm", "Bob.ply");
        button("btnAddOne")->click();
        QCOMPARE(groupFile("Klasse 7"), QByteArray("Bob.ply\r\n"));
        click("lstStamm", "Anna.ply", true);
        QCOMPARE(groupFile("Klasse 7"), QByteArray("Anna.ply\r\nBob.ply\r\n"));
        button("btnAddOne")->click();
        QCOMPARE(groupFile("Klasse 7"), QByteArray("Anna.ply\r\nAnna.ply\r\nBob.ply\r\n"));
        QCOMPARE(texts("lstSpieler"), QStringList({"Anna.ply", "Anna.ply", "Bob.ply"}));

        QPushButton* minus = button("btnDeleteSelected");
        QVERIFY(!minus->isEnabled());
        click("lstSpieler", "Bob.ply");
        QVERIFY(minus->isEnabled());
        minus->click();
        QCOMPARE(groupFile("Klasse 7"), QByteArray("Anna.ply\r\nAnna.ply\r\n"));
        QVERIFY(!minus->isEnabled());
    }

    void overwritingAsksAndOnYesEmptiesTheGroupKeepingItsOtherFiles() {
        root->write("Wendrak/Eigene Gruppen/Klasse 7/group.sgp", "Anna.ply\r\n");
        root->write("Wendrak/Eigene Gruppen/Klasse 7/notiz.txt", "bleibt");
        MessageBoxes::answerNext(false);
        createGroup("Klasse 7");
        QCOMPARE(MessageBoxes::shown(),
                 QStringList{"Eine Gruppe mit diesem Namen existiert bereits.\n"
                             "Möchten Sie die vorhande Gruppe überschreiben ?"});
        QCOMPARE(groupFile("Klasse 7"), QByteArray("Anna.ply\r\n"));

        MessageBoxes::answerNext(true);
        createGroup("klasse 7");
        QCOMPARE(groupFile("Klasse 7"), QByteArray(""));
        QCOMPARE(root->read("Wendrak/Eigene Gruppen/Klasse 7/notiz.txt"), QByteArray("bleibt"));
        QCOMPARE(texts("lstGroup"), QStringList{"Klasse 7"});
        QVERIFY(texts("lstSpieler").isEmpty());
    }

    // "Persönliche Spieler" lists nothing here; the user's players are under "Kemrafeld".
    void filterTreeListsTheStoreByItsOwnNodes() {
        createGroup("G");
        const QStringList none;
        for (const auto& [node, shown] : {std::pair{"Persönliche Spieler", none},
                                          {"Kemrafeld", {"Anna.ply", "Bob.ply"}},
                                          {"Dominante Spieler", {"Angreifer.ply"}},
                                          {"Versuchsspieler", {"Typ0Ida.ply"}},
                                          {"Typ3", {"Typ3Otto.ply"}}}) {
            click("trvFilter", QString::fromUtf8(node));
            QCOMPARE(texts("lstStamm"), shown);
        }
    }

    void oldMemberNamesAreShownAndWrittenBackMapped() {
        root->write("Wendrak/Eigene Gruppen/Alt/group.sgp", "Anna_1.ply\r\n");
        form->hide();
        form->show();
        click("lstGroup", "Alt");
        QCOMPARE(texts("lstSpieler"), QStringList{"Anna1.ply"});
        click("trvFilter", "Kemrafeld");
        click("lstStamm", "Bob.ply", true);
        QCOMPARE(groupFile("Alt"), QByteArray("Anna1.ply\r\nBob.ply\r\n"));
    }

    // A group made here shows in the game setup's group chooser and fills the game.
    void groupMadeHereIsChosenAndLoadedByTheGameSetup() {
        for (const char* name : {"Anna", "Bob"})
            root->write("Wendrak/SpielerStamm/" + QString(name) + ".ply", QByteArray(2400, 0));
        createGroup("Klasse 7");
        click("trvFilter", "Kemrafeld");
        for (const char* name : {"Anna.ply", "Bob.ply"})
            click("lstStamm", name, true);
        button("btnOk")->click();
        QCOMPARE(form->result(), 1);

        TfrmCreateGame setup;
        TfrmChooseGroup chooser;
        setup.ChooseGroup = &chooser;
        setup.ZielOrdner = "Aktuelles Spiel\\";
        setup.MaxSpieler = 125;
        setup.show();
        whenModalOf<TfrmChooseGroup>([](TfrmChooseGroup* c) {
            auto* groups = c->findChild<QTreeWidget*>("trvMain");
            clickItem(groups, findNode(groups, "Klasse 7"));
            c->findChild<QPushButton*>("btnOk")->click();
        });
        setup.findChild<QPushButton*>("btnSExperimente")->click();
        setup.findChild<QPushButton*>("btnAddAll")->click();
        QCOMPARE(filesIn(root->programFolder() + "Aktuelles Spiel"),
                 QStringList({"Anna.ply", "Bob.ply"}));
        QVERIFY(setup.findChild<QPushButton*>("btnOk")->isEnabled());
    }

    // The main menu's command lends the player list and the data folder of the settings.
    void mainMenuCommandOpensTheWindowOnTheSettingsDataFolder() {
        form.reset();
        Program program([](TempRoot& r) {
            r.write("Kemra.ini", ("[Path]\r\nWendrakPath=" + r.root() + "Daten\\\r\n").toUtf8());
            r.write("Daten/Eigene Gruppen/Fremdgruppe/group.sgp", "");
        });
        program.showMenu();
        program.main()->SpielerListe = {"3Anna.ply"};
        QStringList seen;
        whenModalOf<TfrmGRPCreate>([&seen](TfrmGRPCreate* w) {
            seen << w->SpielerListe << w->property("helpContext").toString()
                 << childTexts(w->findChild<QTreeWidget*>("lstGroup")->invisibleRootItem());
            w->findChild<QPushButton*>("btnOk")->click();
        });
        program.main()->button("btnGruppenverwaltung")->click();
        QCOMPARE(seen, QStringList({"3Anna.ply", "20400", "Fremdgruppe"}));
    }
};

QTEST_MAIN(GroupManagementTest)
#include "groupmanagement_test.moc"
