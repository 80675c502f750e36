// The background-material menu and the small windows: which page each menu button shows
// and how, and how the intro, start picture, author page and folder chooser close.
#include "shell/ui/uAutor.h"
#include "shell/ui/uDirectory.h"
#include "shell/ui/uIntroMain.h"
#include "shell/ui/uStart.h"
#include "shell/ui/ufrmDravolHintergundmaterial.h"
#include "shell/ui/ufrmTXTAusgabeHTML.h"

#include "platform/ui/Application.h"
#include "platform/ui/GradientWidget.h"

#include "TempRoot.h"

#include <QtTest>
#include <QtWidgets>
#include <functional>

namespace {

const QByteArray page = "<html><body><h1>Seite</h1></body></html>";

// Shows dialog modally, does what the user does while it is open, and returns its result.
int execDoing(QDialog& dialog, const std::function<void()>& user) {
    QTimer::singleShot(0, &dialog, user);
    return dialog.exec();
}

} // namespace

class SmallWindowsTest : public QObject {
    Q_OBJECT
private slots:
    void backgroundMenu_eachButtonShowsItsPageAsNamedOrNothing() {
        const char* const rows[][2] = {
            {"btnDE_ErsteInformationen", "DE_ErsteInformationen.html"},
            {"btnDE_WieGruppenberechnetwerden", "DE_WieGruppenberechnetwerden.html"},
            {"btnDE_ZurAnalysevonGruppen", "DE_ZurAnalysevonGruppen.html"},
            {"btnDE_DaskollektiveResultat", "DE_DaskollektiveResultat.html"},
            {"btnDE_DieVersuchsspieler", "DE_DieVersuchsspieler.html"},
            {"btnDE_DiesechsTypenvonVerhaltensweisen", "DE_DiesechsTypenvonVerhaltensweisen.html"},
            {"btnInhaltsverzeichnis_Dravolenz", "Glossar_Dravolenz.html"},
            {"btnBesondereSpieler", "DE_BesondereSpieler.html"}};
        TempRoot root;
        TfrmTXTAusgabeHTML text;
        TfrmDravolHintergundmaterial menu;
        QCOMPARE(menu.property("helpContext").toInt(), 31400);
        // Without the pages nothing shows (it would block in exec()).
        for (const auto& [button, file] : rows)
            menu.findChild<QPushButton*>(button)->click();
        QVERIFY(QApplication::activeModalWidget() == nullptr);

        // "Hintergrundwissen" from the main menu: history on, a link followed. The menu's
        // pages keep the panel height and the history buttons that showing left.
        const QString index = root.write("Wendrak/Texte/texte/Inhaltsverzeichnis.html", page);
        const QString chapter = root.write("Wendrak/Texte/texte/Spielstand.html", page);
        QTimer::singleShot(0, &text, [&] {
            text.brwHTML()->setSource(QUrl::fromLocalFile(chapter));
            text.btnClose()->click();
        });
        QCOMPARE(text.ShowHtmlPage(index, 0x0000E7, 0x000080, 420, "B&eenden", true, 40100), 1);
        for (const auto& [button, file] : rows) {
            root.write(QString("Wendrak/Texte/") + file, page);
            // A "DE_" variant of the page must not be taken: the menu uses its names as they are.
            root.write(QString("Wendrak/Texte/DE_") + file, page);
            QStringList seen;
            QTimer::singleShot(0, &text, [&] {
                seen << QFileInfo(text.brwHTML()->source().toLocalFile()).fileName()
                     << text.btnClose()->text() << QString::number(text.pnlMain()->height())
                     << QString::number(text.brwHTML()->isVisible() * 100 +
                                        text.btnPrev()->isVisible() * 10 +
                                        text.btnNext()->isVisible());
                text.btnClose()->click();
            });
            menu.findChild<QPushButton*>(button)->click();
            QCOMPARE(seen, (QStringList{file, "Zur&ück", "420", "110"}));
        }
        QCOMPARE(execDoing(menu, [&] { menu.findChild<QPushButton*>("btnBack")->click(); }), 1);
    }

    void intro_showsItsPictureCentredInItsFrameAndClosesWith1ByButtonOrKey() {
        TempRoot root;
        QVERIFY(QFile::copy(TempRoot::sourceData() + "Wendrak/Intro.jpg",
                            root.programFolder() + "Intro.jpg"));
        TfrmIntroMain intro;
        QVERIFY(!intro.Image1()->pixmap().isNull());
        const QRect screen = QGuiApplication::primaryScreen()->geometry();
        const QRect panel = intro.pnlSpieler()->geometry();
        QCOMPARE(panel, QRect(screen.width() / 2 - 400, screen.height() / 2 - 300, 800, 600));
        QCOMPARE(intro.pnlRahmen()->geometry(), panel.adjusted(-5, -5, 5, 5));
        const TempRoot withoutPicture;
        QVERIFY(TfrmIntroMain().Image1()->pixmap().isNull());

        QCOMPARE(intro.btnStart()->text(), QString("&Weiter"));
        QCOMPARE(execDoing(intro, [&] { intro.btnStart()->click(); }), 1);
        // A modifier alone does not close it; the key that follows does.
        auto shiftThenX = [&] {
            QTest::keyClick(&intro, Qt::Key_Shift);
            QVERIFY(intro.isVisible());
            QTest::keyClick(&intro, Qt::Key_X);
        };
        QCOMPARE(execDoing(intro, shiftThenX), 1);
    }

    void startPictureAndAuthorPage_closeWith1() {
        TempRoot root;
        const QRect area = QGuiApplication::primaryScreen()->geometry();
        TfrmStart start;
        QCOMPARE(execDoing(start, [&] { QTest::keyClick(&start, Qt::Key_A); }), 1);
        TfrmAutor autor;
        QCOMPARE(autor.geometry(), area);
        QCOMPARE(execDoing(autor, [&] { autor.btnWeiter()->click(); }), 1);
    }

    void folderChooser_drivesFoldersAndButton() {
        TempRoot root;
        TfrmDirectory chooser;
        QCOMPARE(chooser.windowTitle(), QString::fromUtf8("Zugriffspfad auswählen"));
        QCOMPARE(chooser.btnOk()->text(), QString::fromUtf8("&Auswählen"));
        // It opens at the program folder and lists its subfolders.
        QCOMPARE(chooser.Directory(), root.programFolder());
        const auto stores = chooser.dir()->findItems("SpielerStamm", Qt::MatchEndsWith);
        QVERIFY(!stores.isEmpty());
        // A folder that cannot be read leaves the list as it was.
        QVERIFY(!chooser.SetDirectory(root.root() + "fehlt/"));
        QCOMPARE(chooser.Directory(), root.programFolder());
        emit chooser.dir()->itemActivated(stores.first());
        QCOMPARE(chooser.Directory(), root.programFolder() + "SpielerStamm/");
        // An unusable drive falls back to the drive of the program's file.
        chooser.cboDrive()->addItem(root.root() + "keinLaufwerk/");
        chooser.cboDrive()->setCurrentIndex(chooser.cboDrive()->count() - 1);
        QVERIFY(root.programFolder().startsWith(chooser.Directory()));
        QCOMPARE(execDoing(chooser, [&] { chooser.btnOk()->click(); }), 1);
    }
};

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    platform::setUpApplication(app);
    SmallWindowsTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "smallwindows_test.moc"
