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

using shelltest::childTexts;
using shelltest::clickItem;
using shelltest::doubleClickItem;
using shelltest::findNode;

namespace {

// Collects the texts of "Warnung !!!" boxes while it lives, pressing their OK button.
class WarningCollector {
public:
    WarningCollector() {
        m_timer.setInterval(5);
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                texts.append(box->text());
                box->button(QMessageBox::Ok)->click();
            }
        });
        m_timer.start();
    }
    QStringList texts;

private:
    QTimer m_timer;
};

// Answers the next group chooser with act, which must close it.
void answerChooser(const std::function<void(TfrmChooseGroup*)>& act) {
    shelltest::answerModal([act](QWidget* modal) {
        auto* chooser = qobject_cast<TfrmChooseGroup*>(modal);
        if (chooser != nullptr)
            act(chooser);
        return chooser != nullptr;
    });
}

QStringList texts(QTreeWidget* list) {
    return childTexts(list->invisibleRootItem());
}

} // namespace

class CreateGameTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<ForeignPathRoot> root;
    std::unique_ptr<TfrmCreateGame> form;

    template <class T> T* widget(const char* name) const { return form->findChild<T*>(name); }
    QPushButton* button(const char* name) const { return widget<QPushButton>(name); }
    QString count() const { return widget<QLabel>("lblPlayerCount")->text(); }
    QString game() const { return root->programFolder() + "Aktuelles Spiel/"; }
    QStringList gameFiles() const {
        return QDir(game()).entryList(QDir::Files, QDir::Name | QDir::IgnoreCase);
    }
    void addPlayer(const QString& relative, const QString& name) {
        SpielerTyp p = zeroedPlayer();
        p.Name.set(name);
        p.Dateiname.set(QFileInfo(relative).fileName());
        writePlayerFile(root->programFolder() + relative, p);
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
    QTreeWidgetItem* item(const char* list, const QString& text) const {
        return widget<QTreeWidget>(list)->findItems(text, Qt::MatchExactly).value(0);
    }

private slots:
    void init() {
        form.reset();
        root = std::make_unique<ForeignPathRoot>();
        for (const char* name : {"Anna", "Bob", "Typ3 Otto", "Typ0 Ida", "Graf"})
            addPlayer("SpielerStamm/" + QString(name).remove(' ') + ".ply", name);
        addPlayer("SpielerStammImport/Importiert.ply", "Importiert");

        form = std::make_unique<TfrmCreateGame>();
        form->ZielOrdner = "Aktuelles Spiel\\";
        form->MaxSpieler = 125;
        form->SpielerListe = {"3Bob.ply",  "3Anna.ply",       "2Typ3Otto.ply", "2Typ0Ida.ply",
                              "1Graf.ply", "3Importiert.ply", "3Fehlt.ply",    "2typ3klein.ply"};
    }

    void okNeedsTwoToMaxSpielerPlayers_data() {
        QTest::addColumn<int>("players");
        QTest::addColumn<bool>("okEnabled");
        QTest::newRow("none") << 0 << false;
        QTest::newRow("one") << 1 << false;
        QTest::newRow("two") << 2 << true;
        QTest::newRow("maximum") << 125 << true;
        QTest::newRow("one too many") << 126 << false;
    }
    void okNeedsTwoToMaxSpielerPlayers() {
        QFETCH(int, players);
        QFETCH(bool, okEnabled);
        fillGame(players);
        root->write("Wendrak/Aktuelles Spiel/notiz.txt", "kein Spieler");
        show();
        QCOMPARE(count(), QString::number(players));
        QCOMPARE(button("btnOk")->isEnabled(), okEnabled);
        QCOMPARE(widget<QLabel>("lblPlayerCount")->palette().color(QPalette::WindowText),
                 okEnabled ? QColor(Qt::white) : QColor(255, 0, 0));
        QCOMPARE(widget<QTreeWidget>("lstPlayer")->topLevelItemCount(), players);
    }

    void okAndCancelGiveTheirModalResults() {
        fillGame(2);
        QTimer::singleShot(0, [this] { button("btnOk")->click(); });
        QCOMPARE(form->exec(), 1);
        QTimer::singleShot(0, [this] { button("btnCancel")->click(); });
        QCOMPARE(form->exec(), 2);
        QTimer::singleShot(0, [this] { QTest::keyClick(form.get(), Qt::Key_Escape); });
        QCOMPARE(form->exec(), 2);
        QCOMPARE(gameFiles().size(), 2);
    }

    void filterTreeListsCategoriesAndTypesAndEveryShowingStartsWithAnEmptySource() {
        show();
        auto* source = widget<QTreeWidget>("lstStamm");
        QCOMPARE(source->topLevelItemCount(), 0);
        filter(QString::fromUtf8("Persönliche Spieler"));
        QCOMPARE(texts(source),
                 QStringList({"Anna.ply", "Bob.ply", "Fehlt.ply", "Importiert.ply"}));
        filter("Versuchsspieler");
        QCOMPARE(texts(source), QStringList({"Typ0Ida.ply"}));
        filter("Typ3");
        QCOMPARE(texts(source), QStringList({"typ3klein.ply", "Typ3Otto.ply"}));
        filter("Besondere Spieler");
        QCOMPARE(texts(source), QStringList({"Graf.ply"}));
        form->hide();
        fillGame(4);
        show();
        QCOMPARE(source->topLevelItemCount(), 0);
        QCOMPARE(count(), QString("4"));
        QCOMPARE(form->Quellordner, root->programFolder() + "SpielerStamm/");
        filter("Kemrafeld");
        QCOMPARE(source->topLevelItemCount(), 0);
    }

    void addingCopiesFromTheProgramFoldersStoresWithFreeNamesAndWarnsOfMissingPlayers() {
        show();
        filter(QString::fromUtf8("Persönliche Spieler"));
        auto* source = widget<QTreeWidget>("lstStamm");
        clickItem(source, item("lstStamm", "Anna.ply"));
        button("btnAddOne")->click();
        doubleClickItem(source, item("lstStamm", "Anna.ply"));
        clickItem(source, item("lstStamm", "Importiert.ply"));
        button("btnAddOne")->click();
        QCOMPARE(gameFiles(), QStringList({"Anna.ply", "Anna_1.ply", "Importiert.ply"}));
        QCOMPARE(root->read("Wendrak/Aktuelles Spiel/Anna_1.ply"),
                 root->read("Wendrak/SpielerStamm/Anna.ply"));
        QVERIFY(QDir(root->elsewhere.path() + "/Aktuelles Spiel").isEmpty());
        QCOMPARE(count(), QString("3"));
        QVERIFY(button("btnOk")->isEnabled());

        WarningCollector warnings;
        button("btnAddAll")->click();
        QCOMPARE(
            warnings.texts,
            QStringList(
                {"Warnung !!!\nDer Spieler: Fehlt.ply\nwurde nicht im Spielerstamm gefunden."}));
        QCOMPARE(gameFiles(), QStringList({"Anna.ply", "Anna_1.ply", "Anna_2.ply", "Bob.ply",
                                           "Importiert.ply", "Importiert_1.ply"}));
    }

    void removingDeletesPlayerFilesOnlyAlsoReadOnlyOnes() {
        fillGame(3);
        root->write("Wendrak/Aktuelles Spiel/notiz.txt", "bleibt");
        QFile::setPermissions(game() + "P1.ply", QFile::ReadOwner | QFile::ReadUser);
        show();
        doubleClickItem(widget<QTreeWidget>("lstPlayer"), item("lstPlayer", "P1.ply"));
        QCOMPARE(gameFiles(), QStringList({"notiz.txt", "P0.ply", "P2.ply"}));
        QCOMPARE(count(), QString("2"));

        QFile::setPermissions(game() + "P2.ply", QFile::ReadOwner | QFile::ReadUser);
        button("btnDeleteAll")->click();
        QCOMPARE(gameFiles(), QStringList({"notiz.txt"}));
        QVERIFY(!button("btnOk")->isEnabled());
    }

    void chosenGroupBecomesTheSourceAndCancelKeepsTheList() {
        addPlayer("SpielerStamm/Carl.ply", "Carl");
        root->write("Wendrak/Eigene Gruppen/Klasse 7/group.sgp",
                    "Carl.ply\r\nAnna_1.ply\r\nAnna.ply\r\nWeg.ply\r\n");
        // The program hands the window a chooser of its own, made without a parent.
        TfrmChooseGroup chooserOfTheProgram;
        form->ChooseGroup = &chooserOfTheProgram;
        show();
        auto* tree = widget<QTreeWidget>("trvFilter");
        auto* source = widget<QTreeWidget>("lstStamm");
        auto* experiments = button("btnSExperimente");
        filter("Besondere Spieler");

        answerChooser([](TfrmChooseGroup* chooser) {
            chooser->findChild<QPushButton*>("btnCancel")->click();
        });
        experiments->click();
        QCOMPARE(texts(source), QStringList({"Graf.ply"}));
        QVERIFY(tree->isVisible());
        QCOMPARE(experiments->y(), 333);
        QCOMPARE(experiments->palette().color(QPalette::ButtonText), QColor(0, 0x80, 0));

        bool foreignGroupShown = true;
        answerChooser([&foreignGroupShown](TfrmChooseGroup* chooser) {
            auto* groups = chooser->findChild<QTreeWidget*>("trvMain");
            foreignGroupShown = findNode(groups, "Fremdgruppe") != nullptr;
            clickItem(groups, findNode(groups, "Klasse 7"));
            chooser->findChild<QPushButton*>("btnOk")->click();
        });
        experiments->click();
        QVERIFY(!foreignGroupShown);
        QCOMPARE(form->Quellmodus, 1);
        QCOMPARE(texts(source), QStringList({"Anna.ply", "Anna1.ply", "Carl.ply", "Weg.ply"}));
        QVERIFY(!tree->isVisible());
        QCOMPARE(experiments->y(), tree->y());

        WarningCollector warnings;
        button("btnAddAll")->click();
        QCOMPARE(warnings.texts.size(), 2); // Anna1.ply and Weg.ply are in neither store
        QCOMPARE(gameFiles(), QStringList({"Anna.ply", "Carl.ply"}));

        button("btnAlleSpieler")->click();
        QVERIFY(tree->isVisible());
        QCOMPARE(experiments->y(), 333);
        QCOMPARE(source->topLevelItemCount(), 0);
        QCOMPARE(form->Quellmodus, 0);
        form->ChooseGroup = nullptr;
    }

    // The list the game setup filters comes from the index build behind the wait window.
    void indexBuildShowsTheWaitWindowAndFreesItAlsoOnABrokenFile() {
        const auto waitWindows = [] {
            int n = 0;
            for (QWidget* w : QApplication::topLevelWidgets())
                n += qobject_cast<TfrmInit*>(w) != nullptr;
            return n;
        };
        TGroup group;
        const QByteArray index =
            "3Anna.ply\r\n3Bob.ply\r\n1Graf.ply\r\n3Typ0Ida.ply\r\n2Typ3Otto.ply";
        QCOMPARE(BuildPlayerIndexWithWait(group, root->programFolder() + "SpielerStamm\\"),
                 QString::fromLatin1(index).split("\r\n"));
        QCOMPARE(waitWindows(), 0);

        // A broken file read after the window went up must not leave the window behind.
        root->write("Wendrak/SpielerStamm/Zerbrochen.ply", "kurz");
        bool shownDuringScan = false;
        QTimer probe;
        QObject::connect(&probe, &QTimer::timeout, [&] { shownDuringScan |= waitWindows() > 0; });
        probe.start(0);
        QVERIFY_THROWS_EXCEPTION(
            WendrakError, BuildPlayerIndexWithWait(group, root->programFolder() + "SpielerStamm/"));
        QTest::qWait(20);
        QVERIFY(shownDuringScan);
        QCOMPARE(waitWindows(), 0);
        QCOMPARE(root->read("Wendrak/SpielerStamm/x.txt"), index + "\r\n");
    }
};

QTEST_MAIN(CreateGameTest)
#include "creategame_test.moc"
