// The game setup window driven through its widgets: the Ok rule and the count, adding and
// removing players, the filter tree, choosing a group as source, and that everything
// happens below the program folder even when WendrakPath names another folder.
#include "players/ui/ufrmCreateGame.h"

#include "TempRoot.h"
#include "platform/WendrakError.h"
#include "players/PlayerFile.h"
#include "players/ui/ufrmChooseGroup.h"
#include "players/ui/ufrmInit.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>
#include <QtTest>
#include <functional>
#include <memory>

namespace {

// Answers the next modal window for which handler returns true (polled, so it also
// reaches dialogs opened from inside a click handler).
void answerModal(const std::function<bool(QWidget*)>& handler) {
    auto* timer = new QTimer(qApp);
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [timer, handler] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal != nullptr && handler(modal)) {
            timer->stop();
            timer->deleteLater();
        }
    });
    timer->start();
}

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

void clickItem(QTreeWidget* tree, QTreeWidgetItem* item) {
    tree->scrollToItem(item);
    const QPoint at = tree->visualItemRect(item).center();
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, Qt::NoModifier, at);
}

void doubleClickItem(QTreeWidget* tree, QTreeWidgetItem* item) {
    clickItem(tree, item);
    QTest::mouseDClick(tree->viewport(), Qt::LeftButton, Qt::NoModifier,
                       tree->visualItemRect(item).center());
}

QTreeWidgetItem* findNode(QTreeWidget* tree, const QString& text) {
    const auto found = tree->findItems(text, Qt::MatchExactly | Qt::MatchRecursive);
    return found.isEmpty() ? nullptr : found.first();
}

QStringList texts(const QTreeWidget* list) {
    QStringList out;
    for (int i = 0; i < list->topLevelItemCount(); ++i)
        out.append(list->topLevelItem(i)->text(0));
    return out;
}

} // namespace

class CreateGameTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<TempRoot> root;
    std::unique_ptr<QTemporaryDir> elsewhere;
    std::unique_ptr<TfrmCreateGame> form;

    template <class T> T* widget(const char* name) const {
        T* w = form->findChild<T*>(QString::fromLatin1(name));
        if (w == nullptr)
            qFatal("widget %s missing", name);
        return w;
    }
    QString game() const { return root->programFolder() + "Aktuelles Spiel/"; }
    QStringList gameFiles() const {
        return QDir(game()).entryList(QDir::Files, QDir::Name | QDir::IgnoreCase);
    }
    void addPlayer(const QString& relative, const QString& name) {
        SpielerTyp p = zeroedPlayer();
        p.Name.set(name);
        p.Dateiname.set(QFileInfo(relative).fileName());
        const QString path = root->programFolder() + relative;
        QDir().mkpath(QFileInfo(path).path());
        writePlayerFile(path, p);
    }
    void fillGame(int count) {
        QDir(game()).removeRecursively();
        QDir().mkpath(game());
        for (int i = 0; i < count; ++i)
            root->write("Wendrak/Aktuelles Spiel/P" + QString::number(i) + ".ply", "x");
    }
    void show() {
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
    }

private slots:
    void init() {
        root = std::make_unique<TempRoot>();
        // WendrakPath names a second data folder with a player of the same name: the game
        // setup must not take anything from it.
        elsewhere = std::make_unique<QTemporaryDir>();
        QDir().mkpath(elsewhere->path() + "/SpielerStamm");
        QDir().mkpath(elsewhere->path() + "/Aktuelles Spiel");
        QDir().mkpath(elsewhere->path() + "/Eigene Gruppen/Fremdgruppe");
        root->write("Kemra.ini", ("[Path]\r\nWendrakPath=" + elsewhere->path() + "/\r\n").toUtf8());
        QFile decoy(elsewhere->path() + "/SpielerStamm/Anna.ply");
        QVERIFY(decoy.open(QIODevice::WriteOnly));
        decoy.write(QByteArray(2400, 'F'));
        decoy.close();

        addPlayer("SpielerStamm/Anna.ply", "Anna");
        addPlayer("SpielerStamm/Bob.ply", "Bob");
        addPlayer("SpielerStamm/Typ3Otto.ply", "Typ3 Otto");
        addPlayer("SpielerStamm/Typ0Ida.ply", "Typ0 Ida");
        addPlayer("SpielerStamm/Graf.ply", "Graf");
        addPlayer("SpielerStammImport/Importiert.ply", "Importiert");

        form = std::make_unique<TfrmCreateGame>();
        form->ZielOrdner = "Aktuelles Spiel\\";
        form->MaxSpieler = 125;
        form->SpielerListe = {"3Bob.ply",  "3Anna.ply",       "2Typ3Otto.ply", "2Typ0Ida.ply",
                              "1Graf.ply", "3Importiert.ply", "3Fehlt.ply",    "2typ3klein.ply"};
    }

    void cleanup() {
        form.reset();
        elsewhere.reset();
        root.reset();
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
        auto* count = widget<QLabel>("lblPlayerCount");
        QCOMPARE(count->text(), QString::number(players));
        QCOMPARE(widget<QPushButton>("btnOk")->isEnabled(), okEnabled);
        QCOMPARE(count->palette().color(QPalette::WindowText),
                 okEnabled ? QColor(Qt::white) : QColor(255, 0, 0));
        QCOMPARE(widget<QTreeWidget>("lstPlayer")->topLevelItemCount(), players);
    }

    void okAndCancelGiveTheirModalResults() {
        fillGame(2);
        QTimer::singleShot(0, [this] { widget<QPushButton>("btnOk")->click(); });
        QCOMPARE(form->exec(), 1);
        QTimer::singleShot(0, [this] { widget<QPushButton>("btnCancel")->click(); });
        QCOMPARE(form->exec(), 2);
        QTimer::singleShot(0, [this] { QTest::keyClick(form.get(), Qt::Key_Escape); });
        QCOMPARE(form->exec(), 2);
        QCOMPARE(gameFiles().size(), 2);
    }

    void filterTreeListsCategoriesAndTypes() {
        show();
        auto* tree = widget<QTreeWidget>("trvFilter");
        auto* source = widget<QTreeWidget>("lstStamm");
        QVERIFY(source->topLevelItemCount() == 0);

        clickItem(tree, findNode(tree, QString::fromUtf8("Persönliche Spieler")));
        QCOMPARE(texts(source),
                 QStringList({"Anna.ply", "Bob.ply", "Fehlt.ply", "Importiert.ply"}));
        clickItem(tree, findNode(tree, "Versuchsspieler"));
        QCOMPARE(texts(source), QStringList({"Typ0Ida.ply"}));
        clickItem(tree, findNode(tree, "Typ3"));
        QCOMPARE(texts(source), QStringList({"typ3klein.ply", "Typ3Otto.ply"}));
        clickItem(tree, findNode(tree, "Besondere Spieler"));
        QCOMPARE(texts(source), QStringList({"Graf.ply"}));
        clickItem(tree, findNode(tree, "Kemrafeld"));
        QCOMPARE(source->topLevelItemCount(), 0);
    }

    void addingCopiesFromTheProgramFoldersStoresWithFreeNames() {
        show();
        auto* tree = widget<QTreeWidget>("trvFilter");
        auto* source = widget<QTreeWidget>("lstStamm");
        clickItem(tree, findNode(tree, QString::fromUtf8("Persönliche Spieler")));

        clickItem(source, source->findItems("Anna.ply", Qt::MatchExactly).first());
        widget<QPushButton>("btnAddOne")->click();
        doubleClickItem(source, source->findItems("Anna.ply", Qt::MatchExactly).first());
        clickItem(source, source->findItems("Importiert.ply", Qt::MatchExactly).first());
        widget<QPushButton>("btnAddOne")->click();

        QCOMPARE(gameFiles(), QStringList({"Anna.ply", "Anna_1.ply", "Importiert.ply"}));
        QCOMPARE(root->read("Wendrak/Aktuelles Spiel/Anna_1.ply"),
                 root->read("Wendrak/SpielerStamm/Anna.ply"));
        QVERIFY(QDir(elsewhere->path() + "/Aktuelles Spiel").isEmpty());
        QCOMPARE(widget<QLabel>("lblPlayerCount")->text(), QString("3"));
        QVERIFY(widget<QPushButton>("btnOk")->isEnabled());
    }

    void addingAMissingPlayerWarnsAndCopiesTheRest() {
        show();
        auto* tree = widget<QTreeWidget>("trvFilter");
        clickItem(tree, findNode(tree, QString::fromUtf8("Persönliche Spieler")));
        WarningCollector warnings;
        widget<QPushButton>("btnAddAll")->click();
        QCOMPARE(warnings.texts.size(), 1);
        QVERIFY(warnings.texts.first().startsWith("Warnung !!!"));
        QVERIFY(warnings.texts.first().contains("Der Spieler: Fehlt.ply"));
        QVERIFY(warnings.texts.first().endsWith("wurde nicht im Spielerstamm gefunden."));
        QCOMPARE(gameFiles(), QStringList({"Anna.ply", "Bob.ply", "Importiert.ply"}));
    }

    void removingDeletesPlayerFilesOnlyAlsoReadOnlyOnes() {
        fillGame(3);
        root->write("Wendrak/Aktuelles Spiel/notiz.txt", "bleibt");
        QFile::setPermissions(game() + "P1.ply", QFile::ReadOwner | QFile::ReadUser);
        show();
        auto* list = widget<QTreeWidget>("lstPlayer");

        doubleClickItem(list, list->findItems("P1.ply", Qt::MatchExactly).first());
        QCOMPARE(gameFiles(), QStringList({"notiz.txt", "P0.ply", "P2.ply"}));
        QCOMPARE(widget<QLabel>("lblPlayerCount")->text(), QString("2"));

        QFile::setPermissions(game() + "P2.ply", QFile::ReadOwner | QFile::ReadUser);
        widget<QPushButton>("btnDeleteAll")->click();
        QCOMPARE(gameFiles(), QStringList({"notiz.txt"}));
        QVERIFY(!widget<QPushButton>("btnOk")->isEnabled());
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
        auto* experiments = widget<QPushButton>("btnSExperimente");
        clickItem(tree, findNode(tree, "Besondere Spieler"));

        answerModal([](QWidget* modal) {
            auto* chooser = qobject_cast<TfrmChooseGroup*>(modal);
            if (chooser == nullptr)
                return false;
            chooser->findChild<QPushButton*>("btnCancel")->click();
            return true;
        });
        experiments->click();
        QCOMPARE(texts(source), QStringList({"Graf.ply"}));
        QVERIFY(tree->isVisible());
        QCOMPARE(experiments->y(), 333);
        QCOMPARE(experiments->palette().color(QPalette::ButtonText), QColor(0, 0x80, 0));

        bool foreignGroupShown = true;
        answerModal([&foreignGroupShown](QWidget* modal) {
            auto* chooser = qobject_cast<TfrmChooseGroup*>(modal);
            if (chooser == nullptr)
                return false;
            auto* groups = chooser->findChild<QTreeWidget*>("trvMain");
            foreignGroupShown = findNode(groups, "Fremdgruppe") != nullptr;
            auto* node = findNode(groups, "Klasse 7");
            clickItem(groups, node);
            chooser->findChild<QPushButton*>("btnOk")->click();
            return true;
        });
        experiments->click();
        QVERIFY(!foreignGroupShown);
        QCOMPARE(form->Quellmodus, 1);
        QCOMPARE(texts(source), QStringList({"Anna.ply", "Anna1.ply", "Carl.ply", "Weg.ply"}));
        QVERIFY(!tree->isVisible());
        QCOMPARE(experiments->y(), tree->y());

        WarningCollector warnings;
        widget<QPushButton>("btnAddAll")->click();
        QCOMPARE(warnings.texts.size(), 2); // Anna1.ply and Weg.ply are in neither store
        QCOMPARE(gameFiles(), QStringList({"Anna.ply", "Carl.ply"}));

        widget<QPushButton>("btnAlleSpieler")->click();
        QVERIFY(tree->isVisible());
        QCOMPARE(experiments->y(), 333);
        QCOMPARE(source->topLevelItemCount(), 0);
        QCOMPARE(form->Quellmodus, 0);
        form->ChooseGroup = nullptr;
    }

    void everyShowingStartsWithAnEmptySourceAndTheCurrentGame() {
        show();
        auto* tree = widget<QTreeWidget>("trvFilter");
        clickItem(tree, findNode(tree, QString::fromUtf8("Persönliche Spieler")));
        form->hide();
        fillGame(4);
        show();
        QCOMPARE(widget<QTreeWidget>("lstStamm")->topLevelItemCount(), 0);
        QCOMPARE(widget<QLabel>("lblPlayerCount")->text(), QString("4"));
        QCOMPARE(form->Quellordner, root->programFolder() + "SpielerStamm/");
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
        bool shownDuringScan = false;
        QStringList index;
        index = BuildPlayerIndexWithWait(group, root->programFolder() + "SpielerStamm\\");
        QCOMPARE(index, QStringList({"3Anna.ply", "3Bob.ply", "1Graf.ply", "3Typ0Ida.ply",
                                     "2Typ3Otto.ply"}));
        QCOMPARE(waitWindows(), 0);

        // A broken file read after the window went up must not leave the window behind.
        root->write("Wendrak/SpielerStamm/Zerbrochen.ply", "kurz");
        QTimer probe;
        QObject::connect(&probe, &QTimer::timeout, [&] { shownDuringScan |= waitWindows() > 0; });
        probe.start(0);
        QVERIFY_THROWS_EXCEPTION(
            WendrakError, BuildPlayerIndexWithWait(group, root->programFolder() + "SpielerStamm/"));
        QTest::qWait(20);
        QVERIFY(shownDuringScan);
        QCOMPARE(waitWindows(), 0);
        QCOMPARE(
            root->read("Wendrak/SpielerStamm/x.txt"),
            QByteArray("3Anna.ply\r\n3Bob.ply\r\n1Graf.ply\r\n3Typ0Ida.ply\r\n2Typ3Otto.ply\r\n"));
    }
};

QTEST_MAIN(CreateGameTest)
#include "creategame_test.moc"
