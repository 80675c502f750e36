// The group management driven through its widgets: creating a group (an unusable name
// keeps the panel open), the group file after every add and remove, the overwrite
// question, members named as store files, and the main menu's command.
#include "players/ui/ufrmGRPCreate.h"

#include "ShellTestSupport.h"
#include "platform/ui/MessageBoxes.h"

using namespace shelltest;
using platform::MessageBoxes;

class GroupManagementTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<TempRoot> root;
    std::unique_ptr<TfrmGRPCreate> form;
    TfrmGRPCreate* window = nullptr; // the one the helpers drive

    QPushButton* button(const char* name) const { return window->findChild<QPushButton*>(name); }
    QTreeWidget* list(const char* name) const { return window->findChild<QTreeWidget*>(name); }
    QStringList texts(const char* name) const {
        return childTexts(list(name)->invisibleRootItem());
    }
    QByteArray groupFile() const { return root->read("Wendrak/Eigene Gruppen/K7/group.sgp"); }
    void createGroup(const QString& name) {
        button("btnNewGroup")->click();
        window->findChild<QLineEdit*>("txtNewGroupName")->setText(name);
        button("btnCreateNewGroup")->click();
    }

private slots:
    void init() {
        form.reset();
        root = std::make_unique<TempRoot>();
        form = std::make_unique<TfrmGRPCreate>();
        window = form.get();
        form->WendrakPath = root->programFolder();
        form->SpielerListe = {"3Bob.ply", "3Anna.ply", "0Angreifer.ply"};
        QVERIFY(showExposed(form.get()));
        MessageBoxes::startRecording();
    }
    void cleanup() { MessageBoxes::reset(); }

    // "+" and the double-click add (a player twice when asked twice), "-" removes; the file
    // follows every click in the list's sorted order.
    void creatingFillingAndOverwritingAGroupWriteItsFileAtEveryClick() {
        createGroup("../Fremd");
        QVERIFY(form->findChild<QWidget*>("pnlNewGroup")->isVisible());
        QCOMPARE(MessageBoxes::shown(),
                 QStringList{"Dieser Name kann nicht als Dateiname verwendet werden."});

        createGroup("K7");
        QCOMPARE(groupFile(), QByteArray());
        QCOMPARE(texts("lstGroup"), QStringList{"K7"});

        clickItem(list("trvFilter"), QString::fromUtf8("Persönliche Spieler"));
        QVERIFY(texts("lstStamm").isEmpty());
        clickItem(list("trvFilter"), "Kemrafeld");
        clickItem(list("lstStamm"), "Bob.ply");
        button("btnAddOne")->click();
        QCOMPARE(groupFile(), QByteArray("Bob.ply\r\n"));
        clickItem(list("lstStamm"), "Anna.ply", true);
        button("btnAddOne")->click();
        QCOMPARE(groupFile(), QByteArray("Anna.ply\r\nAnna.ply\r\nBob.ply\r\n"));
        QPushButton* minus = button("btnDeleteSelected");
        QVERIFY(!minus->isEnabled());
        clickItem(list("lstSpieler"), "Bob.ply");
        minus->click();
        QCOMPARE(groupFile(), QByteArray("Anna.ply\r\nAnna.ply\r\n"));
        QVERIFY(!minus->isEnabled());

        // Overwriting asks; on yes the group is emptied and its other files stay.
        root->write("Wendrak/Eigene Gruppen/K7/notiz.txt", "bleibt");
        createGroup("K7");
        QCOMPARE(groupFile(), QByteArray("Anna.ply\r\nAnna.ply\r\n"));
        MessageBoxes::answerNext(true);
        createGroup("k7");
        QCOMPARE(MessageBoxes::shown().mid(1),
                 QStringList(2, "Eine Gruppe mit diesem Namen existiert bereits.\n"
                                "Möchten Sie die vorhande Gruppe überschreiben ?"));
        QCOMPARE(groupFile(), QByteArray());
        QCOMPARE(root->read("Wendrak/Eigene Gruppen/K7/notiz.txt"), QByteArray("bleibt"));

        // A member named as a store file stays as named, an old name is mapped; so written back.
        root->write("Wendrak/SpielerStamm/Max_M.ply", "x");
        root->write("Wendrak/Eigene Gruppen/K7/group.sgp", "Max_M.ply\r\nAnna_1.ply\r\n");
        list("lstGroup")->clearSelection();
        clickItem(list("lstGroup"), "K7");
        QCOMPARE(texts("lstSpieler"), QStringList({"Anna1.ply", "Max_M.ply"}));
        clickItem(list("lstStamm"), "Bob.ply", true);
        QCOMPARE(groupFile(), QByteArray("Anna1.ply\r\nBob.ply\r\nMax_M.ply\r\n"));
    }

    // A group made from the main menu's command is written to the data folder.
    void groupMadeFromTheMainMenuIsWrittenToTheDataFolder() {
        form.reset();
        Program program;
        program.showMenu();
        program.main()->SpielerListe = {"3Anna.ply"};
        whenModalOf<TfrmGRPCreate>([&](TfrmGRPCreate* w) {
            window = w;
            createGroup("K7");
            clickItem(list("trvFilter"), "Kemrafeld");
            clickItem(list("lstStamm"), "Anna.ply", true);
            button("btnOk")->click();
        });
        program.main()->button("btnGruppenverwaltung")->click();
        // The game setup reads own groups from there (its own test).
        QCOMPARE(TempRoot::readFile(program.data() + "Eigene Gruppen/K7/group.sgp"),
                 QByteArray("Anna.ply\r\n"));
    }
};

QTEST_MAIN(GroupManagementTest)
#include "groupmanagement_test.moc"
