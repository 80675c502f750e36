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

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QTextBrowser>
#include <QTimer>
#include <QToolButton>
#include <QtTest>

namespace {

QByteArray page(const QString& title) {
    return ("<html><head><meta charset=\"utf-8\"></head><body><h1>" + title + "</h1></body></html>")
        .toUtf8();
}

QRect screenArea() {
    return QGuiApplication::primaryScreen()->geometry();
}

} // namespace

class SmallWindowsTest : public QObject {
    Q_OBJECT
private slots:
    void backgroundMenu_eachButtonShowsItsPage_data();
    void backgroundMenu_eachButtonShowsItsPage();
    void backgroundMenu_missingPageIsSkippedInSilence();
    void backgroundMenu_keepsPanelHeightAndHistoryOfTheLastShowing();
    void backgroundMenu_backClosesWith1();
    void intro_closesWith1ByButtonOrKey();
    void intro_showsItsPictureCentredInItsFrame();
    void startPictureAndAuthorPage_closeWith1();
    void folderChooser_drivesFoldersAndButton();
};

void SmallWindowsTest::backgroundMenu_eachButtonShowsItsPage_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("file");
    QTest::newRow("Erste Informationen") << "btnDE_ErsteInformationen"
                                         << "DE_ErsteInformationen.html";
    QTest::newRow("Wie Gruppen berechnet werden") << "btnDE_WieGruppenberechnetwerden"
                                                  << "DE_WieGruppenberechnetwerden.html";
    QTest::newRow("Zur Analyse von Gruppen") << "btnDE_ZurAnalysevonGruppen"
                                             << "DE_ZurAnalysevonGruppen.html";
    QTest::newRow("Das kollektive Resultat") << "btnDE_DaskollektiveResultat"
                                             << "DE_DaskollektiveResultat.html";
    QTest::newRow("Die Versuchsspieler") << "btnDE_DieVersuchsspieler"
                                         << "DE_DieVersuchsspieler.html";
    QTest::newRow("Die sechs Typen") << "btnDE_DiesechsTypenvonVerhaltensweisen"
                                     << "DE_DiesechsTypenvonVerhaltensweisen.html";
    QTest::newRow("Glossar") << "btnInhaltsverzeichnis_Dravolenz"
                             << "Glossar_Dravolenz.html";
    QTest::newRow("Besondere Spieler") << "btnBesondereSpieler"
                                       << "DE_BesondereSpieler.html";
}

void SmallWindowsTest::backgroundMenu_eachButtonShowsItsPage() {
    QFETCH(QString, button);
    QFETCH(QString, file);
    TempRoot root;
    root.write("Wendrak/Texte/" + file, page(file));
    // A "DE_" variant of the page must not be taken: the menu uses its names as they are.
    root.write("Wendrak/Texte/DE_" + file, page("falsch"));
    TfrmTXTAusgabeHTML text;
    text.btnClose()->setText("&Ok");
    TfrmDravolHintergundmaterial menu;
    QCOMPARE(menu.property("helpContext").toInt(), 31400);

    QString shown, caption;
    bool browserVisible = false;
    QTimer::singleShot(0, &text, [&] {
        shown = QFileInfo(text.brwHTML()->source().toLocalFile()).fileName();
        caption = text.btnClose()->text();
        browserVisible = text.brwHTML()->isVisible();
        QTest::mouseClick(text.btnClose(), Qt::LeftButton);
    });
    QTest::mouseClick(menu.findChild<QPushButton*>(button), Qt::LeftButton);
    QCOMPARE(shown, file);
    QCOMPARE(caption, QString("Zur&ück"));
    QVERIFY(browserVisible);
    QVERIFY(!text.isVisible());
}

void SmallWindowsTest::backgroundMenu_missingPageIsSkippedInSilence() {
    TempRoot root;
    TfrmTXTAusgabeHTML text;
    TfrmDravolHintergundmaterial menu;
    const QList<QPushButton*> buttons = menu.findChildren<QPushButton*>();
    QCOMPARE(buttons.size(), 9);
    for (QPushButton* b : buttons)
        if (b->objectName() != "btnBack")
            QTest::mouseClick(b, Qt::LeftButton); // would block in exec() if shown
    QVERIFY(!text.isVisible());
    QVERIFY(QApplication::activeModalWidget() == nullptr);
}

void SmallWindowsTest::backgroundMenu_keepsPanelHeightAndHistoryOfTheLastShowing() {
    TempRoot root;
    const QString index = root.write("Wendrak/Texte/texte/Inhaltsverzeichnis.html", page("Inhalt"));
    const QString chapter = root.write("Wendrak/Texte/texte/Spielstand.html", page("Spielstand"));
    root.write("Wendrak/Texte/DE_BesondereSpieler.html", page("Besondere"));
    TfrmTXTAusgabeHTML text;
    // "Hintergrundwissen" from the main menu: history on, a link followed.
    QTimer::singleShot(0, &text, [&] {
        text.brwHTML()->setSource(QUrl::fromLocalFile(chapter));
        text.btnClose()->click();
    });
    QCOMPARE(text.ShowHtmlPage(index, 0x0000E7, 0x000080, 420, "B&eenden", true, 40100), 1);

    TfrmDravolHintergundmaterial menu;
    int height = 0;
    bool prev = false, next = true;
    QTimer::singleShot(0, &text, [&] {
        height = text.pnlMain()->height();
        prev = text.btnPrev()->isVisible();
        next = text.btnNext()->isVisible();
        text.btnClose()->click();
    });
    QTest::mouseClick(menu.findChild<QPushButton*>("btnBesondereSpieler"), Qt::LeftButton);
    QCOMPARE(height, 420);
    QVERIFY(prev);
    QVERIFY(!next);
}

void SmallWindowsTest::backgroundMenu_backClosesWith1() {
    TempRoot root;
    TfrmDravolHintergundmaterial menu;
    QCOMPARE(menu.findChild<QLabel*>("lblHead")->text(), QString("Hintergrundmaterial"));
    QTimer::singleShot(0, &menu, [&] {
        QTest::mouseClick(menu.findChild<QPushButton*>("btnBack"), Qt::LeftButton);
    });
    QCOMPARE(menu.exec(), 1);
}

void SmallWindowsTest::intro_closesWith1ByButtonOrKey() {
    TfrmIntroMain intro;
    QCOMPARE(intro.btnStart()->text(), QString("&Weiter"));
    QTimer::singleShot(0, &intro, [&] { QTest::mouseClick(intro.btnStart(), Qt::LeftButton); });
    QCOMPARE(intro.exec(), 1);
    QTimer::singleShot(0, &intro, [&] { QTest::keyClick(&intro, Qt::Key_X); });
    QCOMPARE(intro.exec(), 1);
    // A modifier alone does not close it; the key that follows does.
    QTimer::singleShot(0, &intro, [&] {
        QTest::keyClick(&intro, Qt::Key_Shift);
        QVERIFY(intro.isVisible());
        QTest::keyClick(&intro, Qt::Key_Return);
    });
    QCOMPARE(intro.exec(), 1);
    // The farewell reuses the window with a new caption.
    intro.btnStart()->setText("B&eenden");
    QTimer::singleShot(0, &intro, [&] { QTest::keyClick(intro.btnStart(), Qt::Key_Space); });
    QCOMPARE(intro.exec(), 1);
}

void SmallWindowsTest::intro_showsItsPictureCentredInItsFrame() {
    {
        TempRoot root;
        QVERIFY(QFile::copy(TempRoot::sourceData() + "Wendrak/Intro.jpg",
                            root.programFolder() + "Intro.jpg"));
        TfrmIntroMain intro;
        QVERIFY(intro.Image1()->pixmap().isNull() == false);
        const QRect panel = intro.pnlSpieler()->geometry();
        QCOMPARE(panel.size(), QSize(800, 600));
        QCOMPARE(panel.left(), screenArea().width() / 2 - 400);
        QCOMPARE(panel.top(), screenArea().height() / 2 - 300);
        QCOMPARE(intro.pnlRahmen()->geometry(), panel.adjusted(-5, -5, 5, 5));
        QCOMPARE(intro.lblHead()->font().pixelSize(), 24);
        QCOMPARE(intro.lblSubHead()->font().pixelSize(), 19);
    }
    TempRoot withoutPicture;
    TfrmIntroMain intro;
    QVERIFY(intro.Image1()->pixmap().isNull());
}

void SmallWindowsTest::startPictureAndAuthorPage_closeWith1() {
    TempRoot root;
    TfrmStart start;
    QCOMPARE(start.lbl1()->y(), screenArea().height() / 2 - 50);
    QTimer::singleShot(0, &start, [&] { QTest::keyClick(&start, Qt::Key_A); });
    QCOMPARE(start.exec(), 1);

    QVERIFY(QFile::copy(TempRoot::sourceData() + "Wendrak/AutorLogo.png",
                        root.programFolder() + "AutorLogo.png"));
    TfrmAutor autor;
    const QRect area = screenArea();
    QCOMPARE(autor.imgLogo()->geometry().bottomRight(),
             QPoint(area.width() - 1, area.height() - 1));
    QVERIFY(qAbs(autor.lblWendrak()->geometry().center().x() - area.width() / 2) <= 1);
    QTimer::singleShot(0, &autor, [&] { QTest::mouseClick(autor.btnWeiter(), Qt::LeftButton); });
    QCOMPARE(autor.exec(), 1);
}

void SmallWindowsTest::folderChooser_drivesFoldersAndButton() {
    TempRoot root;
    TfrmDirectory chooser;
    QCOMPARE(chooser.windowTitle(), QString::fromUtf8("Zugriffspfad auswählen"));
    QCOMPARE(chooser.btnOk()->text(), QString::fromUtf8("&Auswählen"));
    QVERIFY(chooser.cboDrive()->count() >= 1);
    // It opens at the program folder and lists its subfolders.
    QCOMPARE(chooser.Directory(), root.programFolder());
    QVERIFY(!chooser.dir()->findItems("SpielerStamm", Qt::MatchEndsWith).isEmpty());
    // A folder that cannot be read leaves the list as it was.
    QVERIFY(!chooser.SetDirectory(root.root() + "fehlt/"));
    QCOMPARE(chooser.Directory(), root.programFolder());
    // Opening a listed folder.
    QListWidgetItem* store = chooser.dir()->findItems("SpielerStamm", Qt::MatchEndsWith).first();
    emit chooser.dir()->itemActivated(store);
    QCOMPARE(chooser.Directory(), root.programFolder() + "SpielerStamm/");
    // An unusable drive falls back to the drive of the program's file.
    chooser.cboDrive()->addItem(root.root() + "keinLaufwerk/");
    chooser.cboDrive()->setCurrentIndex(chooser.cboDrive()->count() - 1);
    QVERIFY(QDir(chooser.Directory()).exists());
    QVERIFY(root.programFolder().startsWith(chooser.Directory()));

    QTimer::singleShot(0, &chooser, [&] { QTest::mouseClick(chooser.btnOk(), Qt::LeftButton); });
    QCOMPARE(chooser.exec(), 1);
}

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    platform::setUpApplication(app);
    SmallWindowsTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "smallwindows_test.moc"
