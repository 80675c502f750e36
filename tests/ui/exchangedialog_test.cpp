// The player exchange driven through its windows: when its buttons and menu entries are
// enabled, a whole round of publishing, listing, details and import against a real FTP
// server, and the main menu's command.
#include "players/ui/ufrmExportPlayer.h"

#include "FtpTestServer.h"
#include "ShellTestSupport.h"
#include "platform/ui/FileDialogs.h"
#include "platform/ui/MessageBoxes.h"

using namespace shelltest;
using platform::MessageBoxes;

class ExchangeDialogTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<TempRoot> root;
    std::unique_ptr<TfrmExportPlayer> form;
    int port = 1;

    QTreeWidget* list(const char* name) const { return child<QTreeWidget>(form.get(), name); }
    bool enabled(const char* name) const { return child<QWidget>(form.get(), name)->isEnabled(); }
    void click(const char* name) const {
        QTest::mouseClick(child<QAbstractButton>(form.get(), name), Qt::LeftButton);
    }
    void open() {
        SetExchangeEnvironmentReader([this] {
            return ExchangeEnvironment{
                root->programFolder(),
                "Kemrafeld",
                {"127.0.0.1", port, FtpTestServer::kUser, FtpTestServer::kPassword}};
        });
        form = std::make_unique<TfrmExportPlayer>();
        QVERIFY(showExposed(form.get()));
    }
    QString storePlayer(const QString& name) const {
        return root->write("Wendrak/SpielerStamm/" + name + ".ply", QByteArray(2400, '\0'));
    }

private slots:
    void init() {
        root = std::make_unique<TempRoot>();
        MessageBoxes::startRecording();
    }
    void cleanup() {
        form.reset();
        SetExchangeEnvironmentReader({});
        MessageBoxes::reset();
        platform::FileDialogs::reset();
    }

    void buttonsAndMenuEntriesAreEnabledOnlyWhenTheyHaveSomethingToWorkOn() {
        open();
        auto* name = child<QLineEdit>(form.get(), "EditGroupName");
        QVERIFY(!enabled("SpeedButtonExport"));

        form->AddPlayerItem(storePlayer("Anna"));
        QVERIFY(enabled("SpeedButtonExport"));
        name->setText("   ");
        QVERIFY(!enabled("SpeedButtonExport"));
        name->setText(" G ");
        QVERIFY(enabled("SpeedButtonExport"));

        QVERIFY(!form->PopupMenuExport_Delete->isEnabled());
        list("lstPlayerExport")->topLevelItem(0)->setSelected(true);
        QVERIFY(form->PopupMenuExport_Delete->isEnabled());
        form->PopupMenuExport_Delete->trigger();
        QVERIFY(!enabled("SpeedButtonExport") && !form->PopupMenuExport_Delete->isEnabled());

        form->FillImportList({"DESCRIPTION0.ini", "DESCRIPTION1.ini"}); // two nameless groups
        QTreeWidget* imports = list("LstPlayerImport");
        QVERIFY(!enabled("btnDetails") && !enabled("btnImport"));
        imports->topLevelItem(1)->setSelected(true);
        QVERIFY(enabled("btnDetails") && !enabled("btnImport"));
        imports->topLevelItem(0)->setCheckState(0, Qt::Checked);
        QVERIFY(enabled("btnImport"));
        // The export list's menu never reaches the import list.
        QVERIFY(imports->contextMenuPolicy() == Qt::DefaultContextMenu &&
                imports->actions().isEmpty());
    }

    void aGroupIsPublishedListedShownAndImportedThroughTheWindows() {
        FtpTestServer server;
        QVERIFY(server.port() != 0);
        port = server.port();
        open();
        child<QLineEdit>(form.get(), "EditGroupName")->setText("Test");
        child<QPlainTextEdit>(form.get(), "memDescription")->setPlainText("a\nb");
        platform::FileDialogs::answerNext(QStringList{storePlayer("Anna"), storePlayer("Bert")});
        click("btnAdd");
        click("SpeedButtonExport");
        QCOMPARE(MessageBoxes::shown().value(0), QString("Ihre Gruppe wurde exportiert."));

        // Groups left out of a listing are named after the others fill the list.
        const QByteArray dir = "12-06-26  02:30PM       <DIR>          ";
        server.setListing(dir + "B\tse\r\n" + dir + "Test\r\n");
        click("btnRefresh");
        QTreeWidget* imports = list("LstPlayerImport");
        QCOMPARE(imports->topLevelItemCount(), 1);
        QCOMPARE(imports->topLevelItem(0)->text(0) + imports->topLevelItem(0)->text(1),
                 QString("Test2"));
        QCOMPARE(MessageBoxes::shown().last(),
                 QString("Diese Gruppen auf dem Server haben Steuerzeichen im Namen und fehlen in "
                         "der Liste:\r\n„B?se“"));

        clickItem(imports, imports->topLevelItem(0));
        QStringList shown;
        whenModalOf<TfrmExportPlayer_Details>([&shown](TfrmExportPlayer_Details* details) {
            for (const char* name : {"txtGroupname", "txtGroupCount"})
                shown << details->findChild<QLineEdit*>(name)->text();
            for (const char* name : {"memDescription", "memGroupPeople"})
                shown << details->findChild<QPlainTextEdit*>(name)->toPlainText();
            details->findChild<QPushButton*>("btnBack")->click();
        });
        click("btnDetails");
        QCOMPARE(shown, QStringList({"Test", "2", "a\nb", "Anna.ply\nBert.ply\n"}));

        imports->topLevelItem(0)->setCheckState(0, Qt::Checked);
        click("btnImport");
        QCOMPARE(MessageBoxes::shown().last(),
                 QString("Die gewählte(n) Gruppe(n) wurden importiert."));
        QCOMPARE(root->read("Wendrak/ImportierteGruppen/Test/group.sgp"),
                 QByteArray("Anna von Test.ply\r\nBert von Test.ply\r\n"));
    }

    void theMenuCommandShowsTheExchangeInPlaceOfTheMenuAndRebuildsThePlayerList() {
        Program program;
        program.showMenu();
        QVERIFY(!program.main()->button("btnExport")->isEnabled());
        program.root.write("Wendrak/SpielerStamm/Neu.ply", QByteArray(2400, '\0'));
        bool menuHidden = false;
        whenModalOf<TfrmExportPlayer>([&](TfrmExportPlayer* exchange) {
            menuHidden = !program.main()->isVisible();
            exchange->findChild<QToolButton*>("SpeedButtonBack")->click();
        });
        program.main()->btnExportClick();
        QVERIFY(menuHidden && program.main()->isVisible());
        QVERIFY(program.main()->SpielerListe.join(",").contains("Neu.ply"));
    }
};

QTEST_MAIN(ExchangeDialogTest)
#include "exchangedialog_test.moc"
