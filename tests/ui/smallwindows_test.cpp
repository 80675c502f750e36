// The background-material menu and the small windows: which page each menu button shows
// and how, and how the intro closes.
#include "shell/ui/ufrmDravolHintergundmaterial.h"

#include "ShellTestSupport.h"
#include "shell/ui/uIntroMain.h"
#include "shell/ui/ufrmTXTAusgabeHTML.h"

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
        // Button, page file: the page buttons show "DE_" + their caption without blanks.
        QList<std::pair<QString, QString>> rows = {
            {"btnInhaltsverzeichnis_Dravolenz", "Glossar_Dravolenz.html"},
            {"btnBesondereSpieler", "DE_BesondereSpieler.html"}};
        for (const char* name : {"DE_ErsteInformationen", "DE_WieGruppenberechnetwerden",
                                 "DE_ZurAnalysevonGruppen", "DE_DaskollektiveResultat",
                                 "DE_DieVersuchsspieler", "DE_DiesechsTypenvonVerhaltensweisen"})
            rows.append({QString("btn") + name, QString(name) + ".html"});
        TempRoot root;
        TfrmTXTAusgabeHTML& text = *textWindow();
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
            root.write("Wendrak/Texte/" + file, page);
            // A "DE_" variant of the page must not be taken: the menu uses its names as they are.
            root.write("Wendrak/Texte/DE_" + file, page);
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

    void intro_showsItsPictureIfThereClosesWith1ByButtonOrKeyAndShowsTheWholeFarewell() {
        TempRoot root;
        shelltest::copySource(root, "Wendrak/", {"Intro.jpg"});
        TfrmIntroMain intro;
        QVERIFY(!intro.Image1()->pixmap().isNull());
        const TempRoot withoutPicture;
        QVERIFY(TfrmIntroMain().Image1()->pixmap().isNull());
        QCOMPARE(execDoing(intro, [&] { intro.btnStart()->click(); }), 1);
        // A modifier alone does not close it; the key that follows does.
        auto shiftThenX = [&] {
            QTest::keyClick(&intro, Qt::Key_Shift);
            QVERIFY(intro.isVisible());
            QTest::keyClick(&intro, Qt::Key_X);
        };
        QCOMPARE(execDoing(intro, shiftThenX), 1);

        // The farewell's longer heading, moved right and down, still shows its whole text.
        QLabel* head = intro.lblHead();
        head->setText(QString::fromUtf8(
            "Der Friede sei mit Ihnen. Mögen Sie glücklich sein und sich Ihres Lebens erfreuen."));
        head->move(head->x() + 20, head->y() + 60);
        intro.show();
        QVERIFY(head->parentWidget()->rect().contains(head->geometry()));
        QVERIFY(head->heightForWidth(head->width()) <= head->height());
    }
};

WENDRAK_UI_TEST_MAIN(SmallWindowsTest)

#include "smallwindows_test.moc"
